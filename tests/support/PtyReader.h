#pragma once
// Reading what arrives on a serial device in tests: everything until Done(got)
// holds or TimeoutMs passes, waiting on the device between arrivals. A hang-up
// ends the reading, unless the device is a pseudo-terminal's master whose far
// end someone is yet to open (WaitForFarEnd).
#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/serial/SerialDevice.h"

template <typename Done>
AnsiString ReadUntil(TSerialDevice& Device, Done done, int TimeoutMs, bool WaitForFarEnd = false)
{
    AnsiString got;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    char buf[4096];
    while (!done(got)) {
        const int n = Device.Read(buf, sizeof buf);
        if (n > 0) {
            got.append(buf, static_cast<size_t>(n));
            continue;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        unsigned events = 0;
        Device.WaitEvents(EV_RXCHAR, events, static_cast<int>(std::min<long long>(left.count(), 50)));
        if (events & EV_HANGUP) {
            if (!WaitForFarEnd)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(2)); // nothing to wait on until it opens
        }
    }
    return got;
}

// Up to Count bytes from a device.
inline AnsiString ReadCount(TSerialDevice& Device, size_t Count, int TimeoutMs = 2000)
{
    return ReadUntil(
        Device, [Count](const AnsiString& s) { return s.size() >= Count; }, TimeoutMs);
}

// Up to Count bytes from a pseudo-terminal's master.
inline AnsiString ReadCountFromMaster(TSerialDevice& Master, size_t Count, int TimeoutMs = 2000)
{
    return ReadUntil(Master, [Count](const AnsiString& s) { return s.size() >= Count; }, TimeoutMs, true);
}
