// The list tabs' own settings, the controls the main window leaves to the list sweep,
// and the wiring of their events.
#include <utility>

#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "list/ListButtons.h"
#include "list/ListPublic.h"
#include "main/Lcr.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Timer.h"

namespace {

void Items(TStrings* S, std::initializer_list<const char*> Texts)
{
    S->Clear();
    for (const char* t : Texts)
        S->Add(t);
}

void SetupGridLook(TRavArodozIdad* G, std::initializer_list<int> Widths, std::initializer_list<const char*> Header,
    int HeaderHeight)
{
    G->SetFixedRows(1);
    G->SetFixedCols(0);
    int c = 0;
    for (int w : Widths)
        G->SetColWidths(c++, w);
    c = 0;
    for (const char* h : Header)
        G->SetCellEx(c++, 0, h);
    G->SetDefaultRowHeight(21);
    G->SetRowHeights(0, HeaderHeight);
    G->SetColor(clBlack);
    G->Font()->SetColor(clLime);
    G->Font()->SetStyle(fsBold);
    G->SetScrollBars(ssVertical);
}

} // namespace

void TLCRForm::CreateListControls()
{
    // The run controls take a narrow column at the right of the List Meas tab, so that the
    // result table shows all its columns at their full widths beside them.
    constexpr int column = 117, margin = 4;
    MeasLoopGroup->SetBounds(ListMeasPan->Width() - column - margin, margin, column, MeasLoopGroup->Height());
    TestModeGroup->SetBounds(6, 18, column - 12, 50);
    if (auto* label = dynamic_cast<TControl*>(FindComponent("MeasLoopLab")))
        label->SetBounds(8, 80, 34, 18);
    MeasListSetupLoopEdit->SetBounds(44, 76, column - 52, 24);
    MeasResultGroup->SetWidth(MeasLoopGroup->Left() - 2 * margin);
    MeasResultPan->SetWidth(MeasResultGroup->Width() - 12);
    ListMeasGrid->SetWidth(MeasResultPan->Width());
    CreateListButtons(this);

    // ---- List Setup table ----
    TRavArodozIdad* s = ListSetupGrid;
    // The captions are two lines high, so that they fit their columns.
    SetupGridLook(s, {32, 82, 70, 50, 70, 49, 70, 49, 57, 42, 60, 60, 57, 42, 60, 60, 70, 70},
        {"Step", "Function", "Freq\rType", "Freq\rValue", "Level\rType", "Level\rValue", "Limit\rType",
            "Limit\rMode", "Primary\rSTD", "Unit", "Primary\rLower", "Primary\rUpper", "Second\rSTD", "Unit",
            "Second\rLower", "Second\rUpper", "Mon1", "Mon2"},
        28);
    s->SetMultilinecells(true);
    s->SetFixedColor(clMoneyGreen);
    // The eighteen columns are wider than the table: it scrolls sideways too.
    s->SetScrollBars(ssBoth);
    s->SetOptions(s->Options() | goEditing | goRangeSelect);
    TNavigation* nav = s->Navigation();
    nav->SetAllowInsertRow(true);
    nav->SetAllowDeleteRow(true);
    nav->SetAlwaysEdit(true);
    nav->SetAdvanceOnEnter(true);
    nav->SetAdvanceInsert(true);
    nav->SetAdvanceDirection(adLeftRight);
    nav->SetInsertPosition(pInsertBefore);
    s->SetFloatFormat("%.5f");
    s->OnGetEditorType = [this](TObject* o, int c, int r, TEditorType& e) { ListSetupGridGetEditorType(o, c, r, e); };
    s->OnCanEditCell = [this](TObject* o, int r, int c, bool& e) { ListSetupGridCanEditCell(o, r, c, e); };
    s->OnComboChange = [this](TObject* o, int c, int r, int i, const AnsiString& t) {
        ListSetupGridComboChange(o, c, r, i, t);
    };
    // The step limit and an append to the empty list are refused before the table changes.
    s->OnCanInsertRow = [this](TObject*, int, bool& Allow) {
        if (ListSetupGrid->GetRowCountEx() - 1 >= 1000 && !ListIsEmpty()) {
            Allow = false;
            ShowMessageBox(" 1 <= Step <= 1000 !", "Warning", MB_OK | MB_ICONWARNING);
        }
    };
    s->OnCanAddRow = [this](TObject*, bool& Allow) {
        if (ListIsEmpty()) {
            Allow = false;
        } else if (ListSetupGrid->GetRowCountEx() - 1 >= 1000) {
            Allow = false;
            ShowMessageBox(" 1 <= Step <= 1000 !", "Warning", MB_OK | MB_ICONWARNING);
        }
    };
    s->OnAutoInsertRow = [this](TObject* o, int r) { ListSetupGridAutoInsertRow(o, r); };
    s->OnAutoAddRow = [this](TObject* o, int r) { ListSetupGridAutoAddRow(o, r); };
    s->OnCanDeleteRow = [this](TObject* o, int r, bool& d) { ListSetupGridCanDeleteRow(o, r, d); };
    s->OnAutoDeleteRow = [this](TObject* o, int r) { ListSetupGridAutoDeleteRow(o, r); };
    s->OnSetEditText = [this](TObject* o, int c, int r, const AnsiString& v) { ListSetupGridSetEditText(o, c, r, v); };
    s->OnKeyDown = [this](TObject* o, Word& k, TShiftState sh) { ListSetupGridKeyDown(o, k, sh); };
    s->OnClick = [this](TObject* o) { ListSetupGridClick(o); };
    s->OnExit = [this](TObject* o) { ListSetupGridExit(o); };
    s->OnGetCellColor = [this](TObject* o, int r, int c, unsigned st, TBrush* b, TFont* f) {
        ListSetupGridGetCellColor(o, r, c, st, b, f);
    };
    for (TRavArodozIdad* g : {ListSetupGrid, ListMeasGrid, SweepResultGrid})
        g->OnGetAlignment = [this](TObject* o, int r, int c, TAlignment& h, TVAlignment& v) {
            ListSetupGridGetAlignment(o, r, c, h, v);
        };

    // ---- List Meas table ----
    TRavArodozIdad* m = ListMeasGrid;
    // Its columns at their full widths: the run controls beside it leave the room.
    SetupGridLook(m, {35, 35, 64, 54, 54, 80, 76, 110, 110, 110, 110, 75},
        {"Loop", "Step", "Function", "Mon(1)", "Mon(2)", "Freq_Value", "Level_Value", "Primary", "Second",
            "Monitor(1)", "Monitor(2)", "CMP(P / S)"},
        25);
    m->SetFixedColor(clBlack);
    m->FixedFont()->SetColor(clLime);
    m->SetSelectionTextColor(clBlack);
    m->SetShowHint(true);
    m->OnGetCellColor = [this](TObject* o, int r, int c, unsigned st, TBrush* b, TFont* f) {
        ListMeasGridGetCellColor(o, r, c, st, b, f);
    };
    m->OnGridHint = [this](TObject* o, int r, int c, AnsiString& h) { ListMeasGridGridHint(o, r, c, h); };
    m->OnMouseDown = [this](TObject* o, TMouseButton b, TShiftState sh, int x, int y) {
        ListMeasGridMouseDown(o, b, sh, x, y);
    };
    m->OnMouseUp = [this](TObject* o, TMouseButton b, TShiftState sh, int x, int y) {
        ListMeasGridMouseUp(o, b, sh, x, y);
    };
    m->OnKeyDown = [this](TObject* o, Word& k, TShiftState sh) { ListMeasGridKeyDown(o, k, sh); };

    // ---- List Meas tab ----
    MeasListSetupLoopEdit->OnExit = [this](TObject* o) { MeasListSetupLoopEditExit(o); };
    MeasListSetupLoopEdit->OnKeyDown = [this](TObject* o, Word& k, TShiftState sh) {
        MeasListSetupLoopEditKeyDown(o, k, sh);
    };
    MeasListSetupLoopEdit->SetMaxLength(4);
    ListReplyTimer = new TTimer(this);
    ListReplyTimer->SetName("ListReplyTimer");
    ListReplyTimer->SetEnabled(false);
    ListReplyTimer->OnTimer = [](TObject*) { ListReplyTimerTimer(); };

    // ---- Step nominal panel ----
    SetNominalPan->SetColor(clAqua);
    ListSetupNomSetpLab->SetCaption("1 :");
    ListSetupStepNomEdit->SetText("10.000");
    ListSetupStepNomUnitBox->SetStyle(csDropDownList);
    Items(ListSetupStepNomUnitBox->Items(), {"pF", "nF", "uF", "mF"});
    ListSetupStepNomUnitBox->SetItemIndex(0);
    ListSetupStepNomEdit->OnExit = [this](TObject* o) { ListSetupStepNomEditExit(o); };
    ListSetupStepNomEdit->OnKeyDown = [this](TObject* o, Word& k, TShiftState sh) {
        ListSetupStepNomEditKeyDown(o, k, sh);
    };
    ListSetupStepNomEdit->OnKeyPress = [this](TObject* o, char& k) { SweepNomEditKeyPress(o, k); };

    // ---- Copy Step panel ----
    for (TVodUriz* e : {CopyStart, CopyEnd, CopyDes}) {
        e->SetEditType(etNumeric);
        e->SetText("1");
    }
    Items(CopyDesType->Items(), {"Front", "Back"});
    CopyDesType->SetItemIndex(0);

    // ---- Set List Sweep panel ----
    ListSweepPan->SetColor(clYellow);
    Items(SweepTypeGroup->Items(), {"Freq(kHz)", "Leve(V)", "Level(mA)"});
    Items(SweepFreqTypeBox->Items(), {"Freq(kHz)"});
    Items(SweepFunBox->Items(), {"Cs-Rs", "Cs-D", "Cp-Rp", "Cp-D", "Lp-Rp", "Lp-Q", "Ls-Rs", "Ls-Q", "Rs-Q", "Rp-Q",
        "R-X", "Z_theta_r", "Z_theta_d", "Z-D", "Z-Q"});
    Items(SweepLimitModeBox->Items(), {"SEQ"});
    Items(DesType->Items(), {"Front", "Back"});
    Items(SweepNomUnitBox->Items(), {"pF", "nF", "uF", "mF"});
    for (TComboBox* b : {SweepFunBox, SweepFreqTypeBox, SweepLevelTypeBox, SweepLimitTypeBox, SweepLimitModeBox,
             SweepMon1Box, SweepMon2Box, SweepNomUnitBox})
        b->SetStyle(csDropDownList);
    DesType->SetItemIndex(0);
    SweepNomUnitBox->SetItemIndex(0);
    SweepNomUnitLap->SetCaption("Unit");
    SweepNomEdit->SetText("10.000");
    for (TControl* c : std::initializer_list<TControl*>{SweepNomEdit, SweepNomUnitBox, SweepNomUnitLap})
        c->SetVisible(false);
    // The decimal fields show their values with the panel's decimals.
    const std::pair<TVodUriz*, int> decimals[] = {{SweepFreqEdit, 3}, {SweepLevelEdit, 2}, {SweepStartEdit, 2},
        {SweepEndEdit, 2}};
    for (const auto& [e, places] : decimals) {
        e->SetEditType(etFloat);
        e->SetPrecision(places);
    }
    SweepPointEdit->SetEditType(etNumeric);
    SweepPointEdit->SetMaxLength(3);
    SweepDesEdit->SetEditType(etNumeric);
    SweepDesEdit->SetMaxLength(4);
    SweepTypeGroup->OnClick = [this](TObject* o) { SweepTypeGroupClick(o); };
    SweepLevelTypeBox->OnChange = [this](TObject* o) { SweepLevelTypeBoxChange(o); };
    SweepFreqTypeBox->OnChange = [this](TObject* o) { SweepFreqTypeBoxChange(o); };
    SweepFunBox->OnChange = [this](TObject* o) { SweepFunBoxChange(o); };
    SweepMon1Box->OnChange = [this](TObject* o) { SweepMon1BoxChange(o); };
    SweepMon2Box->OnChange = [this](TObject* o) { SweepMon1BoxChange(o); };
    SweepFreqEdit->OnExit = [this](TObject* o) { SweepFreqEditExit(o); };
    SweepLevelEdit->OnExit = [this](TObject* o) { SweepLevelEditExit(o); };
    SweepNomEdit->OnExit = [this](TObject* o) { SweepNomEditExit(o); };
    SweepStartEdit->OnExit = [this](TObject* o) { SweepStartEditExit(o); };
    SweepEndEdit->OnExit = [this](TObject* o) { SweepEndEditExit(o); };
    SweepPointEdit->OnExit = [this](TObject* o) { SweepPointEditExit(o); };
    SweepDesEdit->OnExit = [this](TObject* o) { SweepDesEditExit(o); };
    for (TVodUriz* e : {SweepFreqEdit, SweepLevelEdit, SweepNomEdit, SweepStartEdit, SweepEndEdit, SweepPointEdit,
             SweepDesEdit})
        e->OnKeyDown = [this](TObject* o, Word& k, TShiftState sh) { SweepEditKeyDown(o, k, sh); };
    SweepNomEdit->OnKeyPress = [this](TObject* o, char& k) { SweepNomEditKeyPress(o, k); };
}
