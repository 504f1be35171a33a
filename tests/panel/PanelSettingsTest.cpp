// The setters through the keys that reach them: keypad with units, soft keys, arrow keys.
#include "components/controls/Owdesign.h"
#include "components/controls/Voduriz.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/Panel.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/Timer.h"
#include "platform/win/Beep.h"
#include "tests/panel/PanelTestSupport.h"

using Lines = std::vector<AnsiString>;

namespace {

constexpr int kUp = 1, kDown = 2, kLeft = 3, kRight = 4;

} // namespace

TEST_F(PanelSession, FrequencyTypedWithItsUnitOrSteppedByPresets)
{
    Connect();
    PowerOn();
    Arrow(kDown, 2);
    ASSERT_EQ(Form->CursorField, 2);
    NewLines();

    const struct {
        const char* Typed;
        int UnitKey; // 0 Enter, 1 Hz, 2 kHz
        const char* Line;
        const char* Label;
    } cases[] = {
        {"120", 0, "FREQ 120.0;:FREQ?", " 120.0  Hz"},
        {"1.2", 2, "FREQ 1.200k;:FREQ?", " 1.200 kHz"},
        {"50", 1, "FREQ 50.00;:FREQ?", " 50.00  Hz"},
        {"0.05", 0, "FREQ 10.00;:FREQ?", " 10.00  Hz"},    // a value, not a preset: the lowest frequency
        {"500", 2, "FREQ 300.0k;:FREQ?", " 300.0 kHz"},   // limited to the model's maximum
    };
    for (const auto& c : cases) {
        Type(c.Typed);
        EXPECT_TRUE(Form->InputValuePan->Visible());
        EXPECT_EQ(Form->InputValueEdit->Text(), c.Typed);
        if (c.UnitKey)
            SoftKey(c.UnitKey);
        else
            Click(Form->EnterBtn);
        EXPECT_EQ(NewLines(), (Lines{c.Line})) << c.Typed;
        EXPECT_EQ(Form->MeasDispFreqLab->Caption(), c.Label);
        EXPECT_FALSE(Form->InputValuePan->Visible());
    }
    // Decl from 300 kHz on a 300 kHz model passes 250 kHz; Incr at the top does nothing.
    SoftKey(2);
    EXPECT_EQ(NewLines(), (Lines{"FREQ 250.0k;:FREQ?"}));
    SoftKey(2);
    EXPECT_EQ(NewLines(), (Lines{"FREQ 200.0k;:FREQ?"}));
    SoftKey(1);
    SoftKey(1);
    EXPECT_EQ(NewLines(), (Lines{"FREQ 250.0k;:FREQ?", "FREQ 300.0k;:FREQ?"}));
    SoftKey(1);
    EXPECT_TRUE(NewLines().empty());
}

TEST_F(PanelSession, EmptyEntryIsRefusedWithABeepAndStaysOpen)
{
    Connect();
    PowerOn();
    Arrow(kDown, 2);
    NewLines();
    ClearRecordedBeeps();
    const struct {
        const char* Typed;
        bool Backspace; // the sign key once more, which takes back the last character
        int UnitKey;    // 0 Enter, 2 kHz
        const char* Left;
    } cases[] = {
        {"-", false, 0, "-"},
        {"-0", true, 0, "-"},
        {"1", true, 0, ""}, // nothing at all
        {"-", false, 2, "-"},
    };
    for (const auto& c : cases) {
        Type(c.Typed);
        if (c.Backspace)
            Click(Form->PlusMinusLeftBtn);
        if (c.UnitKey)
            SoftKey(c.UnitKey);
        else
            Click(Form->EnterBtn);
        EXPECT_TRUE(Form->InputValuePan->Visible()) << c.Typed;
        EXPECT_EQ(Form->InputValueEdit->Text(), c.Left) << c.Typed;
        EXPECT_TRUE(NewLines().empty()) << c.Typed;
        Click(Form->EscBtn);
        EXPECT_FALSE(Form->InputValuePan->Visible());
    }
    EXPECT_EQ(RecordedBeeps().size(), std::size(cases));
    // The refused kHz key left no unit behind for the next entry.
    Type("50");
    Click(Form->EnterBtn);
    EXPECT_EQ(NewLines(), (Lines{"FREQ 50.00;:FREQ?"}));
    // Point first gives "0.", a second point is ignored, and twelve characters at most.
    Type("..1234567890123");
    EXPECT_EQ(Form->InputValueEdit->Text(), "0.1234567890");
    Click(Form->EscBtn);
    // Esc with nothing typed returns the selection to the title.
    Click(Form->EscBtn);
    EXPECT_EQ(Form->CursorField, 0);
}

