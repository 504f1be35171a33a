// Rich text cells: the grid's rich edits, moving a cell's RTF in and out of them, painting
// and measuring RTF cells, and editing them in place.
#include "components/grid/RavgridRich.h"

#include <algorithm>

#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridSettings.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/graphics/RichText.h"

// ---------------------------------------------------------------- the rich edit

ZIduVavuRaro::ZIduVavuRaro(TComponent* AOwner) : TRichEdit(AOwner), FGrid(dynamic_cast<TRavArodozIdad*>(AOwner))
{
}

void ZIduVavuRaro::SelFormat(int Offset) { Document()->SetSelOffset(Offset); }

void ZIduVavuRaro::RequestResize(const TRect& R)
{
    if (!FGrid)
        return;
    if (this == FGrid->RichEdit()) {
        FReqWidth = R.Width();
        FReqHeight = R.Height();
        return;
    }
    if (this != FGrid->InplaceRichEdit() || FLocked || !FGrid->SizeWhileTyping()->Height())
        return;
    // The row grows with the typed text while the cell still fits in the grid.
    const int h = R.Height(), w = R.Width();
    const int row = FGrid->Row();
    const TRect cell = FGrid->CellRect(FGrid->Col(), row);
    if (FGrid->RowHeights(row) < h && cell.Top + h <= FGrid->ClientHeight()) {
        SetHeight(h - 1);
        SetFormattingRect(TRect(2, 2, w - 2, h - 2));
        FGrid->SetRowHeights(row, h);
    }
}

void ZIduVavuRaro::DoExit()
{
    if (FGrid && this == FGrid->InplaceRichEdit() && Visible() && !FGrid->ComponentStateHas(csDestroying))
        FGrid->HideInplaceEdit();
    TRichEdit::DoExit();
}

void ZIduVavuRaro::KeyDown(Word& Key, TShiftState Shift)
{
    TRichEdit::KeyDown(Key, Shift);
    // Single-line cells: Up and Down leave the cell as they do in the grid.
    if (FGrid && this == FGrid->InplaceRichEdit() && (Key == VK_UP || Key == VK_DOWN) && !FGrid->WordWrap()
        && !FGrid->Multilinecells()) {
        const Word k = Key;
        Key = 0;
        FGrid->DoneInplaceEdit(k, Shift);
    }
}

// ---------------------------------------------------------------- the grid's side

void TRavArodozIdad::CreateRichEdits()
{
    // The painting one never shows: it only lays out, draws and measures.
    FRichEdit = new ZIduVavuRaro(this);
    if (ComponentStateHas(csDesigning))
        return;
    FInplaceRichEdit = new ZIduVavuRaro(this);
    FInplaceRichEdit->SetVisible(false);
    FInplaceRichEdit->SetEnabled(false);
    FInplaceRichEdit->SetBorderStyle(bsNone);
    FInplaceRichEdit->SetParent(this);
    FInplaceRichEdit->OnSelectionChange = [this](TObject*) { FireEvent(OnRichEditSelectionChange, this); };
}

void TRavArodozIdad::CellToRich(int ACol, int ARow, TRichEdit* RichEdit)
{
    if (!RichEdit)
        return;
    RichEdit->Document()->SetDefaultFont(Font()->Name(), Font()->Size());
    const AnsiString text = GetCellEx(ACol, ARow);
    if (text.empty())
        RichEdit->Lines()->Clear();
    else
        RichEdit->LoadLines(text);
}

void TRavArodozIdad::RichToCell(int ACol, int ARow, TRichEdit* RichEdit)
{
    if (!RichEdit)
        return;
    SetCellEx(ACol, ARow, RichEdit->Document()->TextLength() == 0 ? AnsiString() : RichEdit->SaveLines());
}

AnsiString TRavArodozIdad::RichPlainText(int ACol, int ARow)
{
    if (!FRichEdit)
        return GetCellEx(ACol, ARow);
    CellToRich(ACol, ARow, FRichEdit);
    return FRichEdit->Document()->PlainText();
}

