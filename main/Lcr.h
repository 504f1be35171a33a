#pragma once
// The main window: the one owner of the program's state. Its controls are created and
// wired in the constructor; every other piece of program state lives in the plain
// fields below, which the free functions of the program reach through LCRForm.
#include <cstdio>

#include "platform/forms/Form.h"

class TButton;
class TChart;
class TCheckBox;
class TColorDialog;
class TComboBox;
class TGroupBox;
class TImage;
class TLabel;
class TMainMenu;
class TMemo;
class TMenuItem;
class TOpenDialog;
class TOwBitmapButton;
class TOwShadowButton;
class TOwUserLed;
class TPageControl;
class TPanel;
class TRadioGroup;
class TRavArodozIdad;
class TReport;
class TReportChart;
class TSaveDialog;
class TSerComm;
class TStaticText;
class TStatusBar;
class TTabSheet;
class TTimer;
class TVodUriz;
enum TEditorType : unsigned char;
namespace Ravbase {
enum TVAlignment : unsigned char;
}

class TLCRForm : public TForm {
public:
    explicit TLCRForm(TComponent* AOwner);
    ~TLCRForm() override;

    // ---- Controls, timers, dialogs and the serial component (owned by the form) ----

    // Window level
    TMainMenu *MainMenu1 = nullptr;
    TMenuItem *Setting1 = nullptr, *About1 = nullptr;
    TStatusBar *StatusBar = nullptr;
    TTimer *LCRTimer = nullptr, *StepTimer = nullptr, *ALCTimer = nullptr;
    TSerComm *LCRCom = nullptr;
    TColorDialog *ColorDialog = nullptr;
    TOpenDialog *ListSetupOpenDialog = nullptr;
    TSaveDialog *ListSetupSaveDialog = nullptr, *ListMeasSaveDialog = nullptr, *SweepGraphSaveDialog = nullptr;

    // Containers
    TPanel *LCRPanel = nullptr, *MainPanel = nullptr, *ComPortPanel = nullptr;
    TPageControl *LCRPag = nullptr;
    TTabSheet *MainViewTab = nullptr, *ListMeasTab = nullptr, *ListSetupTab = nullptr, *SweepGraphTab = nullptr,
        *GraphReportTab = nullptr;

    // Communication panel
    TGroupBox *GroupBox1 = nullptr;
    TComboBox *SetComPort = nullptr;
    TRadioGroup *BaudRate = nullptr;
    TOwShadowButton *ComtOkBtn = nullptr, *ComCancelBtn = nullptr;

    // Terminal strip and value edits
    TVodUriz *mSend = nullptr, *PrimaryEdit = nullptr, *SecondEdit = nullptr, *Mon1Edit = nullptr,
        *Mon2Edit = nullptr;
    TMemo *mReceive = nullptr;
    TComboBox *SendComboBox = nullptr;
    TButton *btnSend = nullptr, *btnReceive = nullptr, *SendClearBtn = nullptr;

    // Front-panel keys
    TOwBitmapButton *UpBtn = nullptr, *DownBtn = nullptr, *LeftBtn = nullptr, *RightBtn = nullptr,
        *ZeroBtn = nullptr, *OneBtn = nullptr, *TwoBtn = nullptr, *ThreeBtn = nullptr, *FourBtn = nullptr,
        *FiveBtn = nullptr, *SixBtn = nullptr, *SevenBtn = nullptr, *EightBtn = nullptr, *NineBtn = nullptr,
        *DotBtn = nullptr, *PlusMinusLeftBtn = nullptr, *EscBtn = nullptr, *EnterBtn = nullptr, *PowerBtn = nullptr,
        *MeasBtn = nullptr, *Setupbtn = nullptr, *TrigBtn = nullptr, *View1Btn = nullptr, *View2Btn = nullptr,
        *View3Btn = nullptr, *View4Btn = nullptr, *View5Btn = nullptr, *View6Btn = nullptr, *View7Btn = nullptr,
        *View8Btn = nullptr;

    // Front-panel pictures and labels
    TImage *PowerIma = nullptr, *QNIma = nullptr, *OutputIma1 = nullptr, *OutputIma2 = nullptr,
        *OutputIma3 = nullptr, *OutputIma4 = nullptr, *USBIma = nullptr, *WarningIma = nullptr,
        *LockCompIma = nullptr, *View1Ima = nullptr, *View2Ima = nullptr, *View3Ima = nullptr, *View4Ima = nullptr,
        *View5Ima = nullptr, *View6Ima = nullptr, *View7Ima = nullptr, *View8Ima = nullptr;
    TLabel *TypeLab = nullptr, *FreqTypeLab = nullptr, *ALCErrorLab = nullptr;

