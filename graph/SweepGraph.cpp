// The sweep graph: the point table, the run and its page states, plotting and scaling.
#include <algorithm>
#include <cmath>

#include "components/controls/Owbuttons.h"
#include "components/controls/Owleds.h"
#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"
#include "graph/GraphShared.h"
#include "list/ListPublic.h"
#include "list/ListUnits.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/chart/Chart.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Timer.h"
#include "platform/report/Report.h"
#include "platform/win/Beep.h"

namespace {

TLCRForm* F() { return LCRForm; }
TRavArodozIdad* Grid() { return LCRForm->SweepResultGrid; }

// A reading's number and prefix; false for an empty or overloaded text.
bool ReadValue(const AnsiString& Text, double& Value, AnsiString& Prefix)
{
    const TValueParts v = ParseValueText(Text);
    Value = v.Value;
    Prefix = v.Prefix;
    return !v.Empty && !v.Overload && v.Number.rfind("OVERLOA", 0) != 0;
}

constexpr int DefaultTraceColor[8] = {0xFF0000, 0x008000, 0x0000FF, 0x800080, 0xFF00FF, 0x000080, 0x00FFFF, 0x4080FF};

// Both charts, screen first.
std::array<TCustomChart*, 2> Charts() { return {F()->SweepGraphChart, F()->ReportSweepGraphChart->Chart()}; }

bool CompareSelected() { return F()->SetSweepGraphCompare->ItemIndex() == 0; }
bool LevelSweep() { return F()->SweepGraphTypeGroup->ItemIndex() == 1 || F()->SweepGraphTypeGroup->ItemIndex() == 2; }
// The pass whose rows the table's current rows are: 1, or 2 during a compare pass.
bool CurrentPassIsTwo() { return CompareSelected() && F()->ComparePass != 1; }

AnsiString KHzText(double v)
{
    const int decimals = v < 1 ? 2 : v < 10 ? 3 : v < 100 ? 2 : 1;
    return FloatToStrF(v, ffFixed, 5, decimals);
}

AnsiString MonitorWord(const AnsiString& Box, const AnsiString& Function)
{
    if (Box == "OFF" || Function == "DCR")
        return "OFF";
    if (Box == "Theta_r")
        return "THR";
    if (Box == "Theta_d")
        return "THD";
    if (Box == "REL")
        return "PER";
    if (Box == "Vac")
        return "VAC";
    if (Box == "Iac")
        return "IAC";
    return Box;
}

// The number to plot of a value text: empty and overload texts plot at 0.
double PlotValue(int Trace, int Row, const AnsiString& Mode, const AnsiString& Text)
{
    const TLCRForm* f = F();
    const bool abs = (Trace == 2 && f->SweepGraphMon1Box->Text() == "ABS") ||
        (Trace == 3 && f->SweepGraphMon2Box->Text() == "ABS");
    const AnsiString t = Trim(Text);
    if (t.empty() || t.rfind("OVERLOA", 0) == 0)
        return 0;
    return StrToFloat(abs ? ConvertPrimaryToGraphUnit(Text) : ConvertToGraphUnit(Trace, Row, Mode, Text));
}

void AddPoint(int Series, double X, double Y, int Trace)
{
    for (TCustomChart* c : Charts())
        c->Series(Series)->AddXY(X, Y, "", F()->TraceColorOf(Trace));
}

double RowX(int Row) { return StrToFloat(GridCell(LevelSweep() ? 3 : 2, Row)); }

// The first measured value text of quantity Trace in a pass (from the table or the
// stored texts), "" when it has none.
AnsiString FirstValueOfPass(int Pass, int Trace)
{
    const TLCRForm* f = F();
    const int n = f->SweepPointCount;
    const bool inTable = (Pass == 1) ? !CurrentPassIsTwo() : CurrentPassIsTwo();
    for (int p = 1; p <= n && p <= 1000; ++p) {
        const AnsiString text = inTable ? GridCell(4 + Trace, Pass == 1 ? p : n + p) : f->SweepValueText[Pass - 1][Trace][p];
        double v;
        AnsiString prefix;
        if (ReadValue(text, v, prefix))
            return text;
    }
    return "";
}

AnsiString PrefixOf(const AnsiString& Text) { return ParseValueText(Text).Prefix; }

// The graph's prefix of each quantity is that of the first measured value of pass 1, or
// of pass 2 when pass 1 has none: both passes, live and replotted, in one prefix.
void LatchTracePrefixes()
{
    for (int t = 0; t < 4; ++t) {
        AnsiString first = FirstValueOfPass(1, t);
        if (first.empty())
            first = FirstValueOfPass(2, t);
        // " " stands for a latched "no prefix"; "" for nothing latched yet.
        const AnsiString prefix = PrefixOf(first);
        F()->TracePrefix[t] = first.empty() ? AnsiString() : prefix.empty() ? AnsiString(" ") : prefix;
    }
}

void FillLimitEdits(bool Compare)
{
    TCustomChart* c = F()->SweepGraphChart;
    for (int n = 1; n <= (Compare ? 8 : 4); ++n) {
        GraphLimitEdit(n, true)->SetText(FloatToStr(c->Series(n - 1)->MaxYValue()));
        GraphLimitEdit(n, false)->SetText(FloatToStr(c->Series(n - 1)->MinYValue()));
    }
}

// Puts back the series of pass Pass from the stored texts (in the current prefixes).
void ReplotStoredPass(int Pass)
{
    TLCRForm* f = F();
    for (int t = 0; t < 4; ++t) {
        const int s = Pass == 1 ? t : t + 4;
        for (TCustomChart* c : Charts())
            c->Series(s)->Clear();
        for (int p = 1; p <= f->SweepPointCount && p <= 1000; ++p) {
            const AnsiString& text = f->SweepValueText[Pass - 1][t][p];
            if (text.empty())
                continue;
            AddPoint(s, RowX(p), PlotValue(t, p, "Grph", text), s + 1);
        }
    }
}

void RepaintCharts()
{
    F()->SweepGraphChart->Repaint();
    F()->ReportSweepGraphChart->Chart()->Repaint();
}

} // namespace

