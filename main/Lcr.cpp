#include "main/Lcr.h"

#include "components/comm/Sercomm.h"
#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"
#include "list/ListPublic.h"
#include "main/About.h"
#include "main/Public.h"
#include "panel/PanelPublic.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Application.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Memo.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/Timer.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/win/Locale.h"
#include "platform/win/Paths.h"
#include "platform/win/Process.h"
#include "platform/win/Timing.h"

TLCRForm* LCRForm = nullptr;

namespace {

// Polling ticks without a complete reply after which the reply counts as lost.
constexpr int LostReplyTicks = 5;

const char* const BaudTexts[] = {"1200", "9600", "38400", "57600", "115200"};
const TSerBaudrate BaudRates[] = {br1200, br9600, br38400, br57600, br115200};

} // namespace

TLCRForm::TLCRForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName("LCRForm");
    SetCaption("Zorvane Series");
    SetBorderIcons(biSystemMenu | biMinimize);
    SetScaled(false);
    CreateControls();
    // The pointer serves the free functions from here on.
    LCRForm = this;

    const TSystemNumberFormat system = GetSystemNumberFormat();
    DecimalComma = system.DecimalSeparator == ',' || system.ThousandSeparator == '.';
    SetPriorityClass(HIGH_PRIORITY_CLASS);
    if (Application)
        Application->SetUpdateFormatSettings(false);
    FormatSettings.ShortDateFormat = "MM/DD/yyyy";
    FormatSettings.LongDateFormat = "MM/DD/yyyy";
    FormatSettings.ShortTimeFormat = "HH:mm:ss";
    FormatSettings.LongTimeFormat = "HH:mm:ss";
    FormatSettings.DateSeparator = '/';
    FormatSettings.TimeSeparator = ':';
    FormatSettings.DecimalSeparator = '.';
    FormatSettings.ThousandSeparator = ',';

    InitFormState();
    LoadPanelBitmaps();
    ReadProgramFileDate();
    FillCommandExamples();
}

TLCRForm::~TLCRForm()
{
    // The port goes first: its last deliveries must not reach controls already freed.
    LCRCom->OnRxChar = nullptr;
    LCRCom->OnDsr = nullptr;
    LCRCom->Close();
    for (TTimer* t : {LCRTimer, StepTimer, ALCTimer})
        t->SetEnabled(false);
    CloseLiveLog();
    if (LCRForm == this)
        LCRForm = nullptr;
}

Int64 TLCRForm::MeasSetupField(int n) const
{
    const int* const fields[MeasSetupFieldCount] = {&LogRunning, &MeasFunction, &Frequency, &Level, &SourceRes, &Bias,
        &AutoLcz, &TrigDelay, &AlcOn, &RangeCode, &TrigSource, &Speed, &AverageCount, &Monitor1, &Monitor2,
        nullptr, &NominalUnit};
    return fields[n] ? *fields[n] : NominalValue;
}

void TLCRForm::SetMeasSetupField(int n, Int64 v)
{
    int* const fields[MeasSetupFieldCount] = {&LogRunning, &MeasFunction, &Frequency, &Level, &SourceRes, &Bias,
        &AutoLcz, &TrigDelay, &AlcOn, &RangeCode, &TrigSource, &Speed, &AverageCount, &Monitor1, &Monitor2,
        nullptr, &NominalUnit};
    if (fields[n])
        *fields[n] = static_cast<int>(v);
    else
        NominalValue = v;
}

int& TLCRForm::TraceColorOf(int Trace)
{
    return TraceColor[Trace - 1];
}

