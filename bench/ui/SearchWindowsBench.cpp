// Opening the symptom tree search (the whole repertory as a tree) and the text search, showing
// them again, and the text search's work on one keystroke.

#include "data/BuiltinRepertory.h"
#include "foundation/grid/TableGrid.h"
#include "tests/ReferenceRepertory.h"
#include "ui/RepertoryTreeModel.h"
#include "ui/SymptomSearchWindow.h"
#include "ui/TextSearchWindow.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>

using namespace telvarin;

namespace {

const RepertoryDatabase& reference() {
    return test::referenceRepertory();
}

// The first "S&uchen": the window with its tree of 26,564 rubrics, shown and painted.
void BM_OpenSymptomSearch(benchmark::State& state) {
    for (auto _ : state) {
        auto window = std::make_unique<SymptomSearchWindow>(reference(), nullptr, DialogServices{}, nullptr);
        window->showWindow(nullptr);
        QApplication::processEvents();
        benchmark::DoNotOptimize(window->model().rowCount());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenSymptomSearch)->Unit(benchmark::kMillisecond);

// Every later "S&uchen" only shows the window again.
void BM_ShowSymptomSearchAgain(benchmark::State& state) {
    SymptomSearchWindow window(reference(), nullptr, DialogServices{}, nullptr);
    for (auto _ : state) {
        window.showWindow(nullptr);
        QApplication::processEvents();
        state.PauseTiming();
        window.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowSymptomSearchAgain)->Unit(benchmark::kMillisecond);

// Going to the last rubric: its chapter and section open, the view scrolls to it.
void BM_SelectLastRubric(benchmark::State& state) {
    SymptomSearchWindow window(reference(), nullptr, DialogServices{}, nullptr);
    window.showWindow(nullptr);
    QApplication::processEvents();
    const QModelIndex last = window.model().rubricIndex(reference().rubricCount());
    for (auto _ : state) {
        window.tree()->setCurrentIndex(last);
        window.tree()->scrollTo(last);
        QApplication::processEvents();
        state.PauseTiming();
        window.tree()->collapseAll();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SelectLastRubric)->Unit(benchmark::kMillisecond);

// The first "&Textsuche": the search index is built with the window.
void BM_OpenTextSearch(benchmark::State& state) {
    const MainSettings settings;
    for (auto _ : state) {
        auto window =
            std::make_unique<TextSearchWindow>(reference(), nullptr, DialogServices{}, settings, nullptr);
        window->showWindow();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window->table().rowCount());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenTextSearch)->Unit(benchmark::kMillisecond);

// One keystroke that searches the whole repertory and fills the table with what it finds.
void typeAlternately(benchmark::State& state, const QString& first, const QString& second) {
    const MainSettings settings;
    TextSearchWindow window(reference(), nullptr, DialogServices{}, settings, nullptr);
    window.showWindow();
    QApplication::processEvents();
    bool useFirst = true;
    for (auto _ : state) {
        window.searchField()->setText(useFirst ? first : second);
        useFirst = !useFirst;
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.table().rowCount());
    }
    state.counters["rows"] = window.table().rowCount() - 1;
}

void BM_KeystrokeFewMatches(benchmark::State& state) {
    typeAlternately(state, QStringLiteral("stitching"), QStringLiteral("stitchin"));
}
BENCHMARK(BM_KeystrokeFewMatches)->Unit(benchmark::kMillisecond);

void BM_KeystrokeManyMatches(benchmark::State& state) {
    typeAlternately(state, QStringLiteral("agg"), QStringLiteral("agg."));
}
BENCHMARK(BM_KeystrokeManyMatches)->Unit(benchmark::kMillisecond);

// What the user waits for on one keystroke: the third letter of "hea" (5,091 matches) or "agg"
// (6,337) typed into the field, the search over the whole repertory, the table filled and
// repainted. Setting the first two letters before it searches nothing and is not measured.
void BM_KeystrokeToRepaintedTable(benchmark::State& state) {
    const MainSettings settings;
    TextSearchWindow window(reference(), nullptr, DialogServices{}, settings, nullptr);
    window.resize(800, 500);
    window.showWindow();
    window.searchField()->setFocus();
    QApplication::processEvents();
    bool hea = true;
    for (auto _ : state) {
        state.PauseTiming();
        window.searchField()->setText(hea ? QStringLiteral("he") : QStringLiteral("ag"));
        QApplication::processEvents();
        const QString letter = hea ? QStringLiteral("a") : QStringLiteral("g");
        QKeyEvent down(QEvent::KeyPress, hea ? Qt::Key_A : Qt::Key_G, Qt::NoModifier, letter);
        QKeyEvent up(QEvent::KeyRelease, hea ? Qt::Key_A : Qt::Key_G, Qt::NoModifier, letter);
        hea = !hea;
        state.ResumeTiming();
        QApplication::sendEvent(window.searchField(), &down);
        QApplication::sendEvent(window.searchField(), &up);
        window.table().viewport()->repaint();
        benchmark::DoNotOptimize(window.table().rowCount());
    }
    state.counters["rows"] = window.table().rowCount() - 1;
}
BENCHMARK(BM_KeystrokeToRepaintedTable)->Unit(benchmark::kMillisecond);

// Leaving an emptied field lists every rubric: the largest table the search makes.
void BM_LeaveEmptyFieldListsEverything(benchmark::State& state) {
    const MainSettings settings;
    TextSearchWindow window(reference(), nullptr, DialogServices{}, settings, nullptr);
    window.showWindow();
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        window.searchField()->setText(QStringLiteral("x"));
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(window.searchField(), &focusOut);
        window.searchField()->clear();
        state.ResumeTiming();
        QApplication::sendEvent(window.searchField(), &focusOut);
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.table().rowCount());
    }
    state.counters["rows"] = window.table().rowCount() - 1;
}
BENCHMARK(BM_LeaveEmptyFieldListsEverything)->Unit(benchmark::kMillisecond);

} // namespace
