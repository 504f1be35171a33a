#include "main/Lcr.h"

#include "platform/forms/StatusBar.h"

TLCRForm* LCRForm = nullptr;

TLCRForm::TLCRForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName("LCRForm");
    SetCaption("Zorvane Series");
    SetBorderIcons(biSystemMenu | biMinimize);
    SetScaled(false);
    SetBounds(0, 0, 1101, 621);

    StatusBar = new TStatusBar(this);
    StatusBar->SetName("StatusBar");
    StatusBar->SetParent(this);
    StatusBar->SetSimplePanel(true);
}

TLCRForm::~TLCRForm() = default;

Int64 TLCRForm::MeasSetupField(int n) const
{
    const int* const fields[MeasSetupFieldCount] = {&LogRunning, &MeasFunction, &Frequency, &Level, &SourceRes, &Bias,
        &AutoLcz, &TrigDelay, &AlcOn, &RangeCode, &TrigSource, &Speed, &AverageCount, &Monitor1, &Monitor2,
        nullptr, &NominalUnit};
    return fields[n] ? *fields[n] : NominalValue;
}

int& TLCRForm::TraceColorOf(int Trace)
{
    return TraceColor[Trace - 1];
}

void TLCRForm::FormCloseQuery(TObject*, bool&) {}
void TLCRForm::About1Click(TObject*) {}
void TLCRForm::Setting1Click(TObject*) {}
void TLCRForm::ComtOkBtnClick(TObject*) {}
void TLCRForm::ComCancelBtnClick(TObject*) {}
void TLCRForm::SetComPortKeyDown(TObject*, Word&, TShiftState) {}
void TLCRForm::LCRTimerTimer(TObject*) {}
void TLCRForm::LCRComRxChar(TObject*, int) {}
void TLCRForm::LCRComDsr(TObject*) {}
void TLCRForm::StepTimerTimer(TObject*) {}
void TLCRForm::ALCTimerTimer(TObject*) {}
void TLCRForm::btnSendClick(TObject*) {}
void TLCRForm::btnReceiveClick(TObject*) {}
void TLCRForm::SendClearBtnClick(TObject*) {}
void TLCRForm::MeasDispBtnClick(TObject*) {}
void TLCRForm::LCRPagChange(TObject*) {}
void TLCRForm::InitFormState() {}
void TLCRForm::ReadProgramFileDate() {}
void TLCRForm::FillCommandExamples() {}
bool TLCRForm::OpenComPort(int) { return false; }
void TLCRForm::SetComBaudRate(int) {}
void TLCRForm::ShowConnectionStatus() {}
void TLCRForm::CreateControls() {}
void TLCRForm::LayoutFrontPanel() {}
