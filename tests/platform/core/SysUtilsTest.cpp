#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include <utime.h>

#include "platform/core/SysUtils.h"

#include "tests/support/TestSupport.h"

namespace {

// The regional settings the program fixes at start-up.
TFormatSettings ProgramSettings()
{
    TFormatSettings fs;
    fs.ShortDateFormat = fs.LongDateFormat = "MM/DD/yyyy";
    fs.ShortTimeFormat = fs.LongTimeFormat = "HH:mm:ss";
    fs.DateSeparator = '/';
    fs.TimeSeparator = ':';
    fs.DecimalSeparator = '.';
    fs.ThousandSeparator = ',';
    return fs;
}

// Swaps the global settings for one test.
class WithSettings {
public:
    explicit WithSettings(const TFormatSettings& fs) : FSaved(FormatSettings) { FormatSettings = fs; }
    ~WithSettings() { FormatSettings = FSaved; }

private:
    TFormatSettings FSaved;
};

} // namespace

TEST(FloatToStrF, FixedRoundsDecimalDigitsHalfAwayFromZero)
{
    struct Case {
        double value;
        int precision, digits;
        const char* text;
    };
    const Case cases[] = {
        // The measured-value display: 7 (main) and 6 (monitor) significant digits.
        {5, 7, 5, "5.00000"},
        {5, 6, 4, "5.0000"},
        {10, 7, 4, "10.0000"},
        {-10, 8, 4, "-10.0000"},
        {-0.5, 8, 5, "-0.50000"},
        {99999.5, 7, 1, "99999.5"},
        {99999.5, 6, 0, "100000"},
        {123456.7, 7, 0, "123457"},
        {0, 8, 5, "0.00000"},
        {1.23456, 6, 4, "1.2346"},
        {123.456, 6, 2, "123.46"},
        {999.999, 6, 2, "1000.00"}, // the rounding carries into the next decade
        // Halves go away from zero; values just below a half stay below.
        {0.125, 15, 2, "0.13"},
        {-0.125, 15, 2, "-0.13"},
        {2.5, 15, 0, "3"},
        {-2.5, 15, 0, "-3"},
        {1.005, 15, 2, "1.01"}, // rounds as the decimal 1.005, not as the binary 1.00499999999999989
        {2.675, 15, 2, "2.68"},
        {1.0049999, 15, 2, "1.00"},
        {0.0005, 15, 3, "0.001"},
        {0.0004, 15, 3, "0.000"},
        {-0.0001, 15, 2, "0.00"}, // no minus sign on a zero result
        {0.5, 15, 0, "1"},
        {1e-20, 15, 2, "0.00"},
        // More integer digits than the precision: scientific.
        {1234567.0, 6, 0, "1.23457E6"},
        {-1234567.0, 6, 0, "-1.23457E6"},
        {999999.5, 6, 0, "1E6"},
        {123456.0, 6, 2, "123456.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrF(c.value, ffFixed, c.precision, c.digits), c.text)
            << c.value << " P" << c.precision << " D" << c.digits;
}

TEST(FloatToStrF, GeneralExponentNumberAndCurrency)
{
    struct Case {
        double value;
        TFloatFormat format;
        int precision, digits;
        const char* text;
    };
    const Case cases[] = {
        {0.1, ffGeneral, 15, 0, "0.1"},
        {100, ffGeneral, 15, 0, "100"},
        {-1.5, ffGeneral, 15, 0, "-1.5"},
        {1.0 / 3, ffGeneral, 15, 0, "0.333333333333333"},
        {1e20, ffGeneral, 15, 0, "1E20"},
        {1e15, ffGeneral, 15, 0, "1E15"},
        {1e14, ffGeneral, 15, 0, "100000000000000"},
        {0.0001, ffGeneral, 15, 0, "0.0001"},
        {0.00001, ffGeneral, 15, 0, "1E-5"},
        {1.5e-7, ffGeneral, 15, 2, "1.5E-07"},
        {0, ffGeneral, 15, 0, "0"},
        {123456, ffGeneral, 4, 0, "1.235E5"},
        {1234.5, ffExponent, 5, 3, "1.2345E+003"},
        {1234.56, ffExponent, 4, 2, "1.235E+03"},
        {-0.00125, ffExponent, 3, 0, "-1.25E-3"},
        {0, ffExponent, 4, 2, "0.000E+00"},
        {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
        {-999.5, ffNumber, 15, 0, "-1,000"},
        {12.3, ffNumber, 15, 1, "12.3"},
        {1234.5, ffCurrency, 15, 2, "$1,234.50"},
        {-1234.5, ffCurrency, 15, 2, "($1,234.50)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.text) << c.value << " " << c.format;
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStrF(0.1, ffGeneral, 18, 0), "0.1"); // no binary noise
    EXPECT_EQ(FloatToStrF(0.1 + 0.2, ffGeneral, 18, 0), "0.30000000000000004");
}

TEST(FloatToStrF, UsesTheProgramSeparatorsNotTheCLocale)
{
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 2, fs), "1.234,50");
    EXPECT_EQ(FloatToStrF(1.5, ffFixed, 15, 3, fs), "1,500");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, fs), "1.234,50");
    EXPECT_EQ(StrToFloat("1,5", fs), 1.5);
    WithSettings global(fs);
    EXPECT_EQ(FloatToStr(2.25), "2,25");
    EXPECT_EQ(Format("%.1f", {2.25}), "2,3");
}

