// Every window on a repertory three times the size of the built-in one: five-digit rubric
// numbers, 700 remedies, a rubric of 500 remedies, 5,000 sections. Nothing may rest on the
// built-in figures.

#include "analysis/Analysis.h"
#include "analysis/RemedyOverview.h"
#include "analysis/TextSearch.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/text/QtCodePage.h"
#include "history/HistoryWriter.h"
#include "repertory/RepertoryTexts.h"
#include "tests/LargeRepertory.h"
#include "ui/CaseGrid.h"
#include "ui/CaseInputWindow.h"
#include "ui/HistoryWindow.h"
#include "ui/RemedyOverviewWindow.h"
#include "ui/RepertoryTreeModel.h"
#include "ui/ResultsWindow.h"
#include "ui/SymptomSearchWindow.h"
#include "ui/TextSearchWindow.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

using namespace telvarin;

namespace {

const RepertoryDatabase& large() {
    return test::largeRepertory();
}

int largestRubricNumber() {
    int largest = 0;
    for (int i = 1; i < large().rubricCount(); ++i) {
        if (large().rubric(i).entryCount > large().rubric(largest).entryCount)
            largest = i;
    }
    return largest + 1;
}

} // namespace

class LargeRepertoryWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void caseInputTakesFiveDigitNumbers() {
        MemorySettingsStore store;
        PresetMessageBoxes messages;
        CaseInputWindow window(large(), QStringLiteral("/praxis/historie.xml"),
                               DialogServices{&store, nullptr, &messages});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        CaseGrid& grid = *window.caseGrid();
        const int last = large().rubricCount();
        QTest::keyClicks(&grid, QStringLiteral("7"));
        QVERIFY(grid.editor() != nullptr);
        QTest::keyClicks(grid.editor(), QString::number(last).mid(1));
        QTest::keyClick(grid.editor(), Qt::Key_Return);
        QCOMPARE(grid.cellText(1, 0), QString::number(last));
        QCOMPARE(grid.cellText(1, 1), fromWindows1252(rubricText(large(), last)));
        QCOMPARE(grid.cellText(1, 2), fromWindows1252(sectionHeading(large(), last - 1)));
        window.setResultsOpener([](const ResultsRequest& request) {
            return ResultsReply{request.result.listedCount() > 0, request.evaluationName};
        });
        window.calculate();
        QVERIFY(window.analysisResult().listedCount() > 0);
    }

    void treeAndTextSearchReachTheLastRubric() {
        const int last = large().rubricCount();
        SymptomSearchWindow tree(large(), nullptr, DialogServices{}, nullptr);
        tree.showWindow(nullptr);
        QCOMPARE(tree.model().rowCount(), large().chapterCount());
        const QModelIndex lastItem = tree.model().rubricIndex(last);
        QVERIFY(lastItem.isValid());
        QVERIFY(lastItem.data().toString().endsWith(u'\u00A0' + QString::number(last)));

        const MainSettings settings;
        TextSearchWindow text(large(), nullptr, DialogServices{}, settings, nullptr);
        text.showWindow();
        text.searchField()->setText(QStringLiteral("pai"));
        const std::vector<RubricNumber> found = textSearchMatches(TextSearchIndex(large()), "PAI"_w1252, -1);
        QVERIFY(found.size() > 10'000);
        QCOMPARE(text.table().rowCount() - 1, static_cast<int>(found.size()));
        QCOMPARE(text.table().cellText(text.table().rowCount() - 1, 0), QString::number(found.back()));
    }

    void overviewAndResultsShowEveryRemedy() {
        MemorySettingsStore store;
        PresetMessageBoxes messages;
        const MainSettings settings;
        RemedyOverviewWindow overview(large(), settings, nullptr, DialogServices{&store, nullptr, &messages});
        overview.show();
        QCOMPARE(overview.remedyBox()->count(), large().remedyCount());
        const QString lastRemedy = QString::fromLatin1(large().remedyName(large().remedyCount() - 1).bytes());
        overview.remedyBox()->lineEdit()->clear();
        QTest::keyClicks(overview.remedyBox()->lineEdit(), lastRemedy);
        QTest::keyClick(overview.remedyBox()->lineEdit(), Qt::Key_Return);
        RemedyQuery query;
        query.remedyText = toWindows1252(lastRemedy);
        const std::size_t expected = runRemedyQuery(large(), query).rows.size();
        QVERIFY(expected > 0);
        QCOMPARE(overview.table().rowCount() - 1, static_cast<int>(expected));

        // The rubric of 500 remedies and the last rubric: a column for every remedy they list.
        const std::vector<CaseSymptom> rows{{largestRubricNumber(), 0, false, {}},
                                            {large().rubricCount(), 0, false, {}}};
        AnalysisResult result(large());
        result.score(large(), rows);
        QVERIFY(result.listedCount() >= 500);
        ResultsWindow results(large(), rows, result, "Fall"_w1252, settings, std::nullopt, "",
                              DialogServices{});
        results.show();
        QCOMPARE(results.table().columnCount(), result.listedCount() + 2);
        QCOMPARE(results.table().rowCount(), 5);
    }

    void historyTipsNameFiveDigitRubrics() {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("historie.xml"));
        CaseHistory history;
        history.cases.push_back(
            {"Fall"_w1252, {Treatment{"07.12.2026 10:00", ""_w1252, 0, {{large().rubricCount(), 0}}}}});
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(composeHistoryText(history)));
        file.close();
        MemorySettingsStore store;
        PresetMessageBoxes messages;
        HistoryWindow window(path, large(), MainSettings{}, nullptr,
                             DialogServices{&store, nullptr, &messages});
        window.show();
        window.tree()->expandAll();
        const QTreeWidgetItem* treatment = window.tree()->topLevelItem(0)->child(0);
        QVERIFY(treatment != nullptr);
        QCOMPARE(treatment->toolTip(0), QString::number(large().rubricCount()) + QStringLiteral("  ") +
                                            fromWindows1252(rubricText(large(), large().rubricCount())));
    }
};

QTEST_MAIN(LargeRepertoryWindowsTest)
#include "LargeRepertoryWindowsTest.moc"
