// The list result table at its full size: 1000 loops x 1000 steps appended one record at a
// time, as a run writes them, and saved; Qt's item model holding the same records beside it.
#include <benchmark/benchmark.h>

#include <QStandardItemModel>
#include <chrono>
#include <memory>
#include <vector>

#include "bench/BenchSupport.h"
#include "components/grid/Ravgrid.h"
#include "list/ListPublic.h"
#include "main/Lcr.h"
#include "platform/core/FileUtils.h"
#include "platform/core/Synchronize.h"
#include "platform/forms/Application.h"
#include "platform/win/Paths.h"

namespace {

constexpr int kFastestPollMs = 100; // the polling interval at speed FAST

TLCRForm* ListForm()
{
    static TLCRForm* form = nullptr;
    if (!form) {
        EnsureBenchProgram();
        form = KeepBenchWindow(std::make_unique<TLCRForm>(nullptr));
        TRavArodozIdad* s = form->ListSetupGrid;
        const char* step[18] = {"1", "Cs-Rs", "Freq(kHz)", "1.000", "Level(V)", "1.00", "Both", "SEQ", "", "nF",
            "90.0000", "110.000", "", " ohm", "0.00000", "5.00000", "Z", "OFF"};
        for (int c = 0; c < 18; ++c)
            s->SetCellEx(c, 1, step[c]);
    }
    return form;
}

// One record as the run writes it: the step's columns, then the reading and the verdict.
void AppendRecord(TRavArodozIdad* g, int Rec, const AnsiString& Loop, const AnsiString& Step)
{
    g->SetRowCountEx(Rec + 1);
    g->SetCellEx(0, Rec, Loop);
    g->SetCellEx(1, Rec, Step);
    g->SetCellEx(2, Rec, "Cs-Rs");
    g->SetCellEx(3, Rec, "Z");
    g->SetCellEx(4, Rec, "OFF");
    g->SetCellEx(5, Rec, "1.000 kHz");
    g->SetCellEx(6, Rec, "1.00 V");
    g->SetCellEx(7, Rec, " 100.008 nF");
    g->SetCellEx(8, Rec, " 2.00004  ohm");
    g->SetCellEx(9, Rec, " 1.59155 kohm");
    g->SetCellEx(11, Rec, "PASS,PASS");
}

// Appends Loops x Steps records; when Tenths is given, the seconds each tenth of them took.
void FillRecords(TRavArodozIdad* g, int Loops, int Steps, std::vector<double>* Tenths = nullptr)
{
    g->SetRowCountEx(2);
    const int total = Loops * Steps;
    int rec = 1;
    auto start = std::chrono::steady_clock::now();
    for (int loop = 1; loop <= Loops; ++loop) {
        const AnsiString l = std::to_string(loop);
        for (int step = 1; step <= Steps; ++step) {
            AppendRecord(g, rec, l, std::to_string(step));
            if (Tenths && total >= 10 && rec % (total / 10) == 0) {
                const auto now = std::chrono::steady_clock::now();
                Tenths->push_back(std::chrono::duration<double>(now - start).count());
                start = now;
            }
            ++rec;
        }
    }
}

// A million records, as 1000 loops of 1000 steps write them. The append is constant time
// when the last tenth of the records takes as long per record as the first.
void BM_ListResultAppendMillion(benchmark::State& state)
{
    TLCRForm* f = ListForm();
    const double before = ResidentMB();
    constexpr double tenth = 100000;
    std::vector<double> tenths;
    for (auto _ : state) {
        tenths.clear();
        FillRecords(f->ListMeasGrid, 1000, 1000, &tenths);
        state.counters["resident_MB"] = ResidentMB();
        state.counters["table_MB"] = ResidentMB() - before;
    }
    double total = 0;
    for (double t : tenths)
        total += t;
    const double perRecordUs = total * 1e6 / (10 * tenth);
    const double firstUs = tenths.front() * 1e6 / tenth, lastUs = tenths.back() * 1e6 / tenth;
    state.counters["records"] = f->ListMeasGrid->GetRowCountEx() - 1;
    state.counters["us_per_record"] = perRecordUs;
    state.counters["us_per_record_first_10pct"] = firstUs;
    state.counters["us_per_record_last_10pct"] = lastUs;
    state.counters["last_over_first"] = lastUs / firstUs;
    // The share of the fastest polling interval one record takes.
    state.counters["share_of_poll"] = perRecordUs / (kFastestPollMs * 1000.0);
}
BENCHMARK(BM_ListResultAppendMillion)->Iterations(1)->Unit(benchmark::kMillisecond);

// The million-record result file saved whole (written, synced, renamed into place), beside
// a plain synced write of the same bytes (dd with fdatasync); alternating, three rounds.
void BM_ListResultSaveMillion(benchmark::State& state)
{
    TLCRForm* f = ListForm();
    if (f->ListMeasGrid->GetRowCountEx() < 1000001)
        FillRecords(f->ListMeasGrid, 1000, 1000);
    const AnsiString path = ZorvanePrefix() + "/bench_ListMeasResult.txt";
    double ours = 0, plain = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        WriteListMeasResultFile(path);
        ours += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.PauseTiming();
        plain += PlainSyncedWriteSeconds(FileBytes(path), path + ".plain");
        state.ResumeTiming();
    }
    const double mb = static_cast<double>(FileSizeOf(path)) / (1024.0 * 1024.0);
    const double n = static_cast<double>(state.iterations());
    state.counters["file_MB"] = mb;
    state.counters["ours_MB_per_s"] = mb * n / ours;
    state.counters["dd_MB_per_s"] = mb * n / plain;
    state.counters["ours_over_dd"] = ours / plain;
    DeleteFile(path);
}
BENCHMARK(BM_ListResultSaveMillion)->Iterations(3)->Unit(benchmark::kMillisecond);

// Side by side at 100000 records: our table against Qt's item model.
void BM_ListResultAppendOurs100k(benchmark::State& state)
{
    TLCRForm* f = ListForm();
    for (auto _ : state)
        FillRecords(f->ListMeasGrid, 100, 1000);
    state.counters["records"] = 100000;
}
BENCHMARK(BM_ListResultAppendOurs100k)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ListResultAppendQtModel100k(benchmark::State& state)
{
    ListForm();
    for (auto _ : state) {
        QStandardItemModel model(1, 12);
        int rec = 1;
        for (int loop = 1; loop <= 100; ++loop)
            for (int step = 1; step <= 1000; ++step, ++rec) {
                model.setRowCount(rec + 1);
                const char* cells[12] = {nullptr, nullptr, "Cs-Rs", "Z", "OFF", "1.000 kHz", "1.00 V", " 100.008 nF",
                    " 2.00004  ohm", " 1.59155 kohm", "", "PASS,PASS"};
                model.setItem(rec, 0, new QStandardItem(QString::number(loop)));
                model.setItem(rec, 1, new QStandardItem(QString::number(step)));
                for (int c = 2; c < 12; ++c)
                    if (cells[c][0])
                        model.setItem(rec, c, new QStandardItem(QString::fromLatin1(cells[c])));
            }
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["records"] = 100000;
}
BENCHMARK(BM_ListResultAppendQtModel100k)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
