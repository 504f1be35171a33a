// The program's reading road against the simulated instrument on a pseudo-terminal, run in
// the program's own event loop with its window shown:
// - reply to screen: from the fetch reply's last byte on the line (the simulator's side) to
//   the paint of the primary value on the measurement display, per reading; beside it a
//   minimal pyserial poller's time from the same last byte to the reply parsed;
// - CPU per reading: the whole process (getrusage) against the simulator running as a
//   process of its own, beside a minimal pyserial poller that polls the same simulator with
//   the same query at the same interval in the same run.
// ZV_BENCH_SECONDS sets the length of each run (default 15).
// ZV_BENCH_FAULT_SECONDS=N adds a long run under random simulator faults that reports
// memory growth (whole run and second half; resident and live heap), lost live-log records
// and fault periods after which no reading came back. Under the address build run it with
//   ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=16:fast_unwind_on_malloc=0:fast_unwind_on_free=0:thread_local_quarantine_size_kb=64
// else the sanitizer's own memory grows more: the default quarantine fills 256 MB, and the
// fast unwinder cannot follow Qt's and glib's frames (built without frame pointers), so it
// keeps finding "new" stacks (50-150 a second) that its stack store holds for good. Even so
// that build's allocator keeps taking fresh chunks for a long while (some hundred kB a
// minute); the live heap figure is the program's own.
#include <benchmark/benchmark.h>

#include "bench/BenchSupport.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "components/comm/Sercomm.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/Timer.h"
#include "platform/serial/SerialPorts.h"
#include "tools/instrument-sim/InstrumentSim.h"

namespace {

constexpr int kPort = 9;
using Clock = std::chrono::steady_clock;

double RunSeconds()
{
    const char* s = std::getenv("ZV_BENCH_SECONDS");
    return s && std::atof(s) > 0 ? std::atof(s) : 15.0;
}

// The program's event loop (what Application->Run runs) for a while.
void RunLoop(double Seconds)
{
    // exit, not quit: quit asks the windows to close first, and the main window asks the user.
    QTimer::singleShot(static_cast<int>(Seconds * 1000), qApp, [] { QCoreApplication::exit(0); });
    QApplication::exec();
}

double Ms(const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; }
double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double ProcessCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return Ms(u.ru_utime) + Ms(u.ru_stime);
}

// The part of it spent in the kernel (system calls, and here the machine's wake-ups).
double ProcessKernelMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return Ms(u.ru_stime);
}

// The CPU of the calling thread (the window's), milliseconds.
double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

double HeapMB() { return double(HeapBytes()) / (1024.0 * 1024.0); }

// The program connected to the simulated instrument on port kPort, its window shown,
// polling the measurement display at a fixed range, as after POWER. Counts the readings it
// has taken in (each reply taken whole ends with RxBuffer emptied).
struct TProgram {
    std::unique_ptr<TLCRForm> Form;
    int Readings = 0;
    std::function<void()> AfterReading; // on the window's thread, after each reading's handler

    explicit TProgram(int Interval, bool LiveLog = false)
    {
        Form = std::make_unique<TLCRForm>(nullptr);
        Form->SetComBaudRate(5);
        if (!Form->OpenComPort(kPort))
            throw std::runtime_error("port not opened: " + ModalScript::LastRequest().Text);
        if (!IdentifyInstrument())
            throw std::runtime_error("no instrument on port " + std::to_string(kPort) + ": " +
                                     ModalScript::LastRequest().Text);
        Form->Connected = true;
        Form->MeasFunction = 4;
        Form->TrigSource = 1;
        Form->RangeCode = 0;
        Form->Speed = Interval == 100 ? 3 : Interval == 150 ? 2 : 1;
        Form->AverageCount = 1;
        Form->LCRTimer->SetInterval(static_cast<Cardinal>(Interval));
        Form->PageId = 1;
        Form->Show();
        ShowPage("Send");
        if (LiveLog) {
            Form->LogRunning = 1;
            Form->LiveLogRecordCount = 0;
            Form->LiveLogPath.clear();
            StartLiveLog();
        }
        TLCRForm* form = Form.get();
        form->LCRCom->OnRxChar = [this, form](TObject* s, int n) {
            form->LCRComRxChar(s, n);
            if (form->RxBuffer.empty()) {
                ++Readings;
                if (AfterReading)
                    AfterReading();
            }
        };
        RunLoop(0.5);
    }

