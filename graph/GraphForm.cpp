// The Sweep Graph tab's controls, its charts and report, and their wiring.
#include <array>

#include "components/controls/Owbuttons.h"
#include "components/controls/Owleds.h"
#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"
#include "main/FormBuilder.h"
#include "main/FormCaptions.h"
#include "main/Lcr.h"
#include "platform/chart/Chart.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/report/Report.h"

namespace {

void Fill(TStrings* Items, std::initializer_list<const char*> Texts)
{
    for (const char* t : Texts)
        Items->Add(t);
}

TVodUriz* Field(TVodUriz*& F, TComponent* Owner, TWinControl* Parent, const AnsiString& Name, int L, int T_,
    int W, TVodUrizType Type, int Precision, const AnsiString& Label)
{
    Make(F, Owner, Parent, Name, L, T_, W, 22);
    F->SetEditType(Type);
    if (Type == etFloat)
        F->SetPrecision(Precision);
    if (!Label.empty())
        CaptionAbove(F, Label);
    return F;
}

void SweepButton(TOwShadowButton*& F, TComponent* Owner, TWinControl* Parent, const AnsiString& Name, int L, int T_,
    int W, const AnsiString& Text)
{
    Make(F, Owner, Parent, Name, L, T_, W, 30);
    F->SetCaption(Text);
    F->SetColor(clSilver);
}

// Line widths of the screen chart's traces 1-8.
constexpr int ScreenLineWidth[8] = {3, 3, 3, 3, 2, 2, 1, 1};

void StyleChart(TCustomChart* c, bool Screen)
{
    c->SetTitle("Sweep Graph");
    c->SetBackColor(clBlack);
    c->SetAxisColor(clWhite);
    c->SetLegendVisible(false);
    c->BottomAxis()->SetMinMax(0, 200);
    c->LeftAxis()->SetMinMax(0, 999.999);
    c->RightAxis()->SetVisible(false);
    c->RightAxis()->SetInverted(true);
    static const char* const titles[8] = {"Primary_1", "Second_1", "Monitor(1)_1", "Monitor(2)_1", "Primary_2",
        "Second_2", "Monitor(1)_2", "Monitor(2)_2"};
    for (int i = 0; i < 8; ++i) {
        TLineSeries* s = c->AddLineSeries();
        s->SetTitle(titles[i]);
        s->SetLineWidth(Screen ? ScreenLineWidth[i] : 3);
        s->SetPointer(false);
    }
}

} // namespace