TEST(FormatFloat, FormatStringsOfTheClassLibrary)
{
    struct Case {
        const char* format;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"", 1234, "1234"},
        {"0", 1234, "1234"},
        {"0", -1234, "-1234"},
        {"0", 0.5, "1"},
        {"0.00", 1234, "1234.00"},
        {"0.00", 0.5, "0.50"},
        {"0.00", 0.125, "0.13"},
        {"0.00", 2.675, "2.68"},
        {"0.00", -0.001, "0.00"},
        {"#.##", 1234, "1234"},
        {"#.##", 0.5, ".5"},
        {"#.##", 0, ""},
        {"0.##", 1, "1"},
        {"0.0#", 1.234, "1.23"},
        {"#,##0.00", 1234, "1,234.00"},
        {"#,##0.00", -1234567.891, "-1,234,567.89"},
        {"#,##0.00", 0.5, "0.50"},
        {"#,##0.00;(#,##0.00)", -1234, "(1,234.00)"},
        {"#,##0.00;;Zero", 0, "Zero"},
        {"#,##0.00;;Zero", -1234, "-1,234.00"},
        {"0.00;-0.00;zero", 0.001, "zero"},
        {"0.000E+00", 1234, "1.234E+03"},
        {"0.000E+00", -1234, "-1.234E+03"},
        {"0.000E+00", 0.5, "5.000E-01"},
        {"0.000E+00", 0, "0.000E+00"},
        {"#.###E-0", 1234, "1.234E3"},
        {"#.###E-0", 0.5, "5E-1"},
        {"#.###E-0", 0, "0E0"},
        {"000", 7, "007"},
        {"0.0 \"V\"", 1.25, "1.3 V"},
        {"'x='0.0", 2, "x=2.0"},
        {"00.00E+00", 1234, "12.34E+02"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " of " << c.value;
}

TEST(StrToFloat, ReadsNumbersAndRefusesOthersWithTheLibraryMessage)
{
    struct Good {
        const char* text;
        double value;
    };
    const Good good[] = {{"1.5", 1.5},   {" 2.5 ", 2.5},  {"-1e3", -1000}, {"1E-2", 0.01}, {".5", 0.5},
                         {"5.", 5},      {"+7", 7},       {"0", 0},        {"1.23456e-01", 0.123456}};
    for (const auto& g : good)
        EXPECT_DOUBLE_EQ(StrToFloat(g.text), g.value) << g.text;
    for (const char* bad : {"abc", "", " ", "1,5", "1.5x", "1e", "--1", "1 5", ".", "e5", "1.2.3"})
        EXPECT_EQ(ErrorOf([&] { StrToFloat(bad); }),
                  AnsiString("EConvertError: '") + bad + "' is not a valid floating point value");
    EXPECT_EQ(StrToFloatDef("x", 3.5), 3.5);
}

TEST(IntConvert, IntegersHexAndTheirErrors)
{
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(Int64{1} << 40), "1099511627776");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 8), "FFFFFFFF");
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(StrToInt(" 12"), 12);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483648LL);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x10"), 16);
    for (const char* bad : {"abc", "", "12 ", "2147483648", "1.5", "-"})
        EXPECT_EQ(ErrorOf([&] { StrToInt(bad); }), AnsiString("EConvertError: '") + bad + "' is not a valid integer value");
    EXPECT_EQ(StrToIntDef("x", -1), -1);
    int v = 0, code = 0;
    Val("123abc", v, code);
    EXPECT_EQ(v, 123);
    EXPECT_EQ(code, 4);
}

