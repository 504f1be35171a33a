// Column widths and print settings kept in ini files (or the registry's stand-in).
#include "components/grid/Ravgrid.h"
#include "components/grid/Ravutil.h"
#include "platform/core/IntConvert.h"
#include "platform/win/ProfileStore.h"

TPrintSettings::TPrintSettings()
    : FFont(std::make_unique<TFont>()), FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()), FTitleLines(std::make_unique<TStringList>())
{
}

namespace {

std::unique_ptr<TCustomIniFile> ColumnStore(TColumnSize& S, AnsiString& Section)
{
    if (S.Location() == clRegistry)
        return OpenRegistryStore(S.Key(), S.Section(), Section);
    Section = S.Section();
    return OpenIniFileStore(S.Key());
}

AnsiString YN(bool v) { return v ? "Y" : "N"; }

void WriteFont(TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& Prefix, const TFont& F)
{
    Ini.WriteString(Section, Prefix + "Name", F.Name());
    Ini.WriteInteger(Section, Prefix + "Size", F.Size());
    Ini.WriteInteger(Section, Prefix + "Style", int(F.Style()));
    Ini.WriteInteger(Section, Prefix + "Color", F.Color());
}

void ReadFont(const TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& Prefix, TFont& F)
{
    F.SetName(Ini.ReadString(Section, Prefix + "Name", "Arial"));
    F.SetSize(Ini.ReadInteger(Section, Prefix + "Size", 10));
    // The stored style is the style: bits left out are styles the font no longer has.
    F.SetStyle(TFontStyles(Ini.ReadInteger(Section, Prefix + "Style", 0)) &
               (fsBold | fsItalic | fsUnderline | fsStrikeOut));
    F.SetColor(Ini.ReadInteger(Section, Prefix + "Color", 0));
}

// Only 1..6 name a place; anything else prints nowhere.
TPrintPosition Position(int v) { return v >= 1 && v <= 6 ? TPrintPosition(v) : ppNone; }

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
    TCustomIniFile& f = *ini;
    const TPrintSettings& p = *FPrintSettings;
    f.WriteInteger(Section, "ColumnSpacing", p.ColumnSpacing());
    f.WriteInteger(Section, "RowSpacing", p.RowSpacing());
    f.WriteInteger(Section, "TitleSpacing", p.TitleSpacing());
    f.WriteInteger(Section, "FixedHeight", p.FixedHeight());
    f.WriteInteger(Section, "FixedWidth", p.FixedWidth());
    f.WriteString(Section, "Centered", YN(p.Centered()));
    f.WriteString(Section, "NoAutoSize", YN(p.NoAutoSize()));
    f.WriteString(Section, "UseFixedHeight", YN(p.UseFixedHeight()));
    f.WriteString(Section, "UseFixedWidth", YN(p.UseFixedWidth()));
    f.WriteString(Section, "RepeatFixedRows", YN(p.RepeatFixedRows()));
    f.WriteString(Section, "RepeatFixedCols", YN(p.RepeatFixedCols()));
    f.WriteInteger(Section, "Borders", p.Borders());
    f.WriteInteger(Section, "BorderStyle", p.BorderStyle());
    f.WriteInteger(Section, "Date", p.Date());
    f.WriteInteger(Section, "PageNr", p.PageNr());
    f.WriteInteger(Section, "Title", p.Title());
    f.WriteInteger(Section, "Time", p.Time());
    f.WriteString(Section, "DateFormat", p.DateFormat());
    f.WriteString(Section, "TitleText", p.TitleText());
    f.WriteInteger(Section, "FooterSize", p.FooterSize());
    f.WriteInteger(Section, "HeaderSize", p.HeaderSize());
    f.WriteInteger(Section, "LeftSize", p.LeftSize());
    f.WriteInteger(Section, "RightSize", p.RightSize());
    f.WriteInteger(Section, "FitToPage", p.FitToPage());
    WriteFont(f, Section, "Font", *p.Font());
    WriteFont(f, Section, "HeaderFont", *p.HeaderFont());
    WriteFont(f, Section, "FooterFont", *p.FooterFont());
    f.WriteString(Section, "PageNumSep", p.PageNumSep());
    f.WriteString(Section, "PageSuffix", p.PageSuffix());
    f.WriteString(Section, "PagePrefix", p.PagePrefix());
    f.WriteInteger(Section, "Orientation", p.Orientation());
    f.WriteString(Section, "TitleLines", LFToCLF(p.TitleLines()->Text()));
}

void TRavArodozIdad::LoadPrintSettings(const AnsiString& FileName, const AnsiString& Section)
{
    std::unique_ptr<TCustomIniFile> ini = OpenIniFileStore(FileName);
    const TCustomIniFile& f = *ini;
    TPrintSettings& p = *FPrintSettings;
    auto yes = [&](const char* Key, const char* Default) { return f.ReadString(Section, Key, Default) == "Y"; };
    auto num = [&](const char* Key, int Default) { return f.ReadInteger(Section, Key, Default); };
    p.SetColumnSpacing(num("ColumnSpacing", 20));
    p.SetRowSpacing(num("RowSpacing", 20));
    p.SetTitleSpacing(num("TitleSpacing", 20));
    p.SetFixedHeight(num("FixedHeight", 0));
    p.SetFixedWidth(num("FixedWidth", 0));
    p.SetCentered(yes("Centered", "Y"));
    p.SetNoAutoSize(yes("NoAutoSize", "N"));
    p.SetUseFixedHeight(yes("UseFixedHeight", "N"));
    p.SetUseFixedWidth(yes("UseFixedWidth", "N"));
    p.SetRepeatFixedRows(yes("RepeatFixedRows", "N"));
    p.SetRepeatFixedCols(yes("RepeatFixedCols", "N"));
    if (const int v = num("Borders", 0); v >= 0 && v <= 8)
        p.SetBorders(TPrintBorders(v));
    if (const int v = num("BorderStyle", 0); v >= 0 && v <= 6)
        p.SetBorderStyle(TPenStyle(v));
    p.SetDate(Position(num("Date", 0)));
    p.SetPageNr(Position(num("PageNr", 0)));
    p.SetTitle(Position(num("Title", 0)));
    p.SetTime(Position(num("Time", 0)));
    p.SetDateFormat(f.ReadString(Section, "DateFormat", ""));
    p.SetTitleText(f.ReadString(Section, "TitleText", ""));
    p.SetFooterSize(num("FooterSize", 100));
    p.SetHeaderSize(num("HeaderSize", 100));
    p.SetLeftSize(num("LeftSize", 100));
    p.SetRightSize(num("RightSize", 100));
    if (const int v = num("FitToPage", 0); v >= 0 && v <= 4)
        p.SetFitToPage(TFitToPage(v));
    ReadFont(f, Section, "Font", *p.Font());
    ReadFont(f, Section, "HeaderFont", *p.HeaderFont());
    ReadFont(f, Section, "FooterFont", *p.FooterFont());
    p.SetPageNumSep(f.ReadString(Section, "PageNumSep", ""));
    p.SetPageSuffix(f.ReadString(Section, "PageSuffix", ""));
    p.SetPagePrefix(f.ReadString(Section, "PagePrefix", ""));
    if (const int v = num("Orientation", 0); v >= 0 && v <= 1)
        p.SetOrientation(TPrinterOrientation(v));
    p.TitleLines()->SetText(CLFToLF(f.ReadString(Section, "TitleLines", "")));
}
