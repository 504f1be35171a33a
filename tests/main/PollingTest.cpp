// Polling, reply reception, the displayed values and comparator results, the live log.
#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

#include "components/controls/Voduriz.h"
#include "components/controls/Owbuttons.h"
#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"
#include "platform/forms/PageControl.h"
#include "platform/core/DateTime.h"
#include "platform/core/FileUtils.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/Timer.h"
#include "platform/graphics/Graphic.h"
#include "platform/graphics/Picture.h"
#include "tests/main/MainTestSupport.h"
#include "tests/support/TestOutput.h"
#include "platform/forms/Render.h"

namespace {

// A fetch line of the instrument's form: 12-character fields separated by commas.
AnsiString FetchLine(std::initializer_list<const char*> Fields)
{
    AnsiString line;
    for (const char* f : Fields) {
        if (!line.empty())
            line += ",";
        line += f;
    }
    return line + "\n";
}

std::vector<AnsiString> ReadLines(const AnsiString& Path, bool& CrLf)
{
    std::ifstream in(Path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string all = ss.str();
    CrLf = !all.empty();
    std::vector<AnsiString> lines;
    size_t start = 0;
    for (size_t lf = all.find('\n'); lf != std::string::npos; lf = all.find('\n', start)) {
        std::string line = all.substr(start, lf - start);
        if (line.empty() || line.back() != '\r')
            CrLf = false;
        else
            line.pop_back();
        lines.push_back(line);
        start = lf + 1;
    }
    return lines;
}

} // namespace

class Polling : public MainWindowFixture {
protected:
    // The tab of a list or sweep page in front, as its soft key leaves it.
    void ShowTab(TTabSheet* Tab, int Page)
    {
        Tab->SetTabVisible(true);
        Form->LCRPag->SetActivePage(Tab);
        Form->PageId = Page;
        TestInput::ProcessEvents();
    }

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        StartSim();
        ConnectThroughPanel();
        ASSERT_TRUE(Form->Connected);
    }

    // Stops polling and hands one reply to the reception as the answer to Query.
    void Deliver(const AnsiString& Query, const AnsiString& Bytes)
    {
        Form->LCRTimer->SetEnabled(false);
        RunFor(30);
        Form->LCRCom->ReadText();
        Form->LastCommand = Query;
        Form->RxBuffer.clear();
        Form->ReplyReady = false;
        Sim->SendRaw(Bytes);
        ASSERT_TRUE(RunUntil([&] { return Form->ReplyReady; }, 2000)) << Bytes;
    }
};

TEST_F(Polling, ReadingsAreShownWithTheirUnitsOnTheMeasurementDisplay)
{
    Sim->Modify([](TInstrumentModel& m) {
        m.State().Monitor1 = 1;
        m.State().Monitor2 = 4;
    });
    Form->Monitor1 = 1;
    Form->Monitor2 = 4;
    ShowMeasurementDisplay(4);
    EXPECT_TRUE(Form->MeasDispPan->Visible());
    EXPECT_TRUE(Form->LCRTimer->Enabled());
    ASSERT_TRUE(RunUntil([&] { return !Form->Mon2Edit->GetText().empty(); }));
    const std::regex value(R"([ -]\d+\.\d+ [pnum ]F)");
    EXPECT_TRUE(std::regex_match(Form->PrimaryEdit->GetText(), value)) << Form->PrimaryEdit->GetText();
    EXPECT_EQ(Form->MeasDispFunc1ValueSta->Caption(), Form->PrimaryEdit->GetText().substr(0, 8));
    EXPECT_NE(Form->MeasDispFunc1UnitIma->Picture()->Graphic(), nullptr);
    EXPECT_TRUE(std::regex_match(Form->Mon1Edit->GetText(), std::regex(R"([ -]\d+\.\d+ [ kM]ohm)")))
        << Form->Mon1Edit->GetText();
    EXPECT_TRUE(std::regex_match(Form->Mon2Edit->GetText(), std::regex(R"([ -]\d+\.\d+  V)")))
        << Form->Mon2Edit->GetText();
    EXPECT_TRUE(Form->MeasDispMon1UnitIma->Visible());
    EXPECT_EQ(Form->MeasDispFunc1ValueSta->Font()->Size(), 40);

    // The window as a user sees it after connecting.
    Form->SetVisible(true);
    EXPECT_TRUE(SaveControlToPng(Form.get(), TestOutputPath("main-window-connected.png")));
}

