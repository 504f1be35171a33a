// The list run: Start and Terminate, one step's commands, the page states, the judgement
// of a reading and the result table's own events.
#include <algorithm>

#include "list/ListButtons.h"
#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"
#include "list/ListPublic.h"
#include "list/ListUnits.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Timer.h"

namespace {

constexpr TColor RunColor = TColorOf(0x0000FF);
constexpr TColor IdleColor = TColorOf(0xFFFF00);

struct TStepSettings {
    AnsiString Function, FreqType, FreqValue, LevelType, LevelValue, Mon1, Mon2;
    int Nominal = 0;
    int NominalUnit = 0;
};

TStepSettings StepSettings(int Step)
{
    TLCRForm* f = LCRForm;
    TRavArodozIdad* g = f->ListSetupGrid;
    TStepSettings s;
    if (Step < 1 || Step > 1000)
        return s;
    s.Function = g->GetCellEx(1, Step);
    s.FreqType = g->GetCellEx(2, Step);
    s.FreqValue = g->GetCellEx(3, Step);
    s.LevelType = g->GetCellEx(4, Step);
    s.LevelValue = g->GetCellEx(5, Step);
    s.Mon1 = g->GetCellEx(16, Step);
    s.Mon2 = g->GetCellEx(17, Step);
    s.Nominal = f->StepNominal[Step];
    s.NominalUnit = f->StepNominalUnit[Step];
    return s;
}

void MonitorCommand(const AnsiString& Command, const AnsiString& Query, const AnsiString& Monitor)
{
    AnsiString word = Monitor;
    if (Monitor == "Theta_r")
        word = "THR";
    else if (Monitor == "Theta_d")
        word = "THD";
    else if (Monitor == "REL")
        word = "PER";
    else if (Monitor == "Vac")
        word = "VAC";
    else if (Monitor == "Iac")
        word = "IAC";
    SendAndVerify(Command + " " + word, Query, word);
}

bool NeedsNominal(const TStepSettings& s)
{
    return s.Mon1 == "ABS" || s.Mon1 == "REL" || s.Mon2 == "ABS" || s.Mon2 == "REL";
}

// The read-back form of a frequency or voltage: below 1 it is read in the next smaller unit.
AnsiString ReadBackText(const AnsiString& Cell, bool Frequency)
{
    double x = StrToFloatDef(Trim(Cell), 0);
    if (x < 1)
        x *= 1000;
    if (Frequency)
        return FixedText(x, x < 10 ? 3 : x < 100 ? 2 : 1);
    return FixedText(x, x < 100 ? 2 : 1);
}

void SetPageState(bool Setup, bool Start, bool Terminate, bool Files)
{
    TLCRForm* f = LCRForm;
    f->TestModeGroup->SetEnabled(Setup);
    f->MeasLoopGroup->SetEnabled(Setup);
    ButtonControl(f->MeasDispBtn)->SetEnabled(Setup);
    ButtonControl(f->ListMeasStartBtn)->SetEnabled(Start);
    ButtonControl(f->ListMeasTerminateBtn)->SetEnabled(Terminate);
    ButtonControl(f->ListMeasResultSaveBtn)->SetEnabled(Files);
    ButtonControl(f->ListMeasResultRemoveBtn)->SetEnabled(Files);
    f->ListSetupPan->SetEnabled(Setup);
    f->SweepGraphPan->SetEnabled(Setup);
}

// "PASS", the low or the high verdict, or "FAIL" for an overloaded reading.
AnsiString JudgeValue(const AnsiString& Reading, const AnsiString& LimitUnit, const AnsiString& LowerCell,
    const AnsiString& UpperCell, TFunctionKind Kind, bool Convert, const char* Low, const char* High)
{
    const TValueParts m = ParseValueText(Reading);
    if (m.Overload)
        return "FAIL";
    double lo = StrToFloat(NormalizeDecimalText(Trim(LowerCell)));
    double hi = StrToFloat(NormalizeDecimalText(Trim(UpperCell)));
    if (Convert) {
        const int iL = LimitUnitPosition(Kind, LimitUnit);
        const int iM = PrefixPosition(Kind, m.Prefix);
        for (int i = iM; i < iL; ++i) {
            lo *= 1000;
            hi *= 1000;
        }
        for (int i = iL; i < iM; ++i) {
            lo /= 1000;
            hi /= 1000;
        }
    }
    if (m.Value < lo)
        return Low;
    if (m.Value > hi)
        return High;
    return "PASS";
}

} // namespace

bool ListIsEmpty()
{
    TRavArodozIdad* g = LCRForm->ListSetupGrid;
    return g->GetCellEx(0, 1).empty() || (g->GetCellEx(1, 1).empty() && g->GetCellEx(2, 1).empty());
}