AnsiString GridCell(int Col, int Row) { return Grid()->GetCellEx(Col, Row); }

TVodUriz* GraphLimitEdit(int N, bool Upper)
{
    TLCRForm* f = F();
    TVodUriz* lows[8] = {f->GraphLowerLimitEdit1, f->GraphLowerLimitEdit2, f->GraphLowerLimitEdit3,
        f->GraphLowerLimitEdit4, f->GraphLowerLimitEdit5, f->GraphLowerLimitEdit6, f->GraphLowerLimitEdit7,
        f->GraphLowerLimitEdit8};
    TVodUriz* ups[8] = {f->GraphUpperLimitEdit1, f->GraphUpperLimitEdit2, f->GraphUpperLimitEdit3,
        f->GraphUpperLimitEdit4, f->GraphUpperLimitEdit5, f->GraphUpperLimitEdit6, f->GraphUpperLimitEdit7,
        f->GraphUpperLimitEdit8};
    return (Upper ? ups : lows)[N - 1];
}

TLabel* GraphUnitLab(int N, bool Upper)
{
    TLCRForm* f = F();
    TLabel* lows[8] = {f->GraphLowerUnitLab1, f->GraphLowerUnitLab2, f->GraphLowerUnitLab3, f->GraphLowerUnitLab4,
        f->GraphLowerUnitLab5, f->GraphLowerUnitLab6, f->GraphLowerUnitLab7, f->GraphLowerUnitLab8};
    TLabel* ups[8] = {f->GraphUpperUnitLab1, f->GraphUpperUnitLab2, f->GraphUpperUnitLab3, f->GraphUpperUnitLab4,
        f->GraphUpperUnitLab5, f->GraphUpperUnitLab6, f->GraphUpperUnitLab7, f->GraphUpperUnitLab8};
    return (Upper ? ups : lows)[N - 1];
}