    ~TProgram()
    {
        Form->LCRTimer->SetEnabled(false);
        Form.reset();
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

TSimOptions SimOptions()
{
    TSimOptions o;
    o.Model = "ZVE";
    return o;
}

// Notes the moment a widget paints whose place and size are those of a control.
class TPaintWatch : public QObject {
public:
    TPaintWatch(TControl* Control, std::function<void()> OnPaint) : FControl(Control), FOnPaint(std::move(OnPaint))
    {
        qApp->installEventFilter(this);
    }
    ~TPaintWatch() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && o->isWidgetType() && IsControl(static_cast<QWidget*>(o)))
            FOnPaint();
        return false;
    }

private:
    // Its own window: the control's size, at the control's place in its parent (give or take
    // the parent's border).
    bool IsControl(QWidget* w)
    {
        if (FWidget)
            return w == FWidget;
        const QPoint off = w->pos() - QPoint(FControl->Left(), FControl->Top());
        if (w->width() != FControl->Width() || w->height() != FControl->Height() || off.x() < 0 || off.x() > 3 ||
            off.y() != off.x())
            return false;
        FWidget = w;
        return true;
    }
    TControl* FControl;
    QWidget* FWidget = nullptr;
    std::function<void()> FOnPaint;
};

// A minimal poller: at each tick it sends the fetch query, reads the reply line and parses
// its four numbers. Prints the readings and its own CPU milliseconds over the polling time,
// then (when asked) the moment (steady clock, ns) each reading was parsed.
const char* const kPyserialPoller = R"(
import resource, serial, sys, time
path, interval, seconds = sys.argv[1], float(sys.argv[2]) / 1000, float(sys.argv[3])
port = serial.Serial(path, 115200, timeout=1)
def cpu():
    u = resource.getrusage(resource.RUSAGE_SELF)
    return (u.ru_utime + u.ru_stime) * 1000, u.ru_stime * 1000
readings, start, parsed = 0, cpu(), []
tick = time.monotonic()
end = tick + seconds
while True:
    tick += interval
    if tick > end:
        break
    port.reset_input_buffer()
    port.write(b"FETC:IMP?\n")
    line = port.readline()
    if len(line) == 52:
        values = [float(line[i * 13:i * 13 + 12]) for i in range(4)]
        readings += 1
        parsed.append(time.monotonic_ns())
    pause = tick - time.monotonic()
    if pause > 0:
        time.sleep(pause)
end = cpu()
print(readings, end[0] - start[0], end[1] - start[1])
if len(sys.argv) > 4:
    print("\n".join(str(t) for t in parsed))
)";

// Runs the poller against port kPort; false when python3 with pyserial is not there.
// Parsed, when given, gets the moment each reading was parsed.
bool RunPyserialPoller(int Interval, double Seconds, int& Readings, double& CpuMs,
                       std::vector<Clock::time_point>* Parsed = nullptr, double* KernelMs = nullptr)
{
    const std::string cmd = "/usr/bin/python3 -c '" + std::string(kPyserialPoller) + "' " +
                            SerialPortLinkPath(kPort) + " " + std::to_string(Interval) + " " +
                            std::to_string(Seconds) + (Parsed ? " times" : "") + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return false;
    double kernel = 0;
    bool ok = std::fscanf(p, "%d %lf %lf", &Readings, &CpuMs, &kernel) == 3;
    if (KernelMs)
        *KernelMs = kernel;
    long long ns = 0;
    while (ok && Parsed && std::fscanf(p, "%lld", &ns) == 1)
        Parsed->push_back(Clock::time_point(std::chrono::nanoseconds(ns)));
    return pclose(p) == 0 && ok && Readings > 0;
}

