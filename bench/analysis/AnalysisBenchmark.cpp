// Speed of the analysis, the remedy overview query, the text search and the entry procedure on
// the built-in repertory, and the first three on a generated one three times its size.

#include "analysis/Analysis.h"
#include "analysis/CaseModel.h"
#include "analysis/RemedyOverview.h"
#include "analysis/TextSearch.h"
#include "data/BuiltinRepertory.h"
#include "tests/KentRepertory.h"
#include "tests/LargeRepertory.h"
#include "tests/ReferenceRepertory.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <numeric>
#include <optional>
#include <stdexcept>

namespace telvarin {
namespace {

const RepertoryDatabase& builtin() {
    return test::referenceRepertory();
}

// Rubric numbers by remedy count, largest first.
std::vector<RubricNumber> largestRubrics(const RepertoryDatabase& db) {
    std::vector<RubricNumber> numbers(static_cast<std::size_t>(db.rubricCount()));
    std::iota(numbers.begin(), numbers.end(), 1);
    std::stable_sort(numbers.begin(), numbers.end(), [&](RubricNumber a, RubricNumber b) {
        return db.rubric(a - 1).entryCount > db.rubric(b - 1).entryCount;
    });
    return numbers;
}

// A case of the given rubrics typed in, with the empty input row after them.
CaseModel typedCase(const RepertoryDatabase& db, std::span<const RubricNumber> numbers) {
    CaseModel model(db);
    for (const RubricNumber number : numbers)
        model.setCellText(model.rowCount(), 0, std::to_string(number));
    return model;
}

// The whole analysis of a typed case: dropping empty rows, counting and ranking.
void analyseCopies(benchmark::State& state, const RepertoryDatabase& db, const CaseModel& original) {
    AnalysisResult result(db);
    std::optional<CaseModel> model; // copied and destroyed outside the measured time
    for (auto _ : state) {
        state.PauseTiming();
        model.emplace(original);
        state.ResumeTiming();
        runAnalysis(db, *model, result);
        benchmark::DoNotOptimize(result.listedCount());
    }
}

void BM_AnalysisOfLargestRubrics(benchmark::State& state) {
    const RepertoryDatabase& db = builtin();
    const std::vector<RubricNumber> numbers = largestRubrics(db);
    analyseCopies(state, db,
                  typedCase(db, std::span(numbers).first(static_cast<std::size_t>(state.range(0)))));
}
BENCHMARK(BM_AnalysisOfLargestRubrics)->Arg(kMaxCaseRows - 1)->Unit(benchmark::kMicrosecond);

void BM_AnalysisOfTypicalRows(benchmark::State& state) {
    const RepertoryDatabase& db = builtin();
    // Rubrics spread over the repertory, of ordinary size.
    std::vector<RubricNumber> numbers;
    for (int i = 0; i < state.range(0); ++i)
        numbers.push_back(1 + i * 881 % db.rubricCount());
    analyseCopies(state, db, typedCase(db, numbers));
}
BENCHMARK(BM_AnalysisOfTypicalRows)->Arg(30)->Unit(benchmark::kMicrosecond);

void BM_RemedyOverview(benchmark::State& state) {
    const RepertoryDatabase& db = builtin();
    RemedyQuery query;
    query.remedyText = "acon.";
    if (state.range(0) == 1)
        query.gradeWanted = {true, true, true, true, true};
    std::size_t rows = 0;
    for (auto _ : state) {
        const OverviewResult result = runRemedyQuery(db, query);
        rows = result.rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_RemedyOverview)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_TextSearch(benchmark::State& state, const char* text) {
    const RepertoryDatabase& db = builtin();
    const TextSearchIndex index(db);
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = runTextSearch(index, text, -1).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(BM_TextSearch, three_letters, "pai")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextSearch, five_words, "pain forehead morning agg stooping")
    ->Unit(benchmark::kMicrosecond);

void BM_TextSearchIndex(benchmark::State& state) {
    const RepertoryDatabase& db = builtin();
    for (auto _ : state) {
        const TextSearchIndex index(db);
        benchmark::DoNotOptimize(&index);
    }
}
BENCHMARK(BM_TextSearchIndex)->Unit(benchmark::kMillisecond);

// Typing n rows one after another: the time per row must not grow with n.
void BM_TypingRows(benchmark::State& state) {
    const RepertoryDatabase& db = builtin();
    const auto count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CaseModel model(db);
        for (int i = 0; i < count; ++i)
            model.setCellText(model.rowCount(), 0, std::to_string(1 + (i * 7919) % db.rubricCount()));
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TypingRows)
    ->Arg(750)
    ->Arg(1500)
    ->Arg(3000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// ---- the same on the built-in and on the large generated repertory ----

using Repertory = const RepertoryDatabase& (*)();

void BM_AnalysisOf3000LargestRubrics(benchmark::State& state, Repertory repertory) {
    const RepertoryDatabase& db = repertory();
    const std::vector<RubricNumber> numbers = largestRubrics(db);
    analyseCopies(state, db, typedCase(db, std::span(numbers).first(3000)));
}
BENCHMARK_CAPTURE(BM_AnalysisOf3000LargestRubrics, builtin, &builtin)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AnalysisOf3000LargestRubrics, large, &test::largeRepertory)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AnalysisOf3000LargestRubrics, kent_de, &test::kentRepertory)
    ->Unit(benchmark::kMicrosecond);

// One keystroke: the third letter of a word, searched in the whole repertory, rows included. The
// word is the commonest of the repertory: pain, Schmerz.
void BM_TextSearchThreeLetters(benchmark::State& state, Repertory repertory, const char* letters) {
    const TextSearchIndex index(repertory());
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = runTextSearch(index, letters, -1).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(BM_TextSearchThreeLetters, builtin, &builtin, "pai")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextSearchThreeLetters, large, &test::largeRepertory, "pai")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextSearchThreeLetters, kent_de, &test::kentRepertory, "sch")
    ->Unit(benchmark::kMicrosecond);

// The same without the texts of the rows: which rubrics match.
void BM_TextSearchMatchesThreeLetters(benchmark::State& state, Repertory repertory, const char* letters) {
    const TextSearchIndex index(repertory());
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = textSearchMatches(index, letters, -1).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(BM_TextSearchMatchesThreeLetters, kent_de, &test::kentRepertory, "sch")
    ->Unit(benchmark::kMicrosecond);

void BM_TextSearchIndexOf(benchmark::State& state, Repertory repertory) {
    for (auto _ : state) {
        const TextSearchIndex index(repertory());
        benchmark::DoNotOptimize(&index);
    }
}
BENCHMARK_CAPTURE(BM_TextSearchIndexOf, builtin, &builtin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextSearchIndexOf, large, &test::largeRepertory)->Unit(benchmark::kMillisecond);

// The remedy that stands in the most rubrics, with every grade, over all rubrics.
void BM_RemedyOverviewOfTheCommonestRemedy(benchmark::State& state, Repertory repertory) {
    const RepertoryDatabase& db = repertory();
    std::vector<int> uses(static_cast<std::size_t>(db.remedyCount()));
    for (int rubric = 0; rubric < db.rubricCount(); ++rubric) {
        for (const RemedyEntry entry : db.remedyList(rubric))
            ++uses[static_cast<std::size_t>(remedyOf(entry))];
    }
    RemedyQuery query;
    query.remedyText =
        db.remedyName(static_cast<int>(std::max_element(uses.begin(), uses.end()) - uses.begin()));
    query.gradeWanted = {true, true, true, true, true};
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = runRemedyQuery(db, query).rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(BM_RemedyOverviewOfTheCommonestRemedy, builtin, &builtin)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RemedyOverviewOfTheCommonestRemedy, large, &test::largeRepertory)
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace telvarin
