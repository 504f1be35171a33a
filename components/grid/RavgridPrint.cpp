// Printing and previewing: measuring cells in print units, sizing columns, splitting
// them into bands that fit the page width and the rows into pages, header and footer
// texts, page frames, and the cells drawn by the screen's own cell painting.
//
// Pages are drawn in print units (0.1 mm). On the printer they are drawn onto the page
// itself, scaled to its resolution, so a PDF keeps its text as text; a preview draws on a
// page bitmap whose pixel is 0.1 mm and stretches it onto the preview rectangle. Counting
// and printing measure text alike whatever the output device.
#include <algorithm>
#include <climits>
#include <cmath>

#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"
#include "platform/core/DateTime.h"
#include "platform/forms/Printer.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

constexpr int kUnitsPerInch = 254; // print units (0.1 mm) per inch
constexpr long long kMaxPageUnits = 10000LL * 10000; // one square metre

// Device pixels per inch of a canvas: the printer's while it prints on it, else the screen's.
int CanvasPixelsPerInch(TCanvas* cv)
{
    TPrinter* p = Printer();
    return p->Printing() && cv == p->Canvas() ? p->Resolution() : ScreenPixelsPerInch;
}

int DeviceToUnits(int v, int dpi) { return int(std::lround(double(v) * kUnitsPerInch / dpi)); }

bool IsTop(TPrintPosition p) { return p == ppTopLeft || p == ppTopRight || p == ppTopCenter; }
bool IsBottom(TPrintPosition p) { return p == ppBottomLeft || p == ppBottomRight || p == ppBottomCenter; }
bool IsLeft(TPrintPosition p) { return p == ppTopLeft || p == ppBottomLeft; }

// Fonts follow the fit factor while a row is measured or drawn; 1.0 again afterwards,
// also when an event handler raises.
class TFontScale {
public:
    TFontScale(double& Scale, double K) : FScale(Scale) { FScale = K; }
    ~TFontScale() { FScale = 1.0; }
    TFontScale(const TFontScale&) = delete;
    TFontScale& operator=(const TFontScale&) = delete;

private:
    double& FScale;
};

// The printer's canvas in print units for one layout: logical (0, 0) at the page
// rectangle's corner, drawing cut to the page; as it was afterwards.
class TPrintUnits {
public:
    TPrintUnits(TCanvas* Canvas, const TRect& Device, const TRect& Page) : FCanvas(Canvas)
    {
        if (!FCanvas)
            return;
        FUnits = FCanvas->UnitsPerInch();
        FCanvas->SaveDC();
        const TPoint o = FCanvas->ViewportOrg();
        FCanvas->SetViewportOrg(TPoint(o.x + Device.Left, o.y + Device.Top));
        FCanvas->SetUnitsPerInch(kUnitsPerInch);
        FCanvas->IntersectClipRect(Page);
    }
    ~TPrintUnits()
    {
        if (!FCanvas)
            return;
        FCanvas->SetUnitsPerInch(FUnits);
        FCanvas->RestoreDC();
    }
    TPrintUnits(const TPrintUnits&) = delete;
    TPrintUnits& operator=(const TPrintUnits&) = delete;

private:
    TCanvas* FCanvas;
    int FUnits = 0;
};

struct TBand {
    int First = 0, Last = 0;
    bool RepeatFixed = false;
    int RF = 0; // width of the repeated fixed columns
};

} // namespace

// One layout (and, for the drawing methods, the output) of PrintRange.
class TGridPageBuilder {
public:
    TGridPageBuilder(TRavArodozIdad& Grid, TCanvas* Target, TPrintMethod Method, int TotalPages, bool SelectedOnly)
        : G(Grid), S(*Grid.FPrintSettings), P(Grid.FPrint), FTarget(Target), FMethod(Method), FTotal(TotalPages),
          FSelectedOnly(SelectedOnly), FDraws(Method == prPreview || Method == prPrint)
    {
    }
    int Run();

private:
    // Sizes
    void SetFont(TFont* Font, TFont* From, int Size) const;
    int CellFont(int ACol, int ARow, TCanvas* cv, TBrush& Brush, TAlignment& HA, TVAlignment& VA);
    TCanvas* PageCanvas() const { return FPage ? FPage->Canvas() : FTarget; }
    TPoint MeasureCell(int ACol, int ARow);
    int RowHeight(int ARow);
    void ColumnWidths(const std::vector<int>& Cols);
    std::vector<TBand> Bands() const;
    void BandOffsets(const TBand& Band);
    // Output
    bool Included(int ARow) const;
    bool Drawn(int PageIndex) const { return FDraws && PageIndex + 1 >= P.FromPage && PageIndex + 1 <= P.ToPage; }
    void StartPage(int PageIndex, int BandIndex, int PageInBand);
    void EndPage(int PageIndex, int y, const TBand& Band);
    void HeaderFooter(int PageIndex, int BandIndex, int PageInBand);
    void PrintRow(int ARow, int y, const TBand& Band);
    void PrintCell(int ACol, int ARow, int y, int R, const TBand& Band);
    void CellBorders(int ACol, int ARow, TRect Rect, const TBand& Band);
    int AfterBand(const TBand& Band) const { return P.PrintColOffset[size_t(Band.Last) + 1]; }

