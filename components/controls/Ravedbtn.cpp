#include "components/controls/Ravedbtn.h"

#include <algorithm>

#include "components/controls/Ravedxpvs.h"
#include "platform/core/Events.h"
#include "platform/core/Synchronize.h"
#include "platform/forms/Form.h"
#include "platform/graphics/Canvas.h"

namespace {
constexpr int kVersionMajor = 1, kVersionMinor = 3, kVersionRelease = 0, kVersionBuild = 1;

int FontHeight(TFont* F)
{
    TBitmap b;
    b.Canvas()->Font()->Assign(F);
    return b.Canvas()->TextHeight("Wg");
}
} // namespace

// ---------------------------------------------------------------- speed button

TRavSpeedButton::TRavSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner)
{
    // No common-controls library to ask here: the version counts as new, as an unreadable
    // one does; the themed look still needs an active theme, which this platform lacks.
    FUseVisualStyles = true;
}

void TRavSpeedButton::SetEtched(bool v)
{
    if (v == FEtched)
        return;
    FEtched = v;
    Invalidate();
}

void TRavSpeedButton::SetFocused(bool v)
{
    if (v == FFocused)
        return;
    FFocused = v;
    Invalidate();
}

void TRavSpeedButton::CMMouseEnter()
{
    TSpeedButton::CMMouseEnter();
    FHot = true;
    Invalidate();
}

void TRavSpeedButton::CMMouseLeave()
{
    TSpeedButton::CMMouseLeave();
    FHot = false;
    Invalidate();
}

TVodUrizBtn* TRavSpeedButton::OwningEdit() const
{
    auto* host = dynamic_cast<TEditButton*>(Owner());
    return host ? dynamic_cast<TVodUrizBtn*>(host->Owner()) : nullptr;
}

void TRavSpeedButton::Paint()
{
    TVodUrizBtn* edit = OwningEdit();
    if (edit && edit->ButtonStyle() == bsDropDown)
        PaintDropDown();
    else
        PaintButton();
}

TRect TRavSpeedButton::ArrowRect() const
{
    // The classic drop-down arrow: rows of 7, 5, 3 and 1 pixels, centred; moved (1, 1)
    // while pressed.
    const int off = FPressed || FDown ? 1 : 0;
    const int x = (Width() - 7) / 2 + off, y = (Height() - 4) / 2 + off;
    return TRect(x, y, x + 7, y + 4);
}

void TRavSpeedButton::PaintDropDown()
{
    TSpeedButton::Paint();
    TCanvas* c = Canvas();
    const int w = Width(), h = Height();
    if (FGlyph->Empty() && Caption().empty()) {
        // No picture of its own: the combo box's arrow; engraved while disabled.
        const TRect a = ArrowRect();
        auto arrow = [&](int dx, int dy, TColor colour) {
            c->Pen()->SetColor(colour);
            for (int row = 0; row < 4; ++row) {
                c->MoveTo(a.Left + dx + row, a.Top + dy + row);
                c->LineTo(a.Right + dx - row, a.Top + dy + row);
            }
        };
        const TVodUrizBtn* edit = OwningEdit();
        if (Enabled() && (!edit || edit->Enabled()))
            arrow(0, 0, clBtnText);
        else {
            arrow(1, 1, clBtnHighlight);
            arrow(0, 0, clBtnShadow);
        }
    }
    c->Pen()->SetColor(clBtnFace);
    c->MoveTo(w - 2, 0);
    c->LineTo(0, 0);
    c->LineTo(0, h - 1);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(w - 3, 1);
    c->LineTo(1, 1);
    c->LineTo(1, h - 2);
}

