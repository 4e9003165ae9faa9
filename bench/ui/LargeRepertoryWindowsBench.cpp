// The windows on a repertory three times the size of the built-in one (tests/LargeRepertory.h, or
// the data file TELVARIN_BENCH_REPERTORY names),
// next to the same measurement on the built-in one: opening the symptom tree search, one
// keystroke of the text search to the repainted table, and the results window for the 3,000
// largest rubrics.

#include "analysis/Analysis.h"
#include "bench/BenchRepertory.h"
#include "foundation/grid/TableGrid.h"
#include "tests/ReferenceRepertory.h"
#include "ui/RepertoryTreeModel.h"
#include "ui/ResultsWindow.h"
#include "ui/SymptomSearchWindow.h"
#include "ui/TextSearchWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <numeric>

using namespace telvarin;

namespace {

using Repertory = const RepertoryDatabase& (*)();

void BM_OpenSymptomSearch(benchmark::State& state, Repertory repertory) {
    const RepertoryDatabase& db = repertory();
    for (auto _ : state) {
        auto window = std::make_unique<SymptomSearchWindow>(db, nullptr, DialogServices{}, nullptr);
        window->showWindow(nullptr);
        QApplication::processEvents();
        benchmark::DoNotOptimize(window->model().rowCount());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_OpenSymptomSearch, builtin, &test::referenceRepertory)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenSymptomSearch, large, &bench::largeOrChosenRepertory)->Unit(benchmark::kMillisecond);

// The third and the fourth letter of a common word in turn: every keystroke searches the whole
// repertory (from the third character on), fills the table with thousands of rows and repaints it.
// The same with an excluded word being typed.
void BM_TextSearchKeystroke(benchmark::State& state, Repertory repertory, const char* shorter,
                            const char* longer) {
    const MainSettings settings;
    TextSearchWindow window(repertory(), nullptr, DialogServices{}, settings, nullptr);
    window.showWindow();
    QApplication::processEvents();
    bool third = true;
    for (auto _ : state) {
        window.searchField()->setText(QString::fromUtf8(third ? shorter : longer));
        third = !third;
        window.table().repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.table().rowCount());
    }
    state.counters["rows"] = window.table().rowCount() - 1;
}
BENCHMARK_CAPTURE(BM_TextSearchKeystroke, builtin, &test::referenceRepertory, "pai", "pain")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextSearchKeystroke, large, &bench::largeOrChosenRepertory, "pai", "pain")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextSearchKeystroke, large_exclusion, &bench::largeOrChosenRepertory, "pain -l",
                  "pain -le")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextSearchKeystroke, large_sch, &bench::largeOrChosenRepertory, "sch", "schm")
    ->Unit(benchmark::kMillisecond);

void BM_OpenResultsOfLargestRubrics(benchmark::State& state, Repertory repertory) {
    const RepertoryDatabase& db = repertory();
    std::vector<int> records(static_cast<std::size_t>(db.rubricCount()));
    std::iota(records.begin(), records.end(), 0);
    std::stable_sort(records.begin(), records.end(),
                     [&](int a, int b) { return db.rubric(a).entryCount > db.rubric(b).entryCount; });
    std::vector<CaseSymptom> rows;
    for (std::size_t i = 0; i < 3000; ++i)
        rows.push_back({records[i] + 1, 0, false, {}});
    AnalysisResult result(db);
    result.score(db, rows);
    for (auto _ : state) {
        auto window = std::make_unique<ResultsWindow>(db, rows, result, "Fall"_w1252, MainSettings{},
                                                      std::nullopt, "", DialogServices{});
        window->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window->table().columnCount());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["columns"] = result.listedCount();
}
BENCHMARK_CAPTURE(BM_OpenResultsOfLargestRubrics, builtin, &test::referenceRepertory)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_OpenResultsOfLargestRubrics, large, &bench::largeOrChosenRepertory)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
