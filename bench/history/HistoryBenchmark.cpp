// A large practice's history: 2,000 cases, 20,000 treatments, 400,000 symptoms.
// Targets: loadHistory under 300 ms, saveHistory under 150 ms, filing one treatment into it (lock,
// fresh read, backup check, save) under 300 ms; sorting 40,000 cases in the order that made the
// former quicksort quadratic under 100 ms; a keystroke in the history window's search field on
// 10,000 cases under 16 ms.

#include "foundation/files/Processes.h"
#include "history/CaseNameFilter.h"
#include "history/HistoryActions.h"
#include "history/HistoryBackup.h"
#include "history/HistoryFile.h"
#include "history/HistoryOperations.h"
#include "history/HistoryReader.h"
#include "history/HistoryWriter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>

namespace telvarin {
namespace {

CaseHistory largeHistory() {
    CaseHistory history;
    for (int c = 0; c < 2000; ++c) {
        HistoryCase historyCase{Windows1252Text("Patientin M\xFCller-" + std::to_string(c)), {}};
        for (int t = 0; t < 10; ++t) {
            Treatment treatment{
                formatDateStamp({1 + t, 1 + c % 12, 2000 + c % 20, t, c % 60}),
                Windows1252Text("Kontrolle nach \"" + std::to_string(t) + "\" Wochen,\r\nBeschwerden besser"),
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
            ("telvarin-bench-" + std::to_string(currentProcessId()) + ".xml"))
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

void BM_FileCaseIntoLargeHistory(benchmark::State& state) {
    CaseHistory history = largeHistory();
    history.path = benchmarkPath();
    if (!saveHistory(history).saved()) {
        state.SkipWithError("could not write the history");
        return;
    }
    const std::vector<CaseSymptom> rows = {{12, 0, false, {}}, {-40, 2, false, {}}, {7, 0, true, {}}};
    HistoryFileAccess access;
    access.today = LocalDateTime{7, 12, 2026, 9, 0};
    for (auto _ : state) {
        if (!fileTreatmentInHistoryFile(history.path, "Patientin M\xFCller-1234"_w1252, "Kontrolle"_w1252,
                                        rows, *access.today, nullptr, access)
                 .saved())
            state.SkipWithError("filing failed");
    }
    std::remove(history.path.c_str());
    std::filesystem::remove_all(std::filesystem::path(history.path).parent_path() / kBackupFolderName);
}
BENCHMARK(BM_FileCaseIntoLargeHistory)->Unit(benchmark::kMillisecond);

// "dd.mm.yyyy hh:mm" of a minute counted from 01.01.2000 00:00 (months of 28 days suffice here).
std::string stampOfMinute(int minute) {
    return formatDateStamp({1 + minute / 1440 % 28, 1 + minute / 40320 % 12, 2000 + minute / 483840,
                            minute / 60 % 24, minute % 60});
}

// Cases whose last treatments come in the order that drove a quicksort with the middle element as
// pivot into quadratic time: each partition's middle element is the one sorted last, so each
// partition shrinks by one element only. Built by running that quicksort on positions.
CaseHistory pivotKillerHistory(int count) {
    std::vector<int> position(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        position[static_cast<std::size_t>(i)] = i;
    std::vector<int> rankAt(static_cast<std::size_t>(count));
    int nextRank = count - 1; // the rank sorted last goes to each pivot
    for (int hi = count - 1; hi >= 0; --hi) {
        const int mid = hi / 2;
        rankAt[static_cast<std::size_t>(position[static_cast<std::size_t>(mid)])] = nextRank--;
        std::swap(position[static_cast<std::size_t>(mid)], position[static_cast<std::size_t>(hi)]);
    }
    CaseHistory history;
    for (int i = 0; i < count; ++i) {
        // By date the newest comes first: rank 0 is the newest stamp.
        const int rank = rankAt[static_cast<std::size_t>(i)];
        history.cases.push_back(HistoryCase{Windows1252Text("Fall " + std::to_string(i)),
                                            {Treatment{stampOfMinute(count - rank), {}, 0, {}}}});
    }
    return history;
}

void BM_SortCasesWorstOrder(benchmark::State& state) {
    const CaseHistory start = pivotKillerHistory(40000);
    for (auto _ : state) {
        state.PauseTiming();
        CaseHistory history = start;
        state.ResumeTiming();
        sortCases(history, false);
        benchmark::DoNotOptimize(history.cases.data());
    }
}
BENCHMARK(BM_SortCasesWorstOrder)->Unit(benchmark::kMillisecond);

// The filter after one more letter typed, over names of every length and with umlauts.
void BM_FilterCasesByName(benchmark::State& state) {
    std::vector<HistoryCase> cases;
    for (int c = 0; c < 10000; ++c)
        cases.push_back(HistoryCase{Windows1252Text((c % 3 == 0 ? "Gro\xDF, "
                                                                : "M\xFCller-L\xFC"
                                                                  "denscheid, ") +
                                                    std::string(static_cast<std::size_t>(c % 7), 'a') +
                                                    std::to_string(c)),
                                    {}});
    const CaseNameFilter filter(cases);
    for (auto _ : state)
        benchmark::DoNotOptimize(filter.matching("muellER-l\xFC"_w1252));
}
BENCHMARK(BM_FilterCasesByName)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace telvarin
