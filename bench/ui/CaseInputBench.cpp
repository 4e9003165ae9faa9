// The case input window as a practitioner meets it: how long the program takes from process
// start until the window is shown and takes input, and how long one entry takes.

#include "analysis/CaseSymptom.h"
#include "bench/QtBenchmarks.h"
#include "data/BuiltinRepertory.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/settings/SettingsStore.h"
#include "ui/CaseGrid.h"
#include "ui/CaseInputWindow.h"
#include "ui/ProgramStart.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace telvarin;

namespace {

constexpr const char* kChildSwitch = "--startup-child";

// The steady clock counts from the system's start, so that parent and child read the same one.
std::int64_t monotonicNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The program's start in a process of its own, against a settings file instead of the user's
// store; it prints the moment the window is painted and ready, then ends.
int runStartupChild(int argc, char** argv, const char* settingsFile) {
    QApplication app(argc, argv);
    registerProgramIdentity();
    QSettingsStore store{QString::fromLocal8Bit(settingsFile)};
    PresetMessageBoxes messages;
    ProgramStartHooks hooks;
    hooks.whenReady = [](CaseInputWindow& window) {
        window.repaint();
        std::printf("%lld\n", static_cast<long long>(monotonicNanoseconds()));
        std::fflush(stdout);
        window.done(0);
    };
    return runProgram(store, messages, hooks);
}

// From the spawning of the process to the moment the child reports its window ready.
void BM_StartToReadyWindow(benchmark::State& state) {
    QTemporaryDir directory;
    const QString settingsFile = directory.filePath(QStringLiteral("settings.ini"));
    {
        QSettingsStore store(settingsFile);
        store.writeInt(QString(), QStringLiteral("Startverzögerung"), 0);
        // A practice folder, so that the start asks nothing; the built-in repertory, as before.
        store.writeString(QString(), QStringLiteral("Praxisordner"), directory.path());
        store.writeString(QString(), QStringLiteral("Repertorium"), QStringLiteral("eingebaut"));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList arguments{QString::fromLatin1(kChildSwitch), settingsFile};

    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const std::int64_t started = monotonicNanoseconds();
        child.start(self, arguments);
        if (!child.waitForStarted(-1)) {
            state.SkipWithError("the program could not be started");
            return;
        }
        child.waitForFinished(-1);
        const long long ready = child.readAllStandardOutput().trimmed().toLongLong();
        if (ready <= started) {
            state.SkipWithError("the program reported no ready window");
            return;
        }
        state.SetIterationTime(static_cast<double>(ready - started) / 1e9);
    }
}
BENCHMARK(BM_StartToReadyWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// One entry typed into the input row of a case of state.range(0) rows: the key strokes, the
// entry procedure, the new input row, the focus move and the repaint.
void BM_TypeNumberAndEnter(benchmark::State& state) {
    const int caseRows = static_cast<int>(state.range(0));
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    RepertoryLoadResult loaded = loadBuiltinRepertory();
    CaseInputWindow window(std::move(std::get<RepertoryDatabase>(loaded)), QStringLiteral("historie.xml"),
                           DialogServices{&store, nullptr, &messages});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    CaseGrid& grid = *window.caseGrid();
    std::vector<SymptomRef> symptoms;
    for (int row = 0; row < caseRows; ++row)
        symptoms.push_back({1 + (row * 37) % 26000, 0});
    window.takeOverCase("Messung"_w1252, symptoms);
    QCoreApplication::processEvents();

    for (auto _ : state) {
        if (grid.rowCount() > caseRows + 200) {
            state.PauseTiming();
            window.takeOverCase("Messung"_w1252, symptoms);
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        QTest::keyClick(&grid, '1');
        QTest::keyClick(grid.editor(), '2');
        QTest::keyClick(grid.editor(), Qt::Key_Return);
        QCoreApplication::processEvents();
        grid.viewport()->repaint();
    }
    state.counters["rows"] = grid.rowCount() - 1;
}
BENCHMARK(BM_TypeNumberAndEnter)->Arg(1)->Arg(100)->Arg(2700)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], kChildSwitch) == 0)
        return runStartupChild(argc, argv, argv[2]);
    return telvarin::bench::runBenchmarksInQtApplication(argc, argv);
}
