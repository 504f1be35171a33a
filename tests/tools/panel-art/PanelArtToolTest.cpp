#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TestFolders.h"

namespace fs = std::filesystem;

namespace {

int RunTool(const std::string& arguments)
{
    const std::string command = std::string("\"") + ZV_PANEL_ART_TOOL + "\" " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::size_t CountFiles(const fs::path& folder)
{
    std::size_t n = 0;
    for (const auto& item : fs::directory_iterator(folder))
        n += item.is_regular_file();
    return n;
}

}  // namespace

TEST(PanelArtTool, InstallsIntoAPrefixAndWritesAContactSheet)
{
    const fs::path base = fs::path(TestOutputFolder()) / "panel-art-tool";
    fs::remove_all(base);
    const fs::path sheet = base / "sheet.png";
    ASSERT_EQ(RunTool("--prefix \"" + (base / "prefix").string() + "\" --contact-sheet \"" + sheet.string() + "\""), 0);
    EXPECT_EQ(CountFiles(base / "prefix/drive_c/Zorvane/GraphView"), 411u);
    EXPECT_TRUE(fs::is_regular_file(sheet));
}

TEST(PanelArtTool, RefusesUnknownArgumentsAndReportsWriteFailures)
{
    EXPECT_EQ(RunTool("--colour"), 2);
    EXPECT_EQ(RunTool(""), 2);
    EXPECT_EQ(RunTool("--out /dev/null/GraphView"), 1);
}
