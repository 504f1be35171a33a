// The serial component's hot path: a command written and its reply read back
// through an open port (in-memory line), as the polling cycle does it.
#include <benchmark/benchmark.h>

#include "components/comm/Sercomm.h"
#include "components/comm/Serutils.h"
#include "platform/serial/SerialMemoryLine.h"

static void BM_CommWriteReadReply(benchmark::State& state)
{
    auto line = TSerialMemoryLine::Create(20);
    TSerComm comm(nullptr);
    comm.SetPortNum(20);
    comm.SetDirectWrite(true);
    comm.SetMonitorEvents({});
    comm.Open();
    const AnsiString reply = "+1.23456E-09,+2.00000E-03,+0.00000E+00,+0.00000E+00,0\n";
    for (auto _ : state) {
        comm.WriteText("FETC:IMP?\n");
        line->Received();
        line->Send(reply);
        benchmark::DoNotOptimize(comm.ReadText());
    }
    comm.Close();
}
BENCHMARK(BM_CommWriteReadReply);

static void BM_StrCtrl(benchmark::State& state)
{
    const AnsiString s = "AT^M^J*IDN?^M^^OK";
    for (auto _ : state)
        benchmark::DoNotOptimize(StrCtrl(s));
}
BENCHMARK(BM_StrCtrl);
