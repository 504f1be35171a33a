// Linked into every program of the thread-sanitizer build. Qt is not built with the
// sanitizer, and its own locks are futex-based, which the sanitizer cannot see. So the
// threads Qt starts for itself (the file dialog's folder reader, the X event reader; its
// image thread pool is kept off, QtThreadPoolOff.cpp) read as racing with whoever hands
// them work, and Qt's own state behind those locks (the posted-event queue a worker posts
// into) reads as raced on by the threads that use it. The distro's Qt has no symbols for
// these frames, so no suppression pattern can name them without also hiding our own
// calls into the same Qt code. A report is dropped instead when one of its accesses ran
// on a thread Qt started (known by its creator, QThread::start), or when both accesses
// were made by Qt's own code. Our own threads are std::threads and our objects are never
// shared through Qt, so a race between two threads of ours on our memory is always
// reported.
#include <dlfcn.h>
#include <link.h>

#include <cstdint>
#include <cstring>

extern "C" {
// The sanitizer's report inspection interface (the one debuggers use).
int __tsan_get_report_data(void* report, const char** description, int* count, int* stackCount, int* mopCount,
                           int* locCount, int* mutexCount, int* threadCount, int* uniqueTidCount, void** sleepTrace,
                           std::uintptr_t traceSize);
int __tsan_get_report_mop(void* report, std::uintptr_t idx, int* tid, void** addr, int* size, int* write,
                          int* atomic, void** trace, std::uintptr_t traceSize);
int __tsan_get_report_thread(void* report, std::uintptr_t idx, int* tid, std::uint64_t* osId, int* running,
                             const char** name, int* parentTid, void** trace, std::uintptr_t traceSize);
}

namespace {

struct CodeRange {
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
    bool Holds(const void* pc) const
    {
        const auto a = reinterpret_cast<std::uintptr_t>(pc);
        return begin != 0 && a >= begin && a <= end;
    }
};

// Found once at start-up, not while the sanitizer holds its locks; empty without Qt.
const CodeRange gQThreadStart = [] {
    CodeRange r;
    void* start = dlsym(RTLD_DEFAULT, "_ZN7QThread5startENS_8PriorityE");
    Dl_info info;
    void* entry = nullptr;
    if (start && dladdr1(start, &info, &entry, RTLD_DL_SYMENT) && entry) {
        const auto* sym = static_cast<const ElfW(Sym)*>(entry);
        r.begin = reinterpret_cast<std::uintptr_t>(start);
        r.end = r.begin + sym->st_size;
    }
    return r;
}();

// The innermost frame outside the sanitizer's runtime lies in one of Qt's libraries.
bool MadeByQt(void* const* trace, int frames)
{
    for (int i = 0; i < frames && trace[i]; ++i) {
        Dl_info info;
        if (!dladdr(trace[i], &info) || !info.dli_fname)
            return false;
        if (std::strstr(info.dli_fname, "/libtsan."))
            continue;
        return std::strstr(info.dli_fname, "/libQt6") != nullptr;
    }
    return false;
}

bool StartedByQt(void* report, int tid, int threadCount)
{
    for (int i = 0; i < threadCount; ++i) {
        int id = -1, running = 0, parent = -1;
        std::uint64_t osId = 0;
        const char* name = nullptr;
        void* creation[4] = {};
        if (!__tsan_get_report_thread(report, i, &id, &osId, &running, &name, &parent, creation, 4) || id != tid)
            continue;
        for (const void* pc : creation)
            if (gQThreadStart.Holds(pc))
                return true;
    }
    return false;
}

} // namespace

namespace __tsan {
struct ReportDesc;

// The sanitizer asks this before it prints a report; true drops the report.
bool OnReport(const ReportDesc* rep, bool suppressed)
{
    if (suppressed)
        return true;
    void* report = const_cast<ReportDesc*>(rep);
    const char* description = nullptr;
    int count = 0, stacks = 0, mops = 0, locs = 0, mutexes = 0, threads = 0, tids = 0;
    void* sleep[1] = {};
    if (!__tsan_get_report_data(report, &description, &count, &stacks, &mops, &locs, &mutexes, &threads, &tids,
                                sleep, 1))
        return false;
    int byQt = 0;
    for (int m = 0; m < mops; ++m) {
        int tid = -1, size = 0, write = 0, atomic = 0;
        void* addr = nullptr;
        void* trace[4] = {};
        if (!__tsan_get_report_mop(report, m, &tid, &addr, &size, &write, &atomic, trace, 4))
            return false;
        if (StartedByQt(report, tid, threads))
            return true;
        byQt += MadeByQt(trace, 4);
    }
    return mops > 1 && byQt == mops;
}

} // namespace __tsan