void TLCRForm::InitFormState()
{
    AlcErrorTicks = 0;
    FreqTypeLab->SetCaption("");
    ModelName.clear();
    SerialNumber.clear();
    FirmwareVersion.clear();
    RightButtonDown = false;

    SetHeight(621);
    SetWidth(1101);
    SetAutoSize(true);

    BitmapFolder = "C:\\Zorvane\\GraphView\\";
    LiveLogFolder = "C:\\Zorvane\\LiveMeasResult";
    ListSetupFolder = "C:\\Zorvane\\ListSetup";
    ListMeasResultFolder = "C:\\Zorvane\\ListMeasResult";
    SweepGraphResultFolder = "C:\\Zorvane\\SweepGraphResult";
    ProgramVersionText = "Version:2.05";
    ProgramDateText = "Version_Date:2021/11/25";
    ExeDateTimeText.clear();

    BaudIndex = 1;
    PageId = 0;
    PowerOn = false;
    EnlargeMode = false;
    CursorField = 0;
    FunctionKeyPage = 0;
    FreqStep = 0;
    LevelStep = 0;

    for (int i = 0; i < 15; ++i)
        SetMeasSetupField(i, 0);
    CompOn = CompMode = BinNumber = AuxOn = BeepMode = OpenLimit = 0;
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 11; ++col)
            BinLimits[row][col] = (row == 2 || row == 3 || row == 8 || row == 9) ? 1 : 0;
    for (int& c : BinCounts)
        c = 0;
    for (auto& pass : SweepValueText)
        for (auto& trace : pass)
            for (auto& text : trace)
                text.clear();
    for (int i = 0; i <= 1000; ++i)
        StepNominal[i] = StepNominalUnit[i] = 0;
    for (auto& t : TracePrefix)
        t.clear();
    for (auto& t : MeasValueText)
        t.clear();

    FreqEntryKHz = LevelIsCurrent = LevelEntryMilliVolt = LevelEntryMicroAmp = false;
    DelayEntryMs = true;
    Monitor1KeyPage = Monitor2KeyPage = 0;
    EntryText.clear();
    EntryNegative = DcrLayout = DcrSettlePending = false;
    EntryUnit = 1;
    AutoLczFunction = 6;
    OpenKeyPage = 0;
    SingleShot = false;

    LCRPag->SetActivePageIndex(0);
    MainViewTab->SetTabVisible(true);
    for (TTabSheet* t : {ListMeasTab, ListSetupTab, SweepGraphTab, GraphReportTab})
        t->SetTabVisible(false);

    ListStepCount = 1;
    ListMeasGrid->SetRowCountEx(2);
    ListSetupGrid->SetCellEx(0, 1, "1");
    ListSetupGrid->SetRowCountEx(2);
    EditedRow = InvalidCellRow = InvalidCellCol = 0;
    InvalidCellPending = InputError = false;
    ListMeasGrid->SetSelectionColor(TColorOf(0xFFFF00));
    ListMeasGrid->SetRowCountEx(2);
    ListMeasGrid->SetRow(1);
    ListMeasGrid->SelectRange(0, 10, 1, 1);
    ListSetupGrid->ClearRect(0, 1, 17, ListStepCount);

    SweepTypeGroup->SetItemIndex(0);
    SweepFreqTypeLab->Font()->SetColor(TColorOf(0x808080));
    SweepFreqTypeBox->SetEnabled(false);
    SweepFreqTypeBox->SetItemIndex(0);
    SweepFreqEdit->SetEnabledEx(false);
    SweepFreqEdit->SetText("1.00");
    SweepLevelTypeLab->Font()->SetColor(clBlack);
    SweepLevelTypeBox->SetEnabled(true);
    SweepLevelTypeBox->SetItemIndex(0);
    SweepLevelEdit->SetEnabledEx(true);
    SweepLevelEdit->SetText("1.00");
    SweepFunBox->SetItemIndex(0);
    SweepLimitTypeBox->SetItemIndex(3);
    SweepLimitModeBox->SetItemIndex(0);
    SweepMon1Box->SetItemIndex(0);
    SweepMon2Box->SetItemIndex(0);
    SweepStartEdit->SetText("1.00");
    SweepEndEdit->SetText("200");
    SweepPointEdit->SetText("10");
    SweepDesEdit->SetText("1");

    SweepResultGrid->SetRowCountEx(2);

    SweepGraphTypeGroup->SetItemIndex(0);
    SweepGraphFreqTypeLab->Font()->SetColor(TColorOf(0x808080));
    SweepGraphFreqTypeBox->SetEnabled(false);
    SweepGraphFreqTypeBox->SetItemIndex(0);
    SweepGraphFreqEdit->SetEnabledEx(false);
    SweepGraphFreqEdit->SetText("1.00");
    SweepGraphLevelTypeLab->Font()->SetColor(TColorOf(0x00FF00));
    SweepGraphLevelTypeBox->SetEnabled(true);
    SweepGraphLevelTypeBox->SetItemIndex(0);
    SweepGraphLevelEdit->SetEnabledEx(true);
    SweepGraphLevelEdit->SetText("1.00");
    SweepGraphFunBox->SetItemIndex(0);
    SweepGraphMon1Box->SetItemIndex(0);
    SweepGraphMon2Box->SetItemIndex(0);
    SweepGraphStartEdit->SetText("1.00");
    SweepGraphEndEdit->SetText("200");
    SweepGraphPointEdit->SetText("10");

    ComparePass = 1;
    InitGraphParameters();

    CompareRowsAdded = false;
    Connected = false;
    RxBuffer.clear();
    LastCommand.clear();
    FetchStage = ListStep = ListLoop = ListRecordNo = 1;
    SweepIsActiveTest = ListMeasRunning = TestRunning = false;
    TestIdle = true;
    SweepPoint = SweepPointCount = 1;
    ReplyReady = true;
    DiscardReply = VerifyBusy = SweepRunning = false;
    LiveLogRecordCount = 0;
    LiveLogPath.clear();
}