TEST_F(Polling, TheInstrumentsComparatorAndSecondMonitorRepliesAreShown)
{
    Sim->Modify([](TInstrumentModel& m) {
        m.State().CompOn = true;
        m.State().Monitor1 = 1;
        m.State().Monitor2 = 4;
    });
    Form->CompOn = 1;
    Form->Monitor1 = 1;
    Form->Monitor2 = 4;
    // The stage a page change can leave behind: the second monitor is asked on its own first.
    Form->FetchStage = 3;
    ShowMeasurementDisplay(4);
    ASSERT_TRUE(
        RunUntil([&] { return !Form->Mon2Edit->GetText().empty() && !Form->PrimaryEdit->GetText().empty(); }));
    std::vector<AnsiString> fetches;
    for (const AnsiString& line : Sim->Lines())
        if (line.compare(0, 4, "FETC") == 0 && fetches.size() < 2)
            fetches.push_back(line);
    EXPECT_EQ(fetches, (std::vector<AnsiString>{"FETC:MON2?", "FETC:IMP?"}));
    EXPECT_TRUE(std::regex_match(Form->Mon2Edit->GetText(), std::regex(R"([ -]\d+\.\d+  V)")))
        << Form->Mon2Edit->GetText();
    EXPECT_TRUE(std::regex_match(Form->PrimaryEdit->GetText(), std::regex(R"([ -]\d+\.\d+ [pnum ]F)")))
        << Form->PrimaryEdit->GetText();
    // The 67-character reply carries the comparator's field: its bin is shown.
    EXPECT_EQ(Form->MeasValueText[4].size(), 14u) << Form->MeasValueText[4];
    EXPECT_TRUE(std::regex_match(Form->BinMeasMessage1->Caption(), std::regex(R"(BIN\d|OUT |OPEN)")))
        << Form->BinMeasMessage1->Caption();
}

TEST_F(Polling, RepliesAreCheckedAgainstTheirLengthsAndCutOrDropped)
{
    const char* p = "+1.00000e-09";
    const char* s = "+2.00000e-03";
    const AnsiString ok52 = FetchLine({p, s, "+1.00000e+03", "+1.00000e+00"});
    ASSERT_EQ(ok52.size(), 52u);
    // With the comparator on, its 14 characters follow the two monitors.
    const AnsiString ok67 = FetchLine({p, s, "+1.00000e+03", "+1.00000e+00", "BIN3 AUX-OK P "});
    ASSERT_EQ(ok67.size(), 67u);
    Form->MeasFunction = 4;
    Form->Monitor1 = 1;
    Form->Monitor2 = 4;
    Form->PageId = 1;
    const struct { const char* Query; int Comp; AnsiString Bytes; bool Shown; const char* Why; } cases[] = {
        {"FETC:IMP?", 0, ok52, true, "exact length"},
        {"FETC:IMP?", 0, ok52 + ok52, true, "two replies run together are cut to the first"},
        {"FETC:IMP?", 0, AnsiString(ok52.substr(0, 51)) + "xyz\n" + AnsiString(14, 'x') + "\n", false,
            "the cut is not at a line end"},
        {"FETC:IMP?", 0, ok52.substr(1), false, "short"},
        {"FETC:IMP?", 0, FetchLine({p, "+2.00000E-03", "+1.00000e+03", "+1.00000e+00"}), false, "upper-case E"},
        {"FETC:IMP?", 0, FetchLine({p, "+2.0000#e-03", "+1.00000e+03", "+1.00000e+00"}), false, "garbage"},
        {"FETC:IMP?", 1, ok67, true, "comparator on"},
        {"FETC:IMP?", 1, ok67 + ok67, true, "comparator on, two replies run together"},
        {"FETC:IMP?", 1, AnsiString(ok67.substr(0, 66)) + "xyz\n", false, "70 characters, the 67th no line end"},
        {"FETC:IMP?", 1, ok52, false, "comparator on, no comparator field"},
        {"FETC:IMP?", 0, ok67, true, "a comparator field the program does not look at"},
        {"FETC?", 0, FetchLine({p, s}), true, "bin page form"},
        {"FETC:MON1?", 0, "+1.00000e+03\n", true, "monitor"},
        {"FETC?", 0, FetchLine({p, s}) + "junk\n", true, "bin page form, cut"},
        {"FETC:MON1?", 0, "+1.0000e+03\n", false, "short monitor"},
        {"FETC:MON2?", 0, "+1.00000e+00\n", true, "second monitor"},
        {"FETC:MON2?", 0, "+1.00000e+00\n+1.0\n", true, "second monitor, cut"},
        {"FETC:MON2?", 0, "+1.0000e+00\n", false, "short second monitor"}};
    TVodUriz* const edits[] = {Form->PrimaryEdit, Form->SecondEdit, Form->Mon1Edit, Form->Mon2Edit};
    for (const auto& c : cases) {
        for (TVodUriz* e : edits)
            e->SetText("");
        Form->BinMeasMessage1->SetCaption("");
        Form->CompOn = c.Comp;
        Form->FetchStage = 1;
        Deliver(c.Query, c.Bytes);
        const bool shown =
            std::any_of(std::begin(edits), std::end(edits), [](TVodUriz* e) { return !e->GetText().empty(); });
        EXPECT_EQ(shown, c.Shown) << c.Why;
        EXPECT_TRUE(Form->RxBuffer.empty()) << c.Why;
        // The bin of a reading is shown only while the program has the comparator on.
        EXPECT_EQ(Form->BinMeasMessage1->Caption(), c.Comp && c.Shown ? "BIN3" : "") << c.Why;
        if (!c.Shown) {
            const AnsiString q = c.Query;
            EXPECT_EQ(Form->FetchStage, q == "FETC:MON1?" ? 2 : q == "FETC:MON2?" ? 3 : 1) << c.Why;
        }
    }
    EXPECT_EQ(Form->PrimaryEdit->GetText(), "");
    EXPECT_EQ(Form->Mon2Edit->GetText(), "");
    Form->CompOn = 0;

    // A reply in three pieces is taken once, whole.
    Form->PrimaryEdit->SetText("");
    Form->LastCommand = "FETC:IMP?";
    Form->ReplyReady = false;
    Sim->SendRaw(ok52.substr(0, 10));
    RunFor(30);
    Sim->SendRaw(ok52.substr(10, 30));
    RunFor(30);
    EXPECT_EQ(Form->PrimaryEdit->GetText(), "");
    Sim->SendRaw(ok52.substr(40));
    ASSERT_TRUE(RunUntil([&] { return Form->ReplyReady; }));
    EXPECT_EQ(Form->PrimaryEdit->GetText(), " 1.00000 nF");
    EXPECT_EQ(Form->SecondEdit->GetText(), " 0.00200   ");
    EXPECT_EQ(Form->Mon2Edit->GetText(), " 1.0000  V");
}

