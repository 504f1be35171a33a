#pragma once
// Events are std::function members, empty when unassigned (the class library's
// method pointers). Fire them through the helpers so an empty event is a no-op.
#include <functional>

class TObject;

using TNotifyEvent = std::function<void(TObject* Sender)>;

template <typename Event, typename... Args>
inline void FireEvent(const Event& ev, Args&&... args)
{
    if (ev)
        ev(std::forward<Args>(args)...);
}
