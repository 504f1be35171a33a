#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "baselib/sl_dirlist.h"
#include "baselib/sl_filefuncs.h"
#include "baselib/sl_relpath.h"
#include "platform/core/FileUtils.h"
#include "platform/win/Paths.h"

namespace {

TRelPath ForExe(const AnsiString& Relative)
{
    TRelPath r(Relative);
    r.ExeName = "C:\\App\\meter.exe";
    r.SetPathType(TRelPath::ptExePath);
    return r;
}

std::uint64_t GetLE(const unsigned char* p, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes; i-- > 0;)
        v = v << 8 | p[i];
    return v;
}

} // namespace

TEST(RelPath, FileNamesInTheFolder)
{
    TRelPath logs = ForExe("logs");
    EXPECT_EQ(logs.FullPath(), "C:\\App\\logs\\");
    EXPECT_EQ(static_cast<AnsiString>(logs), "C:\\App\\logs\\");
    EXPECT_EQ(logs.FileName("a.txt"), "C:\\App\\logs\\a.txt");
    EXPECT_EQ(logs.FileName(""), "C:\\App\\logs\\meter.exe");
    EXPECT_EQ(logs.FileName("a", ""), "C:\\App\\logs\\a");
    EXPECT_EQ(logs.FileName("a", "txt"), "C:\\App\\logs\\a.txt");
    TRelPath data = ForExe("data");
    EXPECT_EQ(data.Extension("ini"), "C:\\App\\data\\meter.ini");
    EXPECT_EQ(data.Extension(""), "C:\\App\\data\\meter.exe");
    EXPECT_EQ(data.FormatName("run%03d.log", 7), "C:\\App\\data\\run007.log");
    EXPECT_EQ(data.FormatExtension("b%d", 2), "C:\\App\\data\\meter.b2");
    EXPECT_EQ(data.FormatName("%s", AnsiString(400, 'n').c_str()).size(), 12 + 255u);  // cut, never overrun
}

TEST(RelPath, RootsAndSeparators)
{
    struct Case { const char* Relative; const char* Stored; };
    for (const Case& c : {Case{"a/", "a/"}, Case{"D:", "D:"}, Case{"", ""}, Case{"x\\y", "x\\y\\"}}) {
        TRelPath r(c.Relative);
        EXPECT_EQ(r.Relative, c.Stored);
    }
    TRelPath user("D:\\Root", "sub");
    EXPECT_EQ(user.PathType, TRelPath::ptUser);
    EXPECT_EQ(user.FullPath(), "D:\\Root\\sub\\");
    TRelPath typed = ForExe("");
    typed.SetPathType(TRelPath::ptUser);
    EXPECT_EQ(typed.RootPath, "");  // only SetRootPath fills it
    typed.SetPathType(TRelPath::ptWindows);
    EXPECT_EQ(typed.RootPath, "C:\\WINDOWS\\");
    typed.SetPathType(TRelPath::ptCurrent);
    EXPECT_EQ(typed.RootPath, IncludeTrailingPathDelimiter(GetCurrentDir()));
    typed.SetPathType(static_cast<TRelPath::TPathType>(42));
    EXPECT_EQ(typed.RootPath, "");
    TRelPath module(TRelPath::ptModule, "");
    EXPECT_FALSE(module.RootPath.empty());
    EXPECT_EQ(module.RootPath.back(), '/');
    TRelPath copy = user;
    EXPECT_EQ(copy.FullPath(), user.FullPath());
    copy.Assign("E:", "z");
    EXPECT_EQ(copy.FullPath(), "E:z\\");
}

TEST(RelPath, SplittingAFullPath)
{
    TRelPath r = ForExe("");
    r.SetFullPath("  c:\\app\\DATA");
    EXPECT_EQ(r.PathType, TRelPath::ptExePath);
    EXPECT_EQ(r.RootPath, "C:\\App\\");
    EXPECT_EQ(r.Relative, "DATA\\");
    r = AnsiString("D:\\Other");
    EXPECT_EQ(r.PathType, TRelPath::ptUser);
    EXPECT_EQ(r.RootPath, "D:\\Other\\");
    EXPECT_EQ(r.Relative, "");
}

TEST(DirListFile, ListsAFolder)
{
    ForceDirectories(MapWindowsPath("C:\\dl\\three"));
    ForceDirectories(MapWindowsPath("C:\\dl\\empty"));
    for (const char* n : {"a.txt", "b.txt", "c.bin"})
        std::ofstream(MapWindowsPath(AnsiString("C:\\dl\\three\\") + n)) << std::string(1000, 'x');

    TDirListFile empty;
    empty.SetFileName("C:\\dl\\empty.lst");
    empty.SetPTL("C:\\dl\\empty");
    empty.Create();
    EXPECT_EQ(empty.FileSize(), 320);
    EXPECT_EQ(empty.RecNo, 0);

    TDirListFile three;
    three.SetFileName("C:\\dl\\three.lst");
    three.SetPTL("C:\\dl\\three\\");
    three.Create();
    EXPECT_EQ(three.RecNo, 3);
    EXPECT_EQ(three.FileSize(), 320 + 3 * 288);

    unsigned char head[320];
    three.ReadHeader(head);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(head), 11), "DAT/FLIST_A");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(head) + 34, 4), "\r\n\x1A" + std::string(1, '\0'));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(head) + 52), "C:\\dl\\three\\");
    std::int64_t stamp = static_cast<std::int64_t>(GetLE(head + 312, 8));
    EXPECT_LE(std::llabs(stamp - DateTimeX().TStamp()), 5);

    std::set<std::string> names;
    for (int i = 0; i < 3; ++i) {
        unsigned char rec[288];
        three.ReadRecord(rec, i);
        names.insert(reinterpret_cast<char*>(rec));
        EXPECT_EQ(GetLE(rec + 260, 4), 1000u);
        EXPECT_EQ(static_cast<std::int64_t>(GetLE(rec + 264, 8)) % 2, 0);
        EXPECT_EQ(GetLE(rec + 272, 4) & 0x10, 0u);
    }
    EXPECT_EQ(names, (std::set<std::string>{"a.txt", "b.txt", "c.bin"}));

    TDirListFile tooLong;
    tooLong.SetFileName("C:\\dl\\long.lst");
    // Below the program's folder the relative part adds to the root: more than the field holds.
    tooLong.SetPTL(TRelPath(TRelPath::ptModule, "").RootPath + AnsiString(250, 'd'));
    EXPECT_GT(tooLong.PTL().size(), 259u);
    EXPECT_THROW(tooLong.Create(), EBinFileError);
}