TEST_F(PanelSession, LevelKeysStepTypeAndSwitchBetweenVoltageAndCurrent)
{
    Connect();
    PowerOn();
    Arrow(kDown, 3);
    ASSERT_EQ(Form->CursorField, 3);
    NewLines();

    SoftKey(1); // Incr from 1 V
    EXPECT_EQ(NewLines(), (Lines{"LEV:VOLT 1.50;:VOLT?"}));
    SoftKey(2);
    SoftKey(2);
    EXPECT_EQ(NewLines(), (Lines{"LEV:VOLT 1.00;:VOLT?", "LEV:VOLT 500.0m;:VOLT?"}));

    Type("300");
    SoftKey(1); // mV
    EXPECT_EQ(NewLines(), (Lines{"LEV:VOLT 300.0m;:VOLT?"}));
    EXPECT_EQ(Form->MeasDispLevelLab->Caption(), " 300.0 mV");

    Type("0.5");
    SoftKey(4); // mA
    EXPECT_EQ(NewLines(), (Lines{"LEV:CURR 0.50m;:LEV:CURR?"}));
    EXPECT_EQ(Form->MeasDispLevelLab->Caption(), " 500.0 uA");

    // No current below 100 uA: zero and negative currents are raised to it.
    const struct {
        const char* Typed;
        int UnitKey; // 3 uA, 4 mA
    } lowest[] = {{"0", 4}, {"-0.5", 4}, {"-200", 3}};
    for (const auto& c : lowest) {
        Type(c.Typed);
        SoftKey(c.UnitKey);
        EXPECT_EQ(NewLines(), (Lines{"LEV:CURR 0.10m;:LEV:CURR?"})) << c.Typed;
        EXPECT_EQ(Form->MeasDispLevelLab->Caption(), " 100.0 uA") << c.Typed;
    }

    // Key 5 has no unit: while a level is typed it does nothing.
    Type("2");
    SoftKey(5);
    EXPECT_TRUE(Form->InputValuePan->Visible());
    EXPECT_TRUE(NewLines().empty());
    SoftKey(2); // V
    EXPECT_EQ(NewLines(), (Lines{"LEV:VOLT 2.00;:VOLT?"}));

    // A current key refused on a lone "-" leaves the level a voltage: Decl steps the voltages.
    Type("-");
    SoftKey(4);
    EXPECT_TRUE(Form->InputValuePan->Visible());
    Click(Form->EscBtn);
    SoftKey(2);
    EXPECT_EQ(NewLines(), (Lines{"LEV:VOLT 1.50;:VOLT?"}));
}

