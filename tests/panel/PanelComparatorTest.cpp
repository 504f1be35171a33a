// The comparator setup, its bin table, the bin count page, and a setting the instrument refuses.
#include "components/controls/Owdesign.h"
#include "components/controls/Voduriz.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Image.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/Panel.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/Timer.h"
#include "tests/panel/PanelTestSupport.h"

using Lines = std::vector<AnsiString>;

namespace {

constexpr int kUp = 1, kDown = 2, kLeft = 3, kRight = 4;

} // namespace

class ComparatorSession : public PanelSession {
protected:
    // POWER, then BIN SETUP through SETUP and its title key.
    void OpenBinSetup()
    {
        Connect();
        PowerOn();
        Click(Form->Setupbtn);
        SoftKey(2);
        ASSERT_EQ(Form->PageId, 5);
        NewLines();
    }
};

TEST_F(ComparatorSession, ModeLimitsAndTheBinTable)
{
    OpenBinSetup();
    Arrow(kDown, 2); // mode: drawn again, nothing sent
    EXPECT_TRUE(NewLines().empty());
    SoftKey(2); // PER
    const Lines perLines = {"COMP:MODE PER;:COMP:MODE?", "COMP:TOL:BIN 1,0.00000,0.00000",
                            "COMP:TOL:BIN 1,0.00000,0.00000", "COMP:SLIM 0.00000,0.00000", "COMP:SLIM 0.00000,0.00000"};
    EXPECT_EQ(NewLines(), perLines);

    Arrow(kDown, 2); // low limit of bin 1
    ASSERT_EQ(Form->CursorField, 4);
    Type("-5");
    Click(Form->EnterBtn);
    Arrow(kRight); // its high limit
    Type("1500");
    SoftKey(1); // any unit key: percent, limited to 1000
    EXPECT_EQ(NewLines(), (Lines{"COMP:TOL:BIN 1,-5.00000,0.00000", "COMP:TOL:BIN 1,-5.00000,1000.00"}));
    EXPECT_EQ(Form->BinSetupLowLab1->Caption(), " -5.00000");
    EXPECT_EQ(Form->BinCountUpLab1->Caption(), " 1000.00");

    SoftKey(3); // delete the line: the low cell first, then both
    EXPECT_EQ(NewLines(), (Lines{"COMP:TOL:BIN 1,0.00000,1000.00", "COMP:TOL:BIN 1,0.00000,0.00000"}));
    EXPECT_EQ(Form->BinSetupUpLab1->Caption(), " 0.00000");

    // Back to ABS: a capacitance limit typed in pF is carried to nF.
    Arrow(kLeft);
    Arrow(kUp, 2);
    SoftKey(1);
    NewLines();
    Arrow(kDown, 2);
    Type("4700");
    Click(Form->EnterBtn);
    EXPECT_EQ(NewLines(), (Lines{"COMP:TOL:BIN 1,4.70000n,0.00000p"}));
    EXPECT_EQ(Form->BinLimits[0][1], 470000);
    EXPECT_EQ(Form->BinLimits[2][1], 2);

    // Clear the table after the question; No keeps it.
    ModalScript::AnswerButton(IDNO);
    SoftKey(5);
    EXPECT_TRUE(NewLines().empty());
    ModalScript::AnswerButton(IDYES);
    SoftKey(5);
    EXPECT_EQ(NewLines(), (Lines{"COMP:MODE ABS;:COMP:MODE?", "COMP:TOL:BIN 1,0.00000p,0.00000p",
                                 "COMP:TOL:BIN 1,0.00000p,0.00000p", "COMP:SLIM 0.00000,0.00000",
                                 "COMP:SLIM 0.00000,0.00000"}));
    EXPECT_EQ(ModalScript::LastRequest().Text, "Sure you clear all table date ? ");
}

