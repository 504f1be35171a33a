#include <cstring>
#include <ctime>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "baselib/sl_binfile.h"
#include "baselib/sl_filefuncs.h"
#include "baselib/sl_lang.h"
#include "platform/core/FileUtils.h"
#include "platform/win/Paths.h"

namespace {

const AnsiString kFile = "C:\\bf\\rec.dat";

class BinFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForceDirectories(MapWindowsPath("C:\\"));
        std::system(("rm -rf '" + MapWindowsPath("C:\\bf") + "'").c_str());
        ASSERT_EQ(TBinFileFuncs::MkDir("C:\\bf"), 0);
        FWas = AppLang.LangType();
        AppLang.SetLangType(TAppLang::ltAnsi);
    }
    void TearDown() override { AppLang.SetLangType(FWas); }

    // Writes the bytes straight to the file, past any object's caches.
    static void Poke(long Offset, const std::string& Bytes)
    {
        std::fstream f(MapWindowsPath(kFile), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(Offset);
        f.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    }
    static void MakeFile(size_t Length)
    {
        std::ofstream f(MapWindowsPath(kFile), std::ios::binary);
        for (size_t i = 0; i < Length; ++i)
            f.put(static_cast<char>('A' + i % 26));
    }
    static int CodeOf(const std::function<void()>& Fn)
    {
        try {
            Fn();
        } catch (const EBinFileError& e) {
            return e.ErrorCode;
        }
        return 0;
    }

    TAppLang::TLangType FWas = TAppLang::ltAnsi;
};

} // namespace

TEST_F(BinFile, CountsWholeRecordsOnly)
{
    struct Case { size_t Length; int Count; };
    for (const Case& c : {Case{39, 2}, Case{16, 0}, Case{10, 0}, Case{40, 3}, Case{0, 0}}) {
        MakeFile(c.Length);
        TBinFile f(16, 8);
        f.SetFileName(kFile);
        f.Open();
        EXPECT_EQ(f.RecCount(), c.Count) << c.Length;
        EXPECT_EQ(f.FileSize(), static_cast<int>(c.Length));
    }
    TBinFile z(0, 0);
    z.SetFileName(kFile);
    z.Open();
    EXPECT_EQ(z.RecCount(), 0);
    char b[1];
    z.ReadHeader(b);  // nothing to do, no error
    z.ReadRecord(b);
}

TEST_F(BinFile, OpenModesAndErrors)
{
    TBinFile f(16, 8);
    f.SetFileName("  \x01" + kFile + "\r\n");
    EXPECT_EQ(f.FileName(), kFile);

    try {
        f.Open();  // mode 1 on a missing file
        FAIL();
    } catch (const EBinFileError& e) {
        EXPECT_EQ(e.ErrorCode, EBinFileError::ecOpen);
        EXPECT_EQ(e.ErrNo, 2);
        EXPECT_EQ(e.Message(), "Cannot open file:\"" + kFile + "\"\r\nError Information: File not found");
    }
    f.SetFileName("C:\\bf\\nofolder\\x.dat");
    try {
        f.Open();
        FAIL();
    } catch (const EBinFileError& e) {
        EXPECT_EQ(e.ErrNo, 3);
        EXPECT_NE(e.Message().find("Path not found"), std::string::npos);
    }

    struct Case { int Set; int Normalised; };
    for (const Case& c : {Case{1, 1}, Case{2, 3}, Case{4, 7}, Case{8, 11}}) {
        f.SetOpenMode(c.Set);
        EXPECT_EQ(f.OpenMode(), c.Normalised);
    }

    f.SetFileName(kFile);
    f.SetOpenMode(8);  // missing: created
    f.Open();
    EXPECT_TRUE(f.Opened());
    EXPECT_EQ(f.RecNo, 0);
    EXPECT_TRUE(f.Exists());
    f.Close();
    EXPECT_EQ(f.RecNo, -1);
    f.Close();  // harmless

    TBinFile empty(4, 4);
    try {
        empty.Open();
        FAIL();
    } catch (const EBinFileError& e) {
        EXPECT_EQ(e.ErrorCode, EBinFileError::ecEmptyName);
        EXPECT_EQ(e.ErrNo, 0);  // no unrelated error number
        EXPECT_EQ(e.Message(), "FileName property is Empty");
    }

    TBinFile r(16, 8);
    r.SetFileName(kFile);
    char buf[16] = {};
    EXPECT_EQ(CodeOf([&] { r.ReadRecord(buf); }), 9);
    EXPECT_EQ(CodeOf([&] { r.RecCount(); }), 9);
    EXPECT_EQ(CodeOf([&] { r.CursPos(); }), 9);
    r.Open();
    EXPECT_EQ(CodeOf([&] { r.WriteHeader(buf); }), 10);
    EXPECT_EQ(CodeOf([&] { r.SetRecCount(2); }), 10);
    EXPECT_EQ(CodeOf([&] { r.Write(buf, 1); }), 10);
    r.RecNo = -1;
    EXPECT_EQ(CodeOf([&] { r.ReadRecord(buf); }), 8);
    EXPECT_EQ(CodeOf([&] { r.ReadRecord(buf, -1); }), 8);
    r.RecNo = 0;
    EXPECT_EQ(CodeOf([&] { r.ReadRecord(buf); }), 6);  // the file is empty
    EXPECT_EQ(CodeOf([&] { r.ReadHeader(buf); }), 4);
}

