// The Set List Sweep panel: its fields, their checks, and the steps it generates.
#include <algorithm>

#include "list/ListButtons.h"
#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "list/ListPublic.h"
#include "list/ListUnits.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/Panel.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/win/Beep.h"

namespace {

void Warn(const AnsiString& Text)
{
    ShowMessageBox(Text, "Warning", MB_OK | MB_ICONWARNING);
}

void Refocus(TVodUriz* E)
{
    if (E->CanFocus())
        E->SetFocus();
}

// A field's number as the user typed it: the edit's own reformatting on leaving it reads a
// decimal comma as a thousands separator.
double FieldNumber(TVodUriz* E)
{
    return StrToFloat(Trim(NormalizeDecimalText(E->TypedText())));
}

// An accepted number is shown with the field's decimals.
bool ShowAccepted(TVodUriz* E)
{
    E->SetText(Trim(NormalizeDecimalText(E->TypedText())));
    return true;
}

void EnableSetupButtons(bool On)
{
    TLCRForm* f = LCRForm;
    f->ListSetupGroup->SetEnabled(On);
    for (TOwShadowButton* b : {f->ListSetupOpenBtn, f->ListSetupSaveBtn, f->ListSetupNewBtn, f->SetSweepBtn,
             f->ListSetupInsertBtn, f->ListSetupCopyBtn, f->ListSetupMeasDispBtn})
        ButtonControl(b)->SetEnabled(On);
}

void MoveButton(TOwShadowButton* B, int Left, int Top)
{
    TControl* c = ButtonControl(B);
    c->SetBounds(Left, Top, c->Width(), c->Height());
}

bool NominalShown()
{
    TLCRForm* f = LCRForm;
    for (TComboBox* b : {f->SweepMon1Box, f->SweepMon2Box})
        if (b->Text() == "ABS" || b->Text() == "REL")
            return true;
    return false;
}

// The field checks; each returns true when it accepts.
using TCheck = bool (*)(bool Enter);

// The fixed frequency of a level sweep: bounded by the model like Start and End, since a
// step above the model's highest frequency could not be measured.
bool CheckFreq(bool)
{
    TLCRForm* f = LCRForm;
    const double v = FieldNumber(f->SweepFreqEdit);
    if (v >= 0.01 && v <= ModelHighestKHz(f->ModelName))
        return ShowAccepted(f->SweepFreqEdit);
    Warn(" ''Start'' over  range! 0.01 kHz <= Start <=" + ModelHighestText(f->ModelName));
    Refocus(f->SweepFreqEdit);
    return false;
}

bool CheckLevel(bool)
{
    TLCRForm* f = LCRForm;
    const double v = FieldNumber(f->SweepLevelEdit);
    const bool current = f->SweepLevelTypeBox->Text() == "Level(mA)";
    const TLevelRange r = LevelRange(current);
    if (v >= r.Low && v <= r.High)
        return ShowAccepted(f->SweepLevelEdit);
    Warn(current ? " ''Level(mA)'' over  range! 0.1 mA <= Level(mA) <= 20 mA !"
                 : " ''Level_V''_v over  range! 0.01 V <= Level(V) <= 2 V !");
    Refocus(f->SweepLevelEdit);
    return false;
}

bool CheckNominal(bool)
{
    TLCRForm* f = LCRForm;
    const double v = FieldNumber(f->SweepNomEdit);
    const TFunctionKind kind = NominalKind(f->SweepFunBox->Text());
    const int p = f->SweepNomUnitBox->ItemIndex();
    if (!NominalInRange(v, p, kind)) {
        Warn(NominalRangeMessage(f->SweepNomUnitBox->Text(), p, kind));
        Refocus(f->SweepNomEdit);
        return false;
    }
    f->SweepNomEdit->SetText(NominalFieldText(v));
    return true;
}

bool CheckRange(TVodUriz* E, bool IsStart, bool Enter)
{
    TLCRForm* f = LCRForm;
    const double start = FieldNumber(f->SweepStartEdit), end = FieldNumber(f->SweepEndEdit);
    const double v = IsStart ? start : end;
    const AnsiString name = IsStart ? "Start" : "End";
    if (IsStart ? start > end : end < start) {
        Warn(IsStart ? " '' Start '' over  range! Start <= End !" : " ''End'' over  range! End <= Start !");
        Refocus(E);
        return false;
    }
    const int type = f->SweepTypeGroup->ItemIndex();
    double lo = 0.01, hi = ModelHighestKHz(f->ModelName);
    AnsiString text = " ''" + name + "'' over  range! 0.01 kHz <= " + name + " <=" + ModelHighestText(f->ModelName);
    if (type == 1) {
        lo = LevelRange(false).Low;
        hi = LevelRange(false).High;
        text = " ''" + name + "'' over  range! 0.01 V <= " + name + " <= 2 V !";
    } else if (type == 2) {
        lo = LevelRange(true).Low;
        hi = LevelRange(true).High;
        text = (!IsStart && Enter ? AnsiString(" ''End '' over  range!") : " ''" + name + "'' over  range!") +
            " 0.1 mA <= " + name + " <= 20 mA !";
    }
    if (v >= lo && v <= hi)
        return ShowAccepted(E);
    Warn(text);
    Refocus(E);
    return false;
}

bool CheckStart(bool Enter)
{
    return CheckRange(LCRForm->SweepStartEdit, true, Enter);
}

bool CheckEnd(bool Enter)
{
    return CheckRange(LCRForm->SweepEndEdit, false, Enter);
}

bool CheckPoint(bool Enter)
{
    TLCRForm* f = LCRForm;
    const AnsiString typed = Trim(f->SweepPointEdit->TypedText());
    if (typed.empty()) {
        f->SweepPointEdit->SetText("10");
        return true;
    }
    const int n = StrToInt(typed);
    // At least one point: no point would generate nothing and shift the rows for nothing.
    if (n >= 1 && f->ListSetupGrid->GetRowCountEx() - 1 + n <= 1000)
        return true;
    Warn(Enter ? "1 <= Step Count <= 1000 !" : "1 <= ''ListSstup'' Step Count <= 1000 !");
    Refocus(f->SweepPointEdit);
    return false;
}

bool CheckDes(bool)
{
    TLCRForm* f = LCRForm;
    const AnsiString typed = Trim(f->SweepDesEdit->TypedText());
    if (typed.empty()) {
        f->SweepDesEdit->SetText("1");
        return true;
    }
    const int d = StrToInt(typed);
    if (d > f->ListSetupGrid->GetRowCountEx() - 1) {
        Warn(" Illegal destination step number !  Destination Step <= Setp Count !");
        Refocus(f->SweepDesEdit);
        return false;
    }
    if (d < 1 || d > 1000) {
        Warn(" ''Destination  '' over  range!  1 <= Destination  <= 1000 !");
        Refocus(f->SweepDesEdit);
        return false;
    }
    return true;
}

const TCheck AllChecks[] = {CheckFreq, CheckLevel, CheckNominal, CheckStart, CheckEnd, CheckPoint, CheckDes};

TCheck CheckOf(TObject* Sender)
{
    TLCRForm* f = LCRForm;
    const TObject* edits[] = {f->SweepFreqEdit, f->SweepLevelEdit, f->SweepNomEdit, f->SweepStartEdit,
        f->SweepEndEdit, f->SweepPointEdit, f->SweepDesEdit};
    for (size_t i = 0; i < 7; ++i)
        if (Sender == edits[i])
            return AllChecks[i];
    return nullptr;
}

bool CheckAllFields()
{
    for (TCheck c : AllChecks)
        if (!c(false))
            return false;
    return true;
}

void ClosePanel()
{
    TLCRForm* f = LCRForm;
    f->ListSweepPan->SetVisible(false);
    EnableSetupButtons(true);
    if (f->ListSetupPan->CanFocus())
        f->ListSetupPan->SetFocus();
}

} // namespace

