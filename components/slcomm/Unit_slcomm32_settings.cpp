#include "components/slcomm/Unit_slcomm32_settings.h"

#include <cerrno>
#include <cstdlib>

#include "baselib/sl_lang.h"
#include "components/slcomm/Slcomm32.h"
#include "components/slcomm/Slcommdevice.h"
#include "components/slcomm/Unit_slcomm32_about.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Application.h"
#include "platform/forms/Dialogs.h"

using namespace CorlanComm32;

namespace {

const TLangText kTexts[] = {
    {0, "&OK", "确定", "確定"},
    {1, "&Cancel", "取消", "取消"},
    {2, "COM port Setup", "端口设置", "串列埠設置"},
    {3, "COM port", "端口", "串 列 埠"},
    {4, "Baud", "波特率", "傳輸速率"},
    {5, "Parity", "奇偶校验", "奇偶校驗"},
    {6, "Byte Size", "数据位", "資料位元"},
    {7, "Stop Bits", "停止位", "停止位元"},
    {8, "Flow Control", "数据流控", "資料流控"},
    {9, "No parity", "No parity (无)", "No parity (無)"},
    {10, "Odd", "Odd (奇)", "Odd (奇)"},
    {11, "Even", "Even (偶)", "Even (偶)"},
    {12, "Mark", "Mark (标记)", "Mark (標記)"},
    {13, "None", "None (无)", "None (無)"},
    {14, "RTS/CTS", "RTS/CTS (硬件)", "RTS/CTS (硬體)"},
    {15, "Xon/Xoff", "Xon/Xoff (软件)", "Xon/Xoff (軟體)"},
    {16, "RTS/CTS & Xon/Xoff", "RTS/CTS & Xon/Xoff (硬&软)", "RTS/CTS & Xon/Xoff (硬&軟)"},
    {17, "Must select COM Port", "必须选择端口", "必須選擇串列埠"},
    {18, "Must select baud rate", "必须输入/选择波特率", "必須輸入/選擇串列傳輸速率"},
    {19, "Invalid baud rate", "无效的波特率", "無效的串列傳輸速率"},
    {20, "Must select byte size", "必须选择数据位", "必須選擇資料位元"},
    {21, "Must select parity check", "必须选择奇偶校验", "必須選擇奇偶校驗"},
    {22, "Must select stop bits", "必须选择停止位", "必須選擇停止位元"},
    {23, "Must select flow control", "必须选择数据流控制", "必須選擇資料流程控制"},
    {24, "&About", "关于", "關於"},
    {25, "&Default", "默认", "默認"},
    {26, "Port", "端口选项", "埠選項"},
    {27, "Modem", "调制解调器选项", "數據機選項"},
    {28, "Buffer", "缓存容量", "緩存容量"},
    {29, "Auto Answer", "自动应答", "自動回應"},
    {30, "Input Buf.", "输入缓存", "輸入緩存"},
    {31, "Output Buf.", "输出缓存", "輸出緩存"},
    {32, "Auto Answer: 0 - 255", "自动应答必须是 0 - 255 的整数", "自動回應必須是 0 - 255 的整數"},
    {33, "Input Buffer size error", "输入缓存容量错误", "輸入緩存容量錯誤"},
    {34, "Output Buffer size error", "输出缓存容量错误", "輸出緩存容量錯誤"},
    {35, "Space Parity", "Space (空格)", "Space (空白)"},
};

const char* const kRates[] = {"110",   "300",   "600",   "1200",  "2400",   "4800",   "9600",  "14400",
                              "19200", "38400", "56000", "57600", "115200", "128000", "256000"};

// A whole decimal number of the trimmed text, or false.
bool IntOf(const AnsiString& Text, long long& Value)
{
    AnsiString t = Trim(Text);
    if (t.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    Value = std::strtoll(t.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

template <typename T>
T* Make(TWinControl* Parent, TComponent* Owner, int Left, int Top, int Width, int Height)
{
    auto* c = new T(Owner);
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    return c;
}

TLabel* MakeLabel(TWinControl* Parent, TComponent* Owner, int Top)
{
    auto* l = new TLabel(Owner);
    l->SetParent(Parent);
    l->SetLeft(8);
    l->SetTop(Top);
    return l;
}

} // namespace

AnsiString SlcommSettingsText(int Index)
{
    const TLangText* t = FindLangText(kTexts, Index);
    return t ? LangText(*t) : AnsiString();
}

TSlCommSettingsForm::TSlCommSettingsForm(TComponent* AOwner, bool Activate, TComponent* Edited, bool EditableBaud)
    : TForm(AOwner), FEdited(Edited), FActivate(Activate)
{
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(393);
    SetClientHeight(228);
    Font()->SetName(AppLang.FontName());
    Font()->SetCharset(AppLang.Charset());
    Font()->SetSize(AppLang.FontSize());

    GboxBase = Make<TGroupBox>(this, this, 8, 8, 185, 185);
    lbPort = MakeLabel(GboxBase, this, 28);
    lbBaud = MakeLabel(GboxBase, this, 60);
    lbCheck = MakeLabel(GboxBase, this, 92);
    lbBits = MakeLabel(GboxBase, this, 124);
    lbStops = MakeLabel(GboxBase, this, 156);
    CbPort = Make<TComboBox>(GboxBase, this, 64, 24, 105, 21);
    CbPort->SetStyle(csDropDownList);
    TComboBox* baud = Make<TComboBox>(GboxBase, this, 64, 56, 105, 21);
    baud->SetStyle(EditableBaud ? csDropDown : csDropDownList);
    for (const char* r : kRates)
        baud->Items()->Add(r);
    (EditableBaud ? CbBaud : CbSelBaud) = baud;
    CbParity = Make<TComboBox>(GboxBase, this, 64, 88, 105, 21);
    CbByteSize = Make<TComboBox>(GboxBase, this, 64, 120, 105, 21);
    CbStopBits = Make<TComboBox>(GboxBase, this, 64, 152, 105, 21);
    for (const char* b : {"5", "6", "7", "8"})
        CbByteSize->Items()->Add(b);
    for (const char* s : {"1", "1.5", "2"})
        CbStopBits->Items()->Add(s);
    GBoxModem = Make<TGroupBox>(this, this, 200, 8, 185, 89);
    lbFlow = MakeLabel(GBoxModem, this, 28);
    lbAAns = MakeLabel(GBoxModem, this, 60);
    CbFlow = Make<TComboBox>(GBoxModem, this, 64, 24, 105, 21);
    EditAutoAns = Make<TEdit>(GBoxModem, this, 64, 56, 105, 21);
    GBoxBuffer = Make<TGroupBox>(this, this, 200, 104, 185, 89);
    lbInbs = MakeLabel(GBoxBuffer, this, 24);
    lbOutbs = MakeLabel(GBoxBuffer, this, 56);
    EditInBufSize = Make<TEdit>(GBoxBuffer, this, 64, 20, 105, 21);
    EditOutBufSize = Make<TEdit>(GBoxBuffer, this, 64, 52, 105, 21);
    for (TComboBox* c : {CbParity, CbByteSize, CbStopBits, CbFlow})
        c->SetStyle(csDropDownList);
    BnAbout = Make<TButton>(this, this, 8, 200, 75, 25);
    BnDefault = Make<TButton>(this, this, 152, 200, 75, 25);
    BnOK = Make<TButton>(this, this, 232, 200, 75, 25);
    BnCancel = Make<TButton>(this, this, 312, 200, 75, 25);
    BnOK->SetDefault(true);
    BnCancel->SetCancel(true);
    for (TButton* b : {BnAbout, BnDefault, BnOK, BnCancel})
        b->SetCursor(crHandPoint);
    BnOK->OnClick = [this](TObject* s) { BnOKClick(s); };
    BnCancel->OnClick = [this](TObject* s) { BnCancelClick(s); };
    BnDefault->OnClick = [this](TObject* s) { BnDefaultClick(s); };
    BnAbout->OnClick = [this](TObject* s) { BnAboutClick(s); };
}

void TSlCommSettingsForm::Setup()
{
    auto T = SlcommSettingsText;
    SetCaption(T(2));
    GboxBase->SetCaption(T(26));
    GBoxModem->SetCaption(T(27));
    GBoxBuffer->SetCaption(T(28));
    BnAbout->SetCaption(T(24));
    BnDefault->SetCaption(T(25));
    BnOK->SetCaption(T(0));
    BnCancel->SetCaption(T(1));
    lbPort->SetCaption(T(3));
    lbBaud->SetCaption(T(4));
    lbCheck->SetCaption(T(5));
    lbBits->SetCaption(T(6));
    lbStops->SetCaption(T(7));
    lbFlow->SetCaption(T(8));
    lbAAns->SetCaption(T(29));
    lbInbs->SetCaption(T(30));
    lbOutbs->SetCaption(T(31));

    TCommSerialPortInfo ports;
    CbPort->Items()->Assign(ports.Ports.get());
    for (int i : {9, 10, 11, 12, 35})
        CbParity->Items()->Add(T(i));
    for (int i : {13, 14, 15, 16})
        CbFlow->Items()->Add(T(i));

    if (!FEdited->ComponentStateHas(csDesigning)) {
        BnAbout->SetVisible(false);
        BnDefault->SetVisible(false);
        BnOK->SetLeft((ClientWidth() - BnOK->Width()) / 2 - 60);
        BnCancel->SetLeft((ClientWidth() - BnCancel->Width()) / 2 + 60);
    }

    FFound = ReadSettings();
    const TSlCommDialogSettings& s = FFound;
    CbPort->SetItemIndex(CbPort->Items()->IndexOf(TCommSerialPortInfo::PortName(s.PortNo)));
    if (CbBaud)
        CbBaud->SetText(std::to_string(s.Baud));
    else
        CbSelBaud->SetItemIndex(s.Baud);
    CbByteSize->SetItemIndex(s.ByteSize - 5);
    CbParity->SetItemIndex(s.Parity >= 0 && s.Parity <= 4 ? s.Parity : -1);
    CbStopBits->SetItemIndex(s.StopBits >= 0 && s.StopBits <= 2 ? s.StopBits : -1);
    CbFlow->SetItemIndex(FlowItemOf(s.FlowValue));
    EditAutoAns->SetText(std::to_string(s.AutoAnswer));
    EditInBufSize->SetText(std::to_string(s.InBufSize));
    EditOutBufSize->SetText(std::to_string(s.OutBufSize));
}

bool TSlCommSettingsForm::SelectNextField()
{
    TWinControl* order[] = {CbPort, BaudField(), CbParity, CbByteSize, CbStopBits, CbFlow, EditAutoAns,
                            EditInBufSize, EditOutBufSize};
    TWinControl* at = ActiveControl();
    for (int i = 0; i < 8; ++i) {
        if (order[i] == at) {
            FocusControl(order[i + 1]);
            return true;
        }
    }
    return false;
}

bool TSlCommSettingsForm::Fail(TWinControl* Field, int Text)
{
    FocusControl(Field);
    Application->MessageBox(SlcommSettingsText(Text), Caption(), MB_ICONERROR);
    return false;
}

void TSlCommSettingsForm::BnOKClick(TObject*)
{
    if (SelectNextField())
        return;
    TSlCommDialogSettings s = FFound;
    if (CbPort->ItemIndex() < 0)
        return void(Fail(CbPort, 17));
    s.PortNo = TCommSerialPortInfo::PortNo(CbPort->Items()->Strings(CbPort->ItemIndex()));
    if (CbBaud) {
        long long baud = 0;
        if (Trim(CbBaud->Text()).empty())
            return void(Fail(CbBaud, 18));
        // A rate of zero or below is no rate: refused like a text that is no number.
        if (!IntOf(CbBaud->Text(), baud) || baud <= 0 || baud > 0x7FFFFFFF)
            return void(Fail(CbBaud, 19));
        s.Baud = static_cast<int>(baud);
    } else {
        if (CbSelBaud->ItemIndex() < 0)
            return void(Fail(CbSelBaud, 18));
        s.Baud = CbSelBaud->ItemIndex();
    }
    if (CbByteSize->ItemIndex() < 0)
        return void(Fail(CbByteSize, 20));
    s.ByteSize = CbByteSize->ItemIndex() + 5;
    if (CbParity->ItemIndex() < 0 || CbParity->ItemIndex() > 4)
        return void(Fail(CbParity, 21));
    s.Parity = CbParity->ItemIndex();
    if (CbStopBits->ItemIndex() < 0 || CbStopBits->ItemIndex() > 2)
        return void(Fail(CbStopBits, 22));
    s.StopBits = CbStopBits->ItemIndex();
    if (CbFlow->ItemIndex() < 0 || CbFlow->ItemIndex() > 3)
        return void(Fail(CbFlow, 23));
    s.FlowItem = CbFlow->ItemIndex();
    s.FlowValue = FlowValueOf(s.FlowItem);
    long long v = 0;
    if (!IntOf(EditAutoAns->Text(), v) || v < 0 || v > 255)
        return void(Fail(EditAutoAns, 32));
    s.AutoAnswer = static_cast<int>(v);
    if (!IntOf(EditInBufSize->Text(), v) || v < 4096 || v > 0x7FFFFFFF)
        return void(Fail(EditInBufSize, 33));
    s.InBufSize = static_cast<int>(v);
    if (!IntOf(EditOutBufSize->Text(), v) || v < 4096 || v > 0x7FFFFFFF)
        return void(Fail(EditOutBufSize, 34));
    s.OutBufSize = static_cast<int>(v);
    s.Active = FFound.Active || FActivate;
    try {
        ApplySettings(s);
        SetModalResult(mrOk);
    } catch (const Exception& e) {
        try {
            ApplySettings(FFound);
        } catch (...) {
            // Putting the old settings back is all that can be done.
        }
        FocusControl(CbPort);
        ShowMessageBox(e.Message(), Caption(), MB_ICONERROR);
    }
}

void TSlCommSettingsForm::BnDefaultClick(TObject*)
{
    if (CbBaud)
        CbBaud->SetText("115200");
    else
        CbSelBaud->SetItemIndex(12);
    CbParity->SetItemIndex(0);
    CbByteSize->SetItemIndex(3);
    CbStopBits->SetItemIndex(0);
    CbFlow->SetItemIndex(0);
    EditAutoAns->SetText("0");
    EditInBufSize->SetText("8192");
    EditOutBufSize->SetText("8192");
}

void TSlCommSettingsForm::BnCancelClick(TObject*) { SetModalResult(mrCancel); }

void TSlCommSettingsForm::BnAboutClick(TObject*)
{
    TForm_SLComm32_About about(this, FEdited->ClassName());
    about.ShowModal();
}

TForm_SLComm32_Settings::TForm_SLComm32_Settings(TComponent* AOwner, bool Activate, TSLComm32* Comm)
    : TSlCommSettingsForm(AOwner, Activate, Comm, true), FComm(Comm)
{
    Setup();
}

TSlCommDialogSettings TForm_SLComm32_Settings::ReadSettings() const
{
    TSlCommDialogSettings s;
    s.Active = FComm->Active();
    s.PortNo = FComm->PortNo();
    s.Baud = FComm->Baud();
    s.ByteSize = FComm->ByteSize();
    s.Parity = FComm->Parity();
    s.StopBits = FComm->StopBits();
    s.FlowValue = FComm->FlowControl();
    s.AutoAnswer = FComm->AutoAnswer();
    s.InBufSize = FComm->InBufSize();
    s.OutBufSize = FComm->OutBufSize();
    return s;
}

void TForm_SLComm32_Settings::ApplySettings(const TSlCommDialogSettings& S)
{
    FComm->SetPortNo(S.PortNo);
    FComm->SetBaud(S.Baud);
    FComm->SetParity(static_cast<std::uint8_t>(S.Parity));
    FComm->SetByteSize(static_cast<std::uint8_t>(S.ByteSize));
    FComm->SetStopBits(static_cast<std::uint8_t>(S.StopBits));
    FComm->SetFlowControl(static_cast<TComm32::TFlowControl>(S.FlowValue));
    FComm->SetAutoAnswer(static_cast<std::uint8_t>(S.AutoAnswer));
    FComm->SetInBufSize(S.InBufSize);
    FComm->SetOutBufSize(S.OutBufSize);
    FComm->SetActive(S.Active);
}

int TForm_SLComm32_Settings::FlowItemOf(int Value) const
{
    return Value == 3 ? 1 : (Value == 4 || Value == 5) ? 2 : Value == 6 ? 3 : 0;
}

int TForm_SLComm32_Settings::FlowValueOf(int Item) const
{
    static const int values[] = {0, 3, 4, 6};
    return values[Item];
}

TForm_SlCommDevice_Settings::TForm_SlCommDevice_Settings(TComponent* AOwner, bool Activate,
                                                         TSlCustomCommDevice* Device)
    : TSlCommSettingsForm(AOwner, Activate, Device, false), FDevice(Device)
{
    Setup();
}

TSlCommDialogSettings TForm_SlCommDevice_Settings::ReadSettings() const
{
    TSlCommDialogSettings s;
    s.Active = FDevice->Active();
    s.PortNo = FDevice->PortNo();
    s.Baud = FDevice->Baud();
    s.ByteSize = FDevice->ByteSize();
    s.Parity = FDevice->Parity();
    s.StopBits = FDevice->StopBits();
    s.FlowValue = FDevice->FlowControl();
    s.AutoAnswer = FDevice->AutoAnswer();
    s.InBufSize = FDevice->InBufSize();
    s.OutBufSize = FDevice->OutBufSize();
    return s;
}

void TForm_SlCommDevice_Settings::ApplySettings(const TSlCommDialogSettings& S)
{
    FDevice->SetPortNo(S.PortNo);
    FDevice->SetBaud(static_cast<TSlCustomCommDevice::TBaudRate>(S.Baud));
    FDevice->SetParity(static_cast<TSlCustomCommDevice::TParity>(S.Parity));
    FDevice->SetByteSize(S.ByteSize);
    FDevice->SetStopBits(static_cast<TSlCustomCommDevice::TStopBits>(S.StopBits));
    FDevice->SetFlowControl(static_cast<TSlCustomCommDevice::TFlowControl>(S.FlowValue));
    FDevice->SetAutoAnswer(S.AutoAnswer);
    FDevice->SetInBufSize(S.InBufSize);
    FDevice->SetOutBufSize(S.OutBufSize);
    FDevice->SetActive(S.Active);
}

int TForm_SlCommDevice_Settings::FlowItemOf(int Value) const
{
    using D = TSlCustomCommDevice;
    return Value == D::fcRtsCts                                    ? 1
           : (Value == D::fcXonXoff || Value == D::fcTranXonXoff) ? 2
           : Value == D::fcRtsCtsXonXoff                          ? 3
                                                                   : 0;
}

int TForm_SlCommDevice_Settings::FlowValueOf(int Item) const
{
    using D = TSlCustomCommDevice;
    static const int values[] = {D::fcNone, D::fcRtsCts, D::fcXonXoff, D::fcRtsCtsXonXoff};
    return values[Item];
}
