// The remedy overview window on the reference repertory: opening, searching by button, Enter and
// list choice, the filters, the size fields' messages, taking a rubric over, closing, column
// widths, printing and the layout.

#include "ui/RemedyOverviewWindow.h"

#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/settings/WindowPersistence.h"
#include "foundation/text/QtCodePage.h"
#include "tests/ui/ResultsReference.h"
#include "tests/ui/TableSavingTestSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

using namespace telvarin;
using telvarin::results_test::reference;

namespace {

const QString kWindowName = QStringLiteral("Mittelübersicht");
const QString kPlacement = QStringLiteral("Dialog\\Mittelübersicht");
const QString kWidths = QStringLiteral("Spalten\\Mittelübersicht");

QString titleOf(const QString& remedy, int count) {
    return QStringLiteral("Mittelübersicht: %1, gefundene Symptome: %2").arg(remedy).arg(count);
}

OverviewResult queryFor(Windows1252View remedy, GradeSelection grades = {false, false, true, true, true},
                        int chapter = -1) {
    RemedyQuery query;
    query.remedyText = remedy;
    query.gradeWanted = grades;
    query.chapterIndex = chapter;
    return runRemedyQuery(reference(), query);
}

// An open overview over an in-memory store, with preset message boxes.
struct OpenOverview {
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    MainSettings settings;
    std::optional<TableFont> font;
    std::unique_ptr<RemedyOverviewWindow> window;

    explicit OpenOverview(MainSettings mainSettings = {}, std::optional<TableFont> tableFont = std::nullopt)
        : settings(std::move(mainSettings)), font(std::move(tableFont)) {}

    RemedyOverviewWindow& open() {
        window = std::make_unique<RemedyOverviewWindow>(reference(), settings, font ? &*font : nullptr,
                                                        DialogServices{&store, nullptr, &messages});
        window->show();
        QApplication::setActiveWindow(window.get());
        [&] { QVERIFY(QTest::qWaitForWindowActive(window.get())); }();
        return *window;
    }

    TableGrid& table() const { return window->table(); }

    void typeRemedy(const QString& text) const {
        QLineEdit* edit = window->remedyBox()->lineEdit();
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    void searchFor(const QString& text) const {
        typeRemedy(text);
        QTest::keyClick(window->remedyBox()->lineEdit(), Qt::Key_Return);
    }

    // Picks an item of a combo box's list with the mouse, as a user does.
    static void chooseFromList(QComboBox* box, const QString& text) {
        const int index = box->findText(text, Qt::MatchExactly);
        QVERIFY2(index >= 0, qPrintable(text));
        box->showPopup();
        QAbstractItemView* view = box->view();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        const QModelIndex item = view->model()->index(index, box->modelColumn());
        view->scrollTo(item);
        const QRect place = view->visualRect(item);
        if (view->viewport()->rect().contains(place)) {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center());
        } else {
            // Far down a long list the user walks there with the keys.
            view->setCurrentIndex(item);
            QTest::keyClick(view, Qt::Key_Return);
        }
        QTRY_VERIFY(!view->window()->isVisible());
    }

    // The first table row showing a rubric, or -1.
    int rowOf(RubricNumber number) const {
        const QString text = QStringLiteral("%1 ").arg(number);
        for (int row = 1; row < table().rowCount(); ++row) {
            if (table().cellText(row, 0) == text)
                return row;
        }
        return -1;
    }

    void doubleClickRow(int row) const {
        table().ensureCellVisible(row, 2);
        const QRect cell = table().cellRect(row, 2);
        QVERIFY(!cell.isEmpty());
        QTest::mouseDClick(table().viewport(), Qt::LeftButton, {}, cell.center());
    }
};

// The rows the table shows, as the query's rows would be written.
void compareRows(const TableGrid& grid, const OverviewResult& result) {
    QCOMPARE(grid.rowCount(), static_cast<int>(result.rows.size()) + 1);
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const OverviewRow& expected = result.rows[i];
        QCOMPARE(grid.cellText(row, 0), fromWindows1252(expected.numberColumn));
        QCOMPARE(grid.cellText(row, 1), fromWindows1252(expected.gradeColumn));
        QCOMPARE(grid.cellText(row, 2), fromWindows1252(expected.symptomColumn));
        QCOMPARE(grid.cellText(row, 3), fromWindows1252(expected.chapterColumn));
    }
}