void RunListStep(int Step)
{
    TLCRForm* f = LCRForm;
    TRavArodozIdad* g = f->ListMeasGrid;
    f->FetchStage = 1;
    const int rec = f->ListRecordNo;
    g->SetRowCountEx(rec + 1);
    g->SelectRange(0, 10, rec, rec);

    const TStepSettings s = StepSettings(Step);
    const bool dcr = s.Function == "DCR";
    g->SetCellEx(0, rec, IntToStr(f->ListLoop));
    g->SetCellEx(1, rec, f->ListSetupGrid->GetCellEx(0, Step));
    g->SetCellEx(2, rec, s.Function);
    g->SetCellEx(3, rec, s.Mon1);
    g->SetCellEx(4, rec, s.Mon2);
    if (!dcr) {
        g->SetCellEx(5, rec, s.FreqValue + (s.FreqType == "Freq(Hz)" ? " Hz" : " kHz"));
        g->SetCellEx(6, rec, s.LevelValue + (s.LevelType == "Level(V)" ? " V" : " mA"));
    }

    if (dcr) {
        SendAndVerify("FUNC DCR", "FUNC?", "DCR");
    } else {
        const TStepSettings p = StepSettings(Step - 1);
        const bool first = Step == 1;
        if (s.Function != p.Function) {
            AnsiString word = s.Function;
            if (word == "Z_theta_r")
                word = "Z-thr";
            else if (word == "Z_theta_d")
                word = "Z-thd";
            SendAndVerify("FUNC " + word, "FUNC?", word);
        }
        if (s.Mon1 != p.Mon1)
            MonitorCommand("FUNC:MON1", "FUNC:MON1?", s.Mon1);
        if (s.Mon2 != p.Mon2)
            MonitorCommand("FUNC:MON2", "FUNC:MON2?", s.Mon2);
        // The first step of a loop cannot rely on what the instrument kept from the last one.
        if (NeedsNominal(s) && (first || s.Nominal != p.Nominal || s.NominalUnit != p.NominalUnit)) {
            const AnsiString n = NominalCommandText(s.Nominal, s.NominalUnit, s.Function);
            SendAndVerify("COMP:TOL:NOM " + n, "COMP:TOL:NOM?", n);
        }
        if (s.FreqType != p.FreqType || s.FreqValue != p.FreqValue)
            SendAndVerify("FREQ " + s.FreqValue + (s.FreqType == "Freq(kHz)" ? "k" : ""), "FREQ?",
                ReadBackText(s.FreqValue, true));
        if (s.LevelType != p.LevelType || s.LevelValue != p.LevelValue) {
            if (s.LevelType == "Level(V)") {
                const double v = StrToFloatDef(Trim(s.LevelValue), 0);
                SendAndVerify(v > 0.01 ? "LEV:VOLT " + s.LevelValue : AnsiString("LEV:VOLT 10.00m"), "VOLT?",
                    ReadBackText(s.LevelValue, false));
            } else {
                SendAndVerify("LEV:CURR " + s.LevelValue + "m", "LEV:CURR?", s.LevelValue);
            }
        }
        WaitMeasureTime();
    }
    SendCommand("TRIG");
}

void SetListMeasState(const AnsiString& State)
{
    TLCRForm* f = LCRForm;
    if (State == "Default") {
        SetPageState(true, true, false, true);
        f->TestRunning = false;
        f->TestIdle = true;
        f->ListRecordNo = f->ListLoop = f->ListStep = 1;
        SetSweepGraphState("Default");
    } else if (State == "Start") {
        SetPageState(false, false, true, false);
    } else if (State == "Terminate" || State == "OK") {
        SetPageState(true, true, false, true);
    } else if (State == "Step") {
        SetPageState(false, true, true, false);
    }
}

void CompareListStep(int Step)
{
    TLCRForm* f = LCRForm;
    TRavArodozIdad* s = f->ListSetupGrid;
    const AnsiString function = s->GetCellEx(1, Step);
    const AnsiString type = s->GetCellEx(6, Step);
    const TFunctionKind kind = NominalKind(function);
    AnsiString primary, second;
    if (type == "Primary" || type == "Both")
        primary = JudgeValue(f->MeasValueText[0], s->GetCellEx(9, Step), s->GetCellEx(10, Step),
            s->GetCellEx(11, Step), kind, true, "P-L", "P-H");
    if (type == "Second" || type == "Both")
        second = JudgeValue(f->MeasValueText[1], s->GetCellEx(13, Step), s->GetCellEx(14, Step),
            s->GetCellEx(15, Step), TFunctionKind::Resistance, SecondIsResistance(function), "S-L", "S-H");
    AnsiString verdict = type == "Both" ? primary + "," + second : type == "Primary" ? primary : second;
    f->ListMeasGrid->SetCellEx(11, f->ListRecordNo, verdict);
}

