// The text search on the reference repertory: when a search runs, what it finds, the chapter
// filter, the ways a result goes to the case, the column widths and hiding instead of closing.

#include "ui/TextSearchWindow.h"

#include "analysis/SymptomEntry.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/grid/TitleTip.h"
#include "foundation/text/QtCodePage.h"
#include "repertory/RepertoryTexts.h"
#include "tests/ui/SearchWindowsTestSupport.h"
#include "tests/ui/TableSavingTestSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolTip>
#include <memory>

using namespace telvarin;
using namespace telvarin::search_test;

namespace {

const QString kIdleTitle = QStringLiteral("Textuelle Symptomsuche");
const QString kColumns = QStringLiteral("Spalten\\Textsuche");
using Symptoms = std::vector<std::pair<RubricNumber, int>>;

struct OpenTextSearch {
    Services services;
    HandedOver handedOver;
    MainSettings settings;
    std::unique_ptr<TextSearchWindow> window;

    explicit OpenTextSearch(MainSettings mainSettings = {}, const RepertoryDatabase& db = reference())
        : settings(std::move(mainSettings)) {
        open(db);
    }

    void open(const RepertoryDatabase& db = reference()) {
        window = std::make_unique<TextSearchWindow>(db, nullptr, services.services(), settings,
                                                    handedOver.callback());
        showAndWait(*window);
    }

    TableGrid& table() const { return window->table(); }
    QLineEdit& field() const { return *window->searchField(); }
    QString title() const { return window->windowTitle(); }

    void type(const QString& text) const { QTest::keyClicks(&field(), text); }
    void clearAndType(const QString& text) const {
        field().selectAll();
        QTest::keyClick(&field(), Qt::Key_Delete);
        type(text);
    }
    // The focus goes from the field to the table, as a click into the table does.
    void leaveField() const {
        field().setFocus(Qt::OtherFocusReason);
        table().setFocus(Qt::MouseFocusReason);
    }
    void chooseChapter(int entry) const {
        QComboBox& box = *window->chapterBox();
        box.setCurrentIndex(entry);
        emit box.activated(entry);
    }

    std::vector<RubricNumber> numbers() const {
        std::vector<RubricNumber> found;
        for (int row = 1; row < table().rowCount() && !table().cellText(row, 0).isEmpty(); ++row)
            found.push_back(table().cellText(row, 0).toInt());
        return found;
    }
    bool isEmptyTable() const {
        if (table().rowCount() != TextSearchWindow::kEmptyTableRows)
            return false;
        for (int row = 1; row < table().rowCount(); ++row) {
            for (int col = 0; col < 3; ++col) {
                if (!table().cellText(row, col).isEmpty())
                    return false;
            }
        }
        return true;
    }
    void clickRow(int row) const {
        table().ensureCellVisible(row, 1);
        QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, table().cellRect(row, 1).center());
    }
};

// Every rubric whose rubricText or sectionHeading holds each word (in capitals), by brute force.
std::vector<RubricNumber> expectedMatches(const RepertoryDatabase& db, const std::vector<std::string>& words,
                                          RubricNumber first = 1, RubricNumber last = 26564) {
    std::vector<RubricNumber> numbers;
    for (RubricNumber number = first; number <= last; ++number) {
        const std::string text = searchCapitals(rubricText(db, number).bytes());
        const std::string heading = searchCapitals(sectionHeading(db, number - 1).bytes());
        bool all = true;
        for (const std::string& word : words)
            all = all && (text.find(word) != std::string::npos || heading.find(word) != std::string::npos);
        if (all)
            numbers.push_back(number);
    }
    return numbers;
}

std::vector<std::string> wordTexts(std::string_view text) {
    std::vector<std::string> texts;
    for (const SearchWord& word : searchWords(text))
        texts.push_back(word.text);
    return texts;
}

QString foundTitle(std::size_t count) {
    return QStringLiteral("Textuelle Symptomsuche: %1 gefundene Symptome").arg(count);
}

} // namespace

class TextSearchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithAnEmptyTableOfThreeColumns() {
        OpenTextSearch open;
        QCOMPARE(open.title(), kIdleTitle);
        QVERIFY(open.isEmptyTable());
        QCOMPARE(open.table().fixedRowCount(), 1);
        QCOMPARE(open.table().cellText(0, 0), QStringLiteral("Nummer"));
        QCOMPARE(open.table().cellText(0, 1), QStringLiteral("Symptom"));
        QCOMPARE(open.table().cellText(0, 2), QStringLiteral("Kapitel"));
        QCOMPARE(open.table().columnWidth(0), 60);
        QVERIFY(!open.table().isEditable());
        QVERIFY(!open.table().headerSort());