    TRavArodozIdad& G;
    TPrintSettings& S;
    TGridPrintState& P;
    TCanvas* FTarget;
    TPrintMethod FMethod;
    int FTotal;
    bool FSelectedOnly;
    bool FDraws;
    int FBandCount = 1;
    TRect FDeviceRect; // where a drawn page goes on the target
    bool FPrinterTarget = false;
    bool FVector = false; // pages drawn straight onto the printer's page
    bool FEmitted = false;
    bool FPageOpen = false;
    TBitmap FMeasure;
    std::unique_ptr<TBitmap> FPage;
    TPen FPen;
    double F = 1, K = 1;
    int Hh = 0, Hf = 0, Hn = 0, U = 0, W = 0, B = 0, s = 0, HA = 0, FA = 0;
    int FCachedRow = -1, FCachedE = 0;
};

void TGridPageBuilder::SetFont(TFont* Font, TFont* From, int Size) const
{
    Font->Assign(From);
    Font->SetHeight(G.MapFontHeight(Size));
}

// The cell's colours and font on cv: the print font, with the cell's colour and style,
// and the name and size the cell has of its own (through its properties or the colour
// event). Returns the angle of a rotated cell (its font turned by it), else 0.
int TGridPageBuilder::CellFont(int ACol, int ARow, TCanvas* cv, TBrush& Brush, TAlignment& HA, TVAlignment& VA)
{
    TFont font;
    bool ww = false;
    TGridDrawState st = 0;
    G.GetVisualProperties(ACol, ARow, st, true, false, true, &Brush, &font, HA, VA, ww);
    const TFont* base = ACol < G.FixedCols() || ARow < G.FixedRows() ? G.FixedFont() : G.Font();
    TFont* f = cv->Font();
    f->Assign(S.Font());
    if (font.Name() != base->Name())
        f->SetName(font.Name());
    f->SetHeight(G.MapFontHeight(font.Size() != base->Size() ? font.Size() : S.Font()->Size()));
    f->SetColor(font.Color());
    f->SetStyle(font.Style());
    int angle = 0;
    if (!G.IsRotated(G.RemapCol(ACol), ARow, angle))
        return 0;
    // Turned as on the screen; a printer that turns its landscape pages the other way
    // (Linux drivers report 90 degrees) turns the text with it when asked to.
    const int d = G.RotatedPrintFollowsPrinter && FPrinterTarget ? -10 : 10;
    f->SetOrientation(angle * d);
    return angle;
}

