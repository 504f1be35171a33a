#include "platform/forms/ComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <climits>
#include <algorithm>

#include "platform/forms/FormsImpl_p.h"

using namespace zvqt;
using namespace zvforms;

namespace {

class ComboWidget : public NativeWidget<QComboBox> {
public:
    using NativeWidget<QComboBox>::NativeWidget;
    void showPopup() override
    {
        if (auto* c = dynamic_cast<TCustomComboBox*>(ctl))
            Guard([&] { FireEvent(c->OnDropDown, c); }, c);
        QComboBox::showPopup();
        // Some styles lay the list over the box with the current item on it; a classic
        // drop-down list opens below its box (above it only where the screen ends).
        QWidget* popup = view()->window();
        const QRect box(mapToGlobal(QPoint(0, 0)), size());
        if (popup->geometry().intersects(box)) {
            const QScreen* screen = this->screen();
            const int bottom = screen ? screen->availableGeometry().bottom() : INT_MAX;
            const int y = box.bottom() + 1 + popup->height() <= bottom ? box.bottom() + 1 : box.top() - popup->height();
            popup->move(box.left(), y);
        }
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        if (auto* c = dynamic_cast<TCustomComboBox*>(ctl))
            Guard([&] { FireEvent(c->OnCloseUp, c); }, c);
    }
};

QComboBox* Combo(const TWinControl* c)
{
    return c->HandleAllocated() ? qobject_cast<QComboBox*>(zvforms::ImplOf(c)->widget.data()) : nullptr;
}

QListWidget* List(const TWinControl* c)
{
    return c->HandleAllocated() ? qobject_cast<QListWidget*>(zvforms::ImplOf(c)->widget.data()) : nullptr;
}

} // namespace

// ---------------------------------------------------------------- combo box

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner), FItems(std::make_unique<TStringList>())
{
    FControlStyle = csCaptureMouse | csSetCaption | csDoubleClicks | csFixedHeight;
    FTabStop = true;
    FColor = clWindow;
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
    SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() { FItems->OnChange = nullptr; }

void TCustomComboBox::ItemsChanged()
{
    if (FItemIndex >= FItems->Count())
        FItemIndex = -1;
    if (HandleAllocated())
        SyncWidget();
}

void TCustomComboBox::SetItemIndex(int v)
{
    if (v < -1 || v >= FItems->Count())
        v = -1;
    if (v == FItemIndex && (v < 0 || FText == FItems->Strings(v)))
        return;
    FItemIndex = v;
    if (v >= 0)
        FText = FItems->Strings(v);
    else if (FStyle == csDropDownList)
        FText.clear();
    if (HandleAllocated())
        SyncWidget();
}

void TCustomComboBox::SetText(const AnsiString& v)
{
    const int idx = FItems->IndexOf(v);
    if (FStyle == csDropDownList) {
        SetItemIndex(idx);
        return;
    }
    if (v == FText && idx == FItemIndex)
        return;
    FText = v;
    FItemIndex = idx;
    if (HandleAllocated())
        SyncWidget();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v)
{
    if (v == FStyle)
        return;
    FStyle = v;
    if (v == csDropDownList && FItemIndex < 0)
        FText.clear();
    if (HandleAllocated()) {
        DestroyHandle();
        HandleNeeded();
    }
}

void TCustomComboBox::SetDropDownCount(int v)
{
    FDropDownCount = std::max(1, v);
    if (HandleAllocated())
        SyncWidget();
}

void TCustomComboBox::SetMaxLength(int v)
{
    FMaxLength = std::max(0, v);
    if (HandleAllocated())
        SyncWidget();
}

bool TCustomComboBox::DroppedDown() const
{
    QComboBox* c = Combo(this);
    return c && c->view() && c->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool v)
{
    if (QComboBox* c = Combo(this)) {
        if (v)
            c->showPopup();
        else
            c->hidePopup();
    }
}

void TCustomComboBox::Clear()
{
    FItems->Clear();
    FItemIndex = -1;
    FText.clear();
    if (HandleAllocated())
        SyncWidget();
}

void TCustomComboBox::Change() { Guard([&] { FireEvent(OnChange, this); }, this); }

void TCustomComboBox::Select()
{
    if (OnSelect)
        Guard([&] { OnSelect(this); }, this);
    else
        Change();
}

void TCustomComboBox::UserSelected(int Index)
{
    if (Index < 0 || Index >= FItems->Count())
        return;
    FItemIndex = Index;
    FText = FItems->Strings(Index);
    Click();
    Select();
}

void TCustomComboBox::UserTyped(const AnsiString& Text)
{
    FText = Text;
    FItemIndex = FItems->IndexOf(Text);
    Change();
}

bool TCustomComboBox::WantsKey(Word Key, TShiftState Shift) const
{
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
        return true;
    if ((Key == VK_RETURN || Key == VK_ESCAPE) && DroppedDown())
        return true;
    return TWinControl::WantsKey(Key, Shift);
}

void TCustomComboBox::CreateWidget()
{
    QWidget* parent = FParent ? zvforms::ImplOf(FParent)->widget.data() : nullptr;
    auto* c = new ComboWidget(this, parent);
    FImpl->widget = c;
    FImpl->native = true;
    c->setFocusPolicy(Qt::StrongFocus);
    c->setEditable(FStyle == csDropDown || FStyle == csSimple);
    c->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(c, qOverload<int>(&QComboBox::activated), c, [this, c](int i) {
        if (c->ctl && !FImpl->syncing)
            UserSelected(i);
    });
    if (QLineEdit* le = c->lineEdit())
        QObject::connect(le, &QLineEdit::textEdited, c, [this, c](const QString& t) {
            if (c->ctl && !FImpl->syncing)
                UserTyped(FromQString(t));
        });
}

void TCustomComboBox::SyncWidget()
{
    QComboBox* c = Combo(this);
    if (!c)
        return;
    FImpl->syncing = true;
    const bool block = c->blockSignals(true);
    QStringList items;
    for (int i = 0; i < FItems->Count(); ++i)
        items << ToQString(FItems->Strings(i));
    QStringList current;
    for (int i = 0; i < c->count(); ++i)
        current << c->itemText(i);
    if (current != items) {
        c->clear();
        c->addItems(items);
    }
    c->setCurrentIndex(FItemIndex);
    if (c->isEditable()) {
        c->setEditText(ToQString(FText));
        if (c->lineEdit())
            c->lineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
    }
    c->setMaxVisibleItems(FDropDownCount);
    ApplyPalette(this, c, FColor, FFont->Color());
    c->blockSignals(block);
    FImpl->syncing = false;
}

// ---------------------------------------------------------------- list box

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner), FItems(std::make_unique<TStringList>())
{
    FControlStyle = csCaptureMouse | csSetCaption | csDoubleClicks;
    FTabStop = true;
    FColor = clWindow;
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
    SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() { FItems->OnChange = nullptr; }

void TCustomListBox::ItemsChanged()
{
    FSelected.resize(static_cast<size_t>(FItems->Count()), false);
    if (FItemIndex >= FItems->Count())
        FItemIndex = -1;
    if (HandleAllocated())
        SyncWidget();
}

void TCustomListBox::SetItemIndex(int v)
{
    if (v < -1 || v >= FItems->Count())
        v = -1;
    if (v == FItemIndex)
        return;
    FItemIndex = v;
    if (!FMultiSelect) {
        std::fill(FSelected.begin(), FSelected.end(), false);
        if (v >= 0)
            FSelected[static_cast<size_t>(v)] = true;
    }
    if (HandleAllocated())
        SyncWidget();
}

void TCustomListBox::SetMultiSelect(bool v) { SetAndSync(FMultiSelect, v); }

bool TCustomListBox::Selected(int Index) const
{
    if (Index < 0 || Index >= FItems->Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FSelected[static_cast<size_t>(Index)];
}

void TCustomListBox::SetSelected(int Index, bool v)
{
    if (Index < 0 || Index >= FItems->Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    if (!FMultiSelect) {
        SetItemIndex(v ? Index : (FItemIndex == Index ? -1 : FItemIndex));
        return;
    }
    FSelected[static_cast<size_t>(Index)] = v;
    if (HandleAllocated())
        SyncWidget();
}

int TCustomListBox::SelCount() const
{
    if (!FMultiSelect)
        return -1;
    return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), true));
}

