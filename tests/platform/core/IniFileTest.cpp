#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "platform/core/IniFiles.h"
#include "platform/core/Streams.h"

#include "tests/support/TestSupport.h"

TEST(IniFile, WritesThroughWithCrLfAndReadsBack)
{
    auto name = (TestDir("ini") / "setup.ini").string();
    std::filesystem::remove(name);
    {
        TIniFile ini(name);
        ini.WriteString("Port", "Name", "COM3");
        ini.WriteInteger("Port", "Baud", 9600);
        ini.WriteBool("Log", "On", true);
        ini.WriteFloat("Log", "Level", 1.5);
    }
    EXPECT_EQ(ReadBytes(name), "[Port]\r\nName=COM3\r\nBaud=9600\r\n\r\n[Log]\r\nOn=1\r\nLevel=1.5\r\n");
    TIniFile back(name);
    EXPECT_EQ(back.ReadString("PORT", "name", "?"), "COM3"); // sections and keys ignore case
    EXPECT_EQ(back.ReadInteger("Port", "Baud", 0), 9600);
    EXPECT_TRUE(back.ReadBool("Log", "On", false));
    EXPECT_DOUBLE_EQ(back.ReadFloat("Log", "Level", 0), 1.5);
    EXPECT_EQ(back.ReadString("Port", "Missing", "dflt"), "dflt");
    EXPECT_EQ(back.ReadInteger("Port", "Name", -1), -1); // not a number
}

TEST(IniFile, ReadsLfFilesAndKeepsCommentsWhenWritingBack)
{
    auto name = TestDir("ini") / "lf.ini";
    WriteBytes(name, "; settings\n[A]\nx = 1\n; note\ny=0x1F\n\n[b]\nz=text with = sign\n");
    TIniFile ini(name.string());
    EXPECT_EQ(ini.ReadInteger("a", "X", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 31);
    EXPECT_EQ(ini.ReadString("B", "z", ""), "text with = sign");
    TStringList sections, keys, values;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.CommaText(), "A,b");
    ini.ReadSection("A", &keys);
    EXPECT_EQ(keys.CommaText(), "x,y");
    ini.ReadSectionValues("A", &values);
    EXPECT_EQ(values.Values("y"), "0x1F");
    EXPECT_TRUE(ini.SectionExists("B"));
    EXPECT_TRUE(ini.ValueExists("A", "Y"));
    EXPECT_FALSE(ini.ValueExists("A", "q"));

    ini.WriteString("A", "w", "new");
    ini.DeleteKey("A", "x");
    ini.EraseSection("b");
    EXPECT_EQ(ReadBytes(name), "; settings\r\n[A]\r\n; note\r\ny=0x1F\r\nw=new\r\n\r\n");
}

TEST(IniFile, MemIniFileWritesOnlyOnUpdate)
{
    auto name = TestDir("ini") / "mem.ini";
    std::filesystem::remove(name);
    TMemIniFile ini(name.string());
    ini.WriteString("S", "k", "v");
    EXPECT_FALSE(std::filesystem::exists(name));
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(name), "[S]\r\nk=v\r\n");
}

TEST(IniFile, UnwritableFileRaisesTheIniError)
{
    auto name = (TestDir("ini") / "no-such-dir" / "x.ini").string();
    TIniFile ini(name);
    EXPECT_EQ(ErrorOf([&] { ini.WriteString("S", "k", "v"); }), "EIniFileException: Unable to write to " + name);
}

namespace {

std::string Utf16(const std::string& Ascii, bool BigEndian)
{
    std::string out = BigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : Ascii)
        out += BigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

} // namespace

