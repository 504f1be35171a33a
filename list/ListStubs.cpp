// Stand-ins for the list sweep until it is built: each does the least its callers rely on.
// The list sweep's own module replaces this file.
#include "components/grid/Ravgrid.h"
#include "list/ListPublic.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/forms/Timer.h"

void RunListStep(int)
{
    TLCRForm* f = LCRForm;
    if (f->ListMeasGrid->GetRowCountEx() <= f->ListRecordNo)
        f->ListMeasGrid->SetRowCountEx(f->ListRecordNo + 1);
    SendCommand("TRIG");
}

void SetListMeasState(const AnsiString& State)
{
    if (State != "Default")
        return;
    LCRForm->TestRunning = false;
    LCRForm->TestIdle = true;
    LCRForm->ListStep = 1;
    LCRForm->ListLoop = 1;
    LCRForm->ListRecordNo = 1;
}

void CompareListStep(int) {}

void TLCRForm::ListMeasStartBtnClick(TObject*)
{
    if (TestIdle) {
        ListRecordNo = 1;
        ListLoop = 1;
        ListStep = 1;
    }
    if (AlcOn == 1)
        AlcRetriggers = 0;
    ListMeasRunning = true;
    SweepRunning = false;
    SweepIsActiveTest = false;
    TestRunning = true;
    TestIdle = false;
    RunListStep(ListStep);
    LCRTimer->SetEnabled(true);
}

void TLCRForm::ListMeasTerminateBtnClick(TObject*)
{
    TestRunning = false;
    ListMeasRunning = false;
    SweepRunning = false;
    TestIdle = true;
}
