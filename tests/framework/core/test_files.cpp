// The shipped test documents.
#include "tests/framework/core/test_files.h"

std::string TestDataPath(const std::string& name) { return std::string(VELMORA_TEST_DATA) + "/" + name; }
