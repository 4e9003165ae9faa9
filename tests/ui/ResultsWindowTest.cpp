// The results window on cases built from rubrics of the reference repertory, and the file-case
// dialog behind its "&Ablegen".

#include "ui/ResultsWindow.h"

#include "foundation/dialogs/IconPushButton.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/text/LineBreaks.h"
#include "foundation/text/QtCodePage.h"
#include "history/HistoryActions.h"
#include "tests/ui/ResultsReference.h"
#include "tests/ui/TableSavingTestSupport.h"
#include "ui/FileCaseDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace telvarin;
using namespace telvarin::results_test;
using namespace telvarin::table_saving_test;

namespace {

const QString kTitle = QStringLiteral("Ergebnis der Auswertung");
const QDateTime kPrintTime(QDate(2024, 3, 5), QTime(10, 30));

// A case, its analysis and an open results window over an in-memory store.
struct OpenResults {
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    MainSettings settings;
    std::vector<CaseSymptom> rows;
    AnalysisResult result{reference()};
    std::string historyPath;
    std::unique_ptr<ResultsWindow> window;

    OpenResults(std::vector<CaseSymptom> caseRows, MainSettings mainSettings = {},
                std::string name = "M\xFC"
                                   "ller",
                std::string history = {})
        : settings(std::move(mainSettings)), rows(std::move(caseRows)), historyPath(std::move(history)) {
        result.score(reference(), rows);
        open(std::move(name));
    }

    void open(std::string name) {
        window = std::make_unique<ResultsWindow>(reference(), rows, result, Windows1252Text(std::move(name)),
                                                 settings, std::nullopt, historyPath,
                                                 DialogServices{&store, nullptr, &messages});
        window->setClock([] { return kPrintTime; });
    }

    TableGrid& table() const { return window->table(); }

    int columnOf(const QString& abbreviation) const {
        for (int col = 2; col < table().columnCount(); ++col) {
            if (table().cellText(0, col) == abbreviation)
                return col;
        }
        return -1;
    }

    void click(int row, int col) const {
        const QRect cell = table().cellRect(row, col);
        QVERIFY(!cell.isEmpty());
        QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, cell.center());
    }
};

// Rubrics that list many remedies, so that hits and grade sums reach two digits.
std::vector<CaseSymptom> largeRubrics(int count, std::size_t minimumEntries) {
    std::vector<CaseSymptom> rows;
    RubricNumber number = 0;
    while (static_cast<int>(rows.size()) < count) {
        number = findRubric(
            reference(),
            [&](std::span<const RemedyEntry> entries) { return entries.size() >= minimumEntries; }, number);
        rows.push_back({number, 0, false, {}});
    }
    return rows;
}

RubricNumber rubricWithDistinctRemedies(std::size_t count) {
    return findRubric(reference(), [&](std::span<const RemedyEntry> entries) {
        std::vector<int> remedies;
        for (const RemedyEntry entry : entries)
            remedies.push_back(remedyOf(entry));
        std::sort(remedies.begin(), remedies.end());
        return remedies.size() == count &&
               std::adjacent_find(remedies.begin(), remedies.end()) == remedies.end();
    });
}

QString runTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheAconiteExample();
    void counterPolarityRowIsMarkedAndGrey();
    void positionDisplayWithFortyRemedies();
    void typingFindsARemedyColumn();
    void closingOutcomes_data();
    void closingOutcomes();
    void keepsPlacementAndTheTwoTextColumnWidths();
    void clicksSortTheTableButNotTheResult();
    void printsIntoPdf();
    void cancelledPrintLeavesTheTableAsBefore();
    void emptyResultKeepsTheTwoTextColumns();
    void copiesTheGradesToTheClipboard();
    void filesTheCaseIntoTheHistory();
    void reportsWhatKeepsTheCaseFromBeingFiled();
    void refusesToFileUnderAnotherRepertory();
    void fileCaseDialogListsAndAnswers();
    void fileCaseDialogKeepsPlacementOnlyOnOk();
    void grabOfTheWindow();
    void remediesStayInViewWithLongSymptomTexts();
    void printThatCannotStartIsReported();
    void longRankingAsksOnceHowManyRemediesToPrint();
    void opensLargeEnoughForTheCaseAndStaysMaximised();
    void titleSaysWhenTheColumnsLeaveTheRanking();
    void keySymptomsEliminateRemedies();
    void savesTheTableAsShown();
    void methodRankingIsRemembered();
};