void TLCRForm::ReadProgramFileDate()
{
    ExeDateTimeText.clear();
    AnsiString path = MapWindowsPath("C:\\Program Files\\ZorvanePC\\Zorvane_PC.exe");
    if (!FileExists(path))
        path = MapWindowsPath("C:\\Program Files (x86)\\ZorvanePC\\Zorvane_PC.exe");
    // Not installed there: the program file is the one running.
    if (!FileExists(path) && Application)
        path = Application->ExeName();
    if (!FileExists(path))
        return;
    const int age = FileAge(path);
    if (age != -1)
        ExeDateTimeText = FormatDateTime("yyyy'/'MM'/'DD'-'HH':'mm':'ss", FileDateToDateTime(age));
}

void TLCRForm::FormCloseQuery(TObject*, bool& CanClose)
{
    if (ShowMessageBox("Sure to quit ?", "Warning", MB_OKCANCEL) != IDOK) {
        CanClose = false;
        return;
    }
    if (TestRunning) {
        // A test runs: when it is not the list, it is the sweep.
        ShowMessageBox(ListMeasRunning ? "''List Setup'' is testing !" : "''Sweep Graph'' is testing !", "Warning",
            MB_OK | MB_ICONWARNING);
        CanClose = false;
        return;
    }
    if (LCRCom->Active()) {
        LCRTimer->SetEnabled(false);
        SendCommand("DISP:PAGE MEAS");
        SendCommand("SYST:KEYLOCK OFF");
        LCRCom->Close();
    }
    CanClose = true;
}

void TLCRForm::About1Click(TObject*)
{
    if (AboutBox)
        AboutBox->ShowModal();
}

// ---- Connection ----

void TLCRForm::SetPagesEnabled(bool Enabled)
{
    for (TPanel* p : {MainPanel, ListMeasPan, ListSetupPan, SweepGraphPan})
        p->SetEnabled(Enabled);
}

void TLCRForm::Setting1Click(TObject*)
{
    ComPortPanel->SetVisible(true);
    SetPagesEnabled(false);
}

void TLCRForm::ComtOkBtnClick(TObject*)
{
    // While connected the link stays as it is: changing only the computer's rate would cut
    // the instrument off.
    if (Connected) {
        ComPortPanel->SetVisible(false);
        Application->MessageBox("Com port have been opened!", Application->Title(), MB_OK);
        SetPagesEnabled(true);
        return;
    }
    LCRCom->Close();
    SetComBaudRate(BaudRate->ItemIndex() + 1);
    if (!OpenComPort(SetComPort->ItemIndex() + 1)) {
        ComPortPanel->SetVisible(false);
        return;
    }
    ComPortPanel->SetVisible(false);
    if (!IdentifyInstrument())
        return;
    Connected = true;
    SetPagesEnabled(true);
    ShowConnectionStatus();
}

void TLCRForm::ComCancelBtnClick(TObject*)
{
    ComPortPanel->SetVisible(false);
    SetPagesEnabled(Connected);
}

void TLCRForm::SetComPortKeyDown(TObject* Sender, Word& Key, TShiftState)
{
    if (Key == VK_RETURN)
        ComtOkBtnClick(Sender);
}

