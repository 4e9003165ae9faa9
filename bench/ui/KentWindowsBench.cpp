// The windows on the shipped German Kent, as a practitioner feels them: from the click or the
// keystroke until the window or its table is painted. Each is taken twice: repeated in one
// process, and the first time in a freshly started process (…_FirstInProcess), where nothing is
// cached yet. Set TELVARIN_BENCH_ON_DISPLAY to take them on the display instead of offscreen.

#include "analysis/Analysis.h"
#include "bench/QtBenchmarks.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/grid/GridPrinter.h"
#include "foundation/grid/PrintChoices.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/settings/SettingsStore.h"
#include "repertory/RubricTree.h"
#include "tests/KentRepertory.h"
#include "ui/CaseInputWindow.h"
#include "ui/RemedyOverviewWindow.h"
#include "ui/RepertoryTreeModel.h"
#include "ui/ResultsWindow.h"
#include "ui/SymptomSearchWindow.h"
#include "ui/TextSearchWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <numeric>

using namespace telvarin;
using telvarin::bench::PaintCounter;
using telvarin::bench::processUntilPainted;

namespace {

const RepertoryDatabase& kent() {
    return test::kentRepertory();
}

// Rubric numbers by remedy count, largest first.
std::vector<CaseSymptom> largestRubrics(int count) {
    std::vector<int> records(static_cast<std::size_t>(kent().rubricCount()));
    std::iota(records.begin(), records.end(), 0);
    std::stable_sort(records.begin(), records.end(),
                     [](int a, int b) { return kent().rubric(a).entryCount > kent().rubric(b).entryCount; });
    std::vector<CaseSymptom> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({records[static_cast<std::size_t>(i)] + 1, 0, false, {}});
    return rows;
}

std::string commonestRemedy() {
    std::vector<int> uses(static_cast<std::size_t>(kent().remedyCount()));
    for (int rubric = 0; rubric < kent().rubricCount(); ++rubric) {
        for (const RemedyEntry entry : kent().remedyList(rubric))
            ++uses[static_cast<std::size_t>(remedyOf(entry))];
    }
    return std::string(
        kent()
            .remedyName(static_cast<int>(std::max_element(uses.begin(), uses.end()) - uses.begin()))
            .bytes());
}

// Creating the symptom tree search: the window with its model of every rubric, shown and painted.
void BM_KentOpenSymptomTree(benchmark::State& state) {
    for (auto _ : state) {
        auto window = std::make_unique<SymptomSearchWindow>(kent(), nullptr, DialogServices{}, nullptr);
        const PaintCounter painted(window->tree()->viewport());
        window->showWindow(nullptr);
        if (!processUntilPainted(painted, 0)) {
            state.SkipWithError("the tree was not painted");
            break;
        }
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_KentOpenSymptomTree)->Unit(benchmark::kMillisecond);

// The first "S&uchen" of the case input window, from the click to the painted tree.
void BM_KentSymptomTreeClickToPaintedWindow(benchmark::State& state) {
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    // The tree's own area, in whichever symptom tree window is painted.
    const PaintCounter painted([](const QWidget* widget) {
        const auto* window = qobject_cast<const SymptomSearchWindow*>(widget->window());
        return window != nullptr && widget == window->tree()->viewport();
    });
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<CaseInputWindow>(kent(), QStringLiteral("/praxis/historie.xml"),
                                                        DialogServices{&store, nullptr, &messages});
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) {
            state.SkipWithError("the case input window was not shown");
            break;
        }
        QApplication::processEvents();
        const int before = painted.paints();
        state.ResumeTiming();
        QTest::mouseClick(window->button(CaseInputButton::TreeSearch), Qt::LeftButton);
        if (!processUntilPainted(painted, before)) {
            state.SkipWithError("the tree was not painted");
            break;
        }
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_KentSymptomTreeClickToPaintedWindow)->Unit(benchmark::kMillisecond);

// The chapter with the most rubrics (the Kent's has about 9,000).
int largestChapter() {
    int largest = 0;
    int most = 0;
    for (int chapter = 0; chapter < kent().chapterCount(); ++chapter) {
        const int rubrics = ChapterRubricTree(kent(), chapter, TreeOrder::Repertory).rubricCount();
        if (rubrics > most) {
            most = rubrics;
            largest = chapter;
        }
    }
    return largest;
}

TreeOrder orderOf(const benchmark::State& state) {
    return state.range(0) == 0 ? TreeOrder::Repertory : TreeOrder::German;
}

// Laying out the largest chapter's rubrics, what the tree computes on the chapter's first opening.
void BM_KentLayOutLargestChapter(benchmark::State& state) {
    const int chapter = largestChapter();
    for (auto _ : state) {
        const ChapterRubricTree rubrics(kent(), chapter, orderOf(state));
        benchmark::DoNotOptimize(rubrics.rubricCount());
    }
    state.counters["rubrics"] = ChapterRubricTree(kent(), chapter, TreeOrder::Repertory).rubricCount();
}
BENCHMARK(BM_KentLayOutLargestChapter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A click on the largest chapter's expand arrow in a shown tree, until the tree is painted with
// its sections; the chapter's rubrics are laid out on the way, as nothing was opened before.
// With "whole" the chapter opens down to its last rubric instead (every level expanded).
void BM_KentOpenLargestChapter(benchmark::State& state) {
    const int chapter = largestChapter();
    const bool wholeChapter = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        SymptomSearchWindow window(kent(), nullptr, DialogServices{}, nullptr);
        MainSettings settings;
        settings.symptomTreeAlphabetical = orderOf(state) == TreeOrder::German;
        window.applySettings(settings);
        window.resize(700, 600);
        window.showWindow(nullptr);
        if (!QTest::qWaitForWindowExposed(&window)) {
            state.SkipWithError("the window was not shown");
            break;
        }
        QTreeView* tree = window.tree();
        const QModelIndex index = window.model().chapterIndex(chapter);
        tree->scrollTo(index, QAbstractItemView::PositionAtTop);
        QApplication::processEvents();
        const QRect row = tree->visualRect(index);
        // The arrow lies in the indentation left of the item.
        const QPoint arrow(row.left() - tree->indentation() / 2, row.center().y());
        const PaintCounter painted(tree->viewport());
        state.ResumeTiming();
        if (wholeChapter)
            tree->expandRecursively(index);
        else
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, arrow);
        if (!processUntilPainted(painted, 0) || !tree->isExpanded(index)) {
            state.SkipWithError("the chapter was not opened");
            break;
        }
    }
}
BENCHMARK(BM_KentOpenLargestChapter)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"german", "whole"})
    ->Unit(benchmark::kMillisecond);