TCheckBox* GraphCheckOf(int N)
{
    TLCRForm* f = F();
    TCheckBox* c[8] = {f->GraphCheck1, f->GraphCheck2, f->GraphCheck3, f->GraphCheck4, f->GraphCheck5, f->GraphCheck6,
        f->GraphCheck7, f->GraphCheck8};
    return c[N - 1];
}

TOwUserLed* SweepGraphSwatch(int N)
{
    TLCRForm* f = F();
    TOwUserLed* c[8] = {f->SetGraphColor1, f->SetGraphColor2, f->SetGraphColor3, f->SetGraphColor4,
        f->SetGraphColor5, f->SetGraphColor6, f->SetGraphColor7, f->SetGraphColor8};
    return c[N - 1];
}

TPanel* GraphTypeStatusOf(int N)
{
    TLCRForm* f = F();
    TPanel* c[8] = {f->GraphTypeStatus1, f->GraphTypeStatus2, f->GraphTypeStatus3, f->GraphTypeStatus4,
        f->GraphTypeStatus5, f->GraphTypeStatus6, f->GraphTypeStatus7, f->GraphTypeStatus8};
    return c[N - 1];
}

// ---------------------------------------------------------------- point table

namespace {

struct TLimitDefault {
    const char* Unit; // nullptr: the primary's captions
    const char* Lower;
    const char* Upper;
};

void SetLimits(int Trace, const AnsiString& Unit, const AnsiString& Lower, const AnsiString& Upper)
{
    for (int n : {Trace, Trace + 4}) {
        GraphUnitLab(n, false)->SetCaption(Unit);
        GraphUnitLab(n, true)->SetCaption(Unit);
        GraphLimitEdit(n, false)->SetText(Lower);
        GraphLimitEdit(n, true)->SetText(Upper);
    }
}

void SetMonitorLimits(int Trace, const AnsiString& Monitor)
{
    AnsiString unit, upper = "999.999";
    if (Monitor == "Z" || Monitor == "R" || Monitor == "X")
        unit = "ohm";
    else if (Monitor == "ABS")
        unit = GraphUnitLab(1, false)->Caption();
    else if (Monitor == "REL")
        unit = "%";
    else if (Monitor == "Theta_r")
        unit = "r", upper = "3.14159";
    else if (Monitor == "Theta_d")
        unit = "d", upper = "179.999";
    else if (Monitor == "G" || Monitor == "B" || Monitor == "Y")
        unit = "nS";
    else if (Monitor == "Vac")
        unit = "V", upper = "2.000";
    else if (Monitor == "Iac")
        unit = "mA", upper = "20.000";
    else if (Monitor == "D")
        upper = "9.999";
    else if (Monitor == "Q")
        upper = "99999.9";
    else
        return; // "OFF": left as it was
    SetLimits(Trace, unit, "0.000", upper);
}

} // namespace

