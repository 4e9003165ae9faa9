// Opening the results window: a typical case of 30 symptoms, and the largest case the program
// allows, 3,000 of the largest rubrics of the reference repertory.

#include "analysis/Analysis.h"
#include "data/BuiltinRepertory.h"
#include "foundation/grid/TableGrid.h"
#include "tests/ReferenceRepertory.h"
#include "ui/ResultsWindow.h"

#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <numeric>
#include <stdexcept>

using namespace telvarin;

namespace {

const RepertoryDatabase& reference() {
    return test::referenceRepertory();
}

// Thirty rubrics spread over the whole repertory.
std::vector<CaseSymptom> spreadCase(int count) {
    const RepertoryDatabase& db = reference();
    std::vector<CaseSymptom> rows;
    const int step = db.rubricCount() / count;
    for (int i = 0; i < count; ++i)
        rows.push_back({1 + i * step, 0, false, {}});
    return rows;
}

std::vector<CaseSymptom> largestRubrics(int count) {
    const RepertoryDatabase& db = reference();
    std::vector<int> records(static_cast<std::size_t>(db.rubricCount()));
    std::iota(records.begin(), records.end(), 0);
    std::stable_sort(records.begin(), records.end(),
                     [&](int a, int b) { return db.rubric(a).entryCount > db.rubric(b).entryCount; });
    std::vector<CaseSymptom> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({records[static_cast<std::size_t>(i)] + 1, 0, false, {}});
    return rows;
}

void openResults(benchmark::State& state, const std::vector<CaseSymptom>& rows) {
    AnalysisResult result(reference());
    result.score(reference(), rows);
    for (auto _ : state) {
        auto window = std::make_unique<ResultsWindow>(reference(), rows, result, "Fall"_w1252, MainSettings{},
                                                      std::nullopt, "", DialogServices{});
        window->show();
        QApplication::processEvents(); // the first paint
        benchmark::DoNotOptimize(window->table().columnCount());
        state.PauseTiming(); // closing is not opening
        window.reset();
        state.ResumeTiming();
    }
    state.counters["columns"] = result.listedCount();
    state.counters["rows"] = static_cast<double>(rows.size());
}

void BM_OpenThirtySymptoms(benchmark::State& state) {
    openResults(state, spreadCase(30));
}
BENCHMARK(BM_OpenThirtySymptoms)->Unit(benchmark::kMillisecond);

void BM_OpenThreeThousandLargestRubrics(benchmark::State& state) {
    openResults(state, largestRubrics(3000));
}
BENCHMARK(BM_OpenThreeThousandLargestRubrics)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
