// Drawing of the cell graphics: placement in the cell, then each kind.
#include <algorithm>
#include <cmath>

#include "components/grid/Ravgrid.h"
#include "components/grid/Ravobj.h"
#include "components/grid/Ravutil.h"
#include "components/grid/Ravxpvs.h"
#include "platform/core/IntConvert.h"
#include "platform/core/Strings.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DrawTextFlags.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/ImageList.h"
#include "platform/graphics/Picture.h"

using namespace Ravgrid;

namespace {

AnsiString FirstLine(const AnsiString& s)
{
    const size_t p = s.find_first_of("\r\n");
    return p == AnsiString::npos ? s : s.substr(0, p);
}

// Keeps the canvas's brush, pen and font across a drawing that changes them.
struct SavedTools {
    TCanvas* cv;
    TBrush brush;
    TPen pen;
    TFont font;
    explicit SavedTools(TCanvas* c) : cv(c)
    {
        brush.Assign(c->Brush());
        pen.Assign(c->Pen());
        font.Assign(c->Font());
    }
    ~SavedTools()
    {
        cv->SetBrush(&brush);
        cv->SetPen(&pen);
        cv->SetFont(&font);
    }
};

// A check box of the rounded look (checked: a green tick) or the square one (a dark tick).
void DrawLookCheck(TCanvas* cv, int x, int y, int size, bool checked, bool enabled, bool rounded)
{
    cv->Pen()->SetColor(enabled ? (rounded ? TColor(0x845A1C) : clGray) : clSilver);
    cv->Brush()->SetColor(enabled ? clWindow : clBtnFace);
    if (rounded)
        cv->RoundRect(x, y, x + size, y + size, 4, 4);
    else
        cv->Rectangle(x, y, x + size, y + size);
    if (!checked)
        return;
    cv->Pen()->SetColor(!enabled ? clGray : rounded ? TColor(0x21A121) : clWindowText);
    cv->Pen()->SetWidth(2);
    cv->Polyline({TPoint(x + 3, y + size / 2), TPoint(x + size / 2 - 1, y + size - 4), TPoint(x + size - 4, y + 3)});
    cv->Pen()->SetWidth(1);
}

void DrawLookRadio(TCanvas* cv, int x, int y, bool selected, bool enabled, bool rounded)
{
    cv->Pen()->SetColor(enabled ? (rounded ? TColor(0x845A1C) : clGray) : clSilver);
    cv->Brush()->SetColor(enabled ? clWindow : clBtnFace);
    cv->Ellipse(x + 1, y + 1, x + 15, y + 15);
    if (!selected)
        return;
    const TColor dot = !enabled ? clGray : rounded ? TColor(0x21A121) : clWindowText;
    cv->Pen()->SetColor(dot);
    cv->Brush()->SetColor(dot);
    cv->Ellipse(x + 5, y + 5, x + 11, y + 11);
}

} // namespace

TRect TRavArodozIdad::GraphicBox(TCellGraphic* g, const TRect& R, int W, int H, TAlignment TextAlign,
                                 int TextWidth)
{
    TRect B;
    switch (g->CellHAlign) {
    case haRight:
        B.Left = R.Right - 1 - W;
        break;
    case haCenter:
        B.Left = W < R.Width() ? R.Left + (R.Width() - W) / 2 : R.Left + 1;
        break;
    case haBeforeText:
        B.Left = TextAlign != taLeftJustify ? R.Right - TextWidth - W : R.Left + 1;
        if (B.Left < R.Left)
            B.Left = R.Left + 1;
        break;
    case haAfterText:
        B.Left = TextAlign != taRightJustify ? R.Left + TextWidth : R.Right - 1 - W;
        break;
    case haFull:
        B.Left = R.Left;
        break;
    default:
        B.Left = R.Left + 1;
        break;
    }
    B.Right = g->CellHAlign == haFull ? R.Right : B.Left + W;
    switch (g->CellVAlign) {
    case vaBottom:
        B.Top = R.Bottom - 1 - H;
        break;
    case vaCenter:
        B.Top = H < R.Height() ? R.Top + (R.Height() - H) / 2 : R.Top + 1;
        break;
    case vaUnderText:
        B.Top = R.Bottom - H;
        break;
    case vaFull:
        B.Top = R.Top;
        break;
    default:
        B.Top = R.Top + 1;
        break;
    }
    B.Bottom = g->CellVAlign == vaFull ? R.Bottom : B.Top + H;
    return B;
}

