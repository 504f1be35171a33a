#pragma once
// The system's own number separators (from LC_NUMERIC, LC_ALL or LANG), as the
// program asks for them at start-up before it fixes its own formats. Reading
// them changes nothing: the program formats numbers with FormatSettings only.

struct TSystemNumberFormat {
    char DecimalSeparator = '.';
    char ThousandSeparator = ','; // '\0' when the locale has none
};

TSystemNumberFormat GetSystemNumberFormat();
