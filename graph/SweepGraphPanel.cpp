// The sweep graph's parameter panel: opening and closing it, the sweep type, the nominal
// fields and the checks of every value field.
#include "components/controls/Owbuttons.h"
#include "components/controls/Voduriz.h"
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
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/report/Report.h"
#include "platform/win/Beep.h"

namespace {

TLCRForm* F() { return LCRForm; }

// The controls the open panel disables.
std::vector<TControl*> PanelLockedControls()
{
    TLCRForm* f = F();
    return {f->SweepGraphChart, f->SweepParaBtn, f->SweepGraphStartBtn, f->GraphParaBtn, f->SweepGraphTerminateBtn,
        f->SweepGraphSaveBtn, f->SweepGraphSaveGraphBtn, f->SweepGraphPreviewBtn, f->SweepGraphRemoveBtn,
        f->SweepGraphResultPage, f->SweepGraphMeasDispBtn};
}

void OpenPanel(int Tab)
{
    TLCRForm* f = F();
    f->SweepGraphParaPanel->SetVisible(true);
    f->SweepParaTab->SetTabVisible(Tab == 0);
    f->GraphParaTab->SetTabVisible(Tab == 1);
    f->SweepGraphParaPage->SetActivePageIndex(Tab);
    for (TControl* c : PanelLockedControls())
        c->SetEnabled(false);
}

void ClosePanel()
{
    F()->SweepGraphParaPanel->SetVisible(false);
    for (TControl* c : PanelLockedControls())
        c->SetEnabled(true);
}

bool SweepTabShown() { return F()->SweepGraphParaPage->ActivePageIndex() == 0; }

// Set while a refusal puts the focus back: the field the focus was leaving for is not
// checked then, so two fields that refuse each other cannot pass the focus to and fro.
bool Refusing = false;

// A refused value: the message, the focus back into the field, InputError by the exit check.
bool Refuse(TVodUriz* Field, const AnsiString& Message, bool OnExit)
{
    Refusing = true;
    ShowMessageBox(Message, "Warning", MB_OK | MB_ICONWARNING);
    if (Field->CanFocus())
        Field->SetFocus();
    Refusing = false;
    if (OnExit)
        F()->InputError = true;
    return false;
}

bool Accept(TVodUriz* Field, bool OnExit)
{
    if (OnExit) {
        EndInputError();
        Field->SetText(Trim(NormalizeDecimalText(Field->TypedText()))); // shown with its display decimals
    }
    return true;
}

// As typed: the edit's own reformatting on leaving it reads a decimal comma as a thousands separator.
double FieldValue(TVodUriz* Field) { return StrToFloat(NormalizeDecimalText(Field->TypedText())); }

bool CheckStartEnd(bool CheckStart, bool OnExit)
{
    TLCRForm* f = F();
    TVodUriz* field = CheckStart ? f->SweepGraphStartEdit : f->SweepGraphEndEdit;
    const double start = FieldValue(f->SweepGraphStartEdit), end = FieldValue(f->SweepGraphEndEdit);
    if (CheckStart && start > end)
        return Refuse(field, " '' Start '' over  range! Start <= End !", OnExit);
    if (!CheckStart && end < start)
        return Refuse(field, " ''End'' over  range! End <= Start !", OnExit);
    const double v = CheckStart ? start : end;
    const AnsiString name = CheckStart ? "Start" : "End";
    double lo = 0.01, hi = 0;
    AnsiString message;
    switch (f->SweepGraphTypeGroup->ItemIndex()) {
    case 1:
        hi = 2;
        message = " ''" + name + "'' over  range! 0.01 V <= " + name + " <= 2 V !";
        break;
    case 2:
        lo = 0.1;
        hi = 20;
        message = " ''" + AnsiString(!CheckStart && !OnExit ? "End " : name) + "'' over  range! 0.1 mA <= " + name +
            " <= 20 mA !";
        break;
    default:
        hi = ModelHighestKHz(F()->ModelName);
        message = " ''" + name + "'' over  range! 0.01 kHz <= " + name + " <=" + ModelHighestText(F()->ModelName);
        break;
    }
    if (v < lo || v > hi)
        return Refuse(field, message, OnExit);
    return Accept(field, OnExit);
}

bool CheckPoint(bool OnExit)
{
    TVodUriz* field = F()->SweepGraphPointEdit;
    const AnsiString text = Trim(field->TypedText());
    if (text.empty()) {
        field->SetText("10");
        return true;
    }
    const int n = StrToInt(text);
    if (n < 1 || n > 1000)
        return Refuse(field, " ''Point'' over  range!  1 <= Point <= 1000 !", OnExit);
    if (OnExit)
        EndInputError();
    return true;
}

bool CheckFreq(bool OnExit)
{
    TVodUriz* field = F()->SweepGraphFreqEdit;
    const double v = FieldValue(field);
    // The fixed frequency of a level sweep is bounded by the instrument's highest frequency.
    if (v < 0.01 || v > ModelHighestKHz(F()->ModelName))
        return Refuse(field, " ''Freq'' over  range! 0.01 kHz <= Freq <=" + ModelHighestText(F()->ModelName), OnExit);
    return Accept(field, OnExit);
}

bool CheckLevel(bool OnExit)
{
    TVodUriz* field = F()->SweepGraphLevelEdit;
    const double v = FieldValue(field);
    if (F()->SweepGraphLevelTypeBox->ItemIndex() == 1) {
        if (v < 0.1 || v > 20)
            return Refuse(field, " ''Level(mA)'' over  range! 0.1 mA <= Level(mA) <= 20 mA !", OnExit);
    } else if (v < 0.01 || v > 2) {
        return Refuse(field, " ''Level_V''_v over  range! 0.01 V <= Level(V) <= 2 V !", OnExit);
    }
    return Accept(field, OnExit);
}

bool CheckNominal(bool OnExit)
{
    TLCRForm* f = F();
    TVodUriz* field = f->SweepGraphNomEdit;
    const double x = FieldValue(field);
    const AnsiString u = f->SweepGraphNomUnitBox->Text();
    const TFunctionKind kind = NominalKind(f->SweepGraphFunBox->Text());
    const int position = f->SweepGraphNomUnitBox->ItemIndex();
    if (!NominalInRange(x, position, kind))
        return Refuse(field, NominalRangeMessage(u, position, kind), OnExit);
    field->SetText(NominalFieldText(x));
    if (OnExit)
        EndInputError();
    return true;
}

// The exit checks of the sweep tab in their fixed order; false at the first refusal.
bool CheckSweepTab()
{
    return CheckFreq(true) && CheckLevel(true) && CheckNominal(true) && CheckStartEnd(true, true) &&
        CheckStartEnd(false, true) && CheckPoint(true);
}

bool AbsOrRel(const TComboBox* Box) { return Box->ItemIndex() == 6 || Box->ItemIndex() == 7; }

} // namespace