// One keystroke that makes three letters: the whole repertory searched, the table filled and
// repainted. "sch" finds about 45,000 rubrics, "kop" a few thousand.
void keystrokeToRepaint(benchmark::State& state, const QString& twoLetters, QChar third, Qt::Key key) {
    const MainSettings settings;
    TextSearchWindow window(kent(), nullptr, DialogServices{}, settings, nullptr);
    window.resize(800, 500);
    window.showWindow();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    window.searchField()->setFocus();
    QApplication::processEvents();
    const PaintCounter painted(window.table().viewport());
    for (auto _ : state) {
        state.PauseTiming();
        // A search for a rare text first, so that the same three letters search again.
        window.searchField()->setText(QStringLiteral("xq"));
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(window.searchField(), &focusOut);
        window.searchField()->setText(twoLetters);
        QApplication::processEvents();
        const int before = painted.paints();
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, QString(third));
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, QString(third));
        state.ResumeTiming();
        QApplication::sendEvent(window.searchField(), &down);
        QApplication::sendEvent(window.searchField(), &up);
        if (!processUntilPainted(painted, before)) {
            state.SkipWithError("the table was not repainted");
            break;
        }
    }
    state.counters["rows"] = window.table().rowCount() - 1;
}

void BM_KentTextSearchKeystrokeToRepaint(benchmark::State& state, const char* two, char third) {
    keystrokeToRepaint(state, QString::fromLatin1(two), QChar::fromLatin1(third),
                       static_cast<Qt::Key>(Qt::Key_A + (third - 'a')));
}
BENCHMARK_CAPTURE(BM_KentTextSearchKeystrokeToRepaint, sch, "sc", 'h')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KentTextSearchKeystrokeToRepaint, kop, "ko", 'p')->Unit(benchmark::kMillisecond);

