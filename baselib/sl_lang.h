#pragma once
// The language of the library's own messages and dialogs: ANSI, GBK
// (simplified Chinese) or BIG5 (traditional Chinese), with the font that goes
// with it. Message tables keep their Chinese texts in GBK; FromGBK turns them
// into BIG5 while the language is BIG5.
#include <cstdint>

#include "platform/core/Types.h"

class TAppLang {
public:
    enum TLangType : std::uint8_t { ltAnsi = 1, ltGbk = 2, ltBig5 = 3 };
    enum TDetectType : std::uint8_t { dtAuto = 0, dtManual = 1 };

    static const char* const Str_SongTi;      // GBK
    static const char* const Str_XiMyTi;      // BIG5
    static const char* const Str_MsSansSerif;
    static const char* const Str_SimSun;
    static const char* const Str_MingLiU;
    static const char* const Str_ParadoxAscii;
    static const char* const Str_ParadoxGbk;
    static const char* const Str_ParadoxBig5;

    TAppLang();
    virtual ~TAppLang() = default;

    unsigned short LangID() const { return FLangID; }
    TLangType LangType() const { return FLangType; }
    void SetLangType(TLangType Value);
    std::uint8_t Charset() const { return FCharset; }
    void SetCharset(std::uint8_t Value);
    const AnsiString& FontName() const { return FFontName; }
    void SetFontName(const AnsiString& Value) { FFontName = Value; }
    int FontSize() const { return FFontSize; }
    void SetFontSize(int Value) { FFontSize = Value; }
    TDetectType DetectType() const { return FDetectType; }
    void SetDetectType(TDetectType Value);
    bool CvtBig5() const { return FCvtBig5; }
    void SetCvtBig5(bool Value) { FCvtBig5 = Value; }

    AnsiString fGetPdxLangDrv() const;
    int _fGetMinFontSize() const;
    AnsiString FromGBK(const AnsiString& Text) const;

    static int _fGBK_No(unsigned char Lead, unsigned char Trail);

private:
    void _fLangTypeFromDetectType();
    void _fLangTypeFromCharset();
    void _fCharsetFromLangType();
    void _fFontNameSizeFromLangType();

    unsigned short FLangID = 0;
    TLangType FLangType = ltAnsi;
    AnsiString FFontName;
    std::uint8_t FCharset = 0;
    int FFontSize = 8;
    TDetectType FDetectType = dtAuto;
    bool FCvtBig5 = true;
};

// 24066 entries: GBK lead 0x81-0xFE times trail 0x40-0xFE, lead-major.
extern const std::uint16_t GB2BIG5_TAB[24066];

// The one language object of the library, built before main.
extern TAppLang AppLang;

// The message tables are written in UTF-8 so that they read in the source;
// their Chinese texts become GBK when picked.
AnsiString Utf8ToGbk(const AnsiString& Text);
// One row of a message table: its key and its three variants.
struct TLangText {
    int Key;
    const char* En;
    const char* Cn;  // simplified
    const char* Tw;  // traditional
};
// The variant of AppLang's language (2 simplified, 3 traditional, else
// English), the Chinese ones in GBK, not yet through FromGBK.
AnsiString LangTextGbk(const TLangText& Text);
// The same passed through FromGBK.
AnsiString LangText(const TLangText& Text);
AnsiString LangText(const char* English, const char* Simplified, const char* Traditional);
// The row of Key, or null.
template <size_t N>
const TLangText* FindLangText(const TLangText (&Table)[N], int Key)
{
    for (const TLangText& t : Table)
        if (t.Key == Key)
            return &t;
    return nullptr;
}
// The unknown-error text of every table.
extern const TLangText UnknownErrorText;
