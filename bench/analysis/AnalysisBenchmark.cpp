// Speed of the analysis, the remedy overview query, the text search and the entry procedure on
// the built-in repertory, and the first three, the search operators and the elimination by key
// symptoms on a generated one three times its size (or on the file TELVARIN_BENCH_REPERTORY names).

#include "analysis/Analysis.h"
#include "analysis/CaseModel.h"
#include "analysis/KeySymptoms.h"
#include "analysis/PolarityMethod.h"
#include "analysis/RemedyOverview.h"
#include "analysis/TextSearch.h"
#include "bench/BenchRepertory.h"
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
        model.setCellText(model.rowCount(), 0, windows1252Number(number));
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
    query.remedyText = "acon."_w1252;
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
        rows = runTextSearch(index, Windows1252View(text), -1).size();
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
            model.setCellText(model.rowCount(), 0, windows1252Number(1 + (i * 7919) % db.rubricCount()));
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
BENCHMARK_CAPTURE(BM_AnalysisOf3000LargestRubrics, large, &bench::largeOrChosenRepertory)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AnalysisOf3000LargestRubrics, kent_de, &test::kentRepertory)
    ->Unit(benchmark::kMicrosecond);

// Every weight of the scale in turn, so that no row is counted the usual way only.
void BM_WeightedAnalysisOf3000LargestRubrics(benchmark::State& state) {
    const RepertoryDatabase& db = test::kentRepertory();
    const std::vector<RubricNumber> numbers = largestRubrics(db);
    CaseModel model(db);
    for (std::size_t i = 0; i < 3000; ++i)
        model.setCellText(model.rowCount(), 0,
                          windows1252Number(numbers[i]) + "*"_w1252 +
                              windows1252Number(i % (kHighestWeight + 1)));
    analyseCopies(state, db, model);
}
BENCHMARK(BM_WeightedAnalysisOf3000LargestRubrics)->Unit(benchmark::kMicrosecond);

// The polarity method on top: the analysis (counter-polarities appended at the end), the
// contraindications and the method's ranking, as the results window computes them. The
// repertory's highest grade is read once, as a window opening on a loaded repertory could.
void polarityMethodCopies(benchmark::State& state, const RepertoryDatabase& db, const CaseModel& original) {
    AnalysisResult result(db);
    const RemedyNameOrder names(db);
    const ContraindicationLimits limits = contraindicationLimits(highestGrade(db));
    std::optional<CaseModel> model;
    for (auto _ : state) {
        state.PauseTiming();
        model.emplace(original);
        state.ResumeTiming();
        runAnalysis(db, *model, result);
        const std::vector<bool> ruledOut = contraindicatedRemedies(db, model->rows(), limits);
        benchmark::DoNotOptimize(polarityMethodOrder(result.listed(), ruledOut, names));
    }
}

// The Kent's 3,000 largest rubrics, and its 3,000 largest that have a counter-pole.
void BM_PolarityMethodOf3000LargestRubrics(benchmark::State& state, bool withCounterPoleOnly) {
    const RepertoryDatabase& db = test::kentRepertory();
    std::vector<RubricNumber> numbers = largestRubrics(db);
    if (withCounterPoleOnly)
        std::erase_if(numbers, [&db](RubricNumber n) { return db.rubric(n - 1).counterPolarity == 0; });
    numbers.resize(std::min<std::size_t>(numbers.size(), 3000));
    state.counters["Zeilen"] = static_cast<double>(numbers.size());
    polarityMethodCopies(state, db, typedCase(db, numbers));
}
BENCHMARK_CAPTURE(BM_PolarityMethodOf3000LargestRubrics, kent_de, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PolarityMethodOf3000LargestRubrics, kent_de_counter_poles, true)
    ->Unit(benchmark::kMicrosecond);

// One keystroke: the third letter of a word, searched in the whole repertory, rows included; "pai"
// is common in the English texts, "sch" in German ones.
void BM_TextSearchThreeLetters(benchmark::State& state, Repertory repertory, const char* text) {
    const TextSearchIndex index(repertory());
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = runTextSearch(index, Windows1252View(text), -1).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(BM_TextSearchThreeLetters, builtin, &builtin, "pai")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextSearchThreeLetters, large, &bench::largeOrChosenRepertory, "pai")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextSearchThreeLetters, kent_de, &test::kentRepertory, "sch")
    ->Unit(benchmark::kMicrosecond);

// The same without the texts of the rows: which rubrics match.
void BM_TextSearchMatchesThreeLetters(benchmark::State& state, Repertory repertory, const char* letters) {
    const TextSearchIndex index(repertory());
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = textSearchMatches(index, Windows1252View(letters), -1).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(BM_TextSearchMatchesThreeLetters, kent_de, &test::kentRepertory, "sch")
    ->Unit(benchmark::kMicrosecond);

// The operators, each on the whole repertory: an exclusion, a phrase (a pass over all texts),
// words with "ue" (tried as "ü" as well), in the index of runs and in a phrase.
void BM_TextSearchOperators(benchmark::State& state, const char* text) {
    const TextSearchIndex index(bench::largeOrChosenRepertory());
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = runTextSearch(index, Windows1252View(text), -1).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(BM_TextSearchOperators, large_exclusion, "pain -left")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextSearchOperators, large_phrase, "\"pain, l")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextSearchOperators, large_ue_word, "uebel")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextSearchOperators, large_ue_phrase, "\"ue a")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextSearchOperators, large_kopf_stirn, "kopf -stirn")->Unit(benchmark::kMicrosecond);

// Elimination of the analysis of the 3,000 largest rubrics by the 5 largest as key symptoms.
void BM_EliminationByFiveKeySymptoms(benchmark::State& state, Repertory repertory) {
    const RepertoryDatabase& db = repertory();
    const std::vector<RubricNumber> numbers = largestRubrics(db);
    std::vector<CaseSymptom> rows;
    for (std::size_t i = 0; i < 3000; ++i)
        rows.push_back({numbers[i], 0, false, {}});
    AnalysisResult result(db);
    result.score(db, rows);
    const std::vector<int> keys{numbers[0] - 1, numbers[1] - 1, numbers[2] - 1, numbers[3] - 1,
                                numbers[4] - 1};
    std::size_t kept = 0;
    for (auto _ : state) {
        kept = eliminateByKeySymptoms(db, result.listed(), keys).size();
        benchmark::DoNotOptimize(kept);
    }
    state.counters["listed"] = result.listedCount();
    state.counters["kept"] = static_cast<double>(kept);
}
BENCHMARK_CAPTURE(BM_EliminationByFiveKeySymptoms, builtin, &builtin)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EliminationByFiveKeySymptoms, large, &bench::largeOrChosenRepertory)
    ->Unit(benchmark::kMicrosecond);

void BM_TextSearchIndexOf(benchmark::State& state, Repertory repertory) {
    for (auto _ : state) {
        const TextSearchIndex index(repertory());
        benchmark::DoNotOptimize(&index);
    }
}
BENCHMARK_CAPTURE(BM_TextSearchIndexOf, builtin, &builtin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextSearchIndexOf, large, &bench::largeOrChosenRepertory)->Unit(benchmark::kMillisecond);

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
BENCHMARK_CAPTURE(BM_RemedyOverviewOfTheCommonestRemedy, large, &bench::largeOrChosenRepertory)
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace telvarin