void TRavArodozIdad::RTFPaint(int ACol, int ARow, TCanvas* Canvas, TRect R)
{
    RTFPaintAt(ACol, ARow, Canvas, R, ScreenPixelsPerInch, false);
}

void TRavArodozIdad::RTFPaintAt(int ACol, int ARow, TCanvas* Canvas, TRect R, int PixelsPerInch, bool Printing)
{
    if (!FRichEdit || !Canvas)
        return;
    CellToRich(ACol, ARow, FRichEdit);
    TRichText* doc = FRichEdit->Document();
    const int dc = RemapColInv(ACol);
    bool selected;
    if (FMouseActions->DisjunctRowSelect())
        selected = RowFlagged(ARow);
    else
        selected = IsInGridRect(Selection(), dc, ARow)
                   && !(dc == Col() && ARow == Row() && Focused() && !(Options() & goDrawFocusSelected));
    if (selected && !Printing && !FSelectionRTFKeep && FSelectionTextColor != clNone) {
        doc->SelectAll();
        doc->SetSelColor(FSelectionTextColor);
    }
    const int x = FXYOffset.x * PixelsPerInch / ScreenPixelsPerInch;
    const int y = FXYOffset.y * PixelsPerInch / ScreenPixelsPerInch;
    const TRect rc(R.Left + x, R.Top + y, R.Left + x + (R.Width() - 2 * x), R.Top + y + (R.Height() - 2 * y));
    // Text of the automatic colour takes the cell's font colour, so that it shows on any cell colour.
    doc->Draw(Canvas, rc, Canvas->Font()->Color(), PixelsPerInch);
}

void TRavArodozIdad::DrawRichCellText(TCanvas* cv, int RealCol, int ARow, const TRect& T, TGridDrawState AState)
{
    const bool selectedUnfocused = (AState & gdSelected) && !(AState & gdFocused);
    if (!(selectedUnfocused && FSelectionColor == clNone))
        cv->FillRect(T);
    const TBrushStyle style = cv->Brush()->Style();
    cv->Brush()->SetStyle(bsClear);
    RTFPaint(RealCol, ARow, cv, T);
    cv->Brush()->SetStyle(style);
    cv->Font()->SetColor(clBlack);
}

TPoint TRavArodozIdad::RichTextSize(int ACol, int ARow, bool AWordWrap)
{
    if (!FRichEdit)
        return TPoint(0, 0);
    CellToRich(ACol, ARow, FRichEdit);
    // Painting insets the text by the text offset twice and keeps 2 pixels at the right.
    const int x = FXYOffset.x, y = FXYOffset.y;
    const int width = AWordWrap ? std::max(1, ColWidths(RemapColInv(ACol)) - 3 * x - 2) : 0;
    FRichEdit->RequestSize(width);
    return TPoint(FRichEdit->ReqWidth() + 3 * x + 2, FRichEdit->ReqHeight() + 3 * y);
}

void TRavArodozIdad::ShowRichEditor(int ACol, int ARow, const TRect& R, TColor AColor)
{
    ZIduVavuRaro* e = FInplaceRichEdit;
    e->SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    e->Lock();
    CellToRich(RealColIndex(ACol), ARow, e);
    e->SelectAll();
    e->SetFormattingRect(TRect(2, 2, R.Width() - 2, R.Height() - 2));
    e->SetColor(AColor);
}

void TRavArodozIdad::RichEditorShown()
{
    ZIduVavuRaro* e = FInplaceRichEdit;
    // The widget may be new: it takes the selection made while filling it.
    e->SetSelection(e->Document()->SelStart(), e->Document()->SelLength());
    e->Unlock();
    const char first = FFirstKey;
    FFirstKey = 0;
    if (first == 8)
        e->SetSelText("");
    else if (static_cast<unsigned char>(first) >= 32)
        e->SetSelText(AnsiString(1, first));
}
