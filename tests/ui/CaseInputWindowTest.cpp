#include "ui/CaseInputWindow.h"

#include "data/BuiltinRepertory.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/settings/WindowPersistence.h"
#include "foundation/text/QtCodePage.h"
#include "repertory/RepertoryTexts.h"
#include "ui/CaseGrid.h"
#include "ui/ProgramStart.h"
#include "ui/QuestionWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/SettingsDialog.h"
#include "ui/SymptomSearchWindow.h"
#include "ui/TextSearchWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

using namespace telvarin;

namespace {

class RecordingHelp : public HelpViewer {
public:
    void showHelpTopic(int topic, QWidget*) override { topics.push_back(topic); }
    std::vector<int> topics;
};

// Types an entry into the focus cell as a user does: the first character opens the editor, the
// rest goes into it, Enter ends it.
void typeEntry(CaseGrid& grid, const QString& entry) {
    QTest::keyClicks(&grid, entry.left(1));
    QLineEdit* editor = grid.editor();
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, entry.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
}

QString shown(Windows1252View windows1252) {
    return fromWindows1252(windows1252);
}

const QString kProgramKey;
const QString kPlacement = QStringLiteral("Dialog\\Eingabe");
const QString kColumns = QStringLiteral("Spalten\\Eingabe");

class Session {
public:
    std::unique_ptr<CaseInputWindow> open() {
        RepertoryLoadResult loaded = loadBuiltinRepertory();
        auto window = std::make_unique<CaseInputWindow>(std::move(std::get<RepertoryDatabase>(loaded)),
                                                        QStringLiteral("/praxis/historie.xml"),
                                                        DialogServices{&store, &help, &messages});
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("the case input window was not exposed");
        return window;
    }

    MemorySettingsStore store;
    PresetMessageBoxes messages;
    RecordingHelp help;
};

} // namespace

class CaseInputWindowTest : public QObject {
    Q_OBJECT

private slots:
    // "Nummer" shows its header and the widest number whatever cleared the case before; the table
    // fills its width without a horizontal scroll bar, shrinks back with the window, and the row
    // typed into stays wholly in view.
    void columnsFitTheTableWhateverHappened() {
        Session session;
        auto window = session.open();
        CaseGrid& grid = *window->caseGrid();
        const int needed =
            std::max(grid.cellWidthFor(0, 0, u"Nummer"_qs), grid.cellWidthFor(1, 0, u"-26564"_qs));
        const std::vector<SymptomRef> symptoms{{12, 0}, {-100, 0}};
        for (int round = 0; round < 4; ++round) {
            window->takeOverCase("Fall"_w1252, symptoms);
            QVERIFY(grid.columnWidth(0) >= needed);
        }
        for (int number = 1; number <= 30; ++number)
            typeEntry(grid, QString::number(number * 11));
        QTRY_VERIFY(grid.verticalScrollBar()->isVisible());
        QVERIFY(!grid.horizontalScrollBar()->isVisible());
        QCOMPARE(grid.totalWidth(), grid.viewport()->width());
        const QRect focused = grid.cellRect(grid.focusCell().row, 0);
        QVERIFY(!focused.isEmpty());
        QVERIFY(grid.viewport()->rect().contains(focused));

        const int before = grid.totalWidth();
        window->resize(window->size() + QSize(50, 0));
        QTRY_COMPARE(grid.totalWidth(), before + 50);
        window->resize(window->size() - QSize(50, 0));
        QTRY_COMPARE(grid.totalWidth(), before);
        QVERIFY(!grid.horizontalScrollBar()->isVisible());
    }

