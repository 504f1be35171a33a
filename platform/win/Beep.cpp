#include "platform/win/Beep.h"

#include <mutex>

#include <unistd.h>

namespace {

std::mutex& BeepLock()
{
    static std::mutex m;
    return m;
}

std::vector<unsigned>& Beeps()
{
    static std::vector<unsigned> beeps;
    return beeps;
}

} // namespace

bool MessageBeep(unsigned uType)
{
    {
        std::lock_guard lock(BeepLock());
        Beeps().push_back(uType);
    }
    if (::isatty(STDERR_FILENO)) {
        ssize_t n = ::write(STDERR_FILENO, "\a", 1);
        (void)n;
    }
    return true;
}

void Beep() { MessageBeep(0); }

std::vector<unsigned> RecordedBeeps()
{
    std::lock_guard lock(BeepLock());
    return Beeps();
}

void ClearRecordedBeeps()
{
    std::lock_guard lock(BeepLock());
    Beeps().clear();
}