QString runTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class RemedyOverviewWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithThePresetAndAnEmptyTable();
    void searchWithAnEmptyBoxFindsNothing();
    void choosingARemedyFromTheListSearchesAtOnce();
    void typedTextAndEnterSearchWithTheDot();
    void sizeFilterEnablesItsFieldsWithoutSearching();
    void gradePresetsAndTheHiddenBoxesTakePart();
    void chapterChoiceRestrictsTheRubrics();
    void sizeFieldsComplainAndKeepTheTable();
    void arrowsStepTheSizeFields();
    void doubleClickTakesTheRubricOver();
    void closingSavesPlacementAndWidths();
    void keptWidthsOrWidthsThatFillTheTable();
    void printsTheRemedyIntoTheHeaderCell();
    void printBeforeAnySearchAndCancelledPrint();
    void tableFontAndLayout();
    void checkBoxesStayInsideTheirFramesWithASmallFont();
    void grabOfTheWindow();
    void ctrlSSavesTheTable();
};

void RemedyOverviewWindowTest::opensWithThePresetAndAnEmptyTable() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    QCOMPARE(window.windowTitle(), kWindowName);
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(overview.table().rowCount(), 0);
    QCOMPARE(overview.table().columnCount(), 0);

    for (int grade = 1; grade <= 5; ++grade)
        QCOMPARE(window.gradeBox(grade)->isChecked(), grade >= 3);
    QVERIFY(!window.bdOnlyBox()->isChecked());
    QVERIFY(window.gradeBox(4)->isVisible());
    QVERIFY(!window.gradeBox(5)->isVisible());
    QVERIFY(!window.bdOnlyBox()->isVisible());

    QVERIFY(!window.sizeFilterBox()->isChecked());
    QCOMPARE(window.minSizeField()->text(), QStringLiteral("1"));
    QCOMPARE(window.maxSizeField()->text(), QStringLiteral("30"));
    QVERIFY(!window.minSizeField()->isEnabled());
    QVERIFY(!window.maxSizeField()->isEnabled());
    QVERIFY(window.listOthersBox()->isChecked());
    QVERIFY(!window.listOthersBox()->isEnabled());
    for (QToolButton* arrow : window.findChildren<QToolButton*>())
        QVERIFY(arrow->isEnabled());

    QComboBox* chapters = window.chapterBox();
    QVERIFY(!chapters->isEditable());
    QCOMPARE(chapters->count(), 59);
    QCOMPARE(chapters->currentText(), QString());
    QCOMPARE(chapters->itemText(1), QStringLiteral("MIND"));
    QComboBox* remedies = window.remedyBox();
    QVERIFY(remedies->isEditable());
    QCOMPARE(remedies->count(), 933);
    QCOMPARE(remedies->currentText(), QString());
    QVERIFY(remedies->findText(QStringLiteral("acon.")) >= 0);

    QCOMPARE(window.searchButton()->text(), QStringLiteral("&Suche"));
    QCOMPARE(window.printButton()->text(), QStringLiteral("&Drucken"));
    QCOMPARE(window.helpButton()->text(), QStringLiteral("&Hilfe"));
    QCOMPARE(window.backButton()->text(), QStringLiteral("&Zurück"));
    QCOMPARE(window.allGradesButton()->text(), QStringLiteral("&Alle"));
    QCOMPARE(window.highGradesButton()->text(), QStringLiteral("Hoch&wertig"));

    // Help goes to topic 18; without a help viewer the failure is reported.
    window.helpButton()->click();
    QCOMPARE(overview.messages.shown().size(), std::size_t{1});
    QCOMPARE(overview.messages.shown()[0].text, HelpViewer::failedText());
    QCOMPARE(window.helpTopic(), 18);
}