void TLCRForm::SetSweepBtnClick(TObject*)
{
    if (InputError)
        return;
    ListSweepPan->SetVisible(true);
    EnableSetupButtons(false);
    if (ListIsEmpty()) {
        SweepDesEdit->SetReadOnly(true);
        SweepDesEdit->SetText("1");
    } else {
        SweepDesEdit->SetReadOnly(false);
    }
}

void TLCRForm::SweepOkBtnClick(TObject*)
{
    if (InputError || !CheckAllFields()) {
        InputError = false;
        return;
    }
    SweepDesEdit->SetReadOnly(false);
    ListSweepPan->SetVisible(false);
    EnableSetupButtons(true);
    BuildListSteps();
    if (ListSetupPan->CanFocus())
        ListSetupPan->SetFocus();
}

void TLCRForm::SweepCancelBtnClick(TObject*)
{
    if (InputError || !CheckAllFields()) {
        InputError = false;
        return;
    }
    InputError = false;
    ClosePanel();
}

void TLCRForm::SweepTypeGroupClick(TObject*)
{
    const int type = SweepTypeGroup->ItemIndex();
    const bool freq = type == 0;
    if (freq) {
        SweepStartEdit->SetText("1.00");
        SweepEndEdit->SetText(IntToStr(ModelHighestKHz(ModelName)));
        SweepFreqTypeBox->SetItemIndex(0);
    } else {
        SweepStartEdit->SetText(type == 1 ? "0.01" : "0.1");
        SweepEndEdit->SetText(type == 1 ? "2" : "20");
        SweepLevelTypeBox->SetItemIndex(type == 1 ? 0 : 1);
    }
    SweepFreqTypeBox->SetEnabled(!freq);
    SweepFreqEdit->SetEnabledEx(!freq);
    SweepLevelTypeBox->SetEnabled(freq);
    SweepLevelEdit->SetEnabledEx(freq);
    SweepFreqTypeLab->Font()->SetColor(freq ? TColorOf(0x808080) : clBlack);
    SweepLevelTypeLab->Font()->SetColor(freq ? clBlack : TColorOf(0x808080));
}

