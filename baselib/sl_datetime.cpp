#include "baselib/sl_datetime.h"

#include <ctime>

#include "platform/core/DateTime.h"

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

DateX::DateX() { Assign(Date()); }

void DateX::Assign(TDateTime Value)
{
    Word y, m, d;
    DecodeDate(Value, y, m, d);
    Assign(y, m, d);
}

void DateX::Assign(std::int32_t AYear, int AMonth, int ADay)
{
    Year = AYear;
    Month = AMonth;
    Day = ADay;
    DateToY111();
    AssignDOW();
}

void DateX::SetD111(std::int32_t Days)
{
    D111 = Days;
    Y111ToDate();
    AssignDOW();
}

void DateX::NextMonth(int Months)
{
    int m = Month + Months;
    if (m <= 0) {
        Year += (m - 12) / 12;
        Month = m % 12 + 12;
    } else {
        Year += (m - 1) / 12;
        Month = (m - 1) % 12 + 1;
    }
    DateToY111();
    AssignDOW();
}

bool DateX::_isLeap() const { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

int DateX::GetMonthDays(int AMonth) const
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (AMonth < 1 || AMonth > 12)
        return 0;
    if (AMonth == 2 && _isLeap())
        return 29;
    return days[AMonth - 1];
}

void DateX::AssignDOW() { DOW = D111 % 7; }

void DateX::DateToY111()
{
    std::int32_t d = Year * 365 - 365;
    for (int i = 1; i < Month; ++i)
        d += GetMonthDays(i);
    d += Day;
    std::int32_t y = Year - 1;
    D111 = d + y / 4 - y / 100 + y / 400;
}

void DateX::Y111ToDate()
{
    std::int64_t n = std::int64_t(D111) - 1;  // days since 0001-01-01
    std::int64_t c400 = FloorDiv(n, 146097);
    n -= c400 * 146097;
    std::int64_t c100 = n / 36524;
    if (c100 == 4)
        c100 = 3;
    n -= c100 * 36524;
    std::int64_t c4 = n / 1461;
    n -= c4 * 1461;
    std::int64_t c1 = n / 365;
    if (c1 == 4)
        c1 = 3;
    n -= c1 * 365;
    Year = static_cast<std::int32_t>(c400 * 400 + c100 * 100 + c4 * 4 + c1 + 1);
    Month = 1;
    while (Month < 12 && n >= GetMonthDays(Month)) {
        n -= GetMonthDays(Month);
        ++Month;
    }
    Day = static_cast<std::int32_t>(n + 1);
}

bool DateX::_isValid() const
{
    DateX c = *this;
    c.SetD111(D111);
    return c.Year == Year && c.Month == Month && c.Day == Day;
}

TimeX::TimeX() { Assign(Now()); }

void TimeX::Assign(TDateTime Value)
{
    Word h, m, s, ms;
    DecodeTime(Value, h, m, s, ms);
    Assign(h, m, s);
}

void TimeX::Assign(int AHour, int AMinute, int ASecond)
{
    Hour = AHour;
    Minute = AMinute;
    Second = ASecond;
    TimeToT000();
}

void TimeX::SetSecs000(std::int32_t Seconds)
{
    T000 = Seconds;
    T000ToTime();
}

void TimeX::TimeToT000() { T000 = Hour * 3600 + Minute * 60 + Second; }

void TimeX::T000ToTime()
{
    Hour = T000 / 3600;
    Minute = (T000 % 3600) / 60;
    Second = T000 % 60;
}

bool TimeX::_isValid() const
{
    TimeX c = *this;
    c.T000ToTime();
    return c.Hour == Hour && c.Minute == Minute && c.Second == Second;
}

void DateTimeX::Assign(TDateTime Value)
{
    DateX::Assign(Value);
    TimeX::Assign(Value);
}

void DateTimeX::Assign(const DateX& D, const TimeX& T)
{
    static_cast<DateX&>(*this) = D;
    static_cast<TimeX&>(*this) = T;
}

void DateTimeX::Assign(int AYear, int AMonth, int ADay, int AHour, int AMinute, int ASecond)
{
    DateX::Assign(AYear, AMonth, ADay);
    TimeX::Assign(AHour, AMinute, ASecond);
}

std::int64_t DateTimeX::fGetTStamp() const { return std::int64_t(D111) * 86400 + T000; }

void DateTimeX::fSetTStamp(std::int64_t Stamp)
{
    SetD111(static_cast<std::int32_t>(Stamp / 86400));
    SetSecs000(static_cast<std::int32_t>(Stamp % 86400));
}

bool DateTimeX::fIsValid() const
{
    DateTimeX t = *this;
    t.fSetTStamp(fGetTStamp());
    return t.Year == Year && t.Month == Month && t.Day == Day && t.Hour == Hour && t.Minute == Minute &&
           t.Second == Second;
}

bool DateTimeX::SetToSystem() const
{
    if (!fIsValid())
        return false;
    std::tm tm{};
    tm.tm_year = Year - 1900;
    tm.tm_mon = Month - 1;
    tm.tm_mday = Day;
    tm.tm_hour = Hour;
    tm.tm_min = Minute;
    tm.tm_sec = Second;
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1))
        return false;
    timespec ts{t, 0};
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
}