void TLCRForm::SweepParaBtnClick(TObject*) { OpenPanel(0); }
void TLCRForm::GraphParaBtnClick(TObject*) { OpenPanel(1); }

void TLCRForm::SweepGraphTypeGroupClick(TObject*)
{
    const int item = SweepGraphTypeGroup->ItemIndex();
    const bool freq = item == 0;
    if (freq) {
        SweepGraphStartEdit->SetText("1.00");
        const AnsiString m = ModelName;
        if (!m.empty())
            SweepGraphEndEdit->SetText(std::to_string(ModelHighestKHz(ModelName)));
        SweepGraphFreqTypeBox->SetItemIndex(0);
    } else {
        SweepGraphStartEdit->SetText(item == 1 ? "0.01" : "0.1");
        SweepGraphEndEdit->SetText(item == 1 ? "2" : "20");
        SweepGraphLevelTypeBox->SetItemIndex(item == 1 ? 0 : 1);
    }
    SweepGraphLevelTypeBox->SetEnabled(freq);
    SweepGraphLevelEdit->SetEnabledEx(freq);
    SweepGraphLevelTypeLab->Font()->SetColor(TColorOf(freq ? 0x00FF00 : 0x808080));
    SweepGraphFreqTypeBox->SetEnabled(!freq);
    SweepGraphFreqEdit->SetEnabledEx(!freq);
    SweepGraphFreqTypeLab->Font()->SetColor(TColorOf(freq ? 0x808080 : 0x00FF00));
}

void TLCRForm::SweepGraphMon1BoxChange(TObject*)
{
    const bool nominal = AbsOrRel(SweepGraphMon1Box) || AbsOrRel(SweepGraphMon2Box);
    SweepGraphNomEdit->SetVisible(nominal);
    SweepGraphNomUnitLap->SetVisible(nominal);
    SweepGraphNomUnitBox->SetVisible(nominal);
    if (nominal)
        FillNominalUnitBox(SweepGraphFunBox->Text(), "SweepGraph");
    if (SweepGraphParaPanel->CanFocus())
        SweepGraphParaPanel->SetFocus();
}

void TLCRForm::SweepGraphFunBoxChange(TObject*)
{
    if (AbsOrRel(SweepGraphMon1Box) || AbsOrRel(SweepGraphMon2Box))
        FillNominalUnitBox(SweepGraphFunBox->Text(), "SweepGraph");
}

void TLCRForm::SweepGraphStartEditExit(TObject*)
{
    if (!Refusing)
        CheckStartEnd(true, true);
}

