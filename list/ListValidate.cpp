// The row check of the list setup table and the loop count field.
#include <cmath>

#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "list/ListPublic.h"
#include "list/ListUnits.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/VirtualKeys.h"

namespace {

const int MarkColumns[9] = {0, 3, 5, 8, 10, 11, 12, 14, 15};

struct TRowRule {
    bool Applies = false;
    bool Accepted = true;
};

bool Open(double v, double a)
{
    return v > -a && v < a;
}

bool Closed(double v, double a)
{
    return v >= -a && v <= a;
}

TRowRule PrimaryRule(const AnsiString& Function, const AnsiString& Unit, bool Per, double v)
{
    const TFunctionKind kind = GridFunctionKind(Function);
    if (kind == TFunctionKind::Capacitance) {
        if (Unit == "pF" || Unit == "nF" || Unit == "uF")
            return {true, Open(v, 1000)};
        if (Unit == "mF")
            return {true, Closed(v, 10000)};
    } else if (kind == TFunctionKind::Inductance) {
        if (Unit == "uH" || Unit == "mH" || Unit == " H")
            return {true, Open(v, 1000)};
        if (Unit == "KH")
            return {true, Closed(v, 10)};
    } else {
        if (Unit == " ohm" || Unit == "Kohm")
            return {true, Open(v, 1000)};
        if (Unit == "Mohm")
            return {true, v > -100 && v <= 100};
    }
    if (Per)
        return {true, Closed(v, 1000)};
    return {};
}

TRowRule SecondRule(const AnsiString& Function, const AnsiString& Unit, bool Per, double v)
{
    if (Function == "Cs-Rs" || Function == "Cp-Rp" || Function == "Lp-Rp" || Function == "Ls-Rs") {
        if (Unit == " ohm" || Unit == "Kohm")
            return {true, Open(v, 1000)};
        if (Unit == "Mohm")
            return {true, v > -100 && v <= 100};
        if (Per)
            return {true, Closed(v, 1000)};
        return {};
    }
    if (Function == "Cs-D" || Function == "Cp-D" || Function == "Z-D")
        return {true, Per ? Closed(v, 1000) : Closed(v, 10)};
    if (Function == "Lp-Q" || Function == "Ls-Q" || Function == "Rs-Q" || Function == "Rp-Q" || Function == "Z-Q")
        return {true, Per ? Closed(v, 1000) : Closed(v, 100000)};
    return {};
}

AnsiString LimitMessage(int Col, int Row)
{
    TRavArodozIdad* g = LCRForm->ListSetupGrid;
    const AnsiString function = g->GetCellEx(1, Row);
    const bool per = g->GetCellEx(7, Row) == "PER";
    const bool upper = Col == 11 || Col == 15;
    AnsiString text;
    if (Col == 10 || Col == 11) {
        const AnsiString unit = g->GetCellEx(9, Row);
        const TFunctionKind kind = GridFunctionKind(function);
        if (per && kind == TFunctionKind::Inductance)
            return upper ? " ''Primary Upper'' over  range! -1000 % <= Primary Upper <= 1000 % !"
                         : " ''Primary Lower'' over  range! -1000% <= Primary Lower <= 1000 % !";
        if (per)
            text = " ''Primary Lower'' over  range! -1000 % <= Primary Lower <= 1000 % !";
        else if (unit == "mF")
            text = " ''Primary Lower'' over  range! -10000 mF <= Primary Lower <= 10000 mF !";
        else if (unit == "KH")
            text = " ''Primary Lower'' over  range! -10 KH <= Primary Lower <= 10 KH !";
        else if (unit == "Mohm")
            text = " ''Primary Lower'' over  range! -100 Mohm <= Primary Lower <= 100 Mohm !";
        else
            text = " ''Primary Lower'' over  range! -1000 " + unit + " < Primary Lower < 1000 " + unit + " !";
    } else {
        const AnsiString unit = g->GetCellEx(13, Row);
        const bool lq = function == "Lp-Q" || function == "Ls-Q";
        if (per && lq)
            text = " ''Second Lower'' over  range! -100 % <= Second Lower <= 100 % !";
        else if (per)
            text = " ''Second Lower'' over  range! -1000 % <= Second Lower <= 1000 % !";
        else if (function == "Cs-D" || function == "Cp-D")
            text = " ''Second Lower'' over  range! -10 <= Second Lower < 10 !";
        else if (function == "Z-D")
            text = " ''Second Lower'' over  range! -10 < Second Lower < 10 !";
        else if (lq || function == "Rs-Q" || function == "Rp-Q" || function == "Z-Q") {
            if (upper && !lq)
                return " ''Second Upper'' over  range! -1000000 < Second Upper < 100000 !";
            text = " ''Second Lower'' over  range! -100000 < Second Lower < 100000 !";
        } else if (unit == "Mohm")
            text = " ''Second Lower'' over  range! -100 Mohm <= Second Lower <= 100 Mohm !";
        else
            text = " ''Second Lower'' over  range! -1000 " + Trim(unit) + " < Second Lower < 1000 " + Trim(unit) + " !";
    }
    return upper ? StringReplace(text, "Lower", "Upper", rfReplaceAll) : text;
}

AnsiString CellMessage(int Col, int Row)
{
    TLCRForm* f = LCRForm;
    TRavArodozIdad* g = f->ListSetupGrid;
    if (Col == 3)
        return g->GetCellEx(2, Row) == "Freq(Hz)"
            ? AnsiString(" ''Freq_level'' over  range! 10 Hz < Freq_Value < 1000 Hz !")
            : " ''Freq_Level'' over  range! 0.01 kHz <= Freq_Value <=" + ModelHighestText(f->ModelName);
    if (Col == 5)
        return g->GetCellEx(4, Row) == "Level(mA)"
            ? AnsiString(" ''Level(mA)_Value'' over  range! 0.1 mA <= Level(mA)_Value <= 20 mA !")
            : AnsiString(" ''Level(V)_Value'' over  range! 0.01 V <= Level(V)_Value <= 2 V !");
    return LimitMessage(Col, Row);
}

void ReportCell(int Col, int Row)
{
    TLCRForm* f = LCRForm;
    TRavArodozIdad* g = f->ListSetupGrid;
    // A click on another cell has opened its editor by now (the combo of a Function cell):
    // it is closed where it stands, or it would write its text into the refused cell.
    g->HideInplaceEdit();
    g->SelectRange(Col, Col, Row, Row);
    ShowMessageBox("Step" + IntToStr(Row) + CellMessage(Col, Row), "Warning", MB_OK | MB_ICONWARNING);
    g->SetCellEx(Col, Row, "");
    g->SelectRange(Col, Col, Row, Row);
    if (g->CanFocus())
        g->SetFocus();
    f->InputError = true;
}

int LimitDecimals(double v)
{
    const double a = std::fabs(v);
    return a < 10 ? 5 : a < 100 ? 4 : a < 1000 ? 3 : a < 10000 ? 2 : a < 100000 ? 1 : 0;
}

void CheckCell(int Col, int Row)
{
    TLCRForm* f = LCRForm;
    TRavArodozIdad* g = f->ListSetupGrid;
    f->InvalidCellRow = f->InvalidCellCol = 0;
    f->InvalidCellPending = false;
    double v = StrToFloat(Trim(NormalizeDecimalText(g->GetCellEx(Col, Row))));
    int decimals = 2;
    bool accepted = true;
    if (Col == 3) {
        decimals = FrequencyDecimals(v);
        v = RoundDecimals(v, decimals);
        if (g->GetCellEx(2, Row) == "Freq(Hz)")
            accepted = v >= 10 && v < 1000;
        else
            accepted = v >= 0.01 && v <= ModelHighestKHz(f->ModelName);
    } else if (Col == 5) {
        v = RoundDecimals(v, 2);
        const TLevelRange range = LevelRange(g->GetCellEx(4, Row) == "Level(mA)");
        accepted = v >= range.Low && v <= range.High;
    } else {
        decimals = LimitDecimals(v);
        const bool per = g->GetCellEx(7, Row) == "PER";
        const AnsiString function = g->GetCellEx(1, Row);
        const TRowRule rule = Col <= 11 ? PrimaryRule(function, g->GetCellEx(9, Row), per, v)
                                        : SecondRule(function, g->GetCellEx(13, Row), per, v);
        accepted = !rule.Applies || rule.Accepted;
    }
    if (!accepted) {
        f->InvalidCellRow = Row;
        f->InvalidCellCol = Col;
        f->InvalidCellPending = true;
        ReportCell(Col, Row);
        return;
    }
    g->SetFloatFormat("%." + IntToStr(decimals) + "f");
    g->SetFloats(Col, Row, RoundDecimals(v, decimals));
    f->InputError = false;
}

} // namespace

