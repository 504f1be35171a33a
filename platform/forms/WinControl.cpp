#include <QImage>
#include <QPainter>
#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/forms/FormsImpl_p.h"

using namespace zvqt;
using namespace zvforms;

namespace {
constexpr int kScrollBarSize = 17;
}

// ---------------------------------------------------------------- Impl helpers

QPoint TWinControl::Impl::ClientOffset() const
{
    if (auto* f = dynamic_cast<TCustomForm*>(owner))
        return QPoint(0, f->MenuHeight());
    const int nc = owner->NonClientWidth();
    return QPoint(nc, nc);
}

namespace zvforms {

TScrollCode ScrollCodeOf(int Action)
{
    switch (Action) {
    case QAbstractSlider::SliderSingleStepAdd: return scLineDown;
    case QAbstractSlider::SliderSingleStepSub: return scLineUp;
    case QAbstractSlider::SliderPageStepAdd: return scPageDown;
    case QAbstractSlider::SliderPageStepSub: return scPageUp;
    case QAbstractSlider::SliderToMinimum: return scTop;
    case QAbstractSlider::SliderToMaximum: return scBottom;
    case QAbstractSlider::SliderMove: return scTrack;
    default: return scPosition;
    }
}

} // namespace zvforms

void TWinControl::Impl::LayoutBars()
{
    if (!widget)
        return;
    const int nc = owner->NonClientWidth();
    const QPoint off = ClientOffset();
    const TRect cr = owner->ClientRect();
    for (int k = 0; k < 2; ++k) {
        if (!bar[k].visible) {
            if (bars[k])
                bars[k]->hide();
            continue;
        }
        if (!bars[k]) {
            auto* sb = new QScrollBar(k == sbHorizontal ? Qt::Horizontal : Qt::Vertical, widget);
            const auto kind = static_cast<TScrollBarKind>(k);
            TWinControl* o = owner;
            QObject::connect(sb, &QAbstractSlider::actionTriggered, sb, [o, kind, sb](int action) {
                const TScrollCode code = ScrollCodeOf(action);
                int pos = sb->sliderPosition();
                Guard([&] { o->DoScroll(kind, code, pos); }, o);
                zvforms::ImplOf(o)->bar[kind].pos = pos;
                sb->setSliderPosition(pos);
            });
            bars[k] = sb;
        }
        QScrollBar* sb = bars[k];
        sb->setRange(bar[k].min, std::max(bar[k].min, bar[k].max - std::max(0, bar[k].page - 1)));
        sb->setPageStep(std::max(1, bar[k].page));
        sb->setValue(bar[k].pos);
        if (k == sbVertical)
            sb->setGeometry(off.x() + cr.Right, off.y(), kScrollBarSize, cr.Height());
        else
            sb->setGeometry(off.x(), off.y() + cr.Bottom, cr.Width(), kScrollBarSize);
        sb->show();
    }
    (void)nc;
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FImpl(std::make_unique<Impl>(this)) {}

TWinControl::~TWinControl()
{
    SetComponentStateFlag(csDestroying, true);
    // Leave the parent while this is still a TWinControl: by ~TControl the
    // parent could no longer tell it from a graphic control, and its tab list
    // would keep a freed pointer.
    if (FParent)
        FParent->RemoveControl(this);
    if (auto* f = GetParentForm(this); f && f != this && f->FActiveControl && ContainsControl(f->FActiveControl))
        f->FActiveControl = nullptr;
    // Children go with their parent, as in the class library.
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        RemoveControl(c);
        delete c;
    }
    DestroyHandle();
}

void TWinControl::InsertControl(TControl* AControl)
{
    if (!AControl || AControl->FParent == this)
        return;
    if (auto* w = dynamic_cast<TWinControl*>(AControl); w && w->ContainsControl(this))
        throw EInvalidOperation("A control cannot be its own parent's parent");
    AControl->FParent = this;
    FControls.push_back(AControl);
    if (auto* w = dynamic_cast<TWinControl*>(AControl))
        FImpl->tabList.push_back(w);
    if (AControl->FParentFont)
        AControl->CMParentFontChanged();
    if (AControl->FParentColor)
        AControl->CMParentColorChanged();
    if (HandleAllocated()) {
        if (auto* w = dynamic_cast<TWinControl*>(AControl))
            w->HandleNeeded();
    }
    AControl->Invalidate();
    if (AControl->FAlign != alNone)
        Realign();
    if (FAutoSize)
        AdjustSize();
}

