// The case history window on a practice server (scripts/with-postgres names one in
// TELVARIN_TEST_SERVER; without it the test is skipped): what another workstation files appears
// by itself, and the user's search, selection and its preview stay.

#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/settings/SettingsStore.h"
#include "history/HistoryFile.h"
#include "server/ServerConnection.h"
#include "server/ServerHistoryStore.h"
#include "tests/ui/ResultsReference.h"
#include "ui/HistoryWindow.h"
#include "ui/PracticeFolderDialog.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace telvarin;

class PracticeServerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void anotherWorkstationsFilingAppearsWithinASecond() {
        const QByteArray uri = qgetenv("TELVARIN_TEST_SERVER");
        if (uri.isEmpty())
            QSKIP("no practice server (run under scripts/with-postgres)");
        auto admin = ServerConnection::open(uri.toStdString());
        QVERIFY(std::get<std::unique_ptr<ServerConnection>>(admin)
                    ->exec("DROP TABLE IF EXISTS telvarin_symptom, telvarin_treatment, telvarin_case, "
                           "telvarin_binding, telvarin_schema")
                    .ok());
        auto opened = ServerHistoryStore::open(uri.toStdString());
        auto& other = *std::get<std::unique_ptr<ServerHistoryStore>>(opened);
        std::vector<CaseSymptom> rows(1);
        rows[0].number = 12;
        rows[0].weight = 3;
        QVERIFY(other
                    .file("Adler"_w1252, ""_w1252, rows, {1, 1, 2004, 0, 0}, nullptr, {},
                          {"nux-v."_w1252, "C30"_w1252, {}})
                    .saved());

        MemorySettingsStore store;
        PresetMessageBoxes messages;
        HistoryWindow window(QString::fromUtf8(uri), results_test::reference(), MainSettings{}, nullptr,
                             DialogServices{&store, nullptr, &messages, nullptr});
        window.show();
        QTreeWidget& tree = *window.tree();
        QCOMPARE(tree.topLevelItemCount(), 1);
        window.searchField()->setText(QStringLiteral("adl"));
        tree.topLevelItem(0)->setExpanded(true);
        tree.setCurrentItem(tree.topLevelItem(0)->child(0), 0, QItemSelectionModel::ClearAndSelect);
        const QString preview = window.preview()->toPlainText();
        QVERIFY2(preview.contains(QStringLiteral("Verordnung: nux-v. C30")), qPrintable(preview));
        QVERIFY2(preview.contains(QStringLiteral("[Gewicht 3]")), qPrintable(preview));

        // Newer, so that the date order puts it above the selected case.
        QVERIFY(other.file("Zander"_w1252, ""_w1252, rows, {1, 1, 2005, 0, 0}, nullptr, {}).saved());
        QTRY_COMPARE_WITH_TIMEOUT(tree.topLevelItemCount(), 2, 1000);
        QVERIFY(tree.topLevelItem(0)->isHidden()); // Zander, left out by the search
        QCOMPARE(tree.selectedItems().size(), 1);
        QTreeWidgetItem* selected = tree.selectedItems().constFirst();
        QVERIFY(selected->parent() != nullptr);
        QVERIFY(selected->parent()->text(0).startsWith(QStringLiteral("Adler")));
        QCOMPARE(tree.indexOfTopLevelItem(selected->parent()), 1);
        QCOMPARE(window.preview()->toPlainText(), preview);
    }

    // Written back into the practice folder: an existing history only replaced when the user agrees.
    void serverHistoryWrittenBackIntoTheFolder() {
        const QByteArray uri = qgetenv("TELVARIN_TEST_SERVER");
        if (uri.isEmpty())
            QSKIP("no practice server (run under scripts/with-postgres)");
        auto opened = ServerHistoryStore::open(uri.toStdString());
        auto& server = *std::get<std::unique_ptr<ServerHistoryStore>>(opened);
        QVERIFY(
            server.file("Reiher"_w1252, ""_w1252, std::vector<CaseSymptom>{}, {2, 2, 2006, 0, 0}, nullptr, {})
                .saved());
        const std::size_t onServer = server.load(nullptr).cases.size();

        QTemporaryDir folder;
        const std::string file = folder.filePath(QStringLiteral("historie.xml")).toStdString();
        CaseHistory own;
        own.cases.resize(1);
        own.cases[0].name = "Eigen"_w1252;
        QVERIFY(saveHistoryAs(own, file).saved());
        PresetMessageBoxes messages;
        messages.presetAnswers({false, true});
        const QString address = QString::fromUtf8(uri);
        QVERIFY(!writeServerHistoryIntoFolder(nullptr, address, {}, folder.path(), messages));
        QCOMPARE(loadHistory(file, nullptr).cases.size(), std::size_t(1));
        QVERIFY(writeServerHistoryIntoFolder(nullptr, address, {}, folder.path(), messages));
        const CaseHistory back = loadHistory(file, nullptr);
        QCOMPARE(back.cases.size(), onServer);
        QVERIFY(
            std::ranges::any_of(back.cases, [](const HistoryCase& c) { return c.name == "Reiher"_w1252; }));
        QCOMPARE(messages.shown().back().kind, MessageKind::Information);
        // The replaced history stays as a dated copy.
        const QStringList copies = QDir(folder.filePath(QStringLiteral("Sicherungen")))
                                       .entryList({QStringLiteral("historie-vor-Import-*")});
        QCOMPARE(copies.size(), 1);
        QCOMPARE(
            loadHistory(folder.filePath(QStringLiteral("Sicherungen/") + copies[0]).toStdString(), nullptr)
                .cases[0]
                .name,
            "Eigen"_w1252);
    }
};

QTEST_MAIN(PracticeServerWindowTest)
#include "PracticeServerWindowTest.moc"