TEST_F(Polling, DcrRepliesUpdateOnlyThePrimaryValue)
{
    Form->PageId = 1;
    Form->MeasFunction = 12;
    Form->SecondEdit->SetText("kept");
    const struct { int Comp; AnsiString Bytes; bool Shown; } cases[] = {
        {0, "+1.00000e+01\n", true}, {0, "+1.0000e+01\n", false}, {1, "+1.00000e+01,BIN1 P \n", true},
        {1, "+1.00000e+01\n", false}, {1, "+1.00000e+01,BIN1 P \n+1.0\n", true}};
    for (const auto& c : cases) {
        Form->CompOn = c.Comp;
        Form->PrimaryEdit->SetText("");
        Deliver("FETC:IMP?", c.Bytes);
        EXPECT_EQ(!Form->PrimaryEdit->GetText().empty(), c.Shown) << c.Bytes;
    }
    EXPECT_EQ(Form->PrimaryEdit->GetText(), " 10.0000  ohm");
    EXPECT_EQ(Form->SecondEdit->GetText(), "kept");
}

TEST_F(Polling, AMissingUnitPictureLeavesItEmptyAndTheCycleCompletes)
{
    const AnsiString picture = MapWindowsPath("C:\\Zorvane\\GraphView\\FuncUnitC_nF.bmp");
    ASSERT_TRUE(RenameFile(picture, picture + ".away"));
    Form->PageId = 1;
    Form->MeasFunction = 4;
    Form->LogRunning = 1;
    Deliver("FETC:IMP?", FetchLine({"+1.00000e-09", "+2.00000e-03", "+0.00000e+00", "+0.00000e+00"}));
    RenameFile(picture + ".away", picture);
    EXPECT_EQ(Form->PrimaryEdit->GetText(), " 1.00000 nF");
    EXPECT_EQ(Form->MeasDispFunc1ValueSta->Caption(), " 1.00000");
    EXPECT_EQ(Form->MeasDispFunc1UnitIma->Picture()->Graphic(), nullptr);
    EXPECT_EQ(Form->LiveLogRecordCount, 1);
}