bool TLCRForm::OpenComPort(int Port)
{
    if (LCRCom->Active()) {
        Application->MessageBox("Com port have been opened!", Application->Title(), MB_OK);
        SetPagesEnabled(true);
        return false;
    }
    try {
        LCRCom->SetPortNum(Port);
        LCRCom->Open();
        LCRCom->SetDTR(true);
        LCRCom->SetRTS(true);
    } catch (Exception& e) {
        Application->MessageBox(e.Message(), Application->Title(), MB_OK);
        return false;
    }
    return true;
}

void TLCRForm::SetComBaudRate(int Index)
{
    if (Index >= 1 && Index <= 5)
        LCRCom->SetBaudrate(BaudRates[Index - 1]);
    BaudIndex = Index;
}

void TLCRForm::ShowConnectionStatus()
{
    const AnsiString baud = BaudIndex >= 1 && BaudIndex <= 5 ? BaudTexts[BaudIndex - 1] : "";
    StatusBar->SetSimpleText(" Serial No: " + SerialNumber + "  /  FW Version: " + FirmwareVersion +
        "  /  Com Port: " + std::to_string(LCRCom->PortNum()) + "  /  Baud Rate: " + baud);
}

// ---- Polling and replies ----

bool TLCRForm::RunPolled() const
{
    return (PageId >= 7 && PageId <= 9) || ListMeasRunning || SweepRunning;
}

void TLCRForm::LCRTimerTimer(TObject*)
{
    // Nothing is asked of an instrument that is not there.
    if (!Connected) {
        LCRTimer->SetEnabled(false);
        return;
    }
    AnsiString query;
    // The bin count page is polled like the bin measurement page while counting is on.
    const bool counting = PageId == 6 && BinCounts[0] == 1;
    if (FetchStage == 2)
        query = "FETC:MON1?";
    else if (FetchStage == 3)
        query = "FETC:MON2?";
    else
        query = PageId == 4 || counting ? "FETC?" : "FETC:IMP?";
    const bool instrumentPage = PageId == 1 || PageId == 3 || PageId == 4 || counting;
    if (instrumentPage) {
        // One query at a time; a reply that never comes is given up after a few ticks.
        if (!ReplyReady) {
            if (++TicksWithoutReply < LostReplyTicks)
                return;
            RxBuffer.clear();
        }
        TicksWithoutReply = 0;
        ReplyReady = false;
        SendCommand(query);
        return;
    }
    if (!RunPolled())
        return;
    // A terminated run whose reading never came waits no longer.
    if (!TestRunning && TriggeredReadingAwaited && PageId >= 7 && PageId <= 9 &&
        ++TicksWithoutReply >= LostReplyTicks) {
        TriggeredReadingAwaited = false;
        TicksWithoutReply = 0;
        ReplyReady = true;
        LCRTimer->SetEnabled(false);
        return;
    }
    // The list and sweep pages ask on every tick, without the handshake.
    SendCommand(query);
}