void TRavSpeedButton::PaintButton()
{
    TCanvas* c = Canvas();
    if (TVodUrizBtn* edit = OwningEdit())
        c->Font()->Assign(edit->Font());
    if (!Flat()) {
        TSpeedButton::Paint();
        return;
    }
    const bool down = FPressed || FDown;
    const TRect bounds(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(bounds);
    TRect edge(0, 0, Width() + 1, Height() + 1);
    c->DrawEdge(edge, FEtched ? EDGE_ETCHED : EDGE_RAISED, down ? BF_RECT | BF_FLAT : BF_RECT);
    TRect r(3, 3, Width() - 3, Height() - 3);
    if (down)
        r = TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    if (!FGlyph->Empty()) {
        // The glyph's corner colour shows the face through it.
        TBitmap g;
        g.Assign(FGlyph.get());
        g.SetTransparent(true);
        g.SetTransparentColor(g.Canvas()->Pixels(0, 0));
        const int gx = r.Left + std::max(0, (r.Width() - g.Width()) / 2);
        const int gy = r.Top + std::max(0, (r.Height() - g.Height()) / 2);
        c->Draw(gx, gy, &g);
    }
    if (!Caption().empty()) {
        TRect t(r.Left + 3, r.Top + 1, r.Right - 3, r.Bottom - 1);
        if (down)
            t = TRect(t.Left + 1, t.Top + 1, t.Right + 1, t.Bottom + 1);
        c->Brush()->SetStyle(bsClear);
        c->DrawText(Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---------------------------------------------------------------- button host

TEditButton::TEditButton(TComponent* AOwner) : TWinControl(AOwner), FButton(new TRavSpeedButton(this))
{
    FControlStyle &= ~(csAcceptsControls | csSetCaption);
    FControlStyle |= csFramed | csOpaque;
    FButton->SetParent(this);
    FButton->SetVisible(true);
    FButton->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        BtnMouseDown(s, b, sh, x, y);
    };
    FButton->OnClick = [](TObject*) {};
    SetBounds(0, 0, 16, 25);
}

void TEditButton::SetFocusControl(TWinControl* v)
{
    FFocusControl = v;
    if (v)
        v->FreeNotification(this);
}

void TEditButton::SetButtonWidth(int v)
{
    FButtonWidth = v;
    SetBounds(Left(), Top(), v, Height());
}

void TEditButton::SetBounds(int ALeft, int ATop, int, int AHeight)
{
    // The host is always as wide as its button.
    TWinControl::SetBounds(ALeft, ATop, FButtonWidth, AHeight);
    if (FButton && !ComponentStateHas(csLoading))
        FButton->SetBounds(0, 0, FButtonWidth, AHeight);
}

void TEditButton::Loaded()
{
    TWinControl::Loaded();
    SetBounds(Left(), Top(), Width(), Height());
}

void TEditButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TEditButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft)
        return;
    if (Sender == FButton)
        FireEvent(OnClickCallback, this);
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && !Focused() && CanFocus())
        SetFocus();
}

// ---------------------------------------------------------------- edit with button

TVodUrizBtn::TVodUrizBtn(TComponent* AOwner) : TVodUriz(AOwner), FButtonHost(new TEditButton(this))
{
    FButtonHost->SetParent(this);
    FButtonHost->SetVisible(true);
    FButtonHost->SetBounds(0, 0, 17, 17);
    FButtonHost->SetFocusControl(this);
    FButtonHost->OnClickCallback = [this](TObject* s) { BtnClick(s); };
    SetText("");
    FControlStyle &= ~csSetCaption;
    ResizeControl();
}

unsigned TVodUrizBtn::GetVersionNr() const
{
    return (kVersionMajor << 24) | (kVersionMinor << 16) | (kVersionRelease << 8) | kVersionBuild;
}

void TVodUrizBtn::BtnClick(TObject*) { FireEvent(OnClickBtn, this); }

int TVodUrizBtn::GetMinHeight() const
{
    TFont system;
    const int own = FontHeight(Font()), sys = FontHeight(&system);
    return own + std::min(sys, own) / 4;
}

int TVodUrizBtn::TextRight() const { return ClientWidth() - ButtonWidth() - FUnitSize - 4; }

void TVodUrizBtn::SetEditRect()
{
    const bool border = BorderStyle() != bsNone;
    const int left = border ? 1 : 2, top = border ? 1 : 4;
    SetTextMargins(TRect(left, top, ClientWidth() - TextRight(), 0));
}

void TVodUrizBtn::ResizeControl()
{
    if (FLayingOut || !FButtonHost)
        return;
    FLayingOut = true;
    const int minHeight = GetMinHeight();
    if (Height() < minHeight) {
        FLayingOut = false;
        SetHeight(minHeight); // lays out again
        return;
    }
    // The button stands inside the frame at the right edge; the edit window draws its own
    // frame, so the frame's width is taken off here.
    const int frame = BorderStyle() == bsNone ? 0 : (FBtnFlat ? 1 : 2);
    const int w = FButtonHost->ButtonWidth();
    FButtonHost->SetBounds(Width() - frame - w, frame, w, Height() - 2 * frame);
    SetEditRect();
    Invalidate();
    FLayingOut = false;
}

void TVodUrizBtn::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TVodUriz::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!ComponentStateHas(csLoading))
        ResizeControl();
}

void TVodUrizBtn::Loaded()
{
    TVodUriz::Loaded();
    SetEditRect();
    ResizeControl();
}

void TVodUrizBtn::SetButtonStyle(TButtonStyle v)
{
    if (v == FButtonStyle)
        return;
    FButtonStyle = v;
    FButtonHost->Button()->Invalidate();
}

void TVodUrizBtn::SetButtonWidth(int v)
{
    if (!FButtonHost)
        return;
    FButtonHost->SetButtonWidth(v);
    ResizeControl();
}

