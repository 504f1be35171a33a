// The date and time texts of the saved files' headers, the live log and its
// file names, with the program's fixed regional formats.
#include <gtest/gtest.h>

#include "platform/core/SysUtils.h"

namespace {

class ProgramFormats : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved = FormatSettings;
        FormatSettings.ShortDateFormat = FormatSettings.LongDateFormat = "MM/DD/yyyy";
        FormatSettings.ShortTimeFormat = FormatSettings.LongTimeFormat = "HH:mm:ss";
        FormatSettings.DateSeparator = '/';
        FormatSettings.TimeSeparator = ':';
    }
    void TearDown() override { FormatSettings = FSaved; }

    static TDateTime At(Word y, Word mo, Word d, Word h, Word mi, Word s, Word ms = 0)
    {
        return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
    }

private:
    TFormatSettings FSaved;
};

} // namespace

TEST_F(ProgramFormats, HeaderAndLiveLogStamps)
{
    struct Case {
        const char* format;
        TDateTime value;
        const char* text;
    };
    const Case cases[] = {
        // Header lines and the program file's date.
        {"yyyy'/'MM'/'DD", At(2021, 11, 25, 9, 30, 15), "2021/11/25"},
        {"HH':'mm':'ss", At(2021, 11, 25, 9, 30, 15), "09:30:15"},
        {"yyyy'/'MM'/'DD'-'HH':'mm':'ss", At(2021, 11, 25, 14, 3, 22), "2021/11/25-14:03:22"},
        {"yyyy'/'MM'/'DD'-'HH':'mm':'ss", At(2000, 1, 1, 0, 0, 0), "2000/01/01-00:00:00"},
        {"yyyy'/'MM'/'DD'-'HH':'mm':'ss", At(1999, 12, 31, 23, 59, 59, 999), "1999/12/31-23:59:59"},
        // The live log: two-digit year, 24-hour clock.
        {"yy'/'MM'/'dd", At(2021, 11, 25, 9, 30, 15), "21/11/25"},
        {"yy/MM/dd", At(2009, 1, 5, 9, 30, 15), "09/01/05"},
        {"yy/MM/dd", At(2100, 3, 1, 0, 0, 0), "00/03/01"},
        {"HH:mm:ss", At(2021, 11, 25, 0, 0, 0), "00:00:00"},
        {"HH:mm:ss", At(2021, 11, 25, 23, 59, 59), "23:59:59"},
        {"HH:mm:ss", At(2021, 11, 25, 12, 5, 9), "12:05:09"},
        {"yyyy/MM/dd", At(2021, 11, 25, 9, 30, 15), "2021/11/25"},
        // "mm" is minutes right after an hour, also across quoted text, else months.
        {"hh'h'mm", At(2021, 11, 25, 9, 7, 0), "09h07"},
        {"mm/dd hh:mm", At(2021, 11, 25, 9, 7, 0), "11/25 09:07"},
        {"hh:mm:ss mm", At(2021, 11, 25, 9, 7, 0), "09:07:00 11"},
        // The twelve-hour clock only where an am/pm mark follows.
        {"hh:nn am/pm", At(2021, 11, 25, 0, 7, 0), "12:07 am"},
        {"hh:nn AM/PM", At(2021, 11, 25, 12, 7, 0), "12:07 PM"},
        {"h:nn a/p", At(2021, 11, 25, 13, 7, 0), "1:07 p"},
        {"hh:nn ampm", At(2021, 11, 25, 13, 7, 0), "01:07 PM"},
        {"hh 'am/pm'", At(2021, 11, 25, 13, 7, 0), "13 am/pm"},
        {"hh:nn hh ampm", At(2021, 11, 25, 13, 7, 0), "13:07 01 PM"},
        {"hh:nn a ampm", At(2021, 11, 25, 13, 7, 0), "13:07 a PM"},
        // The program's short formats.
        {"c", At(2021, 11, 25, 9, 30, 15), "11/25/2021 09:30:15"},
        {"c", At(2021, 11, 25, 0, 0, 0), "11/25/2021"},
        {"ddddd", At(2021, 11, 25, 9, 30, 15), "11/25/2021"},
        {"tt", At(2021, 11, 25, 9, 30, 15), "09:30:15"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, c.value), c.text) << c.format;
}

TEST_F(ProgramFormats, LiveLogFileNameFromTheStartTime)
{
    // The name takes the two-digit pieces of "HH:mm:ss" and "yyyy/MM/dd".
    const TDateTime start = At(2021, 11, 25, 9, 30, 15);
    const AnsiString time = FormatDateTime("HH:mm:ss", start);
    const AnsiString date = FormatDateTime("yyyy/MM/dd", start);
    const AnsiString name = date.substr(2, 2) + date.substr(5, 2) + date.substr(8, 2) + "-" + time.substr(0, 2) +
                            time.substr(3, 2) + time.substr(6, 2) + "-LiveMeasResult.txt";
    EXPECT_EQ(name, "211125-093015-LiveMeasResult.txt");
    EXPECT_EQ(Format("%13s", {"Date:" + FormatDateTime("yy/MM/dd", start)}), "Date:21/11/25");
    EXPECT_EQ(Format("%15s", {"Date:" + FormatDateTime("yyyy'/'MM'/'DD", start)}), "Date:2021/11/25");
    EXPECT_EQ(Format("%13s", {"Time:" + FormatDateTime("HH':'mm':'ss", start)}), "Time:09:30:15");
}

TEST_F(ProgramFormats, DatesTimesAndTheirParts)
{
    Word y, m, d, h, n, s, ms;
    // A time a hair before midnight reads as the next day's midnight, as the
    // class library rounds to the millisecond.
    const TDateTime almostMidnight = EncodeDate(2021, 11, 25) + (MSecsPerDay - 0.4) / MSecsPerDay;
    DecodeDate(almostMidnight, y, m, d);
    DecodeTime(almostMidnight, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}), (std::vector<int>{2021, 11, 26, 0, 0, 0, 0}));
    EXPECT_EQ(FormatDateTime("yyyy'/'MM'/'DD'-'HH':'mm':'ss", almostMidnight), "2021/11/26-00:00:00");
    // 999 milliseconds keep the whole second.
    DecodeTime(EncodeTime(10, 20, 30, 999), h, n, s, ms);
    EXPECT_EQ((std::vector<int>{h, n, s, ms}), (std::vector<int>{10, 20, 30, 999}));
    // Days before 1899-12-30 carry the time as a positive fraction.
    const TDateTime before = EncodeDate(1899, 12, 29) - 0.25;
    EXPECT_EQ(FormatDateTime("yyyy'/'MM'/'DD HH:mm", before), "1899/12/29 06:00");
    EXPECT_EQ(DayOfWeek(EncodeDate(2021, 11, 25)), 5);
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 29)), 6);
    EXPECT_EQ(EncodeDate(2021, 11, 25), 44525);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
}
