#include "ui/ProgramStart.h"

#include "data/BuiltinRepertory.h"
#include "foundation/dialogs/DialogBase.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/files/FileKind.h"
#include "foundation/settings/MainSettings.h"
#include "foundation/text/QtCodePage.h"
#include "history/HistoryOperations.h"
#include "history/RepertoryRecord.h"
#include "repertory/RepertoryChoice.h"
#include "ui/CaseInputWindow.h"
#include "ui/PracticeFolderDialog.h"
#include "ui/RepertoryPlaces.h"
#include "ui/SplashWindow.h"
#include "ui/StartupMessages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <optional>

namespace telvarin {

void registerProgramIdentity() {
    QCoreApplication::setOrganizationName(QStringLiteral("Kesto"));
    QCoreApplication::setApplicationName(QStringLiteral("OrvandWCE"));
}

QString historyPathOfStartDirectory(const QString& startDirectory) {
    // The core's file functions take the path as UTF-8.
    const std::string directory = toFilePath(startDirectory);
    return fromFilePath(historyPathFor(directory, '/'));
}

namespace {

std::string fileName(const QString& path) {
    return toFilePath(path);
}

QString pathText(const std::string& path) {
    return QDir::toNativeSeparators(fromFilePath(path));
}

// The files that could not be used, each with the loader's reason and what is used instead.
void reportUnusable(const RepertoryChoice& choice, MessageBoxes& messages) {
    const bool builtin = choice.chosen->candidate.origin == RepertoryOrigin::Builtin;
    const QString used = describeRepertory(choice.chosen->info, choice.chosen->candidate.path).name;
    for (const UnusableRepertory& unusable : choice.unusable)
        messages.warn(nullptr,
                      ownRepertoryUnusableText(pathText(unusable.candidate.path),
                                               fromWindows1252(unusable.reason), builtin ? QString() : used));
}

// Taken before the language file replaces any text of the repertory.
RepertoryIdentity identityOf(const ChosenRepertory& chosen) {
    return repertoryIdentity(chosen.database, chosen.info, chosen.candidate.path);
}

RepertoryIdentity builtinIdentity(const ChosenRepertory& chosen) {
    if (chosen.candidate.origin == RepertoryOrigin::Builtin)
        return identityOf(chosen);
    const RepertoryLoadResult builtin = RepertoryDatabase::fromBytes(builtinRepertoryBytes());
    if (const auto* db = std::get_if<RepertoryDatabase>(&builtin))
        return builtinRepertoryIdentity(*db);
    return {};
}

} // namespace

int runProgram(SettingsStore& store, MessageBoxes& messages, const ProgramStartHooks& hooks) {
    {
        SplashWindow splash(store);
        splash.exec();
    }
    ScreenPracticeFolderQuestions screenQuestions;
    const std::optional<QString> practiceFolder = settlePracticeFolder(
        QDir::currentPath(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        QDir::homePath(), store, hooks.practiceFolder != nullptr ? *hooks.practiceFolder : screenQuestions);
    if (!practiceFolder)
        return 0;
    // A start folder with a history of its own keeps working there, as it does without a server.
    const bool ownHistoryHere = QFileInfo::exists(historyPathOfStartDirectory(QDir::currentPath()));
    const QString historyPath = historyLocation(
        *practiceFolder, ownHistoryHere ? QString() : readTextSetting(store, Setting::PracticeServer));

    const RepertoryPlaces places{fileName(*practiceFolder),
                                 fileName(readTextSetting(store, Setting::Repertory)),
                                 shippedRepertoryFiles()};
    RepertoryChoice choice =
        chooseRepertory(repertoryCandidates(places),
                        hooks.loadRepertory ? hooks.loadRepertory
                                            : std::function<RepertoryLoadResult()>(loadBuiltinRepertory));
    if (!choice.chosen) {
        messages.reportError(nullptr, repertoryUnusableText(fromWindows1252(choice.unusable.back().reason)));
        return 1;
    }
    reportUnusable(choice, messages);
    const ProgramRepertories repertories{identityOf(*choice.chosen), builtinIdentity(*choice.chosen)};
    const RepertoryDescription described =
        describeRepertory(choice.chosen->info, choice.chosen->candidate.path);

    CaseInputWindow window(std::move(choice.chosen->database), historyPath,
                           DialogServices{&store, nullptr, &messages, &repertories}, nullptr, described);
    window.show();
    if (hooks.whenReady)
        QTimer::singleShot(0, &window, [&window, &hooks] { hooks.whenReady(window); });
    window.exec();
    return 0;
}

} // namespace telvarin