    // Page 1: measurement display
    TPanel *MeasDispPan = nullptr;
    TStaticText *MeasDispFuncLab = nullptr, *MeasDispFreqLab = nullptr, *MeasDispLevelLab = nullptr,
        *MeasDispRangeLab = nullptr, *MeasDispTrigLab = nullptr, *MeasDispSpeedLab = nullptr,
        *MeasDispLogLab = nullptr, *MeasDispFunc1ValueSta = nullptr, *MeasDispFunc2ValueSta = nullptr,
        *MeasDispMon1ValueSta = nullptr, *MeasDispMon2ValueSta = nullptr;
    TLabel *MeasDispFunc1Lab = nullptr, *MeasDispFunc2Lab = nullptr, *MeasDispMon1Lab = nullptr,
        *MeasDispMon2Lab = nullptr;
    TImage *MeasDispFuncIma = nullptr, *MeasDispFunc2Ima = nullptr, *MeasDispRangeIma = nullptr,
        *MeasDispMon1Ima = nullptr, *MeasDispMon2Ima = nullptr, *MeasDispFunc1UnitIma = nullptr,
        *MeasDispFunc2UnitIma = nullptr, *MeasDispMon1UnitIma = nullptr, *MeasDispMon2UnitIma = nullptr;

    // Page 2: measurement setup
    TPanel *MeasSetupPan = nullptr;
    TStaticText *MeasSetupFuncLab = nullptr, *MeasSetupFreqLab = nullptr, *MeasSetupLevelLab = nullptr,
        *MeasSetupRangeLab = nullptr, *MeasSetupTrigLab = nullptr, *MeasSetupSpeedLab = nullptr,
        *MeasSetupAvgLab = nullptr, *MeasSetupBiasLab = nullptr, *MeasSetupLczLab = nullptr,
        *MeasSetupDelayLab = nullptr, *MeasSetupAlcLab = nullptr, *MeasSetupMon1Lab = nullptr,
        *MeasSetupMon2Lab = nullptr, *MeasSetupNomLab = nullptr, *MeasSetupNomLab1 = nullptr;
    TImage *MeasSetupFuncIma = nullptr, *MeasSetupRangeIma = nullptr, *MeasSetupSRCIma = nullptr,
        *MeasSetupMon1Ima = nullptr, *MeasSetupMon2Ima = nullptr, *MeasSetupNomIma = nullptr;

    // Page 3: enlarged display
    TPanel *EnlargeDispPan = nullptr;
    TStaticText *EnlaDispFunc1ValueSta = nullptr, *EnlaDispFunc2ValueSta = nullptr, *EnlDispMon1ValueSta = nullptr,
        *EnlDispMon2ValueSta = nullptr, *EnlaPassFailLab = nullptr;
    TLabel *EnlaDispFunc1Lab = nullptr, *EnlaDispFunc2Lab = nullptr, *EnlaDispMon1Lab = nullptr,
        *EnlaDispMon2Lab = nullptr;
    TImage *EnlaDispFunc2Ima = nullptr, *EnlaDispMon1Ima = nullptr, *EnlaDispMon2Ima = nullptr,
        *EnlaDispFunc1UnitIma = nullptr, *EnlaDispFunc2UnitIma = nullptr, *EnlaDispMon1UnitIma = nullptr,
        *EnlaDispMon2UnitIma = nullptr;

    // Page 4: bin measurement
    TPanel *BinMeasPan = nullptr;
    TStaticText *BinMeasLab = nullptr, *BinMeasFuncLab = nullptr, *BinMeasFreqLab = nullptr,
        *BinMeasLevelLab = nullptr, *BinMeasRangeLab = nullptr, *BinMeasTrigLab = nullptr,
        *BinMeasSpeedLab = nullptr, *BinMeasLogLab = nullptr, *BinMeasCompLab = nullptr, *BinMeasAuxLab = nullptr,
        *BinMeasNomLab = nullptr, *BinMeasMessage1 = nullptr, *BinMeasMessage2 = nullptr, *BinMeasMessage3 = nullptr,
        *BinMeasFunc1ValueSta = nullptr, *BinMeasFunc2ValueSta = nullptr;
    TLabel *BinMeasFunc1Lab = nullptr, *BinMeasFunc2Lab = nullptr;
    TImage *BinMeasFuncIma = nullptr, *BinMeasFunc2Ima = nullptr, *BinMeasRangeIma = nullptr,
        *BinMeasNomIma = nullptr, *BinMeasFunc1UnitIma = nullptr, *BinMeasFunc2UnitIma = nullptr;

