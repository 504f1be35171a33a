// The string grid at the program's largest run: 1000 steps x 1000 loops gives
// 1,000,001 rows of the list measurement table, 16 columns of short texts.
// Filling, reading back, appending rows and painting the visible window at the
// top and at the end (the paint cost must not grow with the row count).
// Clearing every data row, and inserting and deleting one row at the top, in
// the middle and at the end, beside Qt's item model of the same shape; and the
// heap a table of the same texts takes, ours against Qt's item model.
#include <QStandardItemModel>
#include <benchmark/benchmark.h>

#include "bench/BenchSupport.h"

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

#include "components/grid/Ravgrid.h"
#include "platform/forms/Application.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

constexpr int kCols = 16;
constexpr int kRows = 1000001;

// A short text like the program's measured values.
void CellText(int c, int r, char* buf, size_t n)
{
    if (c == 0)
        std::snprintf(buf, n, "%d", r);
    else if (c == 5)
        std::snprintf(buf, n, "%s", r % 3 ? "PASS" : "FAIL");
    else
        std::snprintf(buf, n, "%d.%05d", (r * 7 + c) % 1000, (r * 13 + c * 31) % 100000);
}

std::unique_ptr<TRavArodozIdad> MakeGrid(int rows)
{
    EnsureBenchApplication();
    auto g = std::make_unique<TRavArodozIdad>(nullptr);
    g->SetColCountEx(kCols);
    g->SetRowCountEx(rows);
    g->SetFixedRowsEx(1);
    g->SetFixedColsEx(0);
    g->SetBounds(0, 0, 760, 420);
    g->SetDefaultColWidth(46);
    g->SetColor(clBlack);
    g->Font()->SetColor(clLime);
    return g;
}

void Fill(TRavArodozIdad& g, int rows)
{
    char buf[32];
    for (int r = 1; r < rows; ++r)
        for (int c = 0; c < kCols; ++c) {
            CellText(c, r, buf, sizeof buf);
            g.SetCellEx(c, r, buf);
        }
}

// One filled grid shared by the read and paint benchmarks.
TRavArodozIdad& FilledGrid()
{
    static std::unique_ptr<TRavArodozIdad> g;
    if (!g) {
        g = MakeGrid(kRows);
        Fill(*g, kRows);
    }
    return *g;
}

} // namespace