void BM_ReplyToScreen(benchmark::State& state)
{
    EnsureBenchProgram();
    const int interval = static_cast<int>(state.range(0));
    std::vector<double> latency, peer;
    int unmatched = 0;
    for (auto _ : state) {
        // The simulator's thread notes when each reply's last byte goes onto the line (just
        // before its write: taken after it, a reply could be read before it was noted).
        std::mutex lock;
        std::vector<Clock::time_point> sent;
        std::atomic<bool> measuring{false};
        TInstrumentSim sim(SimOptions());
        sim.OnSend = [&](const AnsiString& bytes) {
            if (measuring && !bytes.empty() && bytes.back() == '\n') {
                std::lock_guard g(lock);
                sent.push_back(Clock::now());
            }
        };
        sim.StartAsPort(kPort);
        auto program = std::make_unique<TProgram>(interval);
        TStaticText* label = program->Form->MeasDispFunc1ValueSta;
        int taken = 0, shown = 0; // readings taken in, readings on the screen
        auto show = [&] {
            const auto now = Clock::now();
            std::lock_guard g(lock);
            for (; shown < taken && shown < static_cast<int>(sent.size()); ++shown)
                latency.push_back(Ms(now - sent[static_cast<size_t>(shown)]));
        };
        AnsiString before = label->Caption();
        program->AfterReading = [&] {
            if (!measuring) {
                // Counting starts between two readings: the next query is not out yet.
                measuring = true;
                before = label->Caption();
                return;
            }
            // A reading whose value equals the last one needs no paint: it is on the screen
            // once taken in, unless an earlier one still waits for its paint.
            const bool same = label->Caption() == before;
            before = label->Caption();
            const bool waiting = shown < taken;
            ++taken;
            if (same && !waiting)
                show();
        };
        {
            TPaintWatch watch(label, show);
            RunLoop(RunSeconds());
        }
        unmatched = taken - shown;
        program.reset();

        // The peer: from the same last byte to the reply parsed.
        {
            std::lock_guard g(lock);
            sent.clear();
        }
        std::vector<Clock::time_point> parsed;
        int readings = 0;
        double cpu = 0;
        if (!RunPyserialPoller(interval, RunSeconds(), readings, cpu, &parsed)) {
            state.SkipWithError("no /usr/bin/python3 with pyserial (python3-serial)");
            return;
        }
        std::lock_guard g(lock);
        for (size_t i = 0; i < parsed.size() && i < sent.size(); ++i)
            peer.push_back(Ms(parsed[i] - sent[i]));
    }
    const double p99 = Percentile(latency, 0.99), peerP99 = Percentile(peer, 0.99);
    state.counters["readings"] = static_cast<double>(latency.size());
    state.counters["median_ms"] = Percentile(latency, 0.5);
    state.counters["p99_ms"] = p99;
    state.counters["max_ms"] = Percentile(latency, 1.0);
    state.counters["unmatched"] = unmatched;
    state.counters["pyserial_median_ms"] = Percentile(peer, 0.5);
    state.counters["pyserial_p99_ms"] = peerP99;
    state.counters["p99_ratio"] = peerP99 > 0 ? p99 / peerP99 : 0;
}
BENCHMARK(BM_ReplyToScreen)->Arg(100)->Arg(150)->Arg(200)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The simulator as a process of its own (so that its CPU is not the program's), answering
// as port kPort.
class TSimProcess {
public:
    TSimProcess()
    {
        FPid = fork();
        if (FPid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM); // goes with a benchmark that is killed
            execl(ZV_SIM_EXE, ZV_SIM_EXE, "--port", std::to_string(kPort).c_str(), "--model", "ZVE",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        const auto end = Clock::now() + std::chrono::seconds(10);
        while (access(SerialPortLinkPath(kPort).c_str(), F_OK) != 0 && Clock::now() < end)
            usleep(10000);
    }
    ~TSimProcess()
    {
        kill(FPid, SIGTERM);
        waitpid(FPid, nullptr, 0);
    }

private:
    pid_t FPid = -1;
};

void BM_CpuPerReading(benchmark::State& state)
{
    EnsureBenchProgram();
    const int interval = static_cast<int>(state.range(0));
    const double seconds = RunSeconds();
    double ours = 0, oursWindow = 0, oursKernel = 0, peer = 0, peerKernel = 0, rate = 0, peerRate = 0;
    for (auto _ : state) {
        TSimProcess sim;
        {
            TProgram program(interval);
            // Counted from the steady state: the window's first whole paint, and the work it
            // hands to the toolkit's worker threads, belong to the start, not to a reading.
            RunLoop(3.0);
            const int before = program.Readings;
            const double cpu0 = ProcessCpuMs(), window0 = ThreadCpuMs(), kernel0 = ProcessKernelMs();
            const auto t0 = Clock::now();
            RunLoop(seconds);
            const double cpu = ProcessCpuMs() - cpu0, window = ThreadCpuMs() - window0;
            const double kernel = ProcessKernelMs() - kernel0;
            const double elapsed = std::chrono::duration<double>(Clock::now() - t0).count();
            const int readings = program.Readings - before;
            ours = readings ? cpu / readings : 0;
            // Where it goes: the window's thread, and the rest (the serial event thread).
            oursWindow = readings ? window / readings : 0;
            oursKernel = readings ? kernel / readings : 0;
            rate = readings / elapsed;
        }
        int readings = 0;
        double cpu = 0, kernel = 0;
        if (!RunPyserialPoller(interval, seconds, readings, cpu, nullptr, &kernel)) {
            state.SkipWithError("no /usr/bin/python3 with pyserial (python3-serial)");
            return;
        }
        peer = cpu / readings;
        peerKernel = kernel / readings;
        peerRate = readings / seconds;
    }
    state.counters["ours_cpu_ms_per_reading"] = ours;
    state.counters["ours_window_thread_ms"] = oursWindow;
    state.counters["ours_other_threads_ms"] = ours - oursWindow;
    // In the kernel (a split the kernel samples at its clock tick, so coarse): where the swings
    // of both figures are on a virtual machine.
    state.counters["ours_kernel_ms"] = oursKernel;
    state.counters["pyserial_cpu_ms_per_reading"] = peer;
    state.counters["pyserial_kernel_ms"] = peerKernel;
    state.counters["ratio"] = peer > 0 ? ours / peer : 0;
    state.counters["ours_per_s"] = rate;
    state.counters["pyserial_per_s"] = peerRate;
    state.counters["nominal_per_s"] = 1000.0 / interval;
}
// With repetitions, the least of each figure too: the run the machine disturbed least.
BENCHMARK(BM_CpuPerReading)->Arg(100)->Arg(150)->Arg(200)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime()
    ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });

