#pragma once
// TStatusBar: a bar at the bottom of a form with panels, or one simple panel
// (SimplePanel) showing SimpleText.
#include <memory>
#include <vector>

#include "platform/forms/Controls.h"

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusBar;

class TStatusPanel : public TPersistent {
public:
    explicit TStatusPanel(TStatusBar* Owner) : FOwner(Owner) {}
    const AnsiString& Text() const { return FText; }
    void SetText(const AnsiString& v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel v);
    int Index() const;

private:
    void Changed();
    TStatusBar* FOwner;
    AnsiString FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
};

class TStatusPanels : public TPersistent {
public:
    explicit TStatusPanels(TStatusBar* Owner) : FOwner(Owner) {}
    TStatusPanel* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    TStatusPanel* Items(int Index) const;
    TStatusPanel* operator[](int Index) const { return Items(Index); }
    void Delete(int Index);
    void Clear();

private:
    friend class TStatusPanel;
    TStatusBar* FOwner;
    std::vector<std::unique_ptr<TStatusPanel>> FItems;
};

class TStatusBar : public TCustomControl {
public:
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;

    TStatusPanels* Panels() const { return FPanels.get(); }
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool v);
    const AnsiString& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const AnsiString& v);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool v);

protected:
    void Paint() override;

    std::unique_ptr<TStatusPanels> FPanels;
    bool FSimplePanel = false;
    AnsiString FSimpleText;
    bool FSizeGrip = true;
};
