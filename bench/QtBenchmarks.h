#pragma once

// Runs a program's benchmarks inside a Qt application: offscreen, unless TELVARIN_BENCH_ON_DISPLAY
// asks for the display, where a window's first paint costs what a user feels.

#include <QApplication>
#include <benchmark/benchmark.h>

namespace telvarin::bench {

inline void chooseBenchmarkDisplay() {
    if (qEnvironmentVariableIsEmpty("TELVARIN_BENCH_ON_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline int runBenchmarksInQtApplication(int argc, char** argv) {
    chooseBenchmarkDisplay();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace telvarin::bench