    // Page 5: bin setup; the rows lie in the order the bin-row scratch pointers use
    TPanel *BinSetupPan = nullptr;
    TStaticText *BinSetupLab = nullptr, *BinSetupModeLab = nullptr, *BinSetupBinLab = nullptr,
        *BinSetupBeepLab = nullptr, *BinSetupFuncLab = nullptr, *BinSetupCompLab = nullptr,
        *BinSetupAuxLab = nullptr, *BinSetupOpenLab = nullptr, *BinSetupNomLab = nullptr, *BinSetupLab2nd = nullptr;
    TImage *BinSetupFuncIma = nullptr, *BinSetupNomIma = nullptr;
    TLabel *BinSetupBinLab1 = nullptr, *BinSetupBinLab2 = nullptr, *BinSetupBinLab3 = nullptr,
        *BinSetupBinLab4 = nullptr, *BinSetupBinLab5 = nullptr, *BinSetupBinLab6 = nullptr,
        *BinSetupBinLab7 = nullptr, *BinSetupBinLab8 = nullptr, *BinSetupBinLab9 = nullptr;
    TStaticText *BinSetupLowLab1 = nullptr, *BinSetupLowLab2 = nullptr, *BinSetupLowLab3 = nullptr,
        *BinSetupLowLab4 = nullptr, *BinSetupLowLab5 = nullptr, *BinSetupLowLab6 = nullptr,
        *BinSetupLowLab7 = nullptr, *BinSetupLowLab8 = nullptr, *BinSetupLowLab9 = nullptr,
        *BinSetupLowLab2nd = nullptr, *BinSetupUpLab1 = nullptr, *BinSetupUpLab2 = nullptr,
        *BinSetupUpLab3 = nullptr, *BinSetupUpLab4 = nullptr, *BinSetupUpLab5 = nullptr, *BinSetupUpLab6 = nullptr,
        *BinSetupUpLab7 = nullptr, *BinSetupUpLab8 = nullptr, *BinSetupUpLab9 = nullptr, *BinSetupUpLab2nd = nullptr;
    TImage *BinSetupLowUnitIma1 = nullptr, *BinSetupLowUnitIma2 = nullptr, *BinSetupLowUnitIma3 = nullptr,
        *BinSetupLowUnitIma4 = nullptr, *BinSetupLowUnitIma5 = nullptr, *BinSetupLowUnitIma6 = nullptr,
        *BinSetupLowUnitIma7 = nullptr, *BinSetupLowUnitIma8 = nullptr, *BinSetupLowUnitIma9 = nullptr,
        *BinSetupLowUnitIma2nd = nullptr, *BinSetupUpUnitIma1 = nullptr, *BinSetupUpUnitIma2 = nullptr,
        *BinSetupUpUnitIma3 = nullptr, *BinSetupUpUnitIma4 = nullptr, *BinSetupUpUnitIma5 = nullptr,
        *BinSetupUpUnitIma6 = nullptr, *BinSetupUpUnitIma7 = nullptr, *BinSetupUpUnitIma8 = nullptr,
        *BinSetupUpUnitIma9 = nullptr, *BinSetupUpUnitIma2nd = nullptr;

    // Page 6: bin count
    TPanel *BinCountPan = nullptr;
    TStaticText *BinCountLab = nullptr, *BinCountFuncLab = nullptr, *BinCountParaLab = nullptr,
        *BinCountNomLab = nullptr, *BinCountAuxLab = nullptr, *BinCountOutLab = nullptr, *BinCountLab2nd = nullptr,
        *BinCountAuxViewLab = nullptr;
    TImage *BinCountFuncIma = nullptr, *BinCountNomIma = nullptr;
    TLabel *BinCountBinLab1 = nullptr, *BinCountBinLab2 = nullptr, *BinCountBinLab3 = nullptr,
        *BinCountBinLab4 = nullptr, *BinCountBinLab5 = nullptr, *BinCountBinLab6 = nullptr,
        *BinCountBinLab7 = nullptr, *BinCountBinLab8 = nullptr, *BinCountBinLab9 = nullptr;
    TStaticText *BinCountLowLab1 = nullptr, *BinCountLowLab2 = nullptr, *BinCountLowLab3 = nullptr,
        *BinCountLowLab4 = nullptr, *BinCountLowLab5 = nullptr, *BinCountLowLab6 = nullptr,
        *BinCountLowLab7 = nullptr, *BinCountLowLab8 = nullptr, *BinCountLowLab9 = nullptr,
        *BinCountLowLab2nd = nullptr, *BinCountUpLab1 = nullptr, *BinCountUpLab2 = nullptr,
        *BinCountUpLab3 = nullptr, *BinCountUpLab4 = nullptr, *BinCountUpLab5 = nullptr, *BinCountUpLab6 = nullptr,
        *BinCountUpLab7 = nullptr, *BinCountUpLab8 = nullptr, *BinCountUpLab9 = nullptr, *BinCountUpLab2nd = nullptr,
        *BinCountResultLab1 = nullptr, *BinCountResultLab2 = nullptr, *BinCountResultLab3 = nullptr,
        *BinCountResultLab4 = nullptr, *BinCountResultLab5 = nullptr, *BinCountResultLab6 = nullptr,
        *BinCountResultLab7 = nullptr, *BinCountResultLab8 = nullptr, *BinCountResultLab9 = nullptr;
    TImage *BinCountLowUnitIma1 = nullptr, *BinCountLowUnitIma2 = nullptr, *BinCountLowUnitIma3 = nullptr,
        *BinCountLowUnitIma4 = nullptr, *BinCountLowUnitIma5 = nullptr, *BinCountLowUnitIma6 = nullptr,
        *BinCountLowUnitIma7 = nullptr, *BinCountLowUnitIma8 = nullptr, *BinCountLowUnitIma9 = nullptr,
        *BinCountLowUnitIma2nd = nullptr, *BinCountUpUnitIma1 = nullptr, *BinCountUpUnitIma2 = nullptr,
        *BinCountUpUnitIma3 = nullptr, *BinCountUpUnitIma4 = nullptr, *BinCountUpUnitIma5 = nullptr,
        *BinCountUpUnitIma6 = nullptr, *BinCountUpUnitIma7 = nullptr, *BinCountUpUnitIma8 = nullptr,
        *BinCountUpUnitIma9 = nullptr, *BinCountUpUnitIma2nd = nullptr;

