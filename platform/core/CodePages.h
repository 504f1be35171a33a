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

// Text files that start with a byte order mark: UTF-8 with its mark, or UTF-16 in either
// byte order. The mark a file came with is kept so that writing it back keeps its encoding.
enum class TTextMark { None, Utf8, Utf16LE, Utf16BE };

// The file's text as UTF-8 without its mark. False for bytes that cannot be such text:
// broken UTF-16, or a NUL character (UTF-16 with no mark reads as text full of NULs).
bool DecodeMarkedText(const AnsiString& Bytes, AnsiString& Text, TTextMark& Mark);
// UTF-8 text as a file of the given mark (the mark first); bytes that are not valid
// UTF-8 are taken as Windows-1252.
AnsiString EncodeMarkedText(const AnsiString& Text, TTextMark Mark);