void TWinControl::RemoveControl(TControl* AControl)
{
    if (!AControl || AControl->FParent != this)
        return;
    AControl->Invalidate();
    if (FImpl->hover == AControl)
        FImpl->hover = nullptr;
    if (FImpl->pressed == AControl)
        FImpl->pressed = nullptr;
    if (GetCaptureControl() == AControl)
        SetCaptureControl(nullptr);
    auto* w = dynamic_cast<TWinControl*>(AControl);
    if (w) {
        if (auto* f = GetParentForm(this); f && f->FActiveControl && (f->FActiveControl == w || w->ContainsControl(f->FActiveControl)))
            f->FActiveControl = nullptr;
        w->DestroyHandle();
    }
    // By address, not by cast: whatever is left of a control being destroyed
    // must leave every list.
    std::erase_if(FImpl->tabList, [AControl](TWinControl* t) { return static_cast<TControl*>(t) == AControl; });
    FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
    AControl->FParent = nullptr;
    if (!ComponentStateHas(csDestroying)) {
        if (AControl->FAlign != alNone)
            Realign();
        if (FAutoSize)
            AdjustSize();
    }
}

bool TWinControl::ContainsControl(TControl* Control) const
{
    for (TControl* c = Control; c; c = c->FParent)
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!AllowWinControls && dynamic_cast<TWinControl*>(c))
            continue;
        if (c->FVisible && (AllowDisabled || c->FEnabled) && c->BoundsRect().Contains(Pos))
            return c;
    }
    return nullptr;
}

// ---------------------------------------------------------------- focus

int TWinControl::TabOrder() const
{
    if (!FParent)
        return -1;
    const auto& tl = FParent->FImpl->tabList;
    const auto it = std::find(tl.begin(), tl.end(), this);
    return it == tl.end() ? -1 : static_cast<int>(it - tl.begin());
}

void TWinControl::SetTabOrder(int v)
{
    if (!FParent)
        return;
    auto& tl = FParent->FImpl->tabList;
    tl.erase(std::remove(tl.begin(), tl.end(), this), tl.end());
    v = std::clamp(v, 0, static_cast<int>(tl.size()));
    tl.insert(tl.begin() + v, this);
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->FParent) {
        if (!c->FVisible || !c->FEnabled)
            return false;
        if (dynamic_cast<const TCustomForm*>(c))
            return true;
    }
    return true;
}

bool TWinControl::Focused() const
{
    auto* f = GetParentForm(const_cast<TWinControl*>(this));
    return f && f->FActiveControl == this;
}

void TWinControl::SetFocus()
{
    auto* f = GetParentForm(this);
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    if (!f || f == this) {
        if (HandleAllocated()) {
            FImpl->settingFocus = true;
            FImpl->widget->setFocus(Qt::OtherFocusReason);
            FImpl->settingFocus = false;
        }
        return;
    }
    f->FocusControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const
{
    for (TWinControl* w : FImpl->tabList) {
        List.push_back(w);
        w->GetTabOrderList(List);
    }
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return;
    const int n = static_cast<int>(list.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (list[static_cast<size_t>(i)] == CurControl)
            start = i;
    if (start < 0)
        start = GoForward ? n - 1 : 0;
    int i = start;
    for (int k = 0; k < n; ++k) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == CurControl)
            break;
        // Containers pass the focus on; only controls without focusable children take it.
        if ((!CheckTabStop || c->FTabStop) && c->CanFocus() && c->FParent && c->FParent->CanFocus()) {
            c->SetFocus();
            return;
        }
    }
}

void TWinControl::SetChildFocus(TWinControl*) {}

bool TWinControl::CMDialogKey(Word Key, TShiftState Shift)
{
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FVisible && w->CMDialogKey(Key, Shift))
            return true;
    return false;
}

bool TWinControl::CMDialogChar(char Key)
{
    for (TControl* c : FControls)
        if (c->FVisible && c->CMDialogChar(Key))
            return true;
    return false;
}

void TWinControl::DoEnter() { Guard([&] { FireEvent(OnEnter, this); }, this); }
void TWinControl::DoExit() { Guard([&] { FireEvent(OnExit, this); }, this); }

// ---------------------------------------------------------------- keys

bool TWinControl::WantsKey(Word Key, TShiftState) const
{
    switch (Key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_ESCAPE:
        return false;
    default:
        return true;
    }
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift)
{
    Guard([&] { FireEvent(OnKeyDown, this, Key, Shift); }, this);
}

