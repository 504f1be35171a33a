#include "platform/forms/PageControl.h"

#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/forms/FormsImpl_p.h"

using namespace zvforms;

// ---------------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = csAcceptsControls | csClickEvents | csCaptureMouse | csDoubleClicks;
    FVisible = false;
    FParentColor = true;
}

TTabSheet::~TTabSheet()
{
    if (FPageControl)
        FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* v)
{
    if (v == FPageControl)
        return;
    if (FPageControl)
        FPageControl->RemovePage(this);
    TWinControl::SetParent(v);
    if (v)
        v->InsertPage(this);
}

void TTabSheet::SetParent(TWinControl* AParent)
{
    if (auto* pc = dynamic_cast<TPageControl*>(AParent)) {
        SetPageControl(pc);
        return;
    }
    if (FPageControl)
        FPageControl->RemovePage(this);
    TWinControl::SetParent(AParent);
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl)
        return -1;
    const auto& p = FPageControl->FPages;
    return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetPageIndex(int v)
{
    if (!FPageControl)
        return;
    auto& p = FPageControl->FPages;
    p.erase(std::remove(p.begin(), p.end(), this), p.end());
    v = std::clamp(v, 0, static_cast<int>(p.size()));
    p.insert(p.begin() + v, this);
    FPageControl->Invalidate();
}

void TTabSheet::SetTabVisible(bool v)
{
    if (v == FTabVisible)
        return;
    const int index = TabIndex();
    FTabVisible = v;
    if (!FPageControl)
        return;
    // Hiding the active page's tab makes the tab now in its place (or the last one)
    // active, as the class library does; with no tab left no page shows. No events.
    if (!v && FPageControl->FActivePage == this) {
        const auto tabs = FPageControl->VisibleTabs();
        FPageControl->SetActivePage(
            tabs.empty() ? nullptr : tabs[static_cast<size_t>(std::min(index, static_cast<int>(tabs.size()) - 1))]);
    }
    FPageControl->Invalidate();
}

int TTabSheet::TabIndex() const
{
    if (!FPageControl || !FTabVisible)
        return -1;
    const auto tabs = FPageControl->VisibleTabs();
    const auto it = std::find(tabs.begin(), tabs.end(), this);
    return it == tabs.end() ? -1 : static_cast<int>(it - tabs.begin());
}

void TTabSheet::CMTextChanged()
{
    TWinControl::CMTextChanged();
    if (FPageControl)
        FPageControl->Invalidate();
}

// ---------------------------------------------------------------- TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque;
    FTabStop = true;
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl()
{
    for (TTabSheet* p : FPages)
        p->FPageControl = nullptr;
}

int TPageControl::TabHeight() const
{
    TCanvas measure;
    measure.Font()->Assign(FFont.get());
    return measure.TextHeight("Wg") + 6;
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const
{
    std::vector<TTabSheet*> v;
    for (TTabSheet* p : FPages)
        if (p->FTabVisible)
            v.push_back(p);
    return v;
}

TRect TPageControl::TabRect(int Index) const
{
    const auto tabs = VisibleTabs();
    if (Index < 0 || Index >= static_cast<int>(tabs.size()))
        return TRect();
    TCanvas measure;
    measure.Font()->Assign(FFont.get());
    int x = 2;
    const int h = TabHeight();
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
        const int w = measure.TextWidth(tabs[static_cast<size_t>(i)]->Caption()) + 12;
        if (i == Index)
            return TRect(x, 2, x + w, 2 + h);
        x += w;
    }
    return TRect();
}

TRect TPageControl::DisplayRect() const
{
    const int top = VisibleTabs().empty() ? 0 : TabHeight() + 2;
    return TRect(4, top + 4, std::max(4, FWidth - 4), std::max(top + 4, FHeight - 4));
}

void TPageControl::BoundsChanged()
{
    TCustomControl::BoundsChanged();
    const TRect r = DisplayRect();
    for (TTabSheet* p : FPages)
        p->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    if (std::find(FPages.begin(), FPages.end(), Page) != FPages.end())
        return;
    FPages.push_back(Page);
    Page->FPageControl = this;
    const TRect r = DisplayRect();
    Page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    if (!FActivePage)
        SetActivePage(Page);
    else
        Page->SetVisible(false);
    Invalidate();
}

void TPageControl::RemovePage(TTabSheet* Page)
{
    const auto it = std::find(FPages.begin(), FPages.end(), Page);
    if (it == FPages.end())
        return;
    FPages.erase(it);
    Page->FPageControl = nullptr;
    if (FActivePage == Page) {
        FActivePage = nullptr;
        if (!FPages.empty() && !ComponentStateHas(csDestroying))
            SetActivePage(FPages.front());
    }
    Invalidate();
}

void TPageControl::ShowActive()
{
    if (FActivePage) {
        FActivePage->SetVisible(true);
        FActivePage->BringToFront();
    }
    for (TTabSheet* p : FPages)
        if (p != FActivePage)
            p->SetVisible(false);
    Invalidate();
}

