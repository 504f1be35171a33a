// The main window's form: its controls, their nesting, looks and event wiring.
#include "components/comm/Sercomm.h"
#include "components/controls/Owbuttons.h"
#include "components/controls/Owdesign.h"
#include "components/controls/Owleds.h"
#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "panel/PanelPictures.h"
#include "main/Lcr.h"
#include "main/FormBuilder.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Memo.h"
#include "platform/forms/Menus.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/Timer.h"
#include "platform/win/Paths.h"

namespace {

// The screen of the copied instrument: lime text on black.
constexpr TColor ScreenColor = clBlack;
// The panel pictures printed on it are drawn on the same colour (the artwork's PanelFace).
constexpr TColor PanelColor = TColorOf(0x3A3632);
const char* const ScreenFont = "Courier New";


template <class T>
T* MakeComponent(T*& Field, TComponent* Owner, const char* Name)
{
    Field = new T(Owner);
    Field->SetName(Name);
    return Field;
}

void ScreenText(TControl* C, const AnsiString& Caption, int Size = 9, TColor Color = clLime)
{
    C->SetCaption(Caption);
    C->Font()->SetName(ScreenFont);
    C->Font()->SetSize(Size);
    C->Font()->SetColor(Color);
    C->SetColor(ScreenColor);
}

template <class T>
T* Screen(T*& Field, TComponent* Owner, TWinControl* Parent, const char* Name, int L, int T_, int W, int H,
    const AnsiString& Caption, int Size = 9, TColor Color = clLime)
{
    Make(Field, Owner, Parent, Name, L, T_, W, H);
    ScreenText(Field, Caption, Size, Color);
    return Field;
}

TPanel* PagePanel(TPanel*& Field, TComponent* Owner, TWinControl* Parent, const char* Name, int Width,
    const AnsiString& Title)
{
    Make(Field, Owner, Parent, Name, 190, 30, Width, 290);
    Field->SetColor(ScreenColor);
    Field->SetBevelOuter(bvNone);
    Field->SetVisible(false);
    TStaticText* title = nullptr;
    Screen(title, Owner, Field, "", 4, 2, Width - 8, 18, Title, 10, clLime);
    title->SetName(AnsiString(Name) + "Title");
    return Field;
}

TImage* Picture(TImage*& Field, TComponent* Owner, TWinControl* Parent, const char* Name, int L, int T_, int W, int H)
{
    Make(Field, Owner, Parent, Name, L, T_, W, H);
    Field->SetTransparent(true);
    return Field;
}

void Fill(TStrings* Items, std::initializer_list<const char*> Texts)
{
    for (const char* t : Texts)
        Items->Add(t);
}

void ShadowButton(TOwShadowButton*& Field, TComponent* Owner, TWinControl* Parent, const char* Name, int L, int T_,
    int W, int H, const AnsiString& Caption, TColor Face = clSilver)
{
    Make(Field, Owner, Parent, Name, L, T_, W, H);
    Field->SetCaption(Caption);
    Field->SetColor(Face);
}

} // namespace

void TLCRForm::CreateControls()
{
    // ---- Window level ----
    MakeComponent(MainMenu1, this, "MainMenu1");
    MakeComponent(Setting1, this, "Setting1")->SetCaption("Setting");
    MakeComponent(About1, this, "About1")->SetCaption("About");
    MainMenu1->Items()->Add(Setting1);
    MainMenu1->Items()->Add(About1);
    SetMenu(MainMenu1);

    MakeComponent(LCRTimer, this, "LCRTimer");
    LCRTimer->SetEnabled(false);
    LCRTimer->SetInterval(100);
    MakeComponent(StepTimer, this, "StepTimer");
    StepTimer->SetEnabled(false);
    StepTimer->SetInterval(10);
    MakeComponent(ALCTimer, this, "ALCTimer");
    ALCTimer->SetEnabled(false);
    ALCTimer->SetInterval(1000);

    MakeComponent(LCRCom, this, "LCRCom");
    LCRCom->SetBaudrate(br9600);
    LCRCom->FlowControl()->SetControlDtr(dtrEnabled);
    LCRCom->FlowControl()->SetControlRts(rtsEnabled);
    LCRCom->SetMonitorEvents({ceDsr, ceRxChar});
    LCRCom->SetDirectWrite(true);

    MakeComponent(ColorDialog, this, "ColorDialog");
    MakeComponent(ListSetupOpenDialog, this, "ListSetupOpenDialog");
    MakeComponent(ListSetupSaveDialog, this, "ListSetupSaveDialog");
    MakeComponent(ListMeasSaveDialog, this, "ListMeasSaveDialog");
    MakeComponent(SweepGraphSaveDialog, this, "SweepGraphSaveDialog");

    Make(StatusBar, this, this, "StatusBar", 0, 0, 1101, 20);
    StatusBar->SetAlign(alBottom);
    StatusBar->SetSimplePanel(true);

    Make(LCRPanel, this, this, "LCRPanel", 0, 0, 1093, 555);
    LCRPanel->SetBevelOuter(bvNone);
    Make(LCRPag, this, LCRPanel, "LCRPag", 4, 4, 1085, 440);
    const struct { TTabSheet** Field; const char* Name; const char* Caption; } tabs[] = {
        {&MainViewTab, "MainViewTab", "Main View"}, {&ListMeasTab, "ListMeasTab", "List Meas"},
        {&ListSetupTab, "ListSetupTab", "List Setup"}, {&SweepGraphTab, "SweepGraphTab", "Sweep Graph"},
        {&GraphReportTab, "GraphReportTab", "Graph Report"}};
    for (const auto& t : tabs) {
        MakeComponent(*t.Field, this, t.Name);
        (*t.Field)->SetPageControl(LCRPag);
        (*t.Field)->SetCaption(t.Caption);
    }

    CreateFrontPanel();
    CreateCommunicationPanel();
    CreateTerminalStrip();
    CreateListTabs();
    CreateSweepGraphTabs();
    WireEvents();
    CreateListControls();
}

