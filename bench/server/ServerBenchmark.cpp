// The practice server on loopback: filing one treatment into a history of 10,000 cases, and
// reading those cases as the history window does when it opens.

#include "bench/server/PracticeOfTenThousand.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace telvarin {
namespace {

using bench::openPracticeStore;
constexpr int kCases = bench::kPracticeCases;

void BM_FileTreatment(benchmark::State& state) {
    auto store = openPracticeStore();
    std::vector<CaseSymptom> rows(8);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].number = static_cast<RubricNumber>(100 + i);
        rows[i].weight = static_cast<std::int32_t>(i % 5);
    }
    const Prescription prescription{"sulph."_w1252, "LM6"_w1252,
                                    "morgens"_w1252};
    int filing = 0;
    for (auto _ : state) {
        const HistorySaveResult filed =
            store->file(Windows1252Text("Patient " + std::to_string(filing++ % kCases)), "Folgetermin"_w1252,
                        rows, {}, nullptr, {}, prescription);
        if (!filed.saved())
            state.SkipWithError("filing failed");
    }
}

void BM_LoadForTheWindow(benchmark::State& state) {
    auto store = openPracticeStore();
    for (auto _ : state) {
        CaseHistory history = store->load(nullptr);
        sortCases(history, false);
        benchmark::DoNotOptimize(history);
        if (history.cases.size() < kCases)
            state.SkipWithError("cases missing");
    }
}

BENCHMARK(BM_FileTreatment)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadForTheWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
} // namespace telvarin

int main(int argc, char** argv) {
    if (telvarin::bench::practiceServerUri().empty()) {
        std::printf("server_bench: no practice server (TELVARIN_TEST_SERVER); run it under "
                    "scripts/with-postgres. Nothing measured.\n");
        return 0;
    }
    auto store = telvarin::bench::openPracticeStore();
    telvarin::bench::fillPractice(*store);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