void RemedyOverviewWindowTest::searchWithAnEmptyBoxFindsNothing() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    QTest::mouseClick(window.searchButton(), Qt::LeftButton);
    QCOMPARE(window.windowTitle(), titleOf(QString(), 0));
    const TableGrid& grid = overview.table();
    QCOMPARE(grid.columnCount(), 4);
    QCOMPARE(grid.rowCount(), 1);
    QCOMPARE(grid.fixedRowCount(), 1);
    QCOMPARE(grid.fixedColumnCount(), 0);
    const QStringList headers{"Nummer", "Wertigkeit", "Symptom", "Kapitel"};
    for (int col = 0; col < 4; ++col)
        QCOMPARE(grid.cellText(0, col), headers[col]);
    QVERIFY(!grid.isEditable());
    QVERIFY(!grid.headerSort());
    QVERIFY(!grid.selectionEnabled());
    QVERIFY(grid.listMode());
    QVERIFY(overview.messages.shown().empty());

    overview.searchFor(QStringLiteral("aco."));
    QCOMPARE(window.windowTitle(), titleOf(QStringLiteral("aco."), 0));
    QCOMPARE(grid.rowCount(), 1);
}

void RemedyOverviewWindowTest::choosingARemedyFromTheListSearchesAtOnce() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    OpenOverview::chooseFromList(window.remedyBox(), QStringLiteral("acon."));
    const OverviewResult expected = queryFor("acon."_w1252);
    QVERIFY(expected.rows.size() > 10);
    QCOMPARE(window.windowTitle(), titleOf(QStringLiteral("acon."), static_cast<int>(expected.rows.size())));
    compareRows(overview.table(), expected);
    QCOMPARE(overview.table().focusCell(), (GridCellPos{1, 0}));
    QVERIFY(window.isVisible());
}

void RemedyOverviewWindowTest::typedTextAndEnterSearchWithTheDot() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    overview.searchFor(QStringLiteral("ACON"));
    const OverviewResult expected = queryFor("acon."_w1252);
    QCOMPARE(window.windowTitle(), titleOf(QStringLiteral("ACON."), static_cast<int>(expected.rows.size())));
    QCOMPARE(window.remedyBox()->currentText(), QStringLiteral("ACON"));
    // Enter neither closes the window nor adds the typed text to the list.
    QVERIFY(window.isVisible());
    QCOMPARE(window.remedyBox()->count(), 933);
    compareRows(overview.table(), expected);

    // Enter from the table searches as well.
    overview.typeRemedy(QStringLiteral("acon-f"));
    overview.table().setFocus();
    QTest::keyClick(&overview.table(), Qt::Key_Return);
    QCOMPARE(window.windowTitle(),
             titleOf(QStringLiteral("acon-f."), static_cast<int>(queryFor("acon-f."_w1252).rows.size())));
}

void RemedyOverviewWindowTest::sizeFilterEnablesItsFieldsWithoutSearching() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    overview.searchFor(QStringLiteral("acon."));
    const QString title = window.windowTitle();
    const int rows = overview.table().rowCount();

    QTest::mouseClick(window.sizeFilterBox(), Qt::LeftButton);
    QVERIFY(window.sizeFilterBox()->isChecked());
    QVERIFY(window.minSizeField()->isEnabled());
    QVERIFY(window.maxSizeField()->isEnabled());
    QVERIFY(window.listOthersBox()->isEnabled());
    QVERIFY(window.listOthersBox()->isChecked());
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(overview.table().rowCount(), rows);
    QCOMPARE(overview.table().columnCount(), 4);

    QTest::mouseClick(window.searchButton(), Qt::LeftButton);
    const TableGrid& grid = overview.table();
    QCOMPARE(grid.columnCount(), 5);
    QCOMPARE(grid.cellText(0, 4), QStringLiteral("Andere Mittel"));
    QVERIFY(grid.rowCount() > 1 && grid.rowCount() < rows);
    for (int row = 1; row < grid.rowCount(); ++row) {
        const RubricNumber number = grid.cellText(row, 0).trimmed().toInt();
        QVERIFY(reference().rubric(number - 1).entryCount <= 30);
        QVERIFY(grid.cellText(row, 4).contains(QStringLiteral("acon.(")));
        QCOMPARE(grid.tipText(row, 4), grid.cellText(row, 4));
    }
    QVERIFY(grid.titleTips());

    // Without the other remedies the fifth column goes again.
    QTest::mouseClick(window.listOthersBox(), Qt::LeftButton);
    QTest::mouseClick(window.searchButton(), Qt::LeftButton);
    QCOMPARE(grid.columnCount(), 4);

    QTest::mouseClick(window.sizeFilterBox(), Qt::LeftButton);
    QVERIFY(!window.minSizeField()->isEnabled());
    QVERIFY(!window.listOthersBox()->isEnabled());
}

