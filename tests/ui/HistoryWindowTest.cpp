// The case history window on history files in a temporary folder: what the tree shows, take-over,
// delete with and without the question, the two orders, export, import and damaged files.

#include "ui/HistoryWindow.h"

#include "foundation/dialogs/FocusFrameStyle.h"
#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/settings/WindowPersistence.h"
#include "foundation/text/QtCodePage.h"
#include "history/HistoryActions.h"
#include "history/HistoryFile.h"
#include "history/RepertoryRecord.h"
#include "repertory/RepertoryTexts.h"
#include "tests/ui/ResultsReference.h"
#include "ui/IconSet.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

using namespace telvarin;
using results_test::reference;

namespace {

Treatment treatment(std::string stamp, std::string comment, std::vector<SymptomRef> symptoms) {
    return Treatment{std::move(stamp), Windows1252Text(std::move(comment)), 0, std::move(symptoms)};
}

// Three cases in file order: Zander (last treatment 2004), Adler (last treatment 2003, two
// treatments, the first with a two-line comment) and Bauer (no treatment).
CaseHistory threeCases() {
    CaseHistory history;
    history.cases = {
        HistoryCase{"Zander"_w1252, {treatment("01.01.2004 00:00", "Neujahr", {{12, 0}, {-40, 0}})}},
        HistoryCase{"adler"_w1252,
                    {treatment("05.02.2003 08:15", "erste Zeile\r\nzweite Zeile", {{7, 0}, {9, 2}}),
                     treatment("31.12.2003 23:59", "", {{100, 0}})}},
        HistoryCase{"B\xE4uer"_w1252, {}},
    };
    return history;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class RecordingHelp : public HelpViewer {
public:
    void showHelpTopic(int topic, QWidget*) override { topics.push_back(topic); }
    std::vector<int> topics;
};

// A history file in a folder of its own, the store, the message boxes and an open window.
struct OpenHistory {
    QTemporaryDir folder;
    QString path = folder.filePath("historie.xml");
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    RecordingHelp help;
    MainSettings settings;
    std::unique_ptr<HistoryWindow> window;
    std::vector<std::pair<HistoryFileChoice, QString>> asked; // what the file dialogs were asked
    QString chosenFile;                                       // their answer; empty cancels
    // The answer to the question which repertory a history belongs to; none leaves it open.
    std::function<std::optional<int>(const QStringList&)> repertoryAnswer = [](const QStringList&) {
        return std::optional<int>();
    };

    explicit OpenHistory(const CaseHistory& history) { write(history); }
    OpenHistory() = default;

    void write(CaseHistory history) {
        history.path = QFile::encodeName(path).toStdString();
        QVERIFY(saveHistory(history).saved());
    }

    const ProgramRepertories* repertories = nullptr; // the program's, when the window is to check

    HistoryWindow& open(const TableFont* tableFont = nullptr) {
        window = std::make_unique<HistoryWindow>(path, reference(), settings, tableFont,
                                                 DialogServices{&store, &help, &messages, repertories});
        window->setFileAsker([this](HistoryFileChoice choice, const QString& startFolder, QWidget*) {
            asked.emplace_back(choice, startFolder);
            return chosenFile;
        });
        window->setRepertoryAsker([this](const QString&, const QStringList& choices, QWidget*) {
            return repertoryAnswer(choices);
        });
        window->show();
        return *window;
    }

    QTreeWidget& tree() const { return *window->tree(); }

    QStringList caseTexts() const {
        QStringList texts;
        for (int i = 0; i < tree().topLevelItemCount(); ++i)
            texts << tree().topLevelItem(i)->text(0);
        return texts;
    }

    QStringList treatmentTexts(int caseRow) const {
        QStringList texts;
        const QTreeWidgetItem* item = tree().topLevelItem(caseRow);
        for (int i = 0; i < item->childCount(); ++i)
            texts << item->child(i)->text(0);
        return texts;
    }

    // Clicks an item the way a user does: its case opened first when it is a treatment.
    void clickItem(int caseRow, int treatmentRow = -1, bool twice = false) const {
        QTreeWidgetItem* item = tree().topLevelItem(caseRow);
        if (treatmentRow >= 0) {
            item->setExpanded(true);
            item = item->child(treatmentRow);
        }
        const QPoint at = tree().visualItemRect(item).center();
        // A double click reaches a widget as a click followed by the double-click event.
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(tree().viewport(), Qt::LeftButton, {}, at);
    }

    CaseHistory fileHistory() const { return loadHistory(QFile::encodeName(path).toStdString(), nullptr); }
};

QImage pictureOf(const QIcon& icon) {
    return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool showsPicture(const IconPushButton& button, ButtonIcon role) {
    return pictureOf(button.icon()) == pictureOf(QIcon(iconPair(role).normal));
}

} // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensByDateCollapsedWithNothingSelected();
    void opensByNameWhenStoredSoAndTogglesTheOrder();
    void treeTakesTheTableFont();
    void missingFileGivesAnEmptyTree();
    void takesOverTreatmentsAndCases();
    void takeOverWithoutSelectionKeepsTheWindowOpen();
    void deletesTreatmentsAndCasesAfterTheQuestion();
    void deletesWithoutAskingWhenTheQuestionIsOff();
    void deleteWorksOnTheFileAsFiledMeanwhile();
    void exportsToTheChosenFile();
    void importsReplaceTheHistory();
    void importOfADamagedFileKeepsTheCases();
    void damagedHistoryIsReportedAndNeverOverwritten();
    void unreadableHistoryIsSaidAtOnce();
    void damagedHistoryCanBeReplacedByItsBackup();
    void closingKeepsThePlacementAndHelpShowsItsTopic();
    void namesItsFileAndRefusesTakeOverUnderAnotherRepertory();
    void searchFieldShowsMatchingCasesAndPreviewShowsTheTreatment();
    void grabOfTheWindow();
};

void HistoryWindowTest::opensByDateCollapsedWithNothingSelected() {
    OpenHistory history(threeCases());
    HistoryWindow& window = history.open();

    QCOMPARE(window.windowTitle(), QStringLiteral("Fallhistorie"));
    QVERIFY(window.ordersByDate());
    QVERIFY(showsPicture(*window.orderButton(), ButtonIcon::OrderByDate));
    QCOMPARE(history.caseTexts(), QStringList({"Zander", "adler", "Bäuer"}));
    // Oldest first under each case, line breaks of a comment as blanks.
    QCOMPARE(history.treatmentTexts(1),
             QStringList({"05.02.2003 08:15 (erste Zeile zweite Zeile)", "31.12.2003 23:59 ()"}));
    QCOMPARE(history.treatmentTexts(2), QStringList());
    for (int i = 0; i < history.tree().topLevelItemCount(); ++i)
        QVERIFY(!history.tree().topLevelItem(i)->isExpanded());
    QVERIFY(history.tree().selectedItems().isEmpty());
    QCOMPARE(history.tree().font(), window.font());

    // The tip of a treatment lists its symptoms with their rubric texts.
    const QString tip = history.tree().topLevelItem(1)->child(0)->toolTip(0);
    QVERIFY2(tip.startsWith(QStringLiteral("7  ") + fromWindows1252(rubricText(reference(), 7))),
             qPrintable(tip));
    QCOMPARE(tip.count(QLatin1Char('\n')), 1);

    // The arrow keys select as they move: the first Down selects the first case, the next the one
    // below it.
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&history.tree(), Qt::Key_Down);
    QCOMPARE(history.tree().selectedItems(), QList<QTreeWidgetItem*>{history.tree().topLevelItem(0)});
    QTest::keyClick(&history.tree(), Qt::Key_Down);
    QCOMPARE(history.tree().selectedItems(), QList<QTreeWidgetItem*>{history.tree().topLevelItem(1)});
}

