#pragma once
// TPageControl with TTabSheet pages. ActivePage set by code changes the page without
// events; a click on a tab asks OnChanging, changes the page, then fires OnChange.
// A page whose TabVisible is false shows no tab (code may still make it active);
// hiding the active page's tab activates the tab in its place.
#include <vector>

#include "platform/forms/Controls.h"

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* v);
    int PageIndex() const;
    void SetPageIndex(int v);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    // Index among the visible tabs, -1 when the tab is hidden.
    int TabIndex() const;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }

    void SetParent(TWinControl* AParent) override;
    void CMTextChanged() override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TCustomControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int Index) const { return FPages.at(static_cast<size_t>(Index)); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* Page);
    int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
    void SetActivePageIndex(int v);
    // Index of the active page's tab among the visible tabs.
    int TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }
    TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);
    // Rectangle of the visible tab Index in client coordinates (empty when none).
    TRect TabRect(int Index) const;
    // The rectangle the pages occupy.
    TRect DisplayRect() const;
    int TabHeight() const;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void BoundsChanged() override;

protected:
    friend class TTabSheet;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    // The user's change of page: OnChanging may refuse; OnChange follows.
    void UserSelectPage(TTabSheet* Page);
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void ShowActive();
    std::vector<TTabSheet*> VisibleTabs() const;

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};