void RemedyOverviewWindowTest::gradePresetsAndTheHiddenBoxesTakePart() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    overview.searchFor(QStringLiteral("sep."));
    const int highRow = overview.rowOf(63);
    QVERIFY(highRow > 0); // only the grade-3 entry qualifies
    QCOMPARE(overview.table().cellText(highRow, 1), QStringLiteral("3"));
    QVERIFY(overview.table().cellText(highRow + 1, 0) != QStringLiteral("63 "));

    QTest::mouseClick(window.allGradesButton(), Qt::LeftButton);
    for (int grade = 1; grade <= 5; ++grade)
        QVERIFY(window.gradeBox(grade)->isChecked());
    QTest::mouseClick(window.searchButton(), Qt::LeftButton);
    compareRows(overview.table(), queryFor("sep."_w1252, {true, true, true, true, true}));
    const int allRow = overview.rowOf(63);
    QCOMPARE(overview.table().cellText(allRow, 1), QStringLiteral("1"));
    QCOMPARE(overview.table().cellText(allRow + 1, 0), QStringLiteral("63 "));
    QCOMPARE(overview.table().cellText(allRow + 1, 1), QStringLiteral("3"));

    // The hidden boxes still count: grade 5 alone finds nothing here, and so does "nur BD".
    for (int grade = 1; grade <= 4; ++grade)
        window.gradeBox(grade)->setChecked(false);
    QTest::mouseClick(window.searchButton(), Qt::LeftButton);
    QCOMPARE(window.query().gradeWanted, (GradeSelection{false, false, false, false, true}));
    QTest::mouseClick(window.allGradesButton(), Qt::LeftButton);
    window.bdOnlyBox()->setChecked(true);
    QTest::mouseClick(window.searchButton(), Qt::LeftButton);
    QCOMPARE(window.windowTitle(), titleOf(QStringLiteral("sep."), 0));

    QTest::mouseClick(window.highGradesButton(), Qt::LeftButton);
    QVERIFY(!window.bdOnlyBox()->isChecked());
    QVERIFY(!window.gradeBox(1)->isChecked() && !window.gradeBox(2)->isChecked());
    QVERIFY(window.gradeBox(3)->isChecked() && window.gradeBox(5)->isChecked());
    // The presets do not search, nor does leaving the box with the name of a remedy in it.
    QCOMPARE(window.windowTitle(), titleOf(QStringLiteral("sep."), 0));
    overview.typeRemedy(QStringLiteral("acon."));
    QTest::mouseClick(window.allGradesButton(), Qt::LeftButton);
    QVERIFY(!window.remedyBox()->hasFocus());
    QCOMPARE(window.windowTitle(), titleOf(QStringLiteral("sep."), 0));
}

void RemedyOverviewWindowTest::chapterChoiceRestrictsTheRubrics() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    overview.typeRemedy(QStringLiteral("acon."));
    OpenOverview::chooseFromList(window.chapterBox(), QStringLiteral("MIND"));
    QCOMPARE(window.query().chapterIndex, 0);
    const OverviewResult mind = queryFor("acon."_w1252, {false, false, true, true, true}, 0);
    QVERIFY(!mind.rows.empty());
    compareRows(overview.table(), mind);
    for (const OverviewRow& row : mind.rows)
        QVERIFY(row.number >= 1 && row.number <= 1073);

    // The last chapter reaches the last rubric.
    const std::string lastRemedy(reference().remedyName(remedyOf(reference().remedyList(26563)[0])).bytes());
    QTest::mouseClick(window.allGradesButton(), Qt::LeftButton);
    overview.typeRemedy(fromWindows1252(lastRemedy));
    OpenOverview::chooseFromList(window.chapterBox(), window.chapterBox()->itemText(58));
    QVERIFY(overview.rowOf(26564) > 0);

    OpenOverview::chooseFromList(window.chapterBox(), QString());
    QCOMPARE(window.query().chapterIndex, -1);
    compareRows(overview.table(), queryFor(Windows1252View(lastRemedy), {true, true, true, true, true}));
    QVERIFY(overview.rowOf(26564) > 0);
}