void TLCRForm::LCRComRxChar(TObject*, int)
{
    DiscardReply = false;
    const AnsiString piece = LCRCom->ReadText();
    RxBuffer += piece;
    if (piece.empty() || piece.back() != '\n')
        return;
    const int L = static_cast<int>(RxBuffer.size());
    mReceive->SetText(RxBuffer);
    const AnsiString cmd = LastCommand;
    const bool main = cmd == "FETC?" || cmd == "FETC:IMP?";
    if (!main && cmd != "FETC:MAIN?" && cmd != "FETC:MON1?" && cmd != "FETC:MON2?")
        return;

    const bool dcr = main && ReplyInDcrForm();
    int expected = 13;
    if (dcr)
        expected = CompOn == 1 ? 21 : 13;
    else if (cmd == "FETC?")
        expected = CompOn == 1 ? 41 : 26;
    else if (cmd == "FETC:IMP?")
        expected = CompOn == 1 ? 67 : 52;
    else if (cmd == "FETC:MAIN?")
        expected = 25;
    const bool accepted = L == expected || (cmd == "FETC?" && (L == 41 || (L == 26 && CompOn == 0))) ||
        (cmd == "FETC:IMP?" && (L == 67 || (L == 52 && CompOn == 0)));
    // A run takes exactly one reading per trigger; other readings are not its own.
    const bool runReply = PageId >= 7 && PageId <= 9;
    if (runReply && !TriggeredReadingAwaited)
        DiscardReply = true;
    else if (accepted)
        ProcessReply(RxBuffer);
    else if (L > expected && RxBuffer[static_cast<size_t>(expected) - 1] == '\n')
        ProcessReply(RxBuffer.substr(0, static_cast<size_t>(expected)));
    else
        DiscardReply = true;

    if (DiscardReply) {
        if (cmd == "FETC:MON1?")
            FetchStage = 2;
        else if (cmd == "FETC:MON2?")
            FetchStage = 3;
        else
            FetchStage = 1;
        RxBuffer.clear();
        ReplyReady = true;
        DiscardReply = false;
        return;
    }
    RxBuffer.clear();
    TicksWithoutReply = 0;
    if (runReply) {
        AdvanceRun();
        return;
    }
    if (main || cmd == "FETC:MAIN?") {
        // The bin pages ask "FETC?" for the main values alone.
        const bool binPage = PageId == 4 || PageId == 6;
        if (cmd == "FETC?" && (Monitor1 != 0 || Monitor2 != 0) && MeasFunction != 12 && !binPage) {
            if (FetchStage == 1)
                FetchStage = Monitor1 != 0 ? 2 : 3;
        } else {
            EndOfCycle(true);
            FetchStage = 1;
        }
    } else if (cmd == "FETC:MON1?" && Monitor2 != 0 && FetchStage == 2) {
        FetchStage = 3;
    } else {
        EndOfCycle(false);
        FetchStage = 1;
    }
    ReplyReady = true;
}

void TLCRForm::ProcessReply(const AnsiString& Reply)
{
    ProcessFetchReply(Reply);
}

void TLCRForm::EndOfCycle(bool AlcCheck)
{
    if (LogRunning)
        AppendLiveLogRecord();
    if (AutoLcz == 1 && TrigSource == 1)
        QueryFunction();
    if (AlcCheck) {
        if (AlcOn == 1) {
            SendCommand("DISP:LINE?");
            const AnsiString reply = ReadReply();
            if (reply != "NULL") {
                ALCErrorLab->SetVisible(true);
                if (TrigSource != 1 && !ALCTimer->Enabled()) {
                    AlcErrorTicks = 1;
                    ALCTimer->SetEnabled(true);
                }
            } else {
                ALCErrorLab->SetVisible(false);
                ALCTimer->SetEnabled(false);
                AlcErrorTicks = 1;
            }
        } else {
            ALCErrorLab->SetVisible(false);
        }
    }
    if ((PageId == 1 || PageId == 4) && RangeCode >= 10 && RangeCode <= 18)
        QueryRange();
    if (SingleShot) {
        SingleShot = false;
        LCRTimer->SetEnabled(false);
    }
}

void TLCRForm::AdvanceRun()
{
    const AnsiString cmd = LastCommand;
    const bool main = cmd == "FETC?" || cmd == "FETC:IMP?" || cmd == "FETC:MAIN?";
    if (main && AlcOn == 1 && AlcRetriggers < 2) {
        TriggeredReadingAwaited = false;
        LCRTimer->SetEnabled(false);
        StepTimer->SetEnabled(true);
        return;
    }
    AnsiString function, mon1, mon2;
    if (SweepIsActiveTest) {
        function = SweepGraphFunBox->Text();
        mon1 = SweepGraphMon1Box->Text();
        mon2 = SweepGraphMon2Box->Text();
    } else {
        function = ListSetupGrid->GetCellEx(1, ListStep);
        mon1 = ListSetupGrid->GetCellEx(16, ListStep);
        mon2 = ListSetupGrid->GetCellEx(17, ListStep);
    }
    if (cmd == "FETC?" && (mon1 != "OFF" || mon2 != "OFF") && function != "DCR" && FetchStage == 1) {
        FetchStage = mon1 != "OFF" ? 2 : 3;
        ReplyReady = true;
        return;
    }
    if (cmd == "FETC:MON1?" && mon2 != "OFF" && FetchStage == 2) {
        FetchStage = 3;
        ReplyReady = true;
        return;
    }
    TriggeredReadingAwaited = false;
    LCRTimer->SetEnabled(false);
    if (!SweepIsActiveTest) {
        const int steps = ListSetupGrid->GetRowCountEx() - 1;
        int loops = 0;
        TryStrToInt(Trim(MeasListSetupLoopEdit->GetText()), loops);
        if (ListStep != steps) {
            ++ListStep;
            StepTimer->SetEnabled(true);
        } else if (ListLoop != loops) {
            ++ListLoop;
            ListStep = 1;
            StepTimer->SetEnabled(true);
        } else {
            ListMeasGrid->SetSelectionColor(TColorOf(0xFFFF00));
            TestRunning = false;
            TestIdle = true;
            SetListMeasState("OK");
        }
    } else {
        PlotSweepGraphPoint(SweepPoint);
        if (SweepPoint != SweepPointCount) {
            ++SweepPoint;
            StepTimer->SetEnabled(true);
        } else {
            StoreSweepGraphData();
            SweepResultGrid->SetSelectionColor(TColorOf(0xFFFF00));
            TestRunning = false;
            TestIdle = true;
            SetSweepGraphState("OK");
        }
    }
    FetchStage = 1;
    ReplyReady = true;
}