TEST(Format, SpecifiersWidthsAndErrors)
{
    EXPECT_EQ(Format("%d|%5d|%-5d|%.3d", {5, 5, 5, 5}), "5|    5|5    |005");
    EXPECT_EQ(Format("%x %.4x %u", {255, 255, -1}), "FF 00FF 4294967295");
    EXPECT_EQ(Format("%s|%6s|%-6s|%.2s", {"abc", "abc", "abc", "abc"}), "abc|   abc|abc   |ab");
    EXPECT_EQ(Format("%.2f %f %.0f", {3.14159, 2.5, 2.5}), "3.14 2.50 3");
    EXPECT_EQ(Format("%e", {1234.5}), "1.23450000000000E+003");
    EXPECT_EQ(Format("%g %.3g", {0.5, 1234.5}), "0.5 1.23E003");
    EXPECT_EQ(Format("%n", {1234567.5}), "1,234,567.50");
    EXPECT_EQ(Format("%*d|%-*d", {5, 42, 4, 7}), "   42|7   ");
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b"}), "b a b");
    EXPECT_EQ(Format("100%% %s", AnsiString("done")), "100% done");
    EXPECT_EQ(Format("%6.2f", 1.5), "  1.50");
    EXPECT_EQ(ErrorOf([] { Format("%d", {1.5}); }), "EConvertError: Format '%d' invalid or incompatible with argument");
    EXPECT_EQ(ErrorOf([] { Format("%d %d", {1}); }), "EConvertError: No argument for format '%d %d'");
}

TEST(StringUtils, TrimCaseCompareReplaceAndPos)
{
    EXPECT_EQ(Trim(" \t a b\r\n"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(UpperCase("Cs-Rs"), "CS-RS");
    EXPECT_EQ(LowerCase("Cs-Rs"), "cs-rs");
    EXPECT_TRUE(SameText("Vac", "VAC"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareStr("a", "B"), 0);
    EXPECT_EQ(Pos("Rs", "Cs-Rs"), 4);
    EXPECT_EQ(Pos("x", "Cs-Rs"), 0);
    EXPECT_EQ(StringReplace("a,b,c", ",", ".", 0), "a.b,c");
    EXPECT_EQ(StringReplace("a,b,c", ",", ".", rfReplaceAll), "a.b.c");
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfReplaceAll | rfIgnoreCase), "a-b-c");
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(Copy("Zorvane", 2, 3), "orv");
    EXPECT_EQ(Copy("Zorvane", 6, 10), "ne");
}

TEST(FormatDateTime, EveryFormatTheProgramUses)
{
    WithSettings program(ProgramSettings());
    const TDateTime morning = EncodeDate(2021, 11, 25) + EncodeTime(9, 30, 15, 0);
    const TDateTime afternoon = EncodeDate(2021, 11, 25) + EncodeTime(14, 3, 22, 7);
    struct Case {
        const char* format;
        TDateTime value;
        const char* text;
    };
    const Case cases[] = {
        {"yyyy'/'MM'/'DD'-'HH':'mm':'ss", afternoon, "2021/11/25-14:03:22"},
        {"MM/DD/yyyy", morning, "11/25/2021"},
        {"HH:mm:ss", morning, "09:30:15"},
        {"yyyy/MM/dd", morning, "2021/11/25"},
        {"yy/MM/dd", morning, "21/11/25"},
        // Live log name stamps: "mm" right after an hour is minutes.
        {"yymmdd", morning, "211125"},
        {"hhnnss", morning, "093015"},
        {"hhmmss", morning, "093015"},
        {"yymmdd'-'hhnnss", morning, "211125-093015"},
        {"h:nn am/pm", afternoon, "2:03 pm"},
        {"h:nn AMPM", EncodeTime(0, 5, 0, 0), "12:05 AM"},
        {"hh:nn:ss.zzz", afternoon, "14:03:22.007"},
        {"dddd, mmmm d", morning, "Thursday, November 25"},
        {"ddd mmm", morning, "Thu Nov"},
        {"c", morning, "11/25/2021 09:30:15"},
        {"c", EncodeDate(2021, 11, 25), "11/25/2021"},
        {"ddddd tt", morning, "11/25/2021 09:30:15"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, c.value), c.text) << c.format;
    EXPECT_EQ(DateToStr(morning), "11/25/2021");
    EXPECT_EQ(TimeToStr(morning), "09:30:15");
    EXPECT_EQ(DateTimeToStr(morning), "11/25/2021 09:30:15");

    // The separators in '/' and ':' follow the settings; quoted ones do not.
    TFormatSettings other = ProgramSettings();
    other.DateSeparator = '-';
    other.TimeSeparator = '.';
    EXPECT_EQ(FormatDateTime("MM/DD/yyyy HH:mm:ss", morning, other), "11-25-2021 09.30.15");
    EXPECT_EQ(FormatDateTime("yyyy'/'MM'/'DD'-'HH':'mm':'ss", morning, other), "2021/11/25-09:30:15");
}

TEST(DateTime, EncodeDecodeAndTheDayCount)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    Word y, m, d, h, n, s, ms;
    DecodeDate(EncodeDate(2024, 2, 29), y, m, d);
    EXPECT_EQ((std::vector<int>{y, m, d}), (std::vector<int>{2024, 2, 29}));
    DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ((std::vector<int>{h, n, s, ms}), (std::vector<int>{23, 59, 59, 999}));
    EXPECT_EQ(DayOfWeek(EncodeDate(2000, 1, 1)), 7); // Saturday
    EXPECT_EQ(ErrorOf([] { EncodeDate(2023, 2, 29); }), "EConvertError: Invalid argument to date encode");
    EXPECT_EQ(ErrorOf([] { EncodeTime(24, 0, 0, 0); }), "EConvertError: Invalid argument to time encode");
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 10), -12), EncodeDate(2023, 3, 10));
    TDateTime now = Now();
    EXPECT_NEAR(now, Date() + Time(), 1.0 / SecsPerDay);
}