TPoint TGridPageBuilder::MeasureCell(int ACol, int ARow)
{
    const int rc = G.RemapCol(ACol);
    TCanvas* cv = FMeasure.Canvas();
    TBrush brush;
    TAlignment ha = taLeftJustify;
    TVAlignment va = Ravbase::vtaTop;
    const int angle = CellFont(ACol, ARow, cv, brush, ha, va);
    AnsiString text;
    int type = ttPlain;
    if (G.GetCellType(rc, ARow) != Ravgrid::ctDataCheckBox)
        text = G.ShownCellText(rc, ARow, type);
    TPoint gs(0, 0);
    if (S.PrintGraphics()) {
        const TPoint g = G.GetCellGraphicSize(rc, ARow);
        gs = TPoint(int(std::lround(g.x * F)), int(std::lround(g.y * F)));
    }
    int w = 0, h = 0;
    if (type == ttHTML) {
        const TPoint m = HTMLDrawEx(cv, text, TRect(0, 0, 100000, 100000), G.URLColor(), false, true, false);
        w = m.x + gs.x;
        h = m.y;
    } else if (type == ttRTF) {
        // Rich text is as large as on screen, in print units.
        const TPoint m = G.RichTextSize(rc, ARow, false);
        w = int(std::lround(m.x * F)) + gs.x;
        h = int(std::lround(m.y * F));
    } else {
        if (text.empty())
            text = "gh";
        if (G.WordWrap() && S.NoAutoSize()) {
            const int cw = G.IsXMergedCell(rc, ARow) ? 100000 : P.PrintColWidth[size_t(ACol)];
            TRect r(0, 0, cw, 0);
            cv->DrawText(text, r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
            w = cw;
            h = r.Height();
        } else {
            const int lines = LinesInText(text, G.Multilinecells());
            AnsiString rest = text;
            for (int i = 0; i < lines; ++i) {
                AnsiString line = GetNextLine(rest, G.Multilinecells());
                if (G.URLShow() && !G.URLFull())
                    StripURLProtocol(line);
                w = std::max(w, cv->TextWidth(line));
            }
            if (angle != 0) {
                const double a = angle * 3.14159265358979323846 / 180.0, tw = w, th = lines * cv->TextHeight("gh");
                w = std::abs(int(std::lround(std::cos(a) * tw))) + std::abs(int(std::lround(std::sin(a) * th)));
                h = std::abs(int(std::lround(std::sin(a) * tw))) + std::abs(int(std::lround(std::cos(a) * th)));
            } else
                h = lines * cv->TextHeight("gh");
            w += gs.x;
        }
    }
    cv->Font()->SetOrientation(0);
    TPoint size(std::max(w, gs.x), std::max(h, gs.y));
    if (G.OnCustomCellSize)
        G.OnCustomCellSize(&G, cv, rc, ARow, size, true);
    return size;
}

int TGridPageBuilder::RowHeight(int ARow)
{
    if (ARow != FCachedRow) {
        int e = 0;
        if (S.NoAutoSizeRow())
            e = int(std::lround((G.RowHeights(ARow) - 4) * F));
        else if (S.UseFixedHeight())
            e = S.FixedHeight();
        else if (G.OnPrintSetRowHeight) {
            e = S.FixedHeight();
            G.OnPrintSetRowHeight(&G, ARow, e);
        } else {
            // Rows are drawn with the fonts scaled to the page width: measured so too.
            TFontScale scale(P.PrintFontScale, K);
            for (int c = P.PrintRange.Left; c <= P.PrintRange.Right; ++c)
                if (!G.IsYMergedCell(G.RemapCol(c), ARow))
                    e = std::max(e, MeasureCell(c, ARow).y);
        }
        FCachedRow = ARow;
        FCachedE = e;
    }
    return FCachedE + FCachedE / 8 + 2 * U + S.RowSpacing();
}

void TGridPageBuilder::ColumnWidths(const std::vector<int>& Cols)
{
    auto& w = P.PrintColWidth;
    for (int c : Cols) {
        int width = 0;
        if (S.NoAutoSize())
            width = int(std::lround((G.ColWidths(c) - 4) * F));
        else
            for (int r = P.PrintRange.Top; r <= P.PrintRange.Bottom; ++r) {
                if (G.IsXMergedCell(G.RemapCol(c), r))
                    continue;
                width = std::max(width, S.UseFixedWidth() ? S.FixedWidth() : MeasureCell(c, r).x);
            }
        w[size_t(c)] = width;
    }
    auto total = [&] {
        long long t = 0;
        for (int c : Cols)
            t += w[size_t(c)] + s;
        return t;
    };
    if (S.FitToPage() != fpNever) {
        const long long T = total(), sp = (long long)Cols.size() * s;
        K = T != sp ? double(W - S.RightSize() - S.LeftSize() - sp) / double(T - sp) : 1.0;
        if ((S.FitToPage() == fpShrink && K > 1) || (S.FitToPage() == fpGrow && K < 1))
            K = 1;
        if (S.FitToPage() == fpCustom && K != 1 && G.OnFitToPage) {
            bool allow = true;
            G.OnFitToPage(&G, K, allow);
            if (!allow)
                K = 1;
        }
        if (K <= 0)
            K = 1;
        if (K != 1)
            for (int c : Cols)
                w[size_t(c)] = int(w[size_t(c)] * K);
    }
    if (G.OnPrintSetColumnWidth)
        for (int c : Cols)
            G.OnPrintSetColumnWidth(&G, c, w[size_t(c)]);
}

// Columns go into a band while they fit between the margins; a band holds at least
// one column, cut at the page edge when it is wider than the page.
std::vector<TBand> TGridPageBuilder::Bands() const
{
    std::vector<TBand> bands;
    const int fixed = G.FixedCols();
    const int left = S.Centered() ? 0 : S.LeftSize();
    for (int c = P.PrintRange.Left; c <= P.PrintRange.Right;) {
        TBand b;
        b.First = c;
        b.RepeatFixed = !bands.empty() && S.RepeatFixedCols() && fixed > 0 && c >= fixed;
        if (b.RepeatFixed)
            for (int f = 0; f < fixed; ++f)
                b.RF += P.PrintColWidth[size_t(f)] + s;
        long long used = left + b.RF + P.PrintColWidth[size_t(c)] + s;
        b.Last = c;
        while (b.Last < P.PrintRange.Right &&
               used + P.PrintColWidth[size_t(b.Last) + 1] + s <= W - S.RightSize()) {
            ++b.Last;
            used += P.PrintColWidth[size_t(b.Last)] + s;
        }
        bands.push_back(b);
        c = b.Last + 1;
    }
    return bands;
}

void TGridPageBuilder::BandOffsets(const TBand& Band)
{
    auto& o = P.PrintColOffset;
    const auto& w = P.PrintColWidth;
    const int left = S.Centered() ? 0 : S.LeftSize();
    const int fixed = Band.RepeatFixed ? G.FixedCols() : 0;
    o[0] = left;
    for (int c = 0; c < fixed; ++c)
        o[size_t(c) + 1] = o[size_t(c)] + w[size_t(c)] + s;
    o[size_t(Band.First)] = left;
    int used = Band.RF;
    for (int c = Band.First; c <= Band.Last; ++c) {
        o[size_t(c) + 1] = o[size_t(c)] + w[size_t(c)] + s;
        used += w[size_t(c)] + s;
    }
    const int shift = S.Centered() && used < W ? (W - used) / 2 : 0;
    for (int c = 0; c < fixed; ++c)
        o[size_t(c)] += shift;
    for (int c = Band.First; c <= Band.Last + 1; ++c)
        o[size_t(c)] += shift + Band.RF;
    P.PageUsedWidth = used;
    P.BandFirstCol = Band.First;
    P.BandLastCol = Band.Last;
}

bool TGridPageBuilder::Included(int ARow) const
{
    if (!FSelectedOnly)
        return true;
    if (G.MouseActions()->DisjunctRowSelect())
        return G.GetRowSelect(ARow);
    const TGridRect sel = G.Selection();
    return ARow >= sel.Top && ARow <= sel.Bottom;
}

void TGridPageBuilder::StartPage(int PageIndex, int BandIndex, int PageInBand)
{
    if (!Drawn(PageIndex))
        return;
    if (FVector && FEmitted)
        Printer()->NewPage();
    TCanvas* cv = PageCanvas();
    cv->Brush()->SetColor(clWhite);
    cv->Brush()->SetStyle(bsSolid);
    cv->FillRect(TRect(0, 0, W, B));
    cv->SetPen(&FPen);
    FPageOpen = true;
    if (G.OnPrintPage)
        G.OnPrintPage(&G, cv, PageIndex + 1, W, B);
    HeaderFooter(PageIndex, BandIndex, PageInBand);
}

void TGridPageBuilder::HeaderFooter(int PageIndex, int BandIndex, int PageInBand)
{
    TCanvas* cv = PageCanvas();
    AnsiString texts[7];
    auto add = [&](TPrintPosition pos, const AnsiString& item) {
        if (pos == ppNone)
            return;
        texts[pos] = IsLeft(pos) ? item + " " + texts[pos] : texts[pos] + " " + item;
    };
    add(S.Time(), FormatDateTime("hh:nn", Now()));
    add(S.Date(), FormatDateTime(S.DateFormat(), Now()));
    add(S.PageNr(), PrintPageNumber(S, PageIndex, FTotal, FBandCount, PageInBand, BandIndex));
    TStringList* lines = S.TitleLines();
    bool markupTitle = false;
    if (!S.TitleText().empty())
        add(S.Title(), S.TitleText());
    else if (lines->Count() > 0) {
        markupTitle = TextType(lines->Text(), true) == ttHTML;
        if (!markupTitle)
            add(S.Title(), lines->Strings(0));
    }
    cv->Brush()->SetStyle(bsClear);
    cv->SetBkMode(bkTransparent);
    auto place = [&](TPrintPosition pos, int y, const AnsiString& text) {
        int x = S.LeftSize();
        if (pos == ppTopRight || pos == ppBottomRight)
            x = W - S.RightSize() - 20 - cv->TextWidth(text);
        else if (pos == ppTopCenter || pos == ppBottomCenter)
            x = (W - cv->TextWidth(text)) / 2;
        cv->TextOut(x, y, text);
    };
    const bool extraLines = S.TitleText().empty() && !markupTitle && lines->Count() > 1 && S.Title() != ppNone;
    SetFont(cv->Font(), S.HeaderFont(), S.HeaderFont()->Size());
    for (TPrintPosition pos : {ppTopLeft, ppTopRight, ppTopCenter})
        if (!texts[pos].empty())
            place(pos, S.HeaderSize(), texts[pos]);
    if (extraLines && IsTop(S.Title()))
        for (int i = 1; i < lines->Count(); ++i)
            place(S.Title(), S.HeaderSize() + i * Hh, lines->Strings(i));
    SetFont(cv->Font(), S.FooterFont(), S.FooterFont()->Size());
    const int footTop = B - S.FooterSize() - U - Hf;
    for (TPrintPosition pos : {ppBottomLeft, ppBottomRight, ppBottomCenter})
        if (!texts[pos].empty())
            place(pos, footTop, texts[pos]);
    if (extraLines && IsBottom(S.Title()))
        for (int i = 1; i < lines->Count(); ++i)
            place(S.Title(), footTop + i * Hf, lines->Strings(i));
    if (markupTitle && S.Title() != ppNone) {
        SetFont(cv->Font(), S.HeaderFont(), S.HeaderFont()->Size());
        const TRect r = IsTop(S.Title()) ? TRect(S.LeftSize(), 0, W, S.HeaderSize())
                                         : TRect(S.LeftSize(), B - S.FooterSize(), W, B);
        HTMLDrawEx(cv, lines->Text(), r, G.URLColor(), false);
    }
    cv->Brush()->SetStyle(bsSolid);
}

// The frame of the page, then the page goes to the printer or the preview.
void TGridPageBuilder::EndPage(int PageIndex, int y, const TBand& Band)
{
    if (!FPageOpen || !Drawn(PageIndex))
        return;
    FPageOpen = false;
    TCanvas* cv = PageCanvas();
    cv->SetPen(&FPen);
    const TPrintBorders b = S.Borders();
    const int left = Band.RepeatFixed ? P.PrintColOffset[0] : P.PrintColOffset[size_t(Band.First)];
    const int right = AfterBand(Band), top = HA + S.TitleSpacing(), bottom = y - U / 2;
    if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal) {
        cv->MoveTo(left, top);
        cv->LineTo(right, top);
        cv->LineTo(right, bottom);
        cv->LineTo(left, bottom);
        cv->LineTo(left, top);
    }
    if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal) {
        cv->MoveTo(left, bottom);
        cv->LineTo(right, bottom);
    }
    if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && Band.RepeatFixed)
        for (int c = 0; c < G.FixedCols(); ++c) {
            cv->MoveTo(P.PrintColOffset[size_t(c)], top);
            cv->LineTo(P.PrintColOffset[size_t(c)], bottom);
        }
    if (!FVector) {
        if (FPrinterTarget && FEmitted)
            Printer()->NewPage();
        FTarget->StretchDraw(FDeviceRect, FPage.get());
    }
    FEmitted = true;
}

