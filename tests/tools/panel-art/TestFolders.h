#pragma once
// Where the tests write: the per-test prefix and the shared output folder that the test
// runner names, or a temporary folder when a test program is run by hand.
#include <string>

std::string TestPrefix();
std::string TestOutputFolder();
