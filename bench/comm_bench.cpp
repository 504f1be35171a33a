// The serial component's hot path: a command written and its reply read back
// through an open port (in-memory line), as the polling cycle does it; and whole
// exchanges over a pseudo-terminal beside a bare termios loop.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/PtyPartner.h"
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

// One exchange as the polling does it, over a pseudo-terminal whose far end answers every
// line with a fetch reply: through the window's loop (the reply is delivered by OnRxChar on
// the window's thread, whose handler sends the next query), through the component's
// blocking wait, and by a bare termios loop. Each iteration is kExchanges exchanges; the CPU
// column is the whole process (the answering thread included, the same for all three).
namespace {

constexpr int kPtyPort = 41;
constexpr int kExchanges = 100;
const std::string kQuery = "FETC:IMP?\n";
const std::string kFetchReply = "+1.00008e-07,+1.25677e-03,+1.59142e+03,+9.97953e-01\n";

void OpenOnPty(TSerComm& Comm, TSerCommEvents Events)
{
    Comm.SetPortNum(kPtyPort);
    Comm.SetDirectWrite(true);
    Comm.SetMonitorEvents(Events);
    Comm.Open();
}

} // namespace

static void BM_ExchangeThroughWindowLoop(benchmark::State& state)
{
    EnsureBenchApplication();
    TPtyPartner partner(kPtyPort, TPtyPartner::Answer, kFetchReply);
    TSerComm comm(nullptr);
    AnsiString got;
    int left = 0;
    comm.OnRxChar = [&](TObject*, int) {
        got += comm.ReadText();
        if (got.empty() || got.back() != '\n')
            return;
        got.clear();
        if (--left > 0)
            comm.WriteText(kQuery);
        else
            QCoreApplication::exit(0);
    };
    OpenOnPty(comm, {ceRxChar});
    for (auto _ : state) {
        left = kExchanges;
        comm.WriteText(kQuery);
        QApplication::exec();
    }
    comm.Close();
}
BENCHMARK(BM_ExchangeThroughWindowLoop)->MeasureProcessCPUTime()->UseRealTime();

static void BM_ExchangeBlockingWaitChar(benchmark::State& state)
{
    TPtyPartner partner(kPtyPort, TPtyPartner::Answer, kFetchReply);
    TSerComm comm(nullptr);
    OpenOnPty(comm, {});
    for (auto _ : state)
        for (int i = 0; i < kExchanges; ++i) {
            comm.WriteText(kQuery);
            AnsiString got;
            while (got.empty() || got.back() != '\n') {
                comm.WaitChar(1000);
                got += comm.ReadText();
            }
        }
    comm.Close();
}
BENCHMARK(BM_ExchangeBlockingWaitChar)->MeasureProcessCPUTime()->UseRealTime();

static void BM_ExchangeBareTermios(benchmark::State& state)
{
    TPtyPartner partner(kPtyPort, TPtyPartner::Answer, kFetchReply);
    const int fd = OpenRawSlave(partner.SlavePath());
    char buf[256];
    for (auto _ : state)
        for (int i = 0; i < kExchanges; ++i) {
            if (write(fd, kQuery.data(), kQuery.size()) != static_cast<ssize_t>(kQuery.size()))
                state.SkipWithError("write failed");
            std::string got;
            while (got.empty() || got.back() != '\n') {
                const ssize_t n = read(fd, buf, sizeof buf);
                if (n > 0)
                    got.append(buf, static_cast<size_t>(n));
                else
                    WaitFd(fd, POLLIN);
            }
        }
    close(fd);
}
BENCHMARK(BM_ExchangeBareTermios)->MeasureProcessCPUTime()->UseRealTime();