void TGridPageBuilder::PrintRow(int ARow, int y, const TBand& Band)
{
    const int R = RowHeight(ARow);
    if (!FPageOpen)
        return;
    TFontScale scale(P.PrintFontScale, K);
    if (Band.RepeatFixed)
        for (int c = 0; c < G.FixedCols(); ++c)
            PrintCell(c, ARow, y, R, Band);
    for (int c = Band.First; c <= Band.Last; ++c)
        PrintCell(c, ARow, y, R, Band);
}

void TGridPageBuilder::PrintCell(int ACol, int ARow, int y, int R, const TBand& Band)
{
    const int rc = G.RemapCol(ACol);
    if (!G.IsBaseCell(rc, ARow))
        return;
    TCanvas* cv = PageCanvas();
    const TPoint span = G.CellSpan(rc, ARow);
    const int lastCol = std::min(ACol + span.x, G.ColCount() - 1);
    int width = 0;
    for (int c = ACol; c <= lastCol; ++c)
        width += P.PrintColWidth[size_t(c)] + s;
    const int left = P.PrintColOffset[size_t(ACol)];
    TRect rect(left, y, left + width, y + (span.y + 1) * R);

    TBrush brush;
    TAlignment ha = taLeftJustify;
    TVAlignment va = Ravbase::vtaTop;
    const int angle = CellFont(ACol, ARow, cv, brush, ha, va);
    cv->Brush()->SetStyle(bsSolid);
    cv->Brush()->SetColor(brush.Color());
    cv->FillRect(rect);

    AnsiString text;
    int type = ttPlain;
    if (G.GetCellType(rc, ARow) != Ravgrid::ctDataCheckBox)
        text = G.ShownCellText(rc, ARow, type);
    TRect T = rect;
    if (rect.Right > W)
        T.Right = AfterBand(Band);
    // Graphics: the screen drawing at screen size, stretched to print units. A rotated
    // cell's "graphic" is its turned text, printed below in print units.
    if (S.PrintGraphics() && G.GetCellGraphic(rc, ARow) && angle == 0) {
        const int sw = std::max(1, int(std::lround(rect.Width() / F)));
        const int sh = std::max(1, int(std::lround(rect.Height() / F)));
        TBitmap shot;
        shot.SetSize(sw, sh);
        shot.Canvas()->Brush()->SetColor(brush.Color());
        shot.Canvas()->FillRect(TRect(0, 0, sw, sh));
        shot.Canvas()->Font()->Assign(G.Font());
        bool drawText = true;
        const int room = G.DrawCellGraphic(shot.Canvas(), TRect(0, 0, sw, sh), rc, ARow, ha, drawText);
        cv->StretchDraw(rect, &shot);
        T.Left += int(std::lround(room * F));
        if (!drawText)
            text.clear();
    }
    cv->SetBkMode(bkTransparent);
    if (angle != 0 && type == ttPlain) {
        AnsiString rest = text;
        const AnsiString line = GetNextLine(rest, false);
        TRect at(T.Left + 4, T.Top, T.Right - 4, T.Bottom);
        G.CalcTextPos(at, angle, line, ha, va, cv);
        cv->SaveDC();
        cv->IntersectClipRect(T);
        cv->TextOut(at.Left, at.Top, line);
        cv->RestoreDC();
    } else if (type == ttHTML)
        HTMLDrawEx(cv, text, TRect(T.Left + 4, T.Top, T.Right - 4, T.Bottom), G.URLColor(), false);
    else if (type == ttRTF)
        G.RTFPaintAt(rc, ARow, cv, T, kUnitsPerInch, true);
    else if (G.WordWrap() && S.NoAutoSize())
        G.DrawPlainCellText(cv, text, TRect(T.Left + int(std::lround(2 * F)), T.Top, T.Right, T.Bottom), ha, va,
                            G.URLColor());
    else {
        // Several lines are placed as a block: the painting aligns only single lines vertically.
        const int lines = LinesInText(text, G.Multilinecells());
        if (lines > 1 && va != Ravbase::vtaTop) {
            const int room = T.Height() - lines * cv->TextHeight("gh");
            T.Top += va == Ravbase::vtaCenter ? room / 2 : room;
        }
        G.DrawPlainCellText(cv, text, TRect(T.Left + 4, T.Top, T.Right - 4, T.Bottom), ha, va, G.URLColor());
    }

    cv->Font()->SetOrientation(0);
    if (G.OnCustomCellDraw)
        G.OnCustomCellDraw(&G, cv, rc, ARow, 0, rect, true);
    CellBorders(ACol, ARow, rect, Band);
}

