// Start, connection, the command exchange, going off line, the terminal strip and shut-down.
#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <utime.h>

#include "main/About.h"
#include "main/Program.h"
#include "platform/graphics/Picture.h"
#include "platform/forms/Button.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Memo.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/Timer.h"
#include "platform/win/SingleInstance.h"
#include "components/controls/Owbuttons.h"
#include "components/controls/Voduriz.h"
#include "tests/main/MainTestSupport.h"

namespace {

size_t Count(const std::vector<AnsiString>& Lines, const AnsiString& Line)
{
    return static_cast<size_t>(std::count(Lines.begin(), Lines.end(), Line));
}

const std::vector<AnsiString> IdentificationLines = {"*IDN?", "SYST:SHAK OFF", "SYST:SHAK?", "SYST:CODE OFF",
    "SYST:CODE?", "SYST:RES fetch", "SYST:RES?"};

// The transcript with the repeats of "*IDN?" that a slow first answer causes on a loaded machine.
std::vector<AnsiString> OneIdentification(std::vector<AnsiString> Lines)
{
    while (Lines.size() > 1 && Lines[0] == "*IDN?" && Lines[1] == "*IDN?")
        Lines.erase(Lines.begin());
    return Lines;
}

} // namespace

TEST(ProgramStart, SecondStartBringsTheFirstToTheFront)
{
    TNamedMutex first("Zorvane");
    ASSERT_FALSE(first.AlreadyExists());
    int activations = 0;
    SetActivationHandler([&] { ++activations; });
    EXPECT_FALSE(RefuseSecondInstance(first));

    ModalScript::AnswerButton(IDOK);
    TNamedMutex second("Zorvane");
    EXPECT_TRUE(RefuseSecondInstance(second));
    EXPECT_EQ(ModalScript::LastRequest().Text, "'' Zorvane '' has already been opened!");
    EXPECT_TRUE(RunUntil([&] { return activations == 1; }));
    SetActivationHandler(nullptr);
    Application->SetTitle("");
}

TEST_F(MainWindowFixture, SecondStartRestoresTheFirstWindow)
{
    TNamedMutex first("Zorvane");
    ASSERT_FALSE(first.AlreadyExists());
    Application->SetMainForm(Form.get());
    ListenForLaterStarts();
    // The program's window minimised: the running instance's own handler answers.
    Form->SetWindowState(wsMinimized);

    ModalScript::AnswerButton(IDOK);
    TNamedMutex second("Zorvane");
    EXPECT_TRUE(RefuseSecondInstance(second));
    EXPECT_TRUE(RunUntil([&] { return Form->WindowState() == wsNormal; }, 2000));
    EXPECT_TRUE(Form->Visible());
    SetActivationHandler(nullptr);
    Application->SetMainForm(nullptr);
    Application->SetTitle("");
}

// Controls the window deletes while it lives (refilled radio groups) must not be
// left behind in its tab order: showing it again would read freed memory.
TEST_F(MainWindowFixture, TheWindowCanBeMadeShownAndDestroyedManyTimes)
{
    for (int i = 0; i < 100; ++i) {
        NewForm();
        Form->SelectNext(nullptr, true, true);
        Form->SetVisible(false);
        Form->SetVisible(true);
    }
    std::vector<TWinControl*> order;
    Form->GetTabOrderList(order);
    for (TWinControl* w : order)
        EXPECT_TRUE(w->Parent() != nullptr);
}