void SetupSweepGraph()
{
    TLCRForm* f = F();
    TRavArodozIdad* g = Grid();
    for (auto& pass : f->SweepValueText)
        for (auto& trace : pass)
            for (auto& text : trace)
                text.clear();
    g->ClearRect(0, 1, 7, g->GetRowCountEx() - 1);
    g->SetRowCountEx(2);
    ResetSweepGraphSeries();

    const int n = StrToInt(f->SweepGraphPointEdit->GetText());
    f->SweepPointCount = n;
    g->SetRowCountEx(n + 1);
    g->AutoNumberCol(0);
    const double start = StrToFloat(NormalizeDecimalText(f->SweepGraphStartEdit->GetText()));
    const double end = StrToFloat(NormalizeDecimalText(f->SweepGraphEndEdit->GetText()));
    g->SetCellEx(3, 0, f->SweepGraphLevelTypeBox->ItemIndex() == 0 ? "Level(V)" : "Level(mA)");
    g->SetCellEx(6, 0, "Monitor(1)_" + f->SweepGraphMon1Box->Text());
    g->SetCellEx(7, 0, "Monitor(2)_" + f->SweepGraphMon2Box->Text());
    const AnsiString function = f->SweepGraphFunBox->Text();
    const bool level = LevelSweep();
    const AnsiString fixedFreq = KHzText(StrToFloat(NormalizeDecimalText(f->SweepGraphFreqEdit->GetText())));
    const AnsiString fixedLevel = f->SweepGraphLevelEdit->GetText();
    for (int k = 1; k <= n; ++k) {
        // Evenly spaced from Start to End exactly.
        const double x = SweepPointValue(start, end, n, k);
        g->SetCellEx(1, k, function);
        if (level) {
            g->SetCellEx(3, k, FloatToStrF(x, ffFixed, 5, 2));
            g->SetCellEx(2, k, fixedFreq);
        } else {
            g->SetCellEx(2, k, KHzText(x));
            g->SetCellEx(3, k, fixedLevel);
        }
    }

    if (function == "Cs-Rs" || function == "Cs-D" || function == "Cp-Rp" || function == "Cp-D")
        SetLimits(1, "pF", "0.000", "999.999");
    else if (function == "Lp-Rp" || function == "Lp-Q" || function == "Ls-Rs" || function == "Ls-Q")
        SetLimits(1, "uH", "0.000", "999.999");
    else
        SetLimits(1, "ohm", "0.000", "999.999");
    if (function == "Cs-Rs" || function == "Cp-Rp" || function == "Lp-Rp" || function == "Ls-Rs" || function == "R-X")
        SetLimits(2, "ohm", "0.000", "999.999");
    else if (function == "Z_theta_r")
        SetLimits(2, "r", "0.000", "3.14159");
    else if (function == "Z_theta_d")
        SetLimits(2, "d", "0.000", "179.999");
    else if (function == "Cs-D" || function == "Cp-D" || function == "Z-D")
        SetLimits(2, "", "0.000", "9.999");
    else
        SetLimits(2, "", "0.000", "99999.9");
    SetMonitorLimits(3, f->SweepGraphMon1Box->Text());
    SetMonitorLimits(4, f->SweepGraphMon2Box->Text());
    f->CompareRowsAdded = false;
    g->Repaint();
}

// ---------------------------------------------------------------- run and states

void SetSweepGraphState(const AnsiString& State)
{
    TLCRForm* f = F();
    const bool start = State == "Start";
    if (State != "Default" && !start && State != "Terminate" && State != "OK")
        return;
    for (TControl* c : std::initializer_list<TControl*>{f->SweepParaBtn, f->GraphParaBtn, f->SweepGraphStartBtn,
             f->SweepGraphSaveBtn, f->SweepGraphSaveGraphBtn, f->SweepGraphPreviewBtn, f->SweepGraphRemoveBtn,
             f->SweepGraphMeasDispBtn, f->ListMeasPan, f->ListSetupPan})
        c->SetEnabled(!start);
    f->SweepGraphTerminateBtn->SetEnabled(start);
    if (State == "Default") {
        f->TestRunning = false;
        f->TestIdle = true;
        f->SweepPoint = 1;
    } else if (!start) {
        ShowSweepGraphUnits();
    }
}

void TLCRForm::SweepGraphStartBtnClick(TObject*)
{
    if (TestRunning || !TestIdle)
        return;
    TRavArodozIdad* g = Grid();
    if (g->GetCellEx(1, 1).empty()) {
        ShowMessageBox(" ''Sweep Parameter'' has not been Set !", "Warning", MB_OK | MB_ICONWARNING);
        return;
    }
    const int n = SweepPointCount;
    if (!CompareSelected()) {
        ComparePass = 1;
    } else {
        bool measured = false;
        for (int c = 4; c <= 7; ++c)
            measured = measured || !g->GetCellEx(c, 1).empty();
        ComparePass = !measured ? 1 : (ComparePass == 1 ? 2 : 1);
        if (ComparePass == 2 && !CompareRowsAdded) {
            CompareRowsAdded = true;
            g->SetRowCountEx(2 * n + 1);
            g->AutoNumberCol(0);
            for (int i = 1; i <= n; ++i)
                for (int c = 1; c <= 3; ++c)
                    g->SetCellEx(c, n + i, g->GetCellEx(c, i));
        }
    }
    if (ComparePass == 1)
        g->ClearRect(4, 1, 7, n);
    else
        g->ClearRect(4, n + 1, 7, g->GetRowCountEx() - 1);
    if (AlcOn == 1)
        AlcRetriggers = 0;
    SetSweepGraphState("Start");
    TestRunning = true;
    TestIdle = false;
    SweepPoint = 1;
    ListMeasRunning = false;
    SweepRunning = true;
    SweepIsActiveTest = true;
    g->SetSelectionColor(clRed);
    ResetSweepGraphSeries();
    RunSweepGraphPoint(1);
    LCRTimer->SetEnabled(true);
    if (SweepGraphResultPage->CanFocus())
        SweepGraphResultPage->SetFocus();
}

