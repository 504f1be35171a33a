// POWER, the page keys and TRIG against the simulated instrument.
#include <algorithm>

#include "components/controls/Owbuttons.h"
#include "components/controls/Owdesign.h"
#include "components/controls/Voduriz.h"
#include "platform/forms/Image.h"
#include "panel/PanelPictures.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Timer.h"
#include "tests/panel/PanelTestSupport.h"

using Lines = std::vector<AnsiString>;

TEST_F(PanelSession, PowerSendsTheDefaultsThenShowsTheMeasurementDisplayAndPolls)
{
    Connect();
    Click(Form->PowerBtn);
    const Lines expected = {
        "DISP:PAGE MEAS",
        "DISP:PAGE?",
        "TRIG:SOUR BUS;:TRIG:SOUR?",
        "FREQ 1.000k;:FREQ?",
        "FUNC:IMP:AUTO OFF;:FUNC:IMP:AUTO?",
        "LEV:ALC 0;:LEV:ALC?",
        "FUNC Cs-D;:FUNC?",
        "COMP:TOL:NOM 10.0000p;:COMP:TOL:NOM?",
        "LEV:VOLT 1.00;:VOLT?",
        "FUNC:IMP:RANG:AUTO AUTO;:FUNC:RANG:AUTO?",
        "APER SLOW;:APER:RATE?",
        "VOLT:SRES 100;:LEV:SRES?",
        "BIAS OFF;:BIAS?",
        "TRIG:DLY 0.000",
        "TRIG:DLY?",
        "APER 1;:APER:AVG?",
        "FUNC:MON1 OFF;:FUNC:MON1?",
        "FUNC:MON2 OFF;:FUNC:MON2?",
        "COMP:TOL:NOM 10.0000p;:COMP:TOL:NOM?",
        "COMP:STAT ON;:COMP:STAT?",
        "COMP:MODE ABS;:COMP:MODE?",
        "COMP:TOL:BIN 1,0.00000p,0.00000p",
        "COMP:TOL:BIN 1,0.00000p,0.00000p",
        "COMP:SLIM 0.00000,0.00000",
        "COMP:SLIM 0.00000,0.00000",
        "COMP:BINS 1;:COMP:BINS?",
        "COMP:AUX ON;:COMP:AUX?",
        "COMP:BEEP OFF;:COMP:BEEP?",
        "COMP:OPEN OFF;:COMP:OPEN?",
        "TRIG:SOUR INT;:TRIG:SOUR?",
        "DISP:PAGE MEAS",
        "DISP:PAGE?",
    };
    const Lines sent = NewLines();
    EXPECT_EQ(sent, expected) << "received:\n" << [&] {
        AnsiString all;
        for (const AnsiString& l : sent)
            all += l + "\n";
        return all;
    }();
    EXPECT_TRUE(Form->PowerOn);
    EXPECT_EQ(Form->PageId, 1);
    EXPECT_TRUE(Form->MeasDispPan->Visible());
    EXPECT_TRUE(Form->LockCompIma->Visible());
    EXPECT_TRUE(Form->LCRTimer->Enabled());
    EXPECT_EQ(Form->MeasDispFreqLab->Caption(), " 1.000 kHz");
    EXPECT_EQ(Form->MeasDispLevelLab->Caption(), " 1.00 V");
    EXPECT_EQ(Form->MeasDispFuncLab->Caption(), " Cs-D");
    EXPECT_EQ(Form->MeasDispRangeLab->Caption(), " [5]  AUTO");
    EXPECT_EQ(Form->MeasDispTrigLab->Caption(), " INT");
    EXPECT_EQ(Form->BinSetupOpenLab->Caption(), " OFF");
    EXPECT_EQ(Form->BinCountParaLab->Caption(), " OFF");

    // Polling: the readings of the simulated part reach the display.
    ASSERT_TRUE(WaitForFetch());
    for (int i = 0; i < 100 && Form->MeasDispFunc1ValueSta->Caption().empty(); ++i)
        TestInput::RunFor(10);
    EXPECT_FALSE(Form->MeasDispFunc1ValueSta->Caption().empty());

    // Every picture the keys and setters asked for is one the program knows.
    const auto& known = PanelPictureNames();
    for (const AnsiString& name : LoadedPictures())
        EXPECT_NE(std::find(known.begin(), known.end(), name), known.end()) << name;

    // POWER again ends remote operation.
    Click(Form->PowerBtn);
    EXPECT_EQ(NewLines(), (Lines{"DISP:PAGE MEAS", "DISP:PAGE?", "SYST:KEYLOCK OFF"}));
    EXPECT_FALSE(Form->PowerOn);
    EXPECT_FALSE(Form->MeasDispPan->Visible());
    EXPECT_FALSE(Form->LCRTimer->Enabled());
}

TEST_F(PanelSession, PowerBeforeConnectingDoesNothing)
{
    // The front panel takes no keys until an instrument is connected.
    Click(Form->PowerBtn);
    EXPECT_FALSE(Form->PowerOn);
    EXPECT_FALSE(Form->MeasDispPan->Visible());
    EXPECT_TRUE(NewLines().empty());
}