// The same program with the line quiet (connected, window shown, measuring off): what it
// spends per second whatever the readings.
void BM_CpuQuietLine(benchmark::State& state)
{
    EnsureBenchProgram();
    const double seconds = RunSeconds();
    double perSecond = 0;
    for (auto _ : state) {
        TSimProcess sim;
        TProgram program(100);
        program.Form->LCRTimer->SetEnabled(false);
        RunLoop(0.2); // a reply still on its way
        const double cpu0 = ProcessCpuMs();
        const auto t0 = Clock::now();
        RunLoop(seconds);
        perSecond = (ProcessCpuMs() - cpu0) / std::chrono::duration<double>(Clock::now() - t0).count();
    }
    state.counters["ours_cpu_ms_per_s"] = perSecond;
}
BENCHMARK(BM_CpuQuietLine)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

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

// Memory samples of a long run. Growth between two moments compares the lowest sample of
// the minute before each: a buffer that happens to be held at one sample (a paint's image,
// freed blocks the address build's allocator still holds back) is no growth, and memory the
// program keeps shows in every sample.
class TMemoryFloor {
public:
    explicit TMemoryFloor(double (*Measure)()) : FMeasure(Measure) { FSamples.reserve(1 << 16); }
    void Sample(Clock::time_point At)
    {
        if (FSamples.size() < FSamples.capacity()) // no growth of our own in what we measure
            FSamples.push_back({At, FMeasure()});
    }
    double Growth(Clock::time_point From, Clock::time_point To) const { return FloorBefore(To) - FloorBefore(From); }

private:
    double FloorBefore(Clock::time_point At) const
    {
        double low = -1;
        for (const auto& [t, mb] : FSamples)
            if (t <= At + std::chrono::seconds(1) && t >= At - std::chrono::seconds(60) && (low < 0 || mb < low))
                low = mb;
        return low;
    }
    double (*FMeasure)();
    std::vector<std::pair<Clock::time_point, double>> FSamples;
};

