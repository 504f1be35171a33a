// The program's reading road against the simulated instrument on a pseudo-terminal:
// readings per second achieved against the polling rate, and the CPU time the program's
// own handlers spend per reading (fetch, parse, format, display, log) against the polling
// interval; the painting that follows runs later in the loop and is not counted.
// ZV_BENCH_FAULT_SECONDS=N adds a long run under random simulator faults that reports
// memory growth (whole run and second half), lost live-log records and fault periods
// after which no reading came back.
#include <benchmark/benchmark.h>

#include "bench/BenchSupport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "components/comm/Sercomm.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/core/Synchronize.h"
#include "platform/forms/Application.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/Timer.h"
#include "platform/serial/SerialPorts.h"
#include "platform/win/Paths.h"
#include "tools/instrument-sim/InstrumentSim.h"
#include "tools/panel-art/PanelArtInstall.h"

namespace {

constexpr int kPort = 9;

void EnsureProgramEnvironment()
{
    static bool made = false;
    if (made)
        return;
    made = true;
    if (!std::getenv("ZORVANE_PREFIX")) {
        static std::string prefix = "/tmp/zorvane-bench-" + std::to_string(::getpid());
        setenv("ZORVANE_PREFIX", prefix.c_str(), 1);
    }
    EnsureBenchApplication();
    PanelArt::InstallPanelArt(ZorvanePrefix());
    // Boxes (an off-line notice under faults) are answered, never shown.
    ModalScript::SetStrict(true);
}

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

void RunFor(double Seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(Seconds);
    while (std::chrono::steady_clock::now() < end) {
        CheckSynchronize(1);
        TestInput::ProcessEvents();
    }
}

// The program connected to the simulated instrument, polling the measurement display with
// the live log on, as after POWER and the LOG key.
struct TBench {
    TInstrumentSim Sim;
    std::unique_ptr<TLCRForm> Form;

    explicit TBench(int Interval) : Sim(Options())
    {
        Sim.StartAsPort(kPort);
        Form = std::make_unique<TLCRForm>(nullptr);
        Form->SetComBaudRate(5);
        if (!Form->OpenComPort(kPort))
            throw std::runtime_error("port not opened: " + ModalScript::LastRequest().Text);
        if (!IdentifyInstrument())
            throw std::runtime_error("no instrument on " + Sim.PortLink() + ": " + ModalScript::LastRequest().Text);
        Form->Connected = true;
        Form->MeasFunction = 4;
        Form->TrigSource = 1;
        Form->Speed = Interval == 100 ? 3 : Interval == 150 ? 2 : 1;
        Form->AverageCount = 1;
        Form->LCRTimer->SetInterval(static_cast<Cardinal>(Interval));
        Form->PageId = 1;
        ShowPage("Send");
        Form->LogRunning = 1;
        Form->LiveLogRecordCount = 0;
        Form->LiveLogPath.clear();
        StartLiveLog();
        RunFor(0.5);
    }

    ~TBench()
    {
        Form->LCRTimer->SetEnabled(false);
        Form.reset();
        Sim.Stop();
    }

    static TSimOptions Options()
    {
        TSimOptions o;
        o.Model = "ZVE";
        return o;
    }

