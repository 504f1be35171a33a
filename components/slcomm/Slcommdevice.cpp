#include "components/slcomm/Slcommdevice.h"

#include <algorithm>

#include "components/slcomm/Unit_slcomm32_settings.h"
#include "platform/serial/SerialDevice.h"

using namespace CorlanComm32;

namespace {

const std::int32_t kRates[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                               19200, 38400, 56000, 57600, 115200, 128000, 256000};

} // namespace

std::int32_t TSlCustomCommDevice::BaudRateValue(TBaudRate Rate)
{
    return Rate <= br256000 ? kRates[Rate] : 115200;
}

TSlCustomCommDevice::TSlCustomCommDevice(TComponent* AOwner) : TComponent(AOwner), FComm(std::make_unique<TComm32>())
{
    FComm->OnCommNotify = [this](TObject* Sender, std::int32_t n) { NewCommBusy(Sender, n); };
    FComm->AfterOpen = [this](TObject* Sender) { NewAfterOpen(Sender); };
    FComm->BeforeClose = [this](TObject* Sender) { NewBeforeClose(Sender); };
    FPackage = std::make_unique<TCommPackage>(FComm.get());
    FPackage->OnPackage = [this](TObject* Sender, std::int32_t n) { NewCommNotify(Sender, n); };
    FFrameSettings = std::make_unique<TSlCommFrameSettings>(FPackage.get());
}

TSlCustomCommDevice::~TSlCustomCommDevice()
{
    // The port closes before the callbacks go, so no worker calls into a
    // half-destroyed device; its events are no longer raised.
    FDestroying = true;
    FPackage->SetActive(false);
    try {
        FComm->Close();
    } catch (const Exception&) {
    }
    FPackage->OnPackage = nullptr;
    FFrameSettings.reset();
    FPackage.reset();
    FComm->OnCommNotify = nullptr;
    FComm->AfterOpen = nullptr;
    FComm->BeforeClose = nullptr;
}

bool TSlCustomCommDevice::ReadPackage(void* Buffer) { return FPackage->ReadPackage(Buffer, 0) != 0; }

bool TSlCustomCommDevice::WritePackage(const void* Buffer) { return FPackage->WritePackage(Buffer, 0) != 0; }

void TSlCustomCommDevice::PurgeRead(bool Abort)
{
    if (FUsePackage)
        FPackage->PurgeRead();
    else
        FComm->PurgeRead(Abort);
}

void TSlCustomCommDevice::PurgeWrite(bool Abort)
{
    if (FUsePackage)
        FPackage->PurgeWrite();
    else
        FComm->PurgeWrite(Abort);
}

bool TSlCustomCommDevice::SettingsDialog(TComponent* AOwner, bool Activate)
{
    TForm_SlCommDevice_Settings dialog(AOwner, Activate, this);
    return dialog.ShowModal() == 1;
}

std::uint32_t TSlCustomCommDevice::EscapeCommFunction(std::uint32_t Function)
{
    TSerialDevice* d = FComm->Handle;
    if (!FComm->Active() || !d)
        return 0;
    bool ok = false;
    switch (Function) {
    case 1: ok = d->SetXoffHold(true); break;
    case 2: ok = d->SetXoffHold(false); break;
    case 3: ok = d->SetRts(true); break;
    case 4: ok = d->SetRts(false); break;
    case 5: ok = d->SetDtr(true); break;
    case 6: ok = d->SetDtr(false); break;
    case 8: ok = d->SetBreak(true); break;
    case 9: ok = d->SetBreak(false); break;
    default: ok = false; break;
    }
    return ok ? 1 : 0;
}

void TSlCustomCommDevice::SetPortNo(std::int32_t Value)
{
    FComm->Close();
    FComm->SetPortNo(Value);
    FComm->ExternalHandle = false;
}

TSlCustomCommDevice::TBaudRate TSlCustomCommDevice::Baud() const
{
    auto it = std::find(std::begin(kRates), std::end(kRates), FComm->DCB.BaudRate);
    return it == std::end(kRates) ? br115200 : static_cast<TBaudRate>(it - std::begin(kRates));
}

void TSlCustomCommDevice::SetBaud(TBaudRate Value)
{
    FComm->Close();
    FComm->DCB.BaudRate = BaudRateValue(Value);
}