TEST_F(PanelSession, PageKeysSwitchPagesAndAreRefusedWhileLogging)
{
    Connect();
    PowerOn();
    Click(Form->Setupbtn);
    EXPECT_EQ(NewLines(), (Lines{"DISP:PAGE MSET", "DISP:PAGE?"}));
    EXPECT_EQ(Form->PageId, 2);
    EXPECT_TRUE(Form->MeasSetupPan->Visible());
    EXPECT_FALSE(Form->LCRTimer->Enabled());

    // Title key 2 of the setup page: BIN SETUP, with its comparator mode sent again.
    SoftKey(2);
    EXPECT_EQ(NewLines(), (Lines{"DISP:PAGE BSET", "DISP:PAGE?", "COMP:MODE ABS;:COMP:MODE?",
                                 "COMP:TOL:BIN 1,0.00000p,0.00000p", "COMP:TOL:BIN 1,0.00000p,0.00000p",
                                 "COMP:SLIM 0.00000,0.00000", "COMP:SLIM 0.00000,0.00000"}));
    EXPECT_EQ(Form->PageId, 5);
    SoftKey(3); // BIN MEAS
    EXPECT_EQ(NewLines(), (Lines{"DISP:PAGE BINM", "DISP:PAGE?"}));
    EXPECT_EQ(Form->PageId, 4);
    SoftKey(4); // BIN COUNT
    EXPECT_EQ(NewLines(), (Lines{"DISP:PAGE BCO", "DISP:PAGE?"}));
    EXPECT_EQ(Form->PageId, 6);
    Click(Form->MeasBtn);
    EXPECT_EQ(NewLines(), (Lines{"DISP:PAGE MEAS", "DISP:PAGE?"}));
    EXPECT_EQ(Form->PageId, 1);

    // The enlarge key and back.
    Click(Form->View8Btn);
    EXPECT_EQ(NewLines(), (Lines{"DISP:PAGE ENLA", "DISP:PAGE?"}));
    EXPECT_EQ(Form->PageId, 3);
    EXPECT_TRUE(Form->EnlargeDispPan->Visible());
    Click(Form->View8Btn);
    EXPECT_EQ(NewLines(), (Lines{"DISP:PAGE MEAS", "DISP:PAGE?"}));
    EXPECT_EQ(Form->PageId, 1);

    // With the live log on, SETUP and the title keys are refused with its message.
    Arrow(4);     // the log field
    SoftKey(1);   // start logging
    ASSERT_EQ(Form->LogRunning, 1);
    Arrow(3);     // back to the title
    NewLines();
    ModalScript::AnswerButton(IDOK);
    Click(Form->Setupbtn);
    ModalScript::AnswerButton(IDOK);
    SoftKey(1);
    EXPECT_EQ(Form->PageId, 1);
    EXPECT_TRUE(NewLines().empty());
    const auto log = ModalScript::Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Text, "Must stop log before switching page !");
    EXPECT_EQ(log[0].Caption, "Warning");
    Arrow(4);
    SoftKey(1); // stop logging
    EXPECT_EQ(Form->LogRunning, 0);
}

TEST_F(PanelSession, EveryTitleKeyOfTheSetupAndBinPagesNamesThePageItLeadsTo)
{
    Connect();
    PowerOn();
    Click(Form->Setupbtn);
    const struct { int Page; const char* Picture; } pages[] = {{1, "ViewMeasDisplay.bmp"},
        {2, "ViewMeasSetup.bmp"}, {4, "ViewBinMeas.bmp"}, {5, "ViewBinSetup.bmp"}, {6, "ViewBinCount.bmp"}};
    TImage* pictures[4] = {Form->View1Ima, Form->View2Ima, Form->View3Ima, Form->View4Ima};
    // From each of the four pages, each key: the picture the page shows on arrival, then where a
    // press of the key leads.
    for (const int from : {2, 4, 5, 6}) {
        for (int key = 1; key <= 4; ++key) {
            Click(Form->MeasBtn);
            Click(Form->Setupbtn);
            if (from != 2) {
                SoftKey(from == 5 ? 2 : from == 4 ? 3 : 4);
            }
            ASSERT_EQ(Form->PageId, from);
            const AnsiString shown = PictureOf(pictures[key - 1]);
            SoftKey(key);
            const auto to = std::find_if(std::begin(pages), std::end(pages),
                                         [&](const auto& p) { return p.Page == Form->PageId; });
            ASSERT_NE(to, std::end(pages)) << "page " << from << " key " << key;
            EXPECT_EQ(shown, to->Picture) << "page " << from << " key " << key;
        }
    }
}

