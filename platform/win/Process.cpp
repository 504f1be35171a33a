#include "platform/win/Process.h"

#include <sys/resource.h>

bool SetPriorityClass(DWORD PriorityClass)
{
    int nice = 0;
    switch (PriorityClass) {
    case IDLE_PRIORITY_CLASS: nice = 19; break;
    case HIGH_PRIORITY_CLASS: nice = -10; break;
    case REALTIME_PRIORITY_CLASS: nice = -20; break;
    default: nice = 0; break;
    }
    return ::setpriority(PRIO_PROCESS, 0, nice) == 0;
}
