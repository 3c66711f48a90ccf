// Real files for the tests: the shipped test documents, and the tests' temporary folder and
// whole-file reads and writes.
#pragma once

#include <string>

#include "tests/support/temp_files.h"

using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

// Path of test document `name` (tests/data).
std::string TestDataPath(const std::string& name);