void TLCRForm::StepTimerTimer(TObject*)
{
    StepTimer->SetEnabled(false);
    if (!Connected)
        return;
    if (AlcOn == 1 && AlcRetriggers < 2) {
        SendCommand("TRIG");
        ReplyReady = true;
        LCRTimer->SetEnabled(true);
        ++AlcRetriggers;
        return;
    }
    if (!SweepIsActiveTest) {
        ++ListRecordNo;
        if (!TestRunning)
            return;
        if (TestModeGroup->ItemIndex() == 0) {
            RunListStep(ListStep);
            ReplyReady = true;
            LCRTimer->SetEnabled(true);
        } else {
            TestRunning = false;
            SetListMeasState("Step");
        }
    } else if (TestRunning) {
        RunSweepGraphPoint(SweepPoint);
        ReplyReady = true;
        LCRTimer->SetEnabled(true);
    }
}

void TLCRForm::ALCTimerTimer(TObject*)
{
    ++AlcErrorTicks;
    if (AlcErrorTicks > 5) {
        ALCTimer->SetEnabled(false);
        ALCErrorLab->SetVisible(false);
    }
}

void TLCRForm::LCRComDsr(TObject*)
{
    if (!LCRCom->Active() || !Connected)
        return;
    InstrumentOffLine();
}

void TLCRForm::InstrumentOffLine()
{
    // All of it before the warning: the user reads the box while the window's loop runs, and
    // no tick may talk to the instrument meanwhile.
    Connected = false;
    PowerOn = false;
    // An exchange cut short must not start polling again as it ends.
    VerifyBusy = false;
    LCRTimer->SetEnabled(false);
    StepTimer->SetEnabled(false);
    // A run in progress ends as its Terminate ends it, with no reading left to wait for.
    TriggeredReadingAwaited = false;
    if (TestRunning) {
        if (SweepIsActiveTest)
            SweepGraphTerminateBtnClick(nullptr);
        else
            ListMeasTerminateBtnClick(nullptr);
    }
    ListReplyTimer->SetEnabled(false);
    LockCompIma->SetVisible(false);
    MainPanel->SetEnabled(false);
    for (TPanel* p : {MeasDispPan, MeasSetupPan, EnlargeDispPan, BinMeasPan, BinSetupPan, BinCountPan})
        p->SetVisible(false);
    PageId = 0;
    try {
        LoadPowerKeyPicture("Power_White.bmp");
    } catch (Exception&) {
        // The key keeps its picture; going off line must finish all the same.
    }
    for (TImage* ima : {View1Ima, View2Ima, View3Ima, View4Ima, View5Ima, View6Ima, View7Ima, View8Ima})
        ima->SetVisible(false);
    StatusBar->SetSimpleText(" ComPort Off_Line ");
    ALCErrorLab->SetVisible(false);
    AlcErrorTicks = 1;
    ALCTimer->SetEnabled(false);
    ShowMessageBox("''" + ModelName + "'' ComPort Off_Line !", "Warning", MB_OK | MB_ICONWARNING);
}

// ---- Terminal strip ----

