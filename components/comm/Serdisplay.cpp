#include "components/comm/Serdisplay.h"

#include "components/comm/Sercomm.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/DrawTextFlags.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"
#include "platform/win/Beep.h"

namespace {
const char* const kCaptions[TSerLEDDisplay::LedCount] = {"CTS",  "DSR",  "RING", "RLSD", "CTSH",
                                                        "DSRH", "LSDH", "XH",   "XS"};
}

TSerLEDDisplay::TSerLEDDisplay(TComponent* AOwner) : TSerDisplay(AOwner), FBitmap(std::make_unique<TBitmap>())
{
    for (bool& s : FShow)
        s = true;
    SetColor(clWindow);
    Font()->SetColor(TColor(0xFFFFFF));
    SetBounds(Left(), Top(), 316, 18);
}

TSerLEDDisplay::~TSerLEDDisplay() = default;

void TSerLEDDisplay::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TSerDisplay::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FBitmap)
        FBitmap->SetSize(Width(), Height());
}

void TSerLEDDisplay::SetShow(TLed Led, bool v)
{
    if (FShow[Led] == v)
        return;
    FShow[Led] = v;
    UpdateControlCanvas();
}

void TSerLEDDisplay::SetOnColor(TColor v)
{
    if (FOnColor == v)
        return;
    FOnColor = v;
    UpdateControlCanvas();
}

void TSerLEDDisplay::SetOffColor(TColor v)
{
    if (FOffColor == v)
        return;
    FOffColor = v;
    UpdateControlCanvas();
}

void TSerLEDDisplay::SetDisplayType(TOwDisplayType v)
{
    if (FDisplayType == v)
        return;
    FDisplayType = v;
    UpdateControlCanvas();
}

void TSerLEDDisplay::SetDisplayMode(TOwDisplayMode v)
{
    if (FDisplayMode == v)
        return;
    FDisplayMode = v;
    UpdateControlCanvas();
}

void TSerLEDDisplay::SetDisplaycaption(bool v)
{
    if (FDisplaycaption == v)
        return;
    FDisplaycaption = v;
    UpdateControlCanvas();
}

void TSerLEDDisplay::UpdateDisplay(TObject* Sender)
{
    auto* comm = dynamic_cast<TSerCustomComm*>(Sender);
    if (!comm) {
        Beep();
        return;
    }
    for (int i = 0; i < 4; ++i)
        FState[i] = comm->GetModemStatus(i + 1);
    for (int i = 0; i < 5; ++i)
        FState[4 + i] = comm->GetComStat(i + 1);
    UpdateControlCanvas();
}

int TSerLEDDisplay::GetLedWidth()
{
    FShownLeds = 0;
    for (bool s : FShow)
        if (s)
            ++FShownLeds;
    return FShownLeds == 0 ? 0 : Width() / FShownLeds;
}

void TSerLEDDisplay::Paint()
{
    TSerDisplay::Paint();
    const int w = FDisplayMode == ltScale ? GetLedWidth() : Width() / LedCount;
    int x = 0;
    DoAllLed(x, w);
    Canvas()->Draw(0, 0, FBitmap.get());
}

void TSerLEDDisplay::DoAllLed(int& X, int W)
{
    X = 0;
    TCanvas* c = FBitmap->Canvas();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(TRect(0, 0, Width(), Height()));
    for (int i = 0; i < LedCount; ++i)
        if (FShow[i])
            DoALed(X, W, FState[i], kCaptions[i]);
}

void TSerLEDDisplay::DoALed(int& X, int W, bool State, const AnsiString& Caption)
{
    DrawALed(X, W, State ? FOnColor : FOffColor, Caption);
    X += W;
}

void TSerLEDDisplay::DrawALed(int X, int W, TColor Color, const AnsiString& Caption)
{
    TCanvas* c = FBitmap->Canvas();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color);
    TRect r(X + 1, 0, X + W - 1, Height());
    if (FDisplayType == ltRectangle)
        c->Rectangle(r);
    else
        c->Ellipse(r);
    if (FDisplaycaption) {
        c->Brush()->SetStyle(bsClear);
        c->SetFont(Font());
        // One line inside the LED; rounded LEDs centre it vertically too.
        c->DrawText(Caption, r, FDisplayType == ltRounded ? (DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX)
                                                          : (DT_CENTER | DT_SINGLELINE | DT_NOPREFIX));
    }
}
