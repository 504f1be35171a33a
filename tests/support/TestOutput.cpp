#include "tests/support/TestOutput.h"

#include <cstdlib>
#include <filesystem>

std::string TestOutputFolder()
{
    const char* env = std::getenv("ZV_TEST_OUTPUT");
    std::filesystem::path dir = env && *env ? env : std::filesystem::temp_directory_path() / "zv-test-output";
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string TestOutputPath(const std::string& Name)
{
    return (std::filesystem::path(TestOutputFolder()) / Name).string();
}