void ResultsWindowTest::showsTheAconiteExample() {
    const RepertoryDatabase& db = reference();
    const int acon = remedyIndexOf(db, "acon.");
    const OpenResults open(
        caseOf({rubricListingOnce(db, acon, 3), rubricWithout(db, acon), rubricListingOnce(db, acon, 1)}));
    const TableGrid& grid = open.table();

    QCOMPARE(grid.rowCount(), 6);
    QCOMPARE(grid.columnCount(), open.result.listedCount() + 2);
    QCOMPARE(grid.fixedRowCount(), 3);
    QCOMPARE(grid.fixedColumnCount(), 2);
    QVERIFY(!grid.isEditable());
    QVERIFY(grid.headerSort());
    const int col = open.columnOf("acon.");
    QVERIFY(col >= 2);
    QCOMPARE(grid.cellText(3, col), QString("3"));
    QCOMPARE(grid.cellText(4, col), QString());
    QCOMPARE(grid.cellText(5, col), QString("1"));
    QCOMPARE(grid.cellText(1, col), QString("2"));
    QCOMPARE(grid.cellText(2, col), QString("4"));

    QCOMPARE(grid.cellText(1, 0), QString("Anzahl der Treffer"));
    QCOMPARE(grid.cellText(2, 0), QString("Summe der Grade"));
    QCOMPARE(grid.cellText(0, 0), QString());
    const QColor yellow(255, 255, 0);
    QCOMPARE(grid.cellStyle(1, 0).background, yellow);
    QCOMPARE(grid.cellStyle(2, col).background, yellow);
    QCOMPARE(grid.cellStyle(1, 1).background, grid.defaultCell(true).background);
    QCOMPARE(grid.cellStyle(3, col).background, grid.defaultCell(false).background);
    QCOMPARE(grid.cellStyle(0, col).background, grid.defaultCell(true).background);

    // The remedy columns fit their abbreviation; the text columns their widest text, at most 450.
    for (int c = 0; c < grid.columnCount(); ++c)
        QVERIFY(grid.columnWidth(c) > 0 && grid.columnWidth(c) <= 450);
    QVERIFY(grid.columnWidth(0) > grid.columnWidth(col));
    QCOMPARE(open.window->nameField()->text(), QStringLiteral("Müller"));
    QCOMPARE(open.window->windowTitle(), kTitle);
}

void ResultsWindowTest::counterPolarityRowIsMarkedAndGrey() {
    const RubricNumber number = rubricWithDistinctRemedies(12);
    const OpenResults open(caseOf({number, -number}));
    const TableGrid& grid = open.table();
    QVERIFY(grid.cellText(4, 0).startsWith(QStringLiteral("- ")));
    QVERIFY(grid.cellText(4, 0).endsWith(QStringLiteral(" (%1)").arg(number)));
    QCOMPARE(grid.cellText(4, 0).mid(2), grid.cellText(3, 0));
    QCOMPARE(grid.cellText(4, 1), grid.cellText(3, 1));
    QCOMPARE(grid.columnCount(), 14);
    for (int col = 2; col < grid.columnCount(); ++col) {
        QCOMPARE(grid.cellStyle(4, col).background, QColor(230, 230, 230));
        QCOMPARE(grid.cellStyle(3, col).background, grid.defaultCell(false).background);
        // The grades show, but the negative row does not count.
        QCOMPARE(grid.cellText(4, col), grid.cellText(3, col));
        QCOMPARE(grid.cellText(1, col), QString("1"));
        QCOMPARE(grid.cellText(2, col), grid.cellText(3, col));
    }
}

void ResultsWindowTest::positionDisplayWithFortyRemedies() {
    OpenResults open(caseOf({rubricWithDistinctRemedies(40)}));
    QCOMPARE(open.result.listedCount(), 40);
    open.window->show();
    open.click(3, 2);
    QCOMPARE(open.window->windowTitle(), kTitle + " 2/41");
    QTest::keyClick(&open.table(), Qt::Key_Right);
    QCOMPARE(open.window->windowTitle(), kTitle + " 3/41");
}

void ResultsWindowTest::typingFindsARemedyColumn() {
    const RepertoryDatabase& db = reference();
    const int antimonium = remedyIndexOf(db, "ant-t.");
    const RubricNumber number = findRubric(db, [&](std::span<const RemedyEntry> entries) {
        return entries.size() > 60 && std::any_of(entries.begin(), entries.end(), [&](RemedyEntry entry) {
                   return remedyOf(entry) == antimonium;
               });
    });
    OpenResults open(caseOf({number}));
    open.window->show();
    const int col = open.columnOf("ant-t.");
    QVERIFY(col > 2);
    QTest::keyClicks(&open.table(), "antt");
    QCOMPARE(open.table().focusCell(), (GridCellPos{3, col}));
    QCOMPARE(open.window->windowTitle(),
             kTitle + QString(" %1/%2").arg(col).arg(open.table().columnCount() - 1));
}

void ResultsWindowTest::closingOutcomes_data() {
    QTest::addColumn<bool>("escapeClears");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("keeps");
    for (const bool escapeClears : {true, false}) {
        const char* setting = escapeClears ? "EscapeLoescht on" : "EscapeLoescht off";
        QTest::addRow("%s, Escape", setting) << escapeClears << "escape" << !escapeClears;
        QTest::addRow("%s, close box", setting) << escapeClears << "close" << !escapeClears;
        QTest::addRow("%s, Neu", setting) << escapeClears << "new" << false;
        QTest::addRow("%s, Zurück", setting) << escapeClears << "back" << true;
        QTest::addRow("%s, Enter", setting) << escapeClears << "enter" << true;
    }
}

