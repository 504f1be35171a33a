#pragma once
// A non-visual component around one TComm32: the engine's settings as
// properties, its operations, its three callbacks raised with the component
// as Sender, and a modal settings dialog. Setters of line settings close the
// port; the new value applies at the next opening.
#include "components/slcomm/Tcomm32.h"

class TSLComm32 : public TComponent {
public:
    explicit TSLComm32(TComponent* AOwner);
    ~TSLComm32() override;

    virtual std::int32_t Read(void* Buffer, std::int32_t Size) { return FComm->Read(Buffer, Size); }
    virtual std::int32_t Write(const void* Buffer, std::int32_t Size) { return FComm->Write(Buffer, Size); }
    virtual std::int32_t Command(const char* Text) { return FComm->Command(Text); }
    virtual void PurgeRead(bool Abort) { FComm->PurgeRead(Abort); }
    virtual void PurgeWrite(bool Abort) { FComm->PurgeWrite(Abort); }
    // True when the dialog closed with OK; Activate opens the port after OK even if it was closed.
    virtual bool SettingsDialog(TComponent* AOwner, bool Activate);
    virtual void ResetModem() { FComm->ResetModem(); }
    virtual void InitModem() { FComm->InitModem(); }

    std::int32_t PortNo() const { return FComm->PortNo; }
    void SetPortNo(std::int32_t Value);
    std::int32_t Baud() const { return FComm->DCB.BaudRate; }
    void SetBaud(std::int32_t Value);
    std::uint8_t Parity() const { return FComm->DCB.Parity; }
    void SetParity(std::uint8_t Value);
    std::uint8_t ByteSize() const { return FComm->DCB.ByteSize; }
    void SetByteSize(std::uint8_t Value);
    std::uint8_t StopBits() const { return FComm->DCB.StopBits; }
    void SetStopBits(std::uint8_t Value);
    CorlanComm32::TComm32::TFlowControl FlowControl() const { return FComm->fGetFCtrl(); }
    void SetFlowControl(CorlanComm32::TComm32::TFlowControl Value) { FComm->fSetFCtrl(Value); }
    std::uint8_t AutoAnswer() const { return FComm->AutoAnswer; }
    void SetAutoAnswer(std::uint8_t Value) { FComm->AutoAnswer = Value; }
    std::int32_t InBufSize() const { return FComm->InQueue()->BufSize(); }
    void SetInBufSize(std::int32_t Value) { FComm->SetInQueueSize(Value); }
    std::int32_t OutBufSize() const { return FComm->OutQueue()->BufSize(); }
    void SetOutBufSize(std::int32_t Value) { FComm->SetOutQueueSize(Value); }
    std::int32_t HwInSize() const { return FComm->HwInSize; }
    void SetHwInSize(std::int32_t Value);
    std::int32_t HwOutSize() const { return FComm->HwOutSize; }
    void SetHwOutSize(std::int32_t Value);

    bool Active() const { return FComm->Active(); }
    void SetActive(bool Value);
    TSerialDevice* Handle() const { return FComm->Handle; }
    CorlanComm32::TCommQueue* InQueue() const { return FComm->InQueue(); }
    CorlanComm32::TCommQueue* OutQueue() const { return FComm->OutQueue(); }
    std::uint32_t ModemStatus() const { return FComm->ModemStatus(); }
    bool DisableWrite() const { return FComm->DisableWrite; }
    void SetDisableWrite(bool Value) { FComm->DisableWrite = Value; }

    CorlanComm32::TCommNotifyEvent OnCommNotify;
    TNotifyEvent AfterOpen;
    TNotifyEvent BeforeClose;

    virtual void NewCommBusy(TObject* Sender, std::int32_t NotifyType);
    virtual void NewAfterOpen(TObject* Sender);
    virtual void NewBeforeClose(TObject* Sender);

    CorlanComm32::TComm32* Engine() const { return FComm.get(); }

private:
    std::unique_ptr<CorlanComm32::TComm32> FComm;
    std::atomic<bool> FDestroying{false};
};