TEST_F(BinFile, RecordsAndTheirCaches)
{
    TBinFile w(16, 8);
    w.SetFileName(kFile);
    w.SetOpenMode(4);
    w.Open();
    w.WriteHeader("HEADER-HEADER-16");
    for (int i = 0; i < 3; ++i) {
        std::string rec = "record" + std::to_string(i) + "!";
        w.RecNo = i;
        w.WriteRecord(rec.data());
    }
    EXPECT_EQ(w.RecCount(), 3);
    char buf[128] = {};
    w.RecNo = 1;
    w.ReadRecord(buf);
    EXPECT_EQ(std::string(buf, 8), "record1!");
    w.Flush();

    // A cached record is served again without the file; Refresh goes back to it.
    Poke(16 + 8, "CHANGED1");
    w.ReadRecord(buf);
    EXPECT_EQ(std::string(buf, 8), "record1!");
    w.Refresh();
    w.ReadRecord(buf);
    EXPECT_EQ(std::string(buf, 8), "CHANGED1");

    // A numbered write of the cached record does not leave the old copy behind.
    w.WriteRecord("NUMBERED", 1);
    w.ReadRecord(buf);
    EXPECT_EQ(std::string(buf, 8), "NUMBERED");
    w.ReadRecord(buf, 2);
    EXPECT_EQ(std::string(buf, 8), "record2!");
    EXPECT_EQ(w.RecNo, 1);  // numbered operations leave RecNo alone

    // A shorter file must not hand out a record that is gone.
    w.SetRecCount(1);
    EXPECT_EQ(w.RecCount(), 1);
    EXPECT_EQ(CodeOf([&] { w.ReadRecord(buf); }), 6);
    // Lengthening adds zero records.
    w.SetRecCount(2);
    w.ReadRecord(buf);
    EXPECT_EQ(std::string(buf, 8), std::string(8, '\0'));
    EXPECT_EQ(w.FileSize(), 32);

    // A failed read leaves no half-filled cache: the next read goes to the file again.
    w.RecNo = 5;
    EXPECT_EQ(CodeOf([&] { w.ReadRecord(buf); }), 6);
    w.RecNo = 0;
    w.ReadRecord(buf);
    EXPECT_EQ(std::string(buf, 8), "record0!");

    w.ReadHeader(buf);
    EXPECT_EQ(std::string(buf, 16), "HEADER-HEADER-16");
    w.Seek(0, 0);
    EXPECT_EQ(w.Write("header", 6), 6u);  // a raw write over the header drops its cache
    w.ReadHeader(buf);
    EXPECT_EQ(std::string(buf, 16), "header-HEADER-16");
    w.SetCursPos(3);
    EXPECT_EQ(w.CursPos(), 3);
    EXPECT_EQ(w.Read(buf, 100), 29u);  // a short transfer is no error

    w.UseCache = false;
    Poke(0, "H");
    w.ReadHeader(buf);
    EXPECT_EQ(buf[0], 'H');
}

TEST_F(BinFile, ShareModes)
{
    MakeFile(40);
    struct Case { int FirstOpen, FirstShare, SecondOpen, SecondShare; bool SecondOpens; };
    const Case cases[] = {
        {2, 8, 2, 8, false},  // two writers that each deny writing
        {2, 8, 1, 8, true},   // a reader that denies nothing joins a writer
        {1, 8, 1, 8, true},   // readers
        {1, 2, 1, 2, true},   // readers that both deny writing
        {1, 2, 2, 8, false},  // a writer while a reader denies writing
        {2, 0, 2, 0, true},   // writers that deny nothing
        {1, 3, 1, 0, true},   // a reader that takes no lock is not stopped here
        {1, 3, 1, 2, false},
    };
    for (const Case& c : cases) {
        TBinFile a(16, 8), b(16, 8);
        a.SetFileName(kFile);
        b.SetFileName(kFile);
        a.SetOpenMode(c.FirstOpen);
        a.SetShareMode(c.FirstShare);
        b.SetOpenMode(c.SecondOpen);
        b.SetShareMode(c.SecondShare);
        a.Open();
        int code = CodeOf([&] { b.Open(); });
        EXPECT_EQ(code == 0, c.SecondOpens) << c.FirstOpen << "/" << c.FirstShare << " " << c.SecondOpen << "/"
                                            << c.SecondShare;
        if (code != 0) {
            try {
                b.Open();
            } catch (const EBinFileError& e) {
                EXPECT_EQ(e.ErrNo, 5);
            }
        }
    }
    // Create mode does not cut a file another holder keeps.
    TBinFile keeper(16, 8);
    keeper.SetFileName(kFile);
    keeper.SetOpenMode(2);
    keeper.Open();
    TBinFile creator(16, 8);
    creator.SetFileName(kFile);
    creator.SetOpenMode(4);
    EXPECT_EQ(CodeOf([&] { creator.Open(); }), EBinFileError::ecCreate);
    EXPECT_EQ(keeper.FileSize(), 40);
}

