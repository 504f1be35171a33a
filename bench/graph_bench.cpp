// The sweep graph's full replot: 8 traces of 1000 points rebuilt from the table and the
// stored pass and drawn, measured against the fastest polling interval (100 ms); beside
// it the same points handed straight to Qt Charts and drawn, as a user of Qt could do.
#include <benchmark/benchmark.h>

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "bench/BenchSupport.h"
#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"
#include "main/Lcr.h"
#include "platform/chart/Chart.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/Synchronize.h"
#include "platform/forms/Application.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/GroupBox.h"
#include "platform/graphics/Bitmap.h"

namespace {

constexpr int kPoints = 1000;

double Reading(int Trace, int Point, int Pass)
{
    return 100 + 50 * std::sin(Point / 40.0 + Trace) + Pass * 3;
}

// A main window whose table holds two measured passes of 1000 points.
TLCRForm* SweepWindow()
{
    static TLCRForm* f = nullptr;
    if (f)
        return f;
    EnsureBenchProgram();
    f = KeepBenchWindow(std::make_unique<TLCRForm>(nullptr));
    f->SweepGraphPointEdit->SetText(std::to_string(kPoints));
    f->SweepGraphMon1Box->SetItemIndex(1);
    f->SweepGraphMon2Box->SetItemIndex(2);
    SetupSweepGraph();
    f->SetSweepGraphCompare->SetItemIndex(0);
    f->ComparePass = 2;
    TRavArodozIdad* g = f->SweepResultGrid;
    g->SetRowCountEx(2 * kPoints + 1);
    for (int p = 1; p <= kPoints; ++p)
        for (int t = 0; t < 4; ++t) {
            g->SetCellEx(2, kPoints + p, g->GetCellEx(2, p));
            f->SweepValueText[0][t][p] = " " + FloatToStrF(Reading(t, p, 0), ffFixed, 6, 3) + " nF";
            g->SetCellEx(4 + t, kPoints + p, " " + FloatToStrF(Reading(t, p, 1), ffFixed, 6, 3) + " nF");
        }
    for (int n = 1; n <= 8; ++n)
        GraphCheckOf(n)->SetChecked(true);
    return f;
}

// The polling interval at FAST, the shortest: a replot should fit well inside it.
constexpr double kPollingIntervalS = 0.100;

void BM_SweepReplotOurs(benchmark::State& state)
{
    TLCRForm* f = SweepWindow();
    TBitmap picture;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        ScaleSweepGraph();
        f->SweepGraphChart->DrawToBitmap(&picture);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    int points = 0;
    for (int s = 0; s < 8; ++s)
        points += f->SweepGraphChart->Series(s)->Count();
    state.counters["points"] = points;
    // One replot's time as a fraction of the polling interval (1 = a whole interval).
    state.counters["of_poll_interval"] =
        benchmark::Counter(seconds / kPollingIntervalS, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SweepReplotOurs)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SweepReplotBareQtCharts(benchmark::State& state)
{
    EnsureBenchApplication();
    const int w = 866, h = 350;
    QGraphicsScene scene;
    auto* chart = new QChart();
    scene.addItem(chart);
    chart->setGeometry(0, 0, w, h);
    auto* x = new QValueAxis();
    auto* y = new QValueAxis();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    std::vector<QLineSeries*> series;
    for (int s = 0; s < 8; ++s) {
        auto* ls = new QLineSeries();
        chart->addSeries(ls);
        ls->attachAxis(x);
        ls->attachAxis(y);
        series.push_back(ls);
    }
    QImage img(w, h, QImage::Format_RGB32);
    for (auto _ : state) {
        for (int s = 0; s < 8; ++s) {
            QList<QPointF> pts;
            pts.reserve(kPoints);
            for (int p = 1; p <= kPoints; ++p)
                pts.append(QPointF(1 + 299.0 * (p - 1) / (kPoints - 1), Reading(s % 4, p, s / 4)));
            series[s]->replace(pts);
        }
        x->setRange(0, 300);
        y->setRange(0, 200);
        img.fill(Qt::white);
        QPainter painter(&img);
        scene.render(&painter, QRectF(0, 0, w, h), QRectF(0, 0, w, h));
    }
}
BENCHMARK(BM_SweepReplotBareQtCharts)->Unit(benchmark::kMillisecond)->UseRealTime();

// The sweep result file of two passes of 1000 points saved whole, beside a plain synced
// write of the same bytes (dd with fdatasync) to a new file and over its own last copy;
// alternating, thirty rounds. A save this small takes about a millisecond, and single syncs
// on a shared disk can take ten times that: the medians are compared.
void BM_SweepResultSaveVsDd(benchmark::State& state)
{
    SweepWindow();
    const std::string path = (std::filesystem::temp_directory_path() / "zv_bench_SweepGraphResult.txt").string();
    std::vector<double> ours, plain, again;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        WriteSweepGraphResultFile(path);
        ours.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        state.PauseTiming();
        const std::string bytes = FileBytes(path);
        plain.push_back(PlainSyncedWriteSeconds(bytes, path + ".plain"));
        again.push_back(OverwriteSyncedWriteSeconds(bytes, path + ".again"));
        state.ResumeTiming();
    }
    state.counters["file_kB"] = static_cast<double>(std::filesystem::file_size(path)) / 1024.0;
    state.counters["ours_median_ms"] = Percentile(ours, 0.5) * 1000;
    state.counters["dd_median_ms"] = Percentile(plain, 0.5) * 1000;
    state.counters["ours_over_dd"] = Percentile(ours, 0.5) / Percentile(plain, 0.5);
    state.counters["dd_again_median_ms"] = Percentile(again, 0.5) * 1000;
    state.counters["ours_over_dd_again"] = Percentile(ours, 0.5) / Percentile(again, 0.5);
    std::filesystem::remove(path);
    std::filesystem::remove(path + ".again");
}
BENCHMARK(BM_SweepResultSaveVsDd)->Iterations(30)->Unit(benchmark::kMillisecond);

} // namespace
