#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "components/comm/Sercomm.h"
#include "components/comm/Serdisplay.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "platform/serial/SerialMemoryLine.h"
#include "platform/win/Beep.h"
#include "tests/components/comm/CommTestSupport.h"
#include "tests/support/TestOutput.h"

namespace {

class TCountingDisplay : public TSerLEDDisplay {
public:
    using TSerLEDDisplay::TSerLEDDisplay;
    int Updates = 0;

protected:
    void UpdateControlCanvas() override
    {
        ++Updates;
        TSerLEDDisplay::UpdateControlCanvas();
    }
};

} // namespace

TEST(SerLEDDisplay, DefaultsAndGeometry)
{
    TSerLEDDisplay d(nullptr);
    EXPECT_EQ(d.Width(), 316);
    EXPECT_EQ(d.Height(), 18);
    EXPECT_EQ(d.Color(), clWindow);
    EXPECT_EQ(d.OnColor(), TColor(0xFF0000));
    EXPECT_EQ(d.OffColor(), TColor(0x800000));
    EXPECT_EQ(d.Font()->Color(), TColor(0xFFFFFF));
    EXPECT_EQ(d.DisplayType(), ltRounded);
    EXPECT_EQ(d.DisplayMode(), ltScale);
    EXPECT_TRUE(d.Displaycaption());
    EXPECT_TRUE(d.ShowCTS() && d.ShowDSR() && d.ShowRING() && d.ShowRLSD() && d.ShowCTSHold() &&
                d.ShowDSRHold() && d.ShowRLSDHold() && d.ShowXOffHold() && d.ShowXOffSent());
    EXPECT_EQ(d.GetLedWidth(), 35); // 316 / 9
    EXPECT_EQ(d.ShownLeds(), 9);
    for (auto set : {&TSerLEDDisplay::SetShowRING, &TSerLEDDisplay::SetShowRLSD, &TSerLEDDisplay::SetShowCTSHold,
                     &TSerLEDDisplay::SetShowDSRHold, &TSerLEDDisplay::SetShowRLSDHold,
                     &TSerLEDDisplay::SetShowXOffHold, &TSerLEDDisplay::SetShowXOffSent})
        (d.*set)(false);
    EXPECT_EQ(d.GetLedWidth(), 158);
    d.SetShowCTS(false);
    d.SetShowDSR(false);
    EXPECT_EQ(d.GetLedWidth(), 0);
}

TEST(SerLEDDisplay, RepaintsOnlyOnChange)
{
    TCountingDisplay d(nullptr);
    d.Updates = 0;
    d.SetOnColor(d.OnColor());
    d.SetShowCTS(true);
    EXPECT_EQ(d.Updates, 0);
    d.SetOnColor(clRed);
    d.SetDisplayType(ltRectangle);
    EXPECT_EQ(d.Updates, 2);
    ClearRecordedBeeps();
    TComponent notAPort(nullptr);
    d.UpdateDisplay(&notAPort); // only beeps
    EXPECT_EQ(RecordedBeeps().size(), 1u);
    EXPECT_EQ(d.Updates, 2);
}

// One EndUpdate too many leaves the update counter at zero: the display still repaints.
TEST(SerLEDDisplay, AStrayEndUpdateLeavesItRepainting)
{
    struct TPaintCounting : TSerLEDDisplay {
        using TSerLEDDisplay::TSerLEDDisplay;
        int Paints = 0;
        void Paint() override
        {
            ++Paints;
            TSerLEDDisplay::Paint();
        }
    };
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 100);
    auto* d = new TPaintCounting(&form);
    d->SetParent(&form);
    form.Show();
    TestInput::ProcessEvents();
    d->EndUpdate(); // one too many
    EXPECT_EQ(d->UpdateCount(), 0);
    d->BeginUpdate();
    const int held = d->Paints;
    d->SetOnColor(clRed);
    EXPECT_EQ(d->Paints, held); // held until the matching EndUpdate
    d->EndUpdate();
    EXPECT_GT(d->Paints, held);
    const int after = d->Paints;
    d->SetOffColor(clGreen);
    EXPECT_GT(d->Paints, after);
}

// The display linked to a port shows its lines after each event-thread wake-up.
TEST(SerLEDDisplay, ShowsTheModemStatus)
{
    auto line = TSerialMemoryLine::Create(14);
    TFastClock fast(50);
    TSerComm c(nullptr);
    c.SetPortNum(14);
    c.SetDirectWrite(true);
    c.SetMonitorEvents({ceDsr, ceCts, ceRxChar});
    auto* d = new TSerLEDDisplay(nullptr);
    c.SetDisplay(d);
    c.Open();
    line->SetCts(false);
    line->SetRing(true);
    line->SetCarrier(false);
    line->SetHolds(HOLD_CTS | HOLD_XOFF_SENT);
    line->SetDsr(false);
    line->SetDsr(true);
    ASSERT_TRUE(PumpUntil([&] { return d->LedState(TSerLEDDisplay::ledDSR) && d->LedState(TSerLEDDisplay::ledRING); }));
    const bool lit[9] = {false, true, true, false, true, false, false, false, true};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(d->LedState(TSerLEDDisplay::TLed(i)), lit[i]) << i;

    // Each LED's middle in the rendered picture (without captions, to see the colours).
    d->SetDisplaycaption(false);
    TBitmap bmp;
    RenderControl(d, &bmp);
    ASSERT_EQ(bmp.Width(), 316);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(bmp.Canvas()->Pixels(35 * i + 17, 9), lit[i] ? d->OnColor() : d->OffColor()) << i;
    EXPECT_EQ(bmp.Canvas()->Pixels(315, 9), ColorToRGB(d->Color())); // the last column stays background

    d->SetDisplaycaption(true);
    EXPECT_TRUE(SaveControlToPng(d, TestOutputPath("serial_led_display.png")));
    d->SetDisplayType(ltRectangle);
    d->SetDisplayMode(ltHide);
    d->SetShowRING(false);
    d->SetShowRLSD(false);
    EXPECT_TRUE(SaveControlToPng(d, TestOutputPath("serial_led_display_rect_hide.png")));

    delete d; // the port forgets the display that goes
    EXPECT_EQ(c.Display(), nullptr);
    line->SetDsr(false);
    PumpFor(50);
}
