#pragma once
// Small helpers the benchmarks share.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#include <unistd.h>

#include "platform/forms/Application.h"
#include "platform/forms/ModalScript.h"
#include "platform/win/Paths.h"
#include "tools/panel-art/PanelArtInstall.h"

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