void ResultsWindowTest::closingOutcomes() {
    QFETCH(bool, escapeClears);
    QFETCH(QString, trigger);
    QFETCH(bool, keeps);
    MainSettings settings;
    settings.escapeClearsCase = escapeClears;
    OpenResults open(caseOf({1, 2}), settings);
    ResultsWindow& window = *open.window;
    window.show();
    window.nameField()->setText(QStringLiteral("Frau Ä. Weiß"));
    if (trigger == "escape")
        QTest::keyClick(&open.table(), Qt::Key_Escape);
    else if (trigger == "close")
        window.close();
    else if (trigger == "new")
        window.newButton()->click();
    else if (trigger == "back")
        window.backButton()->click();
    else
        QTest::keyClick(&open.table(), Qt::Key_Return);

    QVERIFY(!window.isVisible());
    QCOMPARE(window.outcome(), keeps ? ResultsOutcome::keepCase : ResultsOutcome::clearCase);
    if (keeps)
        QCOMPARE(window.evaluationName(), "Frau \xC4. Wei\xDF"_w1252);
    QCOMPARE(open.store.readInt("Dialog\\Ergebnis", "(check)", 0), 32639);
    QVERIFY(open.store.contains("Spalten\\Ergebnis", "Col1"));
}

void ResultsWindowTest::keepsPlacementAndTheTwoTextColumnWidths() {
    OpenResults open(caseOf({1, 2, 3}));
    open.table().setColumnWidth(0, 123);
    open.table().setColumnWidth(1, 77);
    const int remedyWidth = open.table().columnWidth(2);
    open.window->show();
    open.window->resize(760, 450);
    open.window->backButton()->click();
    QCOMPARE(open.store.readInt("Spalten\\Ergebnis", "Col0", 0), 123);
    QCOMPARE(open.store.readInt("Spalten\\Ergebnis", "Col1", 0), 77);
    QVERIFY(!open.store.contains("Spalten\\Ergebnis", "Col2"));

    open.store.writeInt("Spalten\\Ergebnis", "Col2", 300); // never applied to a remedy column
    open.open("");
    QCOMPARE(open.table().columnWidth(0), 123);
    QCOMPARE(open.table().columnWidth(1), 77);
    QCOMPARE(open.table().columnWidth(2), remedyWidth);
    QCOMPARE(open.window->size(), QSize(760, 450));

    // With "Spaltenbreite" off the widths are neither restored nor saved.
    open.settings.keepColumnWidths = false;
    open.open("");
    QVERIFY(open.table().columnWidth(0) != 123);
    open.table().setColumnWidth(0, 222);
    open.window->reject();
    QCOMPARE(open.store.readInt("Spalten\\Ergebnis", "Col0", 0), 123);
}

void ResultsWindowTest::clicksSortTheTableButNotTheResult() {
    OpenResults open(largeRubrics(12, 60));
    const std::vector<RemedyScore> scoresBefore(open.result.scores().begin(), open.result.scores().end());
    open.window->show();
    TableGrid& grid = open.table();
    const auto number = [&](int row, int col) { return grid.cellText(row, col).toInt(); };
    QVERIFY(number(1, 2) >= 10); // two-digit hits: sorting must compare values, not texts

    open.click(2, 0); // "Summe der Grade": grade sum, then hits, then abbreviation
    for (int col = 3; col < grid.columnCount(); ++col) {
        const auto before = std::tuple(-number(2, col - 1), -number(1, col - 1), grid.cellText(0, col - 1));
        const auto after = std::tuple(-number(2, col), -number(1, col), grid.cellText(0, col));
        QVERIFY2(before <= after, qPrintable(QString::number(col)));
    }

    open.click(1, 0); // the first click on "Anzahl der Treffer": most hits first
    for (int col = 3; col < grid.columnCount(); ++col) {
        const auto before = std::tuple(-number(1, col - 1), -number(2, col - 1), grid.cellText(0, col - 1));
        const auto after = std::tuple(-number(1, col), -number(2, col), grid.cellText(0, col));
        QVERIFY2(before <= after, qPrintable(QString::number(col)));
    }
    open.click(1, 0); // the second reverses
    QVERIFY(number(1, 2) <= number(1, grid.columnCount() - 1));

    // A click on an abbreviation orders the symptom rows by that column's grades, largest first.
    const int col = open.columnOf(grid.cellText(0, 2));
    open.click(0, col);
    for (int row = 4; row < grid.rowCount(); ++row)
        QVERIFY(grid.cellText(row - 1, col) >= grid.cellText(row, col));

    QVERIFY(std::equal(scoresBefore.begin(), scoresBefore.end(), open.result.scores().begin()));
    const std::vector<CaseSymptom> rows = largeRubrics(12, 60);
    for (std::size_t i = 0; i < rows.size(); ++i)
        QCOMPARE(open.rows[i].number, rows[i].number);
}