TEST_F(ComparatorSession, NominalSwitchesBeepAndOpenLimit)
{
    OpenBinSetup();
    Arrow(kDown);
    Arrow(kRight); // nominal
    ASSERT_EQ(Form->CursorField, 14);
    Type("2");
    SoftKey(2); // nF
    EXPECT_EQ(NewLines(), (Lines{"COMP:TOL:NOM 2.00000n;:COMP:TOL:NOM?"}));
    EXPECT_EQ(Form->BinMeasNomLab->Caption(), " 2.00000");

    Arrow(kRight); // beep: arriving sends it again
    EXPECT_EQ(NewLines(), (Lines{"COMP:BEEP OFF;:COMP:BEEP?"}));
    SoftKey(2);
    EXPECT_EQ(NewLines(), (Lines{"COMP:BEEP PASS;:COMP:BEEP?"}));

    Arrow(kDown); // AUX
    ASSERT_EQ(Form->CursorField, 15);
    NewLines();
    SoftKey(1);
    EXPECT_EQ(NewLines(), (Lines{"COMP:AUX OFF;:COMP:AUX?"}));
    EXPECT_EQ(Form->BinCountAuxLab->Caption(), " OFF");

    Arrow(kRight); // open limit: a menu of two pages
    ASSERT_EQ(Form->CursorField, 18);
    SoftKey(3);
    EXPECT_EQ(NewLines(), (Lines{"COMP:OPEN 5;:COMP:OPEN?"}));
    EXPECT_EQ(Form->BinSetupOpenLab->Caption(), " 5 %");
    SoftKey(5);
    SoftKey(2);
    EXPECT_EQ(NewLines(), (Lines{"COMP:OPEN 50;:COMP:OPEN?"}));
    EXPECT_EQ(Form->OpenLimit, 5);

    Arrow(kLeft);
    Arrow(kUp);
    Arrow(kLeft); // comparator switch
    ASSERT_EQ(Form->CursorField, 1);
    NewLines();
    SoftKey(1);
    EXPECT_EQ(NewLines(), (Lines{"COMP:STAT OFF;:COMP:STAT?"}));
    EXPECT_EQ(Form->BinMeasMessage2->Caption(), "OFF");
    // The AUX key is refused while the comparator is off.
    Arrow(kDown);
    Arrow(kRight); // field 15 from 2
    NewLines();
    SoftKey(2);
    EXPECT_TRUE(NewLines().empty());
}

TEST_F(ComparatorSession, BinCountPageCountsResetsAndShowsTheAuxCount)
{
    OpenBinSetup();
    SoftKey(4); // BIN COUNT
    EXPECT_EQ(NewLines(), (Lines{"DISP:PAGE BCO", "DISP:PAGE?"}));
    EXPECT_EQ(Form->BinCountResultLab1->Caption(), " ---");
    Arrow(kDown);
    SoftKey(1); // counting on
    ASSERT_EQ(Form->BinCounts[0], 1);
    ASSERT_TRUE(WaitForFetch("FETC?"));
    int counted = 0;
    for (int i = 0; i < 200 && counted < 3; ++i) {
        TestInput::RunFor(10);
        counted = 0;
        for (int n = 1; n <= 11; ++n)
            counted += Form->BinCounts[n];
    }
    EXPECT_GE(counted, 3);
    // The AUX cell shows the AUX count while counting is on.
    EXPECT_EQ(Form->BinCountAuxLab->Caption(), " " + std::to_string(Form->BinCounts[10]));

    ModalScript::AnswerButton(IDYES);
    SoftKey(5);
    EXPECT_EQ(ModalScript::LastRequest().Text, "Sure you want to reset count ? ");
    SoftKey(2); // off: the counts stay, the cells show " ---"
    EXPECT_EQ(Form->BinCountOutLab->Caption(), " ---");
    EXPECT_FALSE(Form->LCRTimer->Enabled());
    for (int n = 1; n <= 11; ++n)
        EXPECT_LE(Form->BinCounts[n], 2) << n; // at most the readings that came after the reset
}