    // Keypad entry
    TPanel *InputValuePan = nullptr;
    TVodUriz *InputValueEdit = nullptr;

    // List Meas tab
    TPanel *ListMeasPan = nullptr, *MeasResultPan = nullptr;
    TGroupBox *MeasResultGroup = nullptr, *MeasLoopGroup = nullptr;
    TRavArodozIdad *ListMeasGrid = nullptr;
    TRadioGroup *TestModeGroup = nullptr;
    TVodUriz *MeasListSetupLoopEdit = nullptr;
    TOwShadowButton *MeasDispBtn = nullptr, *ListMeasStartBtn = nullptr, *ListMeasTerminateBtn = nullptr,
        *ListMeasResultSaveBtn = nullptr, *ListMeasResultRemoveBtn = nullptr;

    // List Setup tab
    TPanel *ListSetupPan = nullptr, *ListSweepPan = nullptr, *SetNominalPan = nullptr, *CopyStepPanel = nullptr;
    TGroupBox *ListSetupGroup = nullptr;
    TRavArodozIdad *ListSetupGrid = nullptr;
    TOwShadowButton *ListSetupOpenBtn = nullptr, *ListSetupSaveBtn = nullptr, *ListSetupNewBtn = nullptr,
        *SetSweepBtn = nullptr, *ListSetupMeasDispBtn = nullptr, *ListSetupInsertBtn = nullptr,
        *ListSetupCopyBtn = nullptr, *SweepOkBtn = nullptr, *SweepCancelBtn = nullptr;
    TRadioGroup *SweepTypeGroup = nullptr, *DesType = nullptr, *CopyDesType = nullptr;
    TComboBox *SweepFunBox = nullptr, *SweepFreqTypeBox = nullptr, *SweepLevelTypeBox = nullptr,
        *SweepLimitTypeBox = nullptr, *SweepLimitModeBox = nullptr, *SweepMon1Box = nullptr, *SweepMon2Box = nullptr,
        *SweepNomUnitBox = nullptr, *ListSetupStepNomUnitBox = nullptr;
    TLabel *SweepFreqTypeLab = nullptr, *SweepLevelTypeLab = nullptr, *SweepNomUnitLap = nullptr,
        *ListSetupNomSetpLab = nullptr;
    TVodUriz *SweepFreqEdit = nullptr, *SweepLevelEdit = nullptr, *SweepStartEdit = nullptr, *SweepEndEdit = nullptr,
        *SweepPointEdit = nullptr, *SweepDesEdit = nullptr, *SweepNomEdit = nullptr, *ListSetupStepNomEdit = nullptr,
        *CopyStart = nullptr, *CopyEnd = nullptr, *CopyDes = nullptr;

