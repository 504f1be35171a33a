// The list setup table: editors, locks, combo choices, new and deleted rows, keys, the
// "New", "Add Step" and "Copy Step" buttons and the step nominal panel.
#include <algorithm>
#include <cmath>

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

namespace {

constexpr int MaxSteps = 1000;

const char* const FunctionNames[] = {"Cs-Rs", "Cs-D", "Cp-Rp", "Cp-D", "Lp-Rp", "Lp-Q", "Ls-Rs", "Ls-Q", "Rs-Q",
    "Rp-Q", "R-X", "DCR", "Z_theta_r", "Z_theta_d", "Z-D", "Z-Q"};
const char* const MonitorNames[] = {"OFF", "Z", "D", "Q", "Vac", "Iac", "ABS", "REL", "Theta_r", "Theta_d", "R",
    "X", "G", "B", "Y"};

TRavArodozIdad* Grid()
{
    return LCRForm->ListSetupGrid;
}

void WriteNumber(int Col, int Row, double Value, const char* Format)
{
    Grid()->SetFloatFormat(Format);
    Grid()->SetFloats(Col, Row, Value);
}

void WriteDefaultStep(int Row)
{
    TRavArodozIdad* g = Grid();
    g->SetCellEx(1, Row, "Cs-Rs");
    g->SetCellEx(2, Row, "Freq(kHz)");
    WriteNumber(3, Row, 1, "%.3f");
    g->SetCellEx(4, Row, "Level(V)");
    WriteNumber(5, Row, 1, "%.2f");
    g->SetCellEx(6, Row, "Primary");
    g->SetCellEx(7, Row, "SEQ");
    g->SetCellEx(9, Row, "pF");
    WriteNumber(10, Row, 0, "%.5f");
    WriteNumber(11, Row, 0, "%.5f");
    g->SetCellEx(16, Row, "OFF");
    g->SetCellEx(17, Row, "OFF");
    LCRForm->StepNominal[Row] = LCRForm->StepNominalUnit[Row] = 0;
}

void MoveStep(int From, int To)
{
    TLCRForm* f = LCRForm;
    for (int c = 1; c <= 17; ++c)
        Grid()->SetCellEx(c, To, Grid()->GetCellEx(c, From));
    f->StepNominal[To] = f->StepNominal[From];
    f->StepNominalUnit[To] = f->StepNominalUnit[From];
}

void EnableListSetupControls(bool On)
{
    TLCRForm* f = LCRForm;
    f->ListSetupGroup->SetEnabled(On);
    for (TOwShadowButton* b : {f->ListSetupOpenBtn, f->ListSetupSaveBtn, f->ListSetupNewBtn, f->SetSweepBtn,
             f->ListSetupInsertBtn, f->ListSetupCopyBtn, f->ListSetupMeasDispBtn})
        ButtonControl(b)->SetEnabled(On);
}

void Warn(const AnsiString& Text)
{
    ShowMessageBox(Text, "Warning", MB_OK | MB_ICONWARNING);
}

void FocusControl(TWinControl* C)
{
    if (C->CanFocus())
        C->SetFocus();
}

// Limit formats by magnitude: five decimals below 10, one fewer per decade.
const char* LimitFormat(double v, bool NegativeWhole)
{
    const double a = std::fabs(v);
    if (a < 10)
        return "%.5f";
    if (a < 100)
        return "%.4f";
    if (a < 1000)
        return "%.3f";
    if (a < 10000)
        return "%.2f";
    if (a < 100000)
        return "%.1f";
    return NegativeWhole ? "%.0f" : "%.5f";
}

// The input box of F2 and "Add Step": adds default steps at the end.
void AddSteps()
{
    TLCRForm* f = LCRForm;
    TRavArodozIdad* g = Grid();
    f->ListStepCount = g->GetRowCountEx() - 1;
    if (f->ListStepCount >= MaxSteps) {
        Warn(" 1 <= Step Count <= 1000 ");
        return;
    }
    int n = 0;
    for (;;) {
        const AnsiString answer = InputBox("Add Step", "Please key in Step", "");
        if (answer.empty())
            return;
        n = StrToIntDef(Trim(answer), 0);
        if (n >= 1 && n <= 100)
            break;
        Warn("Wrong 1 <= key in step <=100 !");
        Warn(" 1 <= Step Count <= 1000 ");
    }
    const bool empty = ListIsEmpty();
    const int first = empty ? 1 : f->ListStepCount + 1;
    const int last = empty ? n : std::min(f->ListStepCount + n, MaxSteps);
    f->ListStepCount = last;
    g->SetRowCountEx(last + 1);
    g->AutoNumberCol(0);
    g->ClearRect(1, first, 17, last);
    for (int r = first; r <= last; ++r)
        WriteDefaultStep(r);
    g->SetFloatFormat("%.5f");
    g->SelectRange(0, 0, first, first);
    FocusControl(g);
}

} // namespace

