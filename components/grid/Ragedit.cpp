#include "components/grid/Ragedit.h"

#include <algorithm>

#include "platform/forms/Menus.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

// ---------------------------------------------------------------- speed button

void Ravbase::TRavSpeedButton::CMMouseEnter()
{
    TSpeedButton::CMMouseEnter();
    FHot = true;
    Invalidate();
}

void Ravbase::TRavSpeedButton::CMMouseLeave()
{
    TSpeedButton::CMMouseLeave();
    FHot = false;
    Invalidate();
}

void Ravbase::TRavSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    TRect r(0, 0, Width(), Height());
    const bool down = FPressed || FDown;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    // The visual style is not bound on this system: the classic look stands in for it.
    if (FFlat && !IsWinXP) {
        c->DrawEdge(r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_SOFT);
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    } else
        c->DrawEdge(r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int off = down ? 1 : 0;
    if (!FGlyph->Empty()) {
        const int gw = FGlyph->Width() / std::max(1, FNumGlyphs), gh = FGlyph->Height();
        const int gx = gw < Width() ? (Width() - gw) / 2 : 0;
        const int gy = gh < Height() ? (Height() - gh) / 2 : 0;
        TBitmap part;
        part.SetSize(gw, gh);
        part.Canvas()->CopyRect(TRect(0, 0, gw, gh), FGlyph->Canvas(), TRect(0, 0, gw, gh));
        part.SetTransparent(true);
        c->Draw(gx + off, gy + off, &part);
    }
    if (!FText.empty()) {
        c->Font()->Assign(FFont.get());
        c->Brush()->SetStyle(bsClear);
        c->TextOut(down ? 3 : 2, down ? 3 : 2, FText);
    }
}

// ---------------------------------------------------------------- button host

TRagEditButton::TRagEditButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FButton = new Ravbase::TRavSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [this](TObject*) {
        if (OnClick)
            OnClick(this);
        if (FocusControl && FocusControl->CanFocus() && !FocusControl->Focused())
            FocusControl->SetFocus();
    };
    SetBounds(0, 0, 20, 25);
}

void TRagEditButton::SetFlat(bool v)
{
    FFlat = v;
    FButton->SetFlat(v);
}

void TRagEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 15);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FButton)
        FButton->SetBounds(0, 0, AWidth, AHeight);
}

// ---------------------------------------------------------------- edit with button

TRagEditBtn::TRagEditBtn(TComponent* AOwner) : TCustomEdit(AOwner)
{
    FButton = new TRagEditButton(this);
    FButton->SetParent(this);
    FButton->SetBounds(0, 0, 18, 18);
    FButton->FocusControl = this;
    FButton->OnClick = [this](TObject* s) { BtnClick(s); };
    SetText("0");
    FControlStyle &= ~csSetCaption;
    BoundsChanged();
}

void TRagEditBtn::SetButtonWidth(int Value)
{
    FButtonWidth = Value;
    FButton->SetWidth(Value);
    BoundsChanged();
}

void TRagEditBtn::SetRightAlign(bool Value)
{
    if (Value == FRightAlign)
        return;
    FRightAlign = Value;
    SetAlignment(Value ? taRightJustify : taLeftJustify);
}

void TRagEditBtn::BoundsChanged()
{
    TCustomEdit::BoundsChanged();
    if (!FButton)
        return;
    const int b = FBorderStyle == bsSingle ? 5 : 1;
    if (FCtl3D)
        FButton->SetBounds(Width() - FButton->Width() - b + (FBorderStyle == bsSingle ? 0 : 1), 0,
                           FButton->Width(), std::max(1, Height() - (FBorderStyle == bsSingle ? b : 0)));
    else
        FButton->SetBounds(Width() - FButton->Width(), 1, FButton->Width(), std::max(1, Height() - 3));
    // The text ends before the unit and the button.
    SetTextMargins(FBorderStyle == bsSingle ? 0 : 1, FButton->Width() + UnitRoom() + 3);
}

void TRagEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomEdit::KeyDown(Key, Shift);
    if (Key == VK_F4)
        BtnClick(this);
    // Typing, paste and cut reach the text only while the editor is enabled.
    if (!FEditorEnabled || ReadOnly()) {
        const bool ctrl = Shift & ssCtrl, shift = Shift & ssShift;
        if ((ctrl && (Key == 'V' || Key == 'X')) || (shift && (Key == VK_INSERT || Key == VK_DELETE)))
            Key = 0;
        else if (!FEditorEnabled && Key == VK_DELETE)
            Key = 0;
    }
}

void TRagEditBtn::KeyPress(char& Key)
{
    if (!FEditorEnabled) {
        Key = 0;
        return;
    }
    TCustomEdit::KeyPress(Key);
}

void TRagEditBtn::PasteFromClipboard()
{
    if (FEditorEnabled && !ReadOnly())
        TCustomEdit::PasteFromClipboard();
}

void TRagEditBtn::CutToClipboard()
{
    if (FEditorEnabled && !ReadOnly())
        TCustomEdit::CutToClipboard();
}

void TRagEditBtn::DoEnter()
{
    TCustomEdit::DoEnter();
    if (AutoSelect() && !(KeyboardShiftState() & ssLeft))
        SelectAll();
}

void TRagEditBtn::BtnClick(TObject* Sender)
{
    if (OnClickBtn)
        OnClickBtn(Sender);
}

// ---------------------------------------------------------------- value and unit

TRagUnitEditBtn::TRagUnitEditBtn(TComponent* AOwner) : TRagEditBtn(AOwner), FUnits(std::make_unique<TStringList>())
{
    FUnitSize = 20;
    SetRightAlign(true);
    BoundsChanged();
}

void TRagUnitEditBtn::SetUnits(TStrings* Value)
{
    if (Value)
        FUnits->Assign(Value);
}

void TRagUnitEditBtn::SetUnitID(const AnsiString& Value)
{
    FUnitID = Value;
    BoundsChanged();
    Invalidate();
}

int TRagUnitEditBtn::UnitRoom() const
{
    // A unit is never cut off: the room grows to the unit's text in the edit's font.
    TBitmap b;
    b.Canvas()->Font()->Assign(Font());
    return std::max(FUnitSize, b.Canvas()->TextWidth(FUnitID) + 2);
}

void TRagUnitEditBtn::SetUnitSpace(int Value)
{
    FUnitSize = Value;
    BoundsChanged();
    Invalidate();
}

void TRagUnitEditBtn::BtnClick(TObject*)
{
    // The menu of units; choosing one runs UnitCommand. No OnClickBtn.
    delete FMenu;
    FMenu = new TPopupMenu(this);
    TPopupMenu* menu = FMenu;
    for (int i = 0; i < FUnits->Count(); ++i) {
        auto* it = new TMenuItem(menu);
        it->SetCaption(FUnits->Strings(i));
        const int id = i + 1;
        it->OnClick = [this, id](TObject*) { UnitCommand(id); };
        menu->Items()->Add(it);
    }
    const TPoint p = ClientToScreen(TPoint(ClientWidth() - 15, ClientHeight()));
    menu->Popup(p.x, p.y);
}

void TRagUnitEditBtn::UnitCommand(int Id)
{
    if (Id >= 1 && Id <= FUnits->Count())
        SetUnitID(FUnits->Strings(Id - 1));
}

void TRagUnitEditBtn::PaintOverlay(TCanvas* Canvas)
{
    const int room = UnitRoom();
    const int left = ClientWidth() - FButton->Width() - room - 3;
    TRect r(left, 2, left + room, ClientHeight());
    Canvas->Font()->Assign(Font());
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->DrawText(FUnitID, r, DT_LEFT | DT_SINGLELINE);
}