void RunSweepGraphPoint(int Point)
{
    TLCRForm* f = F();
    TRavArodozIdad* g = Grid();
    f->FetchStage = 1;
    const int row = f->ComparePass == 2 ? f->SweepPointCount + Point : Point;
    g->SetRow(row);
    g->SelectRows(row, 1);
    const AnsiString function = f->SweepGraphFunBox->Text();
    const AnsiString freq = g->GetCellEx(2, Point), level = g->GetCellEx(3, Point);
    const AnsiString prevFreq = Point > 1 ? g->GetCellEx(2, Point - 1) : AnsiString();
    const AnsiString prevLevel = Point > 1 ? g->GetCellEx(3, Point - 1) : AnsiString();
    if (Point == 1) {
        const AnsiString word = function == "Z_theta_r" ? "Z-thr" : function == "Z_theta_d" ? "Z-thd" : function;
        SendAndVerify("FUNC " + word, "FUNC?", word);
        const AnsiString m1 = MonitorWord(f->SweepGraphMon1Box->Text(), function);
        SendAndVerify("FUNC:MON1 " + m1, "FUNC:MON1?", m1);
        const AnsiString m2 = MonitorWord(f->SweepGraphMon2Box->Text(), function);
        SendAndVerify("FUNC:MON2 " + m2, "FUNC:MON2?", m2);
        const AnsiString mon1 = f->SweepGraphMon1Box->Text(), mon2 = f->SweepGraphMon2Box->Text();
        if (mon1 == "ABS" || mon1 == "REL" || mon2 == "ABS" || mon2 == "REL") {
            // Built as the list run builds it, so that the read-back can match.
            const AnsiString nominal = NominalCommandText(
                StoreNominal(StrToFloat(NormalizeDecimalText(f->SweepGraphNomEdit->GetText()))),
                f->SweepGraphNomUnitBox->ItemIndex(), function);
            SendAndVerify("COMP:TOL:NOM " + nominal, "COMP:TOL:NOM?", nominal);
        }
    }
    if (freq != prevFreq) {
        double v = StrToFloat(freq);
        if (v < 1)
            v *= 1000;
        const AnsiString expected = FloatToStrF(v, ffFixed, 5, v < 10 ? 3 : v < 100 ? 2 : 1);
        const bool kHz = f->SweepGraphFreqTypeBox->Text() == "Freq(kHz)";
        SendAndVerify("FREQ " + freq + (kHz ? "k" : ""), "FREQ?", expected);
    }
    if (level != prevLevel) {
        if (f->SweepGraphLevelTypeBox->Text() == "Level(mA)") {
            SendAndVerify("LEV:CURR " + level + "m", "LEV:CURR?", level);
        } else {
            const double v0 = StrToFloat(level);
            const double v = v0 < 1 ? v0 * 1000 : v0;
            const AnsiString expected = FloatToStrF(v, ffFixed, 5, v < 100 ? 2 : 1);
            SendAndVerify(v0 > 0.01 ? "LEV:VOLT " + level : AnsiString("LEV:VOLT 10.00m"), "VOLT?", expected);
        }
    }
    WaitMeasureTime();
    SendCommand("TRIG");
}

