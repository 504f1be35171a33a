#pragma once
// Status displays a serial port component drives through its Display
// property: the abstract TSerDisplay and the row of line status LEDs.
#include <memory>

#include "components/comm/Sercontrols.h"
#include "platform/graphics/Bitmap.h"

enum TOwDisplayType { ltRounded, ltRectangle };
enum TOwDisplayMode { ltHide, ltScale };

class TSerDisplay : public TSerGraphicControl {
public:
    using TSerGraphicControl::TSerGraphicControl;
    // Called by the serial port component after each wake-up of its event thread.
    virtual void UpdateDisplay(TObject* Sender) = 0;
};

class TSerLEDDisplay : public TSerDisplay {
public:
    // The LEDs in drawing order.
    enum TLed { ledCTS, ledDSR, ledRING, ledRLSD, ledCTSHold, ledDSRHold, ledRLSDHold, ledXOffHold, ledXOffSent };
    static constexpr int LedCount = 9;

    explicit TSerLEDDisplay(TComponent* AOwner);
    ~TSerLEDDisplay() override;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void UpdateDisplay(TObject* Sender) override;

    bool ShowCTS() const { return FShow[ledCTS]; }
    void SetShowCTS(bool v) { SetShow(ledCTS, v); }
    bool ShowDSR() const { return FShow[ledDSR]; }
    void SetShowDSR(bool v) { SetShow(ledDSR, v); }
    bool ShowRING() const { return FShow[ledRING]; }
    void SetShowRING(bool v) { SetShow(ledRING, v); }
    bool ShowRLSD() const { return FShow[ledRLSD]; }
    void SetShowRLSD(bool v) { SetShow(ledRLSD, v); }
    bool ShowCTSHold() const { return FShow[ledCTSHold]; }
    void SetShowCTSHold(bool v) { SetShow(ledCTSHold, v); }
    bool ShowDSRHold() const { return FShow[ledDSRHold]; }
    void SetShowDSRHold(bool v) { SetShow(ledDSRHold, v); }
    bool ShowRLSDHold() const { return FShow[ledRLSDHold]; }
    void SetShowRLSDHold(bool v) { SetShow(ledRLSDHold, v); }
    bool ShowXOffHold() const { return FShow[ledXOffHold]; }
    void SetShowXOffHold(bool v) { SetShow(ledXOffHold, v); }
    bool ShowXOffSent() const { return FShow[ledXOffSent]; }
    void SetShowXOffSent(bool v) { SetShow(ledXOffSent, v); }

    TColor OnColor() const { return FOnColor; }
    void SetOnColor(TColor v);
    TColor OffColor() const { return FOffColor; }
    void SetOffColor(TColor v);
    TOwDisplayType DisplayType() const { return FDisplayType; }
    void SetDisplayType(TOwDisplayType v);
    TOwDisplayMode DisplayMode() const { return FDisplayMode; }
    void SetDisplayMode(TOwDisplayMode v);
    bool Displaycaption() const { return FDisplaycaption; }
    void SetDisplaycaption(bool v);

    bool LedState(TLed Led) const { return FState[Led]; }
    // Width of one LED; also counts the shown LEDs.
    int GetLedWidth();
    int ShownLeds() const { return FShownLeds; }

protected:
    void Paint() override;

private:
    void SetShow(TLed Led, bool v);
    void DoAllLed(int& X, int W);
    void DoALed(int& X, int W, bool State, const AnsiString& Caption);
    void DrawALed(int X, int W, TColor Color, const AnsiString& Caption);

    bool FShow[LedCount];
    TColor FOnColor = TColor(0xFF0000);
    TColor FOffColor = TColor(0x800000);
    TOwDisplayType FDisplayType = ltRounded;
    TOwDisplayMode FDisplayMode = ltScale;
    bool FDisplaycaption = true;
    std::unique_ptr<TBitmap> FBitmap;
    bool FState[LedCount] = {};
    int FShownLeds = 0;
};