void TWinControl::KeyPress(char& Key)
{
    // A handler that fails stops the character, as it would any other reply.
    if (!Guard([&] { FireEvent(OnKeyPress, this, Key); }, this))
        Key = 0;
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift)
{
    Guard([&] { FireEvent(OnKeyUp, this, Key, Shift); }, this);
}

bool TWinControl::HandleKeyDown(Word& Key, TShiftState Shift)
{
    auto* f = GetParentForm(this);
    // Dialog keys the control does not want go to the form first (Tab, arrows,
    // default and cancel buttons); a handled one gets no key events and no character.
    if (f && f != this && !WantsKey(Key, Shift) && f->DialogKey(Key, Shift)) {
        Key = 0;
        return false;
    }
    if (f && f != this && f->FKeyPreview) {
        f->KeyDown(Key, Shift);
        if (Key == 0)
            return true;
    }
    KeyDown(Key, Shift);
    return true;
}

bool TWinControl::HandleKeyPress(char& Key)
{
    auto* f = GetParentForm(this);
    if (f && f != this && f->FKeyPreview) {
        f->KeyPress(Key);
        if (Key == 0)
            return false;
    }
    KeyPress(Key);
    return Key != 0;
}

bool TWinControl::HandleKeyUp(Word& Key, TShiftState Shift)
{
    auto* f = GetParentForm(this);
    if (f && f != this && f->FKeyPreview) {
        f->KeyUp(Key, Shift);
        if (Key == 0)
            return false;
    }
    KeyUp(Key, Shift);
    return Key != 0;
}

// ---------------------------------------------------------------- handle

bool TWinControl::HandleAllocated() const { return !FImpl->widget.isNull(); }

void TWinControl::HandleNeeded()
{
    if (HandleAllocated())
        return;
    if (FParent && !FParent->HandleAllocated()) {
        FParent->HandleNeeded(); // creates ours among its children
        if (HandleAllocated())
            return;
    }
    FControlState |= csCreating;
    CreateWidget();
    FControlState &= ~csCreating;
    QWidget* w = FImpl->widget;
    if (!w)
        return;
    w->setMouseTracking(true);
    ShowCursor(w, FCursor);
    BoundsChanged();
    SyncWidget();
    w->setEnabled(FEnabled);
    if (FImpl->native && FShowHint)
        w->setToolTip(ToQString(FHint));
    if (FParent)
        w->setVisible(FVisible);
    for (TControl* c : FControls)
        if (auto* cw = dynamic_cast<TWinControl*>(c))
            cw->HandleNeeded();
    FImpl->LayoutBars();
}

void TWinControl::DestroyHandle()
{
    for (TControl* c : FControls)
        if (auto* cw = dynamic_cast<TWinControl*>(c))
            cw->DestroyHandle();
    if (QWidget* w = FImpl->widget) {
        DetachWidget(w);
        w->hide();
        w->deleteLater();
        FImpl->widget = nullptr;
        FImpl->bars[0] = nullptr;
        FImpl->bars[1] = nullptr;
    }
}

void TWinControl::CreateWidget()
{
    QWidget* parent = FParent ? FParent->FImpl->widget.data() : nullptr;
    FImpl->widget = new WindowWidget(this, parent);
    FImpl->native = false;
    zvforms::SetSeeThrough(this, FImpl->seeThrough);
}

void TWinControl::SyncWidget() {}

void TWinControl::BoundsChanged()
{
    if (!HandleAllocated())
        return;
    QWidget* w = FImpl->widget;
    if (FParent) {
        const QPoint off = FParent->FImpl->ClientOffset();
        w->setGeometry(off.x() + FLeft, off.y() + FTop, FWidth, FHeight);
    } else {
        w->setGeometry(FLeft, FTop, FWidth, FHeight);
    }
    FImpl->LayoutBars();
    Realign();
}

void TWinControl::RemoveFocus()
{
    // As the class library does: the form's focus leaves the control (OnExit up to the
    // form) and rests on the form itself; no other control is entered.
    TCustomForm* f = GetParentForm(this);
    if (!f || f == this || !f->FActiveControl || !ContainsControl(f->FActiveControl))
        return;
    f->FocusControl(nullptr);
    if (f->HandleAllocated() && f->FActiveControl == nullptr)
        f->FImpl->widget->setFocus(Qt::OtherFocusReason);
}

void TWinControl::SetVisible(bool v)
{
    if (!v && FVisible && FParent)
        RemoveFocus();
    TControl::SetVisible(v);
    if (HandleAllocated() && FParent)
        FImpl->widget->setVisible(v);
}

