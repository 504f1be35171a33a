#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "baselib/sl_filefuncs.h"
#include "baselib/sl_lang.h"
#include "platform/core/FileUtils.h"
#include "platform/win/Paths.h"

using namespace TBinFileFuncs;

namespace {

std::string Slurp(const AnsiString& WindowsPath)
{
    std::ifstream f(MapWindowsPath(WindowsPath), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class FileFuncs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForceDirectories(MapWindowsPath("C:\\"));
        std::system(("rm -rf '" + MapWindowsPath("C:\\ff") + "'").c_str());
        ASSERT_EQ(MkDir("C:\\ff\\"), 0);
    }
};

} // namespace

TEST(PathText, DeleteSpacesAndSlashes)
{
    AnsiString s = "  a b\r\n";
    EXPECT_EQ(DeleteSpaces(s, 1, 1, 0), 3);
    EXPECT_EQ(s, "a b");
    s = "  a b\r\n";
    EXPECT_EQ(DeleteSpaces(s, 1, 1, 1), 2);
    EXPECT_EQ(s, "ab");
    s = "\t x \t";
    EXPECT_EQ(DeleteSpaces(s, 0, 1, 0), 3);
    EXPECT_EQ(s, "\t x");

    s = "a/b\\c";
    ToBackSlashes(s);
    EXPECT_EQ(s, "a\\b\\c");
    ToUnixSlashes(s);
    EXPECT_EQ(s, "a/b/c");
    struct Case { const char* In; const char* Out; };
    for (const Case& c : {Case{"C:\\a", "C:\\a\\"}, Case{"C:", "C:"}, Case{"a/", "a/"}, Case{"", ""}}) {
        AnsiString t = c.In;
        AppendBackSlash(t);
        EXPECT_EQ(t, c.Out);
    }
}

TEST(PathText, Splitting)
{
    struct Case { const char* Src; const char* Path; const char* Name; const char* Ext; const char* NoExt; };
    const Case cases[] = {
        {"C:\\a\\b.txt", "C:\\a\\", "b.txt", "txt", "C:\\a\\b"},
        {"b.txt", "", "b.txt", "txt", "b"},
        {"C:b.txt", "C:", "b.txt", "txt", "C:b"},
        {"dir.x\\file", "dir.x\\", "file", "", "dir.x\\file"},
        {"file.tar.gz", "", "file.tar.gz", "gz", "file.tar"},
        {"a.b:c", "a.b:", "c", "", "a"},  // ':' ends the extension search, not the cut
        {"/usr/lib/x.so", "/usr/lib/", "x.so", "so", "/usr/lib/x"},
    };
    for (const Case& c : cases) {
        AnsiString d;
        EXPECT_EQ(GetPathFromFullName(d, c.Src), static_cast<int>(std::strlen(c.Path)));
        EXPECT_EQ(d, c.Path) << c.Src;
        GetFileName(d, c.Src);
        EXPECT_EQ(d, c.Name) << c.Src;
        GetExtName(d, c.Src);
        EXPECT_EQ(d, c.Ext) << c.Src;
        GetFullNameWithoutExt(d, c.Src);
        EXPECT_EQ(d, c.NoExt) << c.Src;
    }
}

TEST(PathText, FullPathLevels)
{
    struct Case { const char* Path; int Levels; int Kind; };
    const Case cases[] = {
        {"C:\\", 1, 0},          {"C:\\a\\b", 2, 0},        {"C:a", 0, 0},
        {"a\\b", 0, -1},          {"C:\\a\\\\b", 0, 0},      {"\\\\server\\share", 0, 1},
        {"\\\\server\\share\\dir", 1, 1}, {"\\dir", 0, -1},  {"host\\C:\\dir\\file", 2, 2},
        {"", 0, -1},
    };
    for (const Case& c : cases) {
        int kind = 99;
        EXPECT_EQ(IsFullPath(c.Path, &kind), c.Levels) << c.Path;
        EXPECT_EQ(kind, c.Kind) << c.Path;
    }
    EXPECT_EQ(IsFullPath("C:\\a"), 1);
}

