#include "platform/forms/ScrollBar.h"

#include <QScrollBar>
#include <algorithm>

#include "platform/forms/FormsImpl_p.h"

using namespace zvforms;

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FTabStop = true;
    SetBounds(0, 0, 121, 17);
}

void TScrollBar::SetKind(TScrollBarKind v)
{
    if (v == FKind)
        return;
    FKind = v;
    SetBounds(FLeft, FTop, FHeight, FWidth);
    if (HandleAllocated())
        SyncWidget();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax)
{
    if (AMax < AMin)
        throw EInvalidOperation("Scroll bar property out of range");
    APosition = std::clamp(APosition, AMin, AMax);
    const bool changed = APosition != FPosition;
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    if (HandleAllocated())
        SyncWidget();
    if (changed)
        Guard([&] { FireEvent(OnChange, this); }, this);
}

void TScrollBar::SetSmallChange(int v)
{
    FSmallChange = std::max(1, v);
    if (HandleAllocated())
        SyncWidget();
}

void TScrollBar::SetLargeChange(int v)
{
    FLargeChange = std::max(1, v);
    if (HandleAllocated())
        SyncWidget();
}

void TScrollBar::SetPageSize(int v)
{
    FPageSize = std::max(0, v);
    if (HandleAllocated())
        SyncWidget();
}

void TScrollBar::UserScrolled(TScrollCode Code, int Pos)
{
    Guard([&] { FireEvent(OnScroll, this, Code, Pos); }, this);
    SetPosition(Pos);
}

bool TScrollBar::WantsKey(Word Key, TShiftState Shift) const
{
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
        return true;
    return TWinControl::WantsKey(Key, Shift);
}

void TScrollBar::CreateWidget()
{
    QWidget* parent = FParent ? zvforms::ImplOf(FParent)->widget.data() : nullptr;
    auto* s = new NativeWidget<QScrollBar>(this, parent);
    FImpl->widget = s;
    FImpl->native = true;
    s->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(s, &QAbstractSlider::actionTriggered, s, [this, s](int action) {
        if (!s->ctl || FImpl->syncing)
            return;
        UserScrolled(ScrollCodeOf(action), s->sliderPosition());
    });
}

void TScrollBar::SyncWidget()
{
    auto* s = FImpl->widget ? qobject_cast<QScrollBar*>(FImpl->widget.data()) : nullptr;
    if (!s)
        return;
    FImpl->syncing = true;
    const bool block = s->blockSignals(true);
    s->setOrientation(FKind == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
    s->setRange(FMin, std::max(FMin, FMax - std::max(0, FPageSize - 1)));
    s->setSingleStep(FSmallChange);
    s->setPageStep(std::max(FLargeChange, FPageSize));
    s->setValue(FPosition);
    ApplyPalette(this, s, clScrollBar, clBtnText);
    s->blockSignals(block);
    FImpl->syncing = false;
}
