// The benchmark program's entry: the benchmarks run, then the application goes with the
// windows it owns while Qt still lives (a window left to the static destructors at exit
// outlives Qt's own statics and crashes there).
#include <benchmark/benchmark.h>

#include "platform/forms/Application.h"

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (Application)
        DestroyApplication();
    return 0;
}