void TCustomListBox::SetTopIndex(int v)
{
    FTopIndex = std::clamp(v, 0, std::max(0, FItems->Count() - 1));
    if (QListWidget* l = List(this))
        if (QListWidgetItem* it = l->item(FTopIndex))
            l->scrollToItem(it, QAbstractItemView::PositionAtTop);
}

int TCustomListBox::ItemHeight() const
{
    TCanvas measure;
    measure.Font()->Assign(FFont.get());
    return measure.TextHeight("Wg") + 2;
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) const
{
    const int i = FTopIndex + Pos.y / std::max(1, ItemHeight());
    if (i < FItems->Count())
        return i;
    return Existing ? -1 : FItems->Count();
}

void TCustomListBox::UserSelected(int Index)
{
    if (Index < -1 || Index >= FItems->Count())
        return;
    FItemIndex = Index;
    if (QListWidget* l = List(this))
        for (int i = 0; i < l->count() && i < static_cast<int>(FSelected.size()); ++i)
            FSelected[static_cast<size_t>(i)] = l->item(i)->isSelected();
    Click();
}

bool TCustomListBox::WantsKey(Word Key, TShiftState Shift) const
{
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
        return true;
    return TWinControl::WantsKey(Key, Shift);
}

void TCustomListBox::CreateWidget()
{
    QWidget* parent = FParent ? zvforms::ImplOf(FParent)->widget.data() : nullptr;
    auto* l = new NativeWidget<QListWidget>(this, parent);
    FImpl->widget = l;
    FImpl->native = true;
    l->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(l, &QListWidget::currentRowChanged, l, [this, l](int row) {
        if (l->ctl && !FImpl->syncing)
            UserSelected(row);
    });
}

void TCustomListBox::SyncWidget()
{
    QListWidget* l = List(this);
    if (!l)
        return;
    FImpl->syncing = true;
    const bool block = l->blockSignals(true);
    QStringList items;
    for (int i = 0; i < FItems->Count(); ++i)
        items << ToQString(FItems->Strings(i));
    bool same = l->count() == items.size();
    for (int i = 0; same && i < l->count(); ++i)
        same = l->item(i)->text() == items[i];
    if (!same) {
        l->clear();
        l->addItems(items);
    }
    l->setSelectionMode(FMultiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    l->setCurrentRow(FItemIndex);
    for (int i = 0; i < l->count() && i < static_cast<int>(FSelected.size()); ++i)
        l->item(i)->setSelected(FSelected[static_cast<size_t>(i)]);
    ApplyPalette(this, l, FColor, FFont->Color());
    l->blockSignals(block);
    FImpl->syncing = false;
}
