#include "platform/core/DateTime.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/core/Exceptions.h"

namespace {

// Days from 1899-12-30 to the civil date (proleptic Gregorian).
long DaysFromCivil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468 + 25569; // 1970-01-01 is day 25569
}

void CivilFromDays(long z, long& y, unsigned& m, unsigned& d)
{
    z += 719468 - 25569;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

// Whole days and milliseconds of the day; the time of a negative value is its
// fraction's magnitude, as the class library reads it.
void Split(TDateTime Value, long& days, long& msecs)
{
    long long total = std::llround(std::fabs(Value) * MSecsPerDay);
    days = static_cast<long>(total / MSecsPerDay);
    msecs = static_cast<long>(total % MSecsPerDay);
    if (Value < 0)
        days = -days;
}

} // namespace

TDateTime Now()
{
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDate(static_cast<Word>(tm.tm_year + 1900), static_cast<Word>(tm.tm_mon + 1), static_cast<Word>(tm.tm_mday)) +
           EncodeTime(static_cast<Word>(tm.tm_hour), static_cast<Word>(tm.tm_min), static_cast<Word>(std::min(tm.tm_sec, 59)),
                      static_cast<Word>(ms));
}

TDateTime Date() { return std::floor(Now()); }
TDateTime Time()
{
    TDateTime n = Now();
    return n - std::floor(n);
}

bool IsLeapYear(Word Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

Word MonthDays(Word Year, Word Month)
{
    static const Word days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12)
        return 0;
    return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Value)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > MonthDays(Year, Month))
        return false;
    Value = static_cast<TDateTime>(DaysFromCivil(Year, Month, Day));
    return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day)
{
    TDateTime v = 0;
    if (!TryEncodeDate(Year, Month, Day, v))
        throw EConvertError("Invalid argument to date encode");
    return v;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Value)
{
    if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000)
        return false;
    Value = (Hour * 3600000.0 + Min * 60000.0 + Sec * 1000.0 + MSec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec)
{
    TDateTime v = 0;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, v))
        throw EConvertError("Invalid argument to time encode");
    return v;
}

void DecodeDate(TDateTime Value, Word& Year, Word& Month, Word& Day)
{
    long days = 0, msecs = 0;
    Split(Value, days, msecs);
    long y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(days, y, m, d);
    Year = static_cast<Word>(y);
    Month = static_cast<Word>(m);
    Day = static_cast<Word>(d);
}

void DecodeTime(TDateTime Value, Word& Hour, Word& Min, Word& Sec, Word& MSec)
{
    long days = 0, msecs = 0;
    Split(Value, days, msecs);
    Hour = static_cast<Word>(msecs / 3600000);
    Min = static_cast<Word>(msecs / 60000 % 60);
    Sec = static_cast<Word>(msecs / 1000 % 60);
    MSec = static_cast<Word>(msecs % 1000);
}

int DayOfWeek(TDateTime Value)
{
    long days = 0, msecs = 0;
    Split(Value, days, msecs);
    // 1899-12-30 was a Saturday.
    long dow = (days + 6) % 7;
    if (dow < 0)
        dow += 7;
    return static_cast<int>(dow) + 1;
}

TDateTime IncMonth(TDateTime Value, int NumberOfMonths)
{
    Word y, m, d;
    DecodeDate(Value, y, m, d);
    long months = static_cast<long>(y) * 12 + (m - 1) + NumberOfMonths;
    auto ny = static_cast<Word>(months / 12);
    auto nm = static_cast<Word>(months % 12 + 1);
    Word nd = std::min(d, MonthDays(ny, nm));
    TDateTime time = std::fabs(Value - std::trunc(Value));
    return EncodeDate(ny, nm, nd) + time;
}

TDateTime FileDateToDateTime(int FileDate)
{
    auto u = static_cast<unsigned>(FileDate);
    Word date = static_cast<Word>(u >> 16), time = static_cast<Word>(u & 0xFFFF);
    TDateTime d = 0, t = 0;
    if (!TryEncodeDate(static_cast<Word>((date >> 9) + 1980), static_cast<Word>((date >> 5) & 15), static_cast<Word>(date & 31), d) ||
        !TryEncodeTime(static_cast<Word>(time >> 11), static_cast<Word>((time >> 5) & 63), static_cast<Word>((time & 31) * 2), 0, t))
        throw EConvertError("Invalid argument to date encode");
    return d + t;
}

int DateTimeToFileDate(TDateTime Value)
{
    Word y, m, d, h, n, s, ms;
    DecodeDate(Value, y, m, d);
    DecodeTime(Value, h, n, s, ms);
    if (y < 1980 || y > 2107)
        return 0;
    unsigned date = static_cast<unsigned>((y - 1980) << 9 | m << 5 | d);
    unsigned time = static_cast<unsigned>(h << 11 | n << 5 | s / 2);
    return static_cast<int>(date << 16 | time);
}
