// The grid's CSV import and export of 100,000 rows x 8 columns of measured
// values, beside a plain read and a plain write of the same file's bytes (the
// least any CSV reader or writer must spend); the ratio is the grid's overhead.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "bench/BenchSupport.h"
#include "components/grid/Ravgrid.h"
#include "platform/forms/Application.h"

namespace {

constexpr int kCols = 8;
constexpr int kRows = 100000;


// A folder of the run's own, removed when the run ends.
std::string Folder()
{
    static std::string dir;
    if (dir.empty()) {
        char tmpl[] = "/tmp/zv_grid_files_bench_XXXXXX";
        if (!mkdtemp(tmpl))
            throw std::runtime_error("cannot make a temporary folder");
        dir = tmpl;
        std::atexit([] { std::filesystem::remove_all(dir); });
    }
    return dir;
}

std::unique_ptr<TRavArodozIdad> FilledGrid(int Rows = kRows)
{
    auto g = std::make_unique<TRavArodozIdad>(nullptr);
    g->SetColCountEx(kCols);
    g->SetRowCountEx(Rows);
    g->SetFixedRowsEx(0);
    g->SetFixedColsEx(0);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < kCols; ++c)
            g->SetGridCell(c, r, c == 0 ? std::to_string(r) : std::to_string(r % 997) + "." + std::to_string(c) + "E-9");
    return g;
}

const std::string& CsvPath()
{
    static const std::string path = [] {
        EnsureBenchApplication();
        const std::string p = Folder() + "/rows.csv";
        FilledGrid()->SaveToCSV(p);
        return p;
    }();
    return path;
}

void BM_GridCsvPlainRead(benchmark::State& state)
{
    const std::string& path = CsvPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(FileBytes(path));
}
BENCHMARK(BM_GridCsvPlainRead)->Unit(benchmark::kMillisecond);

void BM_GridCsvImport(benchmark::State& state)
{
    const std::string& path = CsvPath();
    for (auto _ : state) {
        state.PauseTiming();
        auto g = std::make_unique<TRavArodozIdad>(nullptr);
        g->SetFixedRowsEx(0);
        g->SetFixedColsEx(0);
        state.ResumeTiming();
        g->LoadFromCSV(path);
        benchmark::DoNotOptimize(g->RowCount());
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GridCsvImport)->Unit(benchmark::kMillisecond);

void BM_GridCsvPlainWrite(benchmark::State& state)
{
    const std::string data = FileBytes(CsvPath());
    const std::string out = Folder() + "/plain.csv";
    for (auto _ : state) {
        std::FILE* f = std::fopen(out.c_str(), "wb");
        if (f) {
            std::fwrite(data.data(), 1, data.size(), f);
            std::fclose(f);
        }
    }
}
BENCHMARK(BM_GridCsvPlainWrite)->Unit(benchmark::kMillisecond);

void BM_GridCsvExport(benchmark::State& state)
{
    EnsureBenchApplication();
    auto g = FilledGrid();
    const std::string out = Folder() + "/export.csv";
    for (auto _ : state)
        g->SaveToCSV(out);
}
BENCHMARK(BM_GridCsvExport)->Unit(benchmark::kMillisecond);

// A million rows saved whole in the grid's own text format (0) and as CSV (1), beside a
// plain synced write of the same bytes (dd with fdatasync); alternating, three rounds.
void BM_GridSaveMillionVsDd(benchmark::State& state)
{
    EnsureBenchApplication();
    static std::unique_ptr<TRavArodozIdad> g = FilledGrid(1000000);
    const bool csv = state.range(0) == 1;
    const std::string out = Folder() + (csv ? "/million.csv" : "/million.txt");
    double ours = 0, plain = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (csv)
            g->SaveToCSV(out);
        else
            g->SaveToFile(out);
        ours += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.PauseTiming();
        plain += PlainSyncedWriteSeconds(FileBytes(out), out + ".plain");
        state.ResumeTiming();
    }
    const double mb = static_cast<double>(std::filesystem::file_size(out)) / (1024.0 * 1024.0);
    const double n = static_cast<double>(state.iterations());
    state.counters["file_MB"] = mb;
    state.counters["ours_MB_per_s"] = mb * n / ours;
    state.counters["dd_MB_per_s"] = mb * n / plain;
    state.counters["ours_over_dd"] = ours / plain;
}
BENCHMARK(BM_GridSaveMillionVsDd)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