void BM_LongRunRandomFaults(benchmark::State& state)
{
    EnsureBenchProgram();
    const double seconds = std::atof(std::getenv("ZV_BENCH_FAULT_SECONDS"));
    double growth = 0, lateGrowth = 0, heapGrowth = 0, lateHeapGrowth = 0;
    int lost = 0, readings = 0, periods = 0, unrecovered = 0;
    for (auto _ : state) {
        TInstrumentSim sim(SimOptions());
        sim.StartAsPort(kPort);
        TProgram program(100, true);
        std::mt19937 random(12345);
        const TSimFault faults[] = {TSimFault::Silence, TSimFault::Truncate, TSimFault::Split, TSimFault::Garbage,
            TSimFault::WrongLength, TSimFault::CrLf, TSimFault::UnaskedReply, TSimFault::Slow, TSimFault::UpperCaseE};
        TSimFaultSettings settings;
        settings.OnlyFor = "FETC";
        sim.SetFaultSettings(settings);
        RunLoop(2);
        const auto start = Clock::now();
        const auto half = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds / 2));
        const auto end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
        TMemoryFloor resident(ResidentMB), heap(HeapMB);
        resident.Sample(start);
        heap.Sample(start);
        while (Clock::now() < end) {
            sim.SetFault(faults[random() % 9], 1 + static_cast<int>(random() % 3));
            RunLoop(0.5);
            // The fault is over once its replies are spent; a fresh reading must follow.
            sim.ClearFaults();
            const int before = program.Form->LiveLogRecordCount;
            const auto giveUp = Clock::now() + std::chrono::seconds(5);
            while (program.Form->LiveLogRecordCount == before && Clock::now() < giveUp)
                RunLoop(0.01);
            ++periods;
            if (program.Form->LiveLogRecordCount == before)
                ++unrecovered;
            // The simulator shares the process here: its record of the lines it received is
            // not the program's memory.
            sim.ClearTranscript();
            resident.Sample(Clock::now());
            heap.Sample(Clock::now());
        }
        RunLoop(1);
        resident.Sample(Clock::now());
        heap.Sample(Clock::now());
        growth = resident.Growth(start, end);
        lateGrowth = resident.Growth(half, end);
        heapGrowth = heap.Growth(start, end);
        lateHeapGrowth = heap.Growth(half, end);
        program.Form->LCRTimer->SetEnabled(false);
        RunLoop(0.2);
        readings = program.Form->LiveLogRecordCount;
        // Eighteen header, setup and column lines come first; every counted reading is one line.
        lost = readings - (program.LogLines() - 18);
    }
    state.counters["readings"] = readings;
    state.counters["lost_log_records"] = lost;
    state.counters["resident_growth_MB"] = growth;
    state.counters["second_half_growth_MB"] = lateGrowth;
    state.counters["heap_growth_MB"] = heapGrowth;
    state.counters["second_half_heap_growth_MB"] = lateHeapGrowth;
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
