// A large practice's history: 2,000 cases, 20,000 treatments, 400,000 symptoms.
// Targets: loadHistory under 300 ms, saveHistory under 150 ms.

#include "history/HistoryFile.h"
#include "history/HistoryOperations.h"
#include "history/HistoryReader.h"
#include "history/HistoryWriter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace telvarin {
namespace {

CaseHistory largeHistory() {
    CaseHistory history;
    for (int c = 0; c < 2000; ++c) {
        HistoryCase historyCase{"Patientin M\xFCller-" + std::to_string(c), {}};
        for (int t = 0; t < 10; ++t) {
            Treatment treatment{formatDateStamp({1 + t, 1 + c % 12, 2000 + c % 20, t, c % 60}),
                                "Kontrolle nach \"" + std::to_string(t) + "\" Wochen,\r\nBeschwerden besser",
                                0,
                                {}};
            for (int s = 0; s < 20; ++s)
                treatment.symptoms.push_back({(c * 131 + t * 17 + s * 7) % 26564 + 1, s % 5 == 0 ? 2 : 0});
            historyCase.treatments.push_back(std::move(treatment));
        }
        history.cases.push_back(std::move(historyCase));
    }
    return history;
}

std::string benchmarkPath() {
    return (std::filesystem::temp_directory_path() /
            ("telvarin-bench-" + std::to_string(::getpid()) + ".xml"))
        .string();
}

void BM_LoadHistory(benchmark::State& state) {
    CaseHistory history = largeHistory();
    history.path = benchmarkPath();
    if (!saveHistory(history).saved()) {
        state.SkipWithError("could not write the history");
        return;
    }
    for (auto _ : state) {
        CaseHistory loaded = loadHistory(history.path, nullptr);
        if (!loaded.loaded)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.cases.data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(history.path)));
    std::remove(history.path.c_str());
}
BENCHMARK(BM_LoadHistory)->Unit(benchmark::kMillisecond);

void BM_SaveHistory(benchmark::State& state) {
    CaseHistory history = largeHistory();
    history.path = benchmarkPath();
    for (auto _ : state) {
        if (!saveHistory(history).saved())
            state.SkipWithError("save failed");
    }
    std::remove(history.path.c_str());
}
BENCHMARK(BM_SaveHistory)->Unit(benchmark::kMillisecond);

void BM_ComposeHistoryText(benchmark::State& state) {
    const CaseHistory history = largeHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(composeHistoryText(history));
}
BENCHMARK(BM_ComposeHistoryText)->Unit(benchmark::kMillisecond);

void BM_ReadHistoryText(benchmark::State& state) {
    const std::string text = composeHistoryText(largeHistory());
    for (auto _ : state)
        benchmark::DoNotOptimize(readHistoryText(text));
}
BENCHMARK(BM_ReadHistoryText)->Unit(benchmark::kMillisecond);

void BM_SortCasesByDate(benchmark::State& state) {
    CaseHistory history = largeHistory();
    bool byName = false;
    for (auto _ : state) {
        sortCases(history, byName);
        byName = !byName;
    }
}
BENCHMARK(BM_SortCasesByDate)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace telvarin
