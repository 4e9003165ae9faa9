// The grid at the size of the largest results cross table: 935 columns by 3,003 rows.

#include "foundation/grid/TableGrid.h"

#include <QImage>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>

using telvarin::TableGrid;

namespace {

constexpr int kResultColumns = 935;
constexpr int kResultRows = 3003;

long residentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

// As the results window fills it: headings, two summary rows, symptom texts and a grade in
// every remedy cell (the worst case; real rubrics list far fewer remedies).
void fillResults(TableGrid& grid, int rows, int cols) {
    grid.setColumnCount(cols);
    grid.setRowCount(rows);
    const QColor yellow(255, 255, 0);
    for (int c = 2; c < cols; ++c) {
        grid.setText(0, c, QStringLiteral("rem%1.").arg(c));
        grid.setText(1, c, QString::number((c * 7919) % 50));
        grid.setText(2, c, QString::number((c * 104729) % 120));
        grid.setBackgroundColour(1, c, yellow);
        grid.setBackgroundColour(2, c, yellow);
    }
    grid.setText(1, 0, QStringLiteral("Anzahl der Treffer"));
    grid.setText(2, 0, QStringLiteral("Summe der Grade"));
    for (int r = 3; r < rows; ++r) {
        grid.setText(r, 0, QStringLiteral("Mind, anxiety, evening, in bed [%1] (%2)").arg(r % 90).arg(r));
        grid.setText(r, 1, QStringLiteral("MIND Anxiety"));
        for (int c = 2; c < cols; ++c)
            grid.setText(r, c, QString::number(1 + (r + c) % 4));
    }
    grid.setFixedRowCount(3);
    grid.setFixedColumnCount(2);
    grid.setKeyRows({{1, 2}, {1, 2}});
}

std::unique_ptr<TableGrid> filledResults() {
    auto grid = std::make_unique<TableGrid>();
    grid->resize(1200, 800);
    fillResults(*grid, kResultRows, kResultColumns);
    grid->setColumnWidth(0, 300);
    grid->setColumnWidth(1, 150);
    return grid;
}

void BM_FillResultsTable(benchmark::State& state) {
    long grown = 0;
    for (auto _ : state) {
        const long before = residentKilobytes();
        TableGrid grid;
        fillResults(grid, kResultRows, kResultColumns);
        grown = std::max(grown, residentKilobytes() - before); // the first, fresh fill counts
        benchmark::DoNotOptimize(grid.cellText(kResultRows - 1, kResultColumns - 1));
    }
    state.counters["resident_MB"] = static_cast<double>(grown) / 1024.0;
}
BENCHMARK(BM_FillResultsTable)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FillSmallTable(benchmark::State& state) {
    for (auto _ : state) {
        TableGrid grid;
        fillResults(grid, 30, 200);
        benchmark::DoNotOptimize(grid.cellText(29, 199));
    }
}
BENCHMARK(BM_FillSmallTable)->Unit(benchmark::kMillisecond);

void BM_PaintOneScreen(benchmark::State& state) {
    auto grid = filledResults();
    grid->show();
    grid->setFocusCell(1500, 400);
    QImage image(grid->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        grid->viewport()->render(&image);
}
BENCHMARK(BM_PaintOneScreen)->Unit(benchmark::kMillisecond);

void BM_SortColumnsByKeyRow(benchmark::State& state) {
    auto grid = filledResults();
    bool ascending = false;
    for (auto _ : state) {
        grid->sortColumnsByRow(1, ascending);
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortColumnsByKeyRow)->Unit(benchmark::kMillisecond);

void BM_SortRowsByColumn(benchmark::State& state) {
    auto grid = filledResults();
    bool ascending = false;
    for (auto _ : state) {
        grid->sortRowsByColumn(0, ascending);
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortRowsByColumn)->Unit(benchmark::kMillisecond);

} // namespace
