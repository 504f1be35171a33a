#pragma once
// TThread: a worker thread running Execute. Created suspended it waits for
// Start (or Resume). Created running, it starts once its construction is done:
// C++ cannot run a derived Execute from the base constructor, so the start
// waits for the first of Start/Resume/WaitFor/Terminate or the main thread's
// next run of queued calls. A derived class that must run at once passes true
// and calls Start() at the end of its own constructor.
//
// A derived class whose Execute uses its own members must Terminate and
// WaitFor in its destructor: by the time ~TThread runs those are gone.
#include <exception>
#include <functional>
#include <memory>
#include <thread>

#include "platform/core/Component.h"
#include "platform/core/Events.h"

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
public:
    explicit TThread(bool CreateSuspended);
    ~TThread() override;

    // EThread "Cannot call Start on a running or finished thread" when started before.
    void Start();
    void Resume();
    // Sets Terminated; Execute is expected to look at it and return.
    void Terminate();
    // Waits until the thread has ended (OnTerminate included) and returns
    // ReturnValue. On the main thread it keeps running queued calls while it
    // waits, so a worker's Synchronize cannot deadlock with it.
    int WaitFor();

    bool Terminated() const;
    bool Suspended() const;
    bool Finished() const;
    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
    TThreadPriority Priority() const { return FPriority; }
    // Accepted and kept; threads run at the process's priority.
    void SetPriority(TThreadPriority Value) { FPriority = Value; }
    int ReturnValue() const;
    std::thread::id ThreadID() const;
    // The exception that ended Execute, if any.
    std::exception_ptr FatalException() const;

    // Runs on the main thread after Execute has returned.
    TNotifyEvent OnTerminate;

    // Runs Method on the main thread and waits for it.
    static void Synchronize(TThread* AThread, const std::function<void()>& Method);

protected:
    virtual void Execute() = 0;
    // Calls OnTerminate on the main thread.
    virtual void DoTerminate();
    void Synchronize(const std::function<void()>& Method);
    void SetReturnValue(int Value);

private:
    struct TState;
    void OpenGate();
    void Run();

    std::shared_ptr<TState> FState;
    std::thread FThread;
    bool FFreeOnTerminate = false;
    TThreadPriority FPriority = tpNormal;
};
