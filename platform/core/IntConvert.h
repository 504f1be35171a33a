#pragma once
// Integer text conversion of the class library.
#include "platform/core/Types.h"

AnsiString IntToStr(int Value);
AnsiString IntToStr(Int64 Value);
// Upper-case hexadecimal with at least Digits digits.
AnsiString IntToHex(Int64 Value, int Digits);
AnsiString IntToHex(int Value, int Digits);

// Leading blanks, a sign and "$" or "0x" for hexadecimal are accepted; nothing
// may follow the digits. EConvertError "'<S>' is not a valid integer value".
int StrToInt(const AnsiString& S);
Int64 StrToInt64(const AnsiString& S);
int StrToIntDef(const AnsiString& S, int Default);
Int64 StrToInt64Def(const AnsiString& S, Int64 Default);
bool TryStrToInt(const AnsiString& S, int& Value);
bool TryStrToInt64(const AnsiString& S, Int64& Value);

// The class library's Val: reads up to the first character that does not fit;
// Code is 0 on success, else the 1-based position of that character.
void Val(const AnsiString& S, int& Value, int& Code);
