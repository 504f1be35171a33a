#include <QGuiApplication>
#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/forms/FormsImpl_p.h"
#include "platform/forms/Menus.h"

using namespace zvqt;
using namespace zvforms;

namespace {
TControl* gCapture = nullptr;
}

TControl* GetCaptureControl() { return gCapture; }

TShiftState KeyboardShiftState()
{
    return ShiftOf(QGuiApplication::queryKeyboardModifiers(), QGuiApplication::mouseButtons());
}
void SetCaptureControl(TControl* Control) { gCapture = Control; }

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = [this](TObject* s) { FontChanged(s); };
}

TControl::~TControl()
{
    if (gCapture == this)
        gCapture = nullptr;
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent)
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FAutoSize && !ComponentStateHas(csLoading)) {
        int w = AWidth, h = AHeight;
        if (CanAutoSize(w, h)) {
            // The sides the alignment stretches stay as the parent sets them.
            if (FAlign != alTop && FAlign != alBottom && FAlign != alClient)
                AWidth = w;
            if (FAlign != alLeft && FAlign != alRight && FAlign != alClient)
                AHeight = h;
        }
    }
    if (!CanResize(AWidth, AHeight)) {
        AWidth = FWidth;
        AHeight = FHeight;
    }
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    const bool resized = AWidth != FWidth || AHeight != FHeight;
    Invalidate();
    FLeft = ALeft;
    FTop = ATop;
    FWidth = std::max(0, AWidth);
    FHeight = std::max(0, AHeight);
    BoundsChanged();
    Invalidate();
    if (FParent && FAlign != alNone)
        FParent->Realign();
    if (resized)
        Resize();
}

void TControl::BoundsChanged() {}

void TControl::Resize() { Guard([&] { FireEvent(OnResize, this); }, this); }

bool TControl::CanAutoSize(int&, int&) { return false; }
bool TControl::CanResize(int&, int&) { return true; }