void TWinControl::SetEnabled(bool v)
{
    if (!v && FEnabled && FParent)
        RemoveFocus();
    TControl::SetEnabled(v);
    if (HandleAllocated())
        FImpl->widget->setEnabled(v);
}

void TWinControl::CMFontChanged()
{
    TControl::CMFontChanged();
    if (HandleAllocated())
        SyncWidget();
    for (TControl* c : FControls)
        c->CMParentFontChanged();
    if (FAutoSize)
        AdjustSize();
}

void TWinControl::CMColorChanged()
{
    TControl::CMColorChanged();
    if (HandleAllocated())
        SyncWidget();
    for (TControl* c : FControls)
        c->CMParentColorChanged();
}

void TWinControl::CMEnabledChanged()
{
    TControl::CMEnabledChanged();
    if (HandleAllocated())
        SyncWidget();
}

void TWinControl::CMVisibleChanged() { TControl::CMVisibleChanged(); }

void TWinControl::CMTextChanged()
{
    TControl::CMTextChanged();
    if (HandleAllocated())
        SyncWidget();
}

void TWinControl::SetBorderWidth(int v)
{
    if (v == FBorderWidth)
        return;
    FBorderWidth = v;
    Realign();
    Invalidate();
}

void TWinControl::SetCtl3D(bool v)
{
    if (v == FCtl3D)
        return;
    FCtl3D = v;
    Invalidate();
}

// ---------------------------------------------------------------- geometry and painting

TRect TWinControl::ClientRect() const
{
    const int nc = NonClientWidth();
    int w = FWidth - 2 * nc, h = FHeight - 2 * nc;
    if (FImpl->bar[sbVertical].visible)
        w -= kScrollBarSize;
    if (FImpl->bar[sbHorizontal].visible)
        h -= kScrollBarSize;
    return TRect(0, 0, std::max(0, w), std::max(0, h));
}

TPoint TWinControl::ClientOrigin() const
{
    const int nc = NonClientWidth();
    if (!FParent)
        return TPoint(FLeft + nc, FTop + nc);
    const TPoint p = FParent->ClientOrigin();
    return TPoint(p.x + FLeft + nc, p.y + FTop + nc);
}

void TWinControl::Invalidate()
{
    if (HandleAllocated()) {
        FImpl->blitOnly = false;
        FImpl->widget->update();
    }
}

void TWinControl::InvalidateClientRect(const TRect& R)
{
    if (HandleAllocated()) {
        FImpl->blitOnly = false;
        const QPoint off = FImpl->ClientOffset();
        FImpl->widget->update(QRect(off.x() + R.Left, off.y() + R.Top, R.Width(), R.Height()));
    }
}

void TWinControl::Repaint()
{
    if (HandleAllocated()) {
        FImpl->blitOnly = false;
        FImpl->widget->repaint();
    }
}

void TWinControl::Update()
{
    if (HandleAllocated() && FImpl->widget->isVisible())
        FImpl->widget->repaint();
}

void TWinControl::PaintNonClient(TCanvas* Canvas)
{
    const int nc = NonClientWidth();
    if (nc <= 0)
        return;
    TRect r(0, 0, FWidth, FHeight);
    if (nc >= 2 && FCtl3D) {
        Canvas->DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    } else {
        Canvas->Brush()->SetColor(clWindowFrame);
        Canvas->FrameRect(r);
        if (nc >= 2) {
            Canvas->Brush()->SetColor(FColor);
            Canvas->FrameRect(TRect(1, 1, FWidth - 1, FHeight - 1));
        }
    }
    // The corner between two scroll bars.
    if (FImpl->bar[0].visible && FImpl->bar[1].visible) {
        const TRect cr = ClientRect();
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FillRect(TRect(nc + cr.Right, nc + cr.Bottom, nc + cr.Right + kScrollBarSize, nc + cr.Bottom + kScrollBarSize));
    }
}

void TWinControl::PaintControl(TCanvas* Canvas)
{
    if (FControlStyle & csOpaque)
        return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FColor);
    Canvas->FillRect(ClientRect());
}

void TWinControl::PaintBackground(TCanvas* Canvas) { PaintControl(Canvas); }

void TWinControl::PaintOverlay(TCanvas*) {}

void TWinControl::PaintWindowTo(TCanvas* Canvas)
{
    PaintControl(Canvas);
    for (TControl* c : FControls) {
        if (dynamic_cast<TWinControl*>(c) || !c->FVisible)
            continue;
        const TRect clip = Canvas->ClipRect();
        const TRect b = c->BoundsRect();
        if (b.Right <= clip.Left || b.Left >= clip.Right || b.Bottom <= clip.Top || b.Top >= clip.Bottom)
            continue;
        c->PaintTo(Canvas, c->FLeft, c->FTop);
    }
}