// A marked file keeps its first section and is written back in its own encoding.
TEST(IniFile, ReadsUtf8AndUtf16FilesByTheirMark)
{
    std::string text;
    for (int i = 1; i <= 20; ++i)
        text += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    const struct { const char* Name; std::string Bytes; std::string Mark; } files[] = {
        {"bom8.ini", "\xEF\xBB\xBF" + text, "\xEF\xBB\xBF"},
        {"le16.ini", Utf16(text, false), Utf16("[", false)},
        {"be16.ini", Utf16(text, true), Utf16("[", true)},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.Name);
        auto name = (TestDir("ini") / f.Name).string();
        WriteBytes(name, f.Bytes);
        TIniFile ini(name);
        TStringList sections;
        ini.ReadSections(&sections);
        EXPECT_EQ(sections.Count(), 20);
        EXPECT_EQ(ini.ReadInteger("S1", "k", 0), 1);
        EXPECT_EQ(ini.ReadInteger("S20", "k", 0), 20);
        ini.WriteString("S1", "k", "\xC3\xA9"); // e acute
        TIniFile back(name);
        EXPECT_EQ(back.ReadString("S1", "k", ""), "\xC3\xA9");
        EXPECT_EQ(ReadBytes(name).substr(0, f.Mark.size()), f.Mark);
    }
}

TEST(IniFile, TextWithNulsIsRefusedNotReadInPart)
{
    // UTF-16 without its mark, and a marked file cut in the middle of a character.
    const std::string utf16 = Utf16("[A]\r\nk=1\r\n", false);
    const struct { const char* Name; std::string Bytes; } files[] = {
        {"nomark16.ini", utf16.substr(2)},
        {"odd16.ini", utf16.substr(0, utf16.size() - 1)},
    };
    for (const auto& f : files) {
        auto name = (TestDir("ini") / f.Name).string();
        WriteBytes(name, f.Bytes);
        EXPECT_EQ(ErrorOf([&] { TIniFile ini(name); }), "EIniFileException: Unable to read " + name + ": not a text file");
    }
}

TEST(Streams, FileStreamModesAndErrors)
{
    auto name = (TestDir("ini") / "stream.bin").string();
    {
        TFileStream f(name, fmCreate | fmShareExclusive);
        f.WriteBuffer("hello world", 11);
        EXPECT_EQ(f.Size(), 11);
    }
    {
        TFileStream f(name, fmOpenReadWrite);
        f.Seek(6, soBeginning);
        f.WriteBuffer("W", 1);
        f.SetPosition(0);
        char buf[5];
        f.ReadBuffer(buf, 5);
        EXPECT_EQ(std::string(buf, 5), "hello");
        EXPECT_EQ(f.Position(), 5);
        char more[20];
        EXPECT_EQ(f.Read(more, 20), 6);
        EXPECT_EQ(std::string(more, 6), " World");
        f.SetPosition(8);
        EXPECT_EQ(ErrorOf([&] { f.ReadBuffer(more, 10); }), "EReadError: Stream read error");
    }
    auto missing = (TestDir("ini") / "missing.bin").string();
    EXPECT_EQ(ErrorOf([&] { TFileStream f(missing, fmOpenRead); }),
              "EFOpenError: Cannot open file \"" + missing + "\". No such file or directory");
    auto bad = (TestDir("ini") / "no-dir" / "x.bin").string();
    EXPECT_EQ(ErrorOf([&] { TFileStream f(bad, fmCreate); }),
              "EFCreateError: Cannot create file \"" + bad + "\". No such file or directory");
}

TEST(Streams, AFailedReadIsReportedNotTakenForTheEnd)
{
    // Reading a folder fails even for root: the stream says so instead of giving 0 bytes.
    const int fd = ::open(TestDir("ini").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    {
        THandleStream s(fd);
        char buf[8];
        EXPECT_EQ(s.Read(buf, sizeof buf), -1);
        EXPECT_EQ(ErrorOf([&] { s.ReadBuffer(buf, sizeof buf); }), "EReadError: Stream read error");
    }
    ::close(fd);
}

TEST(Streams, MemoryAndStringStreamsCopy)
{
    TStringStream src("0123456789");
    src.SetPosition(2);
    TMemoryStream mem;
    EXPECT_EQ(mem.CopyFrom(&src, 5), 5);
    EXPECT_EQ(mem.Size(), 5);
    TStringStream all;
    all.CopyFrom(&src, 0); // 0 copies the whole source
    EXPECT_EQ(all.DataString(), "0123456789");
    mem.SetPosition(0);
    TStringStream dst;
    dst.CopyFrom(&mem, mem.Size());
    EXPECT_EQ(dst.DataString(), "23456");
    dst.SetPosition(1);
    EXPECT_EQ(dst.ReadString(3), "345");
    mem.SetSize(2);
    EXPECT_EQ(mem.Size(), 2);
}