void HistoryWindowTest::opensByNameWhenStoredSoAndTogglesTheOrder() {
    OpenHistory history(threeCases());
    history.store.writeInt(QString(), QStringLiteral("Sortierung"), 0);
    HistoryWindow& window = history.open();

    QVERIFY(!window.ordersByDate());
    QVERIFY(showsPicture(*window.orderButton(), ButtonIcon::OrderByName));
    QCOMPARE(history.caseTexts(), QStringList({"adler", "Bäuer", "Zander"}));

    history.tree().topLevelItem(0)->setExpanded(true);
    QTest::mouseClick(window.orderButton(), Qt::LeftButton);
    QVERIFY(window.ordersByDate());
    QVERIFY(showsPicture(*window.orderButton(), ButtonIcon::OrderByDate));
    QCOMPARE(history.store.readInt(QString(), QStringLiteral("Sortierung"), -1), 1);
    QCOMPARE(history.caseTexts(), QStringList({"Zander", "adler", "Bäuer"}));
    QVERIFY(!history.tree().topLevelItem(1)->isExpanded());

    QTest::mouseClick(window.orderButton(), Qt::LeftButton);
    QCOMPARE(history.store.readInt(QString(), QStringLiteral("Sortierung"), -1), 0);
    QCOMPARE(history.caseTexts(), QStringList({"adler", "Bäuer", "Zander"}));
    // Ordering changes the window's copy only; the file keeps the order of its last save.
    QCOMPARE(history.fileHistory().cases.front().name, "Zander"_w1252);
}