void ResultsWindowTest::printsIntoPdf() {
    OpenResults open(caseOf({rubricWithDistinctRemedies(12), rubricWithDistinctRemedies(8),
                             rubricWithDistinctRemedies(6), -rubricWithDistinctRemedies(5)}));
    open.window->show();
    open.click(3, 2);
    TableGrid& grid = open.table();
    const QColor screenFixed = grid.defaultCell(true).background;
    const QString pdf = QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("results_print.pdf");
    QFile::remove(pdf);
    open.window->nameField()->setText(QStringLiteral("Müller, Anna"));

    QString cellWhilePrinting;
    QColor fixedWhilePrinting;
    grid.setPrintDialog([&](QPrinter& printer) {
        cellWhilePrinting = grid.cellText(0, 0);
        fixedWhilePrinting = grid.defaultCell(true).background;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    open.window->printButton()->click();

    QCOMPARE(cellWhilePrinting, QStringLiteral("Müller, Anna 05.03.2024"));
    QCOMPARE(fixedWhilePrinting, QColor(255, 255, 255));
    QCOMPARE(grid.cellText(0, 0), QString());
    QCOMPARE(grid.defaultCell(true).background, screenFixed);
    QCOMPARE(grid.cellStyle(1, 2).background, QColor(255, 255, 0));
    QCOMPARE(open.window->evaluationName(), Windows1252Text("M\xFC"
                                                            "ller, Anna"_w1252));
    QVERIFY(QFile::exists(pdf));

    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");
    const QString text = runTool("pdftotext", {"-layout", pdf, "-"});
    const QString firstPage = text.section(QChar('\f'), 0, 0);
    QVERIFY2(firstPage.contains(QStringLiteral("Müller, Anna – 05.03.2024")), qPrintable(firstPage));
    QVERIFY(firstPage.contains("Telvarin"));
    QVERIFY2(firstPage.contains(QStringLiteral("Müller, Anna 05.03.2024")), qPrintable(firstPage));
    QVERIFY(firstPage.contains("Summe der Grade")); // "Treffer" comes out with an ff ligature
    QVERIFY(firstPage.contains("Page 1 of "));
    if (!QStandardPaths::findExecutable("pdftoppm").isEmpty()) {
        const QString picture = QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("results_print_page1");
        runTool("pdftoppm", {"-png", "-r", "80", "-f", "1", "-l", "1", "-singlefile", pdf, picture});
        QVERIFY(QFile::exists(picture + ".png"));
    }
}

void ResultsWindowTest::cancelledPrintLeavesTheTableAsBefore() {
    for (const bool noGrey : {true, false}) {
        MainSettings settings;
        settings.noGreyInPrint = noGrey;
        OpenResults open(caseOf({1, 2}), settings);
        TableGrid& grid = open.table();
        const QColor screenFixed = grid.defaultCell(true).background;
        QColor fixedWhilePrinting;
        QString cellWhilePrinting;
        grid.setPrintDialog([&](QPrinter&) {
            fixedWhilePrinting = grid.defaultCell(true).background;
            cellWhilePrinting = grid.cellText(0, 0);
            return false;
        });
        open.window->printTable();
        QCOMPARE(fixedWhilePrinting, noGrey ? QColor(255, 255, 255) : screenFixed);
        QCOMPARE(cellWhilePrinting, QStringLiteral("Müller 05.03.2024"));
        QCOMPARE(grid.cellText(0, 0), QString());
        QCOMPARE(grid.defaultCell(true).background, screenFixed);
    }
}

void ResultsWindowTest::emptyResultKeepsTheTwoTextColumns() {
    OpenResults open(caseOf({-1, -2}));
    QCOMPARE(open.result.listedCount(), 0);
    TableGrid& grid = open.table();
    QCOMPARE(grid.columnCount(), 2);
    QCOMPARE(grid.rowCount(), 5);
    QCOMPARE(grid.cellText(1, 0), QString("Anzahl der Treffer"));
    QVERIFY(grid.cellText(3, 0).startsWith("- "));
    open.window->show();
    QTest::keyClicks(&grid, "acon");
    open.click(1, 0);
    open.click(0, 0);
    QCOMPARE(open.window->windowTitle(), kTitle);
}

void ResultsWindowTest::copiesTheGradesToTheClipboard() {
    const RubricNumber number = rubricWithDistinctRemedies(5);
    OpenResults open(caseOf({number, rubricWithout(reference(), 0)}));
    open.window->copyButton()->click(); // hidden, but still wired
    QVERIFY(!open.window->copyButton()->isVisible());
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].split('\t').size(), open.table().columnCount() - 2);
    QCOMPARE(lines[0].left(1), open.table().cellText(3, 2));
    QVERIFY(!open.table().selectionEnabled());
}