void TLCRForm::CreateCommunicationPanel()
{
    Make(ComPortPanel, this, this, "ComPortPanel", 380, 150, 340, 200);
    ComPortPanel->SetVisible(false);
    TLabel* title = nullptr;
    Make(title, this, ComPortPanel, "ComPortTitleLab", 10, 6, 200, 20)->SetCaption("Setting");
    title->Font()->SetSize(11);
    Make(GroupBox1, this, ComPortPanel, "GroupBox1", 10, 30, 320, 160)->SetCaption("Communication");
    TLabel* portLab = nullptr;
    Make(portLab, this, GroupBox1, "ComPortLab", 12, 26, 70, 20)->SetCaption("Com Port");
    Make(SetComPort, this, GroupBox1, "SetComPort", 90, 22, 80, 24);
    SetComPort->SetStyle(csDropDownList);
    for (int i = 1; i <= 20; ++i)
        SetComPort->Items()->Add(std::to_string(i));
    SetComPort->SetItemIndex(0);
    Make(BaudRate, this, GroupBox1, "BaudRate", 12, 54, 296, 60)->SetCaption("Baud Rate");
    Fill(BaudRate->Items(), {"1200", "9600", "38400", "57600", "115200"});
    BaudRate->SetColumns(4);
    BaudRate->SetItemIndex(4);
    ShadowButton(ComtOkBtn, this, GroupBox1, "ComtOkBtn", 120, 122, 80, 28, "Ok", clLime);
    ShadowButton(ComCancelBtn, this, GroupBox1, "ComCancelBtn", 220, 122, 80, 28, "Cancel", clRed);
}

void TLCRForm::CreateTerminalStrip()
{
    const int y = 450;
    TLabel* sendLab = nullptr;
    Make(sendLab, this, LCRPanel, "SendTextLab", 8, y + 4, 66, 18)->SetCaption("Send Text");
    Make(mSend, this, LCRPanel, "mSend", 76, y, 240, 24);
    Make(SendComboBox, this, LCRPanel, "SendComboBox", 322, y, 200, 24);
    SendComboBox->SetDropDownCount(20);
    Make(btnSend, this, LCRPanel, "btnSend", 528, y, 64, 24)->SetCaption("Send ");
    Make(btnReceive, this, LCRPanel, "btnReceive", 596, y, 64, 24)->SetCaption("Receive");
    Make(SendClearBtn, this, LCRPanel, "SendClearBtn", 664, y, 64, 24)->SetCaption("Clear");
    Make(mReceive, this, LCRPanel, "mReceive", 8, y + 30, 720, 72);
    mReceive->SetScrollBars(ssVertical);

    const struct { TVodUriz** Field; const char* Name; const char* Caption; } edits[] = {
        {&PrimaryEdit, "PrimaryEdit", "Primary"}, {&SecondEdit, "SecondEdit", "Second"},
        {&Mon1Edit, "Mon1Edit", "Monitor 1"}, {&Mon2Edit, "Mon2Edit", "Monitor 2"}};
    int ey = y;
    for (const auto& e : edits) {
        TLabel* lab = nullptr;
        Make(lab, this, LCRPanel, "", 744, ey + 4, 70, 18)->SetCaption(e.Caption);
        lab->SetName(AnsiString(e.Name) + "Lab");
        Make(*e.Field, this, LCRPanel, e.Name, 818, ey, 200, 24);
        (*e.Field)->SetReadOnly(true);
        ey += 26;
    }
}