void HistoryWindowTest::treeTakesTheTableFont() {
    OpenHistory history(threeCases());
    const std::optional<TableFont> font = TableFont::create(QStringLiteral("DejaVu Serif"), 23);
    QVERIFY(font.has_value());
    history.open(&*font);
    QCOMPARE(history.tree().font().family(), font->font().family());
    QCOMPARE(history.tree().font().pixelSize(), font->font().pixelSize());
}

void HistoryWindowTest::missingFileGivesAnEmptyTree() {
    OpenHistory history;
    history.open();
    QCOMPARE(history.tree().topLevelItemCount(), 0);
    QVERIFY(history.messages.shown().empty());
    QTest::mouseClick(history.window->deleteButton(), Qt::LeftButton);
    QVERIFY(!QFile::exists(history.path));
}

void HistoryWindowTest::takesOverTreatmentsAndCases() {
    OpenHistory history(threeCases());
    history.open();
    history.clickItem(1, 1);
    QTest::mouseClick(history.window->takeOverButton(), Qt::LeftButton);
    QCOMPARE(history.window->result(), 1);
    QVERIFY(!history.window->isVisible());
    QCOMPARE(history.window->takeOverResult(), (TakeOverResult{"adler"_w1252, {{100, 0}}}));

    // A double click on a case takes its first treatment, the one filed first.
    history.open();
    history.clickItem(1, -1, true);
    QCOMPARE(history.window->result(), 1);
    QCOMPARE(history.window->takeOverResult(), (TakeOverResult{"adler"_w1252, {{7, 0}, {9, 2}}}));

    // Enter on a selected treatment takes it too: "Ü&bernehmen" is the default button.
    history.open();
    history.clickItem(0, 0);
    QTest::keyClick(history.tree().viewport(), Qt::Key_Return);
    QCOMPARE(history.window->takeOverResult(), (TakeOverResult{"Zander"_w1252, {{12, 0}, {-40, 0}}}));

    // A case without treatments gives an empty case without a name.
    history.open();
    history.clickItem(2);
    QTest::mouseClick(history.window->takeOverButton(), Qt::LeftButton);
    QCOMPARE(history.window->result(), 1);
    QCOMPARE(history.window->takeOverResult(), TakeOverResult{});
}

void HistoryWindowTest::takeOverWithoutSelectionKeepsTheWindowOpen() {
    OpenHistory history(threeCases());
    history.open();
    QTest::mouseClick(history.window->takeOverButton(), Qt::LeftButton);
    QVERIFY(history.window->isVisible());
    QTest::keyClick(history.window.get(), Qt::Key_Escape);
    QVERIFY(!history.window->isVisible());
    QCOMPARE(history.window->result(), 0);
    QCOMPARE(history.window->takeOverResult(), TakeOverResult{});
}