void TGridPageBuilder::CellBorders(int ACol, int ARow, TRect Rect, const TBand& Band)
{
    TCanvas* cv = PageCanvas();
    TCellBorders sides = 0;
    switch (S.Borders()) {
    case pbSingle:
    case pbDouble:
        sides = cbTop | cbLeft | cbRight | cbBottom;
        break;
    case pbHorizontal:
    case pbAroundHorizontal:
        sides = cbTop | cbBottom;
        break;
    case pbVertical:
    case pbAroundVertical:
        sides = cbLeft | cbRight;
        break;
    default:
        break;
    }
    cv->SetPen(&FPen);
    G.GetCellPrintBorder(G.RemapCol(ACol), ARow, cv->Pen(), sides);
    if (Rect.Bottom > B - S.FooterSize()) {
        Rect.Bottom = B - S.FooterSize();
        sides &= ~cbBottom;
    }
    if (Rect.Right > W)
        Rect.Right = AfterBand(Band);
    if (sides & cbTop) {
        cv->MoveTo(Rect.Left, Rect.Top);
        cv->LineTo(Rect.Right, Rect.Top);
    }
    if (sides & cbLeft) {
        cv->MoveTo(Rect.Left, Rect.Top);
        cv->LineTo(Rect.Left, Rect.Bottom);
    }
    if (sides & cbRight) {
        cv->MoveTo(Rect.Right, Rect.Top);
        cv->LineTo(Rect.Right, Rect.Bottom);
    }
    if (sides & cbBottom) {
        cv->MoveTo(Rect.Left, Rect.Bottom);
        cv->LineTo(Rect.Right, Rect.Bottom);
    }
    cv->SetPen(&FPen);
}