void TLCRForm::CreateSweepGraphTabs()
{
    Make(SweepGraphPan, this, SweepGraphTab, "SweepGraphPan", 0, 0, 1077, 412);
    SweepGraphPan->SetBevelOuter(bvNone);
    Make(SweepGraphResultPage, this, SweepGraphPan, "SweepGraphResultPage", 4, 2, 876, 406);
    SweepGraphChartTab = new TTabSheet(this);
    SweepGraphChartTab->SetName("SweepGraphChartTab");
    SweepGraphChartTab->SetPageControl(SweepGraphResultPage);
    SweepGraphChartTab->SetCaption("Graph");
    SweepResultTab = new TTabSheet(this);
    SweepResultTab->SetName("SweepResultTab");
    SweepResultTab->SetPageControl(SweepGraphResultPage);
    SweepResultTab->SetCaption("Table");

    Make(SweepResultGrid, this, SweepResultTab, "SweepResultGrid", 0, 0, 866, 374);
    Make(SweepGraphChart, this, SweepGraphChartTab, "SweepGraphChart", 0, 0, 866, 350);
    StyleChart(SweepGraphChart, true);
    TPanel** status[8] = {&GraphTypeStatus1, &GraphTypeStatus2, &GraphTypeStatus3, &GraphTypeStatus4,
        &GraphTypeStatus5, &GraphTypeStatus6, &GraphTypeStatus7, &GraphTypeStatus8};
    static const char* const traceNames[8] = {"Primary_1", "Second_1", "Monitor(1)_1", "Monitor(2)_1", "Primary_2",
        "Second_2", "Monitor(1)_2", "Monitor(2)_2"};
    for (int i = 0; i < 8; ++i) {
        Make(*status[i], this, SweepGraphChartTab, "GraphTypeStatus" + std::to_string(i + 1), 2 + i * 108, 352, 104, 22);
        (*status[i])->SetCaption(traceNames[i]);
        (*status[i])->Font()->SetColor(clWhite);
        (*status[i])->Font()->SetStyle(fsBold);
    }

    const struct { TOwShadowButton** Field; const char* Name; const char* Caption; } buttons[] = {
        {&SweepParaBtn, "SweepParaBtn", "Sweep Parameter"}, {&GraphParaBtn, "GraphParaBtn", "Graph Parameter"},
        {&SweepGraphStartBtn, "SweepGraphStartBtn", "Start"},
        {&SweepGraphTerminateBtn, "SweepGraphTerminateBtn", "Terminate"},
        {&SweepGraphSaveBtn, "SweepGraphSaveBtn", "Save"}, {&SweepGraphSaveGraphBtn, "SweepGraphSaveGraphBtn", "Save Graph"},
        {&SweepGraphPreviewBtn, "SweepGraphPreviewBtn", "Graph Preview "},
        {&SweepGraphRemoveBtn, "SweepGraphRemoveBtn", "Remove All"},
        {&SweepGraphMeasDispBtn, "SweepGraphMeasDispBtn", "Main View "}};
    int by = 22;
    for (const auto& b : buttons) {
        SweepButton(*b.Field, this, SweepGraphPan, b.Name, 890, by, 180, b.Caption);
        by += 42;
    }

    // The parameter panel floats over the page, clear of the buttons on its right.
    Make(SweepGraphParaPanel, this, SweepGraphPan, "SweepGraphParaPanel", 150, 10, 700, 392);
    SweepGraphParaPanel->SetVisible(false);
    Make(SweepGraphParaPage, this, SweepGraphParaPanel, "SweepGraphParaPage", 4, 4, 692, 344);
    SweepParaTab = new TTabSheet(this);
    SweepParaTab->SetName("SweepParaTab");
    SweepParaTab->SetPageControl(SweepGraphParaPage);
    SweepParaTab->SetCaption("Sweep Parameter");
    GraphParaTab = new TTabSheet(this);
    GraphParaTab->SetName("GraphParaTab");
    GraphParaTab->SetPageControl(SweepGraphParaPage);
    GraphParaTab->SetCaption("Graph Parameter");
    SweepButton(SweepGraphOkBtn, this, SweepGraphParaPanel, "SweepGraphOkBtn", 460, 354, 110, "Ok");
    SweepButton(SweepGraphCancelBtn, this, SweepGraphParaPanel, "SweepGraphCancelBtn", 580, 354, 110, "Cancel");

    // Each field under its caption: four columns, the monitors and the nominal at the right.
    TWinControl* p = SweepParaTab;
    Make(SweepGraphFunBox, this, p, "SweepGraphFunBox", 12, 30, 120, 24);
    CaptionAbove(SweepGraphFunBox, "Function");
    Fill(SweepGraphFunBox->Items(), {"Cs-Rs", "Cs-D", "Cp-Rp", "Cp-D", "Lp-Rp", "Lp-Q", "Ls-Rs", "Ls-Q", "Rs-Q",
        "Rp-Q", "R-X", "Z_theta_r", "Z_theta_d", "Z-D", "Z-Q"});
    Make(SweepGraphTypeGroup, this, p, "SweepGraphTypeGroup", 150, 8, 270, 64)->SetCaption("Sweep Type");
    Fill(SweepGraphTypeGroup->Items(), {"Freq(kHz)", "Leve(V)", "Level(mA)"});
    SweepGraphTypeGroup->SetColumns(2);

    Make(SweepGraphFreqTypeBox, this, p, "SweepGraphFreqTypeBox", 12, 104, 120, 24);
    Make(SweepGraphFreqTypeLab, this, p, "SweepGraphFreqTypeLab", 0, 0, 90, 16);
    CaptionAbove(SweepGraphFreqTypeBox, "Freq Type", SweepGraphFreqTypeLab);
    Fill(SweepGraphFreqTypeBox->Items(), {"Freq(kHz)"});
    Field(SweepGraphFreqEdit, this, p, "SweepGraphFreqEdit", 150, 104, 100, etFloat, 3, "Freq Value");
    Make(SweepGraphLevelTypeBox, this, p, "SweepGraphLevelTypeBox", 12, 158, 120, 24);
    Make(SweepGraphLevelTypeLab, this, p, "SweepGraphLevelTypeLab", 0, 0, 90, 16);
    CaptionAbove(SweepGraphLevelTypeBox, "Level Type", SweepGraphLevelTypeLab);
    Fill(SweepGraphLevelTypeBox->Items(), {"Level(V)", "Level(mA)"});
    Field(SweepGraphLevelEdit, this, p, "SweepGraphLevelEdit", 150, 158, 100, etFloat, 2, "Level Value");

    Field(SweepGraphStartEdit, this, p, "SweepGraphStartEdit", 12, 212, 120, etFloat, 2, "Start ");
    Field(SweepGraphEndEdit, this, p, "SweepGraphEndEdit", 150, 212, 100, etFloat, 2, "End ");
    Field(SweepGraphPointEdit, this, p, "SweepGraphPointEdit", 268, 212, 80, etNumeric, 0, "Point ");
    SweepGraphPointEdit->SetMaxLength(4);

    Make(SweepGraphMon1Box, this, p, "SweepGraphMon1Box", 450, 30, 120, 24);
    CaptionAbove(SweepGraphMon1Box, "Monitor(1)");
    Make(SweepGraphMon2Box, this, p, "SweepGraphMon2Box", 450, 104, 120, 24);
    CaptionAbove(SweepGraphMon2Box, "Monitor(2)");
    for (TComboBox* b : {SweepGraphMon1Box, SweepGraphMon2Box})
        Fill(b->Items(), {"OFF", "Z", "D", "Q", "Vac", "Iac", "ABS", "REL", "Theta_r", "Theta_d", "R", "X", "G", "B",
            "Y"});
    Field(SweepGraphNomEdit, this, p, "SweepGraphNomEdit", 450, 158, 120, etString, 3, "Nominal");
    SweepGraphNomEdit->SetText("10.000");
    SweepGraphNomEdit->SetVisible(false);
    Make(SweepGraphNomUnitBox, this, p, "SweepGraphNomUnitBox", 450, 212, 120, 24);
    Make(SweepGraphNomUnitLap, this, p, "SweepGraphNomUnitLap", 0, 0, 60, 16);
    CaptionAbove(SweepGraphNomUnitBox, "Unit", SweepGraphNomUnitLap);
    SweepGraphNomUnitLap->SetVisible(false);
    Fill(SweepGraphNomUnitBox->Items(), {"pF", "nF", "uF", "mF"});
    SweepGraphNomUnitBox->SetItemIndex(0);
    SweepGraphNomUnitBox->SetVisible(false);

    // One row per trace: name, shown, colour, limits with their units; the column captions
    // over the colour swatches and the limit fields.
    p = GraphParaTab;
    const auto columnCaption = [&](int Left, const AnsiString& Text) {
        TLabel* l = nullptr;
        Make(l, this, p, "", Left, 6, 0, 0)->SetCaption(Text);
    };
    columnCaption(124, "Color");
    columnCaption(170, "Lower Limit");
    columnCaption(300, "Upper Limit");
    TCheckBox** checks[8] = {&GraphCheck1, &GraphCheck2, &GraphCheck3, &GraphCheck4, &GraphCheck5, &GraphCheck6,
        &GraphCheck7, &GraphCheck8};
    TOwUserLed** leds[8] = {&SetGraphColor1, &SetGraphColor2, &SetGraphColor3, &SetGraphColor4, &SetGraphColor5,
        &SetGraphColor6, &SetGraphColor7, &SetGraphColor8};
    TVodUriz** lows[8] = {&GraphLowerLimitEdit1, &GraphLowerLimitEdit2, &GraphLowerLimitEdit3, &GraphLowerLimitEdit4,
        &GraphLowerLimitEdit5, &GraphLowerLimitEdit6, &GraphLowerLimitEdit7, &GraphLowerLimitEdit8};
    TVodUriz** ups[8] = {&GraphUpperLimitEdit1, &GraphUpperLimitEdit2, &GraphUpperLimitEdit3, &GraphUpperLimitEdit4,
        &GraphUpperLimitEdit5, &GraphUpperLimitEdit6, &GraphUpperLimitEdit7, &GraphUpperLimitEdit8};
    TLabel** lowUnits[8] = {&GraphLowerUnitLab1, &GraphLowerUnitLab2, &GraphLowerUnitLab3, &GraphLowerUnitLab4,
        &GraphLowerUnitLab5, &GraphLowerUnitLab6, &GraphLowerUnitLab7, &GraphLowerUnitLab8};
    TLabel** upUnits[8] = {&GraphUpperUnitLab1, &GraphUpperUnitLab2, &GraphUpperUnitLab3, &GraphUpperUnitLab4,
        &GraphUpperUnitLab5, &GraphUpperUnitLab6, &GraphUpperUnitLab7, &GraphUpperUnitLab8};
    TLabel** pass2Labels[4] = {&SweepGraphPrimary2Lab, &SweepGraphSecond2Lab, &SweepGraphMon1Lab2, &SweepGraphMon2Lab2};
    static const char* const pass2Names[4] = {"SweepGraphPrimary2Lab", "SweepGraphSecond2Lab", "SweepGraphMon1Lab2",
        "SweepGraphMon2Lab2"};
    for (int i = 0; i < 8; ++i) {
        const AnsiString n = std::to_string(i + 1);
        const int y = 26 + i * 30;
        if (i < 4) {
            TLabel* name = nullptr;
            Make(name, this, p, "", 8, y + 3, 0, 0)->SetCaption(traceNames[i]);
        } else
            Make(*pass2Labels[i - 4], this, p, pass2Names[i - 4], 8, y + 3, 90, 16)->SetCaption(traceNames[i]);
        Make(*checks[i], this, p, "GraphCheck" + n, 96, y + 2, 30, 20)->SetCaption(n);
        Make(*leds[i], this, p, "SetGraphColor" + n, 130, y, 22, 22);
        Field(*lows[i], this, p, "GraphLowerLimitEdit" + n, 170, y, 90, etString, 3, "");
        Field(*ups[i], this, p, "GraphUpperLimitEdit" + n, 300, y, 90, etString, 3, "");
        for (TVodUriz* e : {*lows[i], *ups[i]}) {
            e->SetMaxLength(8);
            e->SetAlignment(taRightJustify);
            e->SetText("0.000");
        }
        Make(*lowUnits[i], this, p, "GraphLowerUnitLab" + n, 264, y + 3, 34, 16);
        Make(*upUnits[i], this, p, "GraphUpperUnitLab" + n, 394, y + 3, 34, 16);
    }
    Make(SetYAxisLeftGraphRadio, this, p, "SetYAxisLeftGraphRadio", 446, 6, 230, 150)->SetCaption("Y Left");
    Fill(SetYAxisLeftGraphRadio->Items(), {"Auto", "1", "2", "3", "4", "5", "6", "7", "8"});
    SetYAxisLeftGraphRadio->SetColumns(2);
    Make(SetSweepGraphCompare, this, p, "SetSweepGraphCompare", 446, 160, 230, 56)->SetCaption("Compare Graph");
    Fill(SetSweepGraphCompare->Items(), {"Compare", "No Compare"});
    SetSweepGraphCompare->SetColumns(2);
    Make(SetSweepGraphAxisScale, this, p, "SetSweepGraphAxisScale", 446, 222, 230, 56)->SetCaption("Axis Scale");
    Fill(SetSweepGraphAxisScale->Items(), {"Linearity", "Logarithmic"});
    SetSweepGraphAxisScale->SetColumns(2);

    // The printable report, on the hidden "Graph Report" tab: A4 landscape, 5 mm margins, Arial.
    SweepGraphReport = new TReport(this);
    SweepGraphReport->SetName("SweepGraphReport");
    SweepGraphReport->SetOrientation(roLandscape);
    SweepGraphReport->SetMargin(5);
    SweepGraphReport->SetFontName("Arial");
    SweepGraphReport->SetTitleBandHeight(20);
    SweepGraphReport->AddLabel("Graph Report", 120, 4, 14);
    SweepGraphReport->AddLabel("Print Date :", 205, 12, 10);
    SweepGraphReport->AddPrintDate(228, 12, 10);
    ReportSweepGraphChart = SweepGraphReport->AddChart(22);
    ReportSweepGraphChart->SetName("ReportSweepGraphChart");
    StyleChart(ReportSweepGraphChart->Chart(), false);
}