void HistoryWindowTest::deletesTreatmentsAndCasesAfterTheQuestion() {
    OpenHistory history(threeCases());
    HistoryWindow& window = history.open();
    const QByteArray before = fileBytes(history.path);

    // "&Nein" changes nothing.
    history.clickItem(1, 0);
    history.messages.presetAnswers({false});
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    QCOMPARE(history.messages.shown().size(), std::size_t(1));
    QCOMPARE(history.messages.shown().back().kind, MessageKind::Question);
    QCOMPARE(history.messages.shown().back().text,
             QStringLiteral(
                 "Wollen Sie den Eintrag 05.02.2003 08:15 (erste Zeile zweite Zeile) wirklich löschen?"));
    QCOMPARE(history.treatmentTexts(1).size(), 2);
    QCOMPARE(fileBytes(history.path), before);

    // "&Ja" takes the treatment out of the tree and the file.
    history.messages.presetAnswers({true});
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    QCOMPARE(history.treatmentTexts(1), QStringList({"31.12.2003 23:59 ()"}));
    QCOMPARE(history.fileHistory().cases[1].treatments.size(), std::size_t(1));
    // The entry that has the focus is the selected one: the next command acts on it.
    QCOMPARE(history.tree().selectedItems(), QList<QTreeWidgetItem*>{history.tree().currentItem()});
    QVERIFY(history.tree().currentItem() != nullptr);

    // The case stays when its last treatment goes.
    history.clickItem(1, 0);
    history.messages.presetAnswers({true});
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    QCOMPARE(history.caseTexts(), QStringList({"Zander", "adler", "Bäuer"}));
    QCOMPARE(history.tree().topLevelItem(1)->childCount(), 0);
    QVERIFY(history.fileHistory().cases[1].treatments.empty());

    // A case goes with all its treatments.
    history.clickItem(0);
    history.messages.presetAnswers({true});
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    QCOMPARE(history.messages.shown().back().text,
             QStringLiteral("Wollen Sie den Fall Zander wirklich löschen?"));
    QCOMPARE(history.caseTexts(), QStringList({"adler", "Bäuer"}));
    QCOMPARE(history.fileHistory().cases.size(), std::size_t(2));
    QCOMPARE(history.fileHistory().cases[0].name, "adler"_w1252);

    // A further press asks about the entry marked now; "&Nein" keeps it.
    history.messages.clear();
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    QCOMPARE(history.messages.shown().size(), std::size_t(1));
    QCOMPARE(history.caseTexts().size(), 2);
}

void HistoryWindowTest::deletesWithoutAskingWhenTheQuestionIsOff() {
    OpenHistory history(threeCases());
    history.settings.askBeforeDelete = false;
    HistoryWindow& window = history.open();
    history.clickItem(2);
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    QVERIFY(history.messages.shown().empty());
    QCOMPARE(history.caseTexts(), QStringList({"Zander", "adler"}));
    QCOMPARE(history.fileHistory().cases.size(), std::size_t(2));
}

void HistoryWindowTest::deleteWorksOnTheFileAsFiledMeanwhile() {
    OpenHistory history(threeCases());
    history.settings.askBeforeDelete = false;
    HistoryWindow& window = history.open();
    // Filed from the results window (or another program) while the history window is open.
    const std::vector<CaseSymptom> rows = {{12, 0, false, {}}};
    QVERIFY(fileTreatmentInHistoryFile(QFile::encodeName(history.path).toStdString(), "Neu"_w1252, ""_w1252,
                                       rows, {1, 1, 2005, 0, 0}, nullptr)
                .saved());

    history.clickItem(2); // Bäuer
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    QVERIFY(history.messages.shown().empty());
    QCOMPARE(history.caseTexts(), QStringList({"Neu", "Zander", "adler"}));
    QCOMPARE(history.fileHistory().cases, window.history().cases);

    // Deleted elsewhere meanwhile: the window says so and shows the file as it is.
    CaseHistory elsewhere = history.fileHistory();
    elsewhere.cases.erase(elsewhere.cases.begin() + 1);
    history.write(elsewhere);
    history.clickItem(1); // Zander, still shown
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    QCOMPARE(history.messages.shown().size(), std::size_t(1));
    QVERIFY2(history.messages.shown()[0].text.contains(QStringLiteral("nicht mehr in der Fallhistorie")),
             qPrintable(history.messages.shown()[0].text));
    QCOMPARE(history.caseTexts(), QStringList({"Neu", "adler"}));
}

