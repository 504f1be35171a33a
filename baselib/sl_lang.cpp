#include "baselib/sl_lang.h"

#include <iconv.h>

#include "platform/win/Locale.h"

const char* const TAppLang::Str_SongTi = "\xCB\xCE\xCC\xE5";
const char* const TAppLang::Str_XiMyTi = "\xB2\xD3\xA9\xFA\xC5\xE9";
const char* const TAppLang::Str_MsSansSerif = "MS Sans Serif";
const char* const TAppLang::Str_SimSun = "SimSun";
const char* const TAppLang::Str_MingLiU = "MingLiU";
const char* const TAppLang::Str_ParadoxAscii = "ascii";
const char* const TAppLang::Str_ParadoxGbk = "china";
const char* const TAppLang::Str_ParadoxBig5 = "taiwan";

const std::uint16_t GB2BIG5_TAB[24066] = {
#include "Gb2Big5Table.inc"
};

TAppLang::TAppLang()
{
    FFontName.clear();
    FLangID = GetSystemDefaultLangID();
    FCvtBig5 = true;
    SetDetectType(dtAuto);
}

void TAppLang::_fLangTypeFromDetectType()
{
    if (FDetectType == dtManual)
        return;
    unsigned primary = FLangID & 0x3FF;
    unsigned sub = FLangID >> 10;
    if (primary != 0x04)
        FLangType = ltAnsi;
    else if (sub == 2 || sub == 4)
        FLangType = ltGbk;
    else
        FLangType = ltBig5;
}

void TAppLang::_fLangTypeFromCharset()
{
    FLangType = FCharset == 134 ? ltGbk : FCharset == 136 ? ltBig5 : ltAnsi;
}

void TAppLang::_fCharsetFromLangType()
{
    FCharset = FLangType == ltGbk ? 134 : FLangType == ltBig5 ? 136 : 0;
}

void TAppLang::_fFontNameSizeFromLangType()
{
    if (FLangType == ltGbk)
        FFontName = Str_SongTi;
    else if (FLangType == ltBig5)
        FFontName = Str_XiMyTi;
    else
        FFontName = Str_MsSansSerif;
    FFontSize = _fGetMinFontSize();
}

void TAppLang::SetDetectType(TDetectType Value)
{
    FDetectType = Value;
    _fLangTypeFromDetectType();
    _fCharsetFromLangType();
    _fFontNameSizeFromLangType();
}

void TAppLang::SetLangType(TLangType Value)
{
    FLangType = Value;
    FDetectType = dtManual;
    _fCharsetFromLangType();
    _fFontNameSizeFromLangType();
}

void TAppLang::SetCharset(std::uint8_t Value)
{
    FCharset = Value;
    FDetectType = dtManual;
    _fLangTypeFromCharset();
}

AnsiString TAppLang::fGetPdxLangDrv() const
{
    return FLangType == ltGbk ? Str_ParadoxGbk : FLangType == ltBig5 ? Str_ParadoxBig5 : Str_ParadoxAscii;
}

int TAppLang::_fGetMinFontSize() const { return FLangType == ltGbk || FLangType == ltBig5 ? 9 : 8; }

int TAppLang::_fGBK_No(unsigned char Lead, unsigned char Trail)
{
    int n = Lead * 191 + Trail - 24703;
    return n < 0 || n > 24065 ? 0 : n;
}

AnsiString TAppLang::FromGBK(const AnsiString& Text) const
{
    if (FLangType != ltBig5 || !FCvtBig5)
        return Text;
    AnsiString out = Text;
    for (size_t i = 0; i < out.size(); ++i) {
        auto lead = static_cast<unsigned char>(Text[i]);
        if (lead < 0x81 || lead > 0xFE || i + 1 >= Text.size())
            continue;
        auto trail = static_cast<unsigned char>(Text[i + 1]);
        if (trail < 0x40 || trail > 0xFE)
            continue;
        std::uint16_t e = GB2BIG5_TAB[_fGBK_No(lead, trail)];
        out[i] = static_cast<char>((e & 0xFF) ^ 0x80);
        out[i + 1] = static_cast<char>(e >> 8);
        ++i;
    }
    return out;
}

TAppLang AppLang;

AnsiString Utf8ToGbk(const AnsiString& Text)
{
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return Text;
    AnsiString out(Text.size() * 2 + 4, '\0');
    char* ip = const_cast<char*>(Text.data());
    char* op = out.data();
    size_t il = Text.size(), ol = out.size();
    while (il > 0 && iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) {
        // A character GBK lacks: keep a question mark and go on.
        if (ol == 0)
            break;
        *op++ = '?';
        --ol;
        ++ip;
        --il;
        while (il > 0 && (static_cast<unsigned char>(*ip) & 0xC0) == 0x80) {
            ++ip;
            --il;
        }
    }
    out.resize(out.size() - ol);
    iconv_close(cd);
    return out;
}

const TLangText UnknownErrorText = {0, "Unknown error", "未知错误", "未知錯誤"};

AnsiString LangTextGbk(const TLangText& Text)
{
    switch (AppLang.LangType()) {
    case TAppLang::ltGbk: return Utf8ToGbk(Text.Cn);
    case TAppLang::ltBig5: return Utf8ToGbk(Text.Tw);
    default: return Text.En;
    }
}

AnsiString LangText(const TLangText& Text) { return AppLang.FromGBK(LangTextGbk(Text)); }

AnsiString LangText(const char* English, const char* Simplified, const char* Traditional)
{
    return LangText(TLangText{0, English, Simplified, Traditional});
}
