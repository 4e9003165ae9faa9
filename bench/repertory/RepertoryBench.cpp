#include "data/BuiltinRepertory.h"
#include "repertory/RepertoryChoice.h"
#include "repertory/RepertoryImport.h"
#include "repertory/RepertorySource.h"
#include "repertory/RepertoryTexts.h"
#include "tests/KentRepertory.h"
#include "tests/LargeRepertory.h"
#include "tests/ReferenceRepertory.h"

#include <benchmark/benchmark.h>
#include <filesystem>
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

using Repertory = const RepertoryDatabase& (*)();

// Start-up with a repertorium.dat: the file read and every rule checked.
void BM_LoadRepertoryFile(benchmark::State& state, Repertory repertory,
                          const std::vector<std::byte>& (*bytes)()) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("telvarin-bench-" + std::to_string(repertory().rubricCount()) + ".dat");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes().data()),
                  static_cast<std::streamsize>(bytes().size()));
    }
    for (auto _ : state) {
        RepertoryLoadResult result = RepertoryDatabase::fromFile(path.string());
        if (!std::holds_alternative<RepertoryDatabase>(result))
            state.SkipWithError("refused");
        benchmark::DoNotOptimize(result);
    }
    std::filesystem::remove(path);
    state.counters["MB"] = static_cast<double>(bytes().size()) / 1e6;
}

const std::vector<std::byte>& builtinBytes() {
    static const std::vector<std::byte> bytes(builtinRepertoryBytes().begin(), builtinRepertoryBytes().end());
    return bytes;
}

BENCHMARK_CAPTURE(BM_LoadRepertoryFile, builtin, &test::referenceRepertory, &builtinBytes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadRepertoryFile, large, &test::largeRepertory, &test::largeRepertoryBytes)
    ->Unit(benchmark::kMillisecond);

// A whole repertory imported from its tsv form, checked as well.
void BM_ImportTsv(benchmark::State& state, Repertory repertory) {
    const std::string tsv = test::tsvOf(repertory());
    for (auto _ : state) {
        RepertoryImportResult result = importTsvRepertory(tsv, "bench.tsv");
        if (!std::holds_alternative<ImportedRepertory>(result))
            state.SkipWithError("refused");
        benchmark::DoNotOptimize(result);
    }
    state.counters["MB"] = static_cast<double>(tsv.size()) / 1e6;
}
BENCHMARK_CAPTURE(BM_ImportTsv, builtin, &test::referenceRepertory)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ImportTsv, large, &test::largeRepertory)->Unit(benchmark::kMillisecond);

// ---- Kent's repertory in German, as shipped ----

// Start-up with the shipped repertory: kent-de.dat read and every rule checked.
void BM_LoadKentDe(benchmark::State& state) {
    for (auto _ : state) {
        RepertoryLoadResult result = RepertoryDatabase::fromFile(TELVARIN_KENT_DE_BUILD_FILE);
        if (!std::holds_alternative<RepertoryDatabase>(result))
            state.SkipWithError("refused");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_LoadKentDe)->Unit(benchmark::kMillisecond);

// What the start adds to the load: the checksum that binds a case history to the repertory.
void BM_ChecksumKentDe(benchmark::State& state) {
    const RepertoryDatabase db =
        std::get<RepertoryDatabase>(RepertoryDatabase::fromFile(TELVARIN_KENT_DE_BUILD_FILE));
    for (auto _ : state)
        benchmark::DoNotOptimize(repertoryChecksum(db.fileBytes()));
}
BENCHMARK(BM_ChecksumKentDe)->Unit(benchmark::kMillisecond);

// The start's whole choice with nothing chosen: the shipped file loaded, checked, named and summed.
void BM_ChooseShippedRepertory(benchmark::State& state) {
    const std::vector<RepertoryCandidate> candidates =
        repertoryCandidates({"", "", {TELVARIN_KENT_DE_BUILD_FILE}});
    for (auto _ : state) {
        RepertoryChoice choice = chooseRepertory(candidates, loadBuiltinRepertory);
        if (!choice.chosen || choice.chosen->candidate.origin != RepertoryOrigin::Shipped)
            state.SkipWithError("not the shipped repertory");
        benchmark::DoNotOptimize(choice);
    }
}
BENCHMARK(BM_ChooseShippedRepertory)->Unit(benchmark::kMillisecond);

// The build's import of the published files, checked as well.
void BM_ImportOpenRepKentDe(benchmark::State& state) {
    for (auto _ : state) {
        RepertoryImportResult result = importOpenRepRepertory(TELVARIN_KENT_DE_FOLDER);
        if (!std::holds_alternative<ImportedRepertory>(result))
            state.SkipWithError("refused");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ImportOpenRepKentDe)->Unit(benchmark::kMillisecond)->Iterations(3);

// As the build imports it: with the rule's counter-polarities and our own table.
void BM_ImportOpenRepKentDeWithPolarities(benchmark::State& state) {
    for (auto _ : state) {
        RepertoryImportResult result =
            importOpenRepRepertory(TELVARIN_KENT_DE_FOLDER, {}, TELVARIN_KENT_DE_POLARITIES);
        if (!std::holds_alternative<ImportedRepertory>(result))
            state.SkipWithError("refused");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ImportOpenRepKentDeWithPolarities)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace telvarin
