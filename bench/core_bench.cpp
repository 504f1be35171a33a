// Number formatting and reading: every measured value of a reply passes here.
#include <benchmark/benchmark.h>

#include "platform/core/FloatConvert.h"

static void BM_FloatToStrF_Fixed(benchmark::State& state)
{
    double v = 123.456789;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToStrF(v, ffFixed, 7, 4));
        v += 0.001;
    }
}
BENCHMARK(BM_FloatToStrF_Fixed);

static void BM_FloatToStrF_General(benchmark::State& state)
{
    double v = 0.000123456789;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToStrF(v, ffGeneral, 15, 0));
        v *= 1.0001;
    }
}
BENCHMARK(BM_FloatToStrF_General);

static void BM_FormatFloat(benchmark::State& state)
{
    double v = 1234567.891;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatFloat("#,##0.00;(#,##0.00);Zero", v));
        v = -v * 0.999;
    }
}
BENCHMARK(BM_FormatFloat);

static void BM_StrToFloat(benchmark::State& state)
{
    const AnsiString texts[] = {"+1.23456e+03", "-4.70000e-09", "99999.5", " 0.5 "};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(StrToFloat(texts[i]));
        i = (i + 1) % 4;
    }
}
BENCHMARK(BM_StrToFloat);