TEST_F(MainWindowFixture, StartsWithOnlyTheMainViewAndNoConnection)
{
    EXPECT_EQ(Form->Caption(), "Zorvane Series");
    EXPECT_EQ(Form->Width(), 1101);
    EXPECT_EQ(Form->Height(), 621) << Form->ClientHeight() << " " << Form->CaptionHeight() << " " << Form->MenuHeight();
    EXPECT_TRUE(Form->MainViewTab->TabVisible());
    for (TTabSheet* t : {Form->ListMeasTab, Form->ListSetupTab, Form->SweepGraphTab, Form->GraphReportTab})
        EXPECT_FALSE(t->TabVisible()) << t->Name();
    EXPECT_FALSE(Form->MainPanel->Enabled());
    for (TPanel* p : {Form->MeasDispPan, Form->MeasSetupPan, Form->EnlargeDispPan, Form->BinMeasPan,
             Form->BinSetupPan, Form->BinCountPan, Form->ComPortPanel})
        EXPECT_FALSE(p->Visible()) << p->Name();
    EXPECT_EQ(Form->PageId, 0);
    EXPECT_FALSE(Form->Connected);
    EXPECT_FALSE(Form->LCRCom->Active());
    EXPECT_EQ(Form->BaudIndex, 1);
    EXPECT_EQ(Form->ModelName, "");
    EXPECT_EQ(Form->FreqTypeLab->Caption(), "");
    EXPECT_EQ(Form->SendComboBox->Items()->Count(), 188);
    EXPECT_EQ(Form->SendComboBox->Items()->Strings(187), "SYST:RES?");
    EXPECT_EQ(Form->BaudRate->ItemIndex(), 4);
    EXPECT_EQ(Form->SetComPort->ItemIndex(), 0);
    EXPECT_EQ(Form->TraceColorOf(1), 0xFF0000);
    EXPECT_EQ(Form->TraceColorOf(8), 0x4080FF);
}

// The window's size follows its contents: dragging its frame changes nothing, it has no
// maximise button, and minimise and restore bring it back as it was.
TEST_F(MainWindowFixture, TheUserCannotChangeTheWindowsSize)
{
    EXPECT_EQ(TestInput::ShownTitleButtons(Form.get()), TBorderIcons(biSystemMenu | biMinimize));
    const TRect client = Form->ClientRect();
    for (const auto& [dx, dy] : {std::pair{200, 150}, std::pair{-300, -250}, std::pair{-1000, 0}, std::pair{0, 400}}) {
        TestInput::DragWindowFrame(Form.get(), dx, dy);
        EXPECT_EQ(Form->Width(), 1101) << dx << " " << dy;
        EXPECT_EQ(Form->Height(), 621) << dx << " " << dy;
        EXPECT_EQ(Form->ClientRect(), client);
    }
    EXPECT_THROW(TestInput::ClickTitleButton(Form.get(), biMaximize), EInvalidOperation);
    TestInput::ClickTitleButton(Form.get(), biMinimize);
    EXPECT_EQ(Form->WindowState(), wsMinimized);
    TestInput::RestoreWindow(Form.get());
    EXPECT_EQ(Form->WindowState(), wsNormal);
    EXPECT_EQ(Form->Width(), 1101);
    EXPECT_EQ(Form->Height(), 621);
}

TEST_F(MainWindowFixture, ConnectsAtEachBaudRateToEachKindOfModel)
{
    const struct { int BaudItem; const char* Token; const char* Model; const char* KHz; } cases[] = {
        {0, "ZVA", "ZV-A", "2"}, {1, "ZVC", "ZV-C", "100"}, {2, "ZV-XB", "ZV-XB", "20"},
        {3, "ZVD", "ZV-D", "200"}, {4, "ZV-XE", "ZV-XE", "300"}};
    const char* baudTexts[] = {"1200", "9600", "38400", "57600", "115200"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Token);
        NewForm();
        StartSim(c.Token);
        ConnectThroughPanel(kTestPort, c.BaudItem);
        EXPECT_EQ(OneIdentification(Sim->Lines()), IdentificationLines);
        EXPECT_TRUE(Form->Connected);
        EXPECT_EQ(Form->BaudIndex, c.BaudItem + 1);
        EXPECT_EQ(Form->ModelName, c.Model);
        EXPECT_EQ(Form->TypeLab->Caption(), c.Model);
        EXPECT_EQ(Form->FreqTypeLab->Caption(), AnsiString("  10 Hz - ") + c.KHz + " kHz");
        EXPECT_EQ(Form->SweepEndEdit->GetText(), AnsiString(c.KHz) + ".00"); // a float field of 2 decimals
        EXPECT_EQ(Form->StatusBar->SimpleText(), AnsiString(" Serial No: ZV25110042  /  FW Version: V2.03  /  ") +
                "Com Port: 7  /  Baud Rate: " + baudTexts[c.BaudItem]);
        EXPECT_TRUE(Form->MainPanel->Enabled());
        EXPECT_FALSE(Form->ComPortPanel->Visible());
        EXPECT_TRUE(Sim->State().SystResult == "FETCH");
        Form.reset();
        Sim->Stop();
    }
}

