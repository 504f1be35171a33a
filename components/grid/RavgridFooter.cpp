// The floating footer: its panel's painting, the template filling and the totals
// of the last row.
#include "components/grid/RavgridFooter.h"

#include <cctype>

#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"
#include "platform/graphics/Canvas.h"

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomPanel(AOwner), FGrid(dynamic_cast<TRavArodozIdad*>(AOwner))
{
    if (!FGrid)
        throw VEvoRaraVedad("The footer panel belongs to a grid");
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetAlign(alBottom);
    SetHeight(0);
}

int TFooterPanel::FooterWidth() const
{
    int w = 0;
    for (int c = 0; c < FGrid->FixedCols(); ++c)
        w += FGrid->ColWidths(c);
    for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c)
        w += FGrid->ColWidths(c);
    return w;
}

AnsiString TFooterPanel::HTMLColReplace(const AnsiString& Template)
{
    AnsiString s = Template, out;
    for (;;) {
        const size_t open = s.find("<#");
        if (open == AnsiString::npos)
            break;
        const size_t close = s.find('>', open);
        // An unclosed tag ends the scan: the rest stays as it stands.
        if (close == AnsiString::npos)
            break;
        out += s.substr(0, open);
        const AnsiString number = Trim(s.substr(open + 2, close - open - 2));
        s.erase(0, close + 1);
        int col = 0;
        if (TryStrToInt(number, col) && col >= 0 && col < FGrid->ColCount())
            out += FGrid->GetCellEx(col, FGrid->Row());
    }
    return out + s;
}

void TFooterPanel::Paint()
{
    if (!FGrid->FloatingFooter()->Visible())
        return;
    switch (FGrid->FloatingFooter()->FooterStyle()) {
    case fsFixedLastRow:
        PaintLastRow();
        break;
    case fsColumnPreview:
        PaintColPreview();
        break;
    case fsCustomPreview:
        PaintCustomPreview();
        break;
    }
}

void TFooterPanel::PaintLastRow()
{
    TCanvas* cv = Canvas();
    const int W = FooterWidth(), H = ClientHeight(), last = FGrid->RowCount() - 1;
    cv->Brush()->SetColor(FGrid->FixedColor());
    cv->FillRect(TRect(0, 0, W, H));
    cv->Brush()->SetColor(FGrid->Color());
    cv->FillRect(TRect(W, 0, ClientWidth(), H));

    const bool soft = FGrid->Look() == glSoft && !FGrid->Flat();
    const bool vert = FGrid->Options() & goFixedVertLine, horz = FGrid->Options() & goFixedHorzLine;
    auto separator = [&](int& x, int col) {
        cv->Pen()->SetColor(clWhite);
        if (vert && soft) {
            cv->MoveTo(x, H);
            cv->LineTo(x, 0);
        }
        x += FGrid->ColWidths(col);
        if (horz && soft) {
            cv->MoveTo(x - FGrid->ColWidths(col), 0);
            cv->LineTo(x - 1, 0);
        }
        if (vert) {
            cv->Pen()->SetColor(clGray);
            cv->MoveTo(x - 1, 0);
            cv->LineTo(x - 1, H);
        }
    };
    int x = 0;
    for (int c = 0; c < FGrid->FixedCols(); ++c)
        separator(x, c);
    for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c)
        separator(x, c);

    int left = 0;
    for (int c = 0; c < FGrid->FixedCols(); ++c) {
        FGrid->DrawGridCell(cv, c, last, TRect(left, 0, left + FGrid->ColWidths(c) - 1, H), gdFixed);
        left += FGrid->ColWidths(c);
    }
    for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c) {
        const TRect r(left + 1, 0, left + FGrid->ColWidths(c) - 1, H);
        const TColor back = FGrid->Colors(FGrid->RealColIndex(c), last);
        if (back != clNone) {
            cv->Brush()->SetColor(back);
            cv->FillRect(r);
        }
        FGrid->DrawGridCell(cv, c, last, r, gdFixed);
        left += FGrid->ColWidths(c);
    }
}