TEST_F(Polling, ComparatorResultsAndBinCounts)
{
    Form->CompOn = 1;
    Form->BinNumber = 1;
    Form->BinCounts[0] = 1;
    Form->PageId = 4;
    Form->MeasFunction = 4;
    const AnsiString p = "+1.00000e-09,+2.00000e-03,";
    const struct { const char* Field; int Aux; const char* Msg1; const char* PassFail; int Entry; } cases[] = {
        {"BIN3 AUX-OK P ", 0, "BIN3", "PASS", 3}, {"OUT  AUX-OK F ", 0, "OUT ", "FAIL", 11},
        {"BIN1 AUX-NG F ", 1, "BIN1", "FAIL", 10}, {"OPEN AUX-OK P ", 0, "OPEN", "PASS", 0}};
    for (const auto& c : cases) {
        Form->AuxOn = c.Aux;
        const int before = c.Entry ? Form->BinCounts[c.Entry] : 0;
        Deliver("FETC?", p + c.Field + "\n");
        EXPECT_EQ(Form->BinMeasMessage1->Caption(), c.Msg1) << c.Field;
        EXPECT_EQ(Form->EnlaPassFailLab->Caption(), c.PassFail) << c.Field;
        if (c.Entry) {
            EXPECT_EQ(Form->BinCounts[c.Entry], before + 1) << c.Field;
        }
    }
    EXPECT_EQ(Form->BinCountResultLab3->Caption(), " 1");
    EXPECT_EQ(Form->BinCountOutLab->Caption(), " 1");

    // A DCR reading carries no AUX text: with AUX on it is judged by its bin.
    Form->MeasFunction = 12;
    Form->AuxOn = 1;
    Deliver("FETC?", "+1.00000e+01,BIN2 P \n");
    EXPECT_EQ(Form->EnlaPassFailLab->Caption(), "PASS");
    EXPECT_EQ(Form->BinMeasMessage1->Caption(), "BIN2");

    // A count that reaches 100000 starts every count again, and every label says so.
    Form->MeasFunction = 4;
    Form->AuxOn = 0;
    Form->BinCounts[4] = 99999;
    Deliver("FETC?", p + AnsiString("BIN4 AUX-OK P \n"));
    for (int i = 1; i <= 11; ++i)
        EXPECT_EQ(Form->BinCounts[i], 0) << i;
    EXPECT_EQ(Form->BinCountResultLab4->Caption(), " 0");
    EXPECT_EQ(Form->BinCountResultLab3->Caption(), " 0");
    EXPECT_EQ(Form->BinCountOutLab->Caption(), " 0");
}

TEST_F(Polling, ReadingsComeBackAfterEveryFault)
{
    ShowMeasurementDisplay(4);
    ASSERT_TRUE(RunUntil([&] { return !Form->PrimaryEdit->GetText().empty(); }));
    TSimFaultSettings settings;
    settings.OnlyFor = "FETC";
    Sim->SetFaultSettings(settings);
    // A spoilt reply is dropped without a word and asked for again: the last reading stays on
    // show. A reply that is late, in pieces or behind another one is still a reading.
    const struct { TSimFault Fault; bool Readings; } faults[] = {{TSimFault::Silence, false},
        {TSimFault::Truncate, false}, {TSimFault::Split, true}, {TSimFault::Garbage, false},
        {TSimFault::WrongLength, false}, {TSimFault::CrLf, false}, {TSimFault::UnaskedReply, true},
        {TSimFault::Slow, true}, {TSimFault::UpperCaseE, false}};
    for (const auto& c : faults) {
        SCOPED_TRACE(static_cast<int>(c.Fault));
        Sim->SetFault(c.Fault);
        RunFor(150); // a reply that was on its way before the fault lands
        const AnsiString shown = Form->MeasDispFunc1ValueSta->Caption();
        Form->PrimaryEdit->SetText("");
        const size_t asked = Sim->LineCount();
        RunFor(700);
        EXPECT_GT(Sim->LineCount(), asked);
        if (c.Readings) {
            EXPECT_NE(Form->PrimaryEdit->GetText(), "");
        } else {
            EXPECT_EQ(Form->PrimaryEdit->GetText(), "");
            EXPECT_EQ(Form->MeasDispFunc1ValueSta->Caption(), shown);
        }
        EXPECT_NE(Form->MeasDispFunc1ValueSta->Caption(), "");
        EXPECT_TRUE(Form->MeasDispPan->Visible());
        EXPECT_TRUE(Form->Connected);
        EXPECT_TRUE(Form->LCRTimer->Enabled());
        EXPECT_TRUE(ModalScript::Log().empty());

        Sim->ClearFaults();
        const size_t fetched = Sim->LineCount();
        ASSERT_TRUE(RunUntil([&] { return Sim->LineCount() >= fetched + 2; }, 4000));
        Form->PrimaryEdit->SetText("");
        ASSERT_TRUE(RunUntil([&] { return !Form->PrimaryEdit->GetText().empty(); }, 4000));
        EXPECT_TRUE(ModalScript::Log().empty());
    }
}