void RemedyOverviewWindowTest::sizeFieldsComplainAndKeepTheTable() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    QTest::mouseClick(window.sizeFilterBox(), Qt::LeftButton);
    overview.searchFor(QStringLiteral("acon."));
    const QString title = window.windowTitle();
    const int rows = overview.table().rowCount();

    window.minSizeField()->setText(QStringLiteral("abc"));
    window.maxSizeField()->setText(QStringLiteral("10"));
    overview.searchFor(QStringLiteral("bell."));
    QCOMPARE(overview.messages.shown().size(), std::size_t{1});
    QCOMPARE(overview.messages.shown()[0].text, QStringLiteral("Please enter an integer."));
    QCOMPARE(QApplication::focusWidget(), window.minSizeField());
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(overview.table().rowCount(), rows);

    overview.messages.clear();
    window.minSizeField()->setText(QStringLiteral("5"));
    window.maxSizeField()->setText(QStringLiteral("100"));
    QTest::mouseClick(window.searchButton(), Qt::LeftButton);
    QCOMPARE(overview.messages.shown().size(), std::size_t{1});
    QCOMPARE(overview.messages.shown()[0].text, QStringLiteral("Please enter an integer between 0 and 99."));
    QCOMPARE(QApplication::focusWidget(), window.maxSizeField());
    QCOMPARE(window.windowTitle(), title);

    // Once corrected the search runs with both bounds.
    overview.messages.clear();
    window.maxSizeField()->setText(QStringLiteral("12"));
    QTest::mouseClick(window.searchButton(), Qt::LeftButton);
    QVERIFY(overview.messages.shown().empty());
    QCOMPARE(window.query().minSize, 5);
    QCOMPARE(window.query().maxSize, 12);
    QVERIFY(window.windowTitle().startsWith(QStringLiteral("Mittelübersicht: bell.,")));
    for (int row = 1; row < overview.table().rowCount(); ++row) {
        const int size =
            reference().rubric(overview.table().cellText(row, 0).trimmed().toInt() - 1).entryCount;
        QVERIFY(size >= 5 && size <= 12);
    }

    // A minimum above the maximum finds nothing and says nothing.
    window.minSizeField()->setText(QStringLiteral("20"));
    QTest::mouseClick(window.searchButton(), Qt::LeftButton);
    QCOMPARE(window.windowTitle(), titleOf(QStringLiteral("bell."), 0));
    QVERIFY(overview.messages.shown().empty());
}

void RemedyOverviewWindowTest::arrowsStepTheSizeFields() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    const auto arrow = [&](QLineEdit* field, Qt::ArrowType type) -> QToolButton* {
        for (QToolButton* button : window.findChildren<QToolButton*>()) {
            const QRect place(button->mapTo(&window, QPoint(0, 0)), button->size());
            const QRect beside = field->geometry().adjusted(0, 0, place.width() + 4, 0);
            if (button->arrowType() == type && beside.intersects(place))
                return button;
        }
        return nullptr;
    };
    QToolButton* minUp = arrow(window.minSizeField(), Qt::UpArrow);
    QToolButton* maxDown = arrow(window.maxSizeField(), Qt::DownArrow);
    QVERIFY(minUp != nullptr && maxDown != nullptr);
    QTest::mouseClick(minUp, Qt::LeftButton);
    QTest::mouseClick(maxDown, Qt::LeftButton);
    QTest::mouseClick(maxDown, Qt::LeftButton);
    QCOMPARE(window.minSizeField()->text(), QStringLiteral("2"));
    QCOMPARE(window.maxSizeField()->text(), QStringLiteral("28"));
}

