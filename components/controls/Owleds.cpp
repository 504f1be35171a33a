#include "components/controls/Owleds.h"

#include "components/controls/Owsysutils.h"

TOwUserLed::TOwUserLed(TComponent* AOwner)
    : TOwGraphicControl(AOwner), FBevel(std::make_unique<TOwBevel>()), FPaletteEx(std::make_unique<TOwPaletteEx>())
{
    SetControlStyle((ControlStyle() | csOpaque | csReplicatable) & ~(csSetCaption | csDoubleClicks));
    SetBounds(0, 0, 20, 10);
    FPaletteEx->SetLow1(clMaroon);
    FPaletteEx->SetLow2(clBlack);
    FPaletteEx->SetHigh1(clRed);
    FPaletteEx->SetHigh2(clBlack);
    FPaletteEx->OnChange = [this](TObject*) { UpdateControlCanvas(); };
    FBevel->SetInnerStyle(TOwBevelStyle::bsNone);
    FBevel->SetInnerHighlight(clLime);
    FBevel->SetInnerShadow(clGreen);
    FBevel->OnChange = [this](TObject*) { UpdateControlCanvas(); };
}

TOwUserLed::~TOwUserLed()
{
    FPaletteEx->OnChange = nullptr;
    FBevel->OnChange = nullptr;
}

void TOwUserLed::SetActive(bool v)
{
    if (v == FActive)
        return;
    FActive = v;
    UpdateControlCanvas();
    Change();
}

void TOwUserLed::SetOutlineColor(TColor v)
{
    if (v == FOutlineColor)
        return;
    FOutlineColor = v;
    UpdateControlCanvas();
}

void TOwUserLed::SetOutlineWidth(int v)
{
    if (v == FOutlineWidth)
        return;
    FOutlineWidth = v;
    UpdateControlCanvas();
}

void TOwUserLed::SetDrawStyle(TOwDrawStyle v)
{
    if (v == FDrawStyle)
        return;
    FDrawStyle = v;
    UpdateControlCanvas();
}

void TOwUserLed::Change() { FireEvent(OnChange, this); }

void TOwUserLed::CMEnabledChanged()
{
    TOwGraphicControl::CMEnabledChanged();
    UpdateControlCanvas();
}

void TOwUserLed::Paint()
{
    TCanvas* c = Canvas();
    if (FDrawStyle == dsOwnerDraw) {
        ClearClientCanvas();
        if (OnDraw)
            OnDraw(this, c, ClientRect());
        return;
    }
    TRect r = ClientRect();
    if (FOutlineWidth > 0)
        DrawFrame3D(c, r, FOutlineColor, FOutlineColor, FOutlineWidth);
    FBevel->Paint(c, r);
    const TColor from = FActive ? FPaletteEx->High1() : FPaletteEx->Low1();
    const TColor to = FActive ? FPaletteEx->High2() : FPaletteEx->Low2();
    DrawGradientExt(c, r, from, to, 1, 1);
}
