#include "components/comm/Serprst.h"

namespace {

// One notification for the whole copy, also when a step raises.
template <typename F>
void CopyInUpdate(TSerPersistent& Dest, F Copy)
{
    Dest.BeginUpdate();
    try {
        Copy();
    } catch (...) {
        Dest.EndUpdate();
        throw;
    }
    Dest.EndUpdate();
}

} // namespace

void TSerBuffers::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TSerBuffers*>(Source);
    if (!src) {
        TSerPersistent::Assign(Source);
        return;
    }
    CopyInUpdate(*this, [&] {
        FReadSize = src->FReadSize;
        FWriteSize = src->FWriteSize;
        FReadTimeout = src->FReadTimeout;
        FWriteTimeout = src->FWriteTimeout;
        FXonLimit = src->FXonLimit;
        FXoffLimit = src->FXoffLimit;
    });
}

void TSerEventChars::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TSerEventChars*>(Source);
    if (!src) {
        TSerPersistent::Assign(Source);
        return;
    }
    CopyInUpdate(*this, [&] {
        SetEventChar(1, src->XonChar());
        SetEventChar(2, src->XoffChar());
        SetEventChar(3, src->ErrorChar());
        SetEventChar(4, src->EventChar());
        SetEventChar(5, src->EofChar());
    });
}

void TSerFlowControl::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TSerFlowControl*>(Source);
    if (!src) {
        TSerPersistent::Assign(Source);
        return;
    }
    CopyInUpdate(*this, [&] {
        SetOutCtsFlow(src->OutCtsFlow());
        SetOutDsrFlow(src->OutDsrFlow());
        SetControlDtr(src->ControlDtr());
        SetControlRts(src->ControlRts());
        SetXonXoffOut(src->XonXoffOut());
        SetXonXoffIn(src->XonXoffIn());
        SetDsrSensitivity(src->DsrSensitivity());
        SetTxContinueOnXoff(src->TxContinueOnXoff());
    });
}