void RemedyOverviewWindowTest::doubleClickTakesTheRubricOver() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    const std::string remedy(reference().remedyName(remedyOf(reference().remedyList(806)[0])).bytes());
    QTest::mouseClick(window.allGradesButton(), Qt::LeftButton);
    overview.searchFor(fromWindows1252(remedy));
    const int row = overview.rowOf(807);
    QVERIFY(row > 0);

    // The header row and the empty area below the rows take nothing over.
    const QRect header = overview.table().cellRect(0, 2);
    QTest::mouseDClick(overview.table().viewport(), Qt::LeftButton, {}, header.center());
    window.takeOverRow(overview.table().rowCount());
    QVERIFY(window.isVisible());
    QVERIFY(!window.chosenSymptom());

    int result = -1;
    QTimer::singleShot(0, &window, [&] { overview.doubleClickRow(row); });
    window.hide();
    result = window.exec();
    QCOMPARE(result, 1);
    QCOMPARE(window.chosenSymptom(), (SymptomRef{807, 0}));
    QCOMPARE(overview.store.readInt(kPlacement, "(check)", 0), kPlacementComplete);
    for (int col = 0; col < 4; ++col)
        QCOMPARE(overview.store.readInt(kWidths, columnWidthName(col), -1),
                 overview.table().columnWidth(col));
}

void RemedyOverviewWindowTest::closingSavesPlacementAndWidths() {
    for (const bool kept : {true, false}) {
        MainSettings settings;
        settings.keepColumnWidths = kept;
        OpenOverview overview(settings);
        RemedyOverviewWindow& window = overview.open();
        overview.searchFor(QStringLiteral("acon."));
        overview.table().setColumnWidth(2, 333);
        window.move(40, 50);
        window.resize(window.width() + 60, window.height() + 30);
        const QRect geometry = window.geometry();
        // As wide as set, or wider where the columns fill a table wider than they are together
        // (a narrow face gives narrow headers).
        const int shownWidth = overview.table().columnWidth(2);
        QVERIFY(shownWidth >= 333);
        QTest::keyClick(&overview.table(), Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), 0);
        QVERIFY(!window.chosenSymptom());
        QCOMPARE(overview.store.readInt(kPlacement, "(check)", 0), kPlacementComplete);
        QCOMPARE(overview.store.contains(kWidths, "Col2"), kept);
        if (kept)
            QCOMPARE(overview.store.readInt(kWidths, "Col2", 0), shownWidth);

        // The next opening starts afresh at the kept place.
        RemedyOverviewWindow& again = overview.open();
        QCOMPARE(again.size(), geometry.size());
        QCOMPARE(again.windowTitle(), kWindowName);
        QCOMPARE(again.remedyBox()->currentText(), QString());
        QCOMPARE(again.table().columnCount(), 0);
        // Escape in the remedy box closes as well, whatever was typed.
        overview.typeRemedy(QStringLiteral("acon."));
        QTest::keyClick(again.remedyBox()->lineEdit(), Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QCOMPARE(again.result(), 0);
        QCOMPARE(again.table().columnCount(), 0);
    }
}

