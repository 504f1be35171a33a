// TSerCustomComm: construction, properties and line settings.
#include "components/comm/Sercomm.h"
#include "platform/core/Format.h"

#include "components/comm/Serconst.h"
#include "components/comm/SercommClients.h"
#include "components/comm/SercommThreads.h"
#include "components/comm/Serdisplay.h"
#include "platform/serial/SerialDevice.h"

TSerCustomComm::TSerCustomComm(TComponent* AOwner)
    : TSerComponent(AOwner), FBuffers(std::make_unique<TSerBuffers>()),
      FFlowControl(std::make_unique<TSerFlowControl>()), FEventChars(std::make_unique<TSerEventChars>())
{
    FBuffers->OnChange = [this](TObject* Sender) { BuffersChanged(Sender); };
    FEventChars->OnChange = [this](TObject* Sender) { EventCharsChanged(Sender); };
    FFlowControl->OnChange = [this](TObject* Sender) { FlowControlChanged(Sender); };
}

TSerCustomComm::~TSerCustomComm()
{
    SetComponentStateFlag(csDestroying, true);
    try {
        Close();
    } catch (...) {
        // OnClose is not fired while destroying; nothing else raises here.
    }
    JoinFinishedThreads();
    DestroyClients();
    if (FDisplay)
        FDisplay->RemoveFreeNotification(this);
}

void TSerCustomComm::Loaded()
{
    TSerComponent::Loaded();
    if (FAutoOpen && !ComponentStateHas(csDesigning))
        Open();
}

void TSerCustomComm::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == TOperation::opRemove && FDisplay && AComponent == static_cast<TComponent*>(FDisplay))
        FDisplay = nullptr;
    TSerComponent::Notification(AComponent, Operation);
}

// ------------------------------------------------------------------ errors

namespace {

// The message with the error's code and text in its "(%d), %s" (a name it
// carries had its own '%' doubled).
AnsiString FormatError(const AnsiString& Msg, int Code, const AnsiString& Text) { return Format(Msg, Code, Text); }

} // namespace

void TSerCustomComm::Error(const AnsiString& Msg)
{
    const int code = FLastError;
    throw ESerCommError(FormatError(Msg, code, SerialErrorText(code)));
}

void TSerCustomComm::Watch(bool Condition, const AnsiString& Msg)
{
    if (!Condition)
        Error(Msg);
}

void TSerCustomComm::CheckOpen()
{
    if (Active())
        Error(sPortOpen);
}

bool TSerCustomComm::Platform(bool Ok)
{
    if (!Ok && FHandle)
        FLastError = FHandle->LastError();
    return Ok;
}

// -------------------------------------------------------------- properties

void TSerCustomComm::SetBaudrate(TSerBaudrate v)
{
    if (v == FBaudrate)
        return;
    FBaudrate = v;
    if (v != brUser)
        FUserBaudrate = 0;
    SetDCB();
}

void TSerCustomComm::SetUserBaudrate(int v)
{
    if (v == FUserBaudrate)
        return;
    FUserBaudrate = v;
    FBaudrate = brUser;
    SetDCB();
}

void TSerCustomComm::SetParity(TSerParity v)
{
    if (v == FParity)
        return;
    FParity = v;
    SetDCB();
}

void TSerCustomComm::SetDatabits(TSerDatabits v)
{
    if (v == FDatabits)
        return;
    FDatabits = v;
    SetDCB();
}

void TSerCustomComm::SetStopbits(TSerStopbits v)
{
    if (v == FStopbits)
        return;
    FStopbits = v;
    SetDCB();
}

void TSerCustomComm::SetOptions(TSerCommOptions v)
{
    if (v == FOptions)
        return;
    FOptions = v;
    SetDCB();
}

void TSerCustomComm::SetPortNum(TSerPortInt v)
{
    CheckOpen();
    FPortNum = v;
}

void TSerCustomComm::SetDeviceName(const AnsiString& v)
{
    CheckOpen();
    FDeviceName = v;
}

void TSerCustomComm::SetMonitorEvents(TSerCommEvents v)
{
    CheckOpen();
    FMonitorEvents = v;
}

void TSerCustomComm::SetBuffers(TSerBuffers* v)
{
    CheckOpen();
    FBuffers->Assign(v);
}

void TSerCustomComm::SetEventPriority(TThreadPriority v)
{
    if (v == FEventPriority)
        return;
    FEventPriority = v;
    if (FEventThread)
        FEventThread->SetPriority(v);
}

void TSerCustomComm::SetWritePriority(TThreadPriority v)
{
    if (v == FWritePriority)
        return;
    FWritePriority = v;
    if (FWriteThread)
        FWriteThread->SetPriority(v);
}

void TSerCustomComm::SetDirectWrite(bool v)
{
    CheckOpen();
    FDirectWrite = v;
}