int TGridPageBuilder::Run()
{
    TGridRect& range = P.PrintRange;
    range.Left = std::max(range.Left, 0);
    range.Top = std::max(range.Top, 0);
    range.Right = std::min(range.Right, G.ColCount() - 1);
    range.Bottom = std::min(range.Bottom, G.RowCount() - 1);
    P.PrintColWidth.assign(size_t(std::max(G.ColCount(), 0)) + 1, 0);
    P.PrintColOffset.assign(size_t(std::max(G.ColCount(), 0)) + 1, 0);
    P.PrintFontScale = 1.0;
    if (range.Left > range.Right || range.Top > range.Bottom)
        return 0;

    FPen.SetColor(clBlack);
    FPen.SetStyle(S.BorderStyle());
    FPen.SetWidth(S.Borders() == pbDouble ? 10 : 2);
    FMeasure.SetSize(1, 1);
    TCanvas* m = FMeasure.Canvas();
    SetFont(m->Font(), S.HeaderFont(), S.HeaderFont()->Size());
    Hh = m->TextHeight("gh");
    SetFont(m->Font(), S.FooterFont(), S.FooterFont()->Size());
    Hf = m->TextHeight("gh");
    SetFont(m->Font(), S.Font(), S.Font()->Size());
    Hn = m->TextHeight("gh");
    U = Hn / 8;
    F = double(kUnitsPerInch) / ScreenPixelsPerInch;
    s = S.UseFixedWidth() ? 0 : S.ColumnSpacing() + 20;
    if (FDraws && !FTarget)
        return 0;
    if (FMethod == prPrint) {
        const int dpi = CanvasPixelsPerInch(FTarget);
        FDeviceRect = FTarget->ClipRect();
        FPrinterTarget = dpi != ScreenPixelsPerInch;
        W = DeviceToUnits(FDeviceRect.Width(), dpi);
        B = DeviceToUnits(FDeviceRect.Height(), dpi);
    } else if (FMethod == prCalcPrint) {
        W = P.PreviewRect.Width();
        B = P.PreviewRect.Height();
    } else {
        const int dpi = FTarget ? CanvasPixelsPerInch(FTarget) : ScreenPixelsPerInch;
        FDeviceRect = P.PreviewRect;
        W = DeviceToUnits(P.PreviewRect.Width(), dpi);
        B = DeviceToUnits(P.PreviewRect.Height(), dpi);
    }
    P.PageRect = TRect(0, 0, W, B);
    if (W <= 0 || B <= 0)
        return 0;
    // A drawn page is a bitmap of one pixel per 0.1 mm: a square metre takes 400 MB.
    if (FDraws && (long long)W * B > kMaxPageUnits)
        throw VEvoRaraVedad("The page is too large to print");
    const bool top = IsTop(S.Time()) || IsTop(S.Date()) || IsTop(S.PageNr()) || IsTop(S.Title());
    const bool bottom = IsBottom(S.Time()) || IsBottom(S.Date()) || IsBottom(S.PageNr()) || IsBottom(S.Title());
    const int extraTitle = S.TitleLines()->Count() > 0 ? S.TitleLines()->Count() - 1 : 0;
    HA = top ? U + Hh + S.HeaderSize() + (IsTop(S.Title()) ? extraTitle * Hh : 0) : S.HeaderSize();
    FA = bottom ? 2 * U + 2 * Hf + S.FooterSize() + (IsBottom(S.Title()) ? extraTitle * Hf : 0)
                : U + Hf + S.FooterSize();
    // The printer's page takes the drawing in print units; anything else gets a page bitmap.
    FVector = FMethod == prPrint && FPrinterTarget;
    if (FDraws && !FVector) {
        FPage = std::make_unique<TBitmap>();
        FPage->SetSize(W, B);
    }
    TPrintUnits units(FVector ? FTarget : nullptr, FDeviceRect, TRect(0, 0, W, B));

    std::vector<int> cols;
    if (S.RepeatFixedCols())
        for (int c = 0; c < std::min(G.FixedCols(), range.Left); ++c)
            cols.push_back(c);
    for (int c = range.Left; c <= range.Right; ++c)
        cols.push_back(c);
    ColumnWidths(cols);
    const std::vector<TBand> bands = Bands();
    FBandCount = int(bands.size());

    int I = 0;
    for (size_t bi = 0; bi < bands.size(); ++bi) {
        const TBand& band = bands[bi];
        BandOffsets(band);
        int r = range.Top;
        for (int pageInBand = 0;; ++pageInBand) {
            StartPage(I, int(bi), pageInBand);
            int y = HA + S.TitleSpacing();
            if (r != 0 && S.RepeatFixedRows() && G.FixedRows() > 0 &&
                (pageInBand > 0 || range.Top >= G.FixedRows()))
                for (int fr = 0; fr < G.FixedRows(); ++fr) {
                    PrintRow(fr, y, band);
                    y += RowHeight(fr);
                }
            bool pageBreak = false;
            while (r <= range.Bottom) {
                if (Included(r)) {
                    PrintRow(r, y, band);
                    y += RowHeight(r);
                }
                const int next = r + 1;
                r = next;
                bool newPage = false;
                if (G.OnPrintNewPage)
                    G.OnPrintNewPage(&G, next, newPage);
                const bool last = next > range.Bottom;
                const int X = !last && Included(next) ? RowHeight(next) : 0;
                const bool full = y + X > B - FA;
                if ((full || last || newPage) && FDraws && Drawn(I) && G.OnPrintPageDone)
                    G.OnPrintPageDone(&G, PageCanvas(), next, y, I, W, B);
                if ((full || newPage) && !last) {
                    pageBreak = true;
                    EndPage(I, y, band);
                    ++I;
                    break;
                }
            }
            if (!pageBreak) {
                EndPage(I, y, band);
                ++I;
                break;
            }
            // Pages past the last one asked for are not laid out.
            if (FDraws && I + 1 > P.ToPage)
                return I;
        }
        if (FDraws && I + 1 > P.ToPage)
            return I;
    }
    return I;
}