void TControl::AdjustSize()
{
    if (FAutoSize)
        SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetAutoSize(bool v)
{
    if (v == FAutoSize)
        return;
    FAutoSize = v;
    if (v)
        AdjustSize();
}

TRect TControl::ClientRect() const { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int v) { SetWidth(FWidth - ClientWidth() + v); }
void TControl::SetClientHeight(int v) { SetHeight(FHeight - ClientHeight() + v); }

TPoint TControl::ClientOrigin() const
{
    if (!FParent)
        return TPoint(FLeft, FTop);
    const TPoint p = FParent->ClientOrigin();
    return TPoint(p.x + FLeft, p.y + FTop);
}

TPoint TControl::ClientToScreen(const TPoint& P) const
{
    const TPoint o = ClientOrigin();
    return TPoint(P.x + o.x, P.y + o.y);
}

TPoint TControl::ScreenToClient(const TPoint& P) const
{
    const TPoint o = ClientOrigin();
    return TPoint(P.x - o.x, P.y - o.y);
}

TPoint TControl::ClientToParent(const TPoint& P, TWinControl* AParent) const
{
    TPoint r = P;
    const TControl* c = this;
    if (!AParent)
        AParent = FParent;
    while (c && c != AParent) {
        const TPoint o = c->ClientOrigin();
        const TPoint po = c->FParent ? c->FParent->ClientOrigin() : TPoint();
        r = TPoint(r.x + o.x - po.x, r.y + o.y - po.y);
        c = c->FParent;
    }
    if (c != AParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    return r;
}

void TControl::SetAlign(TAlign v)
{
    if (v == FAlign)
        return;
    FAlign = v;
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (FParent)
        FParent->Realign();
}

void TControl::SetVisible(bool v)
{
    if (v == FVisible)
        return;
    if (!v)
        Invalidate();
    FVisible = v;
    CMVisibleChanged();
    if (v)
        Invalidate();
    if (FParent && FAlign != alNone)
        FParent->Realign();
    if (FParent && FParent->AutoSize())
        FParent->AdjustSize();
}

bool TControl::Showing() const
{
    if (!FVisible)
        return false;
    if (!FParent)
        return dynamic_cast<const TCustomForm*>(this) != nullptr && FVisible;
    return FParent->Showing();
}

void TControl::SetEnabled(bool v)
{
    if (v == FEnabled)
        return;
    FEnabled = v;
    CMEnabledChanged();
}

void TControl::SetColor(TColor v)
{
    if (v == FColor && !FParentColor)
        return;
    const bool same = v == FColor;
    FColor = v;
    FParentColor = false;
    if (!same)
        CMColorChanged();
}

void TControl::SetParentColor(bool v)
{
    if (v == FParentColor)
        return;
    FParentColor = v;
    if (v && FParent)
        CMParentColorChanged();
}

void TControl::FontChanged(TObject*)
{
    if (!FChangingFontFromParent)
        FParentFont = false;
    CMFontChanged();
}

void TControl::SetParentFont(bool v)
{
    if (v == FParentFont)
        return;
    FParentFont = v;
    if (v && FParent)
        CMParentFontChanged();
}

void TControl::SetText(const AnsiString& v)
{
    if (v == FText)
        return;
    FText = v;
    CMTextChanged();
}

namespace {
// Toolkit controls show their hint as their own tool tip.
void SyncToolTip(TControl* c)
{
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w && w->HandleAllocated() && zvforms::ImplOf(w)->native)
        zvforms::ImplOf(w)->widget->setToolTip(c->ShowHint() ? ToQString(c->Hint()) : QString());
}
} // namespace

void TControl::SetHint(const AnsiString& v)
{
    FHint = v;
    SyncToolTip(this);
}

void TControl::SetShowHint(bool v)
{
    FShowHint = v;
    SyncToolTip(this);
}

void TControl::SetCursor(TCursor v)
{
    if (v == FCursor)
        return;
    FCursor = v;
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
        zvforms::ShowCursor(zvforms::ImplOf(w)->widget, v);
}

TCursor TControl::CursorAt(int, int) { return FCursor; }

void TControl::SetPopupMenu(TPopupMenu* v)
{
    if (v == FPopupMenu)
        return;
    if (FPopupMenu)
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = v;
    if (v)
        v->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

bool TControl::MouseCapture() const { return gCapture == this; }

void TControl::SetMouseCapture(bool v)
{
    if (v)
        gCapture = this;
    else if (gCapture == this)
        gCapture = nullptr;
}

void TControl::Invalidate()
{
    if (!FParent || !FParent->HandleAllocated() || !FVisible)
        return;
    zvforms::ImplOf(FParent)->blitOnly = false;
    const QPoint off = zvforms::ImplOf(FParent)->ClientOffset();
    zvforms::ImplOf(FParent)->widget->update(QRect(off.x() + FLeft, off.y() + FTop, FWidth, FHeight));
}

void TControl::Repaint()
{
    if (!FParent || !FParent->HandleAllocated() || !FVisible)
        return;
    zvforms::ImplOf(FParent)->blitOnly = false;
    const QPoint off = zvforms::ImplOf(FParent)->ClientOffset();
    zvforms::ImplOf(FParent)->widget->repaint(QRect(off.x() + FLeft, off.y() + FTop, FWidth, FHeight));
}

void TControl::Update()
{
    if (FParent)
        FParent->Update();
}

void TControl::BringToFront()
{
    if (!FParent)
        return;
    auto& v = FParent->FControls;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    v.push_back(this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
        zvforms::ImplOf(w)->widget->raise();
    Invalidate();
}

void TControl::SendToBack()
{
    if (!FParent)
        return;
    auto& v = FParent->FControls;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    v.insert(v.begin(), this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
        zvforms::ImplOf(w)->widget->lower();
    Invalidate();
}

TCustomForm* TControl::ParentForm() const { return GetParentForm(const_cast<TControl*>(this)); }

// ---------------------------------------------------------------- notifications

void TControl::CMMouseEnter() { Guard([&] { FireEvent(OnMouseEnter, this); }, this); }
void TControl::CMMouseLeave() { Guard([&] { FireEvent(OnMouseLeave, this); }, this); }
bool TControl::CMDialogChar(char) { return false; }

bool IsAccel(char Key, const AnsiString& Caption)
{
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&')
            continue;
        if (Caption[i + 1] == '&') {
            ++i; // "&&" is a plain ampersand
            continue;
        }
        return std::toupper(static_cast<unsigned char>(Caption[i + 1])) == std::toupper(static_cast<unsigned char>(Key));
    }
    return false;
}
void TControl::CMFontChanged() { Invalidate(); }
void TControl::CMTextChanged() { Invalidate(); }
void TControl::CMEnabledChanged() { Invalidate(); }
void TControl::CMVisibleChanged() {}
void TControl::CMColorChanged() { Invalidate(); }

void TControl::CMParentColorChanged()
{
    if (FParentColor && FParent && FColor != FParent->Color()) {
        FColor = FParent->Color();
        CMColorChanged();
    }
}

void TControl::CMParentFontChanged()
{
    if (FParentFont && FParent) {
        FChangingFontFromParent = true;
        FFont->Assign(FParent->Font());
        FChangingFontFromParent = false;
    }
}

void TControl::CMHintShow(AnsiString& HintStr, const TPoint&, bool& CanShow)
{
    HintStr = FHint;
    CanShow = FShowHint && !FHint.empty();
}

// ---------------------------------------------------------------- mouse

void TControl::Click() { Guard([&] { FireEvent(OnClick, this); }, this); }
void TControl::DblClick() { Guard([&] { FireEvent(OnDblClick, this); }, this); }

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    Guard([&] { FireEvent(OnMouseDown, this, Button, Shift, X, Y); }, this);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    Guard([&] { FireEvent(OnMouseUp, this, Button, Shift, X, Y); }, this);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    Guard([&] { FireEvent(OnMouseMove, this, Shift, X, Y); }, this);
}

void TControl::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, bool Double)
{
    if (!FEnabled)
        return;
    if (FControlStyle & csCaptureMouse)
        SetMouseCapture(true);
    if (Button == mbLeft && (FControlStyle & csClickEvents))
        FControlState |= csClicked;
    if (Button == mbLeft)
        FControlState |= csLButtonDown;
    if (Double && (FControlStyle & csDoubleClicks) && Button == mbLeft)
        DblClick();
    Guard([&] { MouseDown(Button, Shift | (Double ? ssDouble : 0u), X, Y); }, this);
}

void TControl::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    SetMouseCapture(false);
    if (Button == mbLeft)
        FControlState &= ~csLButtonDown;
    if (Button == mbLeft && (FControlState & csClicked)) {
        FControlState &= ~csClicked;
        if (FEnabled && ClientRect().Contains(TPoint(X, Y)))
            Click();
    }
    Guard([&] { MouseUp(Button, Shift, X, Y); }, this);
}