TEST_F(MainWindowFixture, EnterInThePortListActsAsOk)
{
    StartSim();
    Form->Setting1->Click();
    TestInput::ProcessEvents();
    TestInput::Click(Form->BaudRate->Buttons(4));
    SelectPort(kTestPort);
    TestInput::PressKey(Form->SetComPort, VK_RETURN);
    EXPECT_TRUE(Form->Connected);
    EXPECT_EQ(Sim->Lines().front(), "*IDN?");
}

TEST_F(MainWindowFixture, SilentInstrumentAndWrongModelAreRefused)
{
    StartSim();
    Sim->SetFault(TSimFault::Silence);
    ModalScript::AnswerButton(IDOK);
    ConnectThroughPanel(kTestPort, 1);
    EXPECT_EQ(ModalScript::LastRequest().Text, "'''' ComPort Off_Line !");
    EXPECT_EQ(ModalScript::LastRequest().Caption, "Warning");
    EXPECT_EQ(Count(Sim->Lines(), "*IDN?"), 5u);
    EXPECT_EQ(Form->StatusBar->SimpleText(), " ComPort Off_Line ");
    EXPECT_FALSE(Form->Connected);
    EXPECT_FALSE(Form->MainPanel->Enabled());

    // The next Ok closes the port first and tries again; a garbled model is no model.
    Sim->ClearFaults();
    Sim->ClearTranscript();
    TSimFaultSettings garble;
    garble.OnlyFor = "*IDN";
    garble.GarbageText = "XX";
    Sim->SetFaultSettings(garble);
    Sim->SetFault(TSimFault::Garbage, 1);
    ModalScript::AnswerButton(IDOK);
    ConnectThroughPanel(kTestPort, 1);
    EXPECT_EQ(ModalScript::LastRequest().Text, "The ''Model''  error !");
    EXPECT_EQ(Form->StatusBar->SimpleText(), " The ''Model''  error ! ");
    EXPECT_EQ(Sim->Lines(), std::vector<AnsiString>{"*IDN?"});
    EXPECT_FALSE(Form->Connected);
    EXPECT_EQ(Form->ModelName, "");

    // A port that does not exist: the component's message, pages stay off.
    Sim->Stop();
    ModalScript::AnswerButton(IDOK);
    ConnectThroughPanel(kTestPort + 1, 1);
    EXPECT_EQ(ModalScript::LastRequest().Kind, TModalKind::MessageBox);
    EXPECT_NE(ModalScript::LastRequest().Text.find("COM8"), AnsiString::npos) << ModalScript::LastRequest().Text;
    EXPECT_FALSE(Form->ComPortPanel->Visible());
    EXPECT_FALSE(Form->MainPanel->Enabled());
}

TEST_F(MainWindowFixture, OkWhileConnectedKeepsTheLinkAsItIs)
{
    StartSim();
    ConnectThroughPanel(kTestPort, 2);
    Sim->ClearTranscript();
    ModalScript::AnswerButton(IDOK);
    ConnectThroughPanel(kTestPort, 0);
    EXPECT_EQ(ModalScript::LastRequest().Text, "Com port have been opened!");
    EXPECT_EQ(Form->BaudIndex, 3);
    EXPECT_EQ(Form->LCRCom->Baudrate(), br38400);
    EXPECT_TRUE(Form->Connected);
    EXPECT_TRUE(Form->MainPanel->Enabled());
    EXPECT_TRUE(Sim->Lines().empty());
}

