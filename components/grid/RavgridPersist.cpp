// Column widths and print settings kept in ini files (or the registry's stand-in).
#include <functional>

#include "components/grid/Ravgrid.h"
#include "components/grid/Ravutil.h"
#include "platform/core/IntConvert.h"
#include "platform/win/ProfileStore.h"

namespace {

std::unique_ptr<TCustomIniFile> ColumnStore(TColumnSize& S, AnsiString& Section)
{
    if (S.Location() == clRegistry)
        return OpenRegistryStore(S.Key(), S.Section(), Section);
    Section = S.Section();
    return OpenIniFileStore(S.Key());
}

// One stored print setting: its key, and how it is written and read back.
struct TPrintEntry {
    AnsiString Key;
    std::function<AnsiString(const TPrintSettings&)> Save;
    std::function<void(TPrintSettings&, const AnsiString& Stored, bool Present)> Load;
};

int ToInt(const AnsiString& s, int Default)
{
    int v = Default;
    return TryStrToInt(s, v) ? v : Default;
}

template <typename Get, typename Set>
TPrintEntry Int(const AnsiString& Key, Get G, Set S, int Default)
{
    return {
        Key, [G](const TPrintSettings& p) { return IntToStr(int(G(p))); },
        [S, Default](TPrintSettings& p, const AnsiString& v, bool has) { S(p, has ? ToInt(v, Default) : Default); }};
}

// "Y" or "N"; only "Y" itself reads as true.
template <typename Get, typename Set>
TPrintEntry Flag(const AnsiString& Key, Get G, Set S, bool Default)
{
    return {Key, [G](const TPrintSettings& p) { return AnsiString(G(p) ? "Y" : "N"); },
            [S, Default](TPrintSettings& p, const AnsiString& v, bool has) { S(p, has ? v == "Y" : Default); }};
}

template <typename Get, typename Set>
TPrintEntry Text(const AnsiString& Key, Get G, Set S, const char* Default)
{
    return {Key, [G](const TPrintSettings& p) { return AnsiString(G(p)); },
            [S, Default](TPrintSettings& p, const AnsiString& v, bool has) { S(p, has ? v : AnsiString(Default)); }};
}

// An ordinal outside 0..Max leaves the setting as it is.
template <typename Get, typename Set>
TPrintEntry Ordinal(const AnsiString& Key, Get G, Set S, int Max)
{
    return {Key, [G](const TPrintSettings& p) { return IntToStr(int(G(p))); },
            [S, Max](TPrintSettings& p, const AnsiString& v, bool has) {
                const int n = has ? ToInt(v, -1) : 0;
                if (n >= 0 && n <= Max)
                    S(p, n);
            }};
}

// Only 1..6 name a place; anything else prints nowhere.
template <typename Get, typename Set>
TPrintEntry Place(const AnsiString& Key, Get G, Set S)
{
    return {Key, [G](const TPrintSettings& p) { return IntToStr(int(G(p))); },
            [S](TPrintSettings& p, const AnsiString& v, bool has) {
                const int n = has ? ToInt(v, 0) : 0;
                S(p, n >= 1 && n <= 6 ? TPrintPosition(n) : ppNone);
            }};
}

void FontEntries(std::vector<TPrintEntry>& Out, const char* Prefix, TFont* (TPrintSettings::*F)() const)
{
    auto key = [&](const char* k) { return AnsiString(Prefix) + k; };
    Out.push_back(Text(
        key("Name"), [F](const TPrintSettings& p) { return (p.*F)()->Name(); },
        [F](TPrintSettings& p, const AnsiString& v) { (p.*F)()->SetName(v); }, "Arial"));
    Out.push_back(Int(
        key("Size"), [F](const TPrintSettings& p) { return (p.*F)()->Size(); },
        [F](TPrintSettings& p, int v) { (p.*F)()->SetSize(v); }, 10));
    // The stored style is the style: bits left out are styles the font no longer has.
    Out.push_back(Int(
        key("Style"), [F](const TPrintSettings& p) { return (p.*F)()->Style(); },
        [F](TPrintSettings& p, int v) {
            (p.*F)()->SetStyle(TFontStyles(v) & (fsBold | fsItalic | fsUnderline | fsStrikeOut));
        },
        0));
    Out.push_back(Int(
        key("Color"), [F](const TPrintSettings& p) { return (p.*F)()->Color(); },
        [F](TPrintSettings& p, int v) { (p.*F)()->SetColor(v); }, 0));
}

#define ZV_PS(Name)                                   \
    [](const TPrintSettings& p) { return p.Name(); }, \
        [](TPrintSettings& p, auto v) { p.Set##Name(decltype(p.Name())(v)); }

// Every stored setting, in the order they are written.
const std::vector<TPrintEntry>& PrintEntries()
{
    static const std::vector<TPrintEntry> entries = [] {
        std::vector<TPrintEntry> e{
            Int("ColumnSpacing", ZV_PS(ColumnSpacing), 20),
            Int("RowSpacing", ZV_PS(RowSpacing), 20),
            Int("TitleSpacing", ZV_PS(TitleSpacing), 20),
            Int("FixedHeight", ZV_PS(FixedHeight), 0),
            Int("FixedWidth", ZV_PS(FixedWidth), 0),
            Flag("Centered", ZV_PS(Centered), true),
            Flag("NoAutoSize", ZV_PS(NoAutoSize), false),
            Flag("UseFixedHeight", ZV_PS(UseFixedHeight), false),
            Flag("UseFixedWidth", ZV_PS(UseFixedWidth), false),
            Flag("RepeatFixedRows", ZV_PS(RepeatFixedRows), false),
            Flag("RepeatFixedCols", ZV_PS(RepeatFixedCols), false),
            Ordinal("Borders", ZV_PS(Borders), 8),
            Ordinal("BorderStyle", ZV_PS(BorderStyle), 6),
            Place("Date", ZV_PS(Date)),
            Place("PageNr", ZV_PS(PageNr)),
            Place("Title", ZV_PS(Title)),
            Place("Time", ZV_PS(Time)),
            Text("DateFormat", ZV_PS(DateFormat), ""),
            Text("TitleText", ZV_PS(TitleText), ""),
            Int("FooterSize", ZV_PS(FooterSize), 100),
            Int("HeaderSize", ZV_PS(HeaderSize), 100),
            Int("LeftSize", ZV_PS(LeftSize), 100),
            Int("RightSize", ZV_PS(RightSize), 100),
            Ordinal("FitToPage", ZV_PS(FitToPage), 4),
        };
        FontEntries(e, "Font", &TPrintSettings::Font);
        FontEntries(e, "HeaderFont", &TPrintSettings::HeaderFont);
        FontEntries(e, "FooterFont", &TPrintSettings::FooterFont);
        e.push_back(Text("PageNumSep", ZV_PS(PageNumSep), ""));
        e.push_back(Text("PageSuffix", ZV_PS(PageSuffix), ""));
        e.push_back(Text("PagePrefix", ZV_PS(PagePrefix), ""));
        e.push_back(Ordinal("Orientation", ZV_PS(Orientation), 1));
        // Line breaks stored as the two characters "\n".
        e.push_back(TPrintEntry{"TitleLines", [](const TPrintSettings& p) { return LFToCLF(p.TitleLines()->Text()); },
                                [](TPrintSettings& p, const AnsiString& v, bool has) {
                                    p.TitleLines()->SetText(has ? CLFToLF(v) : AnsiString());
                                }});
        return e;
    }();
    return entries;
}

#undef ZV_PS

} // namespace

void TRavArodozIdad::SaveColSizes()
{
    if (FColumnSize->Key().empty() || FColumnSize->Section().empty() || ComponentStateHas(csDesigning))
        return;
    AnsiString section;
    std::unique_ptr<TCustomIniFile> ini = ColumnStore(*FColumnSize, section);
    for (int c = 0; c < ColCount(); ++c)
        ini->WriteInteger(section, "Col" + IntToStr(c), ColWidths(c));
}

void TRavArodozIdad::LoadColSizes()
{
    if (FColumnSize->Key().empty() || FColumnSize->Section().empty() || ComponentStateHas(csDesigning))
        return;
    AnsiString section;
    std::unique_ptr<TCustomIniFile> ini = ColumnStore(*FColumnSize, section);
    for (int c = 0; c < ColCount(); ++c) {
        const int w = ini->ReadInteger(section, "Col" + IntToStr(c), DefaultColWidth());
        if (w != ColWidths(c))
            SetColWidths(c, w);
    }
}

void TRavArodozIdad::SavePrintSettings(const AnsiString& FileName, const AnsiString& Section)
{
    std::unique_ptr<TCustomIniFile> ini = OpenIniFileStore(FileName);
    for (const TPrintEntry& e : PrintEntries())
        ini->WriteString(Section, e.Key, e.Save(*FPrintSettings));
}

void TRavArodozIdad::LoadPrintSettings(const AnsiString& FileName, const AnsiString& Section)
{
    std::unique_ptr<TCustomIniFile> ini = OpenIniFileStore(FileName);
    for (const TPrintEntry& e : PrintEntries())
        e.Load(*FPrintSettings, ini->ReadString(Section, e.Key, ""), ini->ValueExists(Section, e.Key));
}
