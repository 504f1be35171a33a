#pragma once
// Small helpers shared by the forms tests.
#include <cstdlib>
#include <filesystem>
#include <string>

// Folder for rendered pictures (ZV_TEST_OUTPUT, else the temp folder).
inline std::string TestOutputPath(const std::string& name)
{
    const char* env = std::getenv("ZV_TEST_OUTPUT");
    std::filesystem::path dir = env && *env ? env : std::filesystem::temp_directory_path().string();
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}
