#pragma once
// Small helpers the benchmarks share.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <malloc.h>
#include <memory>
#include <string>
#include <vector>
#include <unistd.h>

#include "platform/core/SafeSave.h"
#include "platform/forms/Application.h"
#include "platform/forms/ModalScript.h"
#include "platform/win/Paths.h"
#include "tools/panel-art/PanelArtInstall.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes(); // the sanitizer's own runtime
#endif

// Resident memory of this process in MB.
inline double ResidentMB()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Bytes the program has allocated and not freed. The address build's allocator keeps its own
// count (glibc's arenas are not used there).
inline size_t HeapBytes()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
#endif
}

// The application object the windows of a benchmark need, made once and headless.
inline void EnsureBenchApplication()
{
    if (Application)
        return;
    static int argc = 1;
    static char name[] = "zorvane_bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CreateApplication(argc, argv);
}

// What the program's windows need besides: a prefix folder of this run's own (unless one is
// given), the front-panel pictures in it, and message boxes answered instead of shown.
inline void EnsureBenchProgram()
{
    static bool made = false;
    if (made)
        return;
    made = true;
    if (!std::getenv("ZORVANE_PREFIX"))
        setenv("ZORVANE_PREFIX", ("/tmp/zorvane-bench-" + std::to_string(::getpid())).c_str(), 1);
    EnsureBenchApplication();
    PanelArt::InstallPanelArt(ZorvanePrefix());
    ModalScript::SetStrict(true);
}

// Windows kept from one benchmark run to the next. The benchmark program frees them at its
// end while Qt still lives: left to the static destructors at exit they outlive Qt's own
// statics and crash there.
inline std::vector<std::unique_ptr<TComponent>>& BenchWindows()
{
    static std::vector<std::unique_ptr<TComponent>> windows;
    return windows;
}

template <class T> T* KeepBenchWindow(std::unique_ptr<T> Window)
{
    T* w = Window.get();
    BenchWindows().push_back(std::move(Window));
    return w;
}

// A file's bytes.
inline std::string FileBytes(const std::string& Path)
{
    std::string data;
    if (std::FILE* f = std::fopen(Path.c_str(), "rb")) {
        char buf[1 << 16];
        size_t n = 0;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            data.append(buf, n);
        std::fclose(f);
    }
    return data;
}

// The value below which the share P of V lies (P = 0.5: the median).
inline double Percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

// One synced write of Bytes to Path, as dd bs=1M conv=fdatasync does it. Seconds.
inline double SyncedWriteSeconds(const std::string& Bytes, const std::string& Path)
{
    const auto t0 = std::chrono::steady_clock::now();
    const int fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return 0;
    for (size_t at = 0; at < Bytes.size();) {
        const ssize_t n = ::write(fd, Bytes.data() + at, std::min<size_t>(Bytes.size() - at, 1 << 20));
        if (n <= 0)
            break;
        at += static_cast<size_t>(n);
    }
    ::fdatasync(fd);
    ::close(fd);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The least a durable save of Bytes costs: a new file written and synced, as dd bs=1M
// conv=fdatasync does it. Seconds; the file is removed.
inline double PlainSyncedWriteSeconds(const std::string& Bytes, const std::string& Path)
{
    const double s = SyncedWriteSeconds(Bytes, Path);
    std::remove(Path.c_str());
    // The removal reaches the disk here, untimed: left in the journal it would be committed
    // by the sync of whatever save is timed next.
    SyncFolderOf(Path);
    return s;
}

// The same where a copy is there already: dd run again onto the same file, which frees the
// old copy's blocks as a save that replaces a file does. The first copy is written untimed;
// the caller removes Path at the end.
inline double OverwriteSyncedWriteSeconds(const std::string& Bytes, const std::string& Path)
{
    if (::access(Path.c_str(), F_OK) != 0) {
        SyncedWriteSeconds(Bytes, Path);
        SyncFolderOf(Path);
    }
    return SyncedWriteSeconds(Bytes, Path);
}
