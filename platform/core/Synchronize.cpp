#include "platform/core/Synchronize.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct SyncCall {
    std::function<void()> method;
    bool wait = false;
    bool done = false;
    std::exception_ptr error;
};

struct SyncQueue {
    std::mutex mutex;
    std::condition_variable arrived;  // main thread waits for calls
    std::condition_variable finished; // workers wait for their call
    std::deque<std::shared_ptr<SyncCall>> calls;
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

void Enqueue(const std::shared_ptr<SyncCall>& call)
{
    auto& q = Q();
    {
        // The wake posts to the loop under the lock, so that the loop's run of the calls
        // (which takes the lock) is ordered after everything the post allocated: Qt's own
        // queue lock is invisible to the thread checker.
        std::lock_guard lock(q.mutex);
        q.calls.push_back(call);
        if (q.wake)
            q.wake();
    }
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
    auto call = std::make_shared<SyncCall>();
    call->method = Method;
    call->wait = true;
    Enqueue(call);
    auto& q = Q();
    std::unique_lock lock(q.mutex);
    q.finished.wait(lock, [&] { return call->done; });
    if (call->error)
        std::rethrow_exception(call->error);
}

void QueueOnMainThread(std::function<void()> Method)
{
    auto call = std::make_shared<SyncCall>();
    call->method = std::move(Method);
    Enqueue(call);
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
    while (!q.calls.empty()) {
        auto call = q.calls.front();
        q.calls.pop_front();
        lock.unlock();
        try {
            call->method();
        } catch (...) {
            if (call->wait) {
                call->error = std::current_exception();
            } else {
                lock.lock();
                call->done = true;
                throw; // a queued call has nobody waiting: the loop's handler shows it
            }
        }
        ran = true;
        lock.lock();
        call->done = true;
        q.finished.notify_all();
    }
    return ran;
}

void SetWakeMainThread(std::function<void()> Wake)
{
    auto& q = Q();
    std::lock_guard lock(q.mutex);
    q.wake = std::move(Wake);
}
