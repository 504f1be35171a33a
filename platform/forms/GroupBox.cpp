#include "platform/forms/GroupBox.h"

#include <algorithm>

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks | csReplicatable;
    FParentColor = true;
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AlignControls(TControl* AControl, TRect& Rect)
{
    TCanvas measure;
    measure.Font()->Assign(FFont.get());
    Rect.Top += measure.TextHeight("0");
    Rect = TRect(Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2);
    TCustomControl::AlignControls(AControl, Rect);
}

void TCustomGroupBox::Paint()
{
    TCanvas* c = Canvas();
    c->Font()->Assign(FFont.get());
    const int h = c->TextHeight("0");
    TRect r(0, h / 2 - 1, FWidth, FHeight);
    // Etched frame: shadow ring, highlight ring one pixel in.
    c->Brush()->SetColor(clBtnHighlight);
    c->FrameRect(TRect(r.Left + 1, r.Top + 1, r.Right, r.Bottom));
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));
    if (!FText.empty()) {
        TRect t(8, 0, 0, h);
        c->DrawText(FText, t, DT_SINGLELINE | DT_CALCRECT);
        t.Right += 2;
        t.Left -= 1;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FColor);
        c->FillRect(t);
        if (!FEnabled)
            c->Font()->SetColor(clGrayText);
        c->Brush()->SetStyle(bsClear);
        TRect tt(t.Left + 1, t.Top, t.Right, t.Bottom);
        c->DrawText(FText, tt, DT_SINGLELINE | DT_LEFT);
    }
}

TRadioGroup::TRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>())
{
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

TRadioGroup::~TRadioGroup()
{
    FItems->OnChange = nullptr;
}

void TRadioGroup::ItemsChanged()
{
    while (static_cast<int>(FButtons.size()) > FItems->Count()) {
        TRadioButton* b = FButtons.back();
        FButtons.pop_back();
        delete b;
    }
    while (static_cast<int>(FButtons.size()) < FItems->Count()) {
        // The buttons belong to the group, not to the form.
        auto* b = new TRadioButton(this);
        b->OnClick = [this, b](TObject*) { ButtonClicked(b); };
        b->SetParent(this);
        FButtons.push_back(b);
    }
    // Fewer items keep the last one selected, silently.
    if (FItemIndex >= FItems->Count())
        FItemIndex = FItems->Count() - 1;
    FUpdating = true;
    for (int i = 0; i < FItems->Count(); ++i) {
        FButtons[static_cast<size_t>(i)]->SetCaption(FItems->Strings(i));
        FButtons[static_cast<size_t>(i)]->SetEnabled(FEnabled);
        FButtons[static_cast<size_t>(i)]->SetChecked(i == FItemIndex);
    }
    FUpdating = false;
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons()
{
    if (FButtons.empty())
        return;
    TCanvas measure;
    measure.Font()->Assign(FFont.get());
    const int th = measure.TextHeight("0");
    const int cols = std::max(1, FColumns);
    const int n = static_cast<int>(FButtons.size());
    const int rows = (n + cols - 1) / cols;
    const int colWidth = (FWidth - 10) / cols;
    const int top = th + 2;
    const int rowHeight = std::max(th + 2, (FHeight - top - 4) / std::max(1, rows));
    for (int i = 0; i < n; ++i) {
        const int col = i / rows, row = i % rows;
        FButtons[static_cast<size_t>(i)]->SetBounds(8 + col * colWidth, top + row * rowHeight + (rowHeight - th - 2) / 2,
                                                    colWidth - 4, th + 2);
    }
}

void TRadioGroup::BoundsChanged()
{
    TCustomGroupBox::BoundsChanged();
    ArrangeButtons();
}

void TRadioGroup::CMFontChanged()
{
    TCustomGroupBox::CMFontChanged();
    ArrangeButtons();
}

void TRadioGroup::SetEnabled(bool v)
{
    TCustomGroupBox::SetEnabled(v);
    for (auto* b : FButtons)
        b->SetEnabled(v);
}

void TRadioGroup::SetColumns(int v)
{
    v = std::clamp(v, 1, 16);
    if (v == FColumns)
        return;
    FColumns = v;
    ArrangeButtons();
    Invalidate();
}

void TRadioGroup::SetItemIndex(int v)
{
    // As in the class library: a value past the end selects the last item.
    v = std::clamp(v, -1, FItems->Count() - 1);
    if (v == FItemIndex)
        return;
    FItemIndex = v;
    FUpdating = true;
    for (int i = 0; i < static_cast<int>(FButtons.size()); ++i)
        FButtons[static_cast<size_t>(i)]->SetChecked(i == v);
    FUpdating = false;
    // Checking a button reports the change, from code as from the user; clearing the
    // selection checks none and reports nothing.
    if (v >= 0)
        Click();
}

void TRadioGroup::ButtonClicked(TRadioButton* B)
{
    if (FUpdating || !B->Checked())
        return;
    const auto it = std::find(FButtons.begin(), FButtons.end(), B);
    if (it != FButtons.end())
        SetItemIndex(static_cast<int>(it - FButtons.begin()));
}
