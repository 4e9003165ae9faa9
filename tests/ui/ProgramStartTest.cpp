// Which repertory the program starts with: the start directory's own "repertorium.dat" when it is
// valid, the built-in one when it is absent or damaged (then with a message).

#include "ui/ProgramStart.h"

#include "data/BuiltinRepertory.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/settings/SettingsStore.h"
#include "repertory/RepertorySource.h"
#include "ui/CaseInputWindow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

using namespace telvarin;

namespace {

struct StartOutcome {
    int exitCode = -1;
    QString title;
    int rubricCount = 0;
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

// Starts the program in the directory and closes the case input window as soon as it is shown.
StartOutcome startIn(const QString& directory, PresetMessageBoxes& messages) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(directory);
    MemorySettingsStore store;
    store.writeInt(QString(), QStringLiteral("Startverz\u00f6gerung"), 0);
    StartOutcome outcome;
    ProgramStartHooks hooks;
    hooks.whenReady = [&outcome](CaseInputWindow& window) {
        outcome.title = window.windowTitle();
        outcome.rubricCount = window.database().rubricCount();
        outcome.firstChapter = QString::fromLatin1(window.database().chapterName(0));
        window.done(0);
    };
    outcome.exitCode = runProgram(store, messages, hooks);
    QDir::setCurrent(previous);
    return outcome;
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

        // Absent: the built-in repertory with its language file, the usual title.
        StartOutcome absent = startIn(directory.path(), messages);
        QCOMPARE(absent.exitCode, 0);
        QCOMPARE(absent.rubricCount, builtinRubrics);
        QCOMPARE(absent.firstChapter, QStringLiteral("GEIST"));
        QCOMPARE(absent.title, programTitle());
        QVERIFY(messages.shown().empty());

        // Valid: the file's repertory, untranslated, named in the title.
        const QString ownPath = directory.filePath(QStringLiteral("repertorium.dat"));
        writeFile(ownPath, testRepertoryBytes());
        StartOutcome own = startIn(directory.path(), messages);
        QCOMPARE(own.rubricCount, 19);
        QCOMPARE(own.firstChapter, QStringLiteral("MIND"));
        QCOMPARE(own.title, programTitle() + QStringLiteral(" - ") + QDir::toNativeSeparators(ownPath));
        QVERIFY(messages.shown().empty());

        // Damaged: the loader's reason, then the built-in repertory.
        writeFile(ownPath, QByteArray(64, '\x7f'));
        StartOutcome damaged = startIn(directory.path(), messages);
        QCOMPARE(damaged.exitCode, 0);
        QCOMPARE(damaged.rubricCount, builtinRubrics);
        QCOMPARE(damaged.title, programTitle());
        QCOMPARE(messages.shown().size(), std::size_t{1});
        const QString text = messages.shown().front().text;
        QCOMPARE(messages.shown().front().kind, MessageKind::Warning);
        QVERIFY2(text.contains(QStringLiteral("besch\u00e4digt: unzul\u00e4ssige Zahl der Kapitel")),
                 qPrintable(text));
        QVERIFY(text.endsWith(QStringLiteral("Es wird das eingebaute Repertorium verwendet.")));
    }
};

QTEST_MAIN(ProgramStartTest)
#include "ProgramStartTest.moc"
