#pragma once
// TDateTime (days since 1899-12-30, time of day in the fraction) and its
// conversions, as the class library counts.
#include "platform/core/FormatSettings.h"
#include "platform/core/Types.h"

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;

TDateTime Now();
TDateTime Date();
TDateTime Time();

bool IsLeapYear(Word Year);
Word MonthDays(Word Year, Word Month);
// EConvertError "Invalid argument to date encode" / "... time encode".
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Value);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Value);
void DecodeDate(TDateTime Value, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Value, Word& Hour, Word& Min, Word& Sec, Word& MSec);
// 1 Sunday .. 7 Saturday.
int DayOfWeek(TDateTime Value);
// Same day of month in a later (or earlier) month, cut to that month's last day.
TDateTime IncMonth(TDateTime Value, int NumberOfMonths = 1);

// Tokens (letters in either case): c d dd ddd dddd ddddd dddddd m mm mmm mmmm
// (minutes right after an hour) y yy yyyy h hh n nn s ss z zzz t tt am/pm a/p
// ampm, '/' the date and ':' the time separator, '...' and "..." literal text.
AnsiString FormatDateTime(const AnsiString& Format, TDateTime Value);
AnsiString FormatDateTime(const AnsiString& Format, TDateTime Value, const TFormatSettings& Settings);
AnsiString DateToStr(TDateTime Value);                // ShortDateFormat
AnsiString TimeToStr(TDateTime Value);                // LongTimeFormat
AnsiString DateTimeToStr(TDateTime Value);            // both; the time only when not midnight

// Read in the order of ShortDateFormat with DateSeparator; a missing year is the
// current one. EConvertError "'<S>' is not a valid date" / "... time" / "... date and time".
TDateTime StrToDate(const AnsiString& S);
TDateTime StrToDate(const AnsiString& S, const TFormatSettings& Settings);
TDateTime StrToTime(const AnsiString& S);
TDateTime StrToTime(const AnsiString& S, const TFormatSettings& Settings);
TDateTime StrToDateTime(const AnsiString& S);
bool TryStrToDate(const AnsiString& S, TDateTime& Value);
bool TryStrToTime(const AnsiString& S, TDateTime& Value);

// File dates in the packed two-second form of the class library (local time).
TDateTime FileDateToDateTime(int FileDate);
int DateTimeToFileDate(TDateTime Value);
