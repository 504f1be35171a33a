// The benchmark program's entry: the benchmarks run, then the windows they kept and the
// application go while Qt still lives (a window left to the static destructors at exit
// outlives Qt's own statics and crashes there).
#include <benchmark/benchmark.h>

#include "bench/BenchSupport.h"

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    while (!BenchWindows().empty())
        BenchWindows().pop_back(); // the latest first
    if (Application)
        DestroyApplication();
    return 0;
}
