// The case history window on a practice server on loopback holding 10,000 cases, from the click
// that opens it until its tree is painted: reading the cases over the connection, sorting them,
// building the tree and the first paint. Needs a practice server:
// scripts/with-postgres build/bench/ui/history_window_server_bench. Without one it says so and
// measures nothing.

#include "bench/QtBenchmarks.h"
#include "bench/server/PracticeOfTenThousand.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/settings/SettingsStore.h"
#include "tests/ReferenceRepertory.h"
#include "ui/HistoryWindow.h"

#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace telvarin;

namespace {

void BM_OpenServerHistoryOf10000Cases(benchmark::State& state) {
    const QString uri = QString::fromStdString(bench::practiceServerUri());
    MemorySettingsStore settings;
    PresetMessageBoxes messages;
    for (auto _ : state) {
        auto window =
            std::make_unique<HistoryWindow>(uri, test::referenceRepertory(), MainSettings{}, nullptr,
                                            DialogServices{&settings, nullptr, &messages, nullptr});
        const bench::PaintCounter painted(window->tree()->viewport());
        window->show();
        if (!bench::processUntilPainted(painted, 0)) {
            state.SkipWithError("the tree was not painted");
            break;
        }
        if (window->tree()->topLevelItemCount() < bench::kPracticeCases) {
            state.SkipWithError("cases missing");
            break;
        }
        state.PauseTiming(); // closing is not opening
        window.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_OpenServerHistoryOf10000Cases)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (bench::practiceServerUri().empty()) {
        std::printf("history_window_server_bench: no practice server (TELVARIN_TEST_SERVER); run it "
                    "under scripts/with-postgres. Nothing measured.\n");
        return 0;
    }
    bench::fillPractice(*bench::openPracticeStore());
    return bench::runBenchmarksInQtApplication(argc, argv);
}