TEST(PathText, Percent)
{
    struct Case { std::uint32_t Part, Whole, Expected; };
    const Case cases[] = {
        {5, 0, 0}, {1, 3, 33}, {250, 200, 100}, {50000, 100000, 50},
        {4000000000u, 4100000000u, 97}, {42949673u, 42949673u, 100}, {10001, 10001, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakePercent(c.Part, c.Whole), c.Expected) << c.Part << "/" << c.Whole;
}

TEST_F(FileFuncs, FoldersAndExistence)
{
    EXPECT_EQ(MakeFullPath("C:\\ff\\new\\deeper\\"), 0);
    EXPECT_TRUE(ExistPath("C:\\ff\\new\\deeper"));
    EXPECT_TRUE(ExistPath("C:\\ff\\new\\deeper\\"));
    EXPECT_EQ(MakeFullPath("C:\\ff\\new\\deeper\\"), -1);  // the deepest existed already
    EXPECT_EQ(MakeFullPath("C:\\ff\\only"), -1);           // the last part is a file name; C:\ff existed
    EXPECT_EQ(MakeFullPath("C:\\ffnew"), 0);                // no folder to make at all
    EXPECT_FALSE(ExistPath("C:\\ffnew"));
    EXPECT_FALSE(ExistPath("C:\\ff\\only"));
    EXPECT_EQ(MakeFullPath("C:\\ff\\a\\b\\c.txt"), 0);
    EXPECT_TRUE(ExistPath("C:\\ff\\a\\b"));
    EXPECT_EQ(RmDir("C:\\ff\\a\\b\\"), 0);
    EXPECT_EQ(RmDir("C:\\ff\\a\\b"), -1);
    EXPECT_EQ(MkDir(""), -1);
    EXPECT_EQ(MkDir("C:\\ff\\" + AnsiString(300, 'x')), -1);  // too long: fails, nothing overruns
    EXPECT_FALSE(ExistPath(AnsiString(400, 'y')));

    std::ofstream(MapWindowsPath("C:\\ff\\.hidden")) << "h";
    std::ofstream(MapWindowsPath("C:\\ff\\plain.txt")) << "p";
    std::int32_t attr = 0;
    EXPECT_TRUE(ExistFile("C:\\ff\\.hidden", &attr));
    EXPECT_TRUE(attr & 0x02);
    EXPECT_TRUE(ExistFile("C:\\ff\\plain.txt"));
    EXPECT_TRUE(ExistFile("C:\\ff\\*.txt"));
    EXPECT_FALSE(ExistFile("C:\\ff\\new"));  // a folder is no file
    EXPECT_FALSE(ExistFile("C:\\ff\\missing"));
    EXPECT_TRUE(ExistPath("C:\\ff\\plain.txt"));
}

TEST_F(FileFuncs, CopyChecksEveryStep)
{
    std::string data(25000, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7);
    std::ofstream(MapWindowsPath("C:\\ff\\src.bin"), std::ios::binary) << data;
    EXPECT_EQ(f_copy("C:\\ff\\dst.bin", "C:\\ff\\src.bin"), 0);
    EXPECT_EQ(Slurp("C:\\ff\\dst.bin"), data);
    EXPECT_EQ(f_copy("C:\\ff\\x.bin", "C:\\ff\\missing.bin"), 1);
    EXPECT_EQ(f_copy("C:\\ff\\nofolder\\x.bin", "C:\\ff\\src.bin"), 2);
    // A plain target that cannot take every byte (here a file-size limit, which binds
    // root too) is removed, not left cut off. The limit is set in a child process.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit small{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &small);
        const int r = f_copy("C:\\ff\\cut.bin", "C:\\ff\\src.bin");
        _exit(r * 10 + (ExistFile("C:\\ff\\cut.bin") ? 1 : 0));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 30); // failed, and no cut-off file left
    // A device that refuses the bytes fails the copy but is never removed.
    if (FileExists("/dev/full")) {
        EXPECT_EQ(f_copy("/dev/full", MapWindowsPath("C:\\ff\\src.bin")), 3);
        EXPECT_TRUE(FileExists("/dev/full"));
    }
}

TEST_F(FileFuncs, LogFileAppends)
{
    EXPECT_TRUE(WriteLogFileInfo("C:\\ff\\log.txt", "%s\r\n", "x"));
    EXPECT_TRUE(WriteLogFileInfo("C:\\ff\\log.txt", "%c\r\n", 'x'));
    EXPECT_EQ(Slurp("C:\\ff\\log.txt"), "x\r\nx\r\n");
    EXPECT_FALSE(WriteLogFileInfo("C:\\ff\\nofolder\\log.txt", "x"));
    AnsiString big(5000, 'z');
    EXPECT_TRUE(WriteLogFileInfo("C:\\ff\\big.txt", "%s", big.c_str()));
    EXPECT_EQ(Slurp("C:\\ff\\big.txt").size(), 1023u);
}

TEST(ShellErrors, TextsInTheChosenLanguage)
{
    TAppLang::TLangType was = AppLang.LangType();
    AppLang.SetLangType(TAppLang::ltAnsi);
    EXPECT_EQ(GetShErrInfo(2), "File was not found.");
    EXPECT_EQ(GetShErrInfo(31), "There is no application associated with the given filename extension.");
    EXPECT_EQ(GetShErrInfo(99), "Unknown error");
    AppLang.SetLangType(TAppLang::ltGbk);
    EXPECT_EQ(GetShErrInfo(5), Utf8ToGbk("拒绝访问"));
    AppLang.SetLangType(was);
}