TSlCustomCommDevice::TParity TSlCustomCommDevice::Parity() const
{
    return FComm->DCB.Parity <= 4 ? static_cast<TParity>(FComm->DCB.Parity) : ptNoParity;
}

void TSlCustomCommDevice::SetParity(TParity Value)
{
    FComm->Close();
    FComm->DCB.Parity = Value <= ptSpaceParity ? Value : 0;
}

void TSlCustomCommDevice::SetByteSize(std::int32_t Value)
{
    FComm->Close();
    FComm->DCB.ByteSize = static_cast<std::uint8_t>(std::clamp(Value, 0, 255));
}

TSlCustomCommDevice::TStopBits TSlCustomCommDevice::StopBits() const
{
    return FComm->DCB.StopBits <= 2 ? static_cast<TStopBits>(FComm->DCB.StopBits) : sbOneStopBit;
}

void TSlCustomCommDevice::SetStopBits(TStopBits Value)
{
    FComm->Close();
    FComm->DCB.StopBits = Value <= sbTwoStopBit ? Value : 0;
}

TSlCustomCommDevice::TFlowControl TSlCustomCommDevice::FlowControl() const
{
    switch (FComm->fGetFCtrl()) {
    case TComm32::fcRtsCts: return fcRtsCts;
    case TComm32::fcXonXoff: return fcXonXoff;
    case TComm32::fcTranXonXoff: return fcTranXonXoff;
    case TComm32::fcRtsCtsXonXoff: return fcRtsCtsXonXoff;
    default: return fcNone;
    }
}

void TSlCustomCommDevice::SetFlowControl(TFlowControl Value)
{
    static const TComm32::TFlowControl map[] = {TComm32::fcNone, TComm32::fcRtsCts, TComm32::fcXonXoff,
                                                TComm32::fcTranXonXoff, TComm32::fcRtsCtsXonXoff};
    FComm->fSetFCtrl(Value <= fcRtsCtsXonXoff ? map[Value] : TComm32::fcNone);
}

void TSlCustomCommDevice::SetAutoAnswer(std::int32_t Value)
{
    FComm->AutoAnswer = static_cast<std::uint8_t>(std::clamp(Value, 0, 255));
}

void TSlCustomCommDevice::SetHwInSize(std::int32_t Value)
{
    FComm->Close();
    FComm->HwInSize = Value;
}

void TSlCustomCommDevice::SetHwOutSize(std::int32_t Value)
{
    FComm->Close();
    FComm->HwOutSize = Value;
}

void TSlCustomCommDevice::SetUsePackage(bool Value)
{
    bool active = Active();
    FUsePackage = Value;
    SetActive(active);
}

void TSlCustomCommDevice::fSetFrameSettings(TSlCommFrameSettings* Value)
{
    if (!Value)
        return;
    FPackage->SetFrameHead(Value->FrameHead());
    FPackage->SetFrameTail(Value->FrameTail());
    FPackage->SetFrameCtrl(Value->FrameCtrl());
}

bool TSlCustomCommDevice::Active() const
{
    return FUsePackage ? FPackage->Active() && FComm->Active() : FComm->Active();
}

void TSlCustomCommDevice::SetActive(bool Value)
{
    if (Value != FComm->Active()) {
        if (Value)
            FComm->Open();
        else
            FComm->Close();
    }
    bool wanted = FUsePackage && Value;
    if (wanted != FPackage->Active())
        FPackage->SetActive(wanted);
}

std::uint32_t TSlCustomCommDevice::ModemStatus() const
{
    std::uint32_t m = FComm->ModemStatus();
    return ((m & 0x10) ? 1 : 0) | ((m & 0x20) ? 2 : 0) | ((m & 0x40) ? 4 : 0) | ((m & 0x80) ? 8 : 0);
}

void TSlCustomCommDevice::NewCommBusy(TObject*, std::int32_t NotifyType)
{
    if (OnCommNotify && !FDestroying)
        OnCommNotify(this, NotifyType);
}

void TSlCustomCommDevice::NewCommNotify(TObject*, std::int32_t NotifyType)
{
    if (OnPackage && !FDestroying)
        OnPackage(this, NotifyType);
}

void TSlCustomCommDevice::NewAfterOpen(TObject*)
{
    if (AfterOpen && !FDestroying)
        AfterOpen(this);
}

void TSlCustomCommDevice::NewBeforeClose(TObject*)
{
    if (BeforeClose && !FDestroying)
        BeforeClose(this);
}