void TLCRForm::ListMeasStartBtnClick(TObject*)
{
    if (TestRunning || ListSetupGrid->GetCellEx(0, 1).empty())
        return;
    // A blank step has nothing to send: the run would measure whatever the last step left.
    const int steps = ListSetupGrid->GetRowCountEx() - 1;
    for (int step = 1; step <= steps; ++step)
        if (ListSetupGrid->GetCellEx(1, step).empty()) {
            ShowMessageBox("Step" + IntToStr(step) + " is blank !", "Warning", MB_OK | MB_ICONWARNING);
            return;
        }
    TestRunning = true;
    if (TestIdle) {
        TestIdle = false;
        ListMeasGrid->ClearRect(0, 1, 11, ListMeasGrid->GetRowCountEx() - 1);
        ListMeasGrid->SetRowCountEx(2);
        ListRecordNo = ListLoop = ListStep = 1;
        MeasuredSetupSection = ListSetupSectionText();
        SetListMeasState("Start");
    }
    if (AlcOn == 1)
        AlcRetriggers = 0;
    ListMeasRunning = true;
    SweepRunning = false;
    SweepIsActiveTest = false;
    ListReplyTimer->SetEnabled(false);
    ListMeasGrid->SetSelectionColor(RunColor);
    RunListStep(ListStep);
    LCRTimer->SetEnabled(true);
    if (ListMeasGrid->CanFocus())
        ListMeasGrid->SetFocus();
}

void TLCRForm::ListMeasTerminateBtnClick(TObject*)
{
    TestRunning = false;
    TestIdle = true;
    ListMeasRunning = false;
    SweepRunning = false;
    ListMeasGrid->SetSelectionColor(IdleColor);
    SetListMeasState("Terminate");
    // A step already triggered may still be read; one that never answers is given up.
    ListReplyTimer->SetInterval(std::max(1, static_cast<int>(LCRTimer->Interval())) * 5);
    ListReplyTimer->SetEnabled(TriggeredReadingAwaited);
}

void ListReplyTimerTimer()
{
    TLCRForm* f = LCRForm;
    f->ListReplyTimer->SetEnabled(false);
    if (!f->TestIdle || !f->TriggeredReadingAwaited)
        return;
    f->TriggeredReadingAwaited = false;
    f->LCRTimer->SetEnabled(false);
    f->StepTimer->SetEnabled(false);
    f->FetchStage = 1;
}

void TLCRForm::ListMeasGridGridHint(TObject*, int ARow, int ACol, AnsiString& HintStr)
{
    if (ARow < 1 || ACol != 11 || ListMeasGrid->GetCellEx(1, ARow).empty())
        return;
    const int step = StrToIntDef(Trim(ListMeasGrid->GetCellEx(1, ARow)), 0);
    const AnsiString type = step >= 1 ? ListSetupGrid->GetCellEx(6, step) : AnsiString();
    const AnsiString v = ListMeasGrid->GetCellEx(11, ARow);
    if (type == "Both") {
        static const struct { const char* Verdict; const char* Hint; } both[] = {
            {"PASS,PASS", "Primary PASS and Second PASS !"}, {"FAIL,FAIL", "Primary FAIL and Second FAIL !"},
            {"P-L,PASS", "Primary Lower Over and Second PASS !"}, {"P-H,PASS", "Primary Upper Over and Second PASS !"},
            {"PASS,FAIL", "Primary PASS and Second FAIL !"}, {"PASS,S-L", "Primary PASS and Second Lower Over !"},
            {"PASS,S-H", "Primary PASS and Second Upper Over !"}};
        for (const auto& b : both)
            if (v == b.Verdict)
                HintStr = b.Hint;
        return;
    }
    if (v == "PASS")
        HintStr = (type == "Primary" || type == "Second" ? type : AnsiString()) + " PASS !";
    else if (v == "P-L")
        HintStr = "Primary Lower Over !";
    else if (v == "P-H")
        HintStr = "Primary Upper Over !";
    else if (v == "S-L")
        HintStr = "Second Lower Over !";
    else if (v == "S-H")
        HintStr = "Second Upper Over !";
}

void TLCRForm::ListMeasGridMouseDown(TObject*, TMouseButton Button, TShiftState, int, int)
{
    if (Button == mbRight) {
        RightButtonDown = true;
    } else if (Button == mbLeft && ListMeasGrid->GetRealCol() < 12) {
        const int row = ListMeasGrid->GetRealRow();
        ListMeasGrid->SelectRange(0, 10, row, row);
    }
}

void TLCRForm::ListMeasGridMouseUp(TObject*, TMouseButton Button, TShiftState, int, int)
{
    if (Button == mbRight)
        RightButtonDown = false;
}

void TLCRForm::ListMeasGridKeyDown(TObject*, Word& Key, TShiftState)
{
    if (!RightButtonDown)
        return;
    // The letter keys O and C, with or without Shift: their key code is the capital's. The
    // codes of the small letters are the keypad's "/" and "3", which must not resize.
    if (Key == 'O') {
        SetAutoSize(false);
        SetHeight(818);
        SetWidth(1101);
    } else if (Key == 'C') {
        SetHeight(621);
        SetWidth(1101);
        SetAutoSize(true);
    }
}

void TLCRForm::ListMeasResultRemoveBtnClick(TObject*)
{
    if (ShowMessageBox("Sure you remove all ''List Meas Result'' ?", "Warning", MB_OKCANCEL) != IDOK)
        return;
    ListMeasGrid->ClearRect(0, 1, 11, ListMeasGrid->GetRowCountEx() - 1);
    ListMeasGrid->SetRowCountEx(2);
    MeasuredSetupSection.clear();
}