int TRavArodozIdad::DrawCellGraphic(TCanvas* cv, const TRect& R, int RealCol, int ARow, TAlignment TextAlign,
                                    bool& DrawText)
{
    int W = 0, H = 0;
    bool drawText = true;
    TCellHAlign ha;
    TCellVAlign va;
    TCellGraphic* g = GetGraphicDetails(RealCol, ARow, W, H, drawText, ha, va);
    if (!g)
        return 0;
    if (g->CellType == ctNode) {
        DrawCellNode(cv, g, R, ARow);
        return 0;
    }
    const AnsiString text = Cells(RealCol, ARow);
    const int textWidth = text.empty() ? 0 : cv->TextWidth(FirstLine(text)) + 2;
    TRect B = GraphicBox(g, R, W, H, TextAlign, textWidth);
    bool enabled = true;
    GetCellReadOnly(RealCol, ARow, enabled);
    DrawText = drawText;
    switch (g->CellType) {
    case ctBitmap:
        if (auto* b = dynamic_cast<TBitmap*>(g->CellObject); b && !b->Empty()) {
            if (g->CellTransparent)
                cv->BrushCopy(TRect(B.Left, B.Top, B.Left + W, B.Top + H), b, TRect(0, 0, W, H),
                              b->Canvas()->Pixels(0, 0));
            else
                cv->Draw(B.Left, B.Top, b);
        }
        break;
    case ctIcon:
        if (auto* i = dynamic_cast<TIcon*>(g->CellObject))
            cv->Draw(B.Left, B.Top, i);
        break;
    case ctImageList:
        if (FGridImages && g->CellIndex >= 0 && g->CellIndex < FGridImages->Count())
            FGridImages->Draw(cv, B.Left, B.Top, g->CellIndex);
        break;
    case ctDataImage:
        if (FGridImages) {
            const int i = StrToIntDef(text, 0) + g->CellIndex;
            if (i >= 0 && i < FGridImages->Count())
                FGridImages->Draw(cv, B.Left, B.Top, i);
        }
        break;
    case ctImages:
        if (auto* l = dynamic_cast<TIntList*>(g->CellObject); l && FGridImages) {
            int x = B.Left, y = B.Top;
            for (int i = 0; i < l->Count(); ++i) {
                const int idx = l->GetInteger(i);
                if (idx >= 0 && idx < FGridImages->Count())
                    FGridImages->Draw(cv, x, y, idx);
                if (g->CellBoolean)
                    x += FGridImages->Width();
                else
                    y += FGridImages->Height();
            }
        }
        break;
    case ctPicture:
        if (auto* p = dynamic_cast<TPicture*>(g->CellObject); p && p->Graphic()) {
            if (g->CellAngle != noStretch)
                cv->StretchDraw(B, p->Graphic());
            else
                cv->Draw(B.Left, B.Top, p->Graphic());
        }
        break;
    case ctFilePicture:
        if (auto* p = dynamic_cast<TFilePicture*>(g->CellObject))
            p->DrawPicture(cv, B);
        break;
    case ctCheckBox:
    case ctDataCheckBox: {
        const bool data = g->CellType == ctDataCheckBox;
        if (TextAlign == taRightJustify)
            B.Left = R.Right - (data ? 0 : textWidth) - W - 1;
        else if (TextAlign == taCenter)
            B.Left = data || textWidth == 0 ? R.Left + std::max(0, R.Right - W - R.Left) / 2
                                            : R.Left + std::max(0, R.Right - textWidth - R.Left) / 2 - W;
        else
            B.Left = R.Left + 1;
        B.Left = std::max(B.Left, R.Left + 1);
        B.Right = B.Left + W;
        bool checked = false;
        GetCheckBoxState(RealCol, ARow, checked);
        DrawCellCheck(cv, B, checked, enabled);
        break;
    }
    case ctRotated: {
        SavedTools saved(cv);
        TRect t(R.Left + XYOffset().x, R.Top + XYOffset().y, R.Right, R.Bottom);
        CalcTextPos(t, g->CellAngle, text, TextAlign, VAlignment());
        cv->Font()->SetOrientation(g->CellAngle * 10);
        cv->Brush()->SetStyle(bsClear);
        cv->SaveDC();
        cv->IntersectClipRect(TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2));
        cv->TextOut(t.Left, t.Top, text);
        cv->RestoreDC();
        break;
    }
    case ctRadio:
        DrawCellRadio(cv, R, g->CellIndex, dynamic_cast<TStrings*>(g->CellObject), text, g->CellBoolean, enabled);
        break;
    case ctProgress:
        DrawCellProgress(cv, g, R, RealCol, ARow);
        break;
    case ctComment:
        if (CommentColor() != clNone) {
            SavedTools saved(cv);
            cv->Brush()->SetColor(CommentColor());
            cv->Pen()->SetColor(CommentColor());
            cv->Polygon({TPoint(R.Right - 7, R.Top + 1), TPoint(R.Right - 2, R.Top + 1), TPoint(R.Right - 2, R.Top + 6)});
        }
        break;
    case ctButton:
    case ctBitButton:
        DrawCellButton(cv, g, R, B);
        break;
    default:
        break;
    }
    return ha == haBeforeText && TextAlign == taLeftJustify ? W + 2 : 0;
}

