#pragma once
// The class library's regional format settings. The program sets its own at
// start-up; numbers and dates are formatted and read with these, never with the
// C library's locale. The defaults are the classic United States settings.
#include <array>

#include "platform/core/Types.h"

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    AnsiString CurrencyString = "$";
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    Byte CurrencyFormat = 0;
    // 0 "($1)" ... 15 "(1 $)", the sixteen forms of the class library.
    Byte NegCurrFormat = 0;
    Byte CurrencyDecimals = 2;
    AnsiString ShortDateFormat = "M/d/yyyy";
    AnsiString LongDateFormat = "dddd, MMMM dd, yyyy";
    AnsiString ShortTimeFormat = "h:mm AMPM";
    AnsiString LongTimeFormat = "h:mm:ss AMPM";
    AnsiString TimeAMString = "AM";
    AnsiString TimePMString = "PM";
    std::array<AnsiString, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<AnsiString, 12> LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};
    std::array<AnsiString, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<AnsiString, 7> LongDayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    // Two-digit years fall within this many years before the current one (0: current century).
    Word TwoDigitYearCenturyWindow = 50;
};

// The settings every conversion uses unless it is handed others. Written by the
// program on the user-interface thread at start-up only.
extern TFormatSettings FormatSettings;