void RemedyOverviewWindowTest::keptWidthsOrWidthsThatFillTheTable() {
    OpenOverview kept;
    kept.store.writeInt(kWidths, "Col0", 120);
    kept.store.writeInt(kWidths, "Col2", 200);
    kept.store.writeInt(kWidths, "Col3", 0);
    kept.open();
    kept.searchFor(QStringLiteral("acon."));
    QCOMPARE(kept.table().columnWidth(0), 120);
    // At least as wide as the header "Wertigkeit" needs.
    const int gradeWidth = kept.table().columnWidth(1);
    QVERIFY(gradeWidth >= 50);
    QCOMPARE(kept.table().columnWidth(2), 200);
    QCOMPARE(kept.table().columnWidth(3), 100);
    // Widths the user changes hold until the next search brings the kept ones back.
    kept.table().setColumnWidth(1, 77);
    QTest::mouseClick(kept.window->searchButton(), Qt::LeftButton);
    QCOMPARE(kept.table().columnWidth(1), gradeWidth);

    MainSettings settings;
    settings.keepColumnWidths = false;
    OpenOverview filled(settings);
    filled.store.writeInt(kWidths, "Col0", 120);
    filled.open();
    filled.searchFor(QStringLiteral("acon."));
    const TableGrid& grid = filled.table();
    QVERIFY(grid.columnWidth(0) >= 85 && grid.columnWidth(0) != 120);
    QVERIFY(grid.columnWidth(2) >= 372);
    QVERIFY(grid.totalWidth() >= grid.viewport()->width());

    // Widths kept from a maximised window are narrowed to the table they come back to; no column
    // gets narrower than its heading.
    OpenOverview maximised;
    for (const auto& [name, width] :
         {std::pair{"Col0", 230}, {"Col1", 230}, {"Col2", 1400}, {"Breite", 1900}})
        maximised.store.writeInt(kWidths, name, width);
    maximised.open();
    maximised.searchFor(QStringLiteral("acon."));
    const TableGrid& normal = maximised.table();
    const double share = normal.viewport()->width() / 1900.0;
    QVERIFY2(normal.columnWidth(0) <= 230 * share + 1, qPrintable(QString::number(normal.columnWidth(0))));
    for (int col = 0; col < 3; ++col) {
        const QString heading = normal.cellText(0, col);
        QVERIFY(normal.columnWidth(col) >=
                QFontMetrics(normal.cellStyle(0, col).font).horizontalAdvance(heading));
    }
}

