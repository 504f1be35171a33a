// Each instrument page rendered while the simulated instrument measures, for people to look at.
#include "components/controls/Owdesign.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Render.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/panel/PanelTestSupport.h"
#include "tests/support/TestOutput.h"

namespace {

// Runs the window until the shown reading has changed, or a while has passed.
void LetItMeasure(TStaticText* value)
{
    const AnsiString before = value->Caption();
    for (int i = 0; i < 100 && value->Caption() == before; ++i)
        TestInput::RunFor(10);
    TestInput::RunFor(50);
}

// The selected field reads black on lime: its label's corner is lime and its text black.
void ExpectBlackOnLime(TControl* screen, TControl* label)
{
    TBitmap shot;
    RenderControl(screen, &shot);
    const int left = label->ClientOrigin().x - screen->ClientOrigin().x;
    const int top = label->ClientOrigin().y - screen->ClientOrigin().y;
    EXPECT_EQ(shot.Canvas()->Pixels(left + 1, top + 1), clLime) << label->Name();
    // The text: dark pixels on the lime (its edges are smoothed into the lime).
    int dark = 0;
    for (int y = top; y < top + label->Height(); ++y)
        for (int x = left; x < left + label->Width(); ++x)
            dark += ((shot.Canvas()->Pixels(x, y) >> 8) & 0xFF) < 0x80;
    EXPECT_GT(dark, 10) << label->Name();
}

} // namespace

TEST_F(PanelSession, EveryInstrumentPageRendersWhileMeasuring)
{
    Connect();
    PowerOn();
    const auto save = [&](const char* name) {
        TestInput::ProcessEvents();
        EXPECT_TRUE(SaveControlToPng(Form->MainPanel, TestOutputPath(std::string("panel-") + name + ".png"))) << name;
    };
    LetItMeasure(Form->MeasDispFunc1ValueSta);
    EXPECT_FALSE(Form->MeasDispFunc1ValueSta->Caption().empty());
    Arrow(2, 2); // the frequency field selected
    ExpectBlackOnLime(Form->MainPanel, Form->MeasDispFreqLab);
    save("1-measurement-display");

    Click(Form->View8Btn);
    LetItMeasure(Form->EnlaDispFunc1ValueSta);
    EXPECT_FALSE(Form->EnlaDispFunc1ValueSta->Caption().empty());
    save("3-enlarged-display");
    Click(Form->View8Btn);

    Click(Form->Setupbtn);
    Arrow(2, 3); // the level field selected
    ExpectBlackOnLime(Form->MainPanel, Form->MeasSetupLevelLab);
    save("2-measurement-setup");

    Click(Form->MeasBtn);
    Click(Form->Setupbtn);
    SoftKey(3); // BIN MEAS
    ASSERT_EQ(Form->PageId, 4);
    LetItMeasure(Form->BinMeasFunc1ValueSta);
    EXPECT_FALSE(Form->BinMeasMessage1->Caption().empty());
    Arrow(2, 3); // the level field selected
    ExpectBlackOnLime(Form->MainPanel, Form->BinMeasLevelLab);
    save("4-bin-measurement");

    Click(Form->Setupbtn);
    SoftKey(2); // BIN SETUP
    ASSERT_EQ(Form->PageId, 5);
    Arrow(2, 4); // bin 1's low limit
    Type("100");
    Click(Form->EnterBtn);
    ExpectBlackOnLime(Form->MainPanel, Form->BinSetupLowLab1);
    save("5-bin-setup");

    Arrow(1, 4);
    SoftKey(4); // BIN COUNT
    ASSERT_EQ(Form->PageId, 6);
    Arrow(2);
    SoftKey(1); // counting on
    TestInput::RunFor(600);
    ExpectBlackOnLime(Form->MainPanel, Form->BinCountParaLab);
    save("6-bin-count");
}
