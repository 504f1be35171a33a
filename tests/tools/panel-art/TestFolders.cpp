#include "TestFolders.h"

#include <cstdlib>
#include <filesystem>

namespace {

std::string FromEnvironment(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0')
        return value;
    return (std::filesystem::temp_directory_path() / fallback).string();
}

}  // namespace

std::string TestPrefix()
{
    return FromEnvironment("ZORVANE_PREFIX", "zv-panel-art-prefix");
}