void TLCRForm::SweepLevelTypeBoxChange(TObject*)
{
    SweepLevelEdit->SetText(SweepLevelTypeBox->ItemIndex() == 0 ? "0.01" : "0.1");
}

void TLCRForm::SweepFreqTypeBoxChange(TObject*) {}

void TLCRForm::SweepFunBoxChange(TObject*)
{
    if (NominalShown())
        FillNominalUnitBox(SweepFunBox->Text(), "ListSweep");
}

void TLCRForm::SweepMon1BoxChange(TObject*)
{
    const bool show = NominalShown();
    SweepNomEdit->SetVisible(show);
    SweepNomUnitLap->SetVisible(show);
    SweepNomUnitBox->SetVisible(show);
    if (show) {
        MoveButton(SweepOkBtn, 348, 328);
        MoveButton(SweepCancelBtn, 348, 384);
        FillNominalUnitBox(SweepFunBox->Text(), "ListSweep");
    } else {
        MoveButton(SweepOkBtn, 204, 376);
        MoveButton(SweepCancelBtn, 348, 376);
    }
    if (ListSweepPan->CanFocus())
        ListSweepPan->SetFocus();
}

#define LIST_SWEEP_EXIT(Name)                         \
    void TLCRForm::Name(TObject* Sender)              \
    {                                                 \
        if (TCheck c = CheckOf(Sender))               \
            InputError = !c(false);                   \
    }
LIST_SWEEP_EXIT(SweepFreqEditExit)
LIST_SWEEP_EXIT(SweepLevelEditExit)
LIST_SWEEP_EXIT(SweepNomEditExit)
LIST_SWEEP_EXIT(SweepStartEditExit)
LIST_SWEEP_EXIT(SweepEndEditExit)
LIST_SWEEP_EXIT(SweepPointEditExit)
LIST_SWEEP_EXIT(SweepDesEditExit)
#undef LIST_SWEEP_EXIT

void TLCRForm::SweepEditKeyDown(TObject* Sender, Word& Key, TShiftState)
{
    if (Key != VK_RETURN)
        return;
    if (TCheck c = CheckOf(Sender))
        c(true);
}

void TLCRForm::SweepNomEditKeyPress(TObject*, char& Key)
{
    if ((Key >= '0' && Key <= '9') || Key == '-' || Key == '.')
        return;
    Key = 0;
    MessageBeep(48);
}

