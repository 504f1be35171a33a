// Printing: print units, column sizing and bands, rows on pages, page events, the print
// entry points, and a multi-page, multi-band grid printed to PDF and turned into PNGs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

#include "components/grid/Ravgrid.h"
#include "platform/forms/Image.h"
#include "platform/forms/Printer.h"
#include "platform/forms/Render.h"
#include "platform/graphics/Picture.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/components/grid/GridTestSupport.h"
#include "tests/support/TestOutput.h"

namespace {

// A preview target of 378 screen pixels is 1000 print units (0.1 mm) each way.
constexpr int kTargetPx = 378;
constexpr int kPage = 1000;

// Fixed sizes so that pages do not depend on font metrics: columns 300 wide (no
// spacing), rows 90 high (80 plus an eighth), a header of 100 and a footer of about
// 100, so eight rows fit on a page and three columns in a band.
void FixedLayout(TRavArodozIdad& g)
{
    TPrintSettings* s = g.PrintSettings();
    s->SetUseFixedWidth(true);
    s->SetFixedWidth(300);
    s->SetUseFixedHeight(true);
    s->SetFixedHeight(80);
    s->SetHeaderSize(100);
    s->SetFooterSize(96);
    s->Font()->SetSize(1);
    s->HeaderFont()->SetSize(1);
    s->FooterFont()->SetSize(1);
}

// "0-2,5" from a set of numbers.
std::string Ranges(const std::set<int>& v)
{
    std::string out;
    for (auto it = v.begin(); it != v.end();) {
        const int a = *it;
        int b = a;
        while (++it != v.end() && *it == b + 1)
            ++b;
        out += (out.empty() ? "" : ",") + std::to_string(a) + (b != a ? "-" + std::to_string(b) : "");
    }
    return out;
}

// Previews every page in turn and describes what each shows: "c0-2 r0-7".
std::vector<std::string> PagesOf(TRavArodozIdad& g, bool SelectedOnly = false)
{
    std::set<int> cols, rows;
    g.OnCustomCellDraw = [&](TObject*, TCanvas*, int ACol, int ARow, TGridDrawState, const TRect&, bool Printing) {
        EXPECT_TRUE(Printing);
        cols.insert(ACol);
        rows.insert(ARow);
    };
    TBitmap bmp;
    bmp.SetSize(kTargetPx, kTargetPx);
    const TRect target(0, 0, kTargetPx, kTargetPx);
    std::vector<std::string> pages;
    for (int page = 1; page < 50; ++page) {
        cols.clear();
        rows.clear();
        g.SetPreviewPage(page);
        if (SelectedOnly)
            g.PrintPreviewSelectedRows(bmp.Canvas(), target);
        else
            g.PrintPreview(bmp.Canvas(), target);
        if (page > g.PrintPageCount())
            break;
        pages.push_back("c" + Ranges(cols) + " r" + Ranges(rows));
    }
    g.OnCustomCellDraw = nullptr;
    return pages;
}

int PdfPageCount(const std::string& File)
{
    std::ifstream f(File, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    const std::string pdf = ss.str();
    const std::regex page("/Type\\s*/Page[^s]");
    return int(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

std::string PdfPath(const std::string& Name)
{
    const std::string path = TestOutputPath(Name);
    std::filesystem::remove(path);
    Printer()->SetOutputFileName(path);
    return path;
}

} // namespace

TEST(GridPrintUnits, FontMappingAndSettingsDefaults)
{
    auto g = MakeGrid(3, 3);
    struct Case {
        int points, height;
    };
    for (const Case& c : {Case{10, -35}, Case{8, -28}, Case{12, -42}, Case{72, -254}, Case{0, 0}})
        EXPECT_EQ(g->MapFontHeight(c.points), c.height) << c.points;
    for (const Case& c : {Case{9, 35}, Case{10, 36}, Case{72, 254}, Case{0, 0}})
        EXPECT_EQ(g->MapFontSize(c.height), c.points) << c.height;
    EXPECT_EQ(g->PrintSettings()->PageNumSep(), "/");
    EXPECT_EQ(g->PrintSettings()->DateFormat(), "dd/mm/yyyy");
    EXPECT_EQ(g->PrintFontScale(), 1.0);

    TFont f;
    f.SetName("DejaVu Sans");
    g->PrintSettings()->SetFont(&f);
    f.SetName("Other");
    EXPECT_EQ(g->PrintSettings()->Font()->Name(), "DejaVu Sans");
}

// Column widths and offsets answer for every column of the grid, however many.
TEST(GridPrintUnits, ColumnArraysCoverTheGrid)
{
    auto g = MakeGrid(600, 2);
    FixedLayout(*g);
    TBitmap bmp;
    bmp.SetSize(kTargetPx, kTargetPx);
    g->PrintPreview(bmp.Canvas(), TRect(0, 0, kTargetPx, kTargetPx));
    EXPECT_EQ(g->GetPrintColWidth(599), 300);
    EXPECT_EQ(g->GetPrintColWidth(512), 300);
    for (int bad : {-1, 600})
        EXPECT_THROW(g->GetPrintColWidth(bad), VEvoRaraVedad) << bad;
    EXPECT_THROW(g->GetPrintColOffset(600), VEvoRaraVedad);
    try {
        g->GetPrintColWidth(600);
    } catch (const VEvoRaraVedad& e) {
        EXPECT_STREQ(e.what(), "Columns is not in valid range");
    }
}

TEST(GridPrintLayout, ColumnWidthsFitToPage)
{
    struct Case {
        TFitToPage fit;
        int cols, width;
    };
    // Page 1000 wide, columns 300: three fill 900, five need 1500.
    for (const Case& c : {Case{fpNever, 5, 300}, Case{fpAlways, 3, 333}, Case{fpAlways, 5, 200},
                          Case{fpShrink, 3, 300}, Case{fpShrink, 5, 200}, Case{fpGrow, 3, 333},
                          Case{fpGrow, 5, 300}}) {
        auto g = MakeGrid(c.cols, 2);
        FixedLayout(*g);
        g->PrintSettings()->SetFitToPage(c.fit);
        TBitmap bmp;
        bmp.SetSize(kTargetPx, kTargetPx);
        g->PrintPreview(bmp.Canvas(), TRect(0, 0, kTargetPx, kTargetPx));
        EXPECT_EQ(g->GetPrintColWidth(0), c.width) << c.fit << " " << c.cols;
    }
    // A custom fit asks the application, which may refuse it.
    auto g = MakeGrid(3, 2);
    FixedLayout(*g);
    g->PrintSettings()->SetFitToPage(fpCustom);
    double asked = 0;
    g->OnFitToPage = [&](TObject*, double& K, bool& Allow) {
        asked = K;
        Allow = false;
    };
    TBitmap bmp;
    bmp.SetSize(kTargetPx, kTargetPx);
    g->PrintPreview(bmp.Canvas(), TRect(0, 0, kTargetPx, kTargetPx));
    EXPECT_NEAR(asked, 1000.0 / 900.0, 1e-9);
    EXPECT_EQ(g->GetPrintColWidth(0), 300);
}

TEST(GridPrintLayout, ColumnOffsets)
{
    struct Case {
        bool centered;
        int leftSize, cols;
        std::vector<int> offsets;
    };
    for (const Case& c : {Case{false, 0, 2, {0, 300}}, Case{false, 50, 2, {50, 350}},
                          Case{true, 50, 2, {200, 500}}, Case{true, 0, 3, {50, 350, 650}}}) {
        auto g = MakeGrid(c.cols, 2);
        FixedLayout(*g);
        g->PrintSettings()->SetCentered(c.centered);
        g->PrintSettings()->SetLeftSize(c.leftSize);
        TBitmap bmp;
        bmp.SetSize(kTargetPx, kTargetPx);
        g->PrintPreview(bmp.Canvas(), TRect(0, 0, kTargetPx, kTargetPx));
        for (int col = 0; col < c.cols; ++col)
            EXPECT_EQ(g->GetPrintColOffset(col), c.offsets[size_t(col)]) << c.centered << c.leftSize << " " << col;
    }
}

// Which columns and rows land on which page.
TEST(GridPrintLayout, RowsAndColumnsOnPages)
{
    struct Case {
        const char* name;
        int cols, rows, fixedRows, fixedCols;
        bool repeatRows, repeatCols;
        int leftSize, fixedWidth;
        std::vector<std::string> pages;
    };
    const Case cases[] = {
        {"one page", 3, 8, 0, 0, false, false, 0, 300, {"c0-2 r0-7"}},
        {"rows over three pages", 3, 20, 0, 0, false, false, 0, 300, {"c0-2 r0-7", "c0-2 r8-15", "c0-2 r16-19"}},
        {"header row repeated", 3, 20, 1, 0, true, false, 0, 300, {"c0-2 r0-7", "c0-2 r0,8-14", "c0-2 r0,15-19"}},
        {"header row not repeated", 3, 20, 1, 0, false, false, 0, 300,
         {"c0-2 r0-7", "c0-2 r8-15", "c0-2 r16-19"}},
        {"three bands", 7, 5, 0, 0, false, false, 0, 300, {"c0-2 r0-4", "c3-5 r0-4", "c6 r0-4"}},
        {"fixed column repeated", 7, 5, 0, 1, false, true, 0, 300, {"c0-2 r0-4", "c0,3-4 r0-4", "c0,5-6 r0-4"}},
        {"bands of pages", 5, 12, 1, 1, true, true, 0, 300,
         {"c0-2 r0-7", "c0-2 r0,8-11", "c0,3-4 r0-7", "c0,3-4 r0,8-11"}},
        {"left margin counts", 4, 2, 0, 0, false, false, 150, 300, {"c0-1 r0-1", "c2-3 r0-1"}},
        {"column wider than the page", 2, 2, 0, 0, false, false, 0, 1500, {"c0 r0-1", "c1 r0-1"}},
    };
    for (const Case& c : cases) {
        auto g = MakeGrid(c.cols, c.rows, c.fixedRows, c.fixedCols);
        FixedLayout(*g);
        g->PrintSettings()->SetRepeatFixedRows(c.repeatRows);
        g->PrintSettings()->SetRepeatFixedCols(c.repeatCols);
        g->PrintSettings()->SetLeftSize(c.leftSize);
        g->PrintSettings()->SetFixedWidth(c.fixedWidth);
        EXPECT_EQ(PagesOf(*g), c.pages) << c.name;
    }
}

TEST(GridPrintLayout, ForcedBreaksAndSelectedRows)
{
    auto g = MakeGrid(2, 12, 0);
    FixedLayout(*g);
    g->OnPrintNewPage = [](TObject*, int ARow, bool& NewPage) { NewPage = ARow == 4; };
    EXPECT_EQ(PagesOf(*g), (std::vector<std::string>{"c0-1 r0-3", "c0-1 r4-11"}));
    g->OnPrintNewPage = nullptr;

    g->SelectRange(0, 1, 5, 9);
    EXPECT_EQ(PagesOf(*g, true), (std::vector<std::string>{"c0-1 r5-9"}));
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->ClearRowSelect();
    for (int r : {1, 3, 10})
        g->SetRowSelect(r, true);
    EXPECT_EQ(PagesOf(*g, true), (std::vector<std::string>{"c0-1 r1,3,10"}));
}

// Counting draws nothing and raises no page events; each drawn page is announced with
// its own number, also the first page of a later band.
TEST(GridPrintLayout, PageEvents)
{
    auto g = MakeGrid(5, 12, 0);
    FixedLayout(*g);
    std::vector<int> announced, done;
    g->OnPrintPage = [&](TObject*, TCanvas*, int PageNr, int XSize, int YSize) {
        announced.push_back(PageNr);
        EXPECT_EQ(XSize, kPage);
        EXPECT_EQ(YSize, kPage);
    };
    g->OnPrintPageDone = [&](TObject*, TCanvas*, int LastRow, int, int LastPage, int, int) {
        done.push_back(LastPage * 100 + LastRow);
    };
    TBitmap bmp;
    bmp.SetSize(kTargetPx, kTargetPx);
    const TRect target(0, 0, kTargetPx, kTargetPx);
    g->SetPreviewPage(1);
    g->SetPrintRange(TGridRect{0, 0, 4, 11});
    g->SetPreviewRect(target);
    EXPECT_EQ(g->BuildPages(bmp.Canvas(), prCalcPreview, -1, false), 4);
    EXPECT_TRUE(announced.empty());
    for (int page = 1; page <= 4; ++page) {
        g->SetPreviewPage(page);
        g->PrintPreview(bmp.Canvas(), target);
    }
    EXPECT_EQ(announced, (std::vector<int>{1, 2, 3, 4}));
    // Page index and the row after the page: 0 and 1 end at row 8, 2 and 3 at the end.
    EXPECT_EQ(done, (std::vector<int>{8, 112, 208, 312}));
}

// Seventy rows of 90 units give three A4 pages of 30, 30 and 10 rows.
TEST(GridPrintEntry, PrintStartChoosesThePages)
{
    auto g = MakeGrid(3, 70, 0);
    FixedLayout(*g);
    std::vector<int> started, printed;
    g->OnPrintStart = [&](TObject*, int Pages, int& From, int& To) {
        started = {Pages, From, To};
        From = 2;
    };
    g->OnPrintPage = [&](TObject*, TCanvas*, int PageNr, int, int) { printed.push_back(PageNr); };
    const std::string pdf = PdfPath("grid_print_pages_2_3.pdf");
    g->Print();
    EXPECT_EQ(started, (std::vector<int>{3, 1, 3}));
    EXPECT_EQ(printed, (std::vector<int>{2, 3}));
    EXPECT_EQ(PdfPageCount(pdf), 2);
    EXPECT_EQ(g->PrintPageCount(), 3);

    // Leaving no pages cancels before a document is begun.
    for (auto cancel : {std::pair{1, 0}, std::pair{0, 2}, std::pair{3, 2}}) {
        const std::string none = PdfPath("grid_print_cancelled.pdf");
        g->OnPrintStart = [&](TObject*, int, int& From, int& To) { From = cancel.first, To = cancel.second; };
        g->Print();
        EXPECT_FALSE(std::filesystem::exists(none)) << cancel.first << "-" << cancel.second;
    }
}

// Without a counting pass every page is still printed.
TEST(GridPrintEntry, WithoutPageCountPrintsEveryPage)
{
    auto g = MakeGrid(3, 70, 0);
    FixedLayout(*g);
    g->PrintWithoutPageCount = true;
    int told = -1;
    g->OnPrintStart = [&](TObject*, int Pages, int&, int&) { told = Pages; };
    const std::string pdf = PdfPath("grid_print_uncounted.pdf");
    g->Print();
    EXPECT_EQ(told, 0);
    EXPECT_EQ(PdfPageCount(pdf), 3);
    EXPECT_EQ(g->PrintPageCount(), 3);
}

TEST(GridPrintEntry, PreviewDrawsTheChosenPage)
{
    auto g = MakeGrid(3, 20, 0);
    FixedLayout(*g);
    std::vector<int> pages;
    g->OnPrintPage = [&](TObject*, TCanvas*, int PageNr, int, int) { pages.push_back(PageNr); };
    TBitmap bmp;
    bmp.SetSize(kTargetPx, kTargetPx);
    g->SetPreviewPage(2);
    g->PrintPreview(bmp.Canvas(), TRect(0, 0, kTargetPx, kTargetPx));
    g->PrintPreview(bmp.Canvas(), TRect(0, 0, kTargetPx, kTargetPx));
    EXPECT_EQ(pages, (std::vector<int>{2, 2}));
    EXPECT_EQ(g->PrintPageCount(), 3);

    // PrintDraw: page 1 sized to the rectangle, whatever page the preview was on.
    pages.clear();
    int width = 0;
    g->OnPrintPage = [&](TObject*, TCanvas*, int PageNr, int XSize, int) {
        pages.push_back(PageNr);
        width = XSize;
    };
    g->PrintDraw(bmp.Canvas(), TRect(0, 0, kTargetPx / 2, kTargetPx));
    EXPECT_EQ(pages, (std::vector<int>{1}));
    EXPECT_EQ(width, 500);
    // The page is white where no cell is drawn, and the cells were drawn on it.
    EXPECT_EQ(bmp.Canvas()->Pixels(kTargetPx / 2 - 2, kTargetPx - 2), clWhite);
}

// A grid of two bands with repeated header row and column, title, date and page
// numbers, borders, colours and a check box, printed to PDF and turned into PNGs.
TEST(GridPrintEntry, MultiBandGridToPdfAndPng)
{
    auto g = MakeGrid(12, 80, 1, 1);
    g->Font()->SetName("DejaVu Sans");
    for (int c = 1; c < 12; ++c)
        g->SetCellEx(c, 0, "Column " + std::to_string(c));
    for (int r = 1; r < 80; ++r) {
        g->SetCellEx(0, r, "Step " + std::to_string(r));
        for (int c = 1; c < 12; ++c)
            g->SetCellEx(c, r, std::to_string(r * 1000 + c) + ".25 Ohm");
    }
    g->SetColors(2, 3, clYellow);
    g->SetFontColors(3, 4, clRed);
    g->SetAlignments(4, 5, taRightJustify);
    g->AddCheckBox(1, 6, true, false);
    TPrintSettings* s = g->PrintSettings();
    s->Font()->SetName("DejaVu Sans");
    s->Font()->SetSize(10);
    s->HeaderFont()->SetName("DejaVu Sans");
    s->HeaderFont()->SetSize(12);
    s->FooterFont()->SetName("DejaVu Sans");
    s->FooterFont()->SetSize(9);
    s->SetTitle(ppTopCenter);
    s->SetTitleText("Sweep results");
    s->SetDate(ppTopLeft);
    s->SetPageNr(ppBottomRight);
    s->SetPagePrefix("Page");
    s->SetBorders(pbSingle);
    s->SetRepeatFixedRows(true);
    s->SetRepeatFixedCols(true);
    s->SetPrintGraphics(true);
    s->SetHeaderSize(100);
    s->SetFooterSize(100);
    s->SetLeftSize(100);
    s->SetRightSize(100);
    s->SetTitleSpacing(50);
    s->SetJobName("Grid print");

    const std::string pdf = PdfPath("grid_print_bands.pdf");
    std::vector<int> announced;
    g->OnPrintPage = [&](TObject*, TCanvas*, int PageNr, int, int) { announced.push_back(PageNr); };
    g->Print();
    const int pages = g->PrintPageCount();
    EXPECT_GE(pages, 4);
    EXPECT_EQ(pages % 2, 0) << "two bands of equal page counts";
    ASSERT_EQ(PdfPageCount(pdf), pages);
    std::vector<int> expected;
    for (int p = 1; p <= pages; ++p)
        expected.push_back(p);
    EXPECT_EQ(announced, expected);

    // The second band starts with the repeated fixed column.
    EXPECT_EQ(g->PrintState().BandLastCol, 11);
    EXPECT_LT(g->GetPrintColOffset(0), g->GetPrintColOffset(g->PrintState().BandFirstCol));

    // The same page as a preview on a screen image.
    TImage image(nullptr);
    image.SetBounds(0, 0, 420, 594);
    TBitmap* preview = image.Picture()->Bitmap();
    preview->SetSize(420, 594);
    g->SetPreviewPage(3);
    g->PrintPreview(preview->Canvas(), TRect(0, 0, 420, 594));
    EXPECT_TRUE(SaveControlToPng(&image, TestOutputPath("grid_print_preview_page3.png")));

    if (std::system("command -v pdftoppm > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftoppm is not installed (scripts/setup.sh installs it)";
    const std::string prefix = TestOutputPath("grid_print_bands_page");
    const auto folder = std::filesystem::path(prefix).parent_path();
    auto isPage = [](const std::filesystem::path& f) {
        return f.filename().string().starts_with("grid_print_bands_page") && f.extension() == ".png";
    };
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (isPage(e.path()))
            std::filesystem::remove(e.path());
    ASSERT_EQ(std::system(("pdftoppm -r 60 -png '" + pdf + "' '" + prefix + "'").c_str()), 0);
    int pngs = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        pngs += isPage(e.path());
    EXPECT_EQ(pngs, pages);
}

namespace {

// A grid printed with a real font: DejaVu Sans 10 points.
std::unique_ptr<TRavArodozIdad> TextGrid(int Cols, int Rows)
{
    auto g = MakeGrid(Cols, Rows, 0);
    FixedLayout(*g);
    for (TFont* f : {g->PrintSettings()->Font(), g->PrintSettings()->HeaderFont(), g->PrintSettings()->FooterFont()}) {
        f->SetName("DejaVu Sans");
        f->SetSize(10);
    }
    return g;
}

struct TPrintedPage {
    std::map<std::pair<int, int>, TRect> Cells; // as handed to the custom-draw event
    std::unique_ptr<TBitmap> Page;               // one pixel per 0.1 mm
};

// Previews page 1 and keeps a copy of the page and where each cell went.
TPrintedPage PrintedPage(TRavArodozIdad& g)
{
    TPrintedPage out;
    g.OnCustomCellDraw = [&](TObject*, TCanvas*, int ACol, int ARow, TGridDrawState, const TRect& R, bool) {
        out.Cells[{ACol, ARow}] = R;
    };
    g.OnPrintPageDone = [&](TObject*, TCanvas* cv, int, int, int, int XSize, int YSize) {
        out.Page = std::make_unique<TBitmap>();
        out.Page->SetSize(XSize, YSize);
        out.Page->Canvas()->CopyRect(TRect(0, 0, XSize, YSize), cv, TRect(0, 0, XSize, YSize));
    };
    TBitmap bmp;
    bmp.SetSize(kTargetPx, kTargetPx);
    g.SetPreviewPage(1);
    g.PrintPreview(bmp.Canvas(), TRect(0, 0, kTargetPx, kTargetPx));
    g.OnCustomCellDraw = nullptr;
    g.OnPrintPageDone = nullptr;
    return out;
}

bool Dark(TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 384; }

// The box around the dark pixels inside R (empty when there are none).
TRect Ink(TBitmap& Page, const TRect& R)
{
    TRect ink(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (Dark(Page.Canvas()->Pixels(x, y))) {
                ink = TRect(std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                            std::max(ink.Bottom, y + 1));
            }
    return ink.Left == INT_MAX ? TRect() : ink;
}

// A line of the pen crosses the point (within the pen's width).
bool LineAt(TBitmap& Page, int X, int Y)
{
    for (int d = -2; d <= 2; ++d)
        if (Dark(Page.Canvas()->Pixels(X + d, Y)) || Dark(Page.Canvas()->Pixels(X, Y + d)))
            return true;
    return false;
}

} // namespace

TEST(GridPrintCells, TextPlacement)
{
    struct Case {
        const char* name;
        TAlignment ha;
        TVAlignment va;
        const char* text;
    };
    using enum Ravbase::TVAlignment;
    for (const Case& c : {Case{"left", taLeftJustify, vtaTop, "Hg"}, Case{"right", taRightJustify, vtaTop, "Hg"},
                          Case{"centre", taCenter, vtaTop, "Hg"},
                          Case{"two lines centred", taLeftJustify, vtaCenter, "Hg\r\nHg"},
                          Case{"two lines at the bottom", taLeftJustify, vtaBottom, "Hg\r\nHg"}}) {
        auto g = TextGrid(2, 2);
        g->SetMultilinecells(true);
        g->PrintSettings()->SetFixedHeight(300);
        g->SetCellEx(0, 0, c.text);
        g->OnGetAlignment = [&](TObject*, int, int, TAlignment& HA, TVAlignment& VA) {
            HA = c.ha;
            VA = c.va;
        };
        TPrintedPage p = PrintedPage(*g);
        ASSERT_TRUE(p.Page) << c.name;
        const TRect cell = p.Cells.at({0, 0});
        const TRect ink = Ink(*p.Page, TRect(cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1));
        ASSERT_GT(ink.Width(), 0) << c.name;
        const int above = ink.Top - cell.Top, below = cell.Bottom - ink.Bottom;
        if (c.ha == taLeftJustify) {
            EXPECT_GE(ink.Left, cell.Left + 4) << c.name;
            EXPECT_LE(ink.Left, cell.Left + 10) << c.name;
        } else if (c.ha == taRightJustify) {
            EXPECT_LE(ink.Right, cell.Right - 4) << c.name;
            EXPECT_GE(ink.Right, cell.Right - 10) << c.name;
        } else
            EXPECT_NEAR((ink.Left + ink.Right) / 2, (cell.Left + cell.Right) / 2, 4) << c.name;
        if (c.va == vtaTop)
            EXPECT_LT(above, 20) << c.name;
        else if (c.va == vtaCenter)
            EXPECT_NEAR(above, below, 15) << c.name;
        else
            EXPECT_LT(below, 20) << c.name;
    }
}

TEST(GridPrintCells, MergedAreaPrintedOnce)
{
    auto g = TextGrid(3, 4);
    g->PrintSettings()->SetUseFixedWidth(false);
    g->SetCellEx(0, 0, "merged");
    g->MergeCells(0, 0, 2, 3);
    TPrintedPage p = PrintedPage(*g);
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(p.Cells.count({c, r}), c == 0 && r == 0 ? 1u : 0u) << c << "," << r;
    const TRect area = p.Cells.at({0, 0}), single = p.Cells.at({2, 0});
    const int spacing = 20;
    EXPECT_EQ(area.Width(), g->GetPrintColWidth(0) + g->GetPrintColWidth(1) + 2 * spacing);
    EXPECT_EQ(area.Height(), 3 * single.Height());
    EXPECT_EQ(p.Cells.at({0, 3}).Top, area.Bottom);
}

TEST(GridPrintCells, BordersByStyleAndEvent)
{
    auto g = TextGrid(3, 2);
    g->PrintSettings()->SetBorders(pbHorizontal);
    TPrintedPage p = PrintedPage(*g);
    const TRect c1 = p.Cells.at({1, 0});
    const int midX = (c1.Left + c1.Right) / 2, midY = (c1.Top + c1.Bottom) / 2;
    EXPECT_TRUE(LineAt(*p.Page, midX, c1.Top));
    EXPECT_TRUE(LineAt(*p.Page, midX, c1.Bottom));
    EXPECT_FALSE(LineAt(*p.Page, c1.Left, midY));

    g->OnGetCellPrintBorder = [](TObject*, int, int ACol, TPen*, TCellBorders& Borders) {
        if (ACol == 1)
            Borders |= cbLeft;
    };
    p = PrintedPage(*g);
    EXPECT_TRUE(LineAt(*p.Page, c1.Left, midY));
    EXPECT_FALSE(LineAt(*p.Page, p.Cells.at({2, 0}).Left + 300 / 2, midY));
}

// A cell graphic is measured and printed only with PrintGraphics; before the text it
// pushes the text to the right.
TEST(GridPrintCells, GraphicsOnlyWhenAsked)
{
    for (bool graphics : {false, true}) {
        auto g = TextGrid(2, 2);
        g->PrintSettings()->SetUseFixedWidth(false);
        g->PrintSettings()->SetPrintGraphics(graphics);
        g->SetCellEx(0, 0, "Hg");
        TPrintedPage plain = PrintedPage(*g);
        const int plainWidth = g->GetPrintColWidth(0);
        TBitmap* b = g->CreateBitmap(0, 0, false, Ravgrid::haBeforeText, Ravgrid::vaTop);
        b->SetSize(40, 40);
        b->Canvas()->Brush()->SetColor(clRed);
        b->Canvas()->FillRect(TRect(0, 0, 40, 40));
        TPrintedPage p = PrintedPage(*g);
        const TRect cell = p.Cells.at({0, 0});
        bool red = false;
        for (int y = cell.Top; y < cell.Bottom && !red; y += 3)
            for (int x = cell.Left; x < cell.Right && !red; x += 3)
                red = p.Page->Canvas()->Pixels(x, y) == clRed;
        EXPECT_EQ(red, graphics);
        const int grown = g->GetPrintColWidth(0) - plainWidth;
        const TRect inkPlain = Ink(*plain.Page, plain.Cells.at({0, 0}));
        if (graphics) {
            EXPECT_NEAR(grown, 106, 2); // 40 screen pixels
            EXPECT_GE(Ink(*p.Page, TRect(cell.Left + 110, cell.Top, cell.Right, cell.Bottom)).Left,
                      inkPlain.Left + 100);
        } else
            EXPECT_EQ(grown, 0);
    }
}

TEST(GridPrintHeaders, PageNumberText)
{
    struct Case {
        const char* sep;
        int offset, maxOffset, page, total, bands, pageInBand, band;
        const char* text;
    };
    for (const Case& c : {Case{"/", 0, 0, 1, 5, 1, 1, 0, "p 2/5 s"}, Case{"", 0, 0, 1, 5, 1, 1, 0, "p 2 s"},
                          Case{"/", 0, 0, 0, 1, 1, 0, 0, "p 1 s"}, Case{"/", 0, 0, 4, -1, 1, 4, 0, "p 5 s"},
                          Case{" of ", 10, 20, 1, 5, 1, 1, 0, "p 12 of 25 s"},
                          Case{"/", 0, 0, 3, 4, 2, 1, 1, "p 2-2 s"}, Case{"/", 0, 0, 2, 4, 2, 0, 1, "p 1-2 s"}}) {
        TPrintSettings s;
        s.SetPagePrefix("p");
        s.SetPageSuffix("s");
        s.SetPageNumSep(c.sep);
        s.SetPageNumberOffset(c.offset);
        s.SetMaxPagesOffset(c.maxOffset);
        EXPECT_EQ(PrintPageNumber(s, c.page, c.total, c.bands, c.pageInBand, c.band), c.text) << c.text;
    }
}

// Markup is measured and drawn by the markup renderer: the tags take no room.
TEST(GridPrintCells, MarkupMeasuredWithoutTags)
{
    auto g = TextGrid(3, 2);
    g->PrintSettings()->SetUseFixedWidth(false);
    g->SetCellEx(0, 0, "Resistance");
    g->SetCellEx(1, 0, "<b>Resistance</b>");
    g->SetCellEx(2, 0, "&lt;b&gt;Resistance&lt;/b&gt;");
    TPrintedPage p = PrintedPage(*g);
    const int plain = g->GetPrintColWidth(0), markup = g->GetPrintColWidth(1), tags = g->GetPrintColWidth(2);
    EXPECT_GE(markup, plain);
    EXPECT_LT(markup, plain * 5 / 4);
    EXPECT_GT(tags, markup * 5 / 4);
    EXPECT_GT(Ink(*p.Page, p.Cells.at({1, 0})).Width(), plain / 2);
}

TEST(GridPrintEntry, OrientationSetsThePage)
{
    for (auto [orientation, width] : {std::pair{poPortrait, 2100}, std::pair{poLandscape, 2970}}) {
        auto g = MakeGrid(2, 2, 0);
        FixedLayout(*g);
        g->PrintSettings()->SetOrientation(orientation);
        int told = 0;
        g->OnPrintPage = [&](TObject*, TCanvas*, int, int XSize, int) { told = XSize; };
        PdfPath("grid_print_orientation.pdf");
        g->Print();
        EXPECT_NEAR(told, width, 1) << orientation; // A4 in whole printer pixels
        EXPECT_EQ(g->PrintState().PageRect.Width(), told);
    }
}

// One band scaled to the page: numbered "n/N", a framed table, the time and a title of
// two lines in the footer.
TEST(GridPrintEntry, SingleBandToPdfAndPng)
{
    auto g = MakeGrid(4, 120, 1, 0);
    for (int c = 0; c < 4; ++c)
        g->SetCellEx(c, 0, "Quantity " + std::to_string(c + 1));
    for (int r = 1; r < 120; ++r)
        for (int c = 0; c < 4; ++c)
            g->SetCellEx(c, r, std::to_string(r) + "." + std::to_string(c));
    TPrintSettings* s = g->PrintSettings();
    for (TFont* f : {s->Font(), s->HeaderFont(), s->FooterFont()}) {
        f->SetName("DejaVu Sans");
        f->SetSize(10);
    }
    s->SetFitToPage(fpAlways);
    s->SetBorders(pbAround);
    s->SetPageNr(ppTopRight);
    s->SetTime(ppBottomLeft);
    s->SetTitle(ppBottomCenter);
    TStringList lines;
    lines.Add("Bench 4, fixture B");
    lines.Add("Operator checked");
    s->SetTitleLines(&lines);
    s->SetHeaderSize(100);
    s->SetFooterSize(100);
    s->SetLeftSize(200);
    s->SetRightSize(200);
    s->SetRepeatFixedRows(true);
    const std::string pdf = PdfPath("grid_print_single_band.pdf");
    g->Print();
    EXPECT_EQ(PdfPageCount(pdf), g->PrintPageCount());
    EXPECT_GE(g->PrintPageCount(), 2);
    // Scaled to fill the page between the margins.
    int total = 0;
    for (int c = 0; c < 4; ++c)
        total += g->GetPrintColWidth(c) + 20;
    EXPECT_NEAR(total, 2100 - 400, 4);
    if (std::system("command -v pdftoppm > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftoppm is not installed (scripts/setup.sh installs it)";
    const std::string prefix = TestOutputPath("grid_print_single_band_page");
    EXPECT_EQ(std::system(("pdftoppm -r 60 -png -f 1 -l 1 '" + pdf + "' '" + prefix + "'").c_str()), 0);
}

// Fonts scaled up to fill the page width get rows high enough for them: the text is
// as much taller as the columns are wider, not cut at the row's bottom.
TEST(GridPrintCells, ScaledTextKeepsItsHeight)
{
    int width[2] = {0, 0}, height[2] = {0, 0};
    for (TFitToPage fit : {fpNever, fpAlways}) {
        auto g = TextGrid(2, 3);
        g->PrintSettings()->SetUseFixedWidth(false);
        g->PrintSettings()->SetUseFixedHeight(false);
        g->PrintSettings()->SetFitToPage(fit);
        g->SetCellEx(0, 0, "Resistance Hg");
        g->SetCellEx(1, 2, "Reactance Hg");
        TPrintedPage p = PrintedPage(*g);
        const TRect first = p.Cells.at({0, 0}), second = p.Cells.at({0, 1});
        const TRect ink = Ink(*p.Page, TRect(first.Left, first.Top, first.Right, second.Bottom));
        EXPECT_LE(ink.Bottom, first.Bottom) << fit;
        width[fit != fpNever] = g->GetPrintColWidth(0);
        height[fit != fpNever] = ink.Height();
    }
    const double k = double(width[1]) / width[0];
    EXPECT_GT(k, 1.5);
    EXPECT_NEAR(height[1], height[0] * k, height[0] * k * 0.1);
}

TEST(GridPrintLayout, ApplicationSizesColumnsAndRows)
{
    auto g = MakeGrid(4, 10, 0);
    FixedLayout(*g);
    g->PrintSettings()->SetUseFixedHeight(false);
    g->PrintSettings()->SetFixedHeight(170);
    int preset = 0;
    g->OnPrintSetRowHeight = [&](TObject*, int, int& Height) {
        preset = Height;
        Height -= 10; // rows of 160 + 20: four on a page
    };
    g->OnPrintSetColumnWidth = [](TObject*, int ACol, int& Width) {
        if (ACol == 1)
            Width = 500; // columns 0 and 1 fill a band
    };
    EXPECT_EQ(PagesOf(*g), (std::vector<std::string>{"c0-1 r0-3", "c0-1 r4-7", "c0-1 r8-9", "c2-3 r0-3",
                                                     "c2-3 r4-7", "c2-3 r8-9"}));
    EXPECT_EQ(preset, 170);
    EXPECT_EQ(g->GetPrintColWidth(1), 500);
}

// Hidden columns are not printed; the columns shown print their own data.
TEST(GridPrintLayout, HiddenColumnsAreLeftOut)
{
    auto g = MakeGrid(5, 3, 0);
    FixedLayout(*g);
    g->HideColumn(1);
    g->HideColumn(3);
    EXPECT_EQ(PagesOf(*g), (std::vector<std::string>{"c0,2,4 r0-2"}));
}

// Nothing to draw on, nothing to lay out, or a page beyond any paper: no output, and the
// last one says why.
TEST(GridPrintEntry, UnusableTargets)
{
    auto g = MakeGrid(2, 2, 0);
    g->SetPrintRange(TGridRect{0, 0, 1, 1});
    g->SetPreviewRect(TRect(0, 0, 100, 100));
    EXPECT_EQ(g->BuildPages(nullptr, prPreview, -1, false), 0);
    TBitmap bmp;
    bmp.SetSize(10, 10);
    g->SetPreviewRect(TRect(0, 0, 0, 100));
    EXPECT_EQ(g->BuildPages(bmp.Canvas(), prPreview, -1, false), 0);
    EXPECT_EQ(g->BuildPages(bmp.Canvas(), prCalcPreview, -1, false), 0);
    g->SetPrintRange(TGridRect{1, 0, 0, 1});
    g->SetPreviewRect(TRect(0, 0, 100, 100));
    EXPECT_EQ(g->BuildPages(bmp.Canvas(), prCalcPreview, -1, false), 0);
    const std::string none = PdfPath("grid_print_nothing.pdf");
    g->PrintRect(TGridRect{1, 0, 0, 1});
    EXPECT_FALSE(std::filesystem::exists(none));
    EXPECT_EQ(g->PrintPageCount(), 0);
    try {
        g->PrintPreview(bmp.Canvas(), TRect(0, 0, 4000, 4000));
        ADD_FAILURE() << "a page of 1 m x 1 m drawn";
    } catch (const VEvoRaraVedad& e) {
        EXPECT_STREQ(e.what(), "The page is too large to print");
    }
}

// A handler that raises while a scaled row is drawn leaves the font scale at 1.
TEST(GridPrintCells, FontScaleRestoredWhenAHandlerRaises)
{
    auto g = TextGrid(2, 2);
    g->PrintSettings()->SetFitToPage(fpAlways);
    double during = 0;
    g->OnCustomCellDraw = [&](TObject*, TCanvas*, int, int, TGridDrawState, const TRect&, bool) {
        during = g->PrintFontScale();
        throw Exception("handler failed");
    };
    TBitmap bmp;
    bmp.SetSize(kTargetPx, kTargetPx);
    EXPECT_THROW(g->PrintPreview(bmp.Canvas(), TRect(0, 0, kTargetPx, kTargetPx)), Exception);
    EXPECT_NEAR(during, 1000.0 / 600.0, 1e-9); // two 300 columns scaled to the page
    EXPECT_EQ(g->PrintFontScale(), 1.0);
    EXPECT_EQ(g->MapFontHeight(10), -35);
}

// With word wrap and screen widths, long texts wrap inside their column and the row
// grows to hold every line.
TEST(GridPrintCells, WordWrapInScreenWidths)
{
    auto g = TextGrid(2, 2);
    g->PrintSettings()->SetUseFixedWidth(false);
    g->PrintSettings()->SetUseFixedHeight(false);
    g->PrintSettings()->SetNoAutoSize(true);
    g->SetWordWrap(true);
    g->SetColWidths(0, 64);
    g->SetCellEx(0, 0, "one two three four five six seven");
    TPrintedPage p = PrintedPage(*g);
    EXPECT_EQ(g->GetPrintColWidth(0), 159); // (64 - 4) screen pixels
    const TRect cell = p.Cells.at({0, 0}), next = p.Cells.at({0, 1});
    EXPECT_GT(cell.Height(), 3 * 35);
    const TRect ink = Ink(*p.Page, TRect(cell.Left, cell.Top, cell.Right + 300, next.Bottom));
    EXPECT_LE(ink.Right, cell.Right);
    EXPECT_LE(ink.Bottom, cell.Bottom);
    EXPECT_GT(ink.Height(), 3 * 30);
}

// A title of markup lines is rendered as markup in the header band.
TEST(GridPrintHeaders, MarkupTitle)
{
    for (TPrintPosition pos : {ppNone, ppTopCenter}) {
        auto g = TextGrid(2, 2);
        g->PrintSettings()->SetTitle(pos);
        TStringList lines;
        lines.Add("<b>Sweep</b> <i>results</i>");
        g->PrintSettings()->SetTitleLines(&lines);
        TPrintedPage p = PrintedPage(*g);
        const TRect ink = Ink(*p.Page, TRect(0, 0, kPage, 100));
        EXPECT_EQ(ink.Width() > 0, pos != ppNone) << pos;
        if (pos != ppNone) {
            EXPECT_LT(ink.Width(), 400) << "tags are not printed as text";
        }
    }
}

namespace {

// What a command prints on its standard output.
std::string CommandOutput(const std::string& Command)
{
    std::string out;
    if (FILE* f = popen(Command.c_str(), "r")) {
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;)
            out.append(buf, n);
        pclose(f);
    }
    return out;
}

// The box pdftotext gives a word on page 1 (empty when it is not there).
struct TWordBox {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    double Width() const { return Right - Left; }
    double Height() const { return Bottom - Top; }
};

std::optional<TWordBox> WordBox(const std::string& BBoxHtml, const std::string& Word)
{
    const std::regex word("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">" + Word +
                          "</word>");
    std::smatch m;
    if (!std::regex_search(BBoxHtml, m, word))
        return std::nullopt;
    return TWordBox{std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4])};
}

} // namespace

// A printed grid is drawing, not pictures: its text reads back from the PDF, a turned
// cell is printed turned, a cell's own font face and size are printed, and two pages
// take a few kilobytes.
TEST(GridPrintEntry, PdfKeepsTextTurnedTextAndCellFonts)
{
    if (std::system("command -v pdftotext > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext is not installed (scripts/setup.sh installs it)";
    auto g = MakeGrid(3, 90, 1, 0);
    for (int c = 0; c < 3; ++c)
        g->SetCellEx(c, 0, "Heading" + std::to_string(c + 1));
    for (int r = 1; r < 90; ++r)
        for (int c = 0; c < 3; ++c)
            g->SetCellEx(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
    g->AddRotated(0, 2, 90, "Upwards");
    g->SetCellEx(1, 3, "Serifed");
    g->SetFontNames(1, 3, "Times New Roman");
    g->SetFontSizes(1, 3, 20);
    TPrintSettings* s = g->PrintSettings();
    for (TFont* f : {s->Font(), s->HeaderFont(), s->FooterFont()}) {
        f->SetName("DejaVu Sans");
        f->SetSize(10);
    }
    s->SetBorders(pbSingle);
    s->SetPageNr(ppTopRight);
    s->SetHeaderSize(100);
    s->SetFooterSize(100);
    s->SetLeftSize(200);
    const std::string pdf = PdfPath("grid_print_vector.pdf");
    g->Print();
    ASSERT_GE(g->PrintPageCount(), 2);
    EXPECT_EQ(PdfPageCount(pdf), g->PrintPageCount());
    EXPECT_LT(std::filesystem::file_size(pdf), 100u * 1024);

    const std::string text = CommandOutput("pdftotext -layout '" + pdf + "' -");
    for (const char* word : {"Heading1", "r1c0", "r45c2", "r89c1", "Serifed", "Upwards"})
        EXPECT_NE(text.find(word), std::string::npos) << word;

    const std::string boxes = CommandOutput("pdftotext -f 1 -l 1 -bbox '" + pdf + "' -");
    const auto turned = WordBox(boxes, "Upwards"), serif = WordBox(boxes, "Serifed"), plain = WordBox(boxes, "r1c1");
    ASSERT_TRUE(turned && serif && plain) << boxes.substr(0, 2000);
    EXPECT_GT(turned->Height(), 2 * turned->Width());
    EXPECT_GT(plain->Width(), plain->Height());
    EXPECT_GT(serif->Height(), 1.6 * plain->Height());
    const std::string fonts = CommandOutput("pdffonts '" + pdf + "'");
    EXPECT_NE(fonts.find("DejaVuSerif"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("DejaVuSans"), std::string::npos) << fonts;

    if (std::system("command -v pdftoppm > /dev/null 2>&1") == 0) {
        const std::string prefix = TestOutputPath("grid_print_vector_page");
        EXPECT_EQ(std::system(("pdftoppm -r 80 -png -f 1 -l 1 '" + pdf + "' '" + prefix + "'").c_str()), 0);
    }
}
