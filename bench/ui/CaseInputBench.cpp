// The case input window as a practitioner meets it: how long the program takes from process
// start until the window is shown and takes input, and how long one entry takes.

#include "analysis/CaseSymptom.h"
#include "data/BuiltinRepertory.h"
#include "foundation/MessageBoxes.h"
#include "foundation/SettingsStore.h"
#include "ui/CaseGrid.h"
#include "ui/CaseInputWindow.h"
#include "ui/ProgramStart.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace telvarin;

namespace {

constexpr const char* kChildSwitch = "--startup-child";

std::int64_t monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
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
        store.writeInt(QString(), QStringLiteral("Startverz\u00F6gerung"), 0);
        // A practice folder, so that the start asks nothing; the built-in repertory, as before.
        store.writeString(QString(), QStringLiteral("Praxisordner"), directory.path());
        store.writeString(QString(), QStringLiteral("Repertorium"), QStringLiteral("eingebaut"));
    }
    const std::string file = settingsFile.toStdString();
    const std::string self = "/proc/self/exe";
    std::vector<std::string> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (std::strncmp(*variable, "QT_QPA_PLATFORM=", 16) != 0)
            environment.emplace_back(*variable);
    }
    environment.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    for (auto _ : state) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        char* argv[] = {const_cast<char*>(self.c_str()), const_cast<char*>(kChildSwitch),
                        const_cast<char*>(file.c_str()), nullptr};
        pid_t child = 0;
        const std::int64_t started = monotonicNanoseconds();
        const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, envp.data());
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        if (spawned != 0) {
            close(pipeEnds[0]);
            state.SkipWithError("the program could not be started");
            return;
        }
        std::string output;
        char buffer[64];
        for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
            output.append(buffer, static_cast<std::size_t>(got));
        close(pipeEnds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        const long long ready = std::atoll(output.c_str());
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
    window.takeOverCase("Messung", symptoms);
    QCoreApplication::processEvents();

    for (auto _ : state) {
        if (grid.rowCount() > caseRows + 200) {
            state.PauseTiming();
            window.takeOverCase("Messung", symptoms);
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
