// Sorting a 1,000,000-row grid of 8 columns by a numeric and by a text column,
// beside std::stable_sort of the same keys with their row numbers (what a
// program holding its rows in a vector would do). Parsing the numbers is
// outside the plain key sort and inside the grid's (it compares cell texts);
// a second plain sort parses at each comparison as the grid does. Each run
// sorts the same shuffled rows; filling is not timed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "components/grid/Ravgrid.h"
#include "platform/forms/Application.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 8;


// Column 1: a measured value; column 2: a text with many repeats; the rest filler.
struct Data {
    std::vector<std::string> numbers, words;
};

const Data& Keys()
{
    static Data d;
    if (d.numbers.empty()) {
        std::mt19937 gen(12345);
        char buf[32];
        for (int i = 0; i < kRows; ++i) {
            std::snprintf(buf, sizeof buf, "%u.%05u", unsigned(gen() % 100000), unsigned(gen() % 100000));
            d.numbers.emplace_back(buf);
            std::snprintf(buf, sizeof buf, "item-%04u", unsigned(gen() % 5000));
            d.words.emplace_back(buf);
        }
    }
    return d;
}

std::unique_ptr<TRavArodozIdad> FilledGrid()
{
    EnsureBenchApplication();
    const Data& d = Keys();
    auto g = std::make_unique<TRavArodozIdad>(nullptr);
    g->SetColCountEx(kCols);
    g->SetRowCountEx(kRows + 1);
    g->SetFixedRowsEx(1);
    g->SetFixedColsEx(0);
    for (int i = 0; i < kRows; ++i) {
        const int r = i + 1;
        g->SetCellEx(0, r, std::to_string(i));
        g->SetCellEx(1, r, d.numbers[size_t(i)]);
        g->SetCellEx(2, r, d.words[size_t(i)]);
        for (int c = 3; c < kCols; ++c)
            g->SetCellEx(c, r, "PASS");
    }
    return g;
}

void GridSort(benchmark::State& state, int Col, bool Full)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto g = FilledGrid();
        g->SortSettings()->SetColumn(Col);
        g->SortSettings()->SetFull(Full);
        state.ResumeTiming();
        g->QSort();
        state.PauseTiming();
        state.counters["compares"] = g->SortCompares();
        state.counters["swaps"] = g->SortSwaps();
        g.reset();
        state.ResumeTiming();
    }
}

} // namespace

static void BM_GridQSort_1M_Numeric(benchmark::State& state) { GridSort(state, 1, true); }
BENCHMARK(BM_GridQSort_1M_Numeric)->Iterations(2)->Unit(benchmark::kMillisecond);

// Ties (about 200 rows per text) go on to the five columns after it.
static void BM_GridQSort_1M_Text(benchmark::State& state) { GridSort(state, 2, true); }
BENCHMARK(BM_GridQSort_1M_Text)->Iterations(2)->Unit(benchmark::kMillisecond);

// The same without breaking ties, as the plain key sort does.
static void BM_GridQSort_1M_TextNoTieBreak(benchmark::State& state) { GridSort(state, 2, false); }
BENCHMARK(BM_GridQSort_1M_TextNoTieBreak)->Iterations(2)->Unit(benchmark::kMillisecond);

// std::stable_sort of Base's (key, row) pairs by Less, a fresh copy each time.
template <class Pair, class Less>
void StableSortCopies(benchmark::State& state, const std::vector<Pair>& Base, Less L)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto v = Base;
        state.ResumeTiming();
        std::stable_sort(v.begin(), v.end(), L);
        benchmark::DoNotOptimize(v.data());
    }
}

static void BM_StdStableSort_1M_NumericKeys(benchmark::State& state)
{
    const Data& d = Keys();
    std::vector<std::pair<double, int>> base;
    for (int i = 0; i < kRows; ++i)
        base.emplace_back(std::strtod(d.numbers[size_t(i)].c_str(), nullptr), i);
    StableSortCopies(state, base, [](const auto& a, const auto& b) { return a.first < b.first; });
}
BENCHMARK(BM_StdStableSort_1M_NumericKeys)->Iterations(2)->Unit(benchmark::kMillisecond);

static void BM_StdStableSort_1M_NumericTexts(benchmark::State& state)
{
    const Data& d = Keys();
    std::vector<std::pair<const std::string*, int>> base;
    for (int i = 0; i < kRows; ++i)
        base.emplace_back(&d.numbers[size_t(i)], i);
    StableSortCopies(state, base, [](const auto& a, const auto& b) {
        return std::strtod(a.first->c_str(), nullptr) < std::strtod(b.first->c_str(), nullptr);
    });
}
BENCHMARK(BM_StdStableSort_1M_NumericTexts)->Iterations(2)->Unit(benchmark::kMillisecond);

static void BM_StdStableSort_1M_TextKeys(benchmark::State& state)
{
    const Data& d = Keys();
    std::vector<std::pair<std::string, int>> base;
    for (int i = 0; i < kRows; ++i)
        base.emplace_back(d.words[size_t(i)], i);
    StableSortCopies(state, base, [](const auto& a, const auto& b) { return a.first < b.first; });
}
BENCHMARK(BM_StdStableSort_1M_TextKeys)->Iterations(2)->Unit(benchmark::kMillisecond);