static void BM_GridFill_1M_x16(benchmark::State& state)
{
    for (auto _ : state) {
        const double before = ResidentMB();
        const size_t heapBefore = HeapBytes();
        auto g = MakeGrid(kRows);
        Fill(*g, kRows);
        const double after = ResidentMB();
        state.counters["resident_MB"] = after - before;
        state.counters["heap_B_per_cell"] = double(HeapBytes() - heapBefore) / (double(kRows - 1) * kCols);
        state.counters["store_MB"] = double(g->Store().MemoryUsed()) / (1024.0 * 1024.0);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
    state.counters["cells"] = double(kRows - 1) * kCols;
}
BENCHMARK(BM_GridFill_1M_x16)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_GridReadBack_1M_x16(benchmark::State& state)
{
    TRavArodozIdad& g = FilledGrid();
    char buf[32];
    long mismatches = 0;
    for (auto _ : state) {
        for (int r = 1; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                const AnsiString s = g.GetCellEx(c, r);
                CellText(c, r, buf, sizeof buf);
                mismatches += s != buf;
            }
    }
    state.counters["mismatches"] = double(mismatches);
}
BENCHMARK(BM_GridReadBack_1M_x16)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_GridAddRow(benchmark::State& state)
{
    auto g = MakeGrid(2);
    char buf[32];
    for (auto _ : state) {
        g->AddRow();
        const int r = g->RowCount() - 1;
        for (int c = 0; c < kCols; ++c) {
            CellText(c, r, buf, sizeof buf);
            g->SetCellEx(c, r, buf);
        }
    }
}
BENCHMARK(BM_GridAddRow)->Iterations(200000)->Unit(benchmark::kMicrosecond);

// Paints the visible window into a bitmap; Arg 0: the top of the table, 1: its end.
static void PaintAt(benchmark::State& state, TRavArodozIdad& g)
{
    TBitmap bmp;
    bmp.SetSize(g.Width(), g.Height());
    if (state.range(0) == 0)
        g.SetTopRow(1);
    else
        g.SetTopRow(g.RowCount() - 1);
    g.SelectRange(0, kCols - 1, g.TopRow() + 2, g.TopRow() + 2);
    for (auto _ : state)
        g.PaintTo(bmp.Canvas(), 0, 0);
    state.counters["top_row"] = g.TopRow();
}

static void BM_GridPaint_1M(benchmark::State& state) { PaintAt(state, FilledGrid()); }
BENCHMARK(BM_GridPaint_1M)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_GridPaint_1K(benchmark::State& state)
{
    static std::unique_ptr<TRavArodozIdad> small;
    if (!small) {
        small = MakeGrid(1001);
        Fill(*small, 1001);
    }
    PaintAt(state, *small);
}
BENCHMARK(BM_GridPaint_1K)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Clearing every data cell: the program's fresh-run path.
static void BM_GridClearAllRows_1M(benchmark::State& state)
{
    TRavArodozIdad& g = FilledGrid();
    for (auto _ : state) {
        state.PauseTiming();
        Fill(g, kRows);
        state.ResumeTiming();
        g.ClearNormalCells();
    }
    state.counters["rows"] = kRows - 1;
    Fill(g, kRows); // the grid is shared: leave it filled (the loop's timing has ended)
}
BENCHMARK(BM_GridClearAllRows_1M)->Iterations(2)->Unit(benchmark::kMillisecond);

namespace {

// Arg 0: just below the header row, 1: the middle, 2: the end.
int RowAt(int where, int rows) { return where == 0 ? 1 : where == 1 ? rows / 2 : rows; }

// Qt's item model with the table's shape; its cells are left empty (a million
// rows of filled items would not fit beside ours), which only spares Qt work.
QStandardItemModel& QtModel()
{
    static std::unique_ptr<QStandardItemModel> m;
    if (!m) {
        EnsureBenchApplication();
        m = std::make_unique<QStandardItemModel>(kRows, kCols);
    }
    return *m;
}

} // namespace

static void BM_GridInsertRow_1M(benchmark::State& state)
{
    TRavArodozIdad& g = FilledGrid();
    const int where = int(state.range(0));
    int n = 0;
    for (auto _ : state) {
        g.InsertRows(RowAt(where, g.RowCount()), 1);
        ++n;
    }
    for (int k = 0; k < n; ++k)
        g.RemoveRows(RowAt(where, g.RowCount() - 1), 1);
}
BENCHMARK(BM_GridInsertRow_1M)->Arg(0)->Arg(1)->Arg(2)->Iterations(200)->Unit(benchmark::kMicrosecond);

static void BM_GridDeleteRow_1M(benchmark::State& state)
{
    TRavArodozIdad& g = FilledGrid();
    const int where = int(state.range(0));
    int n = 0;
    for (auto _ : state) {
        g.RemoveRows(RowAt(where, g.RowCount() - 1), 1);
        ++n;
    }
    for (int k = 0; k < n; ++k)
        g.InsertRows(RowAt(where, g.RowCount()), 1);
}
BENCHMARK(BM_GridDeleteRow_1M)->Arg(0)->Arg(1)->Arg(2)->Iterations(200)->Unit(benchmark::kMicrosecond);

static void BM_QtModelInsertRow_1M(benchmark::State& state)
{
    QStandardItemModel& m = QtModel();
    const int where = int(state.range(0));
    int n = 0;
    for (auto _ : state) {
        m.insertRow(RowAt(where, m.rowCount()));
        ++n;
    }
    m.removeRows(RowAt(where, m.rowCount() - n), n);
}
BENCHMARK(BM_QtModelInsertRow_1M)->Arg(0)->Arg(1)->Arg(2)->Iterations(200)->Unit(benchmark::kMicrosecond);

static void BM_QtModelDeleteRow_1M(benchmark::State& state)
{
    QStandardItemModel& m = QtModel();
    const int where = int(state.range(0));
    int n = 0;
    for (auto _ : state) {
        m.removeRow(RowAt(where, m.rowCount() - 1));
        ++n;
    }
    m.insertRows(RowAt(where, m.rowCount()), n);
}
BENCHMARK(BM_QtModelDeleteRow_1M)->Arg(0)->Arg(1)->Arg(2)->Iterations(200)->Unit(benchmark::kMicrosecond);

// The heap the same table of the same texts takes: our grid against Qt's item
// model with one item per cell. A tenth of the program's largest run, so that
// Qt's model of it fits beside the shared 1M-row grid.
static void BM_GridMemoryVsQtModel_100K_x16(benchmark::State& state)
{
    constexpr int rows = 100001;
    const double cells = double(rows - 1) * kCols;
    EnsureBenchApplication();
    for (auto _ : state) {
        const size_t heap0 = HeapBytes();
        auto g = MakeGrid(rows);
        Fill(*g, rows);
        const size_t ours = HeapBytes() - heap0;
        g.reset();

        const size_t heap1 = HeapBytes();
        auto m = std::make_unique<QStandardItemModel>(rows - 1, kCols);
        char buf[32];
        for (int r = 1; r < rows; ++r)
            for (int c = 0; c < kCols; ++c) {
                CellText(c, r, buf, sizeof buf);
                m->setItem(r - 1, c, new QStandardItem(QString::fromLatin1(buf)));
            }
        const size_t qt = HeapBytes() - heap1;
        if (m->item(rows / 2 - 1, 5)->text() != QLatin1String(rows / 2 % 3 ? "PASS" : "FAIL"))
            state.SkipWithError("Qt's model holds other texts");
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();

        state.counters["ours_B_per_cell"] = double(ours) / cells;
        state.counters["qt_B_per_cell"] = double(qt) / cells;
        state.counters["qt_over_ours"] = double(qt) / double(ours);
    }
    state.counters["cells"] = cells;
}
BENCHMARK(BM_GridMemoryVsQtModel_100K_x16)->Iterations(1)->Unit(benchmark::kMillisecond);