void RemedyOverviewWindowTest::printsTheRemedyIntoTheHeaderCell() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    overview.searchFor(QStringLiteral("acon"));
    TableGrid& grid = overview.table();
    const QString pdf = QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("remedy_overview_print.pdf");
    QFile::remove(pdf);
    QString cellWhilePrinting;
    grid.setPrintDialog([&](QPrinter& printer) {
        cellWhilePrinting = grid.cellText(0, 0);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    QTest::mouseClick(window.printButton(), Qt::LeftButton);
    QCOMPARE(cellWhilePrinting, QStringLiteral("acon."));
    QCOMPARE(grid.cellText(0, 0), QStringLiteral("Nummer"));
    QVERIFY(QFile::exists(pdf));

    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");
    const QString firstPage = runTool("pdftotext", {"-layout", pdf, "-"}).section(QChar('\f'), 0, 0);
    QVERIFY2(firstPage.contains(window.windowTitle()), qPrintable(firstPage));
    QVERIFY(firstPage.contains(QStringLiteral("acon.")));
    QVERIFY(firstPage.contains(QStringLiteral("Wertigkeit")));
    QVERIFY(!firstPage.contains(QStringLiteral("Nummer")));
    QVERIFY(firstPage.contains(grid.cellText(1, 2).left(20)));
    QVERIFY(firstPage.contains("Page 1 of "));
    if (!QStandardPaths::findExecutable("pdftoppm").isEmpty()) {
        const QString picture = QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("remedy_overview_print_page1");
        runTool("pdftoppm", {"-png", "-r", "80", "-f", "1", "-l", "1", "-singlefile", pdf, picture});
        QVERIFY(QFile::exists(picture + ".png"));
    }
}

void RemedyOverviewWindowTest::printBeforeAnySearchAndCancelledPrint() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    TableGrid& grid = overview.table();
    const QString pdf = QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("remedy_overview_empty.pdf");
    QFile::remove(pdf);
    grid.setPrintDialog([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    window.printTable();
    QCOMPARE(grid.rowCount(), 0);
    QCOMPARE(grid.columnCount(), 0);

    overview.searchFor(QStringLiteral("acon."));
    int dialogs = 0;
    grid.setPrintDialog([&](QPrinter&) {
        ++dialogs;
        return false;
    });
    window.printTable();
    QCOMPARE(dialogs, 1);
    QCOMPARE(grid.cellText(0, 0), QStringLiteral("Nummer"));
    QVERIFY(window.isVisible());
}

void RemedyOverviewWindowTest::tableFontAndLayout() {
    OpenOverview overview(MainSettings{}, TableFont::create(QStringLiteral("DejaVu Sans"), 20));
    RemedyOverviewWindow& window = overview.open();
    overview.searchFor(QStringLiteral("acon."));
    QCOMPARE(overview.table().gridFont().pixelSize(), 20);

    const QRect table = overview.table().geometry();
    const QRect chapters = window.chapterBox()->geometry();
    const QRect search = window.searchButton()->geometry();
    const QRect grades = window.gradeBox(1)->geometry();
    const QRect remedy = window.remedyBox()->geometry();
    const QRect allButton = window.allGradesButton()->geometry();
    const QRect hiddenGrade = window.gradeBox(5)->geometry();
    window.resize(window.width() + 200, window.height() + 100);
    QCOMPARE(overview.table().geometry(), table.adjusted(0, 0, 200, 100));
    QCOMPARE(window.chapterBox()->geometry(), chapters.adjusted(0, 100, 200, 100));
    QCOMPARE(window.searchButton()->geometry(), search.translated(0, 100));
    QCOMPARE(window.remedyBox()->geometry(), remedy.translated(0, 100));
    QCOMPARE(window.gradeBox(1)->geometry(), grades.translated(200, 100));
    QCOMPARE(window.allGradesButton()->geometry(), allButton.translated(200, 100));
    QCOMPARE(window.gradeBox(5)->geometry(), hiddenGrade.translated(200, 100));

    // Never smaller than the template.
    const QSize smallest = window.minimumSize();
    window.resize(100, 100);
    QVERIFY(window.width() >= smallest.width() && window.height() >= smallest.height());
}

// On a small screen the window takes a smaller font, while the style keeps its check box size.
void RemedyOverviewWindowTest::checkBoxesStayInsideTheirFramesWithASmallFont() {
    const QFont normal = QApplication::font();
    QFont small = normal;
    small.setPointSizeF(7.5);
    QApplication::setFont(small);
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    QApplication::setFont(normal);
    const int indicator = window.style()->pixelMetric(QStyle::PM_IndicatorHeight);
    for (QGroupBox* group : window.findChildren<QGroupBox*>()) {
        const int frameTop = group->y() + group->contentsRect().top();
        for (QCheckBox* box : {window.sizeFilterBox(), window.gradeBox(1)}) {
            if (group->geometry().contains(box->geometry().center()))
                QVERIFY2(box->y() + (box->height() - indicator) / 2 > frameTop, qPrintable(group->title()));
        }
        // The title still does not reach over the controls above it.
        QVERIFY(group->y() >= window.remedyBox()->geometry().bottom());
    }
}

void RemedyOverviewWindowTest::grabOfTheWindow() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    QVERIFY(window.grab().save(QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("remedy_overview_opened.png")));
    QTest::mouseClick(window.sizeFilterBox(), Qt::LeftButton);
    overview.searchFor(QStringLiteral("acon."));
    QTRY_VERIFY(overview.table().verticalScrollBar()->isVisible());
    QVERIFY(window.grab().save(QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("remedy_overview_window.png")));
    window.resize(1100, 700);
    QVERIFY(window.grab().save(QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("remedy_overview_large.png")));
}

void RemedyOverviewWindowTest::ctrlSSavesTheTable() {
    OpenOverview overview;
    RemedyOverviewWindow& window = overview.open();
    overview.searchFor(QStringLiteral("acon."));
    QTemporaryDir folder;
    table_saving_test::SaveAnswer save;
    save.answer = folder.filePath(QStringLiteral("acon.csv"));
    window.setTableSaving({folder.path(), nullptr, save.asker()});
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    // Without a case name the window's own name is proposed.
    QCOMPARE(save.proposed, folder.filePath(QStringLiteral("Mittelübersicht.csv")));
    const QList<QByteArray> lines = table_saving_test::fileBytes(save.answer).split('\n');
    QCOMPARE(lines.size(), overview.table().rowCount() + 1);
    QCOMPARE(lines.back(), QByteArray());
    QVERIFY(lines[0].startsWith("\xEF\xBB\xBFNummer;"));
    // "3 " on the screen is the number 3 in the file.
    QCOMPARE(lines[1].left(lines[1].indexOf(';')), overview.table().cellText(1, 0).trimmed().toUtf8());
}

QTEST_MAIN(RemedyOverviewWindowTest)
#include "RemedyOverviewWindowTest.moc"