void TLCRForm::SweepGraphEndEditExit(TObject*)
{
    if (!Refusing)
        CheckStartEnd(false, true);
}

void TLCRForm::SweepGraphPointEditExit(TObject*)
{
    if (!Refusing)
        CheckPoint(true);
}

void TLCRForm::SweepGraphFreqEditExit(TObject*)
{
    if (!Refusing)
        CheckFreq(true);
}

void TLCRForm::SweepGraphLevelEditExit(TObject*)
{
    if (!Refusing)
        CheckLevel(true);
}

void TLCRForm::SweepGraphNomEditExit(TObject*)
{
    if (!Refusing)
        CheckNominal(true);
}


void TLCRForm::SweepGraphStartEditKeyDown(TObject*, Word& Key, TShiftState)
{
    if (Key == VK_RETURN)
        CheckStartEnd(true, false);
}

void TLCRForm::SweepGraphEndEditKeyDown(TObject*, Word& Key, TShiftState)
{
    if (Key == VK_RETURN)
        CheckStartEnd(false, false);
}

void TLCRForm::SweepGraphPointEditKeyDown(TObject*, Word& Key, TShiftState)
{
    if (Key == VK_RETURN)
        CheckPoint(false);
}

void TLCRForm::SweepGraphFreqEditKeyDown(TObject*, Word& Key, TShiftState)
{
    if (Key == VK_RETURN)
        CheckFreq(false);
}

void TLCRForm::SweepGraphLevelEditKeyDown(TObject*, Word& Key, TShiftState)
{
    if (Key == VK_RETURN)
        CheckLevel(false);
}

void TLCRForm::SweepGraphNomEditKeyDown(TObject*, Word& Key, TShiftState)
{
    if (Key == VK_RETURN)
        CheckNominal(false);
}

void TLCRForm::SweepGraphNomEditKeyPress(TObject*, char& Key)
{
    if ((Key >= '0' && Key <= '9') || Key == '-' || Key == '.')
        return;
    Key = 0;
    MessageBeep(MB_ICONEXCLAMATION);
}

// Ok and Cancel close the sweep tab only once a pending refusal is dealt with
// and every field is in range.
static bool SweepTabMayClose()
{
    TLCRForm* f = F();
    if (f->InputError || !CheckSweepTab()) {
        f->InputError = false;
        return false;
    }
    return true;
}

void TLCRForm::SweepGraphOkBtnClick(TObject*)
{
    if (SweepTabShown()) {
        if (!SweepTabMayClose())
            return;
        ClosePanel();
        SetupSweepGraph();
        return;
    }
    // A fixed left axis needs its lower limit at or below its upper one.
    const int yLeft = SetYAxisLeftGraphRadio->ItemIndex();
    if (yLeft >= 1 && yLeft <= 8) {
        TVodUriz* low = GraphLimitEdit(yLeft, false);
        const double lower = StrToFloat(NormalizeDecimalText(low->GetText()));
        const double upper = StrToFloat(NormalizeDecimalText(GraphLimitEdit(yLeft, true)->GetText()));
        if (lower > upper) {
            ShowMessageBox(" ''Lower Limit'' over  range! Lower Limit <= Upper Limit !", "Warning",
                MB_OK | MB_ICONWARNING);
            if (low->CanFocus())
                low->SetFocus();
            return;
        }
    }
    ClosePanel();
    if (SetSweepGraphCompare->ItemIndex() == 1 && CompareRowsAdded)
        DropComparePass();
    const bool log = SetSweepGraphAxisScale->ItemIndex() == 1;
    SweepGraphChart->BottomAxis()->SetLogarithmic(log);
    ReportSweepGraphChart->Chart()->BottomAxis()->SetLogarithmic(log);
    bool empty = true, filled = true;
    for (int c = 0; c <= 7; ++c) {
        const bool has = !GridCell(c, 1).empty();
        empty = empty && !has;
        if (c <= 5)
            filled = filled && has;
    }
    if (empty) {
        ShowMessageBox(" ''Sweep Result'' has not been measure value !", "Warning", MB_OK | MB_ICONWARNING);
        return;
    }
    if (filled)
        ScaleSweepGraph();
    SweepGraphChart->Repaint();
}

void TLCRForm::SweepGraphCancelBtnClick(TObject*)
{
    if (SweepTabShown()) {
        if (!SweepTabMayClose())
            return;
        ClosePanel();
        return;
    }
    if (CompareRowsAdded) {
        SetSweepGraphCompare->SetItemIndex(0); // its click handler clears the flag
        CompareRowsAdded = true;
    } else {
        SetSweepGraphCompare->SetItemIndex(1);
    }
    ClosePanel();
}