TEST_F(BinFile, TimeAttributesAndRemoval)
{
    MakeFile(20);
    TBinFile f(0, 0);
    f.SetFileName(kFile);
    f.SetOpenMode(2);
    f.Open();
    f.SetFileTime(DateTimeX(2021, 6, 15, 10, 20, 31));
    DateTimeX t = f.FileTime();
    EXPECT_EQ(t.Year, 2021);
    EXPECT_EQ(t.Month, 6);
    EXPECT_EQ(t.Day, 15);
    EXPECT_EQ(t.Hour, 10);
    EXPECT_EQ(t.Minute, 20);
    EXPECT_EQ(t.Second, 30);  // two-second steps
    // Years the format cannot hold are an error, not a wrapped date.
    for (int year : {1979, 2108}) {
        try {
            f.SetFileTime(DateTimeX(year, 1, 1, 0, 0, 0));
            FAIL() << year;
        } catch (const EBinFileError& e) {
            EXPECT_EQ(e.ErrorCode, EBinFileError::ecSetTime);
            EXPECT_EQ(e.Message().rfind("Unknown error", 0), 0u);
        }
    }
    EXPECT_EQ(f.FileTime().Year, 2021);
    // A file dated by another program outside those years reads as an error too, never a wrapped date.
    for (std::time_t when : {std::time_t{15'000'000} /* 1970 */, std::time_t{7'300'000'000} /* 2201 */}) {
        const struct timespec times[2] = {{when, 0}, {when, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, MapWindowsPath(kFile).c_str(), times, 0), 0);
        try {
            DateTimeX wrapped = f.FileTime();
            FAIL() << when << " read as " << wrapped.Year;
        } catch (const EBinFileError& e) {
            EXPECT_EQ(e.ErrorCode, EBinFileError::ecGetTime) << when;
        }
    }
    f.SetFileTime(DateTimeX(2021, 6, 15, 10, 20, 31));
    EXPECT_EQ(f.FileTime().Year, 2021);

    EXPECT_TRUE(f.FileAttr() & 0x20);
    f.SetFileAttr(0x01);
    EXPECT_TRUE(f.FileAttr() & 0x01);
    f.SetFileAttr(0x20);
    EXPECT_FALSE(f.FileAttr() & 0x01);

    f.Remove();
    EXPECT_FALSE(f.Opened());
    EXPECT_FALSE(f.Exists());
    EXPECT_EQ(CodeOf([&] { f.Remove(); }), EBinFileError::ecDelete);
    EXPECT_EQ(CodeOf([&] { f.FileAttr(); }), EBinFileError::ecGetAttr);
}

TEST_F(BinFile, MessagesInEveryLanguage)
{
    EBinFileError en("a.dat", EBinFileError::ecReadOnly, 0);
    EXPECT_EQ(en.Message(), "Cannot write readonly-mode opened file:\"a.dat\"");
    EXPECT_EQ(EBinFileError("", EBinFileError::ecGetTime, 19).Message(),
              "Unknown error\r\nError Information: Invalid argument");
    EXPECT_EQ(EBinFileError("", EBinFileError::ecOpen, 77).Message(),
              "Cannot open file\r\nError Information: Unknown error");

    AppLang.SetLangType(TAppLang::ltGbk);
    EXPECT_EQ(EBinFileError("x", EBinFileError::ecDelete, 5).Message(),
              Utf8ToGbk("不能删除文件:\"x\"\r\n错误信息: 拒绝访问"));
    // In BIG5 the whole message, file name included, goes through the conversion.
    AppLang.SetLangType(TAppLang::ltBig5);
    AnsiString gbkName = Utf8ToGbk("明");
    EBinFileError tw(gbkName, EBinFileError::ecDelete, 0);
    EXPECT_EQ(tw.Message(), AppLang.FromGBK(Utf8ToGbk("不能刪除檔案:\"明\"")));
    EXPECT_NE(tw.Message().find("\xA9\xFA"), std::string::npos);
    EXPECT_EQ(tw.FileName, gbkName);
}

TEST_F(BinFile, CachesAlikeInEveryWritableMode)
{
    for (int open : {2, 4, 8}) {
        for (int share : {0, 1, 2, 3, 8}) {
            MakeFile(16 + 16);
            TBinFile f(16, 8);
            f.SetFileName(kFile);
            f.SetOpenMode(open);
            f.SetShareMode(share);
            f.Open();
            f.WriteHeader("0123456789abcdef");
            f.RecNo = 1;
            f.WriteRecord("cached!!");
            f.WriteRecord("numbered", 1);
            char buf[16] = {};
            f.ReadRecord(buf);
            EXPECT_EQ(std::string(buf, 8), "numbered") << open << "/" << share;
            f.ReadHeader(buf);
            EXPECT_EQ(std::string(buf, 16), "0123456789abcdef");
            EXPECT_EQ(f.RecCount(), 2);
        }
    }
}