// ---- Editors and locks ----

void TLCRForm::ListSetupGridGetEditorType(TObject*, int ACol, int ARow, TEditorType& AEditor)
{
    if (ListIsEmpty())
        return;
    TRavArodozIdad* g = ListSetupGrid;
    const AnsiString function = g->GetCellEx(1, ARow);
    switch (ACol) {
    case 0: AEditor = edNumeric; return;
    case 1: case 4: case 6: case 9: case 13: case 16: case 17: {
        AEditor = edComboList;
        g->ClearComboString();
        if (ACol == 1)
            for (const char* n : FunctionNames)
                g->AddComboString(n);
        else if (ACol == 4) {
            g->AddComboString("Level(V)");
            g->AddComboString("Level(mA)");
        } else if (ACol == 6) {
            g->AddComboString("Primary");
            if (function != "DCR") {
                g->AddComboString("Second");
                g->AddComboString("Both");
            }
            g->AddComboString("OFF");
        } else if (ACol == 9) {
            for (const AnsiString& u : LimitUnits(GridFunctionKind(function)))
                g->AddComboString(u);
        } else if (ACol == 13) {
            if (SecondIsResistance(function))
                for (const AnsiString& u : LimitUnits(TFunctionKind::Resistance))
                    g->AddComboString(u);
            else
                g->AddComboString(SecondLimitUnit(function));
        } else {
            for (const char* n : MonitorNames)
                g->AddComboString(n);
        }
        g->AutoNumberCol(0);
        return;
    }
    case 3: case 5: case 8: case 10: case 11: case 12: case 14: case 15: {
        AEditor = edFloat;
        if (ARow < 1)
            return;
        const double v = g->GetFloats(ACol, ARow);
        if (ACol == 5)
            g->SetFloatFormat("%.2f");
        else if (ACol == 3) {
            if (v >= 0 && v < 1000)
                g->SetFloatFormat(v < 10 ? "%.3f" : v < 100 ? "%.2f" : "%.1f");
        } else if (v >= 0 || (ACol != 8 && ACol != 12)) {
            g->SetFloatFormat(LimitFormat(v, v < 0));
        }
        return;
    }
    default: return;
    }
}

void TLCRForm::ListSetupGridCanEditCell(TObject*, int ARow, int ACol, bool& CanEdit)
{
    if (ARow <= 0)
        return;
    if (ListIsEmpty()) {
        CanEdit = false;
        return;
    }
    const AnsiString function = ListSetupGrid->GetCellEx(1, ARow);
    const AnsiString limit = ListSetupGrid->GetCellEx(6, ARow);
    switch (ACol) {
    case 0: case 2: case 7: case 8: case 12: CanEdit = false; break;
    case 3: case 4: case 5: case 16: case 17: CanEdit = function != "DCR"; break;
    case 9: case 10: case 11: CanEdit = limit != "OFF"; break;
    case 13: case 14: case 15: CanEdit = limit != "OFF" && limit != "Primary"; break;
    default: break;
    }
}

void TLCRForm::ListSetupGridComboChange(TObject*, int ACol, int ARow, int, const AnsiString& S)
{
    TRavArodozIdad* g = ListSetupGrid;
    const int r = ARow;
    if (ACol == 1) {
        g->ClearRect(2, r, 17, r);
        if (S != "DCR") {
            g->SetCellEx(2, r, "Freq(kHz)");
            WriteNumber(3, r, 1, "%.3f");
            g->SetCellEx(4, r, "Level(V)");
            WriteNumber(5, r, 1, "%.2f");
        }
        g->SetCellEx(6, r, "Primary");
        g->SetCellEx(7, r, "SEQ");
        g->SetCellEx(9, r, LimitUnits(GridFunctionKind(S))[0]);
        WriteNumber(10, r, 0, "%.5f");
        WriteNumber(11, r, 0, "%.5f");
        g->SetCellEx(16, r, "OFF");
        g->SetCellEx(17, r, "OFF");
        StepNominal[r] = StepNominalUnit[r] = 0;
    } else if (ACol == 4) {
        g->ClearRect(5, r, 5, r);
        WriteNumber(5, r, S == "Level(V)" ? 0.01 : 0.1, "%.2f");
        g->SetFloatFormat("%.5f");
    } else if (ACol == 6) {
        g->ClearRect(7, r, 15, r);
        if (S != "OFF")
            g->SetCellEx(7, r, "SEQ");
        const AnsiString function = g->GetCellEx(1, r);
        if (S == "Primary" || S == "Both") {
            g->SetCellEx(9, r, LimitUnits(GridFunctionKind(function))[0]);
            WriteNumber(10, r, 0, "%.5f");
            WriteNumber(11, r, 0, "%.5f");
        }
        if (S == "Second" || S == "Both") {
            g->SetCellEx(13, r, SecondLimitUnit(function));
            WriteNumber(14, r, 0, "%.5f");
            WriteNumber(15, r, 0, "%.5f");
        }
    } else if (ACol == 16 || ACol == 17) {
        if (S == "ABS" || S == "REL") {
            SetNominalPan->SetVisible(true);
            EditListStepNominal(r, "Get");
            return;
        }
        SetNominalPan->SetVisible(false);
        StepNominal[r] = StepNominalUnit[r] = 0;
    }
    g->Refresh();
    // Leaving the table runs its row check; the focus then comes back, so the next keys go
    // on in the table instead of reaching whatever control follows the panel.
    FocusControl(LCRPanel);
    FocusControl(g);
}