void TPageControl::SetActivePage(TTabSheet* Page)
{
    if (Page && Page->FPageControl != this)
        return;
    if (Page == FActivePage)
        return;
    TTabSheet* old = FActivePage;
    // The focus inside the old page leaves it and goes to the new page (or to the page
    // control when the new page cannot take it), as the class library does.
    TCustomForm* form = GetParentForm(this);
    const bool focusInOld = form && old && form->ActiveControl() && old->ContainsControl(form->ActiveControl());
    if (focusInOld)
        form->FocusControl(old);
    FActivePage = Page;
    if (Page) {
        Page->SetVisible(true);
        Page->BringToFront();
        if (focusInOld && form->ActiveControl() == old)
            form->FocusControl(Page->CanFocus() ? static_cast<TWinControl*>(Page) : this);
    }
    ShowActive();
    if (old)
        Guard([&] { FireEvent(old->OnHide, old); }, old);
    if (Page)
        Guard([&] { FireEvent(Page->OnShow, Page); }, Page);
}

void TPageControl::SetActivePageIndex(int v)
{
    if (v < 0 || v >= PageCount())
        SetActivePage(nullptr);
    else
        SetActivePage(FPages[static_cast<size_t>(v)]);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const
{
    if (FPages.empty())
        return nullptr;
    const int n = static_cast<int>(FPages.size());
    auto it = std::find(FPages.begin(), FPages.end(), CurPage);
    int i = it == FPages.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(it - FPages.begin());
    for (int k = 0; k < n; ++k) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TTabSheet* p = FPages[static_cast<size_t>(i)];
        if (!CheckTabVisible || p->FTabVisible)
            return p;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible)
{
    TTabSheet* p = FindNextPage(FActivePage, GoForward, CheckTabVisible);
    if (p && p != FActivePage)
        UserSelectPage(p);
}

void TPageControl::UserSelectPage(TTabSheet* Page)
{
    if (!Page || Page == FActivePage)
        return;
    bool allow = true;
    Guard([&] { FireEvent(OnChanging, this, allow); }, this);
    if (!allow)
        return;
    SetActivePage(Page);
    Guard([&] { FireEvent(OnChange, this); }, this);
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        const auto tabs = VisibleTabs();
        for (int i = 0; i < static_cast<int>(tabs.size()); ++i)
            if (TabRect(i).Contains(TPoint(X, Y))) {
                if (CanFocus() && GetParentForm(this))
                    SetFocus();
                UserSelectPage(tabs[static_cast<size_t>(i)]);
                break;
            }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

bool TPageControl::WantsKey(Word Key, TShiftState Shift) const
{
    if (Key == VK_LEFT || Key == VK_RIGHT)
        return true;
    return TCustomControl::WantsKey(Key, Shift);
}

void TPageControl::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_RIGHT)
        SelectNextPage(true);
    else if (Key == VK_LEFT)
        SelectNextPage(false);
    else if (Key == VK_TAB && (Shift & ssCtrl))
        SelectNextPage(!(Shift & ssShift));
}

void TPageControl::Paint()
{
    TCanvas* c = Canvas();
    const TRect cr = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->FillRect(cr);
    const auto tabs = VisibleTabs();
    const int top = tabs.empty() ? 0 : TabHeight() + 2;
    TRect body(0, top, FWidth, FHeight);
    c->DrawEdge(body, EDGE_RAISED, BF_RECT);
    c->Font()->Assign(FFont.get());
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
        TRect t = TabRect(i);
        const bool active = tabs[static_cast<size_t>(i)] == FActivePage;
        if (active)
            t = TRect(t.Left - 2, t.Top - 2, t.Right + 2, t.Bottom + 1);
        c->Brush()->SetColor(FColor);
        c->FillRect(t);
        c->Pen()->SetWidth(1);
        c->Pen()->SetColor(clBtnHighlight);
        c->MoveTo(t.Left, t.Bottom - 1);
        c->LineTo(t.Left, t.Top + 2);
        c->LineTo(t.Left + 2, t.Top);
        c->LineTo(t.Right - 2, t.Top);
        c->Pen()->SetColor(cl3DDkShadow);
        c->MoveTo(t.Right - 1, t.Top + 1);
        c->LineTo(t.Right - 1, t.Bottom);
        c->Pen()->SetColor(clBtnShadow);
        c->MoveTo(t.Right - 2, t.Top + 1);
        c->LineTo(t.Right - 2, t.Bottom);
        c->Brush()->SetStyle(bsClear);
        TRect tt(t.Left, t.Top, t.Right, t.Bottom);
        if (!FEnabled)
            c->Font()->SetColor(clGrayText);
        c->DrawText(tabs[static_cast<size_t>(i)]->Caption(), tt, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        c->Brush()->SetStyle(bsSolid);
        if (active) {
            // The active tab opens into the page below it.
            c->Brush()->SetColor(FColor);
            c->FillRect(TRect(t.Left + 1, t.Bottom - 1, t.Right - 2, t.Bottom + 1));
            if (Focused()) {
                TRect f(t.Left + 3, t.Top + 3, t.Right - 3, t.Bottom - 2);
                c->DrawFocusRect(f);
            }
        }
    }
}