TEST_F(PanelSession, SetupPageFieldsSendWhatWasTyped)
{
    Connect();
    PowerOn();
    Click(Form->Setupbtn);
    Arrow(kDown, 4); // source resistance: drawn, nothing sent
    ASSERT_EQ(Form->CursorField, 4);
    EXPECT_EQ(NewLines(), (Lines{"DISP:PAGE MSET", "DISP:PAGE?"}));
    SoftKey(1);
    EXPECT_EQ(NewLines(), (Lines{"VOLT:SRES 30;:LEV:SRES?"}));

    Arrow(kDown); // bias: arriving on a preset sends it again
    EXPECT_EQ(NewLines(), (Lines{"BIAS OFF;:BIAS?"}));
    const struct {
        const char* Typed;
        const char* Line;
        const char* Label;
    } biases[] = {{"0.01", "BIAS 0.01V;:BIAS?", " 0.01V"}, {"3", "BIAS 2.50V;:BIAS?", " 2.50V"}};
    for (const auto& b : biases) {
        Type(b.Typed);
        SoftKey(1); // V
        EXPECT_EQ(NewLines(), (Lines{b.Line})) << b.Typed;
        EXPECT_EQ(Form->MeasSetupBiasLab->Caption(), b.Label);
    }
    SoftKey(4);
    EXPECT_EQ(NewLines(), (Lines{"BIAS -1.50V;:BIAS?"}));

    Arrow(kDown, 2); // trigger delay
    ASSERT_EQ(Form->CursorField, 7);
    const struct {
        const char* Typed;
        int UnitKey;
        const char* Seconds;
        const char* Label;
    } delays[] = {{"1.5", 2, "1.500", " 1.500 S"}, {"0.4", 2, "0.400", " 400 mS"}, {"250", 1, "0.250", " 250 mS"},
                  {"100", 2, "60.000", " 60.000 S"}};
    for (const auto& d : delays) {
        Type(d.Typed);
        SoftKey(d.UnitKey);
        EXPECT_EQ(NewLines(), (Lines{AnsiString("TRIG:DLY ") + d.Seconds, "TRIG:DLY?"})) << d.Typed;
        EXPECT_EQ(Form->MeasSetupDelayLab->Caption(), d.Label);
    }

    Arrow(kUp, 3);
    Arrow(kRight); // averaging
    ASSERT_EQ(Form->CursorField, 12);
    NewLines();
    Type("300");
    Click(Form->EnterBtn);
    SoftKey(1); // at 256 Incr does nothing
    SoftKey(2);
    Type("200");
    Click(Form->EnterBtn);
    SoftKey(1); // doubling stops at 256
    EXPECT_EQ(NewLines(), (Lines{"APER 256;:APER:AVG?", "APER 128;:APER:AVG?", "APER 200;:APER:AVG?",
                                 "APER 256;:APER:AVG?"}));
    EXPECT_EQ(Form->MeasSetupAvgLab->Caption(), " 256");

    Arrow(kUp, 3); // range
    ASSERT_EQ(Form->CursorField, 9);
    NewLines();
    SoftKey(2); // HOLD at range 5
    SoftKey(4); // Incr leaves the mode: fixed range 6
    SoftKey(1); // AUTO
    EXPECT_EQ(NewLines(), (Lines{"FUNC:IMP:RANG:AUTO HOLD;:FUNC:RANG:AUTO?", "FUNC:IMP:RANG 6;:FUNC:IMP:RANG?",
                                 "FUNC:IMP:RANG:AUTO AUTO;:FUNC:RANG:AUTO?"}));
    EXPECT_EQ(Form->MeasSetupRangeLab->Caption(), " [6]  AUTO");
}

TEST_F(PanelSession, FunctionAndMonitorMenus)
{
    Connect();
    PowerOn();
    Click(Form->Setupbtn);
    Arrow(kDown); // function
    NewLines();
    SoftKey(5);
    SoftKey(5); // menu page 3
    EXPECT_EQ(Form->FunctionKeyPage, 3);
    SoftKey(4); // DCR
    EXPECT_EQ(NewLines(), (Lines{"FUNC DCR;:FUNC?", "COMP:TOL:NOM 10.0000m;:COMP:TOL:NOM?"}));
    EXPECT_EQ(Form->MeasFunction, 12);
    EXPECT_FALSE(Form->MeasDispFunc2ValueSta->Visible());
    EXPECT_EQ(Form->MeasSetupFreqLab->Font()->Color(), 0x808080);
    // Under DCR the cursor skips what does not apply: Down from the function goes to the delay.
    Arrow(kDown);
    EXPECT_EQ(Form->CursorField, 7);
    Arrow(kUp);
    NewLines();

    SoftKey(5); // menu page 4
    SoftKey(1); // Z-thr: the layout comes back with both monitors sent again
    EXPECT_EQ(NewLines(), (Lines{"FUNC:MON1 OFF;:FUNC:MON1?", "FUNC:MON2 OFF;:FUNC:MON2?", "FUNC Z-thr;:FUNC?",
                                 "COMP:TOL:NOM 10.0000;:COMP:TOL:NOM?"}));
    EXPECT_TRUE(Form->MeasDispFunc2ValueSta->Visible());
    EXPECT_TRUE(Form->MeasSetupFuncIma->Visible());
    SoftKey(1); // the current function: nothing
    EXPECT_TRUE(NewLines().empty());

    Click(Form->MeasBtn);
    Click(Form->Setupbtn);
    Arrow(kDown);
    Arrow(kRight); // range
    Arrow(kDown, 4); // monitor 1
    ASSERT_EQ(Form->CursorField, 13);
    NewLines();
    SoftKey(5); // VAC, IAC, ABS, REL
    SoftKey(3);
    EXPECT_EQ(NewLines(), (Lines{"FUNC:MON1 ABS;:FUNC:MON1?"}));
    EXPECT_TRUE(Form->MeasSetupNomLab1->Visible());
    EXPECT_TRUE(Form->MeasSetupMon1Ima->Visible());
    // Moving off a picture monitor sends it again; the nominal now lies below monitor 2.
    Arrow(kDown);
    EXPECT_EQ(NewLines(), (Lines{"FUNC:MON1 ABS;:FUNC:MON1?"}));
    Arrow(kDown);
    ASSERT_EQ(Form->CursorField, 15);
    NewLines();
    Type("2");
    SoftKey(3); // Mohm: sent as kilohms
    EXPECT_EQ(NewLines(), (Lines{"COMP:TOL:NOM 2000.00k;:COMP:TOL:NOM?"}));
    EXPECT_EQ(Form->MeasSetupNomLab->Caption(), " 2.00000");
    EXPECT_EQ(Form->NominalUnit, 3);
}