// ---- Rows ----

void TLCRForm::ListSetupGridAutoInsertRow(TObject*, int ARow)
{
    TRavArodozIdad* g = ListSetupGrid;
    const int n = g->GetRowCountEx() - 1;
    // Whether the list was empty is decided before the insertion moved its blank row.
    const bool wasEmpty = n == 2 && ARow == 1 && g->GetCellEx(0, 2).empty();
    if (n > MaxSteps) {
        Warn(" 1 <= Step <= 1000 !");
        g->RemoveRows(ARow, 1);
        ListStepCount = g->GetRowCountEx() - 1;
        g->AutoNumberCol(0);
        g->Refresh();
        return;
    }
    if (wasEmpty) {
        g->SetRowCountEx(2);
        ListStepCount = 1;
    } else {
        ListStepCount = n;
        for (int i = n - 1; i >= ARow; --i) {
            StepNominal[i + 1] = StepNominal[i];
            StepNominalUnit[i + 1] = StepNominalUnit[i];
        }
    }
    g->AutoNumberCol(0);
    WriteDefaultStep(ARow);
    g->SetFloatFormat("%.5f");
    g->Refresh();
}

void TLCRForm::ListSetupGridAutoAddRow(TObject*, int ARow)
{
    TRavArodozIdad* g = ListSetupGrid;
    const int n = g->GetRowCountEx() - 1;
    if (n > MaxSteps) {
        Warn(" 1 <= Step <= 1000 !");
        g->SetRowCountEx(MaxSteps + 1);
        ListStepCount = MaxSteps;
        return;
    }
    // An append keeps every step before it, also a single one.
    ListStepCount = n;
    g->AutoNumberCol(0);
    WriteDefaultStep(ARow);
    g->SetFloatFormat("%.5f");
    g->Refresh();
}

void TLCRForm::ListSetupGridCanDeleteRow(TObject*, int, bool& CanDelete)
{
    TRavArodozIdad* g = ListSetupGrid;
    const int row = g->GetRealRow();
    g->ClearRect(0, row, 17, row);
    StepNominal[row] = StepNominalUnit[row] = 0;
    if (g->GetRowCountEx() == 2) {
        CanDelete = false;
        g->SelectRange(0, 0, 1, 1);
    }
}

void TLCRForm::ListSetupGridAutoDeleteRow(TObject*, int ARow)
{
    TRavArodozIdad* g = ListSetupGrid;
    const int r = g->GetRowCountEx() - 1;
    for (int i = ARow; i <= r; ++i) {
        StepNominal[i] = StepNominal[i + 1];
        StepNominalUnit[i] = StepNominalUnit[i + 1];
    }
    StepNominal[r + 1] = StepNominalUnit[r + 1] = 0;
    ListStepCount = r;
    g->AutoNumberCol(0);
    g->Refresh();
}

// ---- Edit tracking and keys ----

namespace {

int TrackedMark(int Col)
{
    switch (Col) {
    case 3: return 1;
    case 5: return 2;
    case 8: return 3;
    case 10: return 4;
    case 11: return 5;
    case 12: return 6;
    case 14: return 7;
    case 15: return 8;
    default: return 0;
    }
}

} // namespace

void TLCRForm::ListSetupGridSetEditText(TObject*, int ACol, int ARow, const AnsiString&)
{
    const int mark = TrackedMark(ACol);
    if (mark && !EditedColumn[mark]) {
        EditedColumn[mark] = true;
        EditedRow = ARow;
    }
}

