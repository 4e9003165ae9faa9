// The start of the program: where the records live (the first start asks once, an unusable
// practice folder is named with its reason) and which repertory is used (the practice folder's
// own "repertorium.dat", the chosen one, the shipped Kent, the built-in one).

#include "ui/ProgramStart.h"

#include "data/BuiltinRepertory.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/text/QtCodePage.h"
#include "repertory/RepertorySource.h"
#include "ui/CaseInputWindow.h"
#include "ui/PracticeFolderDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace telvarin;

namespace {

const QString kProgramKey;

struct StartOutcome {
    int exitCode = -1;
    bool shown = false;
    QString title;
    QString historyPath;
    int rubricCount = 0;
    QString firstRubric;
    QString firstChapter;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray testRepertoryBytes() {
    std::ifstream in(TELVARIN_TEST_DATA_DIR "/test-repertory.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const auto bytes = std::get<std::vector<std::byte>>(compileRepertorySource(text.str()));
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// Answers the questions about the practice folder from lists (an empty text: cancelled), and keeps
// what was asked.
class PresetQuestions : public PracticeFolderQuestions {
public:
    QStringList firstFolders;
    std::deque<Answer> answers;
    QStringList chosenFolders;
    QStringList asked;

    std::optional<QString> askFirstFolder(const QString& proposed) override {
        asked << QStringLiteral("erster Start: ") + proposed;
        return take(firstFolders);
    }
    Answer askAboutUnusableFolder(const QString& message, bool canContinue) override {
        asked << message + (canContinue ? QStringLiteral(" [Trotzdem]") : QString());
        if (answers.empty())
            return Answer::Quit;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<QString> chooseFolder(const QString&) override { return take(chosenFolders); }

private:
    static std::optional<QString> take(QStringList& list) {
        const QString first = list.isEmpty() ? QString() : list.takeFirst();
        if (first.isEmpty())
            return std::nullopt;
        return first;
    }
};

// Starts the program in the directory and closes the case input window as soon as it is shown.
StartOutcome startIn(const QString& directory, MemorySettingsStore& store, PresetMessageBoxes& messages,
                     PracticeFolderQuestions* questions = nullptr) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(directory);
    store.writeInt(kProgramKey, QStringLiteral("Startverzögerung"), 0);
    StartOutcome outcome;
    ProgramStartHooks hooks;
    hooks.practiceFolder = questions;
    hooks.whenReady = [&outcome](CaseInputWindow& window) {
        outcome.shown = true;
        outcome.title = window.windowTitle();
        outcome.historyPath = window.historyPath();
        outcome.rubricCount = window.database().rubricCount();
        outcome.firstRubric = fromWindows1252(window.database().rubricTextField(0));
        outcome.firstChapter = fromWindows1252(window.database().chapterName(0));
        window.done(0);
    };
    outcome.exitCode = runProgram(store, messages, hooks);
    QDir::setCurrent(previous);
    return outcome;
}

int modeOf(const QString& path) {
    std::error_code error;
    const auto status = std::filesystem::status(QFile::encodeName(path).toStdString(), error);
    return error || !std::filesystem::exists(status) ? -1 : static_cast<int>(status.permissions()) & 0777;
}

} // namespace

class ProgramStartTest : public QObject {
    Q_OBJECT

private slots:
    void theStartDirectoryDecidesTheRepertory() {
        QTemporaryDir directory;
        // A one-line language file renames the first chapter of the built-in repertory only.
        writeFile(directory.filePath(QStringLiteral("velmar.lang")), "GEIST\r\n");
        const int builtinRubrics = std::get<RepertoryDatabase>(loadBuiltinRepertory()).rubricCount();
        PresetMessageBoxes messages;
        MemorySettingsStore store;
        store.writeString(kProgramKey, QStringLiteral("Praxisordner"), directory.path());
        store.writeString(kProgramKey, QStringLiteral("Repertorium"), QStringLiteral("eingebaut"));

        // Absent: the built-in repertory with its language file, the usual title.
        StartOutcome absent = startIn(directory.path(), store, messages);
        QCOMPARE(absent.exitCode, 0);
        QCOMPARE(absent.rubricCount, builtinRubrics);
        QCOMPARE(absent.firstChapter, QStringLiteral("GEIST"));
        QCOMPARE(absent.title, programTitle());
        QVERIFY(messages.shown().empty());

        // Valid: the file's repertory, untranslated, named in the title.
        const QString ownPath = directory.filePath(QStringLiteral("repertorium.dat"));
        writeFile(ownPath, testRepertoryBytes());
        StartOutcome own = startIn(directory.path(), store, messages);
        QCOMPARE(own.rubricCount, 19);
        QCOMPARE(own.firstChapter, QStringLiteral("MIND"));
        QCOMPARE(own.title, programTitle() + QStringLiteral(" - ") + QDir::toNativeSeparators(ownPath));
        QVERIFY(messages.shown().empty());

        // Damaged: the loader's reason, then the built-in repertory.
        writeFile(ownPath, QByteArray(64, '\x7f'));
        StartOutcome damaged = startIn(directory.path(), store, messages);
        QCOMPARE(damaged.exitCode, 0);
        QCOMPARE(damaged.rubricCount, builtinRubrics);
        QCOMPARE(damaged.title, programTitle());
        QCOMPARE(messages.shown().size(), std::size_t{1});
        const QString text = messages.shown().front().text;
        QCOMPARE(messages.shown().front().kind, MessageKind::Warning);
        QVERIFY2(text.contains(QStringLiteral("beschädigt: unzulässige Zahl der Kapitel")), qPrintable(text));
        QVERIFY(text.endsWith(QStringLiteral("Es wird das eingebaute Repertorium verwendet.")));
    }

    void withNothingChosenTheGermanKentIsUsed() {
        QTemporaryDir directory;
        PresetMessageBoxes messages;
        MemorySettingsStore store;
        store.writeString(kProgramKey, QStringLiteral("Praxisordner"), directory.path());
        const QString kentTitle =
            programTitle() + QStringLiteral(" - Kent, Homöopathisches Repertorium (deutsch)");

        StartOutcome kent = startIn(directory.path(), store, messages);
        QCOMPARE(kent.rubricCount, 68738);
        QCOMPARE(kent.firstRubric, QStringLiteral("Gemüt"));
        QCOMPARE(kent.title, kentTitle);
        QVERIFY(messages.shown().empty());

        // A chosen file that is missing is reported, and the next rule gives the Kent again.
        const QString missing = directory.filePath(QStringLiteral("boericke.dat"));
        store.writeString(kProgramKey, QStringLiteral("Repertorium"), missing);
        StartOutcome fallback = startIn(directory.path(), store, messages);
        QCOMPARE(fallback.title, kentTitle);
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QVERIFY(messages.shown().front().text.contains(QStringLiteral("boericke.dat")));
        QVERIFY(messages.shown().front().text.endsWith(
            QStringLiteral("Es wird das Repertorium „Kent, Homöopathisches Repertorium "
                           "(deutsch)“ verwendet.")));
    }

    // As from the desktop menu: an empty home folder and no settings. The program asks once with
    // the real dialog, makes "Telvarin" in the documents for this user alone, and asks nothing the
    // next time; nothing is written into the home folder itself.
    void theFirstStartAsksOnceWhereTheRecordsLive() {
        QTemporaryDir home;
        const QByteArray previousHome = qgetenv("HOME");
        const QByteArray previousConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        const QString expected = home.filePath(QStringLiteral("Documents/Telvarin"));
        PresetMessageBoxes messages;
        MemorySettingsStore store;
        store.writeString(kProgramKey, QStringLiteral("Repertorium"), QStringLiteral("eingebaut"));

        QString proposed;
        QTimer accept;
        QObject::connect(&accept, &QTimer::timeout, [&proposed] {
            if (auto* dialog = qobject_cast<PracticeFolderDialog*>(QApplication::activeModalWidget())) {
                proposed = dialog->folderField()->text();
                QTest::keyClick(dialog, Qt::Key_Return);
            }
        });
        accept.start(20);
        const StartOutcome first = startIn(home.path(), store, messages);
        QCOMPARE(proposed, QDir::toNativeSeparators(expected));
        QVERIFY(first.shown);
        QCOMPARE(first.historyPath, expected + QStringLiteral("/historie.xml"));
        QCOMPARE(store.readString(kProgramKey, QStringLiteral("Praxisordner")),
                 QDir::toNativeSeparators(expected));
        QCOMPARE(modeOf(expected), 0700);
        QCOMPARE(modeOf(home.filePath(QStringLiteral("Documents"))), 0700);
        QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("Documents")});

        proposed.clear();
        const StartOutcome second = startIn(home.path(), store, messages);
        QVERIFY(proposed.isEmpty());
        QCOMPARE(second.historyPath, first.historyPath);

        // Quitting at the question starts nothing and stores nothing.
        MemorySettingsStore fresh;
        PresetQuestions quit;
        quit.firstFolders = {QString()};
        const StartOutcome quitted = startIn(home.path(), fresh, messages, &quit);
        QCOMPARE(quitted.exitCode, 0);
        QVERIFY(!quitted.shown);
        QVERIFY(fresh.readString(kProgramKey, QStringLiteral("Praxisordner")).isEmpty());
        QVERIFY(messages.shown().empty());
        qputenv("HOME", previousHome);
        qputenv("XDG_CONFIG_HOME", previousConfig);
    }

