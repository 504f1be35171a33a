// Stand-ins for the sweep graph until it is built: each does the least its callers rely on.
// The sweep graph's own module replaces this file.
#include "graph/GraphPublic.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/forms/Timer.h"

void RunSweepGraphPoint(int)
{
    SendCommand("TRIG");
}

void PlotSweepGraphPoint(int) {}
void StoreSweepGraphData() {}

void SetSweepGraphState(const AnsiString& State)
{
    if (State != "Default")
        return;
    LCRForm->TestRunning = false;
    LCRForm->TestIdle = true;
    LCRForm->SweepPoint = 1;
}

void TLCRForm::InitGraphParameters()
{
    static const int Colors[8] = {0xFF0000, 0x008000, 0x0000FF, 0x800080, 0xFF00FF, 0x000080, 0x00FFFF, 0x4080FF};
    for (int trace = 1; trace <= 8; ++trace)
        TraceColorOf(trace) = Colors[trace - 1];
}

void TLCRForm::SweepGraphStartBtnClick(TObject*)
{
    if (AlcOn == 1)
        AlcRetriggers = 0;
    TestRunning = true;
    TestIdle = false;
    ListMeasRunning = false;
    SweepRunning = true;
    SweepIsActiveTest = true;
    RunSweepGraphPoint(SweepPoint);
    LCRTimer->SetEnabled(true);
}

void TLCRForm::SweepGraphTerminateBtnClick(TObject*)
{
    TestRunning = false;
    ListMeasRunning = false;
    SweepRunning = false;
    TestIdle = true;
}