TEST_F(MainWindowFixture, SettingIsJoinedWithItsQueryAndRepeatedWhileTheReadBackDiffers)
{
    StartSim("ZVE", [](TSimOptions& o) { o.RefuseAlc = true; });
    ConnectThroughPanel();
    Sim->ClearTranscript();
    SendAndVerify("FUNC Cs-D", "FUNC?", "Cs-D");
    EXPECT_EQ(Sim->Lines(), std::vector<AnsiString>{"FUNC Cs-D;:FUNC?"});
    EXPECT_EQ(Form->LastCommand, "FUNC Cs-D;:FUNC?");

    Sim->ClearTranscript();
    SendAndVerify("LEV:ALC ON", "LEV:ALC?", "ON");
    EXPECT_EQ(Sim->Lines(), std::vector<AnsiString>(5, "LEV:ALC ON;:LEV:ALC?"));

    // The page query is a line of its own; a lower-case page word matches after upper-casing.
    Sim->ClearTranscript();
    SendAndVerify("DISP:PAGE MSET", "DISP:PAGE?", "MSET");
    EXPECT_EQ(Sim->Lines(), (std::vector<AnsiString>{"DISP:PAGE MSET", "DISP:PAGE?"}));

    // A read-back of the numeric length that is no number is a mismatch, not an error.
    TSimFaultSettings garble;
    garble.OnlyFor = "FREQ";
    garble.GarbageText = "xx";
    Sim->SetFaultSettings(garble);
    Sim->SetFault(TSimFault::Garbage, 2);
    Sim->ClearTranscript();
    Form->LCRTimer->SetEnabled(true);
    Form->ReplyReady = true;
    SendAndVerify("FREQ 1.000k", "FREQ?", "1.000");
    EXPECT_EQ(Sim->Lines(), std::vector<AnsiString>(3, "FREQ 1.000k;:FREQ?"));
    EXPECT_TRUE(Form->LCRTimer->Enabled());
    EXPECT_TRUE(Form->ReplyReady);
    EXPECT_FALSE(Form->VerifyBusy);
    Form->LCRTimer->SetEnabled(false);

    // A nominal read-back ("1.00000e-07" for 100n) matches when it is the same number, however
    // either side writes it; another number is a mismatch, repeated like any other.
    const struct { int Function; const char* Sent; const char* Expected; size_t Writes; } nominals[] = {
        {1, "100n", "100.000n", 1}, {1, "0.1u", "0.1u", 1}, {1, "100n", "100n", 1}, {1, "100n", "0.0001m", 1},
        {6, "1.5k", "1.5k", 1}, {1, "100n", "100.1n", 5}, {1, "100n", "100u", 5}, {6, "1.5k", "1.5", 5}};
    for (const auto& c : nominals) {
        Form->MeasFunction = c.Function;
        Sim->ClearTranscript();
        const AnsiString command = AnsiString("COMP:TOL:NOM ") + c.Sent;
        SendAndVerify(command, "COMP:TOL:NOM?", c.Expected);
        EXPECT_EQ(Sim->Lines(), std::vector<AnsiString>(c.Writes, command + ";:COMP:TOL:NOM?"))
            << c.Sent << " read back as " << c.Expected;
    }
}

TEST_F(MainWindowFixture, PendingReadingsAreDrainedBeforeAVerifiedExchange)
{
    StartSim("ZVE", [](TSimOptions& o) { o.LevelReplySigned = true; });
    ConnectThroughPanel();
    ShowMeasurementDisplay();
    ASSERT_TRUE(RunUntil([&] { return !Form->PrimaryEdit->GetText().empty(); }));
    // A fetch is on its way when the setting goes out: its reply must not count as the read-back.
    TestInput::ProcessEvents();
    Form->LCRTimerTimer(nullptr);
    Sim->ClearTranscript();
    SendAndVerify("LEV:VOLT 1.00", "VOLT?", "1.00");
    EXPECT_EQ(Count(Sim->Lines(), "LEV:VOLT 1.00;:VOLT?"), 1u);
    EXPECT_TRUE(Form->LCRTimer->Enabled());

    // A 10-character level read-back is normalised on the repeats too.
    Sim->ClearTranscript();
    SendAndVerify("LEV:VOLT 0.50", "VOLT?", "1.00");
    EXPECT_EQ(Count(Sim->Lines(), "LEV:VOLT 0.50;:VOLT?"), 5u);
    Sim->ClearTranscript();
    TSimFaultSettings once;
    once.OnlyFor = "VOLT";
    Sim->SetFaultSettings(once);
    Sim->SetFault(TSimFault::Silence, 1);
    SendAndVerify("LEV:VOLT 2.00", "VOLT?", "2.00");
    EXPECT_EQ(Count(Sim->Lines(), "LEV:VOLT 2.00;:VOLT?"), 2u);
}

