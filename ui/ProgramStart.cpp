#include "ui/ProgramStart.h"

#include "data/BuiltinRepertory.h"
#include "foundation/DialogBase.h"
#include "foundation/MessageBoxes.h"
#include "foundation/QtCodePage.h"
#include "history/HistoryOperations.h"
#include "ui/CaseInputWindow.h"
#include "ui/SplashWindow.h"
#include "ui/StartupMessages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

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

int runProgram(SettingsStore& store, MessageBoxes& messages, const ProgramStartHooks& hooks) {
    {
        SplashWindow splash(store);
        splash.exec();
    }
    const QString historyPath = historyPathOfStartDirectory(QDir::currentPath());

    RepertoryLoadResult loaded = hooks.loadRepertory ? hooks.loadRepertory() : loadBuiltinRepertory();
    if (const auto* error = std::get_if<RepertoryLoadError>(&loaded)) {
        messages.reportError(nullptr, repertoryUnusableText(fromWindows1252(error->message)));
        return 1;
    }
    CaseInputWindow window(std::move(std::get<RepertoryDatabase>(loaded)), historyPath,
                           DialogServices{&store, nullptr, &messages});
    window.show();
    if (hooks.whenReady)
        QTimer::singleShot(0, &window, [&window, &hooks] { hooks.whenReady(window); });
    window.exec();
    return 0;
}

} // namespace telvarin