void TLCRForm::SweepGraphTerminateBtnClick(TObject*)
{
    TestRunning = false;
    TestIdle = true;
    ListMeasRunning = false;
    SweepRunning = false;
    Grid()->SetSelectionColor(TColorOf(0xFFFF00));
    SetSweepGraphState("Terminate");
}

void TLCRForm::SetSweepGraphCompareClick(TObject*)
{
    const bool compare = CompareSelected();
    for (int n = 5; n <= 8; ++n) {
        GraphCheckOf(n)->SetChecked(compare);
        GraphCheckOf(n)->SetEnabled(compare);
        SweepGraphSwatch(n)->SetEnabled(compare);
        GraphLimitEdit(n, false)->SetEnabledEx(compare);
        GraphLimitEdit(n, true)->SetEnabledEx(compare);
        GraphUnitLab(n, false)->SetEnabled(compare);
        GraphUnitLab(n, true)->SetEnabled(compare);
    }
    for (TLabel* l : {SweepGraphPrimary2Lab, SweepGraphSecond2Lab, SweepGraphMon1Lab2, SweepGraphMon2Lab2})
        l->SetEnabled(compare);
    if (compare)
        CompareRowsAdded = false;
}

void StoreSweepGraphData()
{
    TLCRForm* f = F();
    TRavArodozIdad* g = Grid();
    const int n = f->SweepPointCount;
    if (!CompareSelected() || f->ComparePass == 1) {
        for (int t = 0; t < 4; ++t)
            for (int j = 1; j <= n; ++j)
                f->SweepValueText[0][t][j] = g->GetCellEx(4 + t, j);
    } else {
        const int last = std::min(g->GetRowCountEx() - 1, 2 * n);
        for (int t = 0; t < 4; ++t)
            for (int j = n + 1; j <= last; ++j)
                f->SweepValueText[1][t][j - n] = g->GetCellEx(4 + t, j);
    }
}

void DropComparePass()
{
    TLCRForm* f = F();
    TRavArodozIdad* g = Grid();
    const int n = f->SweepPointCount;
    f->CompareRowsAdded = false;
    g->ClearRect(1, n + 1, 7, g->GetRowCountEx() - 1);
    g->SetRowCountEx(n + 1);
    for (auto& trace : f->SweepValueText[1])
        for (auto& text : trace)
            text.clear();
    f->ComparePass = 2;
    ResetSweepGraphSeries();
    f->ComparePass = 1;
}

// ---------------------------------------------------------------- plotting

void TLCRForm::InitGraphParameters()
{
    SetSweepGraphAxisScale->SetItemIndex(0);
    SetSweepGraphCompare->SetItemIndex(1);
    SetYAxisLeftGraphRadio->SetItemIndex(0);
    for (int n = 1; n <= 8; ++n) {
        TraceColorOf(n) = DefaultTraceColor[n - 1];
        GraphTypeStatusOf(n)->SetColor(TColorOf(DefaultTraceColor[n - 1]));
        GraphCheckOf(n)->SetChecked(n <= 4);
    }
    for (TCustomChart* c : Charts())
        for (int s = 0; s < 8; ++s) {
            c->Series(s)->SetVertAxis(aLeftAxis);
            c->Series(s)->Clear();
            c->Series(s)->SetActive(s < 4);
        }
    for (int n = 1; n <= 8; ++n) {
        TOwPaletteEx* p = SweepGraphSwatch(n)->PaletteEx();
        const TColor c = TColorOf(DefaultTraceColor[n - 1]);
        p->SetHigh1(c);
        p->SetHigh2(c);
        p->SetLow1(c);
        p->SetLow2(c);
        GraphLimitEdit(n, false)->SetText("0.000");
        GraphLimitEdit(n, true)->SetText(n == 1 || n == 2 || n == 5 || n == 6 ? "999.999" : "0.000");
    }
    SetSweepGraphCompareClick(this);
}

