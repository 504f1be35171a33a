#include "components/slcomm/Slcomm32.h"

#include "components/slcomm/Unit_slcomm32_settings.h"

using namespace CorlanComm32;

TSLComm32::TSLComm32(TComponent* AOwner) : TComponent(AOwner), FComm(std::make_unique<TComm32>())
{
    FComm->OnCommNotify = [this](TObject* Sender, std::int32_t n) { NewCommBusy(Sender, n); };
    FComm->AfterOpen = [this](TObject* Sender) { NewAfterOpen(Sender); };
    FComm->BeforeClose = [this](TObject* Sender) { NewBeforeClose(Sender); };
}

TSLComm32::~TSLComm32()
{
    // Closed first, so no worker still calls back while the callbacks go;
    // the events of a component being destroyed are not raised.
    FDestroying = true;
    try {
        FComm->Close();
    } catch (const Exception&) {
    }
    FComm->OnCommNotify = nullptr;
    FComm->AfterOpen = nullptr;
    FComm->BeforeClose = nullptr;
}

void TSLComm32::SetPortNo(std::int32_t Value)
{
    FComm->Close();
    FComm->SetPortNo(Value);
    FComm->ExternalHandle = false;
}

void TSLComm32::SetBaud(std::int32_t Value)
{
    FComm->Close();
    FComm->DCB.BaudRate = Value;
}

void TSLComm32::SetParity(std::uint8_t Value)
{
    FComm->Close();
    FComm->DCB.Parity = Value;
}

void TSLComm32::SetByteSize(std::uint8_t Value)
{
    FComm->Close();
    FComm->DCB.ByteSize = Value;
}

void TSLComm32::SetStopBits(std::uint8_t Value)
{
    FComm->Close();
    FComm->DCB.StopBits = Value;
}

void TSLComm32::SetHwInSize(std::int32_t Value)
{
    FComm->Close();
    FComm->HwInSize = Value;
}

void TSLComm32::SetHwOutSize(std::int32_t Value)
{
    FComm->Close();
    FComm->HwOutSize = Value;
}

void TSLComm32::SetActive(bool Value)
{
    if (Value)
        FComm->Open();
    else
        FComm->Close();
}

bool TSLComm32::SettingsDialog(TComponent* AOwner, bool Activate)
{
    TForm_SLComm32_Settings dialog(AOwner, Activate, this);
    return dialog.ShowModal() == 1;
}

void TSLComm32::NewCommBusy(TObject*, std::int32_t NotifyType)
{
    if (OnCommNotify && !FDestroying)
        OnCommNotify(this, NotifyType);
}

void TSLComm32::NewAfterOpen(TObject*)
{
    if (AfterOpen && !FDestroying)
        AfterOpen(this);
}

void TSLComm32::NewBeforeClose(TObject*)
{
    if (BeforeClose && !FDestroying)
        BeforeClose(this);
}
