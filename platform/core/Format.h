#pragma once
// The class library's Format: "%" [index ":"] ["-"] [width] ["." precision] type
// with the types d u x e f g n m s p; width and precision may be '*'.
// Argument errors raise EConvertError as the class library does.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/core/FormatSettings.h"
#include "platform/core/Types.h"

// One argument of Format (the class library's TVarRec).
class TVarRec {
public:
    enum TKind { vtInteger, vtInt64, vtExtended, vtString, vtChar, vtPointer, vtBoolean };
    TVarRec(int v) : FKind(vtInteger), FInt(v) {}
    TVarRec(unsigned v) : FKind(vtInt64), FInt(v) {}
    TVarRec(long v) : FKind(vtInt64), FInt(v) {}
    TVarRec(long long v) : FKind(vtInt64), FInt(v) {}
    TVarRec(unsigned long v) : FKind(vtInt64), FInt(static_cast<Int64>(v)) {}
    TVarRec(unsigned long long v) : FKind(vtInt64), FInt(static_cast<Int64>(v)) {}
    TVarRec(short v) : FKind(vtInteger), FInt(v) {}
    TVarRec(unsigned short v) : FKind(vtInteger), FInt(v) {}
    TVarRec(unsigned char v) : FKind(vtInteger), FInt(v) {}
    TVarRec(bool v) : FKind(vtBoolean), FInt(v) {}
    TVarRec(double v) : FKind(vtExtended), FFloat(v) {}
    TVarRec(float v) : FKind(vtExtended), FFloat(v) {}
    TVarRec(long double v) : FKind(vtExtended), FFloat(static_cast<double>(v)) {}
    TVarRec(char v) : FKind(vtChar), FString(1, v) {}
    TVarRec(const char* v) : FKind(vtString), FString(v ? v : "") {}
    TVarRec(const AnsiString& v) : FKind(vtString), FString(v) {}
    TVarRec(const void* v) : FKind(vtPointer), FInt(static_cast<Int64>(reinterpret_cast<std::uintptr_t>(v))) {}

    TKind Kind() const { return FKind; }
    Int64 AsInt() const { return FInt; }
    double AsFloat() const { return FFloat; }
    const AnsiString& AsString() const { return FString; }

private:
    TKind FKind;
    Int64 FInt = 0;
    double FFloat = 0;
    AnsiString FString;
};

AnsiString Format(const AnsiString& Fmt, std::initializer_list<TVarRec> Args);
AnsiString Format(const AnsiString& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings);

template <typename... Args>
AnsiString Format(const AnsiString& Fmt, const Args&... args)
{
    return Format(Fmt, std::initializer_list<TVarRec>{TVarRec(args)...});
}
