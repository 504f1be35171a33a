#pragma once
// TOwUserLed: a small box drawn as an optional outline, a bevel and a vertical colour
// gradient between two palette colours chosen by Active; or drawn by OnDraw.
#include <functional>
#include <memory>

#include "components/controls/Owclasses.h"
#include "components/controls/OwcontrolsBases.h"

using TOwUserLedDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& Rect)>;

class TOwUserLed : public TOwGraphicControl {
public:
    explicit TOwUserLed(TComponent* AOwner);
    ~TOwUserLed() override;

    TOwBevel* Bevel() const { return FBevel.get(); }
    void SetBevel(TOwBevel* v) { FBevel->Assign(v); }
    TOwPaletteEx* PaletteEx() const { return FPaletteEx.get(); }
    void SetPaletteEx(TOwPaletteEx* v) { FPaletteEx->Assign(v); }
    bool Active() const { return FActive; }
    void SetActive(bool v);
    TColor OutlineColor() const { return FOutlineColor; }
    void SetOutlineColor(TColor v);
    int OutlineWidth() const { return FOutlineWidth; }
    void SetOutlineWidth(int v);
    TOwDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TOwDrawStyle v);

    TNotifyEvent OnChange;
    TOwUserLedDrawEvent OnDraw;

    void CMEnabledChanged() override;

protected:
    void Paint() override;
    virtual void Change();

private:
    std::unique_ptr<TOwBevel> FBevel;
    std::unique_ptr<TOwPaletteEx> FPaletteEx;
    bool FActive = false;
    TColor FOutlineColor = clBlack;
    int FOutlineWidth = 0;
    TOwDrawStyle FDrawStyle = dsNormal;
};