// ---------------------------------------------------------------- the grid's side

AnsiString PrintPageNumber(const TPrintSettings& S, int PageIndex, int TotalPages, int Bands, int PageInBand,
                           int Band)
{
    AnsiString nr;
    if (Bands > 1)
        nr = std::to_string(PageInBand + 1) + "-" + std::to_string(Band + 1);
    else if (!S.PageNumSep().empty() && TotalPages > 1)
        nr = std::to_string(PageIndex + 1 + S.PageNumberOffset()) + S.PageNumSep() +
             std::to_string(TotalPages + S.MaxPagesOffset());
    else
        nr = std::to_string(PageIndex + 1 + S.PageNumberOffset());
    return S.PagePrefix() + " " + nr + " " + S.PageSuffix();
}

int TRavArodozIdad::MapFontHeight(int PointSize) const
{
    return -int(double(PointSize) * kUnitsPerInch / 72 * FPrint.PrintFontScale);
}

int TRavArodozIdad::MapFontSize(int Height) const { return int(double(Height) * 72 / kUnitsPerInch); }

int TRavArodozIdad::GetPrintColWidth(int ACol) const
{
    if (ACol < 0 || ACol >= ColCount())
        throw VEvoRaraVedad("Columns is not in valid range");
    return size_t(ACol) < FPrint.PrintColWidth.size() ? FPrint.PrintColWidth[size_t(ACol)] : 0;
}