void TFooterPanel::PaintFrame(int W)
{
    TCanvas* cv = Canvas();
    const int H = ClientHeight();
    cv->Brush()->SetColor(FGrid->FloatingFooter()->Color());
    cv->Pen()->SetColor(FGrid->FloatingFooter()->Color());
    cv->FillRect(TRect(0, 0, W, H));
    cv->Pen()->SetColor(clGray);
    cv->MoveTo(0, H - 1);
    cv->LineTo(W - 1, H - 1);
    cv->LineTo(W - 1, -1);
    cv->Pen()->SetColor(clWhite);
    cv->MoveTo(W - 1, 0);
    cv->LineTo(0, 0);
    cv->LineTo(0, H);
    cv->Brush()->SetColor(FGrid->Color());
    cv->FillRect(TRect(W, 0, ClientWidth(), H));
}

void TFooterPanel::PaintColPreview()
{
    const int W = FooterWidth();
    PaintFrame(W);
    const int col = FGrid->FloatingFooter()->Column();
    if (col < 0 || col >= FGrid->ColCount() || FGrid->Row() < 0 || FGrid->Row() >= FGrid->RowCount())
        return;
    const TColor saved = FGrid->SelectionTextColor();
    FGrid->SetSelectionTextColor(clBlack);
    FGrid->DrawGridCell(Canvas(), col, FGrid->Row(), TRect(0, 0, W, ClientHeight()), 0);
    FGrid->SetSelectionTextColor(saved);
}

void TFooterPanel::PaintCustomPreview()
{
    const int W = FooterWidth();
    PaintFrame(W);
    TCanvas* cv = Canvas();
    cv->Brush()->SetStyle(bsClear);
    cv->Font()->Assign(FGrid->Font());
    if (ComponentStateHas(csDesigning)) {
        cv->TextOut(2, 2, FGrid->FloatingFooter()->CustomTemplate());
        return;
    }
    const AnsiString text = HTMLColReplace(FGrid->FloatingFooter()->CustomTemplate());
    HTMLDrawEx(cv, text, TRect(0, 2, W, ClientHeight() + 2), FGrid->URLColor(), FGrid->BlinkPhase(), false,
               !FGrid->EnhTextSize(), FGrid->GridImages(), FGrid->PictureCache(), FGrid->PictureContainer());
}

// ---------------------------------------------------------------- the grid's side

namespace {
// A cell that holds no number counts as 0, so that one stray text never stops the totals.
double FooterValue(TRavArodozIdad& g, int ACol, int ARow)
{
    try {
        return g.Floats(ACol, ARow);
    } catch (const VEvoRaraVedad&) {
        return 0;
    }
}

double Reduce(TRavArodozIdad& g, int ACol, int From, int To, TColumnCalcType Calc)
{
    // An empty range gives 0 for every reduction.
    if (To < From)
        return 0;
    double v = FooterValue(g, ACol, From), sum = 0;
    for (int r = From; r <= To; ++r) {
        const double x = FooterValue(g, ACol, r);
        sum += x;
        if ((Calc == acMIN && x < v) || (Calc == acMAX && x > v))
            v = x;
    }
    if (Calc == acSUM)
        return sum;
    if (Calc == acAVG)
        return sum / (To - From + 1);
    return v;
}
} // namespace

void TRavArodozIdad::UpdateFooter()
{
    if (FFooterPanel)
        FFooterPanel->Invalidate();
}

void TRavArodozIdad::FloatFooterUpdate()
{
    TBaseGrid::FloatFooterUpdate();
    UpdateFooter();
}

void TRavArodozIdad::CalcFooter(int ACol) { DoCalcFooter(ACol); }

void TRavArodozIdad::DoCalcFooter(int ACol)
{
    if (!FFloatingFooter->Visible() || FFloatingFooter->FooterStyle() != fsFixedLastRow)
        return;
    const int F = FixedRows(), L = RowCount() - 1;
    const int from = ACol < 0 ? 0 : ACol, to = ACol < 0 ? ColCount() - 1 : ACol;
    for (int c = from; c <= to && c < ColCount(); ++c) {
        TCellProperties* p = CellPropertiesOrNil(c, L);
        if (!p)
            continue;
        switch (p->FooterCalc()) {
        case acSUM:
        case acAVG:
        case acMIN:
        case acMAX:
            SetFloats(c, L, Reduce(*this, c, F, L - 1, p->FooterCalc()));
            break;
        case acCOUNT:
            SetFloats(c, L, L - F);
            break;
        default:
            break;
        }
    }
}

void TRavArodozIdad::CreateFooterPanel()
{
    FFooterPanel = new TFooterPanel(this);
    FFooterPanel->SetVisible(false);
    FFooterPanel->SetParent(this);
}