TEST_F(MainWindowFixture, ReadBacksAreNormalisedToTheSettersTexts)
{
    const struct { const char* Reply; const char* Kind; int Function; const char* Text; } cases[] = {
        {"+1.00000e+03", "Freq", 1, "1.000"}, {"+5.00000e+01", "Freq", 1, "50.00"}, {"+2.00000e+05", "Freq", 1, "200.0"},
        {"1.000e+00", "Level(V)", 1, "1.00"}, {"1.000e-02", "Level(V)", 1, "10.00"},
        {"+1.000e-02", "Level(mA)", 1, "10.00"}, {"+1.0000e-15", "Nominal", 2, "0.00100p"},
        {"+1.0000e-07", "Nominal", 1, "100.000n"}, {"+1.5000e+03", "Nominal", 6, "1500.00"},
        {"+2.0000e+09", "Nominal", 9, "2000.00M"}, {"+1.0000e+00", "Other", 1, ""}};
    for (const auto& c : cases) {
        Form->MeasFunction = c.Function;
        EXPECT_EQ(NormalizeQueryReply(c.Reply, c.Kind), c.Text) << c.Reply << " " << c.Kind;
    }
}

TEST_F(MainWindowFixture, WaitsAreLongerAt1200Baud)
{
    StartSim();
    ConnectThroughPanel(kTestPort, 0);
    RecordProgramWaits();
    // Without a query: SendCommand alone. With one: SendAndVerify, its query on a line of its
    // own ("DISP:PAGE?") or joined to the command ("APER?").
    const struct { int BaudIndex; const char* Command; const char* Query; const char* Reply;
        std::vector<std::uint64_t> Waits; } cases[] = {
        {1, "APER FAST", nullptr, nullptr, {200}}, {1, "APER?", nullptr, nullptr, {300}},
        {2, "APER FAST", nullptr, nullptr, {100}}, {2, "APER?", nullptr, nullptr, {50}},
        {5, "APER?", nullptr, nullptr, {50}},
        {1, "DISP:PAGE MEAS", "DISP:PAGE?", "MEAS", {200, 800, 300}},
        {3, "DISP:PAGE MEAS", "DISP:PAGE?", "MEAS", {100, 400, 50}},
        {1, "APER FAST", "APER?", "FAST", {300, 100}}, {4, "APER FAST", "APER?", "FAST", {50, 100}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(AnsiString(c.Command) + " at " + std::to_string(c.BaudIndex));
        Form->BaudIndex = c.BaudIndex;
        ProgramWaits.clear();
        const std::uint64_t start = ClockMilliseconds();
        if (c.Query)
            SendAndVerify(c.Command, c.Query, c.Reply);
        else
            SendCommand(c.Command);
        const std::uint64_t elapsed = ClockMilliseconds() - start;
        // Every wait the program took, each of its own length: neither shorter nor longer.
        EXPECT_EQ(ProgramWaits, c.Waits);
        std::uint64_t total = 0;
        for (std::uint64_t w : c.Waits)
            total += w;
        EXPECT_GE(elapsed, total);
    }
    EXPECT_TRUE(Sim->WaitForLineCount(IdentificationLines.size() + 11, 2000));
}

TEST_F(MainWindowFixture, OffLineThenReconnect)
{
    // Behind a real serial device: its hang-up is the kernel's.
    StartSim("ZVE", {}, TLine::Pty);
    ConnectThroughPanel();
    ShowMeasurementDisplay();
    ASSERT_TRUE(RunUntil([&] { return !Form->PrimaryEdit->GetText().empty(); }));

    ModalScript::AnswerButton(IDOK);
    Sim->HangUp();
    ASSERT_TRUE(RunUntil([&] { return !Form->Connected; }));
    EXPECT_EQ(ModalScript::LastRequest().Text, "''ZV-E'' ComPort Off_Line !");
    EXPECT_EQ(Form->StatusBar->SimpleText(), " ComPort Off_Line ");
    EXPECT_FALSE(Form->PowerOn);
    EXPECT_FALSE(Form->LCRTimer->Enabled());
    EXPECT_FALSE(Form->MeasDispPan->Visible());
    EXPECT_FALSE(Form->MainPanel->Enabled());
    EXPECT_EQ(Form->PageId, 0);
    EXPECT_TRUE(Form->LCRCom->Active());
    RunFor(200);
    EXPECT_EQ(ModalScript::Log().size(), 1u);

    // The instrument is back: Setting, Ok identifies it again.
    Sim->Stop();
    StartSim("ZVE", {}, TLine::Pty);
    ConnectThroughPanel();
    EXPECT_TRUE(Form->Connected);
    EXPECT_EQ(OneIdentification(Sim->Lines()), IdentificationLines);
}

TEST_F(MainWindowFixture, APulledCableIsOneOffLineEventWhileTheUserReadsItsBox)
{
    // The device vanishes while the program polls. The kernel reports the hang-up; or the next
    // tick writes to the dead line before that report is handled. Either way the user, who
    // reads every box for a second while the window's loop runs, sees one warning.
    const struct { const char* Case; bool WriteFirst; } cases[] = {{"hang-up reported first", false},
        {"a tick writes first", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        StartSim("ZVE", {}, TLine::Pty);
        ConnectThroughPanel();
        ASSERT_TRUE(Form->Connected);
        ShowMeasurementDisplay();
        ASSERT_TRUE(RunUntil([&] { return !Form->PrimaryEdit->GetText().empty(); }));

        ModalScript::ClearLog();
        std::vector<AnsiString> seen;
        {
            // What the program looks like while the box is up.
            TReadingUser reader(1000, [&](const TModalRequest& R) {
                seen.push_back(R.Text);
                EXPECT_FALSE(Form->LCRTimer->Enabled()) << R.Text;
                EXPECT_FALSE(Form->MeasDispPan->Visible()) << R.Text;
                EXPECT_FALSE(Form->Connected) << R.Text;
            });
            ModalScript::AnswerButton(IDOK);
            Sim->HangUp();
            ASSERT_TRUE(Sim->HungUp());
            if (c.WriteFirst) {
                Form->ReplyReady = true;
                Application->Guard([&] { Form->LCRTimerTimer(Form->LCRTimer); }, Form->LCRTimer);
            }
            ASSERT_TRUE(RunUntil([&] { return !Form->Connected && ModalScript::PendingAnswers() == 0; }, 5000));
            // Long enough for many more ticks, had any timer stayed on.
            RunFor(600);
        }
        AnsiString boxes;
        for (const TModalRequest& r : ModalScript::Log())
            boxes += r.Text + " | ";
        ASSERT_EQ(ModalScript::Log().size(), 1u) << boxes;
        EXPECT_EQ(seen, std::vector<AnsiString>{"''ZV-E'' ComPort Off_Line !"});
        EXPECT_EQ(ModalScript::Log()[0].Caption, "Warning");
        EXPECT_EQ(Form->StatusBar->SimpleText(), " ComPort Off_Line ");
        EXPECT_FALSE(Form->PowerOn);
        EXPECT_FALSE(Form->MainPanel->Enabled());
        EXPECT_EQ(Form->PageId, 0);
        ModalScript::ClearLog();
        if (c.WriteFirst) {
            // Nor does closing stick on the gone line: it goes without a word and closes the port.
            ModalScript::AnswerButton(IDOK);
            EXPECT_TRUE(Form->CloseQuery());
            EXPECT_FALSE(Form->LCRCom->Active());
            EXPECT_EQ(ModalScript::Log().size(), 1u);
            ModalScript::ClearLog();
        } else {
            // The port stays open until Ok closes and opens it again.
            EXPECT_TRUE(Form->LCRCom->Active());
        }

        // The instrument is back: Setting and Ok connect again, and polling reads again.
        Sim->Stop();
        StartSim("ZVE", {}, TLine::Pty);
        Sim->ClearTranscript();
        ConnectThroughPanel();
        EXPECT_TRUE(Form->Connected);
        ASSERT_FALSE(Sim->Lines().empty());
        EXPECT_EQ(Sim->Lines()[0], "*IDN?");
        Form->PrimaryEdit->SetText("");
        ShowMeasurementDisplay();
        EXPECT_TRUE(RunUntil([&] { return !Form->PrimaryEdit->GetText().empty(); }));
        EXPECT_TRUE(ModalScript::Log().empty());
        Form->LCRTimer->SetEnabled(false);
        Sim->Stop();
        NewForm();
    }
}

TEST_F(MainWindowFixture, SavedFilesCarryTheProgramFilesDate)
{
    const auto stamp = [](std::time_t t) {
        std::tm local{};
        localtime_r(&t, &local);
        local.tm_sec -= local.tm_sec % 2; // file dates count in steps of two seconds
        char text[32];
        std::strftime(text, sizeof text, "%Y/%m/%d-%H:%M:%S", &local);
        return AnsiString(text);
    };
    struct stat self {};
    ASSERT_EQ(::stat("/proc/self/exe", &self), 0);
    // Installed under the prefix: that file's date; not installed: the running program's.
    std::tm installed{};
    installed.tm_year = 121;
    installed.tm_mon = 10;
    installed.tm_mday = 25;
    installed.tm_hour = 14;
    installed.tm_min = 3;
    installed.tm_sec = 22;
    installed.tm_isdst = -1;
    const std::time_t installedAt = std::mktime(&installed);
    const struct { const char* Installed; AnsiString Date; } cases[] = {
        {nullptr, stamp(self.st_mtime)},
        {"C:\\Program Files (x86)\\ZorvanePC\\Zorvane_PC.exe", "2021/11/25-14:03:22"},
        {"C:\\Program Files\\ZorvanePC\\Zorvane_PC.exe", "2021/11/25-14:03:22"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Installed ? c.Installed : "not installed");
        AnsiString path;
        if (c.Installed) {
            path = MapWindowsPath(c.Installed);
            std::filesystem::create_directories(std::filesystem::path(path).parent_path());
            std::ofstream(path) << "program";
            const utimbuf times{installedAt, installedAt};
            ASSERT_EQ(::utime(path.c_str(), &times), 0);
        }
        NewForm();
        EXPECT_EQ(Form->ExeDateTimeText, c.Date);
        if (c.Installed)
            std::filesystem::remove(path);
    }
}

TEST_F(MainWindowFixture, ExchangeOffLineShowsOneNotice)
{
    ModalScript::AnswerButton(IDOK);
    SendAndVerify("FUNC Cs-D", "FUNC?", "Cs-D");
    EXPECT_EQ(ModalScript::Log().size(), 1u);
    EXPECT_EQ(ModalScript::LastRequest().Text, "'''' ComPort Off_Line !");
    EXPECT_EQ(Form->StatusBar->SimpleText(), " ComPort Off_Line ");
    EXPECT_FALSE(Form->VerifyBusy);
}

TEST_F(MainWindowFixture, TerminalStripSendsTypedLinesAndShowsReplies)
{
    StartSim();
    ConnectThroughPanel();
    Sim->ClearTranscript();
    TestInput::Click(Form->mSend);
    TestInput::TypeText(Form->mSend, "FREQ?");
    TestInput::Click(Form->btnSend);
    EXPECT_EQ(Sim->Lines(), std::vector<AnsiString>{"FREQ?"});
    EXPECT_EQ(Form->LastCommand, "");
    ASSERT_TRUE(RunUntil([&] { return !Form->mReceive->Text().empty(); }));
    EXPECT_NE(Form->mReceive->Text().find("e+03"), AnsiString::npos) << Form->mReceive->Text();

    TestInput::Click(Form->SendClearBtn);
    EXPECT_EQ(Form->mReceive->Text(), "");
    TestInput::Click(Form->btnReceive);
    EXPECT_EQ(Form->mReceive->Text(), "");
}

TEST_F(MainWindowFixture, ClosingAsksRefusesDuringATestAndLeavesTheInstrumentClean)
{
    StartSim();
    ConnectThroughPanel();
    ShowMeasurementDisplay();
    RunFor(100);

    ModalScript::AnswerButton(IDCANCEL);
    EXPECT_FALSE(Form->CloseQuery());
    EXPECT_EQ(ModalScript::LastRequest().Text, "Sure to quit ?");
    EXPECT_TRUE(Form->LCRTimer->Enabled());

    const struct { bool List; bool Sweep; const char* Text; } tests[] = {{true, false, "''List Setup'' is testing !"},
        {false, true, "''Sweep Graph'' is testing !"}, {false, false, "''Sweep Graph'' is testing !"}};
    for (const auto& t : tests) {
        Form->TestRunning = true;
        Form->ListMeasRunning = t.List;
        Form->SweepRunning = t.Sweep;
        ModalScript::AnswerButton(IDOK);
        ModalScript::AnswerButton(IDOK);
        EXPECT_FALSE(Form->CloseQuery());
        EXPECT_EQ(ModalScript::LastRequest().Text, t.Text);
    }
    Form->TestRunning = Form->ListMeasRunning = Form->SweepRunning = false;

    ModalScript::AnswerButton(IDOK);
    EXPECT_TRUE(Form->CloseQuery());
    const auto lines = Sim->Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "DISP:PAGE MEAS");
    EXPECT_EQ(lines.back(), "SYST:KEYLOCK OFF");
    EXPECT_FALSE(Form->LCRCom->Active());
    EXPECT_FALSE(Form->LCRTimer->Enabled());
}

TEST_F(MainWindowFixture, TabsRefuseToLeaveAnOpenPanelAndSetThePage)
{
    for (TTabSheet* t : {Form->ListMeasTab, Form->ListSetupTab, Form->SweepGraphTab})
        t->SetTabVisible(true);
    TestInput::ProcessEvents();
    auto clickTab = [&](TTabSheet* tab) {
        const TRect r = Form->LCRPag->TabRect(tab->TabIndex());
        TestInput::Click(Form->LCRPag, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    clickTab(Form->ListSetupTab);
    EXPECT_EQ(Form->PageId, 8);
    clickTab(Form->ListMeasTab);
    EXPECT_EQ(Form->PageId, 7);

    clickTab(Form->ListSetupTab);
    Form->SetNominalPan->SetVisible(true);
    ModalScript::AnswerButton(IDOK);
    clickTab(Form->SweepGraphTab);
    EXPECT_EQ(ModalScript::LastRequest().Text, " ''Set Mon1 / Mon2  REL and  ABS Nominal'' has not been close !");
    EXPECT_EQ(Form->LCRPag->ActivePage(), Form->ListSetupTab);
    EXPECT_EQ(Form->PageId, 8);
    Form->SetNominalPan->SetVisible(false);

    // Main View does nothing while an entry is out of range, and returns to the front panel otherwise.
    Form->SetPagesEnabled(true);
    TestInput::ProcessEvents();
    Form->InputError = true;
    TestInput::Click(Form->ListSetupMeasDispBtn);
    EXPECT_EQ(Form->LCRPag->ActivePage(), Form->ListSetupTab);
    Form->InputError = false;
    TestInput::Click(Form->ListSetupMeasDispBtn);
    EXPECT_EQ(Form->LCRPag->ActivePage(), Form->MainViewTab);
    EXPECT_FALSE(Form->ListSetupTab->TabVisible());
    EXPECT_EQ(Form->PageId, 1);
}

TEST_F(MainWindowFixture, AboutShowsTheAboutWindowModally)
{
    auto box = std::make_unique<TAboutBox>(nullptr);
    AboutBox = box.get();
    EXPECT_EQ(box->Caption(), "About");
    EXPECT_EQ(box->ClientWidth(), 495);
    EXPECT_EQ(box->ClientHeight(), 291);
    EXPECT_NE(box->QNAboutIma->Picture()->Graphic(), nullptr);
    EXPECT_NE(box->LCRIma->Picture()->Graphic(), nullptr);
    TModalAnswer ok;
    ok.Result = mrOk;
    ModalScript::Answer(ok);
    Form->About1->Click();
    EXPECT_EQ(ModalScript::LastRequest().Kind, TModalKind::Form);
    EXPECT_EQ(ModalScript::LastRequest().Form, box.get());
    AboutBox = nullptr;
}
