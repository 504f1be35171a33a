// Each instrument page rendered while the simulated instrument measures, for people to look at.
#include "components/controls/Owdesign.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Render.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/TestInput.h"
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
    save("1-measurement-display");

    Click(Form->View8Btn);
    LetItMeasure(Form->EnlaDispFunc1ValueSta);
    EXPECT_FALSE(Form->EnlaDispFunc1ValueSta->Caption().empty());
    save("3-enlarged-display");
    Click(Form->View8Btn);

    Click(Form->Setupbtn);
    Arrow(2, 3); // the level field selected
    save("2-measurement-setup");

    Click(Form->MeasBtn);
    Click(Form->Setupbtn);
    SoftKey(3); // BIN MEAS
    ASSERT_EQ(Form->PageId, 4);
    LetItMeasure(Form->BinMeasFunc1ValueSta);
    EXPECT_FALSE(Form->BinMeasMessage1->Caption().empty());
    save("4-bin-measurement");

    Click(Form->Setupbtn);
    SoftKey(2); // BIN SETUP
    ASSERT_EQ(Form->PageId, 5);
    Arrow(2, 4); // bin 1's low limit
    Type("100");
    Click(Form->EnterBtn);
    save("5-bin-setup");

    Arrow(1, 4);
    SoftKey(4); // BIN COUNT
    ASSERT_EQ(Form->PageId, 6);
    Arrow(2);
    SoftKey(1); // counting on
    TestInput::RunFor(600);
    save("6-bin-count");
}