void TRavArodozIdad::DrawCellNode(TCanvas* cv, TCellGraphic* g, TRect R, int ARow)
{
    SavedTools saved(cv);
    R.Left -= NodeIndent(ARow);
    const bool contracted = g->CellBoolean;
    TCellNode* n = FCellNode.get();
    const int y = R.Top + (R.Height() - 8) / 2;
    if (n->NodeType() == cnLeaf) {
        // A closed or open folder leaf.
        const int x = R.Left + 2, top = R.Top + (R.Height() - 16) / 2;
        cv->Pen()->SetColor(TColor(0x1A6E9E));
        cv->Brush()->SetColor(TColor(0x5CC8F0));
        cv->Rectangle(x + 1, top + 4, x + 15, top + 14);
        cv->Rectangle(x + 1, top + 2, x + 7, top + 5);
        if (!contracted) {
            cv->Brush()->SetColor(TColor(0x9EE6FA));
            cv->Polygon({TPoint(x + 3, top + 7), TPoint(x + 15, top + 7), TPoint(x + 13, top + 14), TPoint(x + 1, top + 14)});
        }
        return;
    }
    if (n->NodeType() == cnGlyph && !n->ExpandGlyph()->Empty() && !n->ContractGlyph()->Empty()) {
        TBitmap* b = contracted ? n->ContractGlyph() : n->ExpandGlyph();
        const int top = R.Top + (R.Height() - b->Height()) / 2;
        DrawBitmapTransp(cv, b, Color(), TRect(R.Left + 2, top, R.Left + 2 + b->Width(), top + b->Height()));
        return;
    }
    if (n->NodeType() == cn3D) {
        cv->Brush()->SetColor(n->Color());
        cv->FillRect(R);
        TRect e = R;
        cv->DrawEdge(e, BDR_RAISEDINNER, BF_RECT);
    }
    const int x = R.Left + 4;
    cv->Brush()->SetColor(n->Color());
    if (n->NodeType() == cnFlat || n->NodeType() == cnGlyph) {
        cv->Pen()->SetColor(n->NodeColor());
        cv->Rectangle(x, y, x + 9, y + 9);
        cv->MoveTo(x + 2, y + 4);
        cv->LineTo(x + 7, y + 4);
        if (contracted) {
            cv->MoveTo(x + 4, y + 2);
            cv->LineTo(x + 4, y + 7);
        }
    } else {
        TRect e(x, y, x + 9, y + 9);
        cv->FillRect(e);
        cv->DrawEdge(e, contracted ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
    }
}

void TRavArodozIdad::DrawCellProgress(TCanvas* cv, TCellGraphic* g, TRect R, int RealCol, int ARow)
{
    SavedTools saved(cv);
    const TColor before = saved.brush.Color();
    R = TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    const AnsiString cell = Cells(RealCol, ARow);
    const int value = std::clamp(StrToIntDef(cell, 0), 0, 100);
    const int fill = static_cast<int>(std::lround(value * R.Width() / 100.0));
    const AnsiString text = cell + "%";
    const TColor fillText = g->CellBoolean ? static_cast<TColor>(g->CellIndex)
                                           : static_cast<TColor>(ColorToRGB(g->ProgressColor) ^ 0xFFFFFF);
    const TColor restText = g->CellBoolean ? static_cast<TColor>(g->CellAngle)
                                           : static_cast<TColor>(ColorToRGB(g->ProgressRestColor) ^ 0xFFFFFF);
    const int tx = R.Left + (R.Width() - cv->TextWidth(text)) / 2;
    const int ty = R.Top + (R.Height() - cv->TextHeight(text)) / 2;
    cv->Brush()->SetStyle(bsSolid);
    cv->Brush()->SetColor(g->ProgressColor);
    cv->Font()->SetColor(fillText);
    cv->TextRect(TRect(R.Left, R.Top, R.Left + fill, R.Bottom), tx, ty, text);
    cv->Brush()->SetColor(g->ProgressRestColor);
    cv->Font()->SetColor(restText);
    cv->TextRect(TRect(R.Left + fill, R.Top, R.Right, R.Bottom), tx, ty, text);
    cv->Brush()->SetColor(clBlack);
    cv->FrameRect(TRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1));
    cv->Brush()->SetColor(before);
    cv->FrameRect(TRect(R.Left - 2, R.Top - 2, R.Right + 2, R.Bottom + 2));
}