class RefusingSession : public ComparatorSession {
protected:
    void SetUp() override
    {
        ComparatorSession::SetUp();
        TSimFaultSettings s;
        s.OnlyFor = "COMP:BEEP";
        Sim->SetFaultSettings(s);
    }
};

TEST_F(RefusingSession, StatusBarNamesTheSettingTheInstrumentDidNotConfirm)
{
    OpenBinSetup();
    Arrow(kDown);
    Arrow(kRight, 2); // beep
    NewLines();
    Sim->SetFault(TSimFault::Garbage);
    SoftKey(3);
    const Lines lines = NewLines();
    EXPECT_EQ(lines.size(), 5u); // sent once and repeated four times
    EXPECT_EQ(Form->StatusBar->SimpleText(), " The instrument did not confirm the beep (COMP:BEEP FAIL) ");
    EXPECT_EQ(Form->BinSetupBeepLab->Caption(), " FAIL"); // kept as set
}

TEST_F(ComparatorSession, FunctionChosenOnBinMeasClearsTheTableAndTheUnitsFollowIt)
{
    Connect();
    PowerOn();
    Click(Form->Setupbtn);
    SoftKey(3); // BIN MEAS
    Arrow(kDown);
    NewLines();
    LoadedPictures();
    SoftKey(5);
    SoftKey(5);
    SoftKey(3); // R-X
    EXPECT_EQ(NewLines(), (Lines{"FUNC R-X;:FUNC?", "COMP:TOL:NOM 10.0000;:COMP:TOL:NOM?", "COMP:MODE ABS;:COMP:MODE?",
                                 "COMP:TOL:BIN 1,0.00000,0.00000", "COMP:TOL:BIN 1,0.00000,0.00000",
                                 "COMP:SLIM 0.00000,0.00000", "COMP:SLIM 0.00000,0.00000"}));
    // The secondary limits of R-X are resistances on the setup and count pages.
    const auto loaded = LoadedPictures();
    for (const char* name : {"ViewParaohm_B.bmp", "ViewParaohm_BW.bmp", "ViewParaohm_NG.bmp", "ViewParaohm_NW.bmp"})
        EXPECT_NE(std::find(loaded.begin(), loaded.end(), name), loaded.end()) << name;
    EXPECT_EQ(std::find(loaded.begin(), loaded.end(), "ViewParaBinFrame_B.bmp"), loaded.end());
}

TEST_F(ComparatorSession, LargeQLimitIsShownAndSentWhole)
{
    OpenBinSetup();
    Arrow(kRight); // function
    SoftKey(5); // Lp_Rp .. Ls_Q
    SoftKey(4); // Ls-Q
    Arrow(kLeft);
    Arrow(kDown, 5); // through bin 1 low to the secondary low limit
    ASSERT_EQ(Form->CursorField, 13);
    NewLines();
    Type("100000");
    Click(Form->EnterBtn);
    EXPECT_EQ(NewLines(), (Lines{"COMP:SLIM 100000,0.00000"}));
    EXPECT_EQ(Form->BinSetupLowLab2nd->Caption(), " 100000");
    EXPECT_EQ(Form->BinLimits[0][10], 10000000000LL);
}