    // Sweep Graph and Graph Report tabs; the charts and the report come with the sweep graph
    TPanel *SweepGraphPan = nullptr, *SweepGraphParaPanel = nullptr, *GraphTypeStatus1 = nullptr,
        *GraphTypeStatus2 = nullptr, *GraphTypeStatus3 = nullptr, *GraphTypeStatus4 = nullptr,
        *GraphTypeStatus5 = nullptr, *GraphTypeStatus6 = nullptr, *GraphTypeStatus7 = nullptr,
        *GraphTypeStatus8 = nullptr;
    TOwShadowButton *SweepParaBtn = nullptr, *GraphParaBtn = nullptr, *SweepGraphStartBtn = nullptr,
        *SweepGraphTerminateBtn = nullptr, *SweepGraphSaveBtn = nullptr, *SweepGraphPreviewBtn = nullptr,
        *SweepGraphRemoveBtn = nullptr, *SweepGraphSaveGraphBtn = nullptr, *SweepGraphMeasDispBtn = nullptr;
    TPageControl *SweepGraphResultPage = nullptr, *SweepGraphParaPage = nullptr;
    TTabSheet *SweepGraphChartTab = nullptr, *SweepResultTab = nullptr, *SweepParaTab = nullptr,
        *GraphParaTab = nullptr;
    TChart* SweepGraphChart = nullptr;
    TReport* SweepGraphReport = nullptr;
    TReportChart* ReportSweepGraphChart = nullptr;
    TOwShadowButton *SweepGraphOkBtn = nullptr, *SweepGraphCancelBtn = nullptr;
    TRavArodozIdad *SweepResultGrid = nullptr;
    TRadioGroup *SweepGraphTypeGroup = nullptr, *SetSweepGraphAxisScale = nullptr, *SetYAxisLeftGraphRadio = nullptr,
        *SetSweepGraphCompare = nullptr;
    TComboBox *SweepGraphFunBox = nullptr, *SweepGraphFreqTypeBox = nullptr, *SweepGraphLevelTypeBox = nullptr,
        *SweepGraphMon1Box = nullptr, *SweepGraphMon2Box = nullptr, *SweepGraphNomUnitBox = nullptr;
    TLabel *SweepGraphFreqTypeLab = nullptr, *SweepGraphLevelTypeLab = nullptr, *SweepGraphNomUnitLap = nullptr,
        *SweepGraphPrimary2Lab = nullptr, *SweepGraphSecond2Lab = nullptr, *SweepGraphMon1Lab2 = nullptr,
        *SweepGraphMon2Lab2 = nullptr, *GraphLowerUnitLab1 = nullptr, *GraphLowerUnitLab2 = nullptr,
        *GraphLowerUnitLab3 = nullptr, *GraphLowerUnitLab4 = nullptr, *GraphLowerUnitLab5 = nullptr,
        *GraphLowerUnitLab6 = nullptr, *GraphLowerUnitLab7 = nullptr, *GraphLowerUnitLab8 = nullptr,
        *GraphUpperUnitLab1 = nullptr, *GraphUpperUnitLab2 = nullptr, *GraphUpperUnitLab3 = nullptr,
        *GraphUpperUnitLab4 = nullptr, *GraphUpperUnitLab5 = nullptr, *GraphUpperUnitLab6 = nullptr,
        *GraphUpperUnitLab7 = nullptr, *GraphUpperUnitLab8 = nullptr;
    TVodUriz *SweepGraphFreqEdit = nullptr, *SweepGraphLevelEdit = nullptr, *SweepGraphStartEdit = nullptr,
        *SweepGraphEndEdit = nullptr, *SweepGraphPointEdit = nullptr, *SweepGraphNomEdit = nullptr,
        *GraphLowerLimitEdit1 = nullptr, *GraphLowerLimitEdit2 = nullptr, *GraphLowerLimitEdit3 = nullptr,
        *GraphLowerLimitEdit4 = nullptr, *GraphLowerLimitEdit5 = nullptr, *GraphLowerLimitEdit6 = nullptr,
        *GraphLowerLimitEdit7 = nullptr, *GraphLowerLimitEdit8 = nullptr, *GraphUpperLimitEdit1 = nullptr,
        *GraphUpperLimitEdit2 = nullptr, *GraphUpperLimitEdit3 = nullptr, *GraphUpperLimitEdit4 = nullptr,
        *GraphUpperLimitEdit5 = nullptr, *GraphUpperLimitEdit6 = nullptr, *GraphUpperLimitEdit7 = nullptr,
        *GraphUpperLimitEdit8 = nullptr;
    TCheckBox *GraphCheck1 = nullptr, *GraphCheck2 = nullptr, *GraphCheck3 = nullptr, *GraphCheck4 = nullptr,
        *GraphCheck5 = nullptr, *GraphCheck6 = nullptr, *GraphCheck7 = nullptr, *GraphCheck8 = nullptr;
    TOwUserLed *SetGraphColor1 = nullptr, *SetGraphColor2 = nullptr, *SetGraphColor3 = nullptr,
        *SetGraphColor4 = nullptr, *SetGraphColor5 = nullptr, *SetGraphColor6 = nullptr, *SetGraphColor7 = nullptr,
        *SetGraphColor8 = nullptr;

    // ---- Event handlers, named after their control and event ----
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void About1Click(TObject* Sender);
    void Setting1Click(TObject* Sender);
    void ComtOkBtnClick(TObject* Sender);
    void ComCancelBtnClick(TObject* Sender);
    void SetComPortKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void LCRTimerTimer(TObject* Sender);
    void LCRComRxChar(TObject* Sender, int Count);
    void LCRComDsr(TObject* Sender);
    void StepTimerTimer(TObject* Sender);
    void ALCTimerTimer(TObject* Sender);
    void btnSendClick(TObject* Sender);
    void btnReceiveClick(TObject* Sender);
    void SendClearBtnClick(TObject* Sender);
    void MeasDispBtnClick(TObject* Sender);
    void LCRPagChange(TObject* Sender);