TEST_F(PanelSession, DcrFixedRangesGoOutAsDcrRanges)
{
    Connect();
    PowerOn();
    Click(Form->Setupbtn);
    Arrow(kDown); // function
    SoftKey(5);
    SoftKey(5);
    SoftKey(4); // DCR
    Arrow(kRight); // range
    ASSERT_EQ(Form->CursorField, 9);
    NewLines();
    SoftKey(2); // HOLD at range 5
    EXPECT_EQ(NewLines(), (Lines{"FUNC:IMP:RANG:AUTO HOLD;:FUNC:RANG:AUTO?"}));
    const struct {
        const char* Line;
        const char* Picture; // the DCR names of the two lowest ranges
    } steps[] = {{"FUNC:DCR:RANG 6;:FUNC:DCR:RANG?", "ViewParaRange100_G.bmp"},
                 {"FUNC:DCR:RANG 7;:FUNC:DCR:RANG?", "ViewParaRangeDCR10_G.bmp"},
                 {"FUNC:DCR:RANG 8;:FUNC:DCR:RANG?", "ViewParaRange1_G.bmp"}};
    for (const auto& s : steps) {
        SoftKey(4); // Incr: a fixed range
        EXPECT_EQ(NewLines(), (Lines{s.Line}));
        EXPECT_EQ(PictureOf(Form->MeasSetupRangeIma), s.Picture);
    }
    SoftKey(4); // the last range: nothing more
    EXPECT_TRUE(NewLines().empty());
    EXPECT_EQ(Form->RangeCode, 8);
}

TEST_F(PanelSession, ArrowKeysDropATypedEntry)
{
    Connect();
    PowerOn();
    Arrow(kDown, 2);
    NewLines();
    Type("12");
    Arrow(kLeft); // cannot move, but the entry is gone
    EXPECT_EQ(Form->CursorField, 2);
    EXPECT_FALSE(Form->InputValuePan->Visible());
    EXPECT_EQ(Form->EntryText, "");
    // The page keys wait while a value is typed.
    Type("3");
    Click(Form->Setupbtn);
    EXPECT_EQ(Form->PageId, 1);
    Click(Form->EscBtn);
    EXPECT_TRUE(NewLines().empty());
}

TEST_F(PanelSession, AlcAndAutomaticLczSwitches)
{
    Connect();
    PowerOn();
    Arrow(kDown, 3); // level
    NewLines();
    SoftKey(3); // ALC on: its own read-back, then the level asks for the ALC state
    EXPECT_EQ(NewLines(), (Lines{"LEV:ALC 1", "LEV:ALC?", "DISP:LINE?"}));
    EXPECT_EQ(Form->AlcOn, 1);
    EXPECT_EQ(Form->MeasDispLevelLab->Caption(), " 1.00 V*");
    SoftKey(4);
    EXPECT_EQ(NewLines(), (Lines{"LEV:ALC 0;:LEV:ALC?"}));
    EXPECT_EQ(Form->MeasDispLevelLab->Caption(), " 1.00 V");

    Click(Form->Setupbtn);
    Arrow(kDown, 6); // automatic LCZ
    ASSERT_EQ(Form->CursorField, 6);
    NewLines();
    SoftKey(2);
    const Lines on = NewLines();
    ASSERT_GE(on.size(), 3u);
    EXPECT_EQ(on[0], "COMP:TOL:NOM 10.0000p;:COMP:TOL:NOM?"); // drawn for the automatic display first
    EXPECT_EQ(on[1], "FUNC:IMP:AUTO ON;:FUNC:IMP:AUTO?");
    EXPECT_EQ(on[2], "FUNC?");
    EXPECT_EQ(Form->AutoLcz, 1);
    SoftKey(1); // off: the function is sent again
    const Lines off = NewLines();
    ASSERT_GE(off.size(), 2u);
    EXPECT_EQ(off[0], "FUNC:IMP:AUTO OFF;:FUNC:IMP:AUTO?");
    EXPECT_EQ(off[1].rfind("FUNC ", 0), 0u) << off[1];
}