TEST_F(Polling, ALostReplyDoesNotStopThePolling)
{
    ShowMeasurementDisplay(4);
    ASSERT_TRUE(RunUntil([&] { return !Form->PrimaryEdit->GetText().empty(); }));
    Sim->SetFault(TSimFault::Silence, 1);
    const size_t before = Sim->LineCount();
    ASSERT_TRUE(RunUntil([&] { return Sim->LineCount() >= before + 3; }, 3000));
    Form->PrimaryEdit->SetText("");
    ASSERT_TRUE(RunUntil([&] { return !Form->PrimaryEdit->GetText().empty(); }));
}

TEST_F(Polling, ListAndSweepPagesAskOnEveryTickInstrumentPagesOneQueryAtATime)
{
    // The instrument stays silent: a page with the reply handshake waits a few ticks before it
    // asks again; the list and sweep pages ask on every tick.
    Sim->SetFault(TSimFault::Silence);
    int ticks = 0;
    const TNotifyEvent tick = Form->LCRTimer->OnTimer;
    Form->LCRTimer->OnTimer = [&](TObject* Sender) {
        ++ticks;
        tick(Sender);
    };
    const struct { int Page; bool EveryTick; } pages[] = {{1, false}, {7, true}, {8, true}, {9, true}, {4, false}};
    for (const auto& p : pages) {
        SCOPED_TRACE(p.Page);
        Form->PageId = p.Page;
        Form->FetchStage = 1;
        Form->ReplyReady = true;
        const size_t before = Sim->LineCount();
        ticks = 0;
        Form->LCRTimer->SetEnabled(true);
        ASSERT_TRUE(RunUntil([&] { return ticks >= 12; }));
        Form->LCRTimer->SetEnabled(false);
        const int sent = ticks;
        if (p.EveryTick) {
            EXPECT_TRUE(Sim->WaitForLineCount(before + static_cast<size_t>(sent), 2000));
            EXPECT_EQ(Sim->LineCount() - before, static_cast<size_t>(sent));
        } else {
            RunFor(100);
            EXPECT_LE(Sim->LineCount() - before, 3u);
        }
    }
}

TEST_F(Polling, RunTakesOneReadingPerTrigger)
{
    ShowTab(Form->ListMeasTab, 7);
    Form->ListSetupGrid->SetCellEx(0, 1, "1");
    Form->ListSetupGrid->SetCellEx(1, 1, "Cp-D");
    Form->ListSetupGrid->SetCellEx(6, 1, "OFF");
    Form->ListSetupGrid->SetCellEx(16, 1, "OFF");
    Form->ListSetupGrid->SetCellEx(17, 1, "OFF");
    // A reading nobody triggered is not a step's reading.
    Deliver("FETC:IMP?", FetchLine({"+1.00000e-09", "+2.00000e-03", "+0.00000e+00", "+0.00000e+00"}));
    EXPECT_EQ(Form->ListMeasGrid->GetCellEx(7, 1), "");
    Sim->ClearTranscript();
    TestInput::Click(Form->ListMeasStartBtn);
    ASSERT_TRUE(RunUntil([&] { return Form->TestIdle; }, 4000));
    const auto lines = Sim->Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "TRIG"), 1);
    EXPECT_NE(Form->ListMeasGrid->GetCellEx(7, 1), "");
    RunFor(300);
    EXPECT_EQ(Form->ListMeasGrid->GetCellEx(7, 2), "");
    EXPECT_FALSE(Form->LCRTimer->Enabled());
}