    // Front-panel keys (the front panel's own module defines them).
    void UpBtnClick(TObject* Sender);
    void DownBtnClick(TObject* Sender);
    void LeftBtnClick(TObject* Sender);
    void RightBtnClick(TObject* Sender);
    void ZeroBtnClick(TObject* Sender);
    void OneBtnClick(TObject* Sender);
    void TwoBtnClick(TObject* Sender);
    void ThreeBtnClick(TObject* Sender);
    void FourBtnClick(TObject* Sender);
    void FiveBtnClick(TObject* Sender);
    void SixBtnClick(TObject* Sender);
    void SevenBtnClick(TObject* Sender);
    void EightBtnClick(TObject* Sender);
    void NineBtnClick(TObject* Sender);
    void DotBtnClick(TObject* Sender);
    void PlusMinusLeftBtnClick(TObject* Sender);
    void EscBtnClick(TObject* Sender);
    void EnterBtnClick(TObject* Sender);
    void PowerBtnClick(TObject* Sender);
    void MeasBtnClick(TObject* Sender);
    void SetupbtnClick(TObject* Sender);
    void TrigBtnClick(TObject* Sender);
    void View8BtnClick(TObject* Sender);
    void View1BtnClick(TObject* Sender);
    void View2BtnClick(TObject* Sender);
    void View3BtnClick(TObject* Sender);
    void View4BtnClick(TObject* Sender);
    void View5BtnClick(TObject* Sender);

    // List run and sweep run buttons (the list and sweep modules define them).
    void ListMeasStartBtnClick(TObject* Sender);
    void ListMeasTerminateBtnClick(TObject* Sender);
    void SweepGraphStartBtnClick(TObject* Sender);
    void SweepGraphTerminateBtnClick(TObject* Sender);