void TSerCustomComm::SetUpdateDCB(bool v)
{
    CheckOpen();
    FUpdateDCB = v;
}

void TSerCustomComm::SetDisplay(TSerDisplay* v)
{
    if (FDisplay && FDisplay != v)
        FDisplay->RemoveFreeNotification(this);
    FDisplay = v;
    if (v)
        v->FreeNotification(this);
}

DWORD TSerCustomComm::GetVersionNr() { return 0x01030500u; }

AnsiString TSerCustomComm::GetVersion()
{
    DWORD v = GetVersionNr();
    return std::to_string((v >> 24) & 0xFF) + "." + std::to_string((v >> 16) & 0xFF) + "." +
           std::to_string((v >> 8) & 0xFF) + "." + std::to_string(v & 0xFF);
}

void TSerCustomComm::BuffersChanged(TObject*)
{
    CheckOpen();
    UpdateBuffers();
    SetDCB();
}

void TSerCustomComm::EventCharsChanged(TObject*) { SetDCB(); }

void TSerCustomComm::FlowControlChanged(TObject*) { SetDCB(); }

// ----------------------------------------------------------- line settings

TDCB TSerCustomComm::BuildDCB() const
{
    TDCB dcb;
    dcb.BaudRate = static_cast<DWORD>(FBaudrate == brUser ? FUserBaudrate : SerBaudrates[FBaudrate]);
    dcb.Parity = static_cast<Byte>(FParity);
    dcb.StopBits = static_cast<Byte>(FStopbits);
    dcb.ByteSize = SerDatabits[FDatabits];
    dcb.XonChar = FEventChars->XonChar();
    dcb.XoffChar = FEventChars->XoffChar();
    dcb.ErrorChar = FEventChars->ErrorChar();
    dcb.EofChar = FEventChars->EofChar();
    dcb.EvtChar = FEventChars->EventChar();
    dcb.XonLim = static_cast<Word>(FBuffers->XonLimit());
    dcb.XoffLim = static_cast<Word>(FBuffers->XoffLimit());
    DWORD f = fBinary;
    if (FFlowControl->OutCtsFlow())
        f |= fOutxCtsFlow;
    if (FFlowControl->OutDsrFlow())
        f |= fOutxDsrFlow;
    if (FFlowControl->XonXoffOut())
        f |= fOutX;
    if (FFlowControl->XonXoffIn())
        f |= fInX;
    f |= static_cast<DWORD>(FFlowControl->ControlDtr()) << fDtrControlShift;
    f |= static_cast<DWORD>(FFlowControl->ControlRts()) << fRtsControlShift;
    if (FFlowControl->DsrSensitivity())
        f |= fDsrSensitivity;
    if (FFlowControl->TxContinueOnXoff())
        f |= fTXContinueOnXoff;
    if (FOptions.Contains(coErrorChar))
        f |= fErrorChar;
    if (FOptions.Contains(coNullStrip))
        f |= fNull;
    if (FOptions.Contains(coParityCheck))
        f |= fParity;
    dcb.Flags = f;
    return dcb;
}

namespace {

// What the device takes of a control block. Linux ties RTS/CTS handshake of
// both directions together and has no DSR flow, DSR sensitivity, DTR handshake,
// RTS toggle, error or null replacement: those are left out (DTR and RTS are
// then simply raised).
bool WriteCommState(TSerialDevice& Dev, const TDCB& Dcb)
{
    TSerialLine line;
    line.BaudRate = static_cast<int>(Dcb.BaudRate);
    line.DataBits = Dcb.ByteSize;
    static const TSerialParity parities[] = {TSerialParity::None, TSerialParity::Odd, TSerialParity::Even,
                                             TSerialParity::Mark, TSerialParity::Space};
    static const TSerialStopBits stops[] = {TSerialStopBits::One, TSerialStopBits::OneHalf, TSerialStopBits::Two};
    if (Dcb.BaudRate > 0x7FFFFFFFu || Dcb.Parity > 4 || Dcb.StopBits > 2) {
        line.BaudRate = 0; // refused below as an invalid setting
    } else {
        line.Parity = parities[Dcb.Parity];
        line.StopBits = stops[Dcb.StopBits];
    }
    const DWORD dtr = (Dcb.Flags & fDtrControlMask) >> fDtrControlShift;
    const DWORD rts = (Dcb.Flags & fRtsControlMask) >> fRtsControlShift;
    line.RtsCts = (Dcb.Flags & fOutxCtsFlow) != 0 || rts == rtsHandshake;
    line.XonXoffOut = (Dcb.Flags & fOutX) != 0;
    line.XonXoffIn = (Dcb.Flags & fInX) != 0;
    line.XonChar = Dcb.XonChar;
    line.XoffChar = Dcb.XoffChar;
    line.ParityCheck = (Dcb.Flags & fParity) != 0;
    if (!Dev.SetLine(line))
        return false;
    // The control fields decide the lines each time the block is written.
    if (!Dev.SetDtr(dtr != dtrDisabled))
        return false;
    if (rts != rtsHandshake && !Dev.SetRts(rts != rtsDisabled))
        return false;
    return true;
}

} // namespace