TEST_F(Polling, LiveLogWritesEveryCountedReading)
{
    ShowMeasurementDisplay(4);
    Form->LogRunning = 1;
    Form->LiveLogRecordCount = 0;
    Form->LiveLogPath = "";
    StartLiveLog();
    const AnsiString path = MapWindowsPath(Form->LiveLogPath);
    ASSERT_TRUE(FileExists(path)) << path;
    EXPECT_TRUE(std::regex_match(ExtractFileName(path), std::regex(R"(\d{6}-\d{6}-LiveMeasResult\.txt)")));
    ASSERT_TRUE(RunUntil([&] { return Form->LiveLogRecordCount >= 3; }));
    // The enlarged display logs in the measurement display's layout.
    Form->PageId = 3;
    const int before = Form->LiveLogRecordCount;
    ASSERT_TRUE(RunUntil([&] { return Form->LiveLogRecordCount >= before + 2; }));
    Form->LCRTimer->SetEnabled(false);
    RunFor(50);
    Form->LogRunning = 0;
    Form->PageId = 1;
    EndLiveLog();
    EXPECT_EQ(Form->MeasDispLogLab->Caption(), " OFF");

    bool crlf = false;
    const auto lines = ReadLines(path, crlf);
    EXPECT_TRUE(crlf);
    ASSERT_GE(lines.size(), 19u);
    const AnsiString stamp = ExtractFileName(path);
    // Label and value together fill the 13 characters of each field.
    EXPECT_EQ(lines[0], "Date:" + stamp.substr(0, 2) + "/" + stamp.substr(2, 2) + "/" + stamp.substr(4, 2));
    EXPECT_EQ(lines[1], "Time:" + stamp.substr(7, 2) + ":" + stamp.substr(9, 2) + ":" + stamp.substr(11, 2));
    EXPECT_EQ(lines[2], "File_Name:C:\\Zorvane\\LiveMeasResult\\" + stamp);
    EXPECT_EQ(lines[3], "Version:2.05");
    EXPECT_EQ(lines[4], "Version_Date:2021/11/25");
    // The running program's own date, as no installed program file is found.
    ASSERT_EQ(Form->ExeDateTimeText.size(), 19u);
    EXPECT_EQ(lines[5], "Exe_DateTime:" + Form->ExeDateTimeText);
    EXPECT_EQ(lines[6], "Serial_No:ZV25110042");
    EXPECT_EQ(lines[7], "**********Meas_Display_Setup**********");
    EXPECT_EQ(lines[8].substr(0, 5), "FUNC:");
    EXPECT_EQ(lines[16], "**********Live_Meas_Display_Result**********");
    EXPECT_EQ(lines[17], " Record_No         Primary   Unit          Second   Unit       Monitor(1)   Unit       "
                         "Monitor(2)   Unit");
    const size_t records = lines.size() - 19;
    EXPECT_EQ(records, static_cast<size_t>(Form->LiveLogRecordCount));
    EXPECT_TRUE(std::regex_match(lines[18], std::regex(R"( {9}1 +[-\d.]+ +[pnum]?F +[-\d.]+ +(\S+ )? +\(null\) +\(null\) +\(null\) +\(null\))")))
        << lines[18];
    EXPECT_EQ(lines.back(), "**********END**********");
}

TEST_F(Polling, LiveLogHeaderNamesTheRangeInForce)
{
    // The range label may be hidden and out of date (a fixed range shows a picture instead).
    ShowMeasurementDisplay(4);
    Form->LCRTimer->SetEnabled(false);
    // A folder of its own: no log of another test is there to be overwritten.
    Form->LiveLogFolder += "\\Range";
    const struct { int Code; const char* Range; } cases[] = {{7, "   [7]30 ohm"}, {34, "   [4]1 kohm"},
        {16, "   [6]  AUTO"}, {22, "    [2]  NOM"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Code);
        Form->MeasDispRangeLab->SetCaption(" [5]  AUTO");
        Form->RangeCode = c.Code;
        Form->LiveLogPath = "";
        StartLiveLog();
        bool crlf = false;
        const auto lines = ReadLines(MapWindowsPath(Form->LiveLogPath), crlf);
        ASSERT_GT(lines.size(), 11u);
        EXPECT_EQ(lines[11], AnsiString("RANGE:") + c.Range);
        DeleteFile(MapWindowsPath(Form->LiveLogPath));
    }
}

TEST_F(Polling, TheLogsOverwriteQuestionIsAskedOnceWhileReadingsGoOn)
{
    ShowMeasurementDisplay(4);
    ASSERT_TRUE(RunUntil([&] { return !Form->PrimaryEdit->GetText().empty(); }));
    Form->LiveLogFolder += "\\Overwrite";
    // Logs of the coming seconds exist already: the question comes up.
    std::vector<AnsiString> old;
    for (int s = 0; s < 4; ++s) {
        const TDateTime at = Now() + s / 86400.0;
        const AnsiString name = FormatDateTime("yyMMdd'-'HHmmss", at) + "-LiveMeasResult.txt";
        old.push_back(MapWindowsPath(Form->LiveLogFolder + "\\" + name));
        ForceDirectories(ExtractFileDir(old.back()));
        std::ofstream(old.back()) << "old\n";
    }
    Form->LogRunning = 1;
    Form->LiveLogRecordCount = 0;
    Form->LiveLogPath = "";
    {
        // Polling goes on while the user reads the question.
        TReadingUser reader(1000);
        ModalScript::AnswerButton(IDOK);
        StartLiveLog();
    }
    ASSERT_EQ(ModalScript::Log().size(), 1u);
    EXPECT_EQ(ModalScript::Log()[0].Text, "Overwrite the exists file !");
    ASSERT_TRUE(RunUntil([&] { return Form->LiveLogRecordCount >= 2; }));
    EXPECT_EQ(ModalScript::Log().size(), 1u);
    Form->LogRunning = 0;
    Form->LCRTimer->SetEnabled(false);
    for (const AnsiString& path : old)
        DeleteFile(path);
    DeleteFile(MapWindowsPath(Form->LiveLogPath));
}