void TRavArodozIdad::DrawCellButton(TCanvas* cv, TCellGraphic* g, const TRect& R, TRect B)
{
    SavedTools saved(cv);
    g->CellValue = (B.Left - R.Left) | ((B.Top - R.Top) << 16);
    const bool down = g->CellBoolean;
    cv->Brush()->SetColor(clBtnFace);
    cv->FillRect(B);
    TRect e = B;
    if (ControlLook()->FlatButton())
        cv->DrawEdge(e, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    else
        cv->DrawEdge(e, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int shrink = down ? 3 : 2;
    B = TRect(B.Left + shrink, B.Top + shrink, B.Right - shrink, B.Bottom - shrink);
    if (g->CellType == ctBitButton)
        if (auto* glyph = dynamic_cast<TBitmap*>(g->CellObject); glyph && !glyph->Empty()) {
            const int top = B.Top + (B.Height() - glyph->Height()) / 2;
            DrawBitmapTransp(cv, glyph, clBtnFace, TRect(B.Left, top, B.Left + glyph->Width(), top + glyph->Height()));
            B.Left += glyph->Width() + 2;
        }
    cv->Brush()->SetStyle(bsClear);
    cv->Font()->SetColor(clBtnText);
    cv->DrawText(g->CellText, B, DT_END_ELLIPSIS | DT_VCENTER | DT_CENTER | DT_SINGLELINE);
}

void TRavArodozIdad::DrawCellCheck(TCanvas* cv, const TRect& B, bool Checked, bool Enabled)
{
    SavedTools saved(cv);
    const int size = ControlLook()->CheckSize();
    const TCellControlStyle style = ControlLook()->ControlStyle();
    switch (style) {
    case csWinXP:
    case csQSW:
        // Drawn in the room the cell gives a check box, so the text beside it stays clear.
        DrawLookCheck(cv, B.Left, B.Top, size, Checked, Enabled, style == csWinXP);
        return;
    case csBevel: {
        cv->Pen()->SetColor(clBtnFace);
        cv->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
        cv->FillRect(B);
        cv->Pen()->SetColor(clBtnHighlight);
        cv->Polyline({TPoint(B.Left, B.Bottom), TPoint(B.Left, B.Top), TPoint(B.Right, B.Top)});
        cv->Pen()->SetColor(clBtnShadow);
        cv->Polyline({TPoint(B.Right, B.Top), TPoint(B.Right, B.Bottom), TPoint(B.Left, B.Bottom)});
        if (Checked) {
            cv->Pen()->SetColor(Enabled ? ControlLook()->Color() : TColor(0x808080));
            cv->Pen()->SetWidth(1);
            const int t0 = B.Top, top = t0 - 1, bottom = B.Bottom - 1, s = size / 2, l = B.Left, r = B.Right;
            auto line = [&](int x1, int y1, int x2, int y2) {
                cv->MoveTo(x1, y1);
                cv->LineTo(x2, y2);
            };
            line(l + 2, t0 + s, l + 2, bottom - 1);
            line(l + 3, top + s, l + 3, bottom - 2);
            line(l + 2, bottom - 1, r - 2, top + 3);
            line(l + 3, bottom - 1, r - 1, top + 3);
        }
        return;
    }
    case csGlyph: {
        TBitmap* glyph = Checked ? ControlLook()->CheckedGlyph() : ControlLook()->UnCheckedGlyph();
        if (glyph && !glyph->Empty())
            DrawBitmapTransp(cv, glyph, cv->Brush()->Color(),
                             TRect(B.Left, B.Top, B.Left + glyph->Width(), B.Top + glyph->Height()));
        return;
    }
    case csTheme:
        // Only where the desktop's visual styles are active.
        if (ThemesActive() && RavXPVS::ThemesActive())
            DrawLookCheck(cv, B.Left, B.Top, size, Checked, Enabled, true);
        return;
    default:
        break;
    }
    const int x = B.Left + (B.Width() - size) / 2, y = B.Top + (B.Height() - size) / 2;
    cv->Brush()->SetColor(Enabled ? clWindow : clBtnFace);
    cv->FillRect(TRect(x, y, x + size, y + size));
    TRect e(x, y, x + size, y + size);
    if (style == csFlat) {
        cv->Brush()->SetColor(clGray);
        cv->FrameRect(e);
    } else
        cv->DrawEdge(e, EDGE_SUNKEN, BF_RECT);
    if (Checked) {
        cv->Pen()->SetColor(Enabled ? clWindowText : clGrayText);
        cv->Pen()->SetWidth(2);
        cv->Polyline({TPoint(x + 4, y + size / 2), TPoint(x + size / 2 - 1, y + size - 5), TPoint(x + size - 4, y + 4)});
        cv->Pen()->SetWidth(1);
    }
}

void TRavArodozIdad::DrawCellRadio(TCanvas* cv, const TRect& R, int Index, TStrings* Items, const AnsiString& Text,
                                   bool Horizontal, bool Enabled)
{
    if (!Items)
        return;
    SavedTools saved(cv);
    const TCellControlStyle style = ControlLook()->ControlStyle();
    const bool classic = style == csClassic || style == csFlat;
    if (style == csTheme && !(ThemesActive() && RavXPVS::ThemesActive()))
        return;
    const int size = classic ? ControlLook()->RadioSize() : 16;
    const int gh = cv->TextHeight("gh");
    const int lh = classic ? gh : std::max(16, gh);
    cv->SetBkMode(bkTransparent);
    int x = R.Left + 2;
    for (int i = 0; i < Items->Count(); ++i) {
        const AnsiString caption = Items->Strings(i);
        const bool selected = Index >= 0 ? i == Index : caption == Text;
        const int y = Horizontal ? R.Top + (R.Height() - size) / 2 : R.Top + i * lh + 2;
        if (!Horizontal)
            x = R.Left + 2;
        if (classic) {
            cv->Pen()->SetColor(Enabled ? clGray : clSilver);
            cv->Brush()->SetColor(Enabled ? clWindow : clBtnFace);
            const int grow = style == csFlat ? 2 : 0;
            cv->Ellipse(x, y, x + size + grow, y + size + grow);
            if (selected) {
                cv->Brush()->SetColor(Enabled ? clWindowText : clGrayText);
                cv->Pen()->SetColor(Enabled ? clWindowText : clGrayText);
                cv->Ellipse(x + size / 2 - 2, y + size / 2 - 2, x + size / 2 + 3, y + size / 2 + 3);
            }
        } else if (style == csBevel) {
            const std::vector<TPoint> d = {TPoint(x + 2, y + 8), TPoint(x + 8, y + 2), TPoint(x + 14, y + 8),
                                           TPoint(x + 8, y + 14)};
            cv->Brush()->SetColor(clBtnFace);
            cv->Pen()->SetColor(clBtnFace);
            cv->Polygon(d);
            cv->Pen()->SetColor(selected ? TColor(0x808080) : clWhite);
            cv->Polyline({d[3], d[0], d[1]});
            cv->Pen()->SetColor(selected ? clWhite : TColor(0x808080));
            cv->Polyline({d[1], d[2], d[3]});
            if (selected) {
                cv->Brush()->SetColor(ControlLook()->Color());
                cv->Pen()->SetColor(ControlLook()->Color());
                cv->Polygon({TPoint(x + 6, y + 8), TPoint(x + 8, y + 6), TPoint(x + 10, y + 8), TPoint(x + 8, y + 10)});
            }
        } else if (style == csGlyph) {
            TBitmap* glyph = selected ? ControlLook()->RadioOnGlyph() : ControlLook()->RadioOffGlyph();
            if (glyph && !glyph->Empty())
                DrawBitmapTransp(cv, glyph, saved.brush.Color(),
                                 TRect(x, y, x + glyph->Width(), y + glyph->Height()));
        } else
            DrawLookRadio(cv, x, y, selected, Enabled, style != csQSW);
        cv->Brush()->SetStyle(bsClear);
        cv->Font()->SetColor(Enabled ? saved.font.Color() : clGrayText);
        if (Horizontal)
            cv->TextOut(x + size, y - 2, caption);
        else
            cv->TextOut(classic ? R.Left + size + 6 : R.Left + 20, R.Top + i * lh, caption);
        x += size + cv->TextWidth(caption);
    }
}