void TSerCustomComm::SetDCB()
{
    if (!Active() || !FUpdateDCB)
        return;
    Watch(Platform(WriteCommState(*FHandle, BuildDCB())), sWriteDcb);
}

void TSerCustomComm::ReadDCB(const TDCB& DCB)
{
    FBaudrate = brUser;
    FUserBaudrate = static_cast<int>(DCB.BaudRate);
    for (int b = brUser; b <= br256000; ++b) {
        if (static_cast<DWORD>(SerBaudrates[b]) == DCB.BaudRate) {
            FBaudrate = static_cast<TSerBaudrate>(b);
            FUserBaudrate = 0;
            break;
        }
    }
    FParity = DCB.Parity <= paSpace ? static_cast<TSerParity>(DCB.Parity) : paNone;
    FDatabits = db8;
    for (int d = db4; d <= db8; ++d)
        if (SerDatabits[d] == DCB.ByteSize)
            FDatabits = static_cast<TSerDatabits>(d);
    FStopbits = DCB.StopBits <= sb2 ? static_cast<TSerStopbits>(DCB.StopBits) : sb1;

    const DWORD dtr = (DCB.Flags & fDtrControlMask) >> fDtrControlShift;
    const DWORD rts = (DCB.Flags & fRtsControlMask) >> fRtsControlShift;
    FFlowControl->SetControlDtr(dtr == 0 ? dtrDisabled : dtr == 2 ? dtrHandshake : dtrEnabled);
    FFlowControl->SetControlRts(static_cast<TSerControlRts>(rts));
    FFlowControl->SetOutCtsFlow((DCB.Flags & fOutxCtsFlow) != 0);
    FFlowControl->SetOutDsrFlow((DCB.Flags & fOutxDsrFlow) != 0);
    FFlowControl->SetXonXoffOut((DCB.Flags & fOutX) != 0);
    FFlowControl->SetXonXoffIn((DCB.Flags & fInX) != 0);
    FFlowControl->SetDsrSensitivity((DCB.Flags & fDsrSensitivity) != 0);
    FFlowControl->SetTxContinueOnXoff((DCB.Flags & fTXContinueOnXoff) != 0);

    FEventChars->SetEventChar(1, DCB.XonChar);
    FEventChars->SetEventChar(2, DCB.XoffChar);
    FEventChars->SetEventChar(3, DCB.ErrorChar);
    FEventChars->SetEventChar(4, DCB.EvtChar);
    FEventChars->SetEventChar(5, DCB.EofChar);

    FBuffers->SetXonLimit(DCB.XonLim);
    FBuffers->SetXoffLimit(DCB.XoffLim);

    FOptions = TSerCommOptions{};
    if (DCB.Flags & fErrorChar)
        FOptions += coErrorChar;
    if (DCB.Flags & fNull)
        FOptions += coNullStrip;
    if (DCB.Flags & fParity)
        FOptions += coParityCheck;
}

void TSerCustomComm::ResetPortParameters()
{
    // No stored default per device here: a device that exists starts as
    // 9600 Bd, 8 data bits, no parity, one stop bit, DTR and RTS raised.
    TSerialLine line;
    int err = 0;
    if (!SerialDefaultLine(GetDeviceName(), line, err))
        throw ESerCommError(sReadDefaults);
    TDCB dcb;
    dcb.BaudRate = static_cast<DWORD>(line.BaudRate);
    dcb.ByteSize = static_cast<Byte>(line.DataBits);
    dcb.Parity = static_cast<Byte>(line.Parity);
    dcb.StopBits = static_cast<Byte>(line.StopBits);
    dcb.Flags = fBinary | (static_cast<DWORD>(dtrEnabled) << fDtrControlShift) |
                (static_cast<DWORD>(line.RtsCts ? rtsHandshake : rtsEnabled) << fRtsControlShift);
    if (line.RtsCts)
        dcb.Flags |= fOutxCtsFlow;
    if (line.XonXoffOut)
        dcb.Flags |= fOutX;
    if (line.XonXoffIn)
        dcb.Flags |= fInX;
    if (line.ParityCheck)
        dcb.Flags |= fParity;
    dcb.XonChar = line.XonChar;
    dcb.XoffChar = line.XoffChar;
    dcb.XonLim = static_cast<Word>(FBuffers->XonLimit());
    dcb.XoffLim = static_cast<Word>(FBuffers->XoffLimit());
    ReadDCB(dcb);
}
