#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include "platform/core/Clock.h"
#include "platform/core/Synchronize.h"
#include "platform/core/SyncObjs.h"
#include "platform/core/Threads.h"

extern char** environ;

namespace {

class FnThread : public TThread {
public:
    explicit FnThread(std::function<void(FnThread&)> body, bool suspended = true)
        : TThread(suspended), FBody(std::move(body))
    {
    }
    ~FnThread() override
    {
        Terminate();
        WaitFor();
    }
    using TThread::SetReturnValue;
    using TThread::Synchronize;

protected:
    void Execute() override { FBody(*this); }

private:
    std::function<void(FnThread&)> FBody;
};

} // namespace

TEST(Thread, SynchronizeWhileMainThreadWaitsForTheWorkerNeverDeadlocks)
{
    auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < 1000; ++round) {
        bool ranOnMain = false;
        int terminated = 0;
        FnThread t([&](FnThread& self) { self.Synchronize([&] { ranOnMain = IsMainThread(); }); });
        t.OnTerminate = [&](TObject*) { terminated += IsMainThread() ? 1 : 100; };
        t.Start();
        t.WaitFor();
        ASSERT_TRUE(ranOnMain) << "round " << round;
        ASSERT_EQ(terminated, 1) << "OnTerminate runs once, on the main thread";
        ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << "round " << round;
    }
}

TEST(Thread, SuspendedThreadRunsOnlyAfterStart)
{
    std::atomic<int> runs = 0;
    FnThread t([&](FnThread& self) {
        ++runs;
        self.SetReturnValue(7);
    });
    EXPECT_TRUE(t.Suspended());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(runs, 0);
    t.Start();
    EXPECT_EQ(t.WaitFor(), 7);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(t.Finished());
    EXPECT_THROW(t.Start(), EThread);
}

TEST(Thread, CreatedRunningStartsOnceTheMainThreadRunsQueuedCalls)
{
    std::atomic<bool> ran = false;
    FnThread t([&](FnThread&) { ran = true; }, false);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!ran && std::chrono::steady_clock::now() < deadline)
        CheckSynchronize(5);
    EXPECT_TRUE(ran);
    t.WaitFor();
}

TEST(Thread, TerminateEndsALoopingExecute)
{
    std::atomic<int> passes = 0;
    FnThread t([&](FnThread& self) {
        while (!self.Terminated()) {
            ++passes;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    t.Start();
    while (passes < 3)
        std::this_thread::yield();
    t.Terminate();
    t.WaitFor();
    EXPECT_TRUE(t.Terminated());
}

TEST(Thread, FreeOnTerminateDeletesTheThreadAfterOnTerminate)
{
    static std::atomic<int> alive;
    alive = 0;
    class Counted : public TThread {
    public:
        Counted() : TThread(true) { ++alive; }
        ~Counted() override { --alive; }

    protected:
        void Execute() override {}
    };
    auto* t = new Counted;
    std::atomic<bool> notified = false;
    t->OnTerminate = [&](TObject*) { notified = true; };
    t->SetFreeOnTerminate(true);
    t->Start();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (alive != 0 && std::chrono::steady_clock::now() < deadline)
        CheckSynchronize(5);
    EXPECT_TRUE(notified);
    EXPECT_EQ(alive, 0);
}

TEST(Thread, ExceptionOfExecuteIsKept)
{
    FnThread t([](FnThread&) { throw EAbort("stop"); });
    t.Start();
    t.WaitFor();
    ASSERT_TRUE(t.FatalException());
    EXPECT_THROW(std::rethrow_exception(t.FatalException()), EAbort);
}

TEST(SyncObjs, ManualAndAutoResetEventsWithTimeouts)
{
    TEvent manual(nullptr, true, false, "");
    EXPECT_EQ(manual.WaitFor(10), wrTimeout);
    manual.SetEvent();
    EXPECT_EQ(manual.WaitFor(0), wrSignaled);
    EXPECT_EQ(manual.WaitFor(0), wrSignaled); // stays set
    manual.ResetEvent();
    EXPECT_EQ(manual.WaitFor(0), wrTimeout);

    TEvent autoReset(nullptr, false, true, "");
    EXPECT_EQ(autoReset.WaitFor(0), wrSignaled);
    EXPECT_EQ(autoReset.WaitFor(0), wrTimeout); // cleared by the wait

    // Two waiters: a manual event releases both.
    TSimpleEvent go;
    std::atomic<int> released = 0;
    std::thread a([&] { released += go.WaitFor(5000) == wrSignaled; });
    std::thread b([&] { released += go.WaitFor(5000) == wrSignaled; });
    go.SetEvent();
    a.join();
    b.join();
    EXPECT_EQ(released, 2);
}

TEST(SyncObjs, CriticalSectionIsReentrantAndExclusive)
{
    TCriticalSection cs;
    cs.Enter();
    cs.Enter(); // the holder may enter again
    bool otherGot = true;
    std::thread([&] { otherGot = cs.TryEnter(); }).join();
    EXPECT_FALSE(otherGot);
    cs.Leave();
    cs.Leave();
    std::thread([&] {
        otherGot = cs.TryEnter();
        if (otherGot)
            cs.Leave();
    }).join();
    EXPECT_TRUE(otherGot);
}

TEST(SyncObjs, EventTimeoutsFollowThePlatformClock)
{
    SetClockSpeed(100);
    TSimpleEvent never;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(never.WaitFor(2000), wrTimeout); // 20 ms of real time
    auto took = std::chrono::steady_clock::now() - t0;
    SetClockSpeed(1);
    EXPECT_LT(took, std::chrono::milliseconds(1500));
}

namespace {

// Started again with ZV_THREAD_AT_EXIT set, this program lets a thread that frees
// itself finish while the process exits: after the main thread's queue would
// have been destroyed, before the process is gone.
std::atomic<bool> ExitReleased{false};

class TExitThread : public TThread {
public:
    TExitThread() : TThread(true) { SetFreeOnTerminate(true); }

protected:
    void Execute() override
    {
        while (!ExitReleased)
            std::this_thread::yield();
    }
};

const bool ThreadAtExitDone = [] {
    if (!std::getenv("ZV_THREAD_AT_EXIT"))
        return false;
    // Runs last (registered first): gives the thread time to end.
    std::atexit([] { std::this_thread::sleep_for(std::chrono::milliseconds(200)); });
    SetMainThread(); // the main thread's queue exists from here on
    // Runs before the queue's own clean-up: lets the thread end now.
    std::atexit([] { ExitReleased = true; });
    (new TExitThread)->Start();
    std::exit(0);
}();

} // namespace

TEST(Thread, FreeOnTerminateThreadEndingAtProcessExitIsSafe)
{
    setenv("ZV_THREAD_AT_EXIT", "1", 1);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    char* argv[] = {const_cast<char*>(self.c_str()), nullptr};
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, environ);
    unsetenv("ZV_THREAD_AT_EXIT");
    ASSERT_EQ(rc, 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}
