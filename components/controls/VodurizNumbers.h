#pragma once
// Number rules of the typed edit: classification of a text, its conversions and the
// case rule of mixed-case names. Pure functions over the locale separators.
#include <cstdint>

#include "platform/core/Types.h"

// Result of NumberClass.
enum TNumberClass { ncInteger = 0, ncFloat = 1, ncNone = 2, ncHex = 5 };

// Classifies S as integer, float (with group and decimal separators), hexadecimal or
// none. A minus sign counts only in the first position.
int NumberClass(const AnsiString& S);
// S without the locale's thousand separators.
AnsiString WithoutThousands(const AnsiString& S);
// S without thousand separators, read with the locale; 0 for anything unreadable.
double EStrToFloat(const AnsiString& S);
// Hexadecimal digits weighted from the right; other characters count 0; wraps at 32 bits.
std::int32_t HexValue(const AnsiString& S);
// Capitalises words, and the parts after "Mc"/"Mac" and roman "I"/"II" endings.
AnsiString MixedCase(const AnsiString& S);
// 1-based position of the decimal separator in S without its group separators
// (Length + 1 without one): FixedLength - 1 is the length of the integer part.
int FixedLength(const AnsiString& S);

// Leading number of S with '.' as decimal point, independent of the locale.
double ValFloat(const AnsiString& S);
// Leading integer of S (sign and digits), 32-bit; 0 when none stands first.
std::int32_t ValInt(const AnsiString& S);


// The typed edit's Format patterns: "%.<Decimals><Type>" ('f' fixed, 'n' grouped) and "%g".
AnsiString FormatDecimals(double Value, int Decimals, char Type);