void TLCRForm::SetGraphColor1MouseDown(TObject* Sender, TMouseButton, TShiftState, int, int)
{
    for (int n = 1; n <= 8; ++n) {
        if (SweepGraphSwatch(n) != Sender)
            continue;
        if (!ColorDialog->Execute())
            return;
        const TColor c = ColorDialog->Color();
        TOwPaletteEx* p = SweepGraphSwatch(n)->PaletteEx();
        p->SetHigh1(c);
        p->SetHigh2(c);
        p->SetLow1(c);
        p->SetLow2(c);
        TraceColorOf(n) = c;
        return;
    }
}

void TLCRForm::GraphLowerLimitEdit1KeyPress(TObject*, char& Key)
{
    if ((Key >= '0' && Key <= '9') || Key == '+' || Key == '-' || Key == '.')
        return;
    Key = 0;
    MessageBeep(MB_ICONEXCLAMATION);
}

void ResetSweepGraphSeries()
{
    TLCRForm* f = F();
    for (int k = 1; k <= 4; ++k) {
        const int s = f->ComparePass == 1 ? k - 1 : k + 3;
        const int trace = s + 1;
        for (TCustomChart* c : Charts()) {
            c->Series(s)->SetVertAxis(aLeftAxis);
            c->Series(s)->Clear();
            c->Series(s)->SetColorSource(std::to_string(f->TraceColorOf(trace)));
        }
    }
    const bool wide = static_cast<long long>(f->SweepGraphChart->LeftAxis()->Maximum()) > 0;
    for (TCustomChart* c : Charts())
        c->LeftAxis()->SetMinMax(0, wide ? 9999.999 : 999.999);
    for (TCustomChart* c : Charts()) {
        c->LeftAxis()->SetAutomatic(true);
        c->RightAxis()->SetAutomatic(true);
        c->BottomAxis()->SetAutomatic(true);
    }
}

AnsiString ConvertToGraphUnit(int Trace, int, const AnsiString&, const AnsiString& Text)
{
    TLCRForm* f = F();
    double v;
    AnsiString prefix;
    if (!ReadValue(Text, v, prefix))
        return "0";
    if (f->TracePrefix[Trace].empty())
        f->TracePrefix[Trace] = prefix.empty() ? AnsiString(" ") : prefix;
    const int e0 = PrefixExponent(f->TracePrefix[Trace]);
    const int e = PrefixExponent(prefix.empty() ? AnsiString(" ") : prefix);
    return FloatToStr(v * std::pow(1000.0, e - e0));
}

AnsiString ConvertPrimaryToGraphUnit(const AnsiString& Text)
{
    const TLCRForm* f = F();
    double v;
    AnsiString prefix;
    if (!ReadValue(Text, v, prefix))
        return "0";
    const AnsiString U = f->SweepGraphNomUnitBox->Text();
    const int K = FunctionIndex(f->SweepGraphFunBox->Text());
    if (ParseValueText(Text).Unit == Trim(U))
        return FloatToStr(v);
    const int i0 = UnitPrefixIndex(K, U.substr(0, 1), "Primary");
    const int i = UnitPrefixIndex(K, prefix.empty() ? AnsiString(" ") : prefix, "Primary");
    return FloatToStr(v * std::pow(1000.0, i - i0));
}

void PlotSweepGraphPoint(int Point)
{
    TLCRForm* f = F();
    const bool two = CurrentPassIsTwo();
    const int row = two ? f->SweepPointCount + Point : Point;
    if (Point == 1) {
        const AnsiString before[4] = {f->TracePrefix[0], f->TracePrefix[1], f->TracePrefix[2], f->TracePrefix[3]};
        LatchTracePrefixes();
        // Pass 1 decides the prefixes: a compare pass already drawn follows them.
        bool changed = false;
        for (int t = 0; t < 4; ++t)
            changed = changed || before[t] != f->TracePrefix[t];
        if (!two && changed && CompareSelected())
            ReplotStoredPass(2);
    }
    const double x = RowX(row);
    for (int t = 0; t < 4; ++t) {
        const double y = PlotValue(t, row, "Step", GridCell(4 + t, row));
        const int s = f->ComparePass == 1 ? t : t + 4;
        AddPoint(s, x, y, s + 1);
    }
    FillLimitEdits(CompareSelected());
    RepaintCharts();
}

