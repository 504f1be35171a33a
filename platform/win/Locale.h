#pragma once
// The system's own number separators (from LC_NUMERIC, LC_ALL or LANG), as the
// program asks for them at start-up before it fixes its own formats. Reading
// them changes nothing: the program formats numbers with FormatSettings only.

struct TSystemNumberFormat {
    char DecimalSeparator = '.';
    char ThousandSeparator = ','; // '\0' when the locale has none
};

TSystemNumberFormat GetSystemNumberFormat();

// The system's default language identifier as Win32 numbers it (primary
// language in the low 10 bits, sublanguage above), from LC_ALL, LC_MESSAGES
// or LANG: zh_CN 0x0804, zh_TW 0x0404, zh_HK 0x0C04, zh_SG 0x1004, zh_MO
// 0x1404; other languages by their primary language; English (United States)
// 0x0409 when nothing is set or the language is not known.
unsigned short GetSystemDefaultLangID();