TEST(DateTime, ReadsDatesAndTimesWithTheSettings)
{
    WithSettings program(ProgramSettings());
    EXPECT_EQ(StrToDate("11/25/2021"), EncodeDate(2021, 11, 25));
    EXPECT_EQ(StrToDate(" 1/2/2021 "), EncodeDate(2021, 1, 2));
    EXPECT_EQ(StrToDate("11/25/21"), EncodeDate(2021, 11, 25));
    EXPECT_EQ(ErrorOf([] { StrToDate("25/11/2021"); }), "EConvertError: '25/11/2021' is not a valid date");
    EXPECT_EQ(ErrorOf([] { StrToDate("x"); }), "EConvertError: 'x' is not a valid date");
    EXPECT_DOUBLE_EQ(StrToTime("09:30:15"), EncodeTime(9, 30, 15, 0));
    EXPECT_DOUBLE_EQ(StrToTime("2:05 PM"), EncodeTime(14, 5, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("12:00 am"), 0);
    EXPECT_EQ(ErrorOf([] { StrToTime("25:00"); }), "EConvertError: '25:00' is not a valid time");
    EXPECT_DOUBLE_EQ(StrToDateTime("11/25/2021 09:30:15"), EncodeDate(2021, 11, 25) + EncodeTime(9, 30, 15, 0));

    TFormatSettings european = ProgramSettings();
    european.ShortDateFormat = "dd.MM.yyyy";
    european.DateSeparator = '.';
    EXPECT_EQ(StrToDate("25.11.2021", european), EncodeDate(2021, 11, 25));
}

TEST(FileUtils, NamesWithEitherSeparator)
{
    struct Case {
        const char* name;
        const char* path;
        const char* dir;
        const char* file;
        const char* ext;
    };
    const Case cases[] = {
        {"C:\\Zorvane\\GraphView\\x.bmp", "C:\\Zorvane\\GraphView\\", "C:\\Zorvane\\GraphView", "x.bmp", ".bmp"},
        {"/tmp/a/b.tar.gz", "/tmp/a/", "/tmp/a", "b.tar.gz", ".gz"},
        {"C:\\b.txt", "C:\\", "C:\\", "b.txt", ".txt"},
        {"C:b.txt", "C:", "C:", "b.txt", ".txt"},
        {"dir.x\\file", "dir.x\\", "dir.x", "file", ""},
        {"plain", "", "", "plain", ""},
        {"/x", "/", "/", "x", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    }
    EXPECT_EQ(ChangeFileExt("a\\b.c.txt", ".bak"), "a\\b.c.bak");
    EXPECT_EQ(ChangeFileExt("dir.x/file", ".txt"), "dir.x/file.txt");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\data"), "C:\\data\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\data\\"), "C:\\data\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp/x"), "/tmp/x/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/tmp/x/"), "/tmp/x");
}

TEST(FileUtils, FoldersFilesAndTwoSecondFileDates)
{
    auto dir = TestDir("fileutils");
    AnsiString deep = (dir / "a" / "b" / "c").string();
    EXPECT_TRUE(ForceDirectories(deep + "/"));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));
    EXPECT_TRUE(ForceDirectories(deep)); // already there
    EXPECT_EQ(ErrorOf([] { ForceDirectories(""); }), "EInOutError: Unable to create directory");

    AnsiString name = deep + "/f.txt";
    EXPECT_EQ(FileAge(name), -1);
    std::ofstream(name) << "x";
    EXPECT_TRUE(FileExists(name));
    EXPECT_EQ(FileSizeOf(name), 1);

    // A write time of 14:03:23 reads back in the two-second steps of the file date.
    std::tm tm{};
    tm.tm_year = 2021 - 1900;
    tm.tm_mon = 10;
    tm.tm_mday = 25;
    tm.tm_hour = 14;
    tm.tm_min = 3;
    tm.tm_sec = 23;
    tm.tm_isdst = -1;
    utimbuf times{};
    times.actime = times.modtime = std::mktime(&tm);
    ASSERT_EQ(utime(name.c_str(), &times), 0);
    EXPECT_EQ(FormatDateTime("yyyy'/'MM'/'DD'-'HH':'mm':'ss", FileDateToDateTime(FileAge(name))), "2021/11/25-14:03:22");
    int age = DateTimeToFileDate(EncodeDate(2020, 1, 2) + EncodeTime(3, 4, 6, 0));
    EXPECT_EQ(FileSetDate(name, age), 0);
    EXPECT_EQ(FileAge(name), age);

    AnsiString moved = deep + "/g.txt";
    EXPECT_TRUE(RenameFile(name, moved));
    EXPECT_FALSE(FileExists(name));
    EXPECT_TRUE(DeleteFile(moved));
    EXPECT_FALSE(DeleteFile(moved));
}

