#pragma once
// The second serial component: an engine and a packet layer on it, the line
// settings as enumerations, and raw bytes or packets by UsePackage.
#include "components/slcomm/Tcommpkg.h"

class TSlCommFrameSettings : public TPersistent {
public:
    explicit TSlCommFrameSettings(CorlanComm32::TCommPackage* Package) : FPackage(Package) {}
    std::uint8_t FrameHead() const { return FPackage->FrameHead(); }
    void SetFrameHead(std::uint8_t Value) { FPackage->SetFrameHead(Value); }
    std::uint8_t FrameTail() const { return FPackage->FrameTail(); }
    void SetFrameTail(std::uint8_t Value) { FPackage->SetFrameTail(Value); }
    std::uint8_t FrameCtrl() const { return FPackage->FrameCtrl(); }
    void SetFrameCtrl(std::uint8_t Value) { FPackage->SetFrameCtrl(Value); }
    CorlanComm32::TCommPackage* Package() const { return FPackage; }

private:
    CorlanComm32::TCommPackage* FPackage;
};

class TSlCustomCommDevice : public TComponent {
public:
    enum TBaudRate : std::uint8_t {
        br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000, br57600,
        br115200, br128000, br256000,
    };
    enum TParity : std::uint8_t { ptNoParity, ptOddParity, ptEvenParity, ptMarkParity, ptSpaceParity };
    enum TStopBits : std::uint8_t { sbOneStopBit, sbOne_5_StopBits, sbTwoStopBit };
    enum TFlowControl : std::uint8_t { fcNone, fcRtsCts, fcXonXoff, fcTranXonXoff, fcRtsCtsXonXoff };

    static std::int32_t BaudRateValue(TBaudRate Rate);

    explicit TSlCustomCommDevice(TComponent* AOwner);
    ~TSlCustomCommDevice() override;

    virtual std::int32_t Read(void* Buffer, std::int32_t Size) { return FComm->Read(Buffer, Size); }
    virtual std::int32_t Write(const void* Buffer, std::int32_t Size) { return FComm->Write(Buffer, Size); }
    virtual std::int32_t Command(const char* Text) { return FComm->Command(Text); }
    // Whether a packet waits (takes nothing: a record needs the caller's size).
    virtual bool ReadPackage(void* Buffer);
    // Always false: a record is queued only with its size.
    virtual bool WritePackage(const void* Buffer);
    virtual std::uint32_t ReadPackage(void* Buffer, std::uint32_t Size) { return FPackage->ReadPackage(Buffer, Size); }
    virtual std::uint32_t WritePackage(const void* Buffer, std::uint32_t Size)
    {
        return FPackage->WritePackage(Buffer, Size);
    }
    virtual void PurgeRead(bool Abort);
    virtual void PurgeWrite(bool Abort);
    virtual bool SettingsDialog(TComponent* AOwner, bool Activate);
    virtual void ResetModem() { FComm->ResetModem(); }
    virtual void InitModem() { FComm->InitModem(); }
    // On this system: SETRTS 3, CLRRTS 4, SETDTR 5, CLRDTR 6, SETBREAK 8,
    // CLRBREAK 9, SETXOFF 1, SETXON 2; 0 when inactive or refused.
    virtual std::uint32_t EscapeCommFunction(std::uint32_t Function);

    std::int32_t PortNo() const { return FComm->PortNo; }
    void SetPortNo(std::int32_t Value);
    TBaudRate Baud() const;
    void SetBaud(TBaudRate Value);
    TParity Parity() const;
    void SetParity(TParity Value);
    std::int32_t ByteSize() const { return FComm->DCB.ByteSize; }
    void SetByteSize(std::int32_t Value);
    TStopBits StopBits() const;
    void SetStopBits(TStopBits Value);
    TFlowControl FlowControl() const;
    void SetFlowControl(TFlowControl Value);
    std::int32_t AutoAnswer() const { return FComm->AutoAnswer; }
    void SetAutoAnswer(std::int32_t Value);
    std::int32_t InBufSize() const { return FComm->InQueue()->BufSize(); }
    void SetInBufSize(std::int32_t Value) { FComm->SetInQueueSize(Value); }
    std::int32_t OutBufSize() const { return FComm->OutQueue()->BufSize(); }
    void SetOutBufSize(std::int32_t Value) { FComm->SetOutQueueSize(Value); }
    std::int32_t HwInSize() const { return FComm->HwInSize; }
    void SetHwInSize(std::int32_t Value);
    std::int32_t HwOutSize() const { return FComm->HwOutSize; }
    void SetHwOutSize(std::int32_t Value);
    std::int32_t QueueSize() const { return static_cast<std::int32_t>(FPackage->QueueSize()); }
    void SetQueueSize(std::int32_t Value) { FPackage->SetQueueSize(static_cast<std::uint32_t>(Value)); }
    std::int32_t PackageSize() const { return static_cast<std::int32_t>(FPackage->PackageSize()); }
    void SetPackageSize(std::int32_t Value) { FPackage->SetPackageSize(static_cast<std::uint32_t>(Value)); }
    CorlanComm32::TCommPackageType PackageType() const { return FPackage->PackageType(); }
    void SetPackageType(CorlanComm32::TCommPackageType Value) { FPackage->SetPackageType(Value); }
    std::int32_t PackageInterval() const { return static_cast<std::int32_t>(FPackage->PackageInterval()); }
    void SetPackageInterval(std::int32_t Value) { FPackage->SetPackageInterval(static_cast<std::uint32_t>(Value)); }
    bool UsePackage() const { return FUsePackage; }
    void SetUsePackage(bool Value);
    TSlCommFrameSettings* FrameSettings() const { return FFrameSettings.get(); }
    void SetFrameSettings(TSlCommFrameSettings* Value) { fSetFrameSettings(Value); }
    void fSetFrameSettings(TSlCommFrameSettings* Value);

    bool Active() const;
    void SetActive(bool Value);
    TSerialDevice* Handle() const { return FComm->Handle; }
    CorlanComm32::TCommQueue* InQueue() const { return FComm->InQueue(); }
    CorlanComm32::TCommQueue* OutQueue() const { return FComm->OutQueue(); }
    bool DisableWrite() const { return FComm->DisableWrite; }
    void SetDisableWrite(bool Value) { FComm->DisableWrite = Value; }
    // 1 CTS, 2 DSR, 4 ring, 8 carrier.
    std::uint32_t ModemStatus() const;

    CorlanComm32::TCommNotifyEvent OnCommNotify;
    CorlanComm32::TCommNotifyEvent OnPackage;
    TNotifyEvent AfterOpen;
    TNotifyEvent BeforeClose;

    virtual void NewCommBusy(TObject* Sender, std::int32_t NotifyType);
    virtual void NewCommNotify(TObject* Sender, std::int32_t NotifyType);
    virtual void NewAfterOpen(TObject* Sender);
    virtual void NewBeforeClose(TObject* Sender);

    CorlanComm32::TComm32* Engine() const { return FComm.get(); }
    CorlanComm32::TCommPackage* Package() const { return FPackage.get(); }

private:
    std::unique_ptr<CorlanComm32::TComm32> FComm;
    std::unique_ptr<CorlanComm32::TCommPackage> FPackage;
    std::unique_ptr<TSlCommFrameSettings> FFrameSettings;
    bool FUsePackage = false;
    std::atomic<bool> FDestroying{false};
};

// The published form.
class TSlCommDevice : public TSlCustomCommDevice {
public:
    explicit TSlCommDevice(TComponent* AOwner) : TSlCustomCommDevice(AOwner) {}
};
