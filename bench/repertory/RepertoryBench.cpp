#include "data/BuiltinRepertory.h"
#include "repertory/RepertorySource.h"
#include "repertory/RepertoryTexts.h"
#include "tests/ReferenceRepertory.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <sstream>

namespace telvarin {
namespace {

const RepertoryDatabase& database() {
    return test::referenceRepertory();
}

// Start-up cost: the whole built-in file is checked once before the first window opens.
void BM_ValidateBuiltinRepertory(benchmark::State& state) {
    for (auto _ : state) {
        RepertoryLoadResult result = loadBuiltinRepertory();
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ValidateBuiltinRepertory)->Unit(benchmark::kMillisecond);

void BM_SectionOfEveryRubric(benchmark::State& state) {
    const RepertoryDatabase& db = database();
    for (auto _ : state) {
        int sum = 0;
        for (int i = 0; i < db.rubricCount(); ++i)
            sum += db.sectionOfRubric(i);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * db.rubricCount());
}
BENCHMARK(BM_SectionOfEveryRubric)->Unit(benchmark::kMicrosecond);

void BM_RemedyListTextOfTheLargestRubric(benchmark::State& state) {
    const RepertoryDatabase& db = database();
    int largest = 0;
    for (int i = 1; i < db.rubricCount(); ++i) {
        if (db.rubric(i).entryCount > db.rubric(largest).entryCount)
            largest = i;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(remedyListText(db, largest + 1, 0));
}
BENCHMARK(BM_RemedyListTextOfTheLargestRubric)->Unit(benchmark::kMicrosecond);

// Building the program compiles the generated source once; a practitioner's own source as well.
void BM_CompileReferenceSource(benchmark::State& state) {
    std::ifstream in(TELVARIN_REFERENCE_SOURCE, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    for (auto _ : state)
        benchmark::DoNotOptimize(compileRepertorySource(source));
}
BENCHMARK(BM_CompileReferenceSource)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace telvarin