TEST(FileUtils, FindFirstWalksAFolderByPatternAndAttributes)
{
    auto dir = TestDir("find");
    std::ofstream(dir / "a.TXT") << "123";
    std::ofstream(dir / "b.txt") << "";
    std::ofstream(dir / "c.dat") << "";
    std::filesystem::create_directories(dir / "sub");
    auto collect = [&](const AnsiString& pattern, int attr) {
        std::vector<AnsiString> names;
        TSearchRec rec;
        for (int rc = FindFirst(dir.string() + "\\" + pattern, attr, rec); rc == 0; rc = FindNext(rec))
            names.push_back(rec.Name + ((rec.Attr & faDirectory) ? "/" : ""));
        FindClose(rec);
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_EQ(collect("*.txt", faAnyFile), (std::vector<AnsiString>{"a.TXT", "b.txt"}));
    EXPECT_EQ(collect("*.*", 0), (std::vector<AnsiString>{"a.TXT", "b.txt", "c.dat"}));
    EXPECT_EQ(collect("*.*", faDirectory), (std::vector<AnsiString>{"../", "./", "a.TXT", "b.txt", "c.dat", "sub/"}));
    EXPECT_EQ(collect("?.dat", faAnyFile), (std::vector<AnsiString>{"c.dat"}));
    TSearchRec rec;
    ASSERT_EQ(FindFirst((dir / "a.txt").string(), faAnyFile, rec), 0);
    EXPECT_EQ(rec.Size, 3);
    EXPECT_EQ(rec.Time, FileAge((dir / "a.TXT").string()));
    FindClose(rec);
    EXPECT_NE(FindFirst((dir / "none*").string(), faAnyFile, rec), 0);
}