void ResultsWindowTest::filesTheCaseIntoTheHistory() {
    QTemporaryDir folder;
    const std::string path = QDir(folder.path()).filePath("historie.xml").toStdString();
    std::vector<CaseSymptom> rows = caseOf({12, 63});
    rows.push_back({-70, 0, true, {}}); // appended by the analysis: never filed
    OpenResults open(rows, {}, "Anna", path);
    open.window->show();
    open.window->nameField()->setText(QStringLiteral("Anna Müller"));

    std::vector<Windows1252Text> presets;
    open.window->setFileCaseAsker([&](Windows1252View preset) -> std::optional<FileCaseAnswer> {
        presets.push_back(Windows1252Text(preset));
        if (presets.size() == 1)
            return std::nullopt; // "&Zurück": nothing filed
        return FileCaseAnswer{Windows1252Text(preset), "erste Zeile\r\nzweite Zeile"_w1252};
    });
    open.window->fileButton()->click();
    QVERIFY(!QFile::exists(QString::fromStdString(path)));
    open.window->fileButton()->click();

    QCOMPARE(presets, (std::vector<Windows1252Text>{"Anna M\xFC"
                                                    "ller"_w1252,
                                                    "Anna M\xFC"
                                                    "ller"_w1252}));
    QVERIFY(open.window->isVisible());
    QVERIFY(open.messages.shown().empty());
    const CaseHistory history = loadHistory(path, nullptr);
    QCOMPARE(history.cases.size(), std::size_t{1});
    QCOMPARE(history.cases[0].name, "Anna M\xFC"
                                    "ller"_w1252);
    const Treatment& treatment = history.cases[0].treatments.at(0);
    QCOMPARE(treatment.comment, "erste Zeile\r\nzweite Zeile"_w1252);
    QCOMPARE(treatment.dateStamp, std::string("05.03.2024 10:30"));
    QCOMPARE(treatment.symptoms, (std::vector<SymptomRef>{{12, 0}, {63, 0}}));
    QCOMPARE(filedCaseNames(path), std::vector<Windows1252Text>{"Anna M\xFC"
                                                                "ller"_w1252});
}

void ResultsWindowTest::reportsWhatKeepsTheCaseFromBeingFiled() {
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("historie.xml");
    const QByteArray damaged("<Fallhistorie><Fall Name=\"A\"><Behandlung Datum=");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    OpenResults open(caseOf({12}), {}, "Anna", path.toStdString());
    open.window->setFileCaseAsker([](Windows1252View preset) {
        return FileCaseAnswer{Windows1252Text(preset), {}};
    });
    open.window->fileCase();

    QCOMPARE(fileBytes(path), damaged);
    QVERIFY(!open.messages.shown().empty());
    QVERIFY2(open.messages.shown().back().text.contains(QStringLiteral("konnte nicht gelesen werden")),
             qPrintable(open.messages.shown().back().text));
    QVERIFY(filedCaseNames(path.toStdString()).empty());

    // A history that cannot be written is reported too, not passed over as filed.
    const std::string unwritable = QDir(folder.path()).filePath("fehlt/historie.xml").toStdString();
    OpenResults elsewhere(caseOf({12}), {}, "Anna", unwritable);
    elsewhere.window->setFileCaseAsker([](Windows1252View preset) {
        return FileCaseAnswer{Windows1252Text(preset), {}};
    });
    elsewhere.window->fileCase();
    QCOMPARE(elsewhere.messages.shown().size(), std::size_t{1});
    QVERIFY2(elsewhere.messages.shown()[0].text.contains(QStringLiteral("konnte nicht geschrieben werden")),
             qPrintable(elsewhere.messages.shown()[0].text));
}

void ResultsWindowTest::refusesToFileUnderAnotherRepertory() {
    // Bound to the built-in repertory.
    QTemporaryDir folder;
    const std::string path = QDir(folder.path()).filePath("historie.xml").toStdString();
    CaseHistory earlier;
    earlier.path = path;
    earlier.cases = {HistoryCase{"Anna"_w1252, {Treatment{"01.02.2024 08:00", ""_w1252, 0, {{12, 0}}}}}};
    QVERIFY(saveHistory(earlier).saved());
    const QByteArray before = fileBytes(QString::fromStdString(path));
    const ProgramRepertories underKent{
        {"Kent, Hom\xF6opathisches Repertorium (deutsch)"_w1252, "00112233445566aa", "", {}, 70000, {}},
        {"Beispielrepertorium (eingebaut, erfundene Daten)"_w1252, "ffeeddccbbaa9988", "", {}, 26564, {}}};
    QVERIFY(writeRepertoryRecord(path, recordOf(underKent.builtin)));

    OpenResults open(caseOf({12}), {}, "Anna", path);
    open.window = std::make_unique<ResultsWindow>(
        reference(), open.rows, open.result, "Anna"_w1252, open.settings, std::nullopt, path,
        DialogServices{&open.store, nullptr, &open.messages, &underKent});
    int asked = 0; // refused before a name and comment are typed in vain
    open.window->setFileCaseAsker([&](Windows1252View preset) {
        ++asked;
        return FileCaseAnswer{Windows1252Text(preset), {}};
    });
    open.window->fileCase();
    QCOMPARE(asked, 0);
    QCOMPARE(fileBytes(QString::fromStdString(path)), before);
    QCOMPARE(open.messages.shown().size(), std::size_t{1});
    const QString text = open.messages.shown().front().text;
    QVERIFY2(text.contains(QStringLiteral("„Beispielrepertorium (eingebaut, erfundene Daten)“")) &&
                 text.contains(QStringLiteral("„Kent, Homöopathisches Repertorium (deutsch)“")) &&
                 text.contains(QStringLiteral("Eigenschaften")),
             qPrintable(text));
}