void BuildListSteps()
{
    TLCRForm* f = LCRForm;
    TRavArodozIdad* g = f->ListSetupGrid;
    // Every value is worked out before the table changes.
    const int d = StrToInt(Trim(f->SweepDesEdit->GetText()));
    const int n = StrToInt(Trim(f->SweepPointEdit->GetText()));
    const double start = FieldNumber(f->SweepStartEdit), end = FieldNumber(f->SweepEndEdit);
    const double fixedFreq = FieldNumber(f->SweepFreqEdit), fixedLevel = FieldNumber(f->SweepLevelEdit);
    const bool freqSweep = f->SweepTypeGroup->ItemIndex() == 0;
    const bool levelCurrent = f->SweepTypeGroup->ItemIndex() == 2;
    const AnsiString function = f->SweepFunBox->Text(), limit = f->SweepLimitTypeBox->Text();
    const AnsiString mon1 = f->SweepMon1Box->Text(), mon2 = f->SweepMon2Box->Text();
    const bool nominal = mon1 == "ABS" || mon1 == "REL" || mon2 == "ABS" || mon2 == "REL";
    const int storedNominal = nominal ? StoreNominal(FieldNumber(f->SweepNomEdit)) : 0;
    const int nominalUnit = f->SweepNomUnitBox->ItemIndex() < 0 ? 0 : f->SweepNomUnitBox->ItemIndex();
    const int old = g->GetRowCountEx() - 1;
    const bool empty = ListIsEmpty();
    if (n < 1)
        return;
    const int first = empty ? d : f->DesType->ItemIndex() == 0 ? d : d + 1;
    const int count = empty ? old + n - 1 : old + n;
    if (count > 1000 || first < 1 || first > old + 1)
        return;
    const int last = first + n - 1;
    const int shift = count - old;
    const double highest = freqSweep ? ModelHighestKHz(f->ModelName) : end;
    const double top = std::min(end, highest);

    f->ListStepCount = count;
    g->SetRowCountEx(count + 1);
    g->AutoNumberCol(0);
    if (shift > 0)
        for (int r = old; r >= first; --r) {
            for (int c = 1; c <= 17; ++c)
                g->SetCellEx(c, r + shift, g->GetCellEx(c, r));
            f->StepNominal[r + shift] = f->StepNominal[r];
            f->StepNominalUnit[r + shift] = f->StepNominalUnit[r];
            g->ClearRect(1, r, 17, r);
            f->StepNominal[r] = f->StepNominalUnit[r] = 0;
        }
    auto write = [&](int Col, int Row, double Value, int Decimals) {
        g->SetFloatFormat("%." + IntToStr(Decimals) + "f");
        g->SetFloats(Col, Row, Value);
    };
    for (int r = first, k = 1; r <= last; ++r, ++k) {
        g->SetCellEx(1, r, function);
        g->SetCellEx(2, r, f->SweepFreqTypeBox->Text());
        g->SetCellEx(4, r, freqSweep ? f->SweepLevelTypeBox->Text() : levelCurrent ? "Level(mA)" : "Level(V)");
        if (freqSweep) {
            const int decimals = FrequencyDecimals(SweepPointValue(start, top, n, k));
            write(3, r, DisplayedSweepPoint(start, top, n, k, decimals), decimals);
            write(5, r, fixedLevel, 2);
        } else {
            write(5, r, DisplayedSweepPoint(start, end, n, k, 2), 2);
            const int decimals = fixedFreq < 1 ? 2 : FrequencyDecimals(fixedFreq);
            write(3, r, RoundDecimals(fixedFreq, decimals), decimals);
        }
        g->SetCellEx(6, r, limit);
        if (limit != "OFF")
            g->SetCellEx(7, r, f->SweepLimitModeBox->Text());
        if (limit == "Primary" || limit == "Both") {
            g->SetCellEx(9, r, LimitUnits(GridFunctionKind(function))[0]);
            write(10, r, 0, 5);
            write(11, r, 0, 5);
        }
        if (limit == "Second" || limit == "Both") {
            const AnsiString unit = SecondLimitUnit(function);
            if (!unit.empty())
                g->SetCellEx(13, r, unit);
            write(14, r, 0, 5);
            write(15, r, 0, 5);
        }
        g->SetCellEx(16, r, mon1);
        g->SetCellEx(17, r, mon2);
        if (nominal) {
            f->StepNominal[r] = storedNominal;
            f->StepNominalUnit[r] = nominalUnit;
        }
    }
    g->Refresh();
}
