#pragma once
// Where tests write what they render for people to look at: $ZV_TEST_OUTPUT
// (set by ctest), else the temp folder, never the working directory.
#include <string>

std::string TestOutputFolder();
// The folder joined with Name; the folder is created when missing.
std::string TestOutputPath(const std::string& Name);