void ResultsWindowTest::fileCaseDialogListsAndAnswers() {
    MemorySettingsStore store;
    FileCaseDialog dialog({"zeta"_w1252, "\xC4rger"_w1252, "Alpha"_w1252, "beta"_w1252}, "Anna"_w1252,
                          DialogServices{&store, nullptr, nullptr});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Fall ablegen"));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QStringList items;
    for (int i = 0; i < dialog.nameBox()->count(); ++i)
        items << dialog.nameBox()->itemText(i);
    QCOMPARE(items, (QStringList{"Alpha", QStringLiteral("Ärger"), "beta", "zeta"}));
    QCOMPARE(dialog.nameBox()->currentText(), QString("Anna"));
    QCOMPARE(dialog.answer().comment, Windows1252Text());

    dialog.show();
    dialog.nameBox()->setCurrentIndex(2);
    QTest::keyClicks(dialog.commentField(), "Zeile 1");
    QTest::keyClick(dialog.commentField(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(dialog.commentField(), "Zeile 2");
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.grab().save(QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("file_case_dialog.png")));
    QTest::keyClick(dialog.commentField(), Qt::Key_Return); // Enter confirms
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.answer(), (FileCaseAnswer{"beta"_w1252, "Zeile 1\r\nZeile 2"_w1252}));
    QCOMPARE(withCrLf("a\nb\r\nc\rd"), std::string("a\r\nb\r\nc\r\nd"));
}

void ResultsWindowTest::fileCaseDialogKeepsPlacementOnlyOnOk() {
    MemorySettingsStore store;
    {
        FileCaseDialog dialog({}, {}, DialogServices{&store, nullptr, nullptr});
        dialog.show();
        dialog.backButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QCOMPARE(store.valueCount(), 0);
    FileCaseDialog dialog({}, {}, DialogServices{&store, nullptr, nullptr});
    dialog.show();
    dialog.okButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(store.readInt("Dialog\\FallAblegen", "(check)", 0), 32639);
}

void ResultsWindowTest::grabOfTheWindow() {
    const RepertoryDatabase& db = reference();
    const int acon = remedyIndexOf(db, "acon.");
    std::vector<CaseSymptom> rows = caseOf({rubricListingOnce(db, acon, 3), rubricWithout(db, acon),
                                            rubricListingOnce(db, acon, 1), 1, 63, 2000});
    rows.push_back({-1, 0, true, {}});
    OpenResults open(rows);
    open.window->show();
    open.click(3, 2);
    const QString picture = QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("results_window.png");
    QVERIFY(open.window->grab().save(picture));
    open.window->resize(1100, 520);
    QVERIFY(open.window->grab().save(QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("results_window_large.png")));
}

// The case 4000, 100, 500 at the window's normal size: the long symptom texts leave room for the
// leading remedies, every remedy can be scrolled to, and no sum is clipped.
void ResultsWindowTest::remediesStayInViewWithLongSymptomTexts() {
    std::vector<CaseSymptom> rows = caseOf({4000, 100, 500});
    // Rubric 1 a thousand times over: hits and grade sums of four digits.
    rows.insert(rows.end(), 1000, caseOf({1}).front());
    OpenResults open(std::move(rows));
    open.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(open.window.get()));
    TableGrid& grid = open.table();
    QVERIFY(!grid.cellRect(0, 2).isEmpty());
    QVERIFY(!grid.cellRect(0, 3).isEmpty());
    QCOMPARE(grid.tipText(3, 0), grid.cellText(3, 0));
    const int last = grid.columnCount() - 1;
    grid.ensureCellVisible(3, last);
    QVERIFY(!grid.cellRect(3, last).isEmpty());

    int widestSum = 0;
    for (int col = 2; col <= last; ++col) {
        for (const int row : {1, 2}) {
            QVERIFY(grid.columnWidth(col) >= grid.cellWidthFor(row, col, grid.cellText(row, col)));
            widestSum = std::max(widestSum, static_cast<int>(grid.cellText(row, col).size()));
        }
    }
    QCOMPARE(widestSum, 4);

    // The text columns grow with the window as far as the 60 % allow, and shrink back alike.
    const auto textWidth = [&] { return grid.columnWidth(0) + grid.columnWidth(1); };
    open.window->resize(640, 450);
    const int narrow = textWidth();
    QVERIFY(narrow <= grid.contentsRect().width() * 6 / 10);
    open.window->resize(1600, 900);
    // The symptom texts are long: its column is back at the largest automatic width.
    QCOMPARE(grid.columnWidth(0), 450);
    QVERIFY(textWidth() > narrow);
    QVERIFY(textWidth() <= grid.contentsRect().width() * 6 / 10);
    open.window->resize(640, 450);
    QCOMPARE(textWidth(), narrow);
}

void ResultsWindowTest::printThatCannotStartIsReported() {
    OpenResults open(caseOf({100}));
    open.table().setPrintDialog([](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/nonexistent-folder/druck.pdf"));
        return true;
    });
    open.window->printTable();
    QCOMPARE(open.messages.shown().size(), std::size_t{1});
    QCOMPARE(open.messages.shown().front().text, u"Der Druck konnte nicht gestartet werden."_qs);
}

