#pragma once
// The serial port component's settings groups: buffers and time-outs, special
// characters, flow control.
#include "components/comm/Serclasses.h"
#include "components/comm/Sertypes.h"

class TSerBuffers : public TSerPersistent {
public:
    void Assign(TPersistent* Source) override;

    TSerIntW ReadSize() const { return FReadSize; }
    void SetReadSize(TSerIntW v) { SetNotifying(FReadSize, v); }
    TSerIntW WriteSize() const { return FWriteSize; }
    void SetWriteSize(TSerIntW v) { SetNotifying(FWriteSize, v); }
    // Time-outs take effect with the next transfer; they notify nobody.
    TSerIntW ReadTimeout() const { return FReadTimeout; }
    void SetReadTimeout(TSerIntW v) { FReadTimeout = v; }
    TSerIntW WriteTimeout() const { return FWriteTimeout; }
    void SetWriteTimeout(TSerIntW v) { FWriteTimeout = v; }
    TSerIntW XonLimit() const { return FXonLimit; }
    void SetXonLimit(TSerIntW v) { SetNotifying(FXonLimit, v); }
    TSerIntW XoffLimit() const { return FXoffLimit; }
    void SetXoffLimit(TSerIntW v) { SetNotifying(FXoffLimit, v); }

    AnsiString ClassName() const override { return "TSerBuffers"; }

private:
    void SetNotifying(TSerIntW& Field, TSerIntW v)
    {
        if (Field == v)
            return;
        Field = v;
        Changed();
    }
    TSerIntW FReadSize = 4096;
    TSerIntW FWriteSize = 2048;
    TSerIntW FReadTimeout = 1000;
    TSerIntW FWriteTimeout = 1000;
    TSerIntW FXonLimit = 1024;
    TSerIntW FXoffLimit = 1024;
};

class TSerEventChars : public TSerPersistent {
public:
    void Assign(TPersistent* Source) override;

    char XonChar() const { return FChars[0]; }
    void SetXonChar(char c) { SetEventChar(1, c); }
    char XoffChar() const { return FChars[1]; }
    void SetXoffChar(char c) { SetEventChar(2, c); }
    char ErrorChar() const { return FChars[2]; }
    void SetErrorChar(char c) { SetEventChar(3, c); }
    char EventChar() const { return FChars[3]; }
    void SetEventChar(char c) { SetEventChar(4, c); }
    char EofChar() const { return FChars[4]; }
    void SetEofChar(char c) { SetEventChar(5, c); }

    // Index 1 to 5; notifies every time, also for an unchanged character.
    void SetEventChar(int Index, char C)
    {
        if (Index >= 1 && Index <= 5)
            FChars[Index - 1] = C;
        Changed();
    }

    AnsiString ClassName() const override { return "TSerEventChars"; }

private:
    char FChars[5] = {17, 19, 0, 0, 0};
};

class TSerFlowControl : public TSerPersistent {
public:
    void Assign(TPersistent* Source) override;

    bool OutCtsFlow() const { return FOutCtsFlow; }
    void SetOutCtsFlow(bool v) { SetNotifying(FOutCtsFlow, v); }
    bool OutDsrFlow() const { return FOutDsrFlow; }
    void SetOutDsrFlow(bool v) { SetNotifying(FOutDsrFlow, v); }
    TSerControlDtr ControlDtr() const { return FControlDtr; }
    void SetControlDtr(TSerControlDtr v) { SetNotifying(FControlDtr, v); }
    TSerControlRts ControlRts() const { return FControlRts; }
    void SetControlRts(TSerControlRts v) { SetNotifying(FControlRts, v); }
    bool XonXoffOut() const { return FXonXoffOut; }
    void SetXonXoffOut(bool v) { SetNotifying(FXonXoffOut, v); }
    bool XonXoffIn() const { return FXonXoffIn; }
    void SetXonXoffIn(bool v) { SetNotifying(FXonXoffIn, v); }
    bool DsrSensitivity() const { return FDsrSensitivity; }
    void SetDsrSensitivity(bool v) { SetNotifying(FDsrSensitivity, v); }
    bool TxContinueOnXoff() const { return FTxContinueOnXoff; }
    void SetTxContinueOnXoff(bool v) { SetNotifying(FTxContinueOnXoff, v); }

    AnsiString ClassName() const override { return "TSerFlowControl"; }

private:
    template <typename T>
    void SetNotifying(T& Field, T v)
    {
        if (Field == v)
            return;
        Field = v;
        Changed();
    }
    bool FOutCtsFlow = false;
    bool FOutDsrFlow = false;
    TSerControlDtr FControlDtr = dtrDisabled;
    TSerControlRts FControlRts = rtsDisabled;
    bool FXonXoffOut = false;
    bool FXonXoffIn = false;
    bool FDsrSensitivity = false;
    bool FTxContinueOnXoff = false;
};