void TVodUrizBtn::SetButtonHint(const AnsiString& v)
{
    if (v == FButtonHint)
        return;
    FButtonHint = v;
    FButtonHost->SetHint(v);
    FButtonHost->SetShowHint(!v.empty());
    FButtonHost->Button()->SetHint(v);
    FButtonHost->Button()->SetShowHint(!v.empty());
}

void TVodUrizBtn::SetFlat(bool v)
{
    if (v == FBtnFlat)
        return;
    FBtnFlat = v;
    FButtonHost->Button()->SetFlat(v);
    TVodUriz::SetFlat(v);
    ResizeControl();
}

void TVodUrizBtn::SetEtched(bool v)
{
    if (v == FEtched)
        return;
    FEtched = v;
    FButtonHost->Button()->SetEtched(v);
    Invalidate();
}

void TVodUrizBtn::KeyDown(Word& Key, TShiftState Shift)
{
    // Paste and cut are held back while the editor is off (typing is not).
    if ((!FEditorEnabled || ReadOnly()) && (Shift & ssShift) && (Key == VK_INSERT || Key == VK_DELETE)) {
        Key = 0;
        return;
    }
    const bool ctrlReturn = Key == VK_RETURN && (Shift & ssCtrl);
    TVodUriz::KeyDown(Key, Shift);
    if (Key == VK_F4 && !(Shift & (ssCtrl | ssAlt)))
        FireEvent(OnClickBtn, this);
    if (ctrlReturn) {
        std::weak_ptr<int> alive = AliveToken();
        QueueOnMainThread([this, alive] {
            if (!alive.expired()) {
                Word up = VK_UP;
                HandleKeyDown(up, 0);
            }
        });
    }
}

void TVodUrizBtn::KeyPress(char& Key)
{
    constexpr char kPaste = 22, kCut = 24;
    if ((Key == kPaste || Key == kCut) && (!FEditorEnabled || ReadOnly())) {
        Key = 0;
        return;
    }
    TVodUriz::KeyPress(Key);
}

void TVodUrizBtn::DoEnter()
{
    TVodUriz::DoEnter();
    SetEditRect();
    UpdateBorders();
}

void TVodUrizBtn::DoExit()
{
    TVodUriz::DoExit();
    UpdateBorders();
}

void TVodUrizBtn::CMFontChanged()
{
    TVodUriz::CMFontChanged();
    SetEditRect();
}

void TVodUrizBtn::CMMouseEnter()
{
    TVodUriz::CMMouseEnter();
    if (Enabled())
        FHot = true;
    UpdateBorders();
}

void TVodUrizBtn::CMMouseLeave()
{
    TVodUriz::CMMouseLeave();
    if (Enabled())
        FHot = false;
    UpdateBorders();
}

void TVodUrizBtn::UpdateBorders()
{
    if (!FBtnFlat)
        return;
    const bool active = ComponentStateHas(csDesigning) ? Enabled() : (FHot || Focused());
    FButtonHost->Button()->SetFocused(active);
}

// ---------------------------------------------------------------- unit edit

TUnitVodUrizBtn::TUnitVodUrizBtn(TComponent* AOwner) : TVodUrizBtn(AOwner), FUnits(std::make_unique<TStringList>())
{
    FUnitSize = 20;
    SetEditRect();
}

TUnitVodUrizBtn::~TUnitVodUrizBtn() = default;

void TUnitVodUrizBtn::SetUnitID(const AnsiString& v)
{
    if (v == FUnitID)
        return;
    FUnitID = v;
    Invalidate();
}

void TUnitVodUrizBtn::SetUnitSpace(int v)
{
    FUnitSize = v;
    SetEditRect();
    Invalidate();
}

void TUnitVodUrizBtn::BtnClick(TObject* Sender)
{
    delete FMenu;
    FMenu = new TPopupMenu(this);
    for (int i = 0; i < FUnits->Count(); ++i) {
        auto* item = new TMenuItem(FMenu);
        item->SetCaption(FUnits->Strings(i));
        item->OnClick = [this, i](TObject*) {
            if (i >= FUnits->Count())
                return;
            SetUnitID(FUnits->Strings(i));
            FireEvent(OnUnitChanged, this, FUnitID);
        };
        FMenu->Items()->Add(item);
    }
    const TPoint o = ClientOrigin();
    FMenu->Popup(o.x + ClientWidth() - 15, o.y + ClientHeight());
    FireEvent(OnClickBtn, Sender);
}

void TUnitVodUrizBtn::PaintOverlay(TCanvas* Canvas)
{
    TVodUrizBtn::PaintOverlay(Canvas);
    const int left = ClientWidth() - ButtonWidth() - FUnitSize - 3;
    TRect r(left, 2, left + FUnitSize, ClientHeight());
    Canvas->Font()->Assign(Font());
    if (!Enabled())
        Canvas->Font()->SetColor(clGrayText);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->DrawText(FUnitID, r, DT_EDITCONTROL | DT_VCENTER | DT_SINGLELINE);
}