void ResultsWindowTest::keySymptomsEliminateRemedies() {
    const RepertoryDatabase& db = reference();
    const RubricNumber a = rubricWithDistinctRemedies(12);
    std::vector<int> remediesOfA;
    for (const RemedyEntry entry : db.remedyList(a - 1))
        remediesOfA.push_back(remedyOf(entry));
    // A rubric sharing some remedies with a, not all.
    const RubricNumber b = findRubric(db, [&](std::span<const RemedyEntry> entries) {
        const auto shared = std::count_if(entries.begin(), entries.end(), [&](RemedyEntry entry) {
            return std::find(remediesOfA.begin(), remediesOfA.end(), remedyOf(entry)) != remediesOfA.end();
        });
        return shared >= 2 && shared < 12;
    });
    OpenResults open(caseOf({a, b, -a}));
    ResultsWindow& window = *open.window;
    TableGrid& grid = open.table();
    window.show();
    const int allColumns = grid.columnCount();

    // "S" on the focus cell's row.
    open.click(3, 2);
    QTest::keyClick(&grid, 'S', Qt::ShiftModifier);
    QVERIFY2(window.windowTitle().startsWith(kTitle + u" (eliminiert nach 1 Schlüsselsymptom)"_qs),
             qPrintable(window.windowTitle()));
    QVERIFY(grid.cellText(3, 0).startsWith(u"• "_qs));
    QCOMPARE(grid.columnCount(), 2 + 12);

    // The context menu of another row.
    QMenu* menu = openContextMenu(grid, 4, 0);
    QVERIFY(menu != nullptr);
    QAction* entry = menuEntry(*menu, u"Als Schlüsselsymptom"_qs);
    QVERIFY(entry != nullptr && entry->isEnabled() && !entry->isChecked());
    QVERIFY(menuEntry(*menu, u"Als Tabelle speichern…"_qs) != nullptr);
    clickMenuEntry(*menu, entry);
    QVERIFY(window.windowTitle().startsWith(kTitle + u" (eliminiert nach 2 Schlüsselsymptomen)"_qs));
    // The print's page header is this title; its rows are the cells shown.
    QVERIFY(grid.nearestWindowTitle().contains(u"(eliminiert nach 2 Schlüsselsymptomen)"_qs));
    // Left are the remedies of both rubrics.
    QVERIFY(grid.columnCount() > 2 && grid.columnCount() < 2 + 12);
    for (int col = 2; col < grid.columnCount(); ++col)
        QVERIFY(!grid.cellText(3, col).isEmpty() && !grid.cellText(4, col).isEmpty());
    // A counter-polarity cannot be a key symptom.
    menu = openContextMenu(grid, 5, 0);
    QVERIFY(menu != nullptr);
    QVERIFY(!menuEntry(*menu, u"Als Schlüsselsymptom"_qs)->isEnabled());
    menu->close();

    // Small letters still find columns; the last mark gone, the whole ranking is back.
    QTest::keyClick(&grid, 's');
    QCOMPARE(window.keySymptomRows(), (std::vector<int>{0, 1}));
    open.click(4, 2);
    QTest::keyClick(&grid, 'S', Qt::ShiftModifier);
    menu = openContextMenu(grid, 3, 1);
    entry = menuEntry(*menu, u"Als Schlüsselsymptom"_qs);
    QVERIFY(entry->isChecked());
    clickMenuEntry(*menu, entry);
    QVERIFY(window.keySymptomRows().empty());
    QCOMPARE(grid.columnCount(), allColumns);
    QVERIFY(!window.windowTitle().contains(u"eliminiert"_qs));
    QVERIFY(!grid.cellText(3, 0).startsWith(u"• "_qs));
}

void ResultsWindowTest::savesTheTableAsShown() {
    QTemporaryDir folder;
    OpenResults open(caseOf({rubricWithDistinctRemedies(12), 100}), {},
                     "M\xFC"
                     "ller: Anna",
                     QFile::encodeName(folder.filePath("historie.xml")).toStdString());
    ResultsWindow& window = *open.window;
    SaveAnswer save;
    window.setTableFileAsker(save.asker());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    open.click(3, 2);
    QTest::keyClick(&open.table(), 'S', Qt::ShiftModifier);

    save.answer = folder.filePath(u"Müller.csv"_qs);
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(save.asked, 1);
    QCOMPARE(save.proposed, folder.filePath(u"Müller_ Anna.csv"_qs));
    const QList<QByteArray> lines = fileBytes(save.answer).split('\n');
    QCOMPARE(lines.size(), 3 + 2 + 1);
    QVERIFY(lines[0].startsWith("\xEF\xBB\xBF;;"));
    QVERIFY(lines[1].startsWith("Anzahl der Treffer;;"));
    QVERIFY(lines[3].startsWith("• ")); // the key symptom's mark
    QCOMPARE(lines[0].count(';'), open.table().columnCount() - 1);

    // A failure says why and changes nothing.
    save.answer = folder.filePath(u"fehlt/Müller.csv"_qs);
    window.saveTable();
    QCOMPARE(open.messages.shown().size(), std::size_t{1});
    QVERIFY(open.messages.shown().front().text.endsWith(u"Der Ordner existiert nicht."_qs));
}

