// The second serial library's engine over a pseudo-terminal pair, side by side
// with a bare termios loop on the same kind of pair: throughput of bulk
// writes, the round trip of one byte, and the process CPU per framed packet.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "components/slcomm/Tcommpkg.h"
#include "bench/PtyPartner.h"

using namespace CorlanComm32;

namespace {

constexpr int kPort = 40;

constexpr int kBlock = 65536;

} // namespace

static void BM_EngineThroughput(benchmark::State& state)
{
    TPtyPartner partner(kPort, TPtyPartner::Swallow);
    TComm32 engine;
    engine.SetPortNo(kPort);
    engine.SetOutQueueSize(kBlock);
    engine.Open();
    std::string block(kBlock, 'x');
    std::uint64_t sent = 0;
    for (auto _ : state) {
        int done = 0;
        while (done < kBlock) {
            int n = engine.Write(block.data() + done, kBlock - done);
            done += n;
            if (n == 0)
                std::this_thread::yield();
        }
        sent += kBlock;
        while (partner.Received() < sent)
            std::this_thread::yield();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(sent));
    engine.Close();
}
BENCHMARK(BM_EngineThroughput)->UseRealTime();

static void BM_TermiosThroughput(benchmark::State& state)
{
    TPtyPartner partner(kPort, TPtyPartner::Swallow);
    int fd = OpenRawSlave(partner.SlavePath());
    std::string block(kBlock, 'x');
    std::uint64_t sent = 0;
    for (auto _ : state) {
        int done = 0;
        while (done < kBlock) {
            ssize_t n = write(fd, block.data() + done, static_cast<size_t>(kBlock - done));
            if (n > 0)
                done += static_cast<int>(n);
            else
                WaitFd(fd, POLLOUT);
        }
        sent += kBlock;
        while (partner.Received() < sent)
            std::this_thread::yield();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(sent));
    close(fd);
}
BENCHMARK(BM_TermiosThroughput)->UseRealTime();

static void BM_EngineRoundTrip(benchmark::State& state)
{
    TPtyPartner partner(kPort, TPtyPartner::Echo);
    TComm32 engine;
    engine.SetPortNo(kPort);
    std::atomic<int> arrived{0};
    engine.OnCommNotify = [&](TObject*, std::int32_t n) {
        if (n & 1)
            arrived.fetch_add(1, std::memory_order_release);
    };
    engine.Open();
    char c = 'q';
    for (auto _ : state) {
        engine.Write(&c, 1);
        while (engine.Read(&c, 1) == 0)
            std::this_thread::yield();
    }
    engine.Close();
}
BENCHMARK(BM_EngineRoundTrip)->UseRealTime();

static void BM_TermiosRoundTrip(benchmark::State& state)
{
    TPtyPartner partner(kPort, TPtyPartner::Echo);
    int fd = OpenRawSlave(partner.SlavePath());
    char c = 'q';
    for (auto _ : state) {
        while (write(fd, &c, 1) != 1)
            WaitFd(fd, POLLOUT);
        while (read(fd, &c, 1) != 1)
            WaitFd(fd, POLLIN);
    }
    close(fd);
}
BENCHMARK(BM_TermiosRoundTrip)->UseRealTime();

// Framed packets of 64 bytes through the packet layer and echoed back; the
// process's CPU time (every thread) per packet is the figure.
static void BM_PackageEchoCpu(benchmark::State& state)
{
    TPtyPartner partner(kPort, TPtyPartner::Echo);
    TComm32 engine;
    engine.SetPortNo(kPort);
    TCommPackage package(&engine);
    package.SetPackageType(cptFrameHeadTail);
    std::mutex lock;
    std::condition_variable arrived;
    int waiting = 0;
    package.OnPackage = [&](TObject*, std::int32_t n) {
        if (n & 1) {
            std::lock_guard g(lock);
            ++waiting;
            arrived.notify_one();
        }
    };
    engine.Open();
    package.SetActive(true);
    std::string payload(64, '\0');
    for (int i = 0; i < 64; ++i)
        payload[static_cast<size_t>(i)] = static_cast<char>(i * 5);
    char back[128];
    for (auto _ : state) {
        package.WritePackage(payload.data(), 64);
        // Waits without spinning, so the CPU time is the library's and the partner's.
        while (package.ReadPackage(back, sizeof back) == 0) {
            std::unique_lock g(lock);
            arrived.wait_for(g, std::chrono::milliseconds(5), [&] { return waiting > 0; });
            waiting = 0;
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    engine.Close();
}
BENCHMARK(BM_PackageEchoCpu)->MeasureProcessCPUTime()->UseRealTime();