void TLCRForm::CreateFrontPanel()
{
    Make(MainPanel, this, MainViewTab, "MainPanel", 0, 0, 1077, 410);
    MainPanel->SetColor(PanelColor);
    MainPanel->SetBevelOuter(bvNone);
    MainPanel->SetEnabled(false);

    auto text = [&](TStaticText*& f, TWinControl* p, const char* name, int l, int t, int w, int h,
                    const AnsiString& caption, int size = 9) {
        Screen(f, this, p, name, l, t, w, h, caption, size);
        // The big value texts reach over the parameter labels above them; let those show through.
        f->SetTransparent(true);
    };
    auto label = [&](TLabel*& f, TWinControl* p, const char* name, int l, int t, int w, int h,
                     const AnsiString& caption, int size = 9) {
        Screen(f, this, p, name, l, t, w, h, caption, size);
        f->SetTransparent(true);
    };
    auto pic = [&](TImage*& f, TWinControl* p, const char* name, int l, int t, int w, int h) {
        Picture(f, this, p, name, l, t, w, h);
    };
    auto key = [&](TOwBitmapButton*& f, const char* name, int l, int t, int w = 44, int h = 34) {
        Make(f, this, MainPanel, name, l, t, w, h);
        // Around its picture a key shows the panel, not a light box of its own.
        f->SetColor(PanelColor);
    };

    // Maker's logo, model and range on the left.
    pic(QNIma, MainPanel, "QNIma", 12, 12, 150, 40);
    Make(TypeLab, this, MainPanel, "TypeLab", 12, 58, 160, 26);
    TypeLab->SetCaption("Zorvane");
    TypeLab->Font()->SetSize(16);
    TypeLab->Font()->SetColor(clWhite);
    TypeLab->SetTransparent(true);
    Make(FreqTypeLab, this, MainPanel, "FreqTypeLab", 12, 88, 170, 18);
    FreqTypeLab->SetCaption("  10 Hz - 300 kHz");
    FreqTypeLab->Font()->SetColor(clSilver);
    FreqTypeLab->SetTransparent(true);
    pic(USBIma, MainPanel, "USBIma", 12, 300, 40, 24);
    pic(LockCompIma, MainPanel, "LockCompIma", 60, 300, 100, 24);
    LockCompIma->SetVisible(false);
    key(PowerBtn, "PowerBtn", 20, 340, 56, 40);
    pic(PowerIma, MainPanel, "PowerIma", 84, 348, 60, 24);

    Make(ALCErrorLab, this, MainPanel, "ALCErrorLab", 190, 8, 330, 18);
    ALCErrorLab->SetCaption("Failed !  ALC can,t regulate ! ");
    ALCErrorLab->Font()->SetColor(clRed);
    ALCErrorLab->SetTransparent(true);
    ALCErrorLab->SetVisible(false);

    // The instrument's screen: the pages, the soft-key pictures on its right edge.
    TPanel* screen = nullptr;
    Make(screen, this, MainPanel, "ScreenPan", 186, 26, 478, 298);
    screen->SetColor(ScreenColor);
    screen->SetBevelOuter(bvLowered);
    screen->SetParent(MainPanel);

    // Page 1: measurement display.
    PagePanel(MeasDispPan, this, MainPanel, "MeasDispPan", 332, "<MEAS DISPLAY>");
    TPanel* p = MeasDispPan;
    pic(MeasDispFuncIma, p, "MeasDispFuncIma", 4, 24, 40, 16);
    text(MeasDispFuncLab, p, "MeasDispFuncLab", 46, 24, 110, 16, "");
    text(MeasDispFreqLab, p, "MeasDispFreqLab", 196, 24, 132, 16, "");
    text(MeasDispLevelLab, p, "MeasDispLevelLab", 4, 42, 150, 16, "");
    pic(MeasDispRangeIma, p, "MeasDispRangeIma", 156, 42, 38, 16);
    text(MeasDispRangeLab, p, "MeasDispRangeLab", 196, 42, 132, 16, "");
    text(MeasDispTrigLab, p, "MeasDispTrigLab", 4, 60, 110, 16, "");
    text(MeasDispSpeedLab, p, "MeasDispSpeedLab", 120, 60, 90, 16, "");
    text(MeasDispLogLab, p, "MeasDispLogLab", 230, 60, 98, 16, " OFF");
    label(MeasDispFunc1Lab, p, "MeasDispFunc1Lab", 4, 80, 60, 20, "", 12);
    text(MeasDispFunc1ValueSta, p, "MeasDispFunc1ValueSta", 0, 96, 266, 62, "", 40);
    pic(MeasDispFunc1UnitIma, p, "MeasDispFunc1UnitIma", 268, 114, 60, 30);
    pic(MeasDispFunc2Ima, p, "MeasDispFunc2Ima", 4, 150, 60, 20);
    label(MeasDispFunc2Lab, p, "MeasDispFunc2Lab", 4, 150, 60, 20, "", 12);
    text(MeasDispFunc2ValueSta, p, "MeasDispFunc2ValueSta", 0, 160, 266, 56, "", 40);
    pic(MeasDispFunc2UnitIma, p, "MeasDispFunc2UnitIma", 268, 176, 60, 30);
    pic(MeasDispMon1Ima, p, "MeasDispMon1Ima", 4, 224, 50, 18);
    label(MeasDispMon1Lab, p, "MeasDispMon1Lab", 4, 224, 50, 18, "");
    text(MeasDispMon1ValueSta, p, "MeasDispMon1ValueSta", 56, 216, 150, 30, "", 19);
    pic(MeasDispMon1UnitIma, p, "MeasDispMon1UnitIma", 210, 222, 60, 22);
    pic(MeasDispMon2Ima, p, "MeasDispMon2Ima", 4, 256, 50, 18);
    label(MeasDispMon2Lab, p, "MeasDispMon2Lab", 4, 256, 50, 18, "");
    text(MeasDispMon2ValueSta, p, "MeasDispMon2ValueSta", 56, 248, 150, 30, "", 19);
    pic(MeasDispMon2UnitIma, p, "MeasDispMon2UnitIma", 210, 254, 60, 22);

    // Page 2: measurement setup, two columns of fields in the order the arrow keys walk them:
    // each row a caption and its value (a picture where the value is drawn as one).
    PagePanel(MeasSetupPan, this, MainPanel, "MeasSetupPan", 332, "<MEAS SETUP>");
    p = MeasSetupPan;
    const struct { TStaticText** Field; const char* Name; const char* Caption; int Col; int Row; } setup[] = {
        {&MeasSetupFuncLab, "MeasSetupFuncLab", "FUNC", 0, 0}, {&MeasSetupFreqLab, "MeasSetupFreqLab", "FREQ", 0, 1},
        {&MeasSetupLevelLab, "MeasSetupLevelLab", "LEVEL", 0, 2}, {nullptr, "", "SRC RES", 0, 3},
        {&MeasSetupBiasLab, "MeasSetupBiasLab", "BIAS", 0, 4}, {&MeasSetupLczLab, "MeasSetupLczLab", "AUTO LCZ", 0, 5},
        {&MeasSetupDelayLab, "MeasSetupDelayLab", "TRIG DLY", 0, 6}, {&MeasSetupAlcLab, "MeasSetupAlcLab", "ALC", 0, 7},
        {&MeasSetupRangeLab, "MeasSetupRangeLab", "RANGE", 1, 0}, {&MeasSetupTrigLab, "MeasSetupTrigLab", "TRIG", 1, 1},
        {&MeasSetupSpeedLab, "MeasSetupSpeedLab", "SPEED", 1, 2}, {&MeasSetupAvgLab, "MeasSetupAvgLab", "AVG", 1, 3},
        {&MeasSetupMon1Lab, "MeasSetupMon1Lab", "MON 1", 1, 4}, {&MeasSetupMon2Lab, "MeasSetupMon2Lab", "MON 2", 1, 5},
        {&MeasSetupNomLab, "MeasSetupNomLab", nullptr, 1, 6}};
    const auto setupLeft = [](int col) { return 4 + col * 164; };
    const auto setupTop = [](int row) { return 26 + row * 32; };
    for (const auto& f : setup) {
        if (f.Caption) {
            TStaticText* caption = nullptr;
            text(caption, p, "", setupLeft(f.Col), setupTop(f.Row), 64, 18, f.Caption, 8);
            caption->Font()->SetColor(clWhite);
        }
        if (f.Field)
            text(*f.Field, p, f.Name, setupLeft(f.Col) + 64, setupTop(f.Row), 94, 18, "");
    }
    // The nominal of the monitors ABS and PER: its caption, number and unit.
    text(MeasSetupNomLab1, p, "MeasSetupNomLab1", setupLeft(1), setupTop(6), 64, 18, "NOMINAL", 8);
    MeasSetupNomLab1->Font()->SetColor(clWhite);
    MeasSetupNomLab->SetWidth(62);
    pic(MeasSetupFuncIma, p, "MeasSetupFuncIma", setupLeft(0) + 64, setupTop(0), 44, 18);
    pic(MeasSetupSRCIma, p, "MeasSetupSRCIma", setupLeft(0) + 64, setupTop(3), 44, 18);
    pic(MeasSetupRangeIma, p, "MeasSetupRangeIma", setupLeft(1) + 64, setupTop(0), 44, 18);
    pic(MeasSetupMon1Ima, p, "MeasSetupMon1Ima", setupLeft(1) + 64, setupTop(4), 44, 18);
    pic(MeasSetupMon2Ima, p, "MeasSetupMon2Ima", setupLeft(1) + 64, setupTop(5), 44, 18);
    pic(MeasSetupNomIma, p, "MeasSetupNomIma", setupLeft(1) + 128, setupTop(6), 30, 18);
    for (TControl* c : std::initializer_list<TControl*>{MeasSetupNomLab1, MeasSetupNomLab, MeasSetupNomIma})
        c->SetVisible(false);

    // Page 3: enlarged display.
    PagePanel(EnlargeDispPan, this, MainPanel, "EnlargeDispPan", 400, "<ENLARGE DISPLAY>");
    p = EnlargeDispPan;
    label(EnlaDispFunc1Lab, p, "EnlaDispFunc1Lab", 4, 22, 80, 24, "", 14);
    text(EnlaDispFunc1ValueSta, p, "EnlaDispFunc1ValueSta", 0, 40, 336, 76, "", 52);
    pic(EnlaDispFunc1UnitIma, p, "EnlaDispFunc1UnitIma", 336, 50, 60, 30);
    pic(EnlaDispFunc2Ima, p, "EnlaDispFunc2Ima", 4, 112, 80, 24);
    label(EnlaDispFunc2Lab, p, "EnlaDispFunc2Lab", 4, 112, 80, 24, "", 14);
    text(EnlaDispFunc2ValueSta, p, "EnlaDispFunc2ValueSta", 0, 126, 336, 66, "", 52);
    pic(EnlaDispFunc2UnitIma, p, "EnlaDispFunc2UnitIma", 336, 148, 60, 30);
    pic(EnlaDispMon1Ima, p, "EnlaDispMon1Ima", 4, 196, 50, 20);
    label(EnlaDispMon1Lab, p, "EnlaDispMon1Lab", 4, 196, 50, 20, "");
    text(EnlDispMon1ValueSta, p, "EnlDispMon1ValueSta", 56, 186, 220, 46, "", 32);
    pic(EnlaDispMon1UnitIma, p, "EnlaDispMon1UnitIma", 280, 196, 60, 26);
    pic(EnlaDispMon2Ima, p, "EnlaDispMon2Ima", 4, 246, 50, 20);
    label(EnlaDispMon2Lab, p, "EnlaDispMon2Lab", 4, 246, 50, 20, "");
    text(EnlDispMon2ValueSta, p, "EnlDispMon2ValueSta", 56, 236, 220, 46, "", 32);
    pic(EnlaDispMon2UnitIma, p, "EnlaDispMon2UnitIma", 280, 246, 60, 26);
    text(EnlaPassFailLab, p, "EnlaPassFailLab", 340, 240, 56, 30, "PASS", 14);
    EnlaPassFailLab->SetVisible(false);

    // Page 4: bin measurement.
    PagePanel(BinMeasPan, this, MainPanel, "BinMeasPan", 332, "<BIN MEAS DISPLAY>");
    p = BinMeasPan;
    text(BinMeasLab, p, "BinMeasLab", 200, 2, 128, 18, "");
    pic(BinMeasFuncIma, p, "BinMeasFuncIma", 4, 24, 40, 16);
    text(BinMeasFuncLab, p, "BinMeasFuncLab", 46, 24, 110, 16, "");
    text(BinMeasFreqLab, p, "BinMeasFreqLab", 196, 24, 132, 16, "");
    text(BinMeasLevelLab, p, "BinMeasLevelLab", 4, 42, 150, 16, "");
    pic(BinMeasRangeIma, p, "BinMeasRangeIma", 156, 42, 38, 16);
    text(BinMeasRangeLab, p, "BinMeasRangeLab", 196, 42, 132, 16, "");
    text(BinMeasTrigLab, p, "BinMeasTrigLab", 4, 60, 110, 16, "");
    text(BinMeasSpeedLab, p, "BinMeasSpeedLab", 120, 60, 90, 16, "");
    text(BinMeasLogLab, p, "BinMeasLogLab", 230, 60, 98, 16, "OFF");
    text(BinMeasCompLab, p, "BinMeasCompLab", 4, 78, 110, 16, "");
    text(BinMeasAuxLab, p, "BinMeasAuxLab", 120, 78, 90, 16, "");
    text(BinMeasNomLab, p, "BinMeasNomLab", 46, 96, 72, 16, "");
    pic(BinMeasNomIma, p, "BinMeasNomIma", 120, 96, 28, 16);
    label(BinMeasFunc1Lab, p, "BinMeasFunc1Lab", 4, 128, 36, 20, "", 12);
    text(BinMeasFunc1ValueSta, p, "BinMeasFunc1ValueSta", 36, 116, 186, 44, "", 28);
    pic(BinMeasFunc1UnitIma, p, "BinMeasFunc1UnitIma", 224, 124, 60, 30);
    pic(BinMeasFunc2Ima, p, "BinMeasFunc2Ima", 4, 176, 36, 20);
    label(BinMeasFunc2Lab, p, "BinMeasFunc2Lab", 4, 176, 36, 20, "", 12);
    text(BinMeasFunc2ValueSta, p, "BinMeasFunc2ValueSta", 36, 164, 186, 44, "", 28);
    pic(BinMeasFunc2UnitIma, p, "BinMeasFunc2UnitIma", 224, 172, 60, 30);
    text(BinMeasMessage1, p, "BinMeasMessage1", 20, 226, 100, 40, "OUT", 22);
    text(BinMeasMessage2, p, "BinMeasMessage2", 130, 226, 80, 40, "OFF", 22);
    text(BinMeasMessage3, p, "BinMeasMessage3", 220, 226, 100, 40, "NG", 22);
    for (TStaticText* m : {BinMeasMessage1, BinMeasMessage2, BinMeasMessage3})
        m->Font()->SetColor(clRed);

    // Pages 5 and 6: bin setup and bin count with their bin rows.
    PagePanel(BinSetupPan, this, MainPanel, "BinSetupPan", 332, "<BIN SETUP>");
    p = BinSetupPan;
    // Three columns in the order the arrow keys walk them, the function beside the title.
    text(BinSetupLab, p, "BinSetupLab", 0, 0, 0, 0, "");
    BinSetupLab->SetVisible(false);
    const auto binCaption = [&](int l, int t, int w, const char* caption) {
        TStaticText* c = nullptr;
        text(c, p, "", l, t, w, 16, caption, 8);
        c->Font()->SetColor(clWhite);
    };
    binCaption(150, 4, 36, "FUNC");
    pic(BinSetupFuncIma, p, "BinSetupFuncIma", 188, 4, 40, 16);
    text(BinSetupFuncLab, p, "BinSetupFuncLab", 188, 4, 110, 16, "");
    binCaption(4, 28, 38, "COMP");
    text(BinSetupCompLab, p, "BinSetupCompLab", 42, 28, 50, 16, "");
    binCaption(4, 48, 38, "MODE");
    text(BinSetupModeLab, p, "BinSetupModeLab", 42, 48, 50, 16, "");
    binCaption(4, 68, 38, "BINS");
    text(BinSetupBinLab, p, "BinSetupBinLab", 42, 68, 60, 16, "");
    binCaption(98, 28, 34, "NOM");
    text(BinSetupNomLab, p, "BinSetupNomLab", 132, 28, 72, 16, "");
    pic(BinSetupNomIma, p, "BinSetupNomIma", 204, 28, 28, 16);
    binCaption(98, 48, 34, "AUX");
    text(BinSetupAuxLab, p, "BinSetupAuxLab", 132, 48, 60, 16, "");
    binCaption(236, 28, 38, "BEEP");
    text(BinSetupBeepLab, p, "BinSetupBeepLab", 274, 28, 54, 16, "");
    binCaption(236, 48, 38, "OPEN");
    text(BinSetupOpenLab, p, "BinSetupOpenLab", 274, 48, 54, 16, "");
    binCaption(46, 94, 100, "LOW LIMIT");
    binCaption(150, 94, 100, "HIGH LIMIT");
    text(BinSetupLab2nd, p, "BinSetupLab2nd", 4, 260, 40, 16, "2nd");
    {
        TLabel** bin[9] = {&BinSetupBinLab1, &BinSetupBinLab2, &BinSetupBinLab3, &BinSetupBinLab4, &BinSetupBinLab5, &BinSetupBinLab6, &BinSetupBinLab7, &BinSetupBinLab8, &BinSetupBinLab9};
        TStaticText** low[10] = {&BinSetupLowLab1, &BinSetupLowLab2, &BinSetupLowLab3, &BinSetupLowLab4, &BinSetupLowLab5, &BinSetupLowLab6, &BinSetupLowLab7, &BinSetupLowLab8, &BinSetupLowLab9, &BinSetupLowLab2nd};
        TStaticText** up[10] = {&BinSetupUpLab1, &BinSetupUpLab2, &BinSetupUpLab3, &BinSetupUpLab4, &BinSetupUpLab5, &BinSetupUpLab6, &BinSetupUpLab7, &BinSetupUpLab8, &BinSetupUpLab9, &BinSetupUpLab2nd};
        TImage** lowUnit[10] = {&BinSetupLowUnitIma1, &BinSetupLowUnitIma2, &BinSetupLowUnitIma3, &BinSetupLowUnitIma4, &BinSetupLowUnitIma5, &BinSetupLowUnitIma6, &BinSetupLowUnitIma7, &BinSetupLowUnitIma8, &BinSetupLowUnitIma9, &BinSetupLowUnitIma2nd};
        TImage** upUnit[10] = {&BinSetupUpUnitIma1, &BinSetupUpUnitIma2, &BinSetupUpUnitIma3, &BinSetupUpUnitIma4, &BinSetupUpUnitIma5, &BinSetupUpUnitIma6, &BinSetupUpUnitIma7, &BinSetupUpUnitIma8, &BinSetupUpUnitIma9, &BinSetupUpUnitIma2nd};
        CreateBinRows("BinSetup", BinSetupPan, bin, low, up, lowUnit, upUnit, nullptr);
    }
    PagePanel(BinCountPan, this, MainPanel, "BinCountPan", 332, "<BIN COUNT DISP>");
    p = BinCountPan;
    text(BinCountLab, p, "BinCountLab", 200, 2, 128, 18, "");
    pic(BinCountFuncIma, p, "BinCountFuncIma", 4, 24, 40, 16);
    text(BinCountFuncLab, p, "BinCountFuncLab", 46, 24, 110, 16, "");
    text(BinCountParaLab, p, "BinCountParaLab", 196, 24, 132, 16, "");
    text(BinCountNomLab, p, "BinCountNomLab", 46, 42, 72, 16, "");
    pic(BinCountNomIma, p, "BinCountNomIma", 120, 42, 28, 16);
    text(BinCountAuxViewLab, p, "BinCountAuxViewLab", 4, 226, 60, 16, "AUX:");
    text(BinCountAuxLab, p, "BinCountAuxLab", 66, 226, 80, 16, " 0");
    binCaption(150, 226, 44, "OUT:");
    text(BinCountOutLab, p, "BinCountOutLab", 196, 226, 50, 16, " 0");
    text(BinCountLab2nd, p, "BinCountLab2nd", 4, 260, 40, 16, "2nd");
    {
        TLabel** bin[9] = {&BinCountBinLab1, &BinCountBinLab2, &BinCountBinLab3, &BinCountBinLab4, &BinCountBinLab5, &BinCountBinLab6, &BinCountBinLab7, &BinCountBinLab8, &BinCountBinLab9};
        TStaticText** low[10] = {&BinCountLowLab1, &BinCountLowLab2, &BinCountLowLab3, &BinCountLowLab4, &BinCountLowLab5, &BinCountLowLab6, &BinCountLowLab7, &BinCountLowLab8, &BinCountLowLab9, &BinCountLowLab2nd};
        TStaticText** up[10] = {&BinCountUpLab1, &BinCountUpLab2, &BinCountUpLab3, &BinCountUpLab4, &BinCountUpLab5, &BinCountUpLab6, &BinCountUpLab7, &BinCountUpLab8, &BinCountUpLab9, &BinCountUpLab2nd};
        TImage** lowUnit[10] = {&BinCountLowUnitIma1, &BinCountLowUnitIma2, &BinCountLowUnitIma3, &BinCountLowUnitIma4, &BinCountLowUnitIma5, &BinCountLowUnitIma6, &BinCountLowUnitIma7, &BinCountLowUnitIma8, &BinCountLowUnitIma9, &BinCountLowUnitIma2nd};
        TImage** upUnit[10] = {&BinCountUpUnitIma1, &BinCountUpUnitIma2, &BinCountUpUnitIma3, &BinCountUpUnitIma4, &BinCountUpUnitIma5, &BinCountUpUnitIma6, &BinCountUpUnitIma7, &BinCountUpUnitIma8, &BinCountUpUnitIma9, &BinCountUpUnitIma2nd};
        TStaticText** result[9] = {&BinCountResultLab1, &BinCountResultLab2, &BinCountResultLab3, &BinCountResultLab4, &BinCountResultLab5, &BinCountResultLab6, &BinCountResultLab7, &BinCountResultLab8, &BinCountResultLab9};
        CreateBinRows("BinCount", BinCountPan, bin, low, up, lowUnit, upUnit, result);
    }

    // Soft keys on the screen's right edge, their keys beside it.
    TImage** viewIma[8] = {&View1Ima, &View2Ima, &View3Ima, &View4Ima, &View5Ima, &View6Ima, &View7Ima, &View8Ima};
    TOwBitmapButton** viewBtn[8] = {&View1Btn, &View2Btn, &View3Btn, &View4Btn, &View5Btn, &View6Btn, &View7Btn,
        &View8Btn};
    for (int i = 0; i < 8; ++i) {
        const AnsiString n = std::to_string(i + 1);
        if (i < 5) {
            // On the screen itself: a picture under the screen's panel would never show.
            pic(*viewIma[i], screen, ("View" + n + "Ima").c_str(), 592 - 186, 32 - 26 + i * 58, 68, 52);
            key(*viewBtn[i], ("View" + n + "Btn").c_str(), 672, 40 + i * 58, 40, 34);
        } else {
            // Below the screen: the whole 64 x 32 caption picture beside its key, the two
            // close together and apart from the next key, so that each caption names its key.
            const int left = 190 + (i - 5) * 138;
            pic(*viewIma[i], MainPanel, ("View" + n + "Ima").c_str(), left, 359, 64, 32);
            key(*viewBtn[i], ("View" + n + "Btn").c_str(), left + 68, 360, 48, 30);
        }
        (*viewIma[i])->SetVisible(false);
    }
    key(MeasBtn, "MeasBtn", 600, 360, 48, 30);
    key(Setupbtn, "Setupbtn", 656, 360, 48, 30);

    // Keypad, entry line, arrows and TRIG on the right, as on the instrument.
    Make(InputValuePan, this, MainPanel, "InputValuePan", 740, 10, 244, 30);
    InputValuePan->SetColor(clWhite);
    InputValuePan->SetVisible(false);
    Make(InputValueEdit, this, InputValuePan, "InputValueEdit", 4, 3, 236, 24);
    TOwBitmapButton** pad[4][3] = {{&SevenBtn, &EightBtn, &NineBtn}, {&FourBtn, &FiveBtn, &SixBtn},
        {&OneBtn, &TwoBtn, &ThreeBtn}, {&ZeroBtn, &DotBtn, &PlusMinusLeftBtn}};
    const char* padNames[4][3] = {{"SevenBtn", "EightBtn", "NineBtn"}, {"FourBtn", "FiveBtn", "SixBtn"},
        {"OneBtn", "TwoBtn", "ThreeBtn"}, {"ZeroBtn", "DotBtn", "PlusMinusLeftBtn"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            key(*pad[r][c], padNames[r][c], 744 + c * 56, 52 + r * 46);
    key(EscBtn, "EscBtn", 920, 52);
    key(EnterBtn, "EnterBtn", 920, 98, 44, 80);
    key(UpBtn, "UpBtn", 812, 250);
    key(LeftBtn, "LeftBtn", 760, 290);
    key(RightBtn, "RightBtn", 864, 290);
    key(DownBtn, "DownBtn", 812, 330);
    key(TrigBtn, "TrigBtn", 944, 290, 56, 40);
    const char* outputs[4] = {"OutputIma1", "OutputIma2", "OutputIma3", "OutputIma4"};
    TImage** outputIma[4] = {&OutputIma1, &OutputIma2, &OutputIma3, &OutputIma4};
    for (int i = 0; i < 4; ++i)
        pic(*outputIma[i], MainPanel, outputs[i], 1010, 40 + i * 60, 56, 50);
    pic(WarningIma, MainPanel, "WarningIma", 944, 350, 56, 30);
}

void TLCRForm::CreateBinRows(const AnsiString& Page, TPanel* Parent, TLabel** Bin[], TStaticText** Low[],
    TStaticText** Up[], TImage** LowUnit[], TImage** UpUnit[], TStaticText** Result[])
{
    for (int row = 1; row <= 10; ++row) {
        const bool second = row == 10;
        const AnsiString n = second ? "2nd" : std::to_string(row);
        const int y = second ? 260 : 114 + (row - 1) * 18;
        if (!second) {
            TLabel*& bin = *Bin[row - 1];
            Screen(bin, this, Parent, (Page + "BinLab" + n).c_str(), 4, y, 40, 16, "BIN" + n);
            bin->SetTransparent(true);
            if (Result)
                Screen(*Result[row - 1], this, Parent, (Page + "ResultLab" + n).c_str(), 250, y, 78, 16, " 0");
        }
        Screen(*Low[row - 1], this, Parent, (Page + "LowLab" + n).c_str(), 46, y, 74, 16, "");
        Picture(*LowUnit[row - 1], this, Parent, (Page + "LowUnitIma" + n).c_str(), 122, y, 24, 16);
        Screen(*Up[row - 1], this, Parent, (Page + "UpLab" + n).c_str(), 150, y, 74, 16, "");
        Picture(*UpUnit[row - 1], this, Parent, (Page + "UpUnitIma" + n).c_str(), 226, y, 24, 16);
        // Bins 1 to 3 and 7 to 9 lie on the table's navy bands.
        if (row <= 3 || (row >= 7 && row <= 9))
            for (TControl* c : std::initializer_list<TControl*>{*Low[row - 1], *Up[row - 1]})
                c->SetColor(clNavy);
    }
}

void TLCRForm::CreateListTabs()
{
    // List Meas: the result table with the loop and run controls beside it.
    Make(ListMeasPan, this, ListMeasTab, "ListMeasPan", 0, 0, 1077, 410);
    ListMeasPan->SetBevelOuter(bvNone);
    Make(MeasResultGroup, this, ListMeasPan, "MeasResultGroup", 4, 4, 860, 400)->SetCaption("List Meas Result");
    Make(MeasResultPan, this, MeasResultGroup, "MeasResultPan", 6, 18, 848, 376);
    Make(ListMeasGrid, this, MeasResultPan, "ListMeasGrid", 0, 0, 848, 376);
    ListMeasGrid->SetColCount(12);
    Make(MeasLoopGroup, this, ListMeasPan, "MeasLoopGroup", 872, 4, 200, 400)->SetCaption("Test");
    Make(TestModeGroup, this, MeasLoopGroup, "TestModeGroup", 8, 20, 184, 50)->SetCaption("Test Mode");
    Fill(TestModeGroup->Items(), {"Seq", "Step"});
    TestModeGroup->SetColumns(2);
    TestModeGroup->SetItemIndex(0);
    TLabel* loopLab = nullptr;
    Make(loopLab, this, MeasLoopGroup, "MeasLoopLab", 8, 84, 60, 18)->SetCaption("Loop");
    Make(MeasListSetupLoopEdit, this, MeasLoopGroup, "MeasListSetupLoopEdit", 70, 80, 120, 24);
    MeasListSetupLoopEdit->SetEditType(etNumeric);
    MeasListSetupLoopEdit->SetText("1");
    ShadowButton(ListMeasStartBtn, this, MeasLoopGroup, "ListMeasStartBtn", 8, 120, 184, 30, "Start", clLime);
    ShadowButton(ListMeasTerminateBtn, this, MeasLoopGroup, "ListMeasTerminateBtn", 8, 158, 184, 30, "Terminate",
        clRed);
    ShadowButton(ListMeasResultSaveBtn, this, MeasLoopGroup, "ListMeasResultSaveBtn", 8, 196, 184, 30, "Save");
    ShadowButton(ListMeasResultRemoveBtn, this, MeasLoopGroup, "ListMeasResultRemoveBtn", 8, 234, 184, 30, "Clear");
    ShadowButton(MeasDispBtn, this, MeasLoopGroup, "MeasDispBtn", 8, 356, 184, 30, "Main View ");

    // List Setup: the step table, its buttons and the three input panels.
    Make(ListSetupPan, this, ListSetupTab, "ListSetupPan", 0, 0, 1077, 410);
    ListSetupPan->SetBevelOuter(bvNone);
    Make(ListSetupGroup, this, ListSetupPan, "ListSetupGroup", 4, 4, 860, 400)->SetCaption("List Setup");
    Make(ListSetupGrid, this, ListSetupGroup, "ListSetupGrid", 6, 18, 848, 376);
    ListSetupGrid->SetColCount(18);
    const struct { TOwShadowButton** Field; const char* Name; const char* Caption; } buttons[] = {
        {&ListSetupOpenBtn, "ListSetupOpenBtn", "Open"}, {&ListSetupSaveBtn, "ListSetupSaveBtn", "Save"},
        {&ListSetupNewBtn, "ListSetupNewBtn", "New"}, {&ListSetupInsertBtn, "ListSetupInsertBtn", "Add Step"},
        {&ListSetupCopyBtn, "ListSetupCopyBtn", "Copy Step"}, {&SetSweepBtn, "SetSweepBtn", "Set Sweep"},
        {&ListSetupMeasDispBtn, "ListSetupMeasDispBtn", "Main View "}};
    int by = 22;
    for (const auto& b : buttons) {
        ShadowButton(*b.Field, this, ListSetupPan, b.Name, 880, by, 184, 30, b.Caption);
        by += 40;
    }

    CreateListPanels();
}

void TLCRForm::WireEvents()
{
    OnCloseQuery = [this](TObject* s, bool& c) { FormCloseQuery(s, c); };
    Setting1->OnClick = [this](TObject* s) { Setting1Click(s); };
    About1->OnClick = [this](TObject* s) { About1Click(s); };
    ComtOkBtn->OnClick = [this](TObject* s) { ComtOkBtnClick(s); };
    ComCancelBtn->OnClick = [this](TObject* s) { ComCancelBtnClick(s); };
    SetComPort->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { SetComPortKeyDown(s, k, sh); };
    LCRTimer->OnTimer = [this](TObject* s) { LCRTimerTimer(s); };
    StepTimer->OnTimer = [this](TObject* s) { StepTimerTimer(s); };
    ALCTimer->OnTimer = [this](TObject* s) { ALCTimerTimer(s); };
    LCRCom->OnRxChar = [this](TObject* s, int n) { LCRComRxChar(s, n); };
    LCRCom->OnDsr = [this](TObject* s) { LCRComDsr(s); };
    btnSend->OnClick = [this](TObject* s) { btnSendClick(s); };
    btnReceive->OnClick = [this](TObject* s) { btnReceiveClick(s); };
    SendClearBtn->OnClick = [this](TObject* s) { SendClearBtnClick(s); };
    for (TOwShadowButton* b : {MeasDispBtn, ListSetupMeasDispBtn, SweepGraphMeasDispBtn})
        b->OnClick = [this](TObject* s) { MeasDispBtnClick(s); };
    LCRPag->OnChange = [this](TObject* s) { LCRPagChange(s); };
    ListMeasStartBtn->OnClick = [this](TObject* s) { ListMeasStartBtnClick(s); };
    ListMeasTerminateBtn->OnClick = [this](TObject* s) { ListMeasTerminateBtnClick(s); };
    SweepGraphStartBtn->OnClick = [this](TObject* s) { SweepGraphStartBtnClick(s); };
    SweepGraphTerminateBtn->OnClick = [this](TObject* s) { SweepGraphTerminateBtnClick(s); };
    WireSweepGraphEvents();

    using THandler = void (TLCRForm::*)(TObject*);
    const std::pair<TOwBitmapButton*, THandler> keys[] = {{UpBtn, &TLCRForm::UpBtnClick},
        {DownBtn, &TLCRForm::DownBtnClick}, {LeftBtn, &TLCRForm::LeftBtnClick}, {RightBtn, &TLCRForm::RightBtnClick},
        {ZeroBtn, &TLCRForm::ZeroBtnClick}, {OneBtn, &TLCRForm::OneBtnClick}, {TwoBtn, &TLCRForm::TwoBtnClick},
        {ThreeBtn, &TLCRForm::ThreeBtnClick}, {FourBtn, &TLCRForm::FourBtnClick}, {FiveBtn, &TLCRForm::FiveBtnClick},
        {SixBtn, &TLCRForm::SixBtnClick}, {SevenBtn, &TLCRForm::SevenBtnClick}, {EightBtn, &TLCRForm::EightBtnClick},
        {NineBtn, &TLCRForm::NineBtnClick}, {DotBtn, &TLCRForm::DotBtnClick},
        {PlusMinusLeftBtn, &TLCRForm::PlusMinusLeftBtnClick}, {EscBtn, &TLCRForm::EscBtnClick},
        {EnterBtn, &TLCRForm::EnterBtnClick}, {PowerBtn, &TLCRForm::PowerBtnClick}, {MeasBtn, &TLCRForm::MeasBtnClick},
        {Setupbtn, &TLCRForm::SetupbtnClick}, {TrigBtn, &TLCRForm::TrigBtnClick}, {View8Btn, &TLCRForm::View8BtnClick},
        {View1Btn, &TLCRForm::View1BtnClick}, {View2Btn, &TLCRForm::View2BtnClick}, {View3Btn, &TLCRForm::View3BtnClick},
        {View4Btn, &TLCRForm::View4BtnClick}, {View5Btn, &TLCRForm::View5BtnClick}};
    // A copy: clang 14 cannot capture a structured binding itself.
    for (const auto& [key, keyHandler] : keys)
        key->OnClick = [this, handler = keyHandler](TObject* s) { (this->*handler)(s); };
    // The ENLARGE / NORMAL caption is printed on the panel beside its key: a click on it is
    // a press of the key.
    View8Ima->OnClick = [this](TObject*) { View8BtnClick(View8Btn); };
}

void TLCRForm::LoadPowerKeyPicture(const AnsiString& File)
{
    LoadPanelGlyph(PowerBtn, File);
}