void ValidateListSetupRow()
{
    // Reporting a cell moves the current cell and the focus, which ask for a check again.
    static bool reporting = false;
    if (reporting)
        return;
    struct TGuard {
        TGuard() { reporting = true; }
        ~TGuard() { reporting = false; }
    } guard;
    TLCRForm* f = LCRForm;
    int mark = 0;
    for (int m = 1; m <= 8 && !mark; ++m)
        if (f->EditedColumn[m])
            mark = m;
    if (!mark) {
        if (f->InvalidCellPending)
            ReportCell(f->InvalidCellCol, f->InvalidCellRow);
        return;
    }
    const int row = f->EditedRow;
    // Cleared first: the refusal moves the current cell, which runs the check again.
    f->EditedColumn[mark] = false;
    f->EditedRow = 0;
    if (mark == 3 || mark == 6 || row < 1 || row >= f->ListSetupGrid->GetRowCountEx())
        return;
    f->InvalidCellPending = false;
    try {
        CheckCell(MarkColumns[mark], row);
    } catch (EConvertError&) {
        // A text that is no number keeps its mark, to be met again by the next check.
        f->EditedColumn[mark] = true;
        f->EditedRow = row;
        throw;
    }
}

void EndInputError()
{
    LCRForm->InputError = LCRForm->InvalidCellPending;
}

namespace {

// The loop count field; true when accepted.
bool CheckLoopCount()
{
    TLCRForm* f = LCRForm;
    TVodUriz* e = f->MeasListSetupLoopEdit;
    const AnsiString typed = Trim(e->TypedText());
    if (typed.empty()) {
        e->SetText("1");
        return true;
    }
    const int n = StrToInt(typed);
    if (n <= 0 || n > 1000) {
        ShowMessageBox(" ''Loop'' over  range!  1 <= Loop  <= 1000 !", "Warning", MB_OK | MB_ICONWARNING);
        if (e->CanFocus())
            e->SetFocus();
        return false;
    }
    return true;
}

} // namespace

void TLCRForm::MeasListSetupLoopEditExit(TObject*)
{
    if (Trim(MeasListSetupLoopEdit->TypedText()).empty()) {
        MeasListSetupLoopEdit->SetText("1");
        return;
    }
    if (CheckLoopCount())
        EndInputError();
    else
        InputError = true;
}

void TLCRForm::MeasListSetupLoopEditKeyDown(TObject*, Word& Key, TShiftState)
{
    if (Key == VK_RETURN)
        CheckLoopCount();
}
