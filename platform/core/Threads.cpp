#include "platform/core/Threads.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "platform/core/Synchronize.h"

struct TThread::TState {
    std::mutex mutex;
    std::condition_variable changed;
    bool gateOpen = false;  // Execute may run
    bool cancelled = false; // destroyed before it ever ran
    bool startRequested = false;
    bool exited = false;    // the thread function has returned
    std::atomic<bool> terminated = false;
    std::atomic<bool> finished = false;
    std::atomic<int> returnValue = 0;
    std::exception_ptr fatal;
    std::thread::id id;
};

TThread::TThread(bool CreateSuspended) : FState(std::make_shared<TState>())
{
    FThread = std::thread([this, state = FState] {
        {
            std::unique_lock lock(state->mutex);
            state->changed.wait(lock, [&] { return state->gateOpen || state->cancelled; });
            if (state->cancelled) {
                state->exited = true;
                state->changed.notify_all();
                return;
            }
        }
        Run();
    });
    FState->id = FThread.get_id();
    if (!CreateSuspended) {
        FState->startRequested = true;
        // Opened by the main thread once the constructor has returned (or earlier by Start/WaitFor).
        std::weak_ptr<TState> weak = FState;
        QueueOnMainThread([weak] {
            if (auto state = weak.lock()) {
                std::lock_guard lock(state->mutex);
                if (!state->cancelled)
                    state->gateOpen = true;
                state->changed.notify_all();
            }
        });
    }
}

TThread::~TThread()
{
    if (FThread.joinable()) {
        bool ran;
        {
            std::lock_guard lock(FState->mutex);
            ran = FState->gateOpen;
            if (!ran)
                FState->cancelled = true;
            FState->changed.notify_all();
        }
        if (ran) {
            Terminate();
            WaitFor();
        }
        if (FThread.joinable())
            FThread.join();
    }
}

void TThread::OpenGate()
{
    std::lock_guard lock(FState->mutex);
    FState->gateOpen = true;
    FState->changed.notify_all();
}

void TThread::Start()
{
    {
        std::lock_guard lock(FState->mutex);
        if (FState->gateOpen)
            throw EThread("Cannot call Start on a running or finished thread");
        FState->startRequested = true;
        FState->gateOpen = true;
    }
    FState->changed.notify_all();
}

void TThread::Resume()
{
    std::lock_guard lock(FState->mutex);
    FState->startRequested = true;
    FState->gateOpen = true;
    FState->changed.notify_all();
}

void TThread::Run()
{
    auto state = FState; // keeps the state alive when the object frees itself
    try {
        Execute();
    } catch (...) {
        state->fatal = std::current_exception();
    }
    bool freeIt = FFreeOnTerminate;
    state->finished = true;
    try {
        DoTerminate();
    } catch (...) {
        if (!state->fatal)
            state->fatal = std::current_exception();
    }
    if (freeIt) {
        FThread.detach();
        delete this;
    }
    {
        std::lock_guard lock(state->mutex);
        state->exited = true;
        state->changed.notify_all();
    }
    // Wakes a main thread that waits for us inside CheckSynchronize.
    QueueOnMainThread([] {});
}

void TThread::Terminate() { FState->terminated = true; }

int TThread::WaitFor()
{
    // A thread created running but not yet released starts now.
    if (FState->startRequested)
        OpenGate();
    if (IsMainThread()) {
        while (true) {
            {
                std::lock_guard lock(FState->mutex);
                if (FState->exited || !FState->gateOpen)
                    break;
            }
            CheckSynchronize(10);
        }
    } else {
        std::unique_lock lock(FState->mutex);
        FState->changed.wait(lock, [&] { return FState->exited || !FState->gateOpen; });
    }
    if (FThread.joinable() && FState->exited)
        FThread.join();
    return FState->returnValue;
}

bool TThread::Terminated() const { return FState->terminated; }

bool TThread::Suspended() const
{
    std::lock_guard lock(FState->mutex);
    return !FState->gateOpen;
}

bool TThread::Finished() const { return FState->finished; }
int TThread::ReturnValue() const { return FState->returnValue; }
std::thread::id TThread::ThreadID() const { return FState->id; }
std::exception_ptr TThread::FatalException() const { return FState->fatal; }
void TThread::SetReturnValue(int Value) { FState->returnValue = Value; }

void TThread::DoTerminate()
{
    if (OnTerminate)
        Synchronize([this] { OnTerminate(this); });
}

void TThread::Synchronize(const std::function<void()>& Method) { ::Synchronize(Method); }

void TThread::Synchronize(TThread*, const std::function<void()>& Method) { ::Synchronize(Method); }
