#include "tests/support/TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/win/Paths.h"

namespace {

// A short folder name per test filter: socket paths under the prefix must stay
// within the system's 108 bytes.
std::string FolderName(const std::string& Filter)
{
    char name[17];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(std::hash<std::string>{}(Filter)));
    return std::string("t") + (name + 8);
}

} // namespace

// The build folder the test program lives in, so runs from different build
// folders (or checkouts) never share files, links or sockets.
std::filesystem::path BuildRoot(const char* ProgramPath)
{
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::absolute(ProgramPath, ec).parent_path();
    for (; !dir.empty() && dir != dir.root_path(); dir = dir.parent_path())
        if (std::filesystem::exists(dir / "CMakeCache.txt", ec))
            return dir;
    return std::filesystem::temp_directory_path() / "zv-test";
}

void UseTestPrefix(const char* ProgramPath)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0); // also for the programs a test starts
    const std::filesystem::path root = BuildRoot(ProgramPath);
    setenv("ZV_TEST_OUTPUT", (root / "test-output").c_str(), 0);
    std::filesystem::path prefix;
    const char* set = std::getenv("ZORVANE_PREFIX");
    if (set && *set)
        prefix = set;
    else
        prefix = root / "test-prefix" / std::filesystem::path(ProgramPath).filename();
    const std::string filter = GTEST_FLAG_GET(filter);
    if (!filter.empty() && filter != "*")
        prefix /= FolderName(filter);
    std::filesystem::create_directories(prefix);
    setenv("ZORVANE_PREFIX", prefix.c_str(), 1);
}

std::filesystem::path TestDir(const char* Name)
{
    static std::set<std::string> emptied;
    const std::filesystem::path dir = std::filesystem::path(ZorvanePrefix()) / Name;
    if (emptied.insert(dir.string()).second)
        std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

std::string ReadBytes(const std::filesystem::path& Path)
{
    std::ifstream in(Path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteBytes(const std::filesystem::path& Path, const std::string& Bytes)
{
    std::ofstream(Path, std::ios::binary) << Bytes;
}
