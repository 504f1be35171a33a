#pragma once
// Where the tests of this folder write the pictures they render.
#include <cstdlib>

#include "platform/core/FileUtils.h"

inline AnsiString TestOutputFile(const char* Name)
{
    const char* dir = std::getenv("ZV_TEST_OUTPUT");
    const AnsiString folder = dir && *dir ? dir : ".";
    ForceDirectories(folder);
    return folder + "/" + Name;
}