class RefusedAlcSession : public PanelSession {
protected:
    TSimOptions SimOptions() const override
    {
        TSimOptions o = PanelSession::SimOptions();
        o.RefuseAlc = true;
        return o;
    }
};

TEST_F(RefusedAlcSession, AlcThatDoesNotComeOnIsNotStored)
{
    Connect();
    PowerOn();
    Arrow(kDown, 3);
    NewLines();
    SoftKey(3);
    EXPECT_EQ(NewLines(), (Lines{"LEV:ALC 1", "LEV:ALC?", "LEV:ALC ON", "LEV:ALC?", "LEV:ALC ON", "LEV:ALC?",
                                 "LEV:ALC ON", "LEV:ALC?", "LEV:ALC ON", "LEV:ALC?"}));
    EXPECT_EQ(Form->AlcOn, 0);
    EXPECT_EQ(Form->StatusBar->SimpleText(), " The instrument did not confirm the ALC (LEV:ALC ON) ");
}

TEST_F(PanelSession, MenusMarkTheCurrentChoiceOnItsPage)
{
    Connect();
    PowerOn();
    Click(Form->Setupbtn);
    NewLines();
    LoadedPictures();
    Arrow(kDown); // function Cs-D
    const Lines first = {"ViewCs_Rs_Y.bmp", "ViewCs_D_R.bmp", "ViewCp_Rp_Y.bmp", "ViewCp_D_Y.bmp", "ViewMore1.bmp"};
    Lines loaded = LoadedPictures();
    ASSERT_GE(loaded.size(), 5u);
    EXPECT_EQ(Lines(loaded.end() - 5, loaded.end()), first);
    SoftKey(5); // a page without the current function: nothing marked
    EXPECT_EQ(LoadedPictures(), (Lines{"ViewLp_Rp_Y.bmp", "ViewLp_Q_Y.bmp", "ViewLs_Rs_Y.bmp", "ViewLs_Q_Y.bmp",
                                       "ViewMore2.bmp"}));
    SoftKey(5);
    SoftKey(5);
    SoftKey(5); // round to page 1
    loaded = LoadedPictures();
    EXPECT_EQ(Lines(loaded.end() - 5, loaded.end()), first);
    EXPECT_TRUE(NewLines().empty());

    Arrow(kRight);
    Arrow(kDown, 4); // monitor 1, OFF
    LoadedPictures();
    for (int i = 0; i < 3; ++i)
        SoftKey(5);
    loaded = LoadedPictures();
    ASSERT_GE(loaded.size(), 5u);
    EXPECT_EQ(Lines(loaded.end() - 5, loaded.end()),
              (Lines{"ViewG_Y.bmp", "ViewB_Y.bmp", "ViewY_Y.bmp", "ViewParaFrame.bmp", "ViewMore4.bmp"}));
    NewLines();
    SoftKey(4); // the empty key
    EXPECT_TRUE(NewLines().empty());
    EXPECT_TRUE(LoadedPictures().empty());
}

class TwentyKilohertzSession : public PanelSession {
protected:
    TSimOptions SimOptions() const override
    {
        TSimOptions o = PanelSession::SimOptions();
        o.Model = "ZVB";
        return o;
    }
};

TEST_F(TwentyKilohertzSession, IncrStopsAtTheModelsTopFrequency)
{
    Connect();
    PowerOn();
    Arrow(kDown, 2);
    NewLines();
    for (int i = 0; i < 4; ++i)
        SoftKey(1);
    EXPECT_EQ(NewLines(), (Lines{"FREQ 2.000k;:FREQ?", "FREQ 10.00k;:FREQ?", "FREQ 20.00k;:FREQ?"}));
    Type("50");
    SoftKey(2); // kHz: limited to 20 kHz
    EXPECT_EQ(NewLines(), (Lines{"FREQ 20.00k;:FREQ?"}));
}
