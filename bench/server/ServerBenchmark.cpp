// The practice server on loopback: filing one treatment into a history of 10,000 cases, and
// reading those cases as the history window does when it opens.

#include "server/ServerConnection.h"
#include "server/ServerHistoryStore.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace telvarin {
namespace {

constexpr int kCases = 10000;

std::string serverUri() {
    const char* uri = std::getenv("TELVARIN_TEST_SERVER");
    return uri != nullptr ? uri : "";
}

std::unique_ptr<ServerHistoryStore> openStore() {
    auto opened = ServerHistoryStore::open(serverUri());
    if (auto* message = std::get_if<std::string>(&opened)) {
        std::fprintf(stderr, "%s\n", message->c_str());
        std::exit(1);
    }
    return std::move(std::get<std::unique_ptr<ServerHistoryStore>>(opened));
}

// 10,000 cases of two treatments with eight symptoms each, some weighted, and what was
// prescribed: a practice of many years.
void fillPractice(ServerHistoryStore& store) {
    CaseHistory history;
    for (int c = 0; c < kCases; ++c) {
        HistoryCase historyCase{"Patient " + std::to_string(c), {}};
        for (int t = 0; t < 2; ++t) {
            Treatment treatment{
                "01.0" + std::to_string(t + 1) + ".2024 10:00", "Kontrolle", 0, {}, {"nux-v.", "C30", ""}};
            for (int s = 0; s < 8; ++s)
                treatment.symptoms.push_back({(c * 16 + t * 8 + s) % 60000 + 1, 0, s % 5});
            historyCase.treatments.push_back(std::move(treatment));
        }
        history.cases.push_back(std::move(historyCase));
    }
    if (!store.replace(history, RecordedRepertory{"Kent", "0123456789abcdef", ""}).saved())
        std::exit(1);
}

void BM_FileTreatment(benchmark::State& state) {
    auto store = openStore();
    std::vector<CaseSymptom> rows(8);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].number = static_cast<RubricNumber>(100 + i);
        rows[i].weight = static_cast<std::int32_t>(i % 5);
    }
    const Prescription prescription{"sulph.", "LM6", "morgens"};
    int filing = 0;
    for (auto _ : state) {
        const HistorySaveResult filed = store->file("Patient " + std::to_string(filing++ % kCases),
                                                    "Folgetermin", rows, {}, nullptr, {}, prescription);
        if (!filed.saved())
            state.SkipWithError("filing failed");
    }
}

void BM_LoadForTheWindow(benchmark::State& state) {
    auto store = openStore();
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
    if (telvarin::serverUri().empty()) {
        std::printf("server_bench: no practice server (TELVARIN_TEST_SERVER); run it under "
                    "scripts/with-postgres. Nothing measured.\n");
        return 0;
    }
    auto store = telvarin::openStore();
    telvarin::fillPractice(*store);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
