#include "platform/core/Synchronize.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct SyncCall {
    std::function<void()> method;                   // a queued call owns its method
    const std::function<void()>* waited = nullptr; // a waiting caller's, on its stack
    bool done = false;
    std::exception_ptr error;
    void Run() const { waited ? (*waited)() : method(); }
};

struct SyncQueue {
    std::mutex mutex;
    std::condition_variable arrived;  // main thread waits for calls
    std::condition_variable finished; // workers wait for their call
    // Queued calls are owned here until they ran; waiting calls by their caller.
    std::deque<SyncCall*> calls;
    bool wakePending = false; // a wake is on its way: the loop runs every call queued until then
    // The wake runs outside the queue's lock: a loop woken while the worker still held it
    // would block on it at once, and the hand-back costs both threads a second switch.
    // Its own lock only keeps it from running while it is replaced.
    std::mutex wakeMutex;
    std::function<void()> wake;
    std::thread::id mainId;
    bool mainSet = false;
};

// Never destroyed: a thread that frees itself may still end (and wake the
// main thread) while the process exits, after static objects are gone.
SyncQueue& Q()
{
    static SyncQueue* q = new SyncQueue;
    return *q;
}

std::thread::id MainId()
{
    auto& q = Q();
    std::lock_guard lock(q.mutex);
    if (!q.mainSet) {
        q.mainId = std::this_thread::get_id();
        q.mainSet = true;
    }
    return q.mainId;
}

// Under the queue's lock: whether the loop needs a wake (calls wait and no wake is on its
// way). One wake serves every call queued before it runs.
bool WakeDue(SyncQueue& q)
{
    if (q.calls.empty() || q.wakePending)
        return false;
    q.wakePending = true;
    return true;
}

// Outside the queue's lock. A wake lost to a missing loop is made good by the next
// SetWakeMainThread, which clears the pending mark.
void Wake(SyncQueue& q)
{
    std::lock_guard lock(q.wakeMutex);
    if (q.wake)
        q.wake();
}

void Enqueue(SyncCall* call)
{
    auto& q = Q();
    bool wake = false;
    {
        std::lock_guard lock(q.mutex);
        q.calls.push_back(call);
        wake = WakeDue(q);
    }
    if (wake)
        Wake(q);
    q.arrived.notify_all();
}

} // namespace

void SetMainThread()
{
    auto& q = Q();
    std::lock_guard lock(q.mutex);
    q.mainId = std::this_thread::get_id();
    q.mainSet = true;
}

bool IsMainThread() { return std::this_thread::get_id() == MainId(); }

void Synchronize(const std::function<void()>& Method)
{
    if (IsMainThread()) {
        Method();
        return;
    }
    SyncCall call;
    call.waited = &Method;
    Enqueue(&call);
    auto& q = Q();
    std::unique_lock lock(q.mutex);
    q.finished.wait(lock, [&] { return call.done; });
    if (call.error)
        std::rethrow_exception(call.error);
}

void QueueOnMainThread(std::function<void()> Method)
{
    auto call = std::make_unique<SyncCall>();
    call->method = std::move(Method);
    Enqueue(call.release());
}

bool CheckSynchronize(int TimeoutMs)
{
    if (!IsMainThread())
        return false;
    auto& q = Q();
    bool ran = false;
    std::unique_lock lock(q.mutex);
    if (q.calls.empty() && TimeoutMs > 0)
        q.arrived.wait_for(lock, std::chrono::milliseconds(TimeoutMs), [&] { return !q.calls.empty(); });
    q.wakePending = false; // calls queued from now on need a wake of their own
    while (!q.calls.empty()) {
        SyncCall* call = q.calls.front();
        q.calls.pop_front();
        lock.unlock();
        if (!call->waited) {
            // A queued call has nobody waiting: an exception goes to the loop's handler.
            std::unique_ptr<SyncCall> owned(call);
            try {
                owned->Run();
            } catch (...) {
                // The calls behind it are not left waiting for a wake that was spent.
                bool wake = false;
                {
                    std::lock_guard relock(q.mutex);
                    wake = WakeDue(q);
                }
                if (wake)
                    Wake(q);
                throw;
            }
            ran = true;
            lock.lock();
            continue;
        }
        try {
            call->Run();
        } catch (...) {
            call->error = std::current_exception();
        }
        ran = true;
        lock.lock();
        call->done = true; // the caller may return (and free it) from here on
        q.finished.notify_all();
    }
    return ran;
}

void SetWakeMainThread(std::function<void()> WakeLoop)
{
    auto& q = Q();
    std::lock_guard wakeLock(q.wakeMutex);
    q.wake = std::move(WakeLoop);
    std::lock_guard lock(q.mutex);
    q.wakePending = false;
}