    void theFirstStartDialogTakesAnotherFolderOrQuits() {
        QStringList startedAt;
        PracticeFolderDialog dialog(QStringLiteral("/home/anna/Dokumente/Telvarin"),
                                    [&](const QString& start) {
                                        startedAt << start;
                                        return std::optional<QString>(QStringLiteral("/srv/praxis"));
                                    });
        dialog.show();
        QCOMPARE(dialog.otherFolderButton()->text(), QStringLiteral("Anderer Ordner…"));
        QTest::mouseClick(dialog.otherFolderButton(), Qt::LeftButton);
        QCOMPARE(startedAt, QStringList{QStringLiteral("/home/anna/Dokumente/Telvarin")});
        QCOMPARE(dialog.folder(), QStringLiteral("/srv/praxis"));
        QTest::mouseClick(dialog.quitButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void anUnusablePracticeFolderIsNamedAndNothingGoesElsewhere() {
        QTemporaryDir base;
        const QString unmounted = base.filePath(QStringLiteral("Netz/Praxis"));
        const QString other = base.filePath(QStringLiteral("Anderer"));
        QVERIFY(QDir().mkpath(other));
        PresetMessageBoxes messages;
        MemorySettingsStore store;
        store.writeString(kProgramKey, QStringLiteral("Repertorium"), QStringLiteral("eingebaut"));
        store.writeString(kProgramKey, QStringLiteral("Praxisordner"), unmounted);

        // Quit: no window, nothing made where the share would be.
        PresetQuestions quit;
        const StartOutcome quitted = startIn(base.path(), store, messages, &quit);
        QVERIFY(!quitted.shown);
        QCOMPARE(quit.asked.size(), 1);
        QVERIFY(quit.asked.front().contains(unmounted));
        QVERIFY(quit.asked.front().contains(QStringLiteral("nicht vorhanden")));
        QVERIFY(!quit.asked.front().endsWith(QStringLiteral("[Trotzdem]")));
        QVERIFY(!QDir(unmounted).exists());

        // Another folder chosen: used and stored; the home folder itself is refused on the way.
        PresetQuestions choose;
        choose.answers = {PracticeFolderQuestions::Answer::ChooseAnother,
                          PracticeFolderQuestions::Answer::ChooseAnother};
        choose.chosenFolders = {QDir::homePath(), other};
        const StartOutcome chosen = startIn(base.path(), store, messages, &choose);
        QVERIFY(chosen.shown);
        QCOMPARE(chosen.historyPath, other + QStringLiteral("/historie.xml"));
        QCOMPARE(choose.asked.size(), 2);
        QVERIFY(choose.asked[1].contains(QStringLiteral("persönliche Ordner")));
        QCOMPARE(store.readString(kProgramKey, QStringLiteral("Praxisordner")),
                 QDir::toNativeSeparators(other));

        // A damaged history may be started with anyway: the history window offers its backup.
        writeFile(other + QStringLiteral("/historie.xml"), "<Fallhistorie kaputt");
        PresetQuestions anyway;
        anyway.answers = {PracticeFolderQuestions::Answer::Continue};
        const StartOutcome damaged = startIn(base.path(), store, messages, &anyway);
        QVERIFY(damaged.shown);
        QVERIFY(anyway.asked.front().endsWith(QStringLiteral("[Trotzdem]")));
    }
};

QTEST_MAIN(ProgramStartTest)
#include "ProgramStartTest.moc"
