#pragma once
// Dates, times of day and their combination as whole numbers: a running day
// number (0001-01-01 is day 1), seconds since midnight and a 64-bit time stamp.
#include <cstdint>

#include "platform/core/Types.h"

struct DateX {
    std::int32_t DOW = 0;  // 0 Sunday ... 6 Saturday
    std::int32_t Month = 0;
    std::int32_t Day = 0;
    std::int32_t Year = 0;
    std::int32_t D111 = 0;

    DateX();  // today
    DateX(std::int32_t AYear, int AMonth, int ADay) { Assign(AYear, AMonth, ADay); }

    void Assign(TDateTime Value);
    void Assign(std::int32_t AYear, int AMonth, int ADay);
    void SetD111(std::int32_t Days);
    void NextMonth(int Months);
    int GetMonthDays(int AMonth) const;
    void AssignDOW();
    void DateToY111();
    void Y111ToDate();
    bool _isLeap() const;
    bool _isValid() const;
};

struct TimeX {
    std::int32_t Hour = 0;
    std::int32_t Minute = 0;
    std::int32_t Second = 0;
    std::int32_t T000 = 0;

    TimeX();  // now, whole seconds
    TimeX(int AHour, int AMinute, int ASecond) { Assign(AHour, AMinute, ASecond); }

    void Assign(TDateTime Value);
    void Assign(int AHour, int AMinute, int ASecond);
    void SetSecs000(std::int32_t Seconds);
    void TimeToT000();
    void T000ToTime();
    bool _isValid() const;
};

struct DateTimeX : DateX, TimeX {
    DateTimeX() = default;  // the present moment
    DateTimeX(int AYear, int AMonth, int ADay, int AHour, int AMinute, int ASecond)
    {
        Assign(AYear, AMonth, ADay, AHour, AMinute, ASecond);
    }

    void Assign(std::int64_t Stamp) { fSetTStamp(Stamp); }
    void Assign(TDateTime Value);
    void Assign(const DateX& D, const TimeX& T);
    void Assign(int AYear, int AMonth, int ADay, int AHour, int AMinute, int ASecond);

    std::int64_t TStamp() const { return fGetTStamp(); }
    void SetTStamp(std::int64_t Stamp) { fSetTStamp(Stamp); }
    std::int64_t fGetTStamp() const;
    void fSetTStamp(std::int64_t Stamp);
    bool IsValid() const { return fIsValid(); }
    bool fIsValid() const;
    // Sets the system clock to this local date and time; false when the record
    // is invalid or the system refused (setting the clock needs the right to).
    bool SetToSystem() const;
};
