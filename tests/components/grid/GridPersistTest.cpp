// Column widths and print settings kept in ini files and the registry's stand-in.
#include <gtest/gtest.h>

#include <functional>

#include "GridTestSupport.h"
#include "tests/support/TestSupport.h"
#include "platform/core/IniFiles.h"

namespace {

std::string IniPath(const char* Name) { return (TestDir("grid-persist") / Name).string(); }

} // namespace

TEST(GridPersist, ColumnWidthsGoToTheIniFileAndComeBack)
{
    const std::string file = IniPath("widths.ini");
    auto g = MakeGrid(3, 2);
    g->ColumnSize()->SetKey(file);
    g->ColumnSize()->SetSection("Widths");
    g->ColumnSize()->SetLocation(clIniFile);
    g->SetColWidths(0, 31);
    g->SetColWidths(1, 42);
    g->SetColWidths(2, 53);
    g->SaveColSizes();
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadInteger("Widths", "Col0", -1), 31);
    EXPECT_EQ(ini.ReadInteger("Widths", "Col2", -1), 53);
    EXPECT_FALSE(ini.ValueExists("Widths", "Col3"));

    auto wide = MakeGrid(5, 2);
    wide->ColumnSize()->Assign(g->ColumnSize());
    wide->SetColWidths(3, 99);
    wide->LoadColSizes();
    EXPECT_EQ(wide->ColWidths(0), 31);
    EXPECT_EQ(wide->ColWidths(2), 53);
    EXPECT_EQ(wide->ColWidths(3), wide->DefaultColWidth());
    EXPECT_EQ(wide->ColWidths(4), wide->DefaultColWidth());
}

TEST(GridPersist, ColumnWidthsInTheRegistryAndNothingWithoutKeyOrSection)
{
    auto g = MakeGrid(2, 2);
    g->ColumnSize()->SetKey("Software\\Bench");
    g->ColumnSize()->SetSection("Grid1");
    g->SetColWidths(1, 77);
    g->SaveColSizes();
    auto h = MakeGrid(2, 2);
    h->ColumnSize()->Assign(g->ColumnSize());
    h->LoadColSizes();
    EXPECT_EQ(h->ColWidths(1), 77);

    for (auto [key, section] : {std::pair<const char*, const char*>{"", "S"}, {"K", ""}}) {
        auto e = MakeGrid(2, 2);
        e->ColumnSize()->SetKey(key);
        e->ColumnSize()->SetSection(section);
        e->SetColWidths(1, 5);
        e->LoadColSizes(); // nothing stored under an empty key or section is read
        EXPECT_EQ(e->ColWidths(1), 5);
    }
}

TEST(GridPersist, SavedGridRestoresItsWidthsWhenLoaded)
{
    const std::string file = IniPath("auto.ini");
    {
        auto g = MakeGrid(2, 2);
        g->ColumnSize()->SetSave(true);
        g->ColumnSize()->SetKey(file);
        g->ColumnSize()->SetSection("S");
        g->ColumnSize()->SetLocation(clIniFile);
        g->SetColWidths(1, 123);
    } // saved as the grid goes away
    auto h = std::make_unique<TRavArodozIdad>(nullptr);
    h->BeginLoading();
    h->SetColCountEx(2);
    h->ColumnSize()->SetSave(true);
    h->ColumnSize()->SetKey(file);
    h->ColumnSize()->SetSection("S");
    h->ColumnSize()->SetLocation(clIniFile);
    h->EndLoading();
    EXPECT_EQ(h->ColWidths(1), 123);
}

