#pragma once
// Floating-point text conversion with the class library's rules: the value's
// decimal digits (at most 18 significant) are rounded as decimal digits, halves
// away from zero. A value rounded to fewer than 15 digits is first taken as its
// 15-digit decimal, so the noise of binary arithmetic (1.00165 * 10 is
// 10.016499999999999) does not turn a half down. Separators come from the
// format settings.
#include "platform/core/FormatSettings.h"
#include "platform/core/Types.h"

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// ffGeneral: shortest of fixed and scientific with Precision significant digits,
//   trailing zeros dropped; scientific below 0.0001 or with more than Precision
//   integer digits; Digits is the least number of exponent digits (0..4).
// ffExponent: "-d.dddE+dd" with Precision digits; Digits as for ffGeneral.
// ffFixed, ffNumber (with thousand separators), ffCurrency: Digits decimals;
//   a value with more integer digits than Precision is written as ffGeneral.
AnsiString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
AnsiString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& Settings);
// ffGeneral with 15 digits.
AnsiString FloatToStr(double Value);
AnsiString FloatToStr(double Value, const TFormatSettings& Settings);
// Format strings of the class library: '0' and '#' digit places, '.', ',' for
// thousand separators, "E+0"/"E-0" exponents, quoted text, and up to three
// sections "positive;negative;zero"; an empty section takes the positive one,
// an empty positive one gives the ffGeneral text of FloatToStr.
AnsiString FormatFloat(const AnsiString& Format, double Value);
AnsiString FormatFloat(const AnsiString& Format, double Value, const TFormatSettings& Settings);

// Blanks around the number are allowed; the decimal separator is the settings' one.
// EConvertError "'<S>' is not a valid floating point value".
double StrToFloat(const AnsiString& S);
double StrToFloat(const AnsiString& S, const TFormatSettings& Settings);
double StrToFloatDef(const AnsiString& S, double Default);
bool TryStrToFloat(const AnsiString& S, double& Value);
bool TryStrToFloat(const AnsiString& S, double& Value, const TFormatSettings& Settings);