void TWinControl::PaintTo(TCanvas* Canvas, int X, int Y)
{
    if (!Canvas || FWidth <= 0 || FHeight <= 0)
        return;
    HandleNeeded();
    QWidget* w = FImpl->widget;
    if (!w)
        return;
    QImage img(w->size(), QImage::Format_RGB32);
    img.fill(ToQColor(FColor));
    w->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    DrawImageOn(Canvas, QRect(X, Y, img.width(), img.height()), img);
}

// ---------------------------------------------------------------- alignment

void TWinControl::Realign()
{
    if (FAlignLevel > 0 || ComponentStateHas(csDestroying))
        return;
    TRect r = ClientRect();
    r = TRect(r.Left + FBorderWidth, r.Top + FBorderWidth, r.Right - FBorderWidth, r.Bottom - FBorderWidth);
    ++FAlignLevel;
    AlignControls(nullptr, r);
    --FAlignLevel;
}

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0)
        Realign();
}

void TWinControl::AlignControls(TControl*, TRect& Rect)
{
    auto pick = [&](TAlign a) {
        std::vector<TControl*> v;
        for (TControl* c : FControls)
            if (c->FAlign == a && c->FVisible)
                v.push_back(c);
        std::stable_sort(v.begin(), v.end(), [a](TControl* x, TControl* y) {
            switch (a) {
            case alTop: return x->FTop < y->FTop;
            case alBottom: return x->FTop + x->FHeight > y->FTop + y->FHeight;
            case alLeft: return x->FLeft < y->FLeft;
            case alRight: return x->FLeft + x->FWidth > y->FLeft + y->FWidth;
            default: return false;
            }
        });
        return v;
    };
    for (TControl* c : pick(alTop)) {
        c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), c->FHeight);
        Rect.Top += c->FHeight;
    }
    for (TControl* c : pick(alBottom)) {
        c->SetBounds(Rect.Left, Rect.Bottom - c->FHeight, Rect.Width(), c->FHeight);
        Rect.Bottom -= c->FHeight;
    }
    for (TControl* c : pick(alLeft)) {
        c->SetBounds(Rect.Left, Rect.Top, c->FWidth, Rect.Height());
        Rect.Left += c->FWidth;
    }
    for (TControl* c : pick(alRight)) {
        c->SetBounds(Rect.Right - c->FWidth, Rect.Top, c->FWidth, Rect.Height());
        Rect.Right -= c->FWidth;
    }
    for (TControl* c : pick(alClient))
        c->SetBounds(Rect.Left, Rect.Top, std::max(0, Rect.Width()), std::max(0, Rect.Height()));
}

// ---------------------------------------------------------------- scroll bars

void TWinControl::SetScrollRange(TScrollBarKind Kind, int Min, int Max, int Page)
{
    auto& b = FImpl->bar[Kind];
    b.min = Min;
    b.max = Max;
    b.page = Page;
    b.pos = std::clamp(b.pos, Min, std::max(Min, Max));
    FImpl->LayoutBars();
}

void TWinControl::SetScrollPos(TScrollBarKind Kind, int Pos)
{
    auto& b = FImpl->bar[Kind];
    b.pos = std::clamp(Pos, b.min, std::max(b.min, b.max));
    if (FImpl->bars[Kind])
        FImpl->bars[Kind]->setValue(b.pos);
}

int TWinControl::ScrollPos(TScrollBarKind Kind) const { return FImpl->bar[Kind].pos; }

void TWinControl::ShowScrollBar(TScrollBarKind Kind, bool Show)
{
    if (FImpl->bar[Kind].visible == Show)
        return;
    FImpl->bar[Kind].visible = Show;
    FImpl->LayoutBars();
    Realign();
    Invalidate();
}

bool TWinControl::ScrollBarVisible(TScrollBarKind Kind) const { return FImpl->bar[Kind].visible; }

void TWinControl::DoScroll(TScrollBarKind, TScrollCode, int&) {}

bool TWinControl::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos)
{
    bool handled = false;
    Guard([&] { FireEvent(OnMouseWheelDown, this, Shift, MousePos, handled); }, this);
    return handled;
}

bool TWinControl::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos)
{
    bool handled = false;
    Guard([&] { FireEvent(OnMouseWheelUp, this, Shift, MousePos, handled); }, this);
    return handled;
}