void TLCRForm::FillCommandExamples()
{
    static const char* const examples[] = {
        "DISP:PAGE MEAS", "DISP:PAGE ENLA", "DISP:PAGE BINM", "DISP:PAGE BCO", "DISP:PAGE LIST", "DISP:PAGE MSET",
        "DISP:PAGE CSET", "DISP:PAGE BSET", "DISP:PAGE LSET", "DISP:PAGE SYST", "DISP:PAGE SINF", "DISP:PAGE?",
        "FUNC Cs-Rs", "FUNC Cs-D", "FUNC Cp-Rp", "FUNC Cp-D", "FUNC Lp-Rp", "FUNC LP-Q", "FUNC Ls-Rs", "FUNC Ls-Q",
        "FUNC Rs-Q", "FUNC Rp-Q", "FUNC R-X", "FUNC DCR", "FUNC Z-thr", "FUNC Z-thd", "FUNC Z-D", "FUNC Z-Q",
        "FUNC?", "FUNC:IMP:RANG 0", "FUNC:IMP:RANG 1", "FUNC:IMP:RANG 2", "FUNC:IMP:RANG 3", "FUNC:IMP:RANG 4",
        "FUNC:IMP:RANG 5", "FUNC:IMP:RANG 6", "FUNC:IMP:RANG 7", "FUNC:IMP:RANG 8", "FUNC:IMP:RANG?",
        "FUNC:DCR:RANG 0", "FUNC:DCR:RANG 1", "FUNC:DCR:RANG 2", "FUNC:DCR:RANG 3", "FUNC:DCR:RANG 4",
        "FUNC:DCR:RANG 5", "FUNC:DCR:RANG 6", "FUNC:DCR:RANG 7", "FUNC:DCR:RANG 8", "FUNC:DCRP:RANG?",
        "FUNC:RANG:AUTO AUTO", "FUNC:RANG:AUTO OFF", "FUNC:RANG:AUTO?", "FUNC:MON1 off", "FUNC:MON1 Z",
        "FUNC:MON1 D", "FUNC:MON1 Q", "FUNC:MON1 THR", "FUNC:MON1 THD", "FUNC:MON1 R", "FUNC:MON1 X", "FUNC:MON1 G",
        "FUNC:MON1 B", "FUNC:MON1 Y", "FUNC:MON1 ABS", "FUNC:MON1 PER", "FUNC:MON1 VAC", "FUNC:MON1 IAC",
        "FUNC:MON1?", "FUNC:MON2 off", "FUNC:MON2 Z", "FUNC:MON2 D", "FUNC:MON2 Q", "FUNC:MON2 THR",
        "FUNC:MON2 THD", "FUNC:MON2 R", "FUNC:MON2 X", "FUNC:MON2 G", "FUNC:MON2 B", "FUNC:MON2 Y",
        "FUNC:MON2 ABS", "FUNC:MON2 PER", "FUNC:MON2 VAC", "FUNC:MON2 IAC", "FUNC:MON2?",
        "FREQ 10.00", "FREQ 50.00", "FREQ 60.00", "FREQ 100.0", "FREQ 120.0", "FREQ 1.000k", "FREQ 10.00k",
        "FREQ 20.00k", "FREQ 40.00k", "FREQ 50.00k", "FREQ 100.0k", "FREQ 200.0k", "FREQ?",
        "LEV:VOLT MAX", "LEV:VOLT MIN", "LEV:VOLT 10.00m", "LEV:VOLT 100.0m", "LEV:VOLT 300.0m", "LEV:VOLT 500.0m",
        "LEV:VOLT 1.00", "LEV:VOLT 1.50", "LEV:VOLT 2.00", "LEV:VOLT?", "LEV:CURR 0.1m", "LEV:CURR 0.5m",
        "LEV:CURR 1.00m", "LEV:CURR 5.00m", "LEV:CURR 10.00m", "LEV:CURR MAX", "LEV:CURR MIN", "LEV:SRES 30",
        "LEV:SRES 50", "LEV:SRES 100", "LEV:SRES?", "LEV:ALC on", "LEV:ALC off", "LEV:ALC?",
        "APER FAST", "APER MED", "APER SLOW", "APER:RATE?", "APER:AVG 2", "APER:AVG?",
        "FETCH?", "FETCH:MAIN?", "FETCH:MON1?", "FETCH;MON2?",
        "COMP:STAT ON", "COMP:STAT OFF", "COMP:STAT?", "COMP:MODE ABS", "COMP:MODE PER", "COMP:MODE SEQ",
        "COMP:MODE?", "COMP:AUX ON", "COMP:AUX OFF", "COMP:AUX?", "COMP:BINS 1", "COMP:BINS 2", "COMP:BINS 3",
        "COMP:BINS 4", "COMP:BINS 5", "COMP:BINS 6", "COMP:BINS 7", "COMP:BINS 8", "COMP:BINS 9", "COMP:BINS?",
        "COMP:TOL:NOM 100n", "COMP:TOL:NOM?", "COMP:TOL:BIN 1,100p,200p", "COMP:TOL:BIN? 1",
        "COMP:SLIM 0.0001,0.0010", "COMP:SLIM?", "COMP:BEEP OFF", "COMP:BEEP PASS", "COMP:BEEP FAIL", "COMP:BEEP?",
        "COMP:OPEN OFF", "COMP:OPEN 2", "COMP:OPEN 5", "COMP:OPEN 10", "COMP:OPEN 20", "COMP:OPEN 50", "COMP:OPEN?",
        "TRIG:SOUR INT", "TRIG:SOUR MAN", "TRIG:SOUR EXT", "TRIG:SOUR BUS", "TRIG:SOUR?",
        "BIAS 2.00V", "BIAS 1.50V", "BIAS -2.00V", "BIAS -1.50V", "BIAS?",
        "ERR:SHAK OFF", "ERR:SHAK ON", "ERR:SHAK?", "ERR:CODE OFF", "ERR:CODE ON", "ERR:CODE?",
        "SYST:KEYLOCK OFF", "SYST:RES fetch", "SYST:RES auto", "SYST:RES?"};
    for (const char* e : examples)
        SendComboBox->Items()->Add(e);
}