void TControl::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    if (!FEnabled)
        return;
    Guard([&] { MouseMove(Shift, X, Y); }, this);
}

// ---------------------------------------------------------------- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Paint() {}

void TGraphicControl::PaintTo(TCanvas* Canvas, int X, int Y)
{
    if (!Canvas || FWidth <= 0 || FHeight <= 0)
        return;
    Canvas->SaveDC();
    const TPoint org = Canvas->ViewportOrg();
    Canvas->SetViewportOrg(TPoint(org.x + X, org.y + Y));
    Canvas->IntersectClipRect(TRect(0, 0, FWidth, FHeight));
    ShareSurface(FCanvas.get(), Canvas);
    FCanvas->Font()->Assign(FFont.get());
    Guard([&] { Paint(); }, this);
    FlushCanvas(FCanvas.get());
    BindCanvas(FCanvas.get(), nullptr);
    Canvas->RestoreDC();
}

// ---------------------------------------------------------------- TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::Paint() {}

void TCustomControl::PaintControl(TCanvas* Canvas)
{
    TWinControl::PaintControl(Canvas);
    ShareSurface(FCanvas.get(), Canvas);
    FCanvas->Font()->Assign(FFont.get());
    FPainting = true;
    Guard([&] { Paint(); }, this);
    FPainting = false;
    FlushCanvas(FCanvas.get());
    BindCanvas(FCanvas.get(), nullptr);
}

TCanvas* TCustomControl::Canvas() const
{
    if (FPainting || !HandleAllocated() || FImpl->native)
        return FCanvas.get();
    QWidget* w = FImpl->widget;
    if (!w || w->size().isEmpty())
        return FCanvas.get();
    // Outside Paint the canvas draws over the window's last picture.
    if (FImpl->buffer.size() != w->size())
        RenderBuffer(const_cast<TCustomControl*>(this), w, QRegion(w->rect()));
    if (CanvasImage(FCanvas.get()) != &FImpl->buffer) {
        BindCanvas(FCanvas.get(), &FImpl->buffer);
        const QPoint off = FImpl->ClientOffset();
        FCanvas->SetViewportOrg(TPoint(off.x(), off.y()));
        FCanvas->SetClipRect(ClientRect());
        auto* self = const_cast<TCustomControl*>(this);
        FCanvas->OnChange = [self](TObject*) {
            Impl* impl = self->FImpl.get();
            if (!self->FPainting && impl->widget) {
                impl->blitOnly = true;
                impl->widget->update();
            }
        };
    }
    return FCanvas.get();
}
