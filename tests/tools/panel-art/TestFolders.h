#pragma once
// The per-test prefix the test runner names, or a temporary folder when a test
// program is run by hand. Rendered output goes to TestOutputFolder().
#include <string>

#include "tests/support/TestOutput.h"

std::string TestPrefix();
