#pragma once
// TTimer: calls OnTimer every Interval ms while Enabled. Setting Enabled to its current
// value keeps the phase; a changed Interval restarts the count. Ticks are not queued
// while the loop is blocked: one tick follows, as with the Windows timer.
#include <memory>

#include "platform/core/Component.h"
#include "platform/core/Events.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal v);

    TNotifyEvent OnTimer;

    // One tick now, as the loop delivers it (tests).
    void Tick();

private:
    void UpdateTimer();
    bool FEnabled = true;
    Cardinal FInterval = 1000;
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};