void ResultsWindowTest::methodRankingIsRemembered() {
    OpenResults open(caseOf({rubricWithDistinctRemedies(12)}));
    QCheckBox* box = open.window->methodRankingBox();
    QVERIFY(!box->isChecked());
    const QString firstRemedy = open.table().cellText(0, 2);
    box->click();
    QCOMPARE(readSetting(open.store, Setting::ResultsRanking), 1);
    // No counter-poles here: no row of contraindications, and every difference is 0, so the
    // method keeps the order of hits and grade sums.
    QCOMPARE(open.table().fixedRowCount(), 3);
    QCOMPARE(open.table().cellText(0, 2), firstRemedy);
    open.open("x");
    QVERIFY(open.window->methodRankingBox()->isChecked());
}

QTEST_MAIN(ResultsWindowTest)
#include "ResultsWindowTest.moc"

void ResultsWindowTest::longRankingAsksOnceHowManyRemediesToPrint() {
    OpenResults open(largeRubrics(12, 60));
    TableGrid& grid = open.table();
    const int remedies = grid.columnCount() - 2;
    QVERIFY(remedies > 40);
    const QString pdf = QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("results_print_long.pdf");
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    grid.setPrintDialog([&](QPrinter& printer) {
        orientation = printer.pageLayout().orientation();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    const auto printedPages = [&] {
        QFile::remove(pdf);
        QTest::keyClick(open.window.get(), Qt::Key_P, Qt::ControlModifier);
        if (!QFile::exists(pdf))
            return 0;
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty())
            return -1;
        const QString info = runTool("pdfinfo", {pdf});
        return info.section(QStringLiteral("Pages:"), 1).trimmed().section(QChar('\n'), 0, 0).toInt();
    };
    open.window->show();
    QVERIFY(QTest::qWaitForWindowActive(open.window.get()));

    open.messages.presetChoices({0});
    const int firstThirty = printedPages();
    QVERIFY(firstThirty != 0);
    QCOMPARE(open.messages.shown().size(), std::size_t{1});
    QVERIFY(open.messages.shown()[0].text.contains(QString::number(remedies)));
    QCOMPARE(open.store.readInt(QString(), QStringLiteral("Druckmittel"), -5), 30);
    QCOMPARE(orientation, QPageLayout::Landscape); // 32 columns against 15 rows

    open.messages.clear();
    QVERIFY(open.store.writeInt(QString(), QStringLiteral("Druckmittel"), 0));
    const int all = printedPages();
    QVERIFY(all != 0);
    QVERIFY(open.messages.shown().empty());
    if (firstThirty >= 0)
        QVERIFY2(firstThirty < all, qPrintable(QStringLiteral("%1 %2").arg(firstThirty).arg(all)));
}

void ResultsWindowTest::opensLargeEnoughForTheCaseAndStaysMaximised() {
    OpenResults open(largeRubrics(12, 60));
    ResultsWindow& window = *open.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const TableGrid& grid = open.table();
    int rowsHeight = 0;
    for (int row = 0; row < grid.rowCount(); ++row)
        rowsHeight += grid.rowHeight(row);
    int tenRemedies = 0;
    for (int col = 0; col < 12; ++col)
        tenRemedies += grid.columnWidth(col);
    const QRect screen = window.screen()->availableGeometry();
    QVERIFY2(rowsHeight <= grid.viewport()->height() ||
                 window.frameGeometry().height() >= screen.height() - 1,
             qPrintable(QStringLiteral("%1 %2").arg(rowsHeight).arg(grid.viewport()->height())));
    QVERIFY2(tenRemedies <= grid.viewport()->width() || window.frameGeometry().width() >= screen.width() - 8,
             qPrintable(QStringLiteral("%1 %2").arg(tenRemedies).arg(grid.viewport()->width())));
    QVERIFY(screen.contains(window.frameGeometry()));

    window.showMaximized();
    QTRY_VERIFY(window.isMaximized());
    window.backButton()->click();
    open.open("");
    open.window->show();
    QVERIFY(open.window->isMaximized());
}

void ResultsWindowTest::titleSaysWhenTheColumnsLeaveTheRanking() {
    OpenResults open(largeRubrics(3, 60));
    ResultsWindow& window = *open.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    TableGrid& grid = open.table();
    QStringList ranking;
    for (int col = 2; col < grid.columnCount(); ++col)
        ranking << grid.cellText(0, col);

    open.click(5, 0);
    const QString label = grid.cellText(5, 0).section(QStringLiteral(" ["), 0, 0).left(20);
    QVERIFY2(window.windowTitle().startsWith(kTitle + " – Mittel nach „" + label),
             qPrintable(window.windowTitle()));
    QVERIFY(window.windowTitle().contains(QStringLiteral("Strg+R: zurück zur Rangfolge")));

    QTest::keyClick(&grid, Qt::Key_R, Qt::ControlModifier);
    QVERIFY2(window.windowTitle().startsWith(kTitle), qPrintable(window.windowTitle()));
    QVERIFY(!window.windowTitle().contains(QStringLiteral("sortiert")));
    QStringList after;
    for (int col = 2; col < grid.columnCount(); ++col)
        after << grid.cellText(0, col);
    QCOMPARE(after, ranking);
}
