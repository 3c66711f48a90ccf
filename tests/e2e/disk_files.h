// Files on disk as the end-to-end tests prepare and check them: the tests' shared temporary folder
// and whole-file reads and writes, under the names the driver's tests use.
#pragma once

#include "tests/support/temp_files.h"

namespace e2e {

using ScratchFolder = testsupport::TempFolder;
using testsupport::FileExists;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

}  // namespace e2e
