#pragma once
// The named mutex that marks a running instance, and the request of a second
// start that the running instance come to the front.
//
// The mutex is a lock file "<prefix>/<Name>.lock" held with flock for as long
// as the TNamedMutex lives (the system drops it when the process ends, so a
// crashed instance leaves no stale lock). The instance that holds it listens
// on the local socket "<prefix>/<Name>.sock"; a second start connects there
// (ActivateRunningInstance) and the request reaches the activation handler on
// the main thread.
#include <functional>
#include <memory>

#include "platform/core/Component.h"

class TNamedMutex : public TObject {
public:
    explicit TNamedMutex(const AnsiString& Name);
    ~TNamedMutex() override;
    // True when another process holds the mutex (Win32's ERROR_ALREADY_EXISTS).
    bool AlreadyExists() const { return FAlreadyExists; }
    const AnsiString& Name() const { return FName; }
    // Gives the mutex up early (the destructor does it otherwise).
    void Release();

private:
    struct TListener;
    AnsiString FName;
    int FLockFd = -1;
    bool FAlreadyExists = false;
    std::unique_ptr<TListener> FListener;
};

// Called on the main thread when a second start asks to come to the front.
// The forms layer (or the program) installs it; empty means the request is dropped.
void SetActivationHandler(std::function<void()> Handler);

// From a second start: asks the instance that holds the named mutex Name to come
// to the front. Returns true when it took the request.
bool ActivateRunningInstance(const AnsiString& Name);
