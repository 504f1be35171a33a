// The three input panels of the List Setup tab laid out with their titles and a caption over
// every field: Set List Sweep, the step nominal and Copy Step.
#include "components/controls/Voduriz.h"
#include "main/FormCaptions.h"
#include "main/FormBuilder.h"
#include "main/Lcr.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/Panel.h"

namespace {

// The Set List Sweep panel's grid: four columns of fields, each field under its caption.
constexpr int FieldWidth = 108, FieldHeight = 24;
constexpr int Column[4] = {12, 128, 244, 360};
// The top of the fields of rows 1 to 4 (the sweep type and destination take row 0).
constexpr int Row[5] = {52, 126, 182, 238, 294};

} // namespace

void TLCRForm::CreateListPanels()
{
    // ---- Set List Sweep: the page's full height, so that the buttons' places below fit ----
    Make(ListSweepPan, this, ListSetupPan, "ListSweepPan", 200, 0, 481, ListSetupPan->Height());
    ListSweepPan->SetVisible(false);
    PanelTitle(ListSweepPan, "Set List Sweep", true);
    TPanel* p = ListSweepPan;

    Make(SweepTypeGroup, this, p, "SweepTypeGroup", Column[0], 32, 2 * FieldWidth + 8, 62)->SetCaption("Sweep Type");
    SweepTypeGroup->SetColumns(2);
    Make(SweepDesEdit, this, p, "SweepDesEdit", Column[2], Row[0], 90, FieldHeight);
    SweepDesEdit->SetAlignment(taRightJustify);
    CaptionAbove(SweepDesEdit, "Destination  ");
    // The side of the destination step, beside it.
    Make(DesType, this, p, "DesType", Column[2] + 96, Row[0] - 12, 130, 38);
    DesType->SetColumns(2);

    const auto edit = [&](TVodUriz*& f, const char* name, int col, int row, const char* caption) {
        Make(f, this, p, name, Column[col], Row[row], FieldWidth, FieldHeight);
        f->SetAlignment(taRightJustify);
        CaptionAbove(f, caption);
    };
    const auto box = [&](TComboBox*& f, const char* name, int col, int row, const char* caption,
                         TLabel* label = nullptr) {
        Make(f, this, p, name, Column[col], Row[row], FieldWidth, FieldHeight);
        return CaptionAbove(f, caption, label);
    };
    edit(SweepStartEdit, "SweepStartEdit", 0, 1, "Start ");
    edit(SweepEndEdit, "SweepEndEdit", 1, 1, "End ");
    edit(SweepPointEdit, "SweepPointEdit", 2, 1, "Point ");
    box(SweepFunBox, "SweepFunBox", 3, 1, "Function");

    SweepFreqTypeLab = new TLabel(this);
    SweepFreqTypeLab->SetName("SweepFreqTypeLab");
    SweepFreqTypeLab->SetParent(p);
    box(SweepFreqTypeBox, "SweepFreqTypeBox", 0, 2, "Freq Type", SweepFreqTypeLab);
    edit(SweepFreqEdit, "SweepFreqEdit", 1, 2, "Freq Value");
    SweepLevelTypeLab = new TLabel(this);
    SweepLevelTypeLab->SetName("SweepLevelTypeLab");
    SweepLevelTypeLab->SetParent(p);
    box(SweepLevelTypeBox, "SweepLevelTypeBox", 2, 2, "Level Type", SweepLevelTypeLab);
    SweepLevelTypeBox->Items()->Add("Level(V)");
    SweepLevelTypeBox->Items()->Add("Level(mA)");
    edit(SweepLevelEdit, "SweepLevelEdit", 3, 2, "Level Value");

    box(SweepLimitTypeBox, "SweepLimitTypeBox", 0, 3, "Limit Type");
    for (const char* t : {"Primary", "Second", "Both", "OFF"})
        SweepLimitTypeBox->Items()->Add(t);
    box(SweepLimitModeBox, "SweepLimitModeBox", 1, 3, "Limit Mode");
    box(SweepMon1Box, "SweepMon1Box", 2, 3, "Monitor(1)");
    box(SweepMon2Box, "SweepMon2Box", 3, 3, "Monitor(2)");
    for (TComboBox* b : {SweepMon1Box, SweepMon2Box})
        for (const char* t : {"OFF", "Z", "D", "Q", "Vac", "Iac", "ABS", "REL", "Theta_r", "Theta_d", "R", "X", "G",
                 "B", "Y"})
            b->Items()->Add(t);

    // The nominal of the monitors ABS and REL, shown only while one of them is chosen.
    edit(SweepNomEdit, "SweepNomEdit", 0, 4, "Nominal");
    SweepNomUnitLap = new TLabel(this);
    SweepNomUnitLap->SetName("SweepNomUnitLap");
    SweepNomUnitLap->SetParent(p);
    box(SweepNomUnitBox, "SweepNomUnitBox", 1, 4, "Unit", SweepNomUnitLap);

    // ---- Step nominal ----
    Make(SetNominalPan, this, ListSetupPan, "SetNominalPan", 240, 100, 370, 200);
    SetNominalPan->SetVisible(false);
    p = SetNominalPan;
    PanelTitle(p, "Set Mon1 / Mon2  REL and  ABS Nominal", false);
    TLabel* step = new TLabel(this);
    step->SetParent(p);
    step->SetCaption("Step");
    step->SetTransparent(true);
    step->SetBounds(16, 40, step->Width(), step->Height());
    Make(ListSetupNomSetpLab, this, p, "ListSetupNomSetpLab", 56, 40, 60, 16);
    ListSetupNomSetpLab->SetTransparent(true);
    Make(ListSetupStepNomEdit, this, p, "ListSetupStepNomEdit", 16, 90, 130, FieldHeight);
    ListSetupStepNomEdit->SetAlignment(taRightJustify);
    CaptionAbove(ListSetupStepNomEdit, "Nominal");
    Make(ListSetupStepNomUnitBox, this, p, "ListSetupStepNomUnitBox", 160, 90, 90, FieldHeight);
    CaptionAbove(ListSetupStepNomUnitBox, "Unit");

    // ---- Copy Step ----
    Make(CopyStepPanel, this, ListSetupPan, "CopyStepPanel", 240, 110, 380, 170);
    CopyStepPanel->SetVisible(false);
    p = CopyStepPanel;
    PanelTitle(p, "Copy List Step", false);
    const struct { TVodUriz** Field; const char* Name; int Left; const char* Caption; } copies[] = {
        {&CopyStart, "CopyStart", 16, "Start Step  "}, {&CopyEnd, "CopyEnd", 108, "End Step  "},
        {&CopyDes, "CopyDes", 200, "Destination  "}};
    for (const auto& c : copies) {
        Make(*c.Field, this, p, c.Name, c.Left, 56, 80, FieldHeight);
        (*c.Field)->SetAlignment(taRightJustify);
        CaptionAbove(*c.Field, c.Caption);
    }
    // The side of the destination step, under it.
    Make(CopyDesType, this, p, "CopyDesType", 200, 84, 164, 38);
    CopyDesType->SetColumns(2);
}