    int LogLines() const
    {
        std::ifstream in(MapWindowsPath(Form->LiveLogPath));
        int n = 0;
        for (std::string line; std::getline(in, line);)
            ++n;
        return n;
    }
};

void BM_PollingRate(benchmark::State& state)
{
    EnsureProgramEnvironment();
    const int interval = static_cast<int>(state.range(0));
    const double seconds = 10;
    double rate = 0, handlerCpu = 0;
    for (auto _ : state) {
        TBench bench(interval);
        // The program's own work: the polling tick and the reply handling (parse, format,
        // display, log).
        double inHandlers = 0;
        auto timed = [&inHandlers](const std::function<void()>& work) {
            const double t = ThreadCpuMs();
            work();
            inHandlers += ThreadCpuMs() - t;
        };
        TLCRForm* form = bench.Form.get();
        form->LCRTimer->OnTimer = [form, timed](TObject* s) { timed([&] { form->LCRTimerTimer(s); }); };
        form->LCRCom->OnRxChar = [form, timed](TObject* s, int n) { timed([&] { form->LCRComRxChar(s, n); }); };
        const int before = form->LiveLogRecordCount;
        const auto t0 = std::chrono::steady_clock::now();
        RunFor(seconds);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const int readings = form->LiveLogRecordCount - before;
        rate = readings / elapsed;
        handlerCpu = readings ? inHandlers / readings : 0;
    }
    const double nominal = 1000.0 / interval;
    state.counters["readings_per_s"] = rate;
    state.counters["nominal_per_s"] = nominal;
    state.counters["rate_ratio"] = rate / nominal;
    state.counters["handler_cpu_ms_per_reading"] = handlerCpu;
    state.counters["handler_share_of_interval"] = handlerCpu / interval;
}
BENCHMARK(BM_PollingRate)->Arg(100)->Arg(150)->Arg(200)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// One fetch reply taken apart and formatted as the program does it, beside the bare
// C library doing the same for the four numbers.
const AnsiString kReply = "+1.00008e-07,+1.25677e-03,+1.59142e+03,+9.97953e-01\n";

void BM_FormatReplyOurs(benchmark::State& state)
{
    for (auto _ : state) {
        for (int i = 0; i < 4; ++i) {
            const AnsiString field = kReply.substr(static_cast<size_t>(i) * 13, 12);
            const AnsiString d = FormatReplyValue(field, i < 2 ? 7 : 6);
            benchmark::DoNotOptimize(ApplyValueUnit(i == 0 ? TValueKind::Primary
                    : i == 1                           ? TValueKind::Secondary
                                                       : TValueKind::Monitor,
                4, i == 2 ? 1 : 4, d));
        }
    }
}
BENCHMARK(BM_FormatReplyOurs);

void BM_FormatReplyBareSnprintf(benchmark::State& state)
{
    char out[64];
    for (auto _ : state) {
        for (int i = 0; i < 4; ++i) {
            const double v = std::strtod(kReply.c_str() + i * 13, nullptr);
            benchmark::DoNotOptimize(std::snprintf(out, sizeof out, "%.5g", v));
        }
    }
}
BENCHMARK(BM_FormatReplyBareSnprintf);

void BM_LongRunRandomFaults(benchmark::State& state)
{
    EnsureProgramEnvironment();
    const double seconds = std::atof(std::getenv("ZV_BENCH_FAULT_SECONDS"));
    double growth = 0, lateGrowth = 0;
    int lost = 0, readings = 0, periods = 0, unrecovered = 0;
    for (auto _ : state) {
        TBench bench(100);
        std::mt19937 random(12345);
        const TSimFault faults[] = {TSimFault::Silence, TSimFault::Truncate, TSimFault::Split, TSimFault::Garbage,
            TSimFault::WrongLength, TSimFault::CrLf, TSimFault::UnaskedReply, TSimFault::Slow, TSimFault::UpperCaseE};
        TSimFaultSettings settings;
        settings.OnlyFor = "FETC";
        bench.Sim.SetFaultSettings(settings);
        RunFor(2);
        const double mb0 = ResidentMB();
        const auto start = std::chrono::steady_clock::now();
        const auto half = start + std::chrono::duration<double>(seconds / 2);
        const auto end = start + std::chrono::duration<double>(seconds);
        double mbHalf = -1;
        while (std::chrono::steady_clock::now() < end) {
            bench.Sim.SetFault(faults[random() % 9], 1 + static_cast<int>(random() % 3));
            RunFor(0.5);
            // The fault is over once its replies are spent; a fresh reading must follow.
            bench.Sim.ClearFaults();
            const int before = bench.Form->LiveLogRecordCount;
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (bench.Form->LiveLogRecordCount == before && std::chrono::steady_clock::now() < giveUp)
                RunFor(0.01);
            ++periods;
            if (bench.Form->LiveLogRecordCount == before)
                ++unrecovered;
            if (mbHalf < 0 && std::chrono::steady_clock::now() >= half)
                mbHalf = ResidentMB();
        }
        RunFor(1);
        growth = ResidentMB() - mb0;
        lateGrowth = ResidentMB() - (mbHalf < 0 ? mb0 : mbHalf);
        bench.Form->LCRTimer->SetEnabled(false);
        RunFor(0.2);
        readings = bench.Form->LiveLogRecordCount;
        // Eighteen header, setup and column lines come first; every counted reading is one line.
        lost = readings - (bench.LogLines() - 18);
    }
    state.counters["readings"] = readings;
    state.counters["lost_log_records"] = lost;
    state.counters["resident_growth_MB"] = growth;
    state.counters["second_half_growth_MB"] = lateGrowth;
    state.counters["fault_periods"] = periods;
    state.counters["unrecovered_periods"] = unrecovered;
}

[[maybe_unused]] const bool kRegisterLongRun = [] {
    if (std::getenv("ZV_BENCH_FAULT_SECONDS"))
        benchmark::RegisterBenchmark("BM_LongRunRandomFaults", BM_LongRunRandomFaults)
            ->Iterations(1)
            ->Unit(benchmark::kSecond)
            ->UseRealTime();
    return true;
}();

} // namespace