TEST_F(PanelSession, TrigKeyTriggersOnceForEachSource)
{
    Connect();
    PowerOn();
    Arrow(4);     // live log
    Arrow(2, 2);  // trigger source
    ASSERT_EQ(Form->CursorField, 6);
    NewLines();

    SoftKey(2); // MAN
    EXPECT_EQ(NewLines(), (Lines{"TRIG:SOUR MAN;:TRIG:SOUR?"}));
    EXPECT_FALSE(Form->LCRTimer->Enabled());
    EXPECT_EQ(Form->MeasDispFunc1ValueSta->Caption(), "");
    Click(Form->TrigBtn);
    EXPECT_EQ(NewLines(), (Lines{"TRIG:SOUR BUS", "TRIG", "TRIG:SOUR MAN"}));
    ASSERT_TRUE(WaitForFetch());
    for (int i = 0; i < 100 && Form->LCRTimer->Enabled(); ++i)
        TestInput::RunFor(10);
    EXPECT_FALSE(Form->LCRTimer->Enabled()); // one reading, then polling stops

    SoftKey(3); // EXT
    NewLines();
    Click(Form->TrigBtn);
    EXPECT_EQ(NewLines(), (Lines{"TRIG:SOUR BUS", "TRIG", "TRIG:SOUR EXT"}));

    SoftKey(4); // BUS
    NewLines();
    Click(Form->TrigBtn);
    EXPECT_EQ(NewLines(), (Lines{"TRIG"}));

    SoftKey(1); // INT: TRIG sends nothing
    EXPECT_EQ(NewLines(), (Lines{"TRIG:SOUR INT;:TRIG:SOUR?"}));
    Click(Form->TrigBtn);
    EXPECT_TRUE(NewLines().empty());

    // The speed below the trigger source sets the polling interval with it.
    Arrow(2);
    SoftKey(3);
    EXPECT_EQ(NewLines(), (Lines{"APER FAST;:APER:RATE?"}));
    EXPECT_EQ(Form->LCRTimer->Interval(), 100u);
    EXPECT_EQ(Form->MeasDispSpeedLab->Caption(), " FAST");
    EXPECT_TRUE(Form->LCRTimer->Enabled());
}

TEST_F(PanelSession, APictureMissingAfterStartUpShowsEmptyAndTheKeyCompletes)
{
    ASSERT_NE(Form->View1Ima->Picture()->Graphic(), nullptr);
    EXPECT_NO_THROW(LoadPanelPicture(Form->View1Ima, "NoSuchPicture.bmp"));
    EXPECT_EQ(Form->View1Ima->Picture()->Graphic(), nullptr);

    // With every picture gone, the keys still set and send what they stand for.
    Connect();
    PowerOn();
    Arrow(4);    // live log
    Arrow(2, 3); // speed
    ASSERT_EQ(Form->CursorField, 7);
    Form->BitmapFolder = "C:\\Zorvane\\NoPictures\\";
    NewLines();
    SoftKey(3); // FAST
    EXPECT_EQ(NewLines(), (Lines{"APER FAST;:APER:RATE?"}));
    EXPECT_EQ(Form->MeasDispSpeedLab->Caption(), " FAST");
    EXPECT_EQ(Form->View3Ima->Picture()->Graphic(), nullptr);
    Arrow(1, 2); // range: its value is a picture
    ASSERT_EQ(Form->CursorField, 5);
    SoftKey(2); // HOLD
    EXPECT_EQ(NewLines(), (Lines{"FUNC:IMP:RANG:AUTO HOLD;:FUNC:RANG:AUTO?"}));
    EXPECT_TRUE(Form->MeasDispRangeIma->Visible());
    EXPECT_EQ(Form->MeasDispRangeIma->Picture()->Graphic(), nullptr);
}

TEST_F(PanelSession, ListTabGetsTheNeutralStateAndMainViewSendsTheSetupAgain)
{
    Connect();
    PowerOn();
    SoftKey(2); // List Setup
    EXPECT_EQ(NewLines(), (Lines{"TRIG:SOUR BUS", "FUNC Cs-Rs", "FUNC:MON1 OFF", "FUNC:MON2 OFF",
                                 "FUNC:IMP:RANG:AUTO AUTO"}));
    EXPECT_EQ(Form->PageId, 8);
    EXPECT_EQ(Form->LCRPag->ActivePage(), Form->ListSetupTab);
    EXPECT_FALSE(Form->MainViewTab->TabVisible());
    EXPECT_EQ(Form->SavedMeasSetup[1], 2);     // Cs-D
    EXPECT_EQ(Form->SavedMeasSetup[15], 1000000); // the nominal, whole

    Click(Form->ListSetupMeasDispBtn);
    EXPECT_EQ(NewLines(), (Lines{"FUNC Cs-D;:FUNC?", "COMP:TOL:NOM 10.0000p;:COMP:TOL:NOM?",
                                 "FUNC:MON1 OFF;:FUNC:MON1?", "FUNC:MON2 OFF;:FUNC:MON2?", "FREQ 1.000k;:FREQ?",
                                 "LEV:VOLT 1.00;:VOLT?", "LEV:ALC 0;:LEV:ALC?",
                                 "FUNC:IMP:RANG:AUTO AUTO;:FUNC:RANG:AUTO?", "APER SLOW;:APER:RATE?",
                                 "TRIG:SOUR INT;:TRIG:SOUR?"}));
    EXPECT_EQ(Form->PageId, 1);
    EXPECT_TRUE(Form->LCRTimer->Enabled());
}