void ShowSweepGraphUnits()
{
    const TLCRForm* f = F();
    auto measured = [&](int row) {
        if (GridCell(4, row).empty() || GridCell(5, row).empty())
            return false;
        const bool m1 = GridCell(6, row).empty() == (f->SweepGraphMon1Box->Text() == "OFF");
        const bool m2 = GridCell(7, row).empty() == (f->SweepGraphMon2Box->Text() == "OFF");
        return m1 || m2;
    };
    const int row = measured(1) ? 1 : 2;
    for (int t = 0; t < 4; ++t) {
        const AnsiString caption = ParseValueText(GridCell(4 + t, row)).Unit;
        for (int n : {t + 1, t + 5}) {
            GraphUnitLab(n, false)->SetCaption(caption);
            GraphUnitLab(n, true)->SetCaption(caption);
        }
    }
}

// ---------------------------------------------------------------- scaling

void ScaleSweepGraph()
{
    TLCRForm* f = F();
    const bool compare = CompareSelected();
    const bool two = CurrentPassIsTwo();
    const bool wide = static_cast<long long>(f->SweepGraphChart->LeftAxis()->Maximum()) > 0;
    for (TCustomChart* c : Charts()) {
        c->LeftAxis()->SetMinMax(0, wide ? 9999.999 : 999.999);
        c->LeftAxis()->SetAutomatic(true);
        c->RightAxis()->SetAutomatic(true);
        c->BottomAxis()->SetAutomatic(true);
        for (int s = 0; s < (compare ? 8 : 4); ++s)
            c->Series(s)->Clear();
    }
    LatchTracePrefixes();
    const int n = f->SweepPointCount;
    const int first = two ? n + 1 : 1;
    const int last = two ? Grid()->GetRowCountEx() - 1 : n;
    for (int j = first; j <= last; ++j) {
        const double x = RowX(j);
        const int point = two ? j - n : j;
        for (int t = 0; t < 4; ++t) {
            const int own = two ? t + 4 : t, other = two ? t : t + 4;
            AddPoint(own, x, PlotValue(t, j, "Grph", GridCell(4 + t, j)), own + 1);
            if (compare && point >= 1 && point <= 1000) {
                const AnsiString& text = f->SweepValueText[two ? 0 : 1][t][point];
                AddPoint(other, x, PlotValue(t, j, "Grph", text), other + 1);
            }
        }
    }
    const int yLeft = f->SetYAxisLeftGraphRadio->ItemIndex();
    for (TCustomChart* c : Charts())
        for (int s = 0; s < (compare ? 8 : 4); ++s)
            c->Series(s)->SetVertAxis(aLeftAxis);
    if (yLeft <= 0) {
        FillLimitEdits(compare);
    } else {
        const double U = StrToFloat(NormalizeDecimalText(GraphLimitEdit(yLeft, true)->GetText()));
        const double L = StrToFloat(NormalizeDecimalText(GraphLimitEdit(yLeft, false)->GetText()));
        for (TCustomChart* c : Charts()) {
            c->LeftAxis()->SetAutomatic(false);
            c->LeftAxis()->SetMinMax(std::min(L, U), std::max(L, U));
        }
    }
    for (int k = 1; k <= 4; ++k) {
        for (int n2 : {k, k + 4}) {
            if (n2 > 4 && !compare)
                continue;
            const int s = n2 - 1;
            const bool on = GraphCheckOf(n2)->Checked();
            for (TCustomChart* c : Charts()) {
                c->Series(s)->SetColorSource(std::to_string(f->TraceColorOf(n2)));
                c->Series(s)->SetActive(on);
            }
            if (!on)
                f->SweepGraphChart->Series(s)->Clear();
            GraphTypeStatusOf(n2)->SetColor(f->TraceColorOf(n2));
        }
    }
    RepaintCharts();
}