int TRavArodozIdad::GetPrintColOffset(int ACol) const
{
    if (ACol < 0 || ACol >= ColCount())
        throw VEvoRaraVedad("Columns is not in valid range");
    return size_t(ACol) < FPrint.PrintColOffset.size() ? FPrint.PrintColOffset[size_t(ACol)] : 0;
}

int TRavArodozIdad::BuildPages(TCanvas* ACanvas, TPrintMethod Method, int TotalPages, bool SelectedRowsOnly)
{
    TGridPageBuilder b(*this, ACanvas, Method, TotalPages, SelectedRowsOnly);
    return b.Run();
}

void TRavArodozIdad::Print() { PrivatePrintRect(TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, false); }
void TRavArodozIdad::PrintRect(const TGridRect& Cells) { PrivatePrintRect(Cells, false); }
void TRavArodozIdad::PrintSelectedRows()
{
    PrivatePrintRect(TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, true);
}

void TRavArodozIdad::PrintPreview(TCanvas* ACanvas, const TRect& Target)
{
    PrivatePrintPreviewRect(ACanvas, Target, false, TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

void TRavArodozIdad::PrintPreviewRect(TCanvas* ACanvas, const TRect& Target, const TGridRect& Cells)
{
    PrivatePrintPreviewRect(ACanvas, Target, false, Cells);
}

void TRavArodozIdad::PrintPreviewSelectedRows(TCanvas* ACanvas, const TRect& Target)
{
    PrivatePrintPreviewRect(ACanvas, Target, true, TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

void TRavArodozIdad::SetPreviewPage(int Page) { FPrint.FromPage = FPrint.ToPage = Page; }

void TRavArodozIdad::PrintDraw(TCanvas* ACanvas, const TRect& Target)
{
    PrintDrawRect(ACanvas, Target, TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

void TRavArodozIdad::PrintDrawRect(TCanvas* ACanvas, const TRect& Target, const TGridRect& Cells)
{
    FPrint.PrintRange = Cells;
    FPrint.PreviewRect = Target;
    FPrint.FromPage = FPrint.ToPage = FPrint.PrintPageCount = 1;
    ACanvas->SaveDC();
    ACanvas->SetClipRect(Target);
    BuildPages(ACanvas, prPrint, 1, false);
    ACanvas->RestoreDC();
}

void TRavArodozIdad::PrivatePrintRect(const TGridRect& Cells, bool SelectedRowsOnly)
{
    TPrinter* printer = Printer();
    FPrint.PrintRange = Cells;
    printer->SetOrientation(FPrintSettings->Orientation());
    const int dpi = printer->Resolution();
    FPrint.PreviewRect = TRect(0, 0, DeviceToUnits(printer->PageWidth(), dpi), DeviceToUnits(printer->PageHeight(), dpi));
    // Without a counting pass every page is printed, numbered without a total.
    int pages = 0;
    if (!PrintWithoutPageCount) {
        pages = BuildPages(Canvas(), prCalcPrint, -1, SelectedRowsOnly);
        // No cells: no document, rather than a blank sheet.
        if (pages == 0) {
            FPrint.PrintPageCount = 0;
            return;
        }
    }
    FPrint.FromPage = 1;
    FPrint.ToPage = PrintWithoutPageCount ? INT_MAX : pages;
    FPrint.PrintPageCount = pages;
    if (OnPrintStart) {
        OnPrintStart(this, pages, FPrint.FromPage, FPrint.ToPage);
        if (FPrint.FromPage <= 0 || FPrint.ToPage <= 0 || FPrint.ToPage < FPrint.FromPage)
            return;
    }
    FPrint.PrintPageCount = FPrint.ToPage;
    printer->SetTitle(FPrintSettings->JobName());
    printer->BeginDoc();
    try {
        const int laid = BuildPages(printer->Canvas(), prPrint, PrintWithoutPageCount ? -1 : pages, SelectedRowsOnly);
        if (PrintWithoutPageCount)
            FPrint.PrintPageCount = laid;
    } catch (...) {
        printer->Abort();
        throw;
    }
    printer->EndDoc();
}

void TRavArodozIdad::PrivatePrintPreviewRect(TCanvas* ACanvas, const TRect& Target, bool SelectedRowsOnly,
                                             const TGridRect& Cells)
{
    FPrint.PrintRange = Cells;
    FPrint.PreviewRect = Target;
    int pages = -1;
    if (!PrintWithoutPageCount) {
        pages = BuildPages(ACanvas, prCalcPreview, -1, SelectedRowsOnly);
        FPrint.PrintPageCount = pages;
    }
    FPrint.PreviewRect = Target;
    BuildPages(ACanvas, prPreview, pages, SelectedRowsOnly);
}