    void startsWithTheTemplateLayoutAndAnEmptyCase() {
        Session session;
        auto window = session.open();
        QCOMPARE(window->windowTitle(), QStringLiteral("Kesto - Telvarin"));
        QVERIFY(!window->windowIcon().isNull());
        CaseGrid& grid = *window->caseGrid();
        QCOMPARE(grid.geometry(), window->pixelRect(QRect(4, 3, 419, 146)));
        const QStringList captions{u"&Berechnen"_qs,    u"S&uchen"_qs,       u"&Textsuche"_qs,
                                   u"&Fallhistorie"_qs, u"&Mittel-Ausw."_qs, u"&Eigenschaften"_qs,
                                   u"&Hilfe"_qs,        u"Been&den"_qs};
        for (int index = 0; index < kCaseInputButtonCount; ++index) {
            IconPushButton* button = window->button(static_cast<CaseInputButton>(index));
            QCOMPARE(button->text(), captions[index]);
            QCOMPARE(button->geometry(), window->pixelRect(QRect(4 + 50 * index, 159, 50, 35)));
            QVERIFY(!button->icon().isNull());
        }
        QVERIFY(window->button(CaseInputButton::Calculate)->isDefault());

        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.columnCount(), 4);
        QCOMPARE(grid.fixedRowCount(), 1);
        QCOMPARE(grid.cellText(0, 0), u"Nummer"_qs);
        QCOMPARE(grid.cellText(0, 1), u"Symptom"_qs);
        QCOMPARE(grid.cellText(0, 2), u"Kapitel"_qs);
        QCOMPARE(grid.cellText(0, 3), u"Gewicht"_qs);
        QCOMPARE(grid.cellText(1, 0), QString());
        QCOMPARE(grid.focusCell(), (GridCellPos{1, 0}));
        QVERIFY(grid.isEditable());
        QVERIFY(grid.listMode());
        QVERIFY(grid.titleTips());
        QVERIFY(!grid.headerSort());
        // The symptom column starts at 480 pixels and every column is stretched to the width.
        QVERIFY(grid.columnWidth(1) >= 480);
        QCOMPARE(grid.totalWidth(), grid.viewport()->width());
    }

    void theLanguageFileOfTheStartDirectoryReplacesTheTexts() {
        QTemporaryDir directory;
        QFile file(directory.filePath(u"velmar.lang"_qs));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("GEIST\r\nGem\xFCt allgemein\r\nZorn, abends\r\n");
        file.close();
        const QString started = QDir::currentPath();
        QVERIFY(QDir::setCurrent(directory.path()));
        Session session;
        auto window = session.open();
        QDir::setCurrent(started);
        CaseGrid& grid = *window->caseGrid();
        typeEntry(grid, u"1"_qs);
        QVERIFY(grid.cellText(1, 1).startsWith(u"Zorn, abends ["_qs));
        QCOMPARE(grid.cellText(1, 2), u"GEIST Gemüt allgemein"_qs);
    }

    void typingANumberFillsTheRowAndFocusesANewInputRow() {
        Session session;
        auto window = session.open();
        CaseGrid& grid = *window->caseGrid();
        const RepertoryDatabase& db = window->database();
        typeEntry(grid, u"12"_qs);
        QCOMPARE(grid.cellText(1, 0), u"12"_qs);
        QCOMPARE(grid.cellText(1, 1), shown(rubricText(db, 12)));
        QCOMPARE(grid.cellText(1, 2), shown(sectionHeading(db, 11)));
        // The remedy list, with a tab for the blank between two entries, so the tip keeps each whole.
        const QString tip = grid.tipText(1, 1);
        QCOMPARE(QString(tip).replace(u'\t', u' '), shown(remedyListText(db, 12, 0)));
        QCOMPARE(tip.count(u'\t') + tip.count(u'\n') + 1, static_cast<qsizetype>(db.remedyList(11).size()));
        QVERIFY(!grid.cellText(1, 1).isEmpty());
        QCOMPARE(grid.rowCount(), 3);
        QCOMPARE(grid.cellText(2, 0), u"0"_qs);
        QCOMPARE(grid.focusCell(), (GridCellPos{2, 0}));
        QCOMPARE(window->caseModel().row(1).number, 12);

        // The next entry goes straight into the new row.
        typeEntry(grid, u"5+8"_qs);
        QCOMPARE(grid.cellText(2, 0), u"5 + 8"_qs);
        QCOMPARE(grid.cellText(2, 1), shown(rubricText(db, 5)));
        QCOMPARE(grid.rowCount(), 4);
        QCOMPARE(grid.focusCell(), (GridCellPos{3, 0}));

        // By grade the list becomes the toolkit's rich tip in the classical typefaces.
        MainSettings byGrade;
        byGrade.remedyListsByGrade = true;
        grid.applySettings(byGrade);
        QVERIFY(!grid.titleTips());
        QVERIFY(!grid.tipText(1, 1).isEmpty()); // still the description for screen readers
        const QRect cell = grid.cellRect(1, 1);
        QHelpEvent hover(QEvent::ToolTip, cell.center(), grid.viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid.viewport(), &hover);
        QCOMPARE(QToolTip::text(), shown(remedyListHtml(db, 12, 0, RemedyListOrder::ByGrade)));
        QToolTip::hideText();
        grid.applySettings(MainSettings{});
        QVERIFY(grid.titleTips());
    }

    void theTextColumnsGiveRoomWhereTheOtherCutsItsTexts() {
        // Shared in proportion, the chapter would be cut while the symptom has room to spare.
        QCOMPARE(fittedCaseColumnWidths(600, 50, 40, {50, 480, 100}, {200, 250}),
                 (std::array<int, 3>{50, 300, 250}));
        QCOMPARE(fittedCaseColumnWidths(600, 50, 40, {50, 100, 480}, {250, 200}),
                 (std::array<int, 3>{50, 250, 300}));
        // When both are cut, neither takes from the other; with room for both, both keep theirs.
        QCOMPARE(fittedCaseColumnWidths(300, 50, 40, {50, 480, 100}, {400, 300}),
                 (std::array<int, 3>{50, 206, 44}));
        QCOMPARE(fittedCaseColumnWidths(1000, 50, 40, {50, 480, 100}, {200, 250}),
                 (std::array<int, 3>{50, 665, 285}));
    }

    void invalidEntriesLeaveAnEmptyRow_data() {
        QTest::addColumn<QString>("entry");
        QTest::newRow("letters") << u"abc"_qs;
        QTest::newRow("beyond the repertory") << u"26565"_qs;
        QTest::newRow("zero") << u"0"_qs;
    }
    void invalidEntriesLeaveAnEmptyRow() {
        QFETCH(QString, entry);
        Session session;
        auto window = session.open();
        CaseGrid& grid = *window->caseGrid();
        typeEntry(grid, entry);
        QCOMPARE(grid.cellText(1, 0), u"0"_qs);
        QCOMPARE(grid.cellText(1, 1), QString());
        QCOMPARE(grid.cellText(1, 2), QString());
        QCOMPARE(grid.tipText(1, 1), QString());
        QCOMPARE(window->caseModel().row(1).number, 0);
    }

    void changingARowInTheMiddleFollowsSprungEnde_data() {
        QTest::addColumn<int>("jumpToEnd");
        QTest::addColumn<int>("focusRow");
        QTest::newRow("on") << 1 << 4;
        QTest::newRow("off") << 0 << 2;
    }
    void changingARowInTheMiddleFollowsSprungEnde() {
        QFETCH(int, jumpToEnd);
        QFETCH(int, focusRow);
        Session session;
        session.store.writeInt(kProgramKey, u"SprungEnde"_qs, jumpToEnd);
        auto window = session.open();
        CaseGrid& grid = *window->caseGrid();
        for (const QString& entry : {u"12"_qs, u"13"_qs, u"14"_qs})
            typeEntry(grid, entry);
        grid.setFocusCell(2, 0);
        typeEntry(grid, u"20"_qs);
        QCOMPARE(grid.cellText(2, 0), u"20"_qs);
        QCOMPARE(grid.rowCount(), 5);
        QCOMPARE(grid.focusCell(), (GridCellPos{focusRow, 0}));
    }

    void deleteAndPasteGoThroughTheEntryProcedure() {
        Session session;
        auto window = session.open();
        CaseGrid& grid = *window->caseGrid();
        QGuiApplication::clipboard()->setText(u"12\n13\n14"_qs);
        QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid.cellText(1, 0), u"12"_qs);
        QCOMPARE(grid.cellText(2, 0), u"13"_qs);
        QCOMPARE(grid.cellText(3, 0), u"14"_qs);
        QCOMPARE(grid.cellText(4, 0), u"0"_qs);
        QCOMPARE(grid.rowCount(), 5);
        QCOMPARE(window->caseModel().row(3).number, 14);

        grid.setFocusCell(2, 0);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QCOMPARE(grid.cellText(2, 0), u"0"_qs);
        QCOMPARE(grid.cellText(2, 1), QString());
        QCOMPARE(grid.cellText(2, 2), QString());
        QCOMPARE(grid.tipText(2, 1), QString());
        QCOMPARE(window->caseModel().row(2).number, 0);
        QCOMPARE(grid.rowCount(), 5);

        // The symptom and chapter cells follow the number only.
        grid.setFocusCell(1, 1);
        QTest::keyClicks(&grid, u"x"_qs);
        QVERIFY(!grid.isEditing());
        QVERIFY(!grid.changeCellText(1, 1, u"anders"_qs));
        QCOMPARE(grid.cellText(1, 1), shown(rubricText(window->database(), 12)));
    }

    void calculateOnAnEmptyCaseDoesNothing() {
        Session session;
        auto window = session.open();
        int opened = 0;
        window->setResultsOpener([&](const ResultsRequest&) {
            ++opened;
            return ResultsReply{};
        });
        window->button(CaseInputButton::Calculate)->click();
        QCOMPARE(opened, 0);
        QVERIFY(session.messages.shown().empty());
        QCOMPARE(window->caseGrid()->rowCount(), 2);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void calculateHandsTheRowsOverAndWritesTheCaseBack() {
        Session session;
        auto window = session.open();
        CaseGrid& grid = *window->caseGrid();
        for (const QString& entry : {u"12"_qs, u"abc"_qs, u"5+8"_qs})
            typeEntry(grid, entry);
        std::vector<RubricNumber> analysed;
        bool waitCursorDuringResults = true;
        window->setResultsOpener([&](const ResultsRequest& request) {
            for (const CaseSymptom& row : request.rows)
                analysed.push_back(row.number);
            waitCursorDuringResults = QGuiApplication::overrideCursor() != nullptr;
            [&] { QVERIFY(request.result.listedCount() > 0); }();
            return ResultsReply{true, "Fall A"_w1252};
        });
        window->button(CaseInputButton::Calculate)->click();
        QCOMPARE(analysed, (std::vector<RubricNumber>{12, 5}));
        QVERIFY(!waitCursorDuringResults);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        // The empty row is gone, the joined symptom dropped, an input row follows.
        QCOMPARE(grid.rowCount(), 4);
        QCOMPARE(grid.cellText(1, 0), u"12"_qs);
        QCOMPARE(grid.cellText(2, 0), u"5"_qs);
        QCOMPARE(grid.cellText(3, 0), u"0"_qs);
        QCOMPARE(grid.cellText(3, 1), QString());
        QCOMPARE(grid.focusCell(), (GridCellPos{3, 0}));
        QCOMPARE(window->caseModel().evaluationName(), "Fall A"_w1252);

        window->setResultsOpener([](const ResultsRequest&) { return ResultsReply{false, {}}; });
        window->button(CaseInputButton::Calculate)->click();
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.cellText(1, 0), QString());
        QCOMPARE(grid.cellText(1, 1), QString());
        QCOMPARE(grid.tipText(1, 1), QString());
        QCOMPARE(grid.focusCell(), (GridCellPos{1, 0}));
        QCOMPARE(window->caseModel().evaluationName(), Windows1252Text());

        // Ctrl+Z brings the cleared case back, once, and not after the next entry.
        QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grid.cellText(1, 0), u"12"_qs);
        QCOMPARE(grid.cellText(2, 0), u"5"_qs);
        QCOMPARE(grid.cellText(2, 1), shown(rubricText(window->database(), 5)));
        QCOMPARE(window->caseModel().evaluationName(), "Fall A"_w1252);
        QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grid.rowCount(), 4);
        window->button(CaseInputButton::Calculate)->click();
        typeEntry(grid, u"7"_qs);
        QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grid.cellText(1, 0), u"7"_qs);
        QCOMPARE(grid.rowCount(), 3);
    }

    void calculateOpensTheResultsWindow() {
        Session session;
        auto window = session.open();
        CaseGrid& grid = *window->caseGrid();
        for (const QString& entry : {u"12"_qs, u"13"_qs})
            typeEntry(grid, entry);
        // The user renames the evaluation and goes back, then starts a new case.
        const auto closeResultsWith = [](const std::function<void(ResultsWindow&)>& user) {
            QTimer::singleShot(0, [user] {
                if (auto* results = qobject_cast<ResultsWindow*>(QApplication::activeModalWidget()))
                    user(*results);
            });
        };
        int columns = 0;
        closeResultsWith([&](ResultsWindow& results) {
            columns = results.table().columnCount();
            results.nameField()->setText(u"Fall B"_qs);
            results.backButton()->click();
        });
        window->button(CaseInputButton::Calculate)->click();
        QVERIFY(columns > 2);
        QCOMPARE(window->caseModel().evaluationName(), "Fall B"_w1252);
        QCOMPARE(grid.rowCount(), 4);
        QCOMPARE(grid.cellText(2, 0), u"13"_qs);

        closeResultsWith([](ResultsWindow& results) { results.newButton()->click(); });
        window->button(CaseInputButton::Calculate)->click();
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.cellText(1, 0), QString());
        QCOMPARE(window->caseModel().evaluationName(), Windows1252Text());
        QVERIFY(window->isVisible());
    }

    void otherWindowsAddSymptomsToTheFocusedRow() {
        Session session;
        auto window = session.open();
        CaseGrid& grid = *window->caseGrid();
        window->addSymptom(15, 0);
        QCOMPARE(grid.cellText(1, 0), u"15"_qs);
        QCOMPARE(grid.focusCell(), (GridCellPos{2, 0}));
        grid.setFocusCell(1, 0);
        window->addSymptom(-16, 0);
        QCOMPARE(grid.cellText(1, 0), u"-16"_qs);
        QCOMPARE(grid.rowCount(), 3);

        const std::vector<SymptomRef> filed{{30, 0}, {31, 0}};
        window->takeOverCase("Meier"_w1252, filed);
        QCOMPARE(grid.rowCount(), 4);
        QCOMPARE(grid.cellText(1, 0), u"30"_qs);
        QCOMPARE(grid.cellText(2, 0), u"31"_qs);
        QCOMPARE(grid.focusCell(), (GridCellPos{3, 0}));
        QCOMPARE(window->caseModel().evaluationName(), "Meier"_w1252);
    }

    void quitAsksFirstAndKeepsRunningOnNein() {
        Session session;
        auto window = session.open();
        session.messages.presetAnswers({false, false, false});
        window->button(CaseInputButton::Quit)->click();
        QTest::keyClick(window->caseGrid(), Qt::Key_Escape);
        QVERIFY(!window->close());
        QCOMPARE(session.messages.shown().size(), std::size_t{3});
        for (const PresetMessageBoxes::Shown& question : session.messages.shown()) {
            QCOMPARE(question.kind, MessageKind::Question);
            QCOMPARE(question.text, u"Wollen Sie wirklich beenden?"_qs);
        }
        QVERIFY(window->isVisible());
        QVERIFY(!session.store.contains(kPlacement, u"(check)"_qs));
        QVERIFY(!session.store.contains(kColumns, u"Col0"_qs));

        session.messages.presetAnswers({true});
        window->button(CaseInputButton::Quit)->click();
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Rejected));
        QCOMPARE(session.store.readInt(kPlacement, u"(check)"_qs, 0), kPlacementComplete);
        QCOMPARE(session.store.readInt(kColumns, u"Col2"_qs, -1), window->caseGrid()->columnWidth(2));
    }

    void quitWithoutQuestionOrColumnWidths() {
        Session session;
        session.store.writeInt(kProgramKey, u"FragenBeimBeenden"_qs, 0);
        session.store.writeInt(kProgramKey, u"Spaltenbreite"_qs, 0);
        auto window = session.open();
        QTest::keyClick(window->caseGrid(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QVERIFY(session.messages.shown().empty());
        QCOMPARE(session.store.readInt(kPlacement, u"(check)"_qs, 0), kPlacementComplete);
        QVERIFY(!session.store.contains(kColumns, u"Col0"_qs));
    }

    void placementAndColumnWidthsSurviveARestart() {
        Session session;
        session.store.writeInt(kProgramKey, u"FragenBeimBeenden"_qs, 0);
        QRect geometry;
        std::vector<int> widths;
        {
            auto window = session.open();
            // Small enough for the test screen: a larger window would be fitted to it.
            window->resize(window->size() + QSize(40, 90));
            window->move(QPoint(5, 40));
            CaseGrid& grid = *window->caseGrid();
            grid.setColumnWidth(0, 70);
            grid.setColumnWidth(2, 230);
            grid.stretchColumns();     // as a resize would, so that they fill the width
            typeEntry(grid, u"12"_qs); // saved widths stay as they are when rows are appended
            QCOMPARE(grid.columnWidth(0), 70);
            QTest::qWait(20);
            geometry = window->geometry();
            for (int column = 0; column < grid.columnCount(); ++column)
                widths.push_back(grid.columnWidth(column));
            window->button(CaseInputButton::Quit)->click();
        }
        auto window = session.open();
        QTest::qWait(20);
        QCOMPARE(window->geometry(), geometry);
        CaseGrid& grid = *window->caseGrid();
        for (int column = 0; column < grid.columnCount(); ++column)
            QCOMPARE(grid.columnWidth(column), widths[static_cast<std::size_t>(column)]);
        // The table grew with the window, the buttons moved down with its lower edge.
        QCOMPARE(grid.width(), window->pixelRect(QRect(4, 3, 419, 146)).width() + 40);
        QCOMPARE(window->button(CaseInputButton::Quit)->y(),
                 window->pixelRect(QRect(354, 159, 50, 35)).y() + 90);
    }

    void confirmedSettingsAreTakenOverAndWritten() {
        Session session;
        auto window = session.open();
        CaseGrid& grid = *window->caseGrid();
        typeEntry(grid, u"12"_qs);
        EditableSettings confirmed = readEditableSettings(session.store);
        QCOMPARE(confirmed.main.polarityHandling, 0);
        QCOMPARE(window->settings().polarityHandling, 1);
        confirmed.main.fontName = u"DejaVu Sans"_qs;
        confirmed.main.fontSize = 12;
        confirmed.main.jumpToEnd = false;
        confirmed.main.noGreyInPrint = false;
        window->takeOverSettings(confirmed);
        for (int row = 0; row < grid.rowCount(); ++row)
            QCOMPARE(grid.rowHeight(row), 20);
        typeEntry(grid, u"13"_qs);
        QCOMPARE(grid.rowHeight(grid.rowCount() - 1), 20);
        QVERIFY(window->tableFont() != nullptr);
        QCOMPARE(window->tableFont()->pixelHeight(), 12);
        QCOMPARE(window->caseModel().polarityMode(), PolarityMode::ListImmediately);
        QVERIFY(!window->settings().jumpToEnd);
        QVERIFY(window->settings().noGreyInPrint); // takes effect at the next start
        QCOMPARE(session.store.readInt(kProgramKey, u"PolaritätenHandhabung"_qs, -1), 0);
        QCOMPARE(session.store.readInt(kProgramKey, u"KeinGrauBeimDruck"_qs, -1), 0);
        QCOMPARE(session.store.readInt(kProgramKey, u"Startverzögerung"_qs, -1), 5);
        QCOMPARE(session.store.readString(kProgramKey, u"FontName"_qs), u"DejaVu Sans"_qs);
    }

    // A size chosen without a face reaches every table and tree at once, keeps the headers whole,
    // and is there again after a restart, also where a narrower column width was stored.
    void tableFontReachesEveryTableAtOnceAndSurvivesARestart() {
        Session session;
        session.store.writeInt(u"Spalten\\Textsuche"_qs, u"Col0"_qs, 10);
        auto window = session.open();
        window->button(CaseInputButton::TreeSearch)->click();
        window->button(CaseInputButton::TextSearch)->click();
        auto* textSearch = window->findChild<TextSearchWindow*>();
        auto* treeSearch = window->findChild<SymptomSearchWindow*>();
        const auto headerFits = [](const TableGrid& table) {
            return table.columnWidth(0) >= table.cellWidthFor(0, 0, table.cellText(0, 0));
        };
        QVERIFY(headerFits(textSearch->table()));

        EditableSettings confirmed = readEditableSettings(session.store);
        confirmed.main.fontSize = 24;
        window->takeOverSettings(confirmed);
        QVERIFY(window->tableFont() != nullptr);
        QCOMPARE(textSearch->table().gridFont().pixelSize(), 24);
        QCOMPARE(treeSearch->tree()->font().pixelSize(), 24);
        QCOMPARE(window->caseGrid()->rowHeight(0), 32);
        QVERIFY(headerFits(textSearch->table()));
        window.reset();

        auto restarted = session.open();
        QVERIFY(restarted->tableFont() != nullptr);
        QCOMPARE(restarted->tableFont()->pixelHeight(), 24);
        QCOMPARE(restarted->tableFont()->face(), QGuiApplication::font().family());
    }

    void helpAndSettings() {
        Session session;
        auto window = session.open();
        window->button(CaseInputButton::Help)->click();
        QTest::keyClick(window->caseGrid(), Qt::Key_F1);
        QCOMPARE(session.help.topics, (std::vector<int>{13, 13}));

        // On a fresh store the settings dialog gets polarity mode 0, and "&OK" switches to it.
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget()))
                dialog->okButton()->click();
        });
        window->button(CaseInputButton::Settings)->click();
        QCOMPARE(session.store.readInt(kProgramKey, u"PolaritätenHandhabung"_qs, -1), 0);
        QCOMPARE(window->caseModel().polarityMode(), PolarityMode::ListImmediately);
        QVERIFY(session.messages.shown().empty());
        QVERIFY(window->isVisible());
    }

    void searchWindowsAreMadeOnceAndEndWithTheProgram() {
        Session session;
        session.store.writeInt(kProgramKey, u"FragenBeimBeenden"_qs, 0);
        auto window = session.open();
        for (int use = 0; use < 2; ++use) {
            window->button(CaseInputButton::TreeSearch)->click();
            window->button(CaseInputButton::TextSearch)->click();
        }
        const auto treeSearches = window->findChildren<SymptomSearchWindow*>();
        const auto textSearches = window->findChildren<TextSearchWindow*>();
        QCOMPARE(treeSearches.size(), 1);
        QCOMPARE(textSearches.size(), 1);
        QVERIFY(treeSearches.front()->isVisible());
        QVERIFY(textSearches.front()->isVisible());
        QPointer<QWidget> treeSearch = treeSearches.front();
        window->button(CaseInputButton::Quit)->click();
        QVERIFY(treeSearch.isNull());
        QVERIFY(window->findChildren<TextSearchWindow*>().isEmpty());
    }

    void weightsAreTypedSteppedAndFaded() {
        Session session;
        auto window = session.open();
        CaseGrid& grid = *window->caseGrid();
        typeEntry(grid, u"12*3"_qs);
        typeEntry(grid, u"7"_qs);
        QCOMPARE(grid.cellText(1, 0), u"12"_qs);
        QCOMPARE(grid.cellText(1, 3), u"3"_qs);
        QCOMPARE(grid.cellText(2, 3), u"1"_qs);
        QCOMPARE(grid.cellText(3, 3), QString()); // the input row has no weight

        grid.setFocusCell(1, 0);
        QTest::keyClick(&grid, Qt::Key_Plus);
        QTest::keyClick(&grid, Qt::Key_Plus); // held at 4
        QCOMPARE(window->caseModel().row(1).weight, 4);
        QVERIFY(!grid.isEditing());
        grid.setFocusCell(2, 3);
        QTest::keyClicks(&grid, u"0"_qs);
        QCOMPARE(grid.cellText(2, 3), u"0"_qs);
        QCOMPARE(grid.cellStyle(2, 1).background, QColor(0xD8D8D8));
        QTest::keyClick(&grid, Qt::Key_Minus); // held at 0
        QTest::keyClick(&grid, Qt::Key_Plus);
        QCOMPARE(window->caseModel().row(2).weight, 1);
        QVERIFY(grid.cellStyle(2, 1).background != QColor(0xD8D8D8));
        QTest::keyClick(&grid, Qt::Key_Minus);
        QTest::qWait(20);
        QVERIFY(window->grab().toImage().save(
            QStringLiteral(TELVARIN_TEST_OUTPUT_DIR "/case-input-weights.png")));
    }

    void windowWithASmallCaseLooksRight() {
        Session session;
        auto window = session.open();
        CaseGrid& grid = *window->caseGrid();
        for (const QString& entry : {u"12"_qs, u"5+8"_qs, u"2001"_qs, u"16412"_qs})
            typeEntry(grid, entry);
        QTest::qWait(20);
        const QImage picture = window->grab().toImage();
        QVERIFY(picture.save(QStringLiteral(TELVARIN_TEST_OUTPUT_DIR "/case-input-window.png")));
    }

    void questionWindowAnswers() {
        QuestionWindow question(u"Wollen Sie wirklich beenden?"_qs);
        QCOMPARE(question.windowTitle(), u"Kesto - Telvarin"_qs);
        QCOMPARE(question.question(), u"Wollen Sie wirklich beenden?"_qs);
        QCOMPARE(question.yesButton()->text(), u"&Ja"_qs);
        QCOMPARE(question.noButton()->text(), u"&Nein"_qs);
        QVERIFY(question.yesButton()->isDefault());
        QVERIFY(question.grab().save(QStringLiteral(TELVARIN_TEST_OUTPUT_DIR "/question-window.png")));

        const auto answer = [](const std::function<void(QuestionWindow&)>& user) {
            QuestionWindow window(u"Wollen Sie wirklich beenden?"_qs);
            QTimer::singleShot(0, &window, [&] { user(window); });
            return window.exec();
        };
        QCOMPARE(answer([](QuestionWindow& window) { window.noButton()->click(); }), QuestionWindow::kNo);
        QCOMPARE(answer([](QuestionWindow& window) { window.yesButton()->click(); }), QuestionWindow::kYes);
        QCOMPARE(answer([](QuestionWindow& window) { QTest::keyClick(&window, Qt::Key_Return); }),
                 QuestionWindow::kYes);
        QCOMPARE(answer([](QuestionWindow& window) { QTest::keyClick(&window, Qt::Key_Escape); }), 0);

        // A long question stays on one line and widens the window.
        const QString longQuestion(200, u'x');
        QuestionWindow wide(longQuestion);
        QVERIFY(wide.width() > QFontMetrics(wide.font()).horizontalAdvance(longQuestion));

        // Paragraphs are wrapped, and the window grows until all of them show above the buttons.
        const QString paragraph =
            u"Was seitdem abgelegt, gelöscht oder importiert wurde, fehlt danach. "_qs.repeated(4);
        QuestionWindow tall(u"Sicherung wiederherstellen?\n\n"_qs + paragraph + u"\n\n"_qs + paragraph);
        const QList<QLabel*> labels = tall.findChildren<QLabel*>();
        const auto text =
            std::find_if(labels.begin(), labels.end(), [](QLabel* l) { return !l->text().isEmpty(); });
        QVERIFY(text != labels.end());
        const QRect needed =
            QFontMetrics(tall.font())
                .boundingRect(QRect(0, 0, (*text)->width(), 10000), Qt::TextWordWrap, tall.question());
        QVERIFY((*text)->height() >= needed.height());
        QVERIFY((*text)->geometry().bottom() < tall.yesButton()->geometry().top());
        QVERIFY(tall.height() > tall.yesButton()->geometry().bottom());
        QVERIFY(tall.width() < QFontMetrics(tall.font()).horizontalAdvance(paragraph));
        QVERIFY(tall.grab().save(QStringLiteral(TELVARIN_TEST_OUTPUT_DIR "/question-window-paragraphs.png")));
    }

    void startShowsTheWindowAfterTheSplash() {
        QTemporaryDir practice;
        MemorySettingsStore store;
        store.writeInt(kProgramKey, u"Startverzögerung"_qs, 0);
        store.writeString(kProgramKey, u"Praxisordner"_qs, practice.path());
        store.writeString(kProgramKey, u"Repertorium"_qs, u"eingebaut"_qs);
        PresetMessageBoxes messages;
        bool shown = false;
        QString historyPath;
        ProgramStartHooks hooks;
        hooks.whenReady = [&](CaseInputWindow& window) {
            shown = window.isVisible() && window.windowTitle() == programTitle();
            historyPath = window.historyPath();
            window.done(0);
        };
        QCOMPARE(runProgram(store, messages, hooks), 0);
        QVERIFY(shown);
        QCOMPARE(historyPath, historyPathOfStartDirectory(practice.path()));
        QVERIFY(messages.shown().empty());
    }

    void aDamagedRepertoryIsReportedInGerman() {
        QTemporaryDir practice;
        MemorySettingsStore store;
        store.writeInt(kProgramKey, u"Startverzögerung"_qs, 0);
        store.writeString(kProgramKey, u"Praxisordner"_qs, practice.path());
        store.writeString(kProgramKey, u"Repertorium"_qs, u"eingebaut"_qs);
        PresetMessageBoxes messages;
        bool opened = false;
        ProgramStartHooks hooks;
        hooks.loadRepertory = [] {
            return RepertoryLoadResult{RepertoryLoadError{Windows1252Text("Kapitel 3: Grenze au\xDF"
                                                                          "erhalb der Datei")}};
        };
        hooks.whenReady = [&](CaseInputWindow& window) {
            opened = true;
            window.done(0);
        };
        QCOMPARE(runProgram(store, messages, hooks), 1);
        QVERIFY(!opened);
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.shown().front().kind, MessageKind::Error);
        QVERIFY(messages.shown().front().text.startsWith(u"Das eingebaute Repertorium ist beschädigt"_qs));
        QVERIFY(messages.shown().front().text.endsWith(u"Kapitel 3: Grenze außerhalb der Datei"_qs));
    }

    void historyPathHasOneSeparator() {
        QCOMPARE(historyPathOfStartDirectory(u"/home/praxis"_qs), u"/home/praxis/historie.xml"_qs);
        QCOMPARE(historyPathOfStartDirectory(u"/"_qs), u"/historie.xml"_qs);
        QCOMPARE(historyPathOfStartDirectory(QString()), u"/historie.xml"_qs);
        QCOMPARE(historyPathOfStartDirectory(u"/home/Müller/"_qs), u"/home/Müller/historie.xml"_qs);
    }
};

QTEST_MAIN(CaseInputWindowTest)
#include "CaseInputWindowTest.moc"