void TLCRForm::btnSendClick(TObject*)
{
    RxBuffer.clear();
    LastCommand.clear();
    mReceive->Clear();
    WritePort(mSend->GetText() + "\n");
    Sleep(BaudIndex == 1 ? 300 : 150);
}

void TLCRForm::btnReceiveClick(TObject*)
{
    mReceive->SetText(LCRCom->ReadText());
}

void TLCRForm::SendClearBtnClick(TObject*)
{
    RxBuffer.clear();
    LastCommand.clear();
    mReceive->Clear();
}

// ---- Tabs ----

void TLCRForm::MeasDispBtnClick(TObject*)
{
    if (InputError)
        return;
    LCRPag->SetActivePageIndex(0);
    MainViewTab->SetTabVisible(true);
    for (TTabSheet* t : {ListMeasTab, ListSetupTab, SweepGraphTab})
        t->SetTabVisible(false);
    PageId = 1;
    StoreOrRestoreMeasSetup();
}

void TLCRForm::LCRPagChange(TObject*)
{
    if (ComPortPanel->Visible())
        return;
    auto refuse = [this](const AnsiString& text, TTabSheet* back) {
        ShowMessageBox(text, "Warning", MB_OK | MB_ICONWARNING);
        LCRPag->SetActivePage(back);
    };
    if (ListSweepPan->Visible())
        return refuse(" ''Set List Sweep'' has not been close !", ListSetupTab);
    if (SetNominalPan->Visible())
        return refuse(" ''Set Mon1 / Mon2  REL and  ABS Nominal'' has not been close !", ListSetupTab);
    if (CopyStepPanel->Visible())
        return refuse(" ''Copy List Step'' has not been close !", ListSetupTab);
    if (SweepGraphParaPanel->Visible()) {
        SweepGraphResultPage->SetActivePageIndex(0);
        if (SweepGraphParaPage->ActivePageIndex() == 0)
            return refuse(" ''Sweep Parameter'' has not been close !", SweepGraphTab);
        return refuse(" ''Graph Parameter'' has not been close !", SweepGraphTab);
    }
    TTabSheet* active = LCRPag->ActivePage();
    const bool idle = !TestRunning && TestIdle;
    if (active == ListMeasTab) {
        PageId = 7;
        if (idle)
            FocusControl(MeasResultGroup);
    } else if (active == ListSetupTab) {
        PageId = 8;
        if (idle)
            FocusControl(ListSetupGroup);
    } else if (active == SweepGraphTab) {
        PageId = 9;
    }
}