TEST_F(Polling, EndOfCycleReadsTheRangeBackAndWatchesTheLevelControl)
{
    Sim->Modify([](TInstrumentModel& m) { m.State().Alc = true; });
    Sim->Modify([](TInstrumentModel& m) { m.Options().AlcFails = true; });
    Form->AlcOn = 1;
    Form->RangeCode = 10;
    ShowMeasurementDisplay(4);
    ASSERT_TRUE(RunUntil([&] { return Form->ALCErrorLab->Visible(); }));
    ASSERT_TRUE(RunUntil([&] { return Form->MeasDispRangeLab->Caption() != ""; }));
    EXPECT_TRUE(std::regex_match(Form->MeasDispRangeLab->Caption(), std::regex(R"( \[\d\]  AUTO)")))
        << Form->MeasDispRangeLab->Caption();
    EXPECT_EQ(Form->BinMeasRangeLab->Caption(), Form->MeasDispRangeLab->Caption());
    EXPECT_GE(Form->RangeCode, 10);
    EXPECT_LE(Form->RangeCode, 18);
    const auto lines = Sim->Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "DISP:LINE?"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "FUNC:IMP:RANG?"), lines.end());
    // With the internal trigger every cycle refreshes the text; the timer is not used.
    EXPECT_FALSE(Form->ALCTimer->Enabled());

    // A single reading (another trigger source) shows the text for five ticks.
    Form->LCRTimer->SetEnabled(false);
    Form->ALCTimer->SetEnabled(true);
    Form->AlcErrorTicks = 1;
    for (int tick = 1; tick <= 4; ++tick)
        Form->ALCTimerTimer(nullptr);
    EXPECT_TRUE(Form->ALCErrorLab->Visible());
    Form->ALCTimerTimer(nullptr);
    EXPECT_FALSE(Form->ALCErrorLab->Visible());
    EXPECT_FALSE(Form->ALCTimer->Enabled());
}

TEST_F(Polling, ListRunFillsOneRowPerStepAndLoop)
{
    ShowTab(Form->ListMeasTab, 7);
    Form->ListSetupGrid->SetRowCountEx(4);
    for (int step = 1; step <= 3; ++step) {
        Form->ListSetupGrid->SetCellEx(0, step, std::to_string(step));
        Form->ListSetupGrid->SetCellEx(1, step, "Cp-D");
        Form->ListSetupGrid->SetCellEx(3, step, "1.000");
        Form->ListSetupGrid->SetCellEx(6, step, "OFF");
        Form->ListSetupGrid->SetCellEx(16, step, "OFF");
        Form->ListSetupGrid->SetCellEx(17, step, "OFF");
    }
    Form->MeasListSetupLoopEdit->SetText("2");
    Sim->ClearTranscript();
    TestInput::Click(Form->ListMeasStartBtn);
    ASSERT_TRUE(RunUntil([&] { return Form->TestIdle; }, 8000));
    for (int row = 1; row <= 6; ++row)
        EXPECT_NE(Form->ListMeasGrid->GetCellEx(7, row), "") << row;
    EXPECT_EQ(Form->ListMeasGrid->GetCellEx(7, 7), "");
    const auto lines = Sim->Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "TRIG"), 6);
    EXPECT_EQ(Form->ListLoop, 2);
    EXPECT_EQ(Form->ListStep, 3);
}

TEST_F(Polling, SweepComparePassWritesTheSecondHalfOfTheTable)
{
    ShowTab(Form->SweepGraphTab, 9);
    Form->SweepGraphFunBox->SetItemIndex(1); // Cs-D
    Form->SweepGraphMon1Box->SetItemIndex(1); // Z
    Form->SweepGraphMon2Box->SetItemIndex(0);
    Form->SweepGraphPointEdit->SetText("2");
    SetupSweepGraph();
    Form->SweepResultGrid->SetCellEx(4, 1, " 1.00000 pF"); // pass 1 was measured
    Form->SetSweepGraphCompare->SetItemIndex(0);
    TestInput::Click(Form->SweepGraphStartBtn);
    EXPECT_EQ(Form->ComparePass, 2);
    ASSERT_TRUE(RunUntil([&] { return Form->TestIdle; }, 8000));
    for (int row : {3, 4}) {
        EXPECT_NE(Form->SweepResultGrid->GetCellEx(4, row), "") << row;
        EXPECT_NE(Form->SweepResultGrid->GetCellEx(6, row), "") << row;
        EXPECT_EQ(Form->SweepResultGrid->GetCellEx(7, row), "") << row;
    }
    EXPECT_EQ(Form->SweepResultGrid->GetCellEx(4, 1), " 1.00000 pF");
}