TEST_F(ComparatorSession, LimitUnitsFollowAFunctionChosenOnAnyPage)
{
    Connect();
    PowerOn();
    const struct {
        bool OnSetup;   // chosen on MEAS SETUP, else on MEAS DISPLAY
        int MorePresses; // function menu pages to turn
        int Key;
        const char* Line;
        const char* Bin1[2];      // BIN SETUP and BIN COUNT pictures of bin 1's limits
        const char* Secondary[2]; // and of the secondary limits
    } cases[] = {
        {false, 2, 3, "FUNC R-X;:FUNC?", {"ViewParaohm_NG.bmp", "ViewParaohm_NW.bmp"},
         {"ViewParaohm_B.bmp", "ViewParaohm_BW.bmp"}},
        {true, 3, 4, "FUNC Ls-Q;:FUNC?", {"ViewParauH_NG.bmp", "ViewParauH_NW.bmp"},
         {"ViewParaBinFrame_B.bmp", "ViewParaBinFrame_B.bmp"}},
    };
    for (const auto& c : cases) {
        Click(Form->MeasBtn);
        if (c.OnSetup)
            Click(Form->Setupbtn);
        Arrow(kDown); // function
        NewLines();
        for (int i = 0; i < c.MorePresses; ++i)
            SoftKey(5);
        SoftKey(c.Key);
        // Drawn, not sent: only the function and the nominal go out; the table is kept.
        const Lines sent = NewLines();
        ASSERT_EQ(sent.size(), 2u) << c.Line;
        EXPECT_EQ(sent[0], c.Line);
        // BIN COUNT reached directly shows them.
        Click(Form->MeasBtn);
        Click(Form->Setupbtn);
        SoftKey(4);
        ASSERT_EQ(Form->PageId, 6);
        const std::pair<const char*, const char* const*> cells[] = {
            {"LowUnitIma1", c.Bin1}, {"UpUnitIma1", c.Bin1}, {"LowUnitIma2nd", c.Secondary}, {"UpUnitIma2nd", c.Secondary}};
        for (const auto& [cell, pictures] : cells) {
            EXPECT_EQ(PictureOf(Form->FindComponent(AnsiString("BinSetup") + cell)), pictures[0]) << c.Line << cell;
            EXPECT_EQ(PictureOf(Form->FindComponent(AnsiString("BinCount") + cell)), pictures[1]) << c.Line << cell;
        }
    }
}

TEST_F(ComparatorSession, AuxCountShowsTheCountWhileCountingAndDashesOtherwise)
{
    OpenBinSetup();
    const struct {
        int CountKey; // 1 counting on, 2 off
        bool Counting;
    } cases[] = {{1, true}, {2, false}};
    for (const auto& c : cases) {
        SoftKey(4); // BIN COUNT
        Arrow(kDown);
        SoftKey(c.CountKey);
        TestInput::RunFor(100);
        Arrow(kUp);
        SoftKey(3); // BIN SETUP
        ASSERT_EQ(Form->PageId, 5);
        Arrow(kDown, 2);
        Arrow(kRight); // AUX
        ASSERT_EQ(Form->CursorField, 15);
        SoftKey(1);
        EXPECT_EQ(Form->BinCountAuxLab->Caption(), " OFF");
        SoftKey(2);
        EXPECT_EQ(Form->BinCountAuxLab->Caption(),
                  c.Counting ? " " + std::to_string(Form->BinCounts[10]) : AnsiString(" ---"));
        Arrow(kLeft);
        Arrow(kUp, 2); // the title
        ASSERT_EQ(Form->CursorField, 0);
    }
}

TEST_F(ComparatorSession, UnitlessKeysDoNothingWhileALimitIsTyped)
{
    OpenBinSetup(); // Cs-D: capacitance limits, a secondary parameter without a unit
    const struct {
        std::vector<int> Arrows; // from the title
        int Field;
        std::vector<int> Keys;
    } cases[] = {
        {{kDown, kDown, kDown, kDown}, 4, {5}},
        {{kDown, kRight}, 14, {5}},
        {{kDown, kDown, kDown, kDown, kDown}, 13, {1, 2, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        for (int a : c.Arrows)
            Arrow(a);
        ASSERT_EQ(Form->CursorField, c.Field);
        NewLines();
        Type("5");
        for (int key : c.Keys) {
            SoftKey(key);
            EXPECT_TRUE(Form->InputValuePan->Visible()) << c.Field << " key " << key;
            EXPECT_EQ(Form->InputValueEdit->Text(), "5");
        }
        EXPECT_TRUE(NewLines().empty()) << c.Field;
        Click(Form->EscBtn); // the entry
        Click(Form->EscBtn); // the selection back to the title
        ASSERT_EQ(Form->CursorField, 0);
    }
}