TEST(GridPersist, PrintSettingsAreWrittenInTheirOrderAndFormats)
{
    const std::string file = IniPath("print.ini");
    auto g = MakeGrid(2, 2);
    TPrintSettings* p = g->PrintSettings();
    p->SetCentered(true);
    p->SetBorders(pbAround);
    p->SetTime(ppBottomRight);
    p->SetTitleText("Run 7");
    p->TitleLines()->Add("first");
    p->TitleLines()->Add("second");
    p->Font()->SetName("Arial");
    p->Font()->SetSize(12);
    p->Font()->SetStyle(fsBold | fsUnderline);
    p->Font()->SetColor(clRed);
    p->HeaderFont()->SetName("Arial");
    p->HeaderFont()->SetSize(10);
    p->HeaderFont()->SetColor(clBlack);
    p->FooterFont()->Assign(p->HeaderFont());
    p->SetOrientation(poLandscape);
    g->SavePrintSettings(file, "Print");
    EXPECT_EQ(ReadBytes(file),
              "[Print]\r\n"
              "ColumnSpacing=0\r\nRowSpacing=0\r\nTitleSpacing=0\r\nFixedHeight=0\r\nFixedWidth=0\r\n"
              "Centered=Y\r\nNoAutoSize=N\r\nUseFixedHeight=N\r\nUseFixedWidth=N\r\n"
              "RepeatFixedRows=N\r\nRepeatFixedCols=N\r\nBorders=5\r\nBorderStyle=0\r\n"
              "Date=0\r\nPageNr=0\r\nTitle=0\r\nTime=5\r\nDateFormat=dd/mm/yyyy\r\n"
              "TitleText=Run 7\r\nFooterSize=0\r\nHeaderSize=0\r\nLeftSize=0\r\nRightSize=0\r\n"
              "FitToPage=0\r\nFontName=Arial\r\nFontSize=12\r\nFontStyle=5\r\nFontColor=255\r\n"
              "HeaderFontName=Arial\r\nHeaderFontSize=10\r\nHeaderFontStyle=0\r\nHeaderFontColor=0\r\n"
              "FooterFontName=Arial\r\nFooterFontSize=10\r\nFooterFontStyle=0\r\nFooterFontColor=0\r\n"
              "PageNumSep=/\r\nPageSuffix=\r\nPagePrefix=\r\nOrientation=1\r\n"
              "TitleLines=first\\nsecond\\n\r\n");

    auto h = MakeGrid(2, 2);
    h->LoadPrintSettings(file, "Print");
    TPrintSettings* q = h->PrintSettings();
    EXPECT_TRUE(q->Centered());
    EXPECT_EQ(q->Borders(), pbAround);
    EXPECT_EQ(q->Time(), ppBottomRight);
    EXPECT_EQ(q->TitleText(), "Run 7");
    EXPECT_EQ(q->TitleLines()->Text(), "first\r\nsecond\r\n");
    EXPECT_EQ(q->Font()->Size(), 12);
    EXPECT_EQ(q->Font()->Style(), fsBold | fsUnderline);
    EXPECT_EQ(q->Font()->Color(), clRed);
    EXPECT_EQ(q->Orientation(), poLandscape);
}

TEST(GridPersist, LoadingAnEmptySectionGivesTheDefaults)
{
    auto g = MakeGrid(2, 2);
    TPrintSettings* p = g->PrintSettings();
    p->SetBorders(pbDouble);
    p->SetDateFormat("yyyy");
    g->LoadPrintSettings(IniPath("none.ini"), "Nothing");
    EXPECT_TRUE(p->Centered());
    EXPECT_EQ(p->LeftSize(), 100);
    EXPECT_EQ(p->RightSize(), 100);
    EXPECT_EQ(p->HeaderSize(), 100);
    EXPECT_EQ(p->FooterSize(), 100);
    EXPECT_EQ(p->ColumnSpacing(), 20);
    EXPECT_EQ(p->RowSpacing(), 20);
    EXPECT_EQ(p->TitleSpacing(), 20);
    EXPECT_EQ(p->Borders(), pbNoborder);
    EXPECT_EQ(p->DateFormat(), "");
    for (TFont* f : {p->Font(), p->HeaderFont(), p->FooterFont()}) {
        EXPECT_EQ(f->Name(), "Arial");
        EXPECT_EQ(f->Size(), 10);
        EXPECT_EQ(f->Color(), clBlack);
    }
}

TEST(GridPersist, LoadedValuesOutOfRangeOrOddlyWritten)
{
    struct Case {
        const char* key;
        const char* value;
        std::function<bool(TPrintSettings&)> check;
    };
    const Case cases[] = {
        {"Borders", "9", [](TPrintSettings& p) { return p.Borders() == pbDouble; }},
        {"Borders", "-1", [](TPrintSettings& p) { return p.Borders() == pbDouble; }},
        {"FitToPage", "5", [](TPrintSettings& p) { return p.FitToPage() == fpShrink; }},
        {"Orientation", "2", [](TPrintSettings& p) { return p.Orientation() == poLandscape; }},
        {"Date", "7", [](TPrintSettings& p) { return p.Date() == ppNone; }},
        {"PageNr", "6", [](TPrintSettings& p) { return p.PageNr() == ppBottomCenter; }},
        {"Centered", "y", [](TPrintSettings& p) { return !p.Centered(); }},
        {"RepeatFixedRows", "Y", [](TPrintSettings& p) { return p.RepeatFixedRows(); }},
        // The stored style is the style: italic the font had is gone.
        {"FontStyle", "1", [](TPrintSettings& p) { return p.Font()->Style() == fsBold; }},
        {"FontStyle", "0", [](TPrintSettings& p) { return p.Font()->Style() == 0; }},
    };
    const std::string file = IniPath("odd.ini");
    for (const Case& k : cases) {
        {
            TIniFile ini(file);
            ini.EraseSection("P");
            ini.WriteString("P", k.key, k.value);
        }
        auto g = MakeGrid(2, 2);
        TPrintSettings* p = g->PrintSettings();
        p->SetBorders(pbDouble);
        p->SetFitToPage(fpShrink);
        p->SetOrientation(poLandscape);
        p->Font()->SetStyle(fsItalic);
        g->LoadPrintSettings(file, "P");
        EXPECT_TRUE(k.check(*p)) << k.key << "=" << k.value;
    }
}