TEST_F(Polling, AListOrSweepRunEndsWithTheOneOffLineWarningWhenTheInstrumentGoes)
{
    const struct { const char* Run; bool Sweep; } runs[] = {{"list", false}, {"sweep", true}};
    for (const auto& r : runs) {
        SCOPED_TRACE(r.Run);
        if (r.Sweep) {
            ShowTab(Form->SweepGraphTab, 9);
            Form->SweepGraphPointEdit->SetText("50");
            SetupSweepGraph();
            TestInput::Click(Form->SweepGraphStartBtn);
        } else {
            ShowTab(Form->ListMeasTab, 7);
            Form->ListSetupGrid->SetRowCountEx(3);
            for (int step = 1; step <= 2; ++step) {
                Form->ListSetupGrid->SetCellEx(0, step, std::to_string(step));
                Form->ListSetupGrid->SetCellEx(1, step, "Cp-D");
                Form->ListSetupGrid->SetCellEx(3, step, step == 1 ? "1.000" : "2.000");
                Form->ListSetupGrid->SetCellEx(6, step, "OFF");
                Form->ListSetupGrid->SetCellEx(16, step, "OFF");
                Form->ListSetupGrid->SetCellEx(17, step, "OFF");
            }
            Form->MeasListSetupLoopEdit->SetText("100");
            TestInput::Click(Form->ListMeasStartBtn);
        }
        ASSERT_TRUE(Form->TestRunning);
        TRavArodozIdad* results = r.Sweep ? Form->SweepResultGrid : Form->ListMeasGrid;
        const int column = r.Sweep ? 4 : 7;
        ASSERT_TRUE(RunUntil([&] { return results->GetCellEx(column, 2) != ""; }, 8000));
        {
            TReadingUser reader(1000);
            ModalScript::AnswerButton(IDOK);
            Sim->HangUp();
            ASSERT_TRUE(RunUntil([&] { return !Form->Connected && ModalScript::PendingAnswers() == 0; }, 5000));
            RunFor(300);
        }
        AnsiString boxes;
        for (const TModalRequest& box : ModalScript::Log())
            boxes += box.Text + " | ";
        ASSERT_EQ(ModalScript::Log().size(), 1u) << boxes;
        EXPECT_EQ(ModalScript::Log()[0].Text, "''ZV-E'' ComPort Off_Line !");
        EXPECT_FALSE(Form->TestRunning);
        EXPECT_TRUE(Form->TestIdle);
        EXPECT_FALSE(Form->LCRTimer->Enabled());
        EXPECT_FALSE(Form->StepTimer->Enabled());
        EXPECT_TRUE((r.Sweep ? Form->SweepGraphStartBtn : Form->ListMeasStartBtn)->Enabled());
        // The window can be closed: no test is running any more.
        ModalScript::ClearLog();
        ModalScript::AnswerButton(IDOK);
        EXPECT_TRUE(Form->CloseQuery());
        ModalScript::ClearLog();
        Sim->Stop();
        NewForm();
        StartSim();
        ConnectThroughPanel();
        ASSERT_TRUE(Form->Connected);
    }
}

TEST_F(Polling, TheBinCountPageIsPolledWhileCountingIsOn)
{
    Sim->Modify([](TInstrumentModel& m) { m.State().CompOn = true; });
    Form->CompOn = 1;
    Form->BinNumber = 1;
    Form->MeasFunction = 4;
    Form->Monitor1 = 1;
    Form->TrigSource = 1;
    Form->BinCounts[0] = 1;
    Form->PageId = 6;
    ShowPage("Send");
    EXPECT_TRUE(Form->LCRTimer->Enabled());
    const size_t from = Sim->LineCount();
    ASSERT_TRUE(RunUntil([&] { return Form->BinCounts[1] + Form->BinCounts[10] + Form->BinCounts[11] >= 3; }));
    const auto lines = Sim->Lines();
    for (size_t i = from + 1; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i] == "FETC?" || lines[i] == "FUNC:IMP:RANG?") << lines[i];

    // Counting off: the page is not polled.
    Form->BinCounts[0] = 0;
    ShowPage("Send");
    EXPECT_FALSE(Form->LCRTimer->Enabled());
}
