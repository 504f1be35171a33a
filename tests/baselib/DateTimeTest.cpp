#include <gtest/gtest.h>

#include "baselib/sl_datetime.h"
#include "platform/core/DateTime.h"

TEST(DateTimeX, DayNumbersAndWeekdays)
{
    struct Case { int Y, M, D; int Days; int Dow; };
    const Case cases[] = {
        {1, 1, 1, 1, 1},          {2000, 1, 1, 730120, 6},  {2024, 12, 30, 739250, 1},
        {2024, 12, 31, 739251, 2}, {2000, 12, 30, 730484, 6}, {2024, 2, 29, 738945, 4},
        {1900, 3, 1, 693655, 4},
    };
    for (const Case& c : cases) {
        DateX d(c.Y, c.M, c.D);
        EXPECT_EQ(d.D111, c.Days) << c.Y << "-" << c.M << "-" << c.D;
        EXPECT_EQ(d.DOW, c.Dow);
        DateX back(1, 1, 1);
        back.SetD111(c.Days);
        EXPECT_EQ(back.Year, c.Y);
        EXPECT_EQ(back.Month, c.M);
        EXPECT_EQ(back.Day, c.D);
    }
    DateX zero(1, 1, 1);
    zero.SetD111(0);
    EXPECT_EQ(zero.Year, 0);
    EXPECT_EQ(zero.Month, 12);
    EXPECT_EQ(zero.Day, 31);
    // Month and day are not limited: month 13 lands in January, day 0 on the month before.
    EXPECT_EQ(DateX(2023, 13, 1).D111, DateX(2024, 1, 1).D111);
    EXPECT_EQ(DateX(2024, 3, 0).D111, DateX(2024, 2, 29).D111);
}

TEST(DateTimeX, RoundTripOverFourCenturies)
{
    DateX d(1, 1, 1);
    for (int n = 1; n < 146097 * 2 + 5; n += 37) {
        d.SetD111(n);
        DateX again(d.Year, d.Month, d.Day);
        ASSERT_EQ(again.D111, n);
    }
}

TEST(DateTimeX, Validity)
{
    struct Case { int Y, M, D; bool Valid; };
    const Case cases[] = {
        {2023, 2, 29, false}, {2024, 2, 29, true}, {2000, 2, 29, true}, {1900, 2, 29, false},
        {2024, 13, 1, false}, {2024, 0, 1, false}, {2024, 4, 31, false}, {1, 1, 1, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateX(c.Y, c.M, c.D)._isValid(), c.Valid) << c.Y << "-" << c.M << "-" << c.D;

    EXPECT_TRUE(TimeX(25, 0, 0)._isValid());
    EXPECT_FALSE(TimeX(1, 60, 0)._isValid());
    EXPECT_FALSE(DateTimeX(2024, 1, 1, 25, 0, 0).IsValid());
    EXPECT_TRUE(DateTimeX(2024, 1, 1, 23, 59, 59).IsValid());
    EXPECT_FALSE(DateTimeX(2024, 1, 1, 24, 0, 0).SetToSystem());  // invalid: refused, clock untouched
}

TEST(DateTimeX, NextMonth)
{
    struct Case { int Y, M, D, N; int EY, EM; };
    const Case cases[] = {
        {2024, 12, 15, 1, 2025, 1}, {2024, 3, 10, -12, 2023, 3}, {2024, 2, 10, -3, 2023, 11},
        {2024, 5, 1, -5, 2023, 12}, {2024, 5, 1, -17, 2022, 12}, {2024, 1, 1, 25, 2026, 2},
    };
    for (const Case& c : cases) {
        DateX d(c.Y, c.M, c.D);
        d.NextMonth(c.N);
        EXPECT_EQ(d.Year, c.EY) << c.N;
        EXPECT_EQ(d.Month, c.EM) << c.N;
        EXPECT_EQ(d.Day, c.D);
        EXPECT_EQ(d.D111, DateX(c.EY, c.EM, c.D).D111);
    }
    DateX jan31(2024, 1, 31);
    jan31.NextMonth(1);
    EXPECT_FALSE(jan31._isValid());
    EXPECT_EQ(jan31.D111, DateX(2024, 3, 2).D111);
}

TEST(DateTimeX, StampsAndConversions)
{
    DateTimeX t(2000, 1, 1, 0, 0, 1);
    EXPECT_EQ(t.TStamp(), 63082368001LL);
    DateTimeX back;
    back.SetTStamp(63082368001LL);
    EXPECT_EQ(back.Year, 2000);
    EXPECT_EQ(back.Month, 1);
    EXPECT_EQ(back.Day, 1);
    EXPECT_EQ(back.Second, 1);
    EXPECT_EQ(back.DOW, 6);

    DateTimeX c;
    c.Assign(EncodeDate(2024, 7, 9) + EncodeTime(13, 14, 15, 999));
    EXPECT_EQ(c.Year, 2024);
    EXPECT_EQ(c.Month, 7);
    EXPECT_EQ(c.Day, 9);
    EXPECT_EQ(c.Hour, 13);
    EXPECT_EQ(c.Minute, 14);
    EXPECT_EQ(c.Second, 15);
    EXPECT_EQ(c.T000, 13 * 3600 + 14 * 60 + 15);
}