void TLCRForm::ListSetupGridKeyDown(TObject*, Word& Key, TShiftState)
{
    if (Key == VK_RETURN) {
        const int mark = TrackedMark(ListSetupGrid->GetRealCol());
        if (mark) {
            EditedColumn[mark] = true;
            EditedRow = ListSetupGrid->GetRealRow();
        }
    } else if (Key == VK_F2) {
        Key = 0;
        AddSteps();
    } else if (Key == VK_F3) {
        // The same guards as the "Copy Step" button.
        Key = 0;
        ListSetupCopyBtnClick(nullptr);
    }
}

void TLCRForm::ListSetupGridClick(TObject*)
{
    ValidateListSetupRow();
}

void TLCRForm::ListSetupGridExit(TObject*)
{
    const int mark = TrackedMark(ListSetupGrid->GetRealCol());
    if (mark && EditedColumn[mark])
        EditedRow = ListSetupGrid->GetRealRow();
    ValidateListSetupRow();
}

void TLCRForm::ListSetupGridGetCellColor(TObject*, int, int ACol, unsigned, TBrush*, TFont* AFont)
{
    if (ACol >= 8 && ACol <= 15)
        AFont->SetColor(clRed);
}

void TLCRForm::ListSetupGridGetAlignment(TObject*, int, int ACol, TAlignment& HAlign, TVAlignment&)
{
    if (ACol >= 0)
        HAlign = taCenter;
}

void TLCRForm::ListMeasGridGetCellColor(TObject*, int ARow, int ACol, unsigned, TBrush* ABrush, TFont* AFont)
{
    if (ARow < 1 || ACol != 11)
        return;
    const AnsiString v = ListMeasGrid->GetCellEx(11, ARow);
    ABrush->SetColor(v.empty() ? clBlack : v == "PASS" || v == "PASS,PASS" ? TColorOf(0x00FF00) : TColorOf(0x0000FF));
    AFont->SetColor(clBlack);
}

void TLCRForm::ListSetupNewBtnClick(TObject*)
{
    if (InputError)
        return;
    TRavArodozIdad* g = ListSetupGrid;
    const int last = g->GetRowCountEx() - 1;
    g->ClearRect(0, 1, 17, last);
    for (int r = 1; r <= last && r <= MaxSteps; ++r)
        StepNominal[r] = StepNominalUnit[r] = 0;
    g->SetRowCountEx(2);
    ListStepCount = 1;
    InputError = false;
    g->Refresh();
    FocusControl(LCRPanel);
}

// ---- Add Step and Copy Step ----

void TLCRForm::ListSetupInsertBtnClick(TObject*)
{
    if (!InputError)
        AddSteps();
}

void TLCRForm::ListSetupCopyBtnClick(TObject*)
{
    if (InputError || ListSetupGrid->GetCellEx(0, 1).empty())
        return;
    EnableListSetupControls(false);
    CopyStepPanel->SetVisible(true);
}

void TLCRForm::CopyOkBtnClick(TObject*)
{
    const int s = StrToInt(Trim(CopyStart->GetText()));
    const int e = StrToInt(Trim(CopyEnd->GetText()));
    const int d = StrToInt(Trim(CopyDes->GetText()));
    const int n = ListSetupGrid->GetRowCountEx() - 1;
    const bool front = CopyDesType->ItemIndex() == 0;
    if (s > n || s > e || s <= 0) {
        Warn("Illegal start step number !");
        FocusControl(CopyStart);
    } else if (e > n || e <= 0) {
        Warn("Illegal end step number !");
        FocusControl(CopyEnd);
    } else if (d > n || d <= 0 || d < e || (front && d == e)) {
        Warn("Illegal destination step number!");
        FocusControl(CopyDes);
    } else if (n + (e - s + 1) > MaxSteps) {
        Warn("1 < Step <= 1000 !");
    } else {
        CopyListSteps();
        CopyStepPanel->SetVisible(false);
        EnableListSetupControls(true);
        FocusControl(ListSetupPan);
    }
}

void TLCRForm::CopyCancelBtnClick(TObject*)
{
    CopyStepPanel->SetVisible(false);
    EnableListSetupControls(true);
    FocusControl(ListSetupPan);
}

