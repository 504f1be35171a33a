#pragma once
// Text functions of the class library on 8-bit AnsiString. Case rules are plain
// ASCII: the program's texts are ASCII, and the result must not depend on the
// C library's locale.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/core/Types.h"

AnsiString Trim(const AnsiString& S);      // drops control characters and blanks at both ends
std::string_view TrimView(std::string_view S); // the same without a copy
std::string_view TrimLeftView(std::string_view S);
AnsiString TrimLeft(const AnsiString& S);
AnsiString TrimRight(const AnsiString& S);
AnsiString UpperCase(const AnsiString& S);
AnsiString LowerCase(const AnsiString& S);
AnsiString AnsiUpperCase(const AnsiString& S);
AnsiString AnsiLowerCase(const AnsiString& S);

// <0, 0, >0 like strcmp. CompareStr is case-sensitive, CompareText ignores case.
int CompareStr(const AnsiString& S1, const AnsiString& S2);
int CompareText(const AnsiString& S1, const AnsiString& S2);
bool SameText(const AnsiString& S1, const AnsiString& S2);
// AnsiCompareStr sorts as users read: by letter first, then lower case before upper (a, A, b, B).
int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2);
int AnsiCompareText(const AnsiString& S1, const AnsiString& S2);
bool AnsiSameText(const AnsiString& S1, const AnsiString& S2);

// Splits at "\r\n", "\n" and "\r"; a final line break adds no empty line.
std::vector<AnsiString> SplitTextLines(const AnsiString& S);

// 1-based position of Sub in S, 0 when absent (as the class library counts).
int Pos(const AnsiString& Sub, const AnsiString& S);
int AnsiPos(const AnsiString& Sub, const AnsiString& S);
// Copy(S, Index, Count) with a 1-based index; out-of-range parts are cut off.
AnsiString Copy(const AnsiString& S, int Index, int Count);

enum TReplaceFlag : unsigned { rfReplaceAll = 1u << 0, rfIgnoreCase = 1u << 1 };
using TReplaceFlags = unsigned;
AnsiString StringReplace(const AnsiString& S, const AnsiString& OldPattern, const AnsiString& NewPattern,
                         TReplaceFlags Flags);

// 'it''s' quoting of the class library.
AnsiString QuotedStr(const AnsiString& S);
AnsiString AnsiQuotedStr(const AnsiString& S, char Quote);
// Reads a quoted text starting at S[Pos] (0-based) and moves Pos past it.
// Returns "" when S[Pos] is not Quote. An unclosed quote takes the rest.
AnsiString AnsiExtractQuotedStr(const AnsiString& S, size_t& Pos, char Quote);
AnsiString AnsiDequotedStr(const AnsiString& S, char Quote);

AnsiString StringOfChar(char Ch, int Count);