void HistoryWindowTest::exportsToTheChosenFile() {
    OpenHistory history(threeCases());
    history.store.writeInt(QString(), QStringLiteral("Sortierung"), 0);
    history.store.writeString(QStringLiteral("Settings"), QStringLiteral("Current Directory"),
                              QStringLiteral("/zuletzt/"));
    HistoryWindow& window = history.open();

    // Cancelled: nothing written, nothing remembered.
    QTest::mouseClick(window.exportButton(), Qt::LeftButton);
    QCOMPARE(history.asked.size(), std::size_t(1));
    QCOMPARE(history.asked[0], std::make_pair(HistoryFileChoice::Export, QStringLiteral("/zuletzt/")));

    QVERIFY(QDir(history.folder.path()).mkpath("ausgabe"));
    history.chosenFile = history.folder.filePath("ausgabe/kopie.xml");
    QTest::mouseClick(window.exportButton(), Qt::LeftButton);
    const CaseHistory exported = loadHistory(QFile::encodeName(history.chosenFile).toStdString(), nullptr);
    QVERIFY(exported.loaded);
    // In the window's order, by name here; the history file itself is untouched.
    QCOMPARE(exported.cases.front().name, "adler"_w1252);
    QCOMPARE(exported.cases.size(), std::size_t(3));
    QCOMPARE(history.fileHistory().cases.front().name, "Zander"_w1252);
    QCOMPARE(history.store.readString(QStringLiteral("Settings"), QStringLiteral("Current Directory")),
             QDir::toNativeSeparators(history.folder.filePath("ausgabe")) + QDir::separator());

    // An unwritable target is said, not passed over.
    history.chosenFile = history.folder.filePath("fehlt/kopie.xml");
    QTest::mouseClick(window.exportButton(), Qt::LeftButton);
    QCOMPARE(history.messages.shown().size(), std::size_t(1));
    QCOMPARE(history.messages.shown().back().kind, MessageKind::Error);
    QVERIFY(history.messages.shown().back().text.contains(QStringLiteral("konnte nicht geschrieben werden")));
}

void HistoryWindowTest::importsReplaceTheHistory() {
    OpenHistory history(threeCases());
    HistoryWindow& window = history.open();
    history.tree().topLevelItem(0)->setExpanded(true);
    const QByteArray before = fileBytes(history.path);

    CaseHistory other;
    other.cases = {HistoryCase{"Cornelius"_w1252, {treatment("02.02.2002 10:00", "", {{5, 0}})}},
                   HistoryCase{"Dora"_w1252, {treatment("03.03.2003 10:00", "", {{6, 1}})}}};
    other.path = QFile::encodeName(history.folder.filePath("anderswo.xml")).toStdString();
    QVERIFY(saveHistory(other).saved());

    // Asked first, and nothing happens unless the user says what: the safe answer is the default.
    history.chosenFile = QString::fromStdString(other.path);
    QTest::mouseClick(window.importButton(), Qt::LeftButton);
    QCOMPARE(history.asked.back().first, HistoryFileChoice::Import);
    QCOMPARE(history.messages.shown().size(), std::size_t(1));
    const QString question = history.messages.shown().front().text;
    QVERIFY(question.contains(QStringLiteral("(3 Fälle) durch 2 Fälle aus \"") + history.chosenFile));
    QVERIFY(question.contains(QDir(history.folder.filePath("Sicherungen")).filePath("historie-vor-Import-")));
    QCOMPARE(fileBytes(history.path), before);
    QCOMPARE(history.caseTexts(), QStringList({"Zander", "adler", "Bäuer"}));

    history.messages.presetChoices({0});
    QTest::mouseClick(window.importButton(), Qt::LeftButton);
    QCOMPARE(history.caseTexts(), QStringList({"Dora", "Cornelius"}));
    QVERIFY(!history.tree().topLevelItem(0)->isExpanded());
    const CaseHistory file = history.fileHistory();
    QCOMPARE(file.cases.size(), std::size_t(2));
    QCOMPARE(file.cases[0].name, "Dora"_w1252);
    QCOMPARE(history.messages.shown().size(), std::size_t(2));
    QCOMPARE(history.store.readString(QStringLiteral("Settings"), QStringLiteral("Current Directory")),
             QDir::toNativeSeparators(history.folder.path()) + QDir::separator());
    // The replaced history is kept whole.
    const QStringList copies = QDir(history.folder.filePath("Sicherungen"))
                                   .entryList({QStringLiteral("historie-vor-Import-*.xml")}, QDir::Files);
    QCOMPARE(copies.size(), 1);
    QCOMPARE(fileBytes(history.folder.filePath("Sicherungen/" + copies.front())), before);

    // Merged: the two cases are there already, Zander's treatment joins them.
    other.cases.push_back(threeCases().cases.front());
    QVERIFY(saveHistory(other).saved());
    history.messages.presetChoices({1});
    QTest::mouseClick(window.importButton(), Qt::LeftButton);
    QCOMPARE(history.caseTexts(), QStringList({"Zander", "Dora", "Cornelius"}));
    QCOMPARE(history.treatmentTexts(1).size(), 1);
}