    // Sweep graph tab (the sweep graph module defines them).
    void SweepParaBtnClick(TObject* Sender);
    void GraphParaBtnClick(TObject* Sender);
    void SweepGraphOkBtnClick(TObject* Sender);
    void SweepGraphCancelBtnClick(TObject* Sender);
    void SweepGraphTypeGroupClick(TObject* Sender);
    void SweepGraphFunBoxChange(TObject* Sender);
    void SweepGraphMon1BoxChange(TObject* Sender);
    void SweepGraphStartEditExit(TObject* Sender);
    void SweepGraphStartEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void SweepGraphEndEditExit(TObject* Sender);
    void SweepGraphEndEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void SweepGraphPointEditExit(TObject* Sender);
    void SweepGraphPointEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void SweepGraphFreqEditExit(TObject* Sender);
    void SweepGraphFreqEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void SweepGraphLevelEditExit(TObject* Sender);
    void SweepGraphLevelEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void SweepGraphNomEditExit(TObject* Sender);
    void SweepGraphNomEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void SweepGraphNomEditKeyPress(TObject* Sender, char& Key);
    // Shared by the eight colour swatches and by the sixteen limit edits.
    void SetGraphColor1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void GraphLowerLimitEdit1KeyPress(TObject* Sender, char& Key);
    void SetSweepGraphCompareClick(TObject* Sender);
    void SweepGraphSaveBtnClick(TObject* Sender);
    void SweepGraphSaveGraphBtnClick(TObject* Sender);
    void SweepGraphPreviewBtnClick(TObject* Sender);
    void SweepGraphRemoveBtnClick(TObject* Sender);
    // List sweep (the list module defines them and creates its own controls and wiring).
    TOwShadowButton *CopyOkBtn = nullptr, *CopyCancelBtn = nullptr, *ListSetupStepNomOkBtn = nullptr,
        *ListSetupStepNomCancelBtn = nullptr;
    TTimer* ListReplyTimer = nullptr; // gives up a reading that never comes after Terminate
    void CreateListControls();
    void ListSetupGridGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
    void ListSetupGridCanEditCell(TObject* Sender, int ARow, int ACol, bool& CanEdit);
    void ListSetupGridComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const AnsiString& ASelection);
    void ListSetupGridAutoInsertRow(TObject* Sender, int ARow);
    void ListSetupGridAutoAddRow(TObject* Sender, int ARow);
    void ListSetupGridCanDeleteRow(TObject* Sender, int ARow, bool& CanDelete);
    void ListSetupGridAutoDeleteRow(TObject* Sender, int ARow);
    void ListSetupGridSetEditText(TObject* Sender, int ACol, int ARow, const AnsiString& Value);
    void ListSetupGridKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void ListSetupGridClick(TObject* Sender);
    void ListSetupGridExit(TObject* Sender);
    void ListSetupNewBtnClick(TObject* Sender);
    void ListSetupStepNomEditExit(TObject* Sender);
    void ListSetupStepNomEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void ListSetupStepNomOkBtnClick(TObject* Sender);
    void ListSetupStepNomCancelBtnClick(TObject* Sender);
    void MeasListSetupLoopEditExit(TObject* Sender);
    void MeasListSetupLoopEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void ListSetupInsertBtnClick(TObject* Sender);
    void ListSetupCopyBtnClick(TObject* Sender);
    void CopyOkBtnClick(TObject* Sender);
    void CopyCancelBtnClick(TObject* Sender);
    void SetSweepBtnClick(TObject* Sender);
    void SweepOkBtnClick(TObject* Sender);
    void SweepCancelBtnClick(TObject* Sender);
    void SweepTypeGroupClick(TObject* Sender);
    void SweepLevelTypeBoxChange(TObject* Sender);
    void SweepFreqTypeBoxChange(TObject* Sender);
    void SweepFunBoxChange(TObject* Sender);
    void SweepMon1BoxChange(TObject* Sender);
    void SweepFreqEditExit(TObject* Sender);
    void SweepLevelEditExit(TObject* Sender);
    void SweepNomEditExit(TObject* Sender);
    void SweepStartEditExit(TObject* Sender);
    void SweepEndEditExit(TObject* Sender);
    void SweepPointEditExit(TObject* Sender);
    void SweepDesEditExit(TObject* Sender);
    void SweepEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void SweepNomEditKeyPress(TObject* Sender, char& Key);
    void ListSetupGridGetCellColor(TObject* Sender, int ARow, int ACol, unsigned AState, TBrush* ABrush,
        TFont* AFont);
    void ListSetupGridGetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, Ravbase::TVAlignment& VAlign);
    void ListMeasGridGetCellColor(TObject* Sender, int ARow, int ACol, unsigned AState, TBrush* ABrush,
        TFont* AFont);
    void ListMeasGridGridHint(TObject* Sender, int ARow, int ACol, AnsiString& HintStr);
    void ListMeasGridMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ListMeasGridMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ListMeasGridKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void ListMeasResultRemoveBtnClick(TObject* Sender);
    void ListMeasResultSaveBtnClick(TObject* Sender);
    void ListSetupOpenBtnClick(TObject* Sender);
    void ListSetupSaveBtnClick(TObject* Sender);

    // ---- Members ----
    void InitFormState();
    void ReadProgramFileDate();
    void FillCommandExamples();
    bool OpenComPort(int Port);
    void SetComBaudRate(int Index);
    void ShowConnectionStatus();
    void LoadPanelBitmaps();    // front panel module
    void InitGraphParameters(); // sweep graph module

    // ---- Connection and page ----
    bool DecimalComma = false;
    int BaudIndex = 0;         // 1 1200, 2 9600, 3 38400, 4 57600, 5 115200 Bd
    bool Connected = false;
    bool ReplyReady = false;
    AnsiString RxBuffer;
    AnsiString LastCommand;
    bool PowerOn = false;
    bool EnlargeMode = false;
    int PageId = 0;            // 0 none, 1 MEAS, 2 MSET, 3 ENLA, 4 BINM, 5 BSET, 6 BCO, 7 List Meas, 8 List Setup, 9 Sweep Graph

    // ---- Settings model: these seventeen stay together and in this order ----
    int LogRunning = 0;
    int MeasFunction = 0;      // 1-16, 17 automatic LCZ
    int Frequency = 0;         // 0.01 Hz
    int Level = 0;             // 1e-5 V, or the current encoding while LevelIsCurrent
    int SourceRes = 0;         // 1 30 ohm, 2 50 ohm, 3 100 ohm
    int Bias = 0;              // 0.01 V, 0 off
    int AutoLcz = 0;
    int TrigDelay = 0;         // ms
    int AlcOn = 0;
    int RangeCode = 0;         // units digit the range, tens digit 0 fixed, 1 AUTO, 2 NOM, 3 HOLD
    int TrigSource = 0;        // 1 INT, 2 MAN, 3 EXT, 4 BUS
    int Speed = 0;             // 1 SLOW, 2 MED, 3 FAST
    int AverageCount = 0;
    int Monitor1 = 0;          // 0-14
    int Monitor2 = 0;
    Int64 NominalValue = 0;    // 1e-5 of the unit NominalUnit names; 64 bits, as the comparator's values
    int NominalUnit = 0;       // 1-4
    Int64 SavedMeasSetup[17] = {};
    static constexpr int MeasSetupFieldCount = 17;
    // Field n of the block above (LogRunning is 0, NominalUnit 16).
    Int64 MeasSetupField(int n) const;
    void SetMeasSetupField(int n, Int64 v);

    // ---- Front-panel entry ----
    int FunctionKeyPage = 0;
    int FreqStep = 0;
    bool FreqEntryKHz = false;
    int LevelStep = 0;
    bool LevelIsCurrent = false;
    bool LevelEntryMilliVolt = false;
    bool LevelEntryMicroAmp = false;
    bool DelayEntryMs = false;
    int Monitor1KeyPage = 0;
    int Monitor2KeyPage = 0;
    bool DcrLayout = false;
    bool DcrSettlePending = false;
    int EntryUnit = 0;
    int AutoLczFunction = 0;
    bool SingleShot = false;
    int AlcErrorTicks = 0;

    // ---- Comparator ----
    int CompOn = 0;
    int CompMode = 0;          // 1 ABS, 2 PER, 3 SEQ
    int BinNumber = 0;
    int AuxOn = 0;
    int BeepMode = 0;          // 0 OFF, 1 PASS, 2 FAIL
    int OpenLimit = 0;         // 0 OFF, 1 2 %, 2 5 %, 3 10 %, 4 20 %, 5 50 %
    int OpenKeyPage = 0;
    // Rows: 0/1 ABS low/high, 2/3 their units, 4/5 PER low/high, 6/7 SEQ low/high, 8/9 their units;
    // columns 1-9 the bins, 10 the secondary parameter.
    Int64 BinLimits[10][11] = {};
    // 0 counting on, 1-9 bins, 10 AUX, 11 OUT
    int BinCounts[12] = {};

    // ---- List sweep ----
    int ListStepCount = 0;
    int EditedRow = 0;
    int InvalidCellRow = 0;
    int InvalidCellCol = 0;
    bool InvalidCellPending = false;
    bool InputError = false;
    bool EditedColumn[9] = {};        // 1-based
    int StepNominal[1001] = {};       // 1-based, nominal times 10000
    int StepNominalUnit[1001] = {};   // 1-based
    bool ListMeasRunning = false;
    bool RightButtonDown = false;
    AnsiString MeasuredSetupSection; // the list setup of the records in ListMeasGrid

    // ---- Sweep graph ----
    // Addressed by trace number 1 to 8: TraceColor[Trace - 1]; use TraceColorOf.
    int TraceColor[8] = {};
    int& TraceColorOf(int Trace);
    int ComparePass = 0;
    AnsiString SweepValueText[2][4][1001]; // [pass][trace][point]
    bool CompareRowsAdded = false;
    int SweepPointCount = 0;
    bool SweepRunning = false;
    AnsiString TracePrefix[4];

    // ---- Field cursor and keypad ----
    int CursorField = 0;
    int PrevCursorField = 0;
    int PressedSoftKey = 0;
    AnsiString EntryText;
    bool EntryNegative = false;

    // ---- Fetch cycle and tests ----
    AnsiString MeasValueText[5];   // 0 primary, 1 secondary, 2 monitor 1, 3 monitor 2, 4 comparator field
    int FetchStage = 0;            // 1 main values, 2 monitor 1, 3 monitor 2
    int ListStep = 0;
    int ListLoop = 0;
    int ListRecordNo = 0;
    bool TestRunning = false;
    bool TestIdle = false;
    bool SweepIsActiveTest = false;
    int SweepPoint = 0;
    bool DiscardReply = false;
    bool VerifyBusy = false;
    int AlcRetriggers = 0;
    // A list step or sweep point was triggered and its reading has not been taken yet.
    bool TriggeredReadingAwaited = false;
    // Polling ticks that passed while a fetch reply was awaited.
    int TicksWithoutReply = 0;

    // ---- Live log ----
    std::FILE* LiveLogFile = nullptr;
    int LiveLogRecordCount = 0;
    AnsiString LiveLogPath;
    bool LiveLogQuestionOpen = false; // the overwrite question is on the screen

    // ---- Folders and texts ----
    AnsiString BitmapFolder;
    AnsiString LiveLogFolder;
    AnsiString ListSetupFolder;
    AnsiString ListMeasResultFolder;
    AnsiString SweepGraphResultFolder;
    AnsiString ModelName;
    AnsiString SerialNumber;
    AnsiString FirmwareVersion;
    AnsiString ProgramVersionText;
    AnsiString ProgramDateText;
    AnsiString ExeDateTimeText;

    // ---- Streams of the saved files (opened and closed by the one operation that uses each) ----
    std::FILE* ListSetupFile = nullptr;
    std::FILE* ListMeasResultFile = nullptr;
    std::FILE* SweepGraphResultFile = nullptr;

    // ---- Scratch controls found by name while an operation works ----
    TImage* CurViewIma = nullptr;
    TLabel* CurBinSetupBinLab = nullptr;
    TStaticText* CurBinSetupLowLab = nullptr;
    TImage* CurBinSetupLowUnitIma = nullptr;
    TStaticText* CurBinSetupUpLab = nullptr;
    TImage* CurBinSetupUpUnitIma = nullptr;
    TLabel* CurBinCountBinLab = nullptr;
    TStaticText* CurBinCountLowLab = nullptr;
    TImage* CurBinCountLowUnitIma = nullptr;
    TStaticText* CurBinCountUpLab = nullptr;
    TImage* CurBinCountUpUnitIma = nullptr;
    TStaticText* CurBinCountResultLab = nullptr;

    // The four working panels, enabled and disabled together with the connection.
    void SetPagesEnabled(bool Enabled);
    // The instrument went off line: polling and a run in progress stop, the pages go, and
    // then the one warning is shown.
    void InstrumentOffLine();

private:
    bool RunPolled() const;
    void ProcessReply(const AnsiString& Reply);
    void EndOfCycle(bool AlcCheck);
    void AdvanceRun();
    void CreateControls();
    void CreateFrontPanel();
    void CreateBinRows(const AnsiString& Page, TPanel* Parent, TLabel** Bin[], TStaticText** Low[],
        TStaticText** Up[], TImage** LowUnit[], TImage** UpUnit[], TStaticText** Result[]);
    void CreateCommunicationPanel();
    void CreateTerminalStrip();
    void CreateListTabs();
    void CreateListPanels(); // list sweep module
    void CreateSweepGraphTabs(); // sweep graph module
    void WireSweepGraphEvents(); // sweep graph module
    void WireEvents();
    void LoadPowerKeyPicture(const AnsiString& File);
};

extern TLCRForm* LCRForm;
