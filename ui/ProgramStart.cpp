#include "ui/ProgramStart.h"

#include "data/BuiltinRepertory.h"
#include "foundation/dialogs/DialogBase.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/files/FileKind.h"
#include "foundation/text/QtCodePage.h"
#include "history/HistoryOperations.h"
#include "ui/CaseInputWindow.h"
#include "ui/SplashWindow.h"
#include "ui/StartupMessages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <optional>

namespace telvarin {

void registerProgramIdentity() {
    QCoreApplication::setOrganizationName(QStringLiteral("Kesto"));
    QCoreApplication::setApplicationName(QStringLiteral("OrvandWCE"));
}

QString historyPathOfStartDirectory(const QString& startDirectory) {
    // The path is handed to the file functions as the file system spells it.
    const std::string directory = QFile::encodeName(startDirectory).toStdString();
    return QFile::decodeName(QByteArray::fromStdString(historyPathFor(directory, '/')));
}

namespace {

// The start directory's own repertory file when there is a usable one. A damaged one is reported
// with the loader's reason; the run then goes on with the built-in repertory.
std::optional<RepertoryDatabase> loadOwnRepertory(const QString& path, MessageBoxes& messages) {
    const std::string fileName = QFile::encodeName(path).toStdString();
    if (fileKindOf(fileName) == FileKind::Missing)
        return std::nullopt;
    RepertoryLoadResult loaded = RepertoryDatabase::fromFile(fileName);
    if (const auto* error = std::get_if<RepertoryLoadError>(&loaded)) {
        messages.warn(nullptr, ownRepertoryUnusableText(path, fromWindows1252(error->message)));
        return std::nullopt;
    }
    return std::get<RepertoryDatabase>(std::move(loaded));
}

} // namespace

int runProgram(SettingsStore& store, MessageBoxes& messages, const ProgramStartHooks& hooks) {
    {
        SplashWindow splash(store);
        splash.exec();
    }
    const QString startDirectory = QDir::currentPath();
    const QString historyPath = historyPathOfStartDirectory(startDirectory);
    const QString ownPath = QDir(startDirectory).filePath(QString::fromLatin1(kOwnRepertoryFileName));

    std::optional<RepertoryDatabase> own = loadOwnRepertory(ownPath, messages);
    RepertoryLoadResult loaded = own ? RepertoryLoadResult(std::move(*own))
                                     : (hooks.loadRepertory ? hooks.loadRepertory() : loadBuiltinRepertory());
    if (const auto* error = std::get_if<RepertoryLoadError>(&loaded)) {
        messages.reportError(nullptr, repertoryUnusableText(fromWindows1252(error->message)));
        return 1;
    }
    CaseInputWindow window(std::move(std::get<RepertoryDatabase>(loaded)), historyPath,
                           DialogServices{&store, nullptr, &messages}, nullptr,
                           own ? QDir::toNativeSeparators(ownPath) : QString());
    window.show();
    if (hooks.whenReady)
        QTimer::singleShot(0, &window, [&window, &hooks] { hooks.whenReady(window); });
    window.exec();
    return 0;
}

} // namespace telvarin