void HistoryWindowTest::importOfADamagedFileKeepsTheCases() {
    OpenHistory history(threeCases());
    HistoryWindow& window = history.open();
    const QString damaged = history.folder.filePath("kaputt.xml");
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\"?>\r\n<Fallhistorie AnzahlFaelle=\"0\">\r\n</Fallhistorie>\r\n");
    file.close();
    // The history file is written again after the import, so its order becomes the window's.
    history.chosenFile = damaged;
    QTest::mouseClick(window.importButton(), Qt::LeftButton);
    QCOMPARE(history.messages.shown().size(), std::size_t(1));
    QCOMPARE(history.messages.shown().front().kind, MessageKind::Error);
    QCOMPARE(history.caseTexts(), QStringList({"Zander", "adler", "Bäuer"}));
    QCOMPARE(history.fileHistory().cases.size(), std::size_t(3));
}

void HistoryWindowTest::damagedHistoryIsReportedAndNeverOverwritten() {
    OpenHistory history;
    QFile file(history.path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray damaged = "<Fallhistorie AnzahlFaelle=\"1\">\r\n\t<Fall Name=\"Kein Ende\"";
    file.write(damaged);
    file.close();

    HistoryWindow& window = history.open();
    QCOMPARE(history.tree().topLevelItemCount(), 0);
    QCOMPARE(history.messages.shown().size(), std::size_t(1));
    QCOMPARE(history.messages.shown().front().kind, MessageKind::Error);

    // An import would save over the damaged file: it is refused, and said so in German.
    CaseHistory other;
    other.cases = {HistoryCase{"Neu"_w1252, {}}};
    other.path = QFile::encodeName(history.folder.filePath("neu.xml")).toStdString();
    QVERIFY(saveHistory(other).saved());
    history.chosenFile = QString::fromStdString(other.path);
    QTest::mouseClick(window.importButton(), Qt::LeftButton);
    QCOMPARE(history.messages.shown().size(), std::size_t(2));
    QVERIFY(history.messages.shown().back().text.contains(QStringLiteral("konnte nicht gelesen werden")));
    QCOMPARE(fileBytes(history.path), damaged);
    QCOMPARE(history.tree().topLevelItemCount(), 0);
}

void HistoryWindowTest::unreadableHistoryIsSaidAtOnce() {
    // A folder where the file should be cannot be read, and no reader reports on it.
    OpenHistory history;
    QVERIFY(QDir().mkpath(history.path));
    HistoryWindow& window = history.open();
    QCOMPARE(history.messages.shown().size(), std::size_t(1));
    QVERIFY(history.messages.shown().front().text.contains(QStringLiteral("ist ein Verzeichnis")));
    QCOMPARE(window.history().cases.size(), std::size_t(0));
}

void HistoryWindowTest::damagedHistoryCanBeReplacedByItsBackup() {
    OpenHistory history(threeCases());
    const std::string path = QFile::encodeName(history.path).toStdString();
    HistoryFileAccess access;
    access.today = LocalDateTime{6, 12, 2026, 8, 0};
    QVERIFY(
        fileTreatmentInHistoryFile(path, "Neu"_w1252, ""_w1252, {}, *access.today, nullptr, access).saved());
    const QByteArray damaged = "<Fallhistorie AnzahlFaelle=\"1\">";
    QFile file(history.path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(damaged) == damaged.size());
    file.close();

    history.messages.presetAnswers({true});
    history.open();
    const auto& shown = history.messages.shown();
    QCOMPARE(shown.size(), std::size_t(2)); // the syntax error, then the offer
    QCOMPARE(shown[1].kind, MessageKind::Question);
    QVERIFY2(shown[1].text.startsWith(QStringLiteral("Sicherung wiederherstellen?")) &&
                 shown[1].text.contains(QStringLiteral("vom 06.12.2026")),
             qPrintable(shown[1].text));
    QCOMPARE(history.caseTexts(), QStringList({"Zander", "adler", "Bäuer"})); // the backup, before "Neu"
    QCOMPARE(fileBytes(history.path + ".defekt"), damaged);
}

void HistoryWindowTest::closingKeepsThePlacementAndHelpShowsItsTopic() {
    OpenHistory history(threeCases());
    HistoryWindow& window = history.open();
    QTest::mouseClick(window.helpButton(), Qt::LeftButton);
    QCOMPARE(history.help.topics, std::vector<int>{kHelpTopicCaseHistory});

    const QString section = placementSection(QStringLiteral("Historie"));
    window.resize(window.size() + QSize(60, 80));
    QTest::mouseClick(window.backButton(), Qt::LeftButton);
    QCOMPARE(window.result(), 0);
    QCOMPARE(history.store.readInt(section, QStringLiteral("(check)"), 0), kPlacementComplete);

    // Reopened at the stored size, with the tree grown and the buttons kept at the bottom (both 24
    // units lower than the template, below the lines that name the file).
    HistoryWindow& again = history.open();
    QCOMPARE(again.size(), window.size());
    QCOMPARE(again.height() - again.backButton()->geometry().bottom(),
             again.dynamicLayout().initialClientSize().height() -
                 again.pixelRect(QRect(259, 168, 42, 35)).bottom());
    QCOMPARE(again.tree()->width(), again.pixelRect(QRect(7, 31, 330, 132)).width() + 60);
    QCOMPARE(again.fileLabel()->width(), again.tree()->width());
    again.close();
    QCOMPARE(again.result(), 0);
}

void HistoryWindowTest::namesItsFileAndRefusesTakeOverUnderAnotherRepertory() {
    const RepertoryIdentity kent{
        "Kent, Hom\xF6opathisches Repertorium (deutsch)"_w1252, "00112233445566aa", "", {}, 70000, {}};
    const RepertoryIdentity builtin{
        "Beispielrepertorium (eingebaut, erfundene Daten)"_w1252, "ffeeddccbbaa9988", "", {}, 26564, {}};
    const ProgramRepertories underKent{kent, builtin};
    OpenHistory history(threeCases());
    history.repertories = &underKent;

    // Written without a record: bound to nothing. The window asks, offering the repertories that
    // fit its numbers; left open, the numbers stay unbound and take-over is refused.
    QStringList offered;
    history.repertoryAnswer = [&](const QStringList& choices) -> std::optional<int> {
        offered = choices;
        return std::nullopt;
    };
    HistoryWindow& window = history.open();
    // (and the data files installed, or in the build tree)
    QCOMPARE(offered.mid(0, 2),
             QStringList({QStringLiteral("Kent, Homöopathisches Repertorium (deutsch)"),
                          QStringLiteral("Beispielrepertorium (eingebaut, erfundene Daten)")}));
    const QStringList lines = window.fileLabel()->text().split(u'\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("Datei: ") + QDir::toNativeSeparators(history.path));
    QVERIFY2(lines[1].contains(QStringLiteral("nicht festgehalten")), qPrintable(lines[1]));
    history.clickItem(1, 0, true);
    QVERIFY(window.isVisible());
    QCOMPARE(history.messages.shown().size(), std::size_t(1));
    QVERIFY(history.messages.shown().front().text.contains(QStringLiteral("--bind")));
    window.close();

    // Bound to the built-in repertory by the answer: refused under the Kent, named both.
    history.repertoryAnswer = [](const QStringList&) -> std::optional<int> { return 1; };
    HistoryWindow& bound = history.open();
    QVERIFY2(bound.fileLabel()->text().contains(QStringLiteral(
                 "gehören zu „Beispielrepertorium (eingebaut, erfundene Daten)“, nicht zu „Kent")),
             qPrintable(bound.fileLabel()->text()));
    bound.close();

    // Bound to the Kent, the same history is taken over as ever, and nothing is asked.
    QVERIFY(writeRepertoryRecord(QFile::encodeName(history.path).toStdString(), recordOf(kent)));
    offered.clear();
    history.repertoryAnswer = [&](const QStringList& choices) -> std::optional<int> {
        offered = choices;
        return std::nullopt;
    };
    HistoryWindow& again = history.open();
    QVERIFY(offered.isEmpty());
    QCOMPARE(again.fileLabel()->text(), QStringLiteral("Datei: ") + QDir::toNativeSeparators(history.path) +
                                            QStringLiteral("\nDie Rubriknummern gehören zu „Kent, "
                                                           "Homöopathisches Repertorium (deutsch)“."));
    history.clickItem(1, 0, true);
    QCOMPARE(again.result(), 1);
    QCOMPARE(again.takeOverResult().symptoms.size(), std::size_t(2));
}

void HistoryWindowTest::searchFieldShowsMatchingCasesAndPreviewShowsTheTreatment() {
    CaseHistory cases = threeCases();
    Treatment& prescribed = cases.cases[1].treatments[0];
    prescribed.symptoms[0].weight = 3;
    prescribed.prescription = {"nux-v."_w1252, "C30"_w1252, "abends"_w1252};
    OpenHistory history(cases);
    HistoryWindow& window = history.open();
    const auto visibleCases = [&] {
        QStringList shown;
        for (int i = 0; i < history.tree().topLevelItemCount(); ++i)
            if (!history.tree().topLevelItem(i)->isHidden())
                shown << history.tree().topLevelItem(i)->text(0);
        return shown;
    };
    QCOMPARE(visibleCases(),
             (QStringList{QStringLiteral("Zander"), QStringLiteral("adler"), QStringLiteral("Bäuer")}));

    history.clickItem(1); // adler: its first treatment is what a take-over would load
    const QString preview = window.preview()->toPlainText();
    QVERIFY2(preview.contains(QStringLiteral("Verordnung: nux-v. C30 (abends)")), qPrintable(preview));
    QVERIFY(preview.contains(QStringLiteral("Kommentar: erste Zeile zweite Zeile")));
    QVERIFY(preview.contains(QStringLiteral("7  ") + fromWindows1252(rubricText(reference(), 7)) +
                             QStringLiteral("  [Gewicht 3]")));
    QVERIFY(preview.contains(QStringLiteral("9 BD 2")));

    QTest::keyClicks(window.searchField(), QStringLiteral("AE")); // finds "Bäuer" as "Baeuer"
    QCOMPARE(visibleCases(), (QStringList{QStringLiteral("Bäuer")}));
    QVERIFY(history.tree().selectedItems().isEmpty()); // adler went out of sight
    QVERIFY(window.preview()->toPlainText().isEmpty());
    window.searchField()->clear();
    QTest::keyClicks(window.searchField(), QStringLiteral("dL"));
    QCOMPARE(visibleCases(), (QStringList{QStringLiteral("adler")}));
    history.clickItem(1, 1);
    QVERIFY(window.preview()->toPlainText().contains(QStringLiteral("Behandlung vom 31.12.2003 23:59")));
    QVERIFY(window.grab().save(QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("history_window_search.png")));
    QTest::mouseClick(window.takeOverButton(), Qt::LeftButton);
    QCOMPARE(window.takeOverResult().name, "adler"_w1252);
}

void HistoryWindowTest::grabOfTheWindow() {
    OpenHistory history(threeCases());
    HistoryWindow& window = history.open();
    history.tree().topLevelItem(1)->setExpanded(true);
    history.clickItem(1, 0);
    QVERIFY(!window.windowIcon().isNull());
    // Every caption shows whole under its picture, however wide the font sets it, and clear of the
    // focus frame on either side.
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        const QString caption = button->text().remove(QLatin1Char('&'));
        QVERIFY2(button->fontMetrics().horizontalAdvance(caption) < button->width() - 4 * kFocusFrameWidth,
                 qPrintable(caption));
    }
    const QString picture = QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("history_window.png");
    QVERIFY(window.grab().save(picture));
}

QTEST_MAIN(HistoryWindowTest)
#include "HistoryWindowTest.moc"