// The results window of a case of the 50 largest rubrics, opened and painted.
void BM_KentResultsFiftyLargestRubrics(benchmark::State& state) {
    const std::vector<CaseSymptom> rows = largestRubrics(50);
    AnalysisResult result(kent());
    result.score(kent(), rows);
    for (auto _ : state) {
        auto window = std::make_unique<ResultsWindow>(kent(), rows, result, "Fall"_w1252, MainSettings{},
                                                      std::nullopt, "", DialogServices{});
        const PaintCounter painted(window->table().viewport());
        window->show();
        if (!processUntilPainted(painted, 0)) {
            state.SkipWithError("the table was not painted");
            break;
        }
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["columns"] = result.listedCount();
}
BENCHMARK(BM_KentResultsFiftyLargestRubrics)->Unit(benchmark::kMillisecond);

// "&Drucken" of a case of the ten largest rubrics into a PDF file, from the click to the last page,
// with "Druckmittel" 30 (the first answer of the question) and 0 (every remedy).
void BM_KentResultsPrintTenRubrics(benchmark::State& state) {
    const std::vector<CaseSymptom> rows = largestRubrics(10);
    AnalysisResult result(kent());
    result.score(kent(), rows);
    MemorySettingsStore store;
    store.writeInt(QString(), QStringLiteral("Druckmittel"), static_cast<int>(state.range(0)));
    ResultsWindow window(kent(), rows, result, "Fall"_w1252, MainSettings{}, std::nullopt, "",
                         DialogServices{&store, nullptr, nullptr});
    const QString pdf = QDir::temp().filePath(QStringLiteral("telvarin_print_bench.pdf"));
    window.table().setPrintDialog([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    window.show();
    QApplication::processEvents();
    for (auto _ : state)
        window.printTable();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const int remedies = result.listedCount();
    const int columns =
        state.range(0) == 0 ? remedies : std::min<int>(static_cast<int>(state.range(0)), remedies);
    GridPrinter printout(window.table(), QString());
    printout.setPrintedColumns(columns + 2);
    printer.setPageOrientation(printsInLandscape(printout.printedColumnWidths(), printout.printedRowHeights())
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    state.counters["pages"] = printout.layoutFor(printer).pageCount();
    state.counters["remedies"] = remedies;
    QFile::remove(pdf);
}
BENCHMARK(BM_KentResultsPrintTenRubrics)->Arg(30)->Arg(0)->Unit(benchmark::kMillisecond);

// "&Suche" for the remedy that stands in the most rubrics, with every grade, from the click to the
// painted table.
void BM_KentRemedyOverviewSearchToPaintedTable(benchmark::State& state) {
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    const MainSettings settings;
    RemedyOverviewWindow window(kent(), settings, nullptr, DialogServices{&store, nullptr, &messages});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    window.remedyBox()->setEditText(QString::fromStdString(commonestRemedy()));
    window.allGradesButton()->click();
    QApplication::processEvents();
    const PaintCounter painted(window.table().viewport());
    for (auto _ : state) {
        const int before = painted.paints();
        QTest::mouseClick(window.searchButton(), Qt::LeftButton);
        if (!processUntilPainted(painted, before)) {
            state.SkipWithError("the table was not repainted");
            break;
        }
    }
    state.counters["rows"] = window.table().rowCount() - 1;
}
BENCHMARK(BM_KentRemedyOverviewSearchToPaintedTable)->Unit(benchmark::kMillisecond);

// ---- the first time in a fresh process ----

constexpr const char* kChildSwitch = "--first-time-child";

std::int64_t monotonicNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What a child measures once, in nanoseconds, or -1 when it failed.
std::int64_t firstSymptomTreeClick() {
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    CaseInputWindow window(kent(), QStringLiteral("/praxis/historie.xml"),
                           DialogServices{&store, nullptr, &messages});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return -1;
    QApplication::processEvents();
    const PaintCounter painted([](const QWidget* widget) {
        const auto* tree = qobject_cast<const SymptomSearchWindow*>(widget->window());
        return tree != nullptr && widget == tree->tree()->viewport();
    });
    const std::int64_t start = monotonicNanoseconds();
    QTest::mouseClick(window.button(CaseInputButton::TreeSearch), Qt::LeftButton);
    if (!processUntilPainted(painted, 0))
        return -1;
    return monotonicNanoseconds() - start;
}

std::int64_t firstRemedyOverviewSearch() {
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    const MainSettings settings;
    RemedyOverviewWindow window(kent(), settings, nullptr, DialogServices{&store, nullptr, &messages});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return -1;
    window.remedyBox()->setEditText(QString::fromStdString(commonestRemedy()));
    window.allGradesButton()->click();
    QApplication::processEvents();
    const PaintCounter painted(window.table().viewport());
    const std::int64_t start = monotonicNanoseconds();
    QTest::mouseClick(window.searchButton(), Qt::LeftButton);
    if (!processUntilPainted(painted, 0))
        return -1;
    return monotonicNanoseconds() - start;
}

std::int64_t firstKeystroke() {
    const MainSettings settings;
    TextSearchWindow window(kent(), nullptr, DialogServices{}, settings, nullptr);
    window.resize(800, 500);
    window.showWindow();
    if (!QTest::qWaitForWindowExposed(&window))
        return -1;
    window.searchField()->setFocus();
    window.searchField()->setText(QStringLiteral("sc"));
    // The two letters before take a typist at least this long; the window uses the time.
    QTest::qWait(250);
    const PaintCounter painted(window.table().viewport());
    QKeyEvent down(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier, QStringLiteral("h"));
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_H, Qt::NoModifier, QStringLiteral("h"));
    const std::int64_t start = monotonicNanoseconds();
    QApplication::sendEvent(window.searchField(), &down);
    QApplication::sendEvent(window.searchField(), &up);
    if (!processUntilPainted(painted, 0))
        return -1;
    return monotonicNanoseconds() - start;
}

std::int64_t firstResultsWindow() {
    const std::vector<CaseSymptom> rows = largestRubrics(50);
    AnalysisResult result(kent());
    result.score(kent(), rows);
    const std::int64_t start = monotonicNanoseconds();
    ResultsWindow window(kent(), rows, result, "Fall"_w1252, MainSettings{}, std::nullopt, "",
                         DialogServices{});
    const PaintCounter painted(window.table().viewport());
    window.show();
    if (!processUntilPainted(painted, 0))
        return -1;
    return monotonicNanoseconds() - start;
}

int runChild(int argc, char** argv) {
    QApplication app(argc, argv);
    kent(); // the program has its repertory before any window opens
    const std::string which = argv[2];
    const std::int64_t taken = which == "tree"        ? firstSymptomTreeClick()
                               : which == "overview"  ? firstRemedyOverviewSearch()
                               : which == "keystroke" ? firstKeystroke()
                               : which == "results"   ? firstResultsWindow()
                                                      : -1;
    std::printf("%lld\n", static_cast<long long>(taken));
    std::fflush(stdout);
    return 0;
}

void BM_FirstInProcess(benchmark::State& state, const char* which) {
    const QString self = QCoreApplication::applicationFilePath();
    for (auto _ : state) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(self, {QString::fromLatin1(kChildSwitch), QString::fromLatin1(which)});
        if (!child.waitForStarted(-1) || !child.waitForFinished(-1)) {
            state.SkipWithError("the child did not run");
            break;
        }
        const long long taken = child.readAllStandardOutput().trimmed().toLongLong();
        if (taken <= 0) {
            state.SkipWithError("the child measured nothing");
            break;
        }
        state.SetIterationTime(static_cast<double>(taken) / 1e9);
    }
}
BENCHMARK_CAPTURE(BM_FirstInProcess, symptom_tree_click, "tree")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_FirstInProcess, remedy_overview_search, "overview")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_FirstInProcess, text_search_keystroke_sch, "keystroke")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_FirstInProcess, results_fifty_largest, "results")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], kChildSwitch) == 0) {
        telvarin::bench::chooseBenchmarkDisplay();
        return runChild(argc, argv);
    }
    return telvarin::bench::runBenchmarksInQtApplication(argc, argv);
}
