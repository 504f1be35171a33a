#pragma once
// Text inside the program is UTF-8. Files of 8-bit text are written in one of
// the single-byte code pages below and turned back into UTF-8 when read, so that
// they exchange with programs that wrote them that way.
#include "platform/core/Types.h"

enum class TCodePage {
    Windows1252, // the 8-bit text files
    Oem850,      // the OEM code page of the OEM conversions
    Latin1,      // ISO-8859-1, for documents that declare it
};

// What a character the code page cannot hold becomes.
enum class TUnmappable {
    QuestionMark, // "?"
    CharRef,      // a numeric character reference "&#NNNN;" (markup documents)
};

// Bytes that are not valid UTF-8 are written as they stand.
AnsiString Utf8ToCodePage(const AnsiString& S, TCodePage CP, TUnmappable How = TUnmappable::QuestionMark);
// Every byte has a character, so reading never fails.
AnsiString CodePageToUtf8(const AnsiString& S, TCodePage CP);