        QComboBox& box = *open.window->chapterBox();
        QCOMPARE(box.count(), 59);
        QCOMPARE(box.itemText(0), QString());
        QCOMPARE(box.itemText(58), fromWindows1252(reference().chapterName(57)));
        QCOMPARE(box.currentIndex(), -1);
        QCOMPARE(open.window->chapterFilterIndex(), -1);
        QVERIFY(!open.window->chosenSymptom().has_value());
    }

    void typingSearchesFromTheThirdCharacterOn() {
        OpenTextSearch open;
        open.type(QStringLiteral("fe"));
        QCOMPARE(open.title(), kIdleTitle);
        QVERIFY(open.isEmptyTable());

        open.type(QStringLiteral("a"));
        const std::vector<RubricNumber> fea = expectedMatches(reference(), {"FEA"});
        QVERIFY(fea.size() > 1);
        QCOMPARE(open.numbers(), fea);
        QCOMPARE(open.title(), foundTitle(fea.size()));
        QCOMPARE(open.table().rowCount(), static_cast<int>(fea.size()) + 1);
        const RubricNumber first = fea.front();
        QCOMPARE(open.table().cellText(1, 1), fromWindows1252(rubricText(reference(), first)));
        QCOMPARE(open.table().cellText(1, 2), fromWindows1252(sectionHeading(reference(), first - 1)));

        // Back to two letters: the idle title, the rows of the last search stay.
        QTest::keyClick(&open.field(), Qt::Key_Backspace);
        QCOMPARE(open.title(), kIdleTitle);
        QCOMPARE(open.numbers(), fea);
        QCOMPARE(open.window->lastSearchText(), "fea"_w1252);
    }

    void leavingTheFieldSearchesShortTextsToo() {
        OpenTextSearch open;
        open.type(QStringLiteral("ox"));
        QVERIFY(open.isEmptyTable());
        open.leaveField();
        const std::vector<RubricNumber> ox = expectedMatches(reference(), {"OX"});
        QCOMPARE(open.numbers(), ox);
        QCOMPARE(open.title(), foundTitle(ox.size()));

        // Leaving again without a change runs nothing; the title keeps the count of the rows shown.
        open.field().setFocus(Qt::MouseFocusReason);
        open.leaveField();
        QCOMPARE(open.title(), foundTitle(ox.size()));
        QCOMPARE(open.numbers(), ox);
    }

    void wordsAreFoundInAnyCaseAndOrderAndInTheHeading() {
        OpenTextSearch open;
        open.type(QStringLiteral("stitching pain"));
        const std::vector<RubricNumber> both = expectedMatches(reference(), {"STITCHING", "PAIN"});
        QVERIFY(!both.empty());
        QCOMPARE(open.numbers(), both);
        open.clearAndType(QStringLiteral("PAIN Stitching"));
        QCOMPARE(open.numbers(), both);

        // A chapter name is found through the heading although no rubric text holds it.
        const std::string chapter(reference().chapterName(0).bytes());
        open.clearAndType(fromWindows1252(chapter) + QStringLiteral(" fear"));
        const std::vector<RubricNumber> viaHeading =
            expectedMatches(reference(), {searchCapitals(chapter), "FEAR"});
        QVERIFY(!viaHeading.empty());
        QCOMPARE(open.numbers(), viaHeading);
        for (const RubricNumber number : viaHeading)
            QVERIFY(searchCapitals(reference().rubricTextField(number - 1).bytes())
                        .find(searchCapitals(chapter)) == std::string::npos);
    }

    void sharpSAndDoubleSFindEachOther() {
        OpenTextSearch open;
        open.type(QStringLiteral("loß"));
        const std::vector<RubricNumber> loss = expectedMatches(reference(), {"LOSS"});
        QVERIFY(!loss.empty());
        QCOMPARE(open.numbers(), loss);

        // A text with ß, as a language file may bring one, is found by SS.
        RepertoryDatabase german = reference();
        german.replaceRubricText(99, "Kopfschmerz beim Gie\xDF"_w1252
                                     "en");
        OpenTextSearch translated({}, german);
        translated.type(QStringLiteral("giessen"));
        QCOMPARE(translated.numbers(), (std::vector<RubricNumber>{100}));
        QCOMPARE(translated.title(), QStringLiteral("Textuelle Symptomsuche: 1 gefundenes Symptom"));
        QCOMPARE(translated.table().rowCount(), 2);
        QCOMPARE(translated.table().cellText(1, 1),
                 QStringLiteral("Kopfschmerz beim Gießen [%1]").arg(german.rubric(99).entryCount));
    }

    void anExcludedWordAndTheRowsSavedAsShown() {
        using namespace telvarin::table_saving_test;
        RepertoryDatabase german = reference();
        german.replaceRubricText(99, "Kopfschmerz, Stirn"_w1252);
        german.replaceRubricText(100, toWindows1252(u"Kopfschmerz, Schläfe"_qs));
        german.replaceRubricText(101, "Kopfschmerz, linke Seite"_w1252);
        OpenTextSearch open({}, german);
        open.type(QStringLiteral("kopf -stirn"));
        QCOMPARE(open.numbers(), (std::vector<RubricNumber>{101, 102}));

        // Ctrl+S and the context menu save the rows found, not the empty rows below them.
        QTemporaryDir folder;
        SaveAnswer save;
        save.answer = folder.filePath(QStringLiteral("kopf.csv"));
        open.window->setTableSaving(
            {folder.path(), [] { return "Anna"_w1252; }, save.asker()});
        QTest::keyClick(open.window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(save.proposed, folder.filePath(QStringLiteral("Anna.csv")));
        const QList<QByteArray> lines = fileBytes(save.answer).split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QByteArray("\xEF\xBB\xBFNummer;Symptom;Kapitel\r"));
        QVERIFY(lines[1].startsWith(u"101;Kopfschmerz, Schläfe ["_qs.toUtf8()));
        QMenu* menu = openContextMenu(open.table(), 1, 1);
        QVERIFY(menu != nullptr);
        clickMenuEntry(*menu, menuEntry(*menu, QStringLiteral("Als Tabelle speichern…")));
        QCOMPARE(save.asked, 2);
    }

    void theLastRubricIsFoundWithAndWithoutTheLastChapter() {
        const RepertoryDatabase& db = reference();
        OpenTextSearch open;
        const QString lastText = fromWindows1252(db.rubricTextField(26563));
        open.type(lastText);
        QVERIFY(!open.numbers().empty());
        QCOMPARE(open.numbers().back(), 26564);

        open.chooseChapter(58);
        QCOMPARE(open.window->chapterFilterIndex(), 57);
        const std::vector<RubricNumber> inLastChapter = expectedMatches(
            db, wordTexts(toWindows1252(lastText).bytes()), db.firstRubricNumberOfChapter(57), 26564);
        QCOMPARE(open.numbers(), inLastChapter);
        QCOMPARE(open.numbers().back(), 26564);
    }

    void theChapterFilterNarrowsAndTheEmptyEntryWidensAgain() {
        const RepertoryDatabase& db = reference();
        OpenTextSearch open;
        open.type(QStringLiteral("night"));
        const std::vector<RubricNumber> everywhere = expectedMatches(db, {"NIGHT"});
        QCOMPARE(open.numbers(), everywhere);

        open.chooseChapter(3);
        const std::vector<RubricNumber> inChapter =
            expectedMatches(db, {"NIGHT"}, db.firstRubricNumberOfChapter(2), db.lastRubricNumberOfChapter(2));
        QVERIFY(!inChapter.empty());
        QVERIFY(inChapter.size() < everywhere.size());
        QCOMPARE(open.numbers(), inChapter);

        open.chooseChapter(0);
        QCOMPARE(open.window->chapterFilterIndex(), -1);
        QCOMPARE(open.numbers(), everywhere);

        // With an empty text choosing a chapter searches nothing.
        open.clearAndType(QString());
        open.leaveField();
        const std::size_t all = open.numbers().size();
        QCOMPARE(all, std::size_t{26564});
        open.chooseChapter(5);
        QCOMPARE(open.title(), kIdleTitle);
        QCOMPARE(open.numbers().size(), all);
    }

    void aSearchWithoutMatchesShowsAnEmptyTable() {
        OpenTextSearch open;
        open.type(QStringLiteral("fear"));
        QVERIFY(!open.numbers().empty());
        open.type(QStringLiteral("qqq"));
        QCOMPARE(open.title(), QStringLiteral("Textuelle Symptomsuche: Kein Symptom gefunden"));
        QVERIFY(open.isEmptyTable());
        QVERIFY(!open.window->chosenSymptom().has_value());
        QTest::mouseClick(open.window->takeOverButton(), Qt::LeftButton);
        QTest::mouseClick(open.window->addButton(), Qt::LeftButton);
        QVERIFY(open.handedOver.symptoms.empty());
        QVERIFY(open.window->isVisible());
        QVERIFY(!open.services.hasPlacement(TextSearchWindow::placementName()));
    }

    void aDoubleClickHandsTheRowOverAndTheWindowStays() {
        OpenTextSearch open;
        open.type(QStringLiteral("stitching"));
        const std::vector<RubricNumber> found = open.numbers();
        QVERIFY(found.size() >= 3);
        open.table().ensureCellVisible(3, 1);
        QTest::mouseDClick(open.table().viewport(), Qt::LeftButton, {}, open.table().cellRect(3, 1).center());
        QCOMPARE(open.handedOver.symptoms, (Symptoms{{found[2], 0}}));
        QVERIFY(open.window->isVisible());

        // The header and empty rows give nothing.
        QTest::mouseDClick(open.table().viewport(), Qt::LeftButton, {}, open.table().cellRect(0, 1).center());
        open.clearAndType(QStringLiteral("zzzz"));
        QTest::mouseDClick(open.table().viewport(), Qt::LeftButton, {}, open.table().cellRect(2, 1).center());
        QCOMPARE(open.handedOver.symptoms.size(), std::size_t{1});
    }

    void addHandsTheChosenRowOverAndStays() {
        OpenTextSearch open;
        open.type(QStringLiteral("stitching"));
        const std::vector<RubricNumber> found = open.numbers();
        // After a search the first result is the chosen one, shown selected.
        QCOMPARE(open.window->chosenSymptom()->number, found[0]);
        QVERIFY(open.table().isCellSelected(1, 1));
        open.clickRow(2);
        QCOMPARE(open.table().selectedRows(), (std::vector<int>{2}));
        // A shift click does not extend the selection: one row at a time.
        QTest::mouseClick(open.table().viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          open.table().cellRect(3, 1).center());
        QCOMPARE(open.table().selectedRows(), (std::vector<int>{3}));
        QTest::mouseClick(open.window->addButton(), Qt::LeftButton);
        QTest::mouseClick(open.window->addButton(), Qt::LeftButton);
        QCOMPARE(open.handedOver.symptoms, (Symptoms{{found[2], 0}, {found[2], 0}}));
        QVERIFY(open.window->isVisible());
        QCOMPARE(open.numbers(), found);
    }

    void takeOverHandsOverKeepsPlacementAndWidthsEmptiesTheTableAndHides() {
        OpenTextSearch open;
        open.type(QStringLiteral("stitching"));
        const std::vector<RubricNumber> found = open.numbers();
        open.clickRow(2);
        open.table().setColumnWidth(0, 77);
        open.field().setFocus(Qt::OtherFocusReason);
        open.field().setSelection(0, 5);
        QTest::keyClick(&open.field(), Qt::Key_Return);
        QCOMPARE(open.handedOver.symptoms, (Symptoms{{found[1], 0}}));
        QVERIFY(!open.window->isVisible());
        QVERIFY(open.services.hasPlacement(TextSearchWindow::placementName()));
        QCOMPARE(open.services.store.readInt(kColumns, QStringLiteral("Col0"), -1), 77);
        QVERIFY(open.services.store.contains(kColumns, QStringLiteral("Col2")));
        // The selected part of the text is gone; the table is empty when the window comes back.
        QCOMPARE(open.field().text(), QStringLiteral("hing"));
        open.window->showWindow();
        QVERIFY(open.isEmptyTable());
    }

    // The whole text selected and handed over: neither hiding nor leaving the field afterwards
    // fills the table with the whole repertory.
    void handOverWithTheWholeTextSelectedLeavesAnEmptyTable() {
        OpenTextSearch open;
        open.type(QStringLiteral("stitching"));
        open.clickRow(1);
        open.field().setFocus(Qt::OtherFocusReason);
        open.field().selectAll();
        QTest::keyClick(&open.field(), Qt::Key_Return);
        QVERIFY(!open.window->isVisible());
        open.window->showWindow();
        open.field().setFocus(Qt::OtherFocusReason);
        open.table().setFocus(Qt::OtherFocusReason);
        QVERIFY(open.isEmptyTable());
        QCOMPARE(open.title(), kIdleTitle);
    }

    void chapterListOpensAboutAHundredUnitsTall() {
        OpenTextSearch open;
        QComboBox& box = *open.window->chapterBox();
        box.showPopup();
        QWidget* popup = box.view()->window();
        QTRY_VERIFY(popup->isVisible());
        QVERIFY(popup->height() <= open.window->pixelRect(QRect(0, 0, 1, 110)).height());
        QVERIFY(box.view()->verticalScrollBar()->isVisible());
        box.hidePopup();
    }

    void columnWidthsAreKeptOnlyWithSpaltenbreite_data() {
        QTest::addColumn<bool>("keep");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void columnWidthsAreKeptOnlyWithSpaltenbreite() {
        QFETCH(bool, keep);
        MainSettings settings;
        settings.keepColumnWidths = keep;
        OpenTextSearch open(settings);
        open.services.store.writeInt(kColumns, QStringLiteral("Col1"), 333);
        open.table().setColumnWidth(0, 91);
        QTest::keyClick(&open.field(), Qt::Key_Escape);
        QVERIFY(!open.window->isVisible());
        QVERIFY(open.services.hasPlacement(TextSearchWindow::placementName()));
        QCOMPARE(open.services.store.readInt(kColumns, QStringLiteral("Col0"), -1), keep ? 91 : -1);

        open.services.store.writeInt(kColumns, QStringLiteral("Col1"), 333);
        open.open();
        QCOMPARE(open.table().columnWidth(0), keep ? 91 : 60);
        QCOMPARE(open.table().columnWidth(1) == 333, keep);
    }

    // Widths kept in a maximised window come back narrowed to the window the table opens in, with
    // no horizontal scroll bar and no heading cut; the next save keeps them as they are then.
    void widthsFromAWiderWindowFitTheTable() {
        OpenTextSearch open;
        open.window->reject();
        for (const auto& [name, width] :
             {std::pair{"Col0", 60}, {"Col1", 1200}, {"Col2", 600}, {"Breite", 1860}})
            open.services.store.writeInt(kColumns, QString::fromLatin1(name), width);
        open.open();
        TableGrid& grid = open.table();
        open.type(QStringLiteral("pain")); // rows enough for the vertical scroll bar
        QTRY_VERIFY(grid.verticalScrollBar()->isVisible());
        QVERIFY(!grid.horizontalScrollBar()->isVisible());
        QVERIFY(grid.columnWidth(0) + grid.columnWidth(1) + grid.columnWidth(2) <= grid.viewport()->width());
        QVERIFY(std::abs(grid.columnWidth(1) - 2 * grid.columnWidth(2)) <= 3);
        for (int col = 0; col < 3; ++col)
            QVERIFY(grid.columnWidth(col) >=
                    QFontMetrics(grid.cellStyle(0, col).font).horizontalAdvance(grid.cellText(0, col)));

        const int symptomWidth = grid.columnWidth(1);
        open.window->reject();
        open.open();
        QCOMPARE(open.table().columnWidth(1), symptomWidth);
    }

    void theColumnsShareTheWidthOfTheWindow() {
        QCOMPARE(textSearchColumnWidths(600, 60, 372, 200), (TextSearchColumnWidths{351, 188}));
        QCOMPARE(textSearchColumnWidths(600, 60, 0, 0), (TextSearchColumnWidths{0, 540}));
        QCOMPARE(textSearchColumnWidths(50, 60, 10, 10), (TextSearchColumnWidths{0, 0}));

        OpenTextSearch open;
        TableGrid& grid = open.table();
        const auto columnsTogether = [&] {
            return grid.columnWidth(0) + grid.columnWidth(1) + grid.columnWidth(2);
        };
        open.type(QStringLiteral("pain")); // rows enough for the vertical scroll bar
        QTRY_VERIFY(grid.verticalScrollBar()->isVisible());
        // The columns fill what the table shows beside the vertical scroll bar, and no more.
        QVERIFY(!grid.horizontalScrollBar()->isVisible());
        QVERIFY(columnsTogether() <= grid.viewport()->width());
        QVERIFY(columnsTogether() >= grid.viewport()->width() - 2);

        grid.setColumnWidth(1, 300);
        grid.setColumnWidth(2, 100);
        const int initialWidth = open.window->width();
        open.window->resize(initialWidth + 200, open.window->height() + 50);
        QTRY_VERIFY(columnsTogether() >= grid.viewport()->width() - 2);
        QVERIFY(columnsTogether() <= grid.viewport()->width());
        QVERIFY(std::abs(grid.columnWidth(1) - 3 * grid.columnWidth(2)) <= 3);
        QCOMPARE(grid.columnWidth(0), 60);
        QVERIFY(!grid.horizontalScrollBar()->isVisible());
        // The controls below the table follow the bottom edge; the field grows.
        QCOMPARE(open.field().width(), open.window->pixelRect(QRect(56, 96, 232, 14)).width() + 200);
        QCOMPARE(open.window->takeOverButton()->y(), open.window->pixelRect(QRect(4, 133, 42, 35)).y() + 50);

        // Hiding and showing at the same size leaves the widths as the user set them.
        grid.setColumnWidth(1, 250);
        open.window->reject();
        open.window->showWindow();
        QCOMPARE(grid.columnWidth(1), 250);
    }

    void reopenedWindowTakesTheTypingAndTipsShowCutTexts() {
        OpenTextSearch open;
        open.type(QStringLiteral("pain"));
        // Hidden straight from the field, it keeps the title of the rows it shows.
        const QString counted = open.title();
        QVERIFY(counted.contains(QStringLiteral("gefundene")));
        QTest::keyClick(&open.field(), Qt::Key_Escape);
        QVERIFY(!open.window->isVisible());
        open.window->showWindow();
        QCOMPARE(open.title(), counted);
        for (const bool byButton : {true, false}) {
            open.clickRow(1); // the focus goes to the table
            if (byButton)
                open.window->backButton()->click();
            else
                QTest::keyClick(&open.table(), Qt::Key_Escape);
            QVERIFY(!open.window->isVisible());
            open.window->showWindow();
            QTRY_VERIFY(open.field().hasFocus());
        }

        // A symptom text the column cuts shows whole in a tip; one that fits shows none.
        TableGrid& grid = open.table();
        grid.setColumnWidth(1, 60);
        QVERIFY(grid.isTextCut(1, 1));
        QTest::mouseMove(grid.viewport(), grid.cellRect(1, 1).center());
        QTRY_VERIFY(grid.titleTip() && grid.titleTip()->isVisible());
        QCOMPARE(grid.titleTip()->text(), grid.cellText(1, 1));
        QVERIFY(!grid.isTextCut(1, 0));
        QTest::mouseMove(grid.viewport(), grid.cellRect(1, 0).center());
        QVERIFY(!grid.titleTip()->isVisible());

        // A tip goes with the rows it was shown over when the text changes.
        QTest::mouseMove(grid.viewport(), grid.cellRect(1, 1).center());
        QTRY_VERIFY(grid.titleTip()->isVisible());
        open.field().setText(open.field().text() + QStringLiteral("e"));
        QVERIFY(!grid.titleTip()->isVisible());

        // With the remedy lists by grade, a cell that is not cut tips the row's remedies.
        const auto tipOver = [&grid](int col) {
            QToolTip::hideText();
            const QPoint at = grid.cellRect(1, col).center();
            QHelpEvent hover(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
            QApplication::sendEvent(grid.viewport(), &hover);
            return QToolTip::text();
        };
        QCOMPARE(tipOver(0), QString());
        open.settings.remedyListsByGrade = true;
        const ParsedSymptom row = parseSymptomEntry(reference(), toWindows1252(grid.cellText(1, 0)).bytes());
        QCOMPARE(tipOver(0),
                 fromWindows1252(remedyListHtml(reference(), row.number, 0, RemedyListOrder::ByGrade)));
        QCOMPARE(tipOver(1), QString()); // cut: the grid's own tip shows the text
        QToolTip::hideText();
    }

    void helpShowsTopic16AndTheCloseBoxHides() {
        OpenTextSearch open;
        QTest::mouseClick(open.window->helpButton(), Qt::LeftButton);
        QCOMPARE(open.services.help.topics, (std::vector<int>{16}));
        open.type(QStringLiteral("fear"));
        QVERIFY(open.window->close());
        QVERIFY(!open.window->isVisible());
        open.window->showWindow();
        QCOMPARE(open.field().text(), QStringLiteral("fear"));
        QVERIFY(!open.numbers().empty());
    }

    void grabOfTheWindow() {
        OpenTextSearch open;
        open.chooseChapter(1);
        open.type(QStringLiteral("fear night"));
        QVERIFY(open.window->grab().save(QStringLiteral(TELVARIN_TEST_OUTPUT_DIR "/text-search-window.png")));
    }
};

QTEST_MAIN(TextSearchWindowTest)
#include "TextSearchWindowTest.moc"