void TLCRForm::WireSweepGraphEvents()
{
    SweepParaBtn->OnClick = [this](TObject* s) { SweepParaBtnClick(s); };
    GraphParaBtn->OnClick = [this](TObject* s) { GraphParaBtnClick(s); };
    SweepGraphOkBtn->OnClick = [this](TObject* s) { SweepGraphOkBtnClick(s); };
    SweepGraphCancelBtn->OnClick = [this](TObject* s) { SweepGraphCancelBtnClick(s); };
    SweepGraphTypeGroup->OnClick = [this](TObject* s) { SweepGraphTypeGroupClick(s); };
    SweepGraphFunBox->OnChange = [this](TObject* s) { SweepGraphFunBoxChange(s); };
    SweepGraphMon1Box->OnChange = [this](TObject* s) { SweepGraphMon1BoxChange(s); };
    SweepGraphMon2Box->OnChange = [this](TObject* s) { SweepGraphMon1BoxChange(s); };
    using TExit = void (TLCRForm::*)(TObject*);
    using TKey = void (TLCRForm::*)(TObject*, Word&, TShiftState);
    const std::tuple<TVodUriz*, TExit, TKey> checks[] = {
        {SweepGraphStartEdit, &TLCRForm::SweepGraphStartEditExit, &TLCRForm::SweepGraphStartEditKeyDown},
        {SweepGraphEndEdit, &TLCRForm::SweepGraphEndEditExit, &TLCRForm::SweepGraphEndEditKeyDown},
        {SweepGraphPointEdit, &TLCRForm::SweepGraphPointEditExit, &TLCRForm::SweepGraphPointEditKeyDown},
        {SweepGraphFreqEdit, &TLCRForm::SweepGraphFreqEditExit, &TLCRForm::SweepGraphFreqEditKeyDown},
        {SweepGraphLevelEdit, &TLCRForm::SweepGraphLevelEditExit, &TLCRForm::SweepGraphLevelEditKeyDown},
        {SweepGraphNomEdit, &TLCRForm::SweepGraphNomEditExit, &TLCRForm::SweepGraphNomEditKeyDown}};
    for (const auto& [edit, exitHandler, keyHandler] : checks) {
        // Copies: clang 14 cannot capture structured bindings themselves.
        edit->OnExit = [this, onExit = exitHandler](TObject* s) { (this->*onExit)(s); };
        edit->OnKeyDown = [this, onKey = keyHandler](TObject* s, Word& k, TShiftState sh) { (this->*onKey)(s, k, sh); };
    }
    SweepGraphNomEdit->OnKeyPress = [this](TObject* s, char& k) { SweepGraphNomEditKeyPress(s, k); };
    for (TOwUserLed* led : {SetGraphColor1, SetGraphColor2, SetGraphColor3, SetGraphColor4, SetGraphColor5,
             SetGraphColor6, SetGraphColor7, SetGraphColor8})
        led->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            SetGraphColor1MouseDown(s, b, sh, x, y);
        };
    for (TVodUriz* e : {GraphLowerLimitEdit1, GraphLowerLimitEdit2, GraphLowerLimitEdit3, GraphLowerLimitEdit4,
             GraphLowerLimitEdit5, GraphLowerLimitEdit6, GraphLowerLimitEdit7, GraphLowerLimitEdit8,
             GraphUpperLimitEdit1, GraphUpperLimitEdit2, GraphUpperLimitEdit3, GraphUpperLimitEdit4,
             GraphUpperLimitEdit5, GraphUpperLimitEdit6, GraphUpperLimitEdit7, GraphUpperLimitEdit8})
        e->OnKeyPress = [this](TObject* s, char& k) { GraphLowerLimitEdit1KeyPress(s, k); };
    SetSweepGraphCompare->OnClick = [this](TObject* s) { SetSweepGraphCompareClick(s); };
    SweepGraphSaveBtn->OnClick = [this](TObject* s) { SweepGraphSaveBtnClick(s); };
    SweepGraphSaveGraphBtn->OnClick = [this](TObject* s) { SweepGraphSaveGraphBtnClick(s); };
    SweepGraphPreviewBtn->OnClick = [this](TObject* s) { SweepGraphPreviewBtnClick(s); };
    SweepGraphRemoveBtn->OnClick = [this](TObject* s) { SweepGraphRemoveBtnClick(s); };
    SetUpSweepResultGrid(SweepResultGrid);
}