void CopyListSteps()
{
    TLCRForm* f = LCRForm;
    TRavArodozIdad* g = Grid();
    const int s = StrToInt(Trim(f->CopyStart->GetText()));
    const int e = StrToInt(Trim(f->CopyEnd->GetText()));
    const int d = StrToInt(Trim(f->CopyDes->GetText()));
    const int r = f->CopyDesType->ItemIndex() == 0 ? d : d + 1;
    const int k = e - s + 1;
    const int c = g->GetRowCountEx() - 1;
    if (s < 1 || k < 1 || c + k > MaxSteps || r < 1 || r > c + 1 || e >= r)
        return;
    f->ListStepCount = c + k;
    g->SetRowCountEx(f->ListStepCount + 1);
    g->AutoNumberCol(0);
    for (int i = c; i >= r; --i)
        MoveStep(i, i + k);
    for (int i = 0; i < k; ++i)
        MoveStep(s + i, r + i);
    g->Refresh();
}

// ---- Step nominal panel ----

void FillNominalUnitBox(const AnsiString& FunctionName, const AnsiString& Selector)
{
    TLCRForm* f = LCRForm;
    TComboBox* box = Selector == "ListSweep" ? f->SweepNomUnitBox
        : Selector == "SweepGraph"           ? f->SweepGraphNomUnitBox
                                             : nullptr;
    if (!box)
        return;
    box->Items()->Clear();
    for (const AnsiString& u : NominalUnits(NominalKind(FunctionName)))
        box->Items()->Add(u);
    box->SetItemIndex(0);
}

void EditListStepNominal(int Row, const AnsiString& Mode)
{
    TLCRForm* f = LCRForm;
    if (Row < 1 || Row > MaxSteps)
        return;
    if (Mode == "Get") {
        const TFunctionKind kind = NominalKind(Grid()->GetCellEx(1, Row));
        f->ListSetupNomSetpLab->SetCaption(IntToStr(Row) + " :");
        f->ListSetupStepNomUnitBox->Items()->Clear();
        for (const AnsiString& u : NominalUnits(kind))
            f->ListSetupStepNomUnitBox->Items()->Add(u);
        f->ListSetupStepNomUnitBox->SetItemIndex(0);
        EnableListSetupControls(false);
        const int unit = f->StepNominalUnit[Row];
        f->ListSetupStepNomUnitBox->SetItemIndex(
            unit >= 0 && unit < f->ListSetupStepNomUnitBox->Items()->Count() ? unit : 0);
        f->ListSetupStepNomEdit->SetText(Trim(FormatSignificant(f->StepNominal[Row] / 10000.0, 7)));
    } else if (Mode == "Set") {
        EnableListSetupControls(true);
        f->SetNominalPan->SetVisible(false);
        const double x = StrToFloat(Trim(f->ListSetupStepNomEdit->GetText()));
        f->StepNominal[Row] = StoreNominal(x);
        f->StepNominalUnit[Row] = std::max(0, f->ListSetupStepNomUnitBox->ItemIndex());
    }
}

namespace {

// The nominal field's check; true when the value was accepted.
bool CheckStepNominal()
{
    TLCRForm* f = LCRForm;
    AnsiString t = NormalizeDecimalText(f->ListSetupStepNomEdit->GetText());
    if (t.empty())
        t = "10.0000";
    const double x = StrToFloat(Trim(t));
    const int p = f->ListSetupStepNomUnitBox->ItemIndex();
    const TFunctionKind kind = NominalKind(Grid()->GetCellEx(1, Grid()->GetRealRow()));
    if (!NominalInRange(x, p, kind)) {
        Warn(NominalRangeMessage(f->ListSetupStepNomUnitBox->Text(), p, kind));
        FocusControl(f->ListSetupStepNomEdit);
        return false;
    }
    f->ListSetupStepNomEdit->SetText(NominalFieldText(x));
    return true;
}

} // namespace

void TLCRForm::ListSetupStepNomEditExit(TObject*)
{
    InputError = !CheckStepNominal();
}

void TLCRForm::ListSetupStepNomEditKeyDown(TObject*, Word& Key, TShiftState)
{
    if (Key == VK_RETURN)
        CheckStepNominal();
}

void TLCRForm::ListSetupStepNomOkBtnClick(TObject*)
{
    if (!InputError)
        ListSetupStepNomEditExit(nullptr);
    if (InputError) {
        InputError = false;
        return;
    }
    EditListStepNominal(ListSetupGrid->GetRealRow(), "Set");
    FocusControl(ListSetupGrid);
}

void TLCRForm::ListSetupStepNomCancelBtnClick(TObject*)
{
    if (!InputError)
        ListSetupStepNomEditExit(nullptr);
    if (InputError) {
        InputError = false;
        return;
    }
    EnableListSetupControls(true);
    SetNominalPan->SetVisible(false);
    FocusControl(ListSetupGrid);
}
