#include "history/HistoryFile.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/Utf8Paths.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/Tokenizer.h"
#include "history/ExportFile.h"
#include "history/FileTokenizer.h"
#include "history/HistoryBackup.h"
#include "history/HistoryReader.h"
#include "history/HistoryWriter.h"
#include "history/PracticeFolder.h"

#include <cerrno>
#include <filesystem>
#include <new>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

// Missing, or there but without a byte: the ordinary state before the first case is filed.
bool isMissingOrEmpty(const std::string& path) {
    const FileKind kind = fileKindOf(path); // a link whose target is missing is not missing itself
    if (kind == FileKind::Missing)
        return true;
    std::error_code ec;
    return kind == FileKind::Regular && fs::file_size(pathFromUtf8(path), ec) == 0 && !ec;
}

std::string notRegularMessage(const std::string& path, std::string_view kind) {
    return "Die Datei \"" + utf8ToWindows1252(path) + "\" ist " + std::string(kind) +
           ", keine gew\xF6hnliche Datei; sie wird weder gelesen noch \xFC"
           "berschrieben.";
}

// Appended piece by piece: g++ 12 warns falsely (-Wrestrict) about "\"" + std::string(...).
std::string quotedPath(const std::string& path) {
    std::string quoted = "\"";
    quoted.append(utf8ToWindows1252(path)).append("\"");
    return quoted;
}

// The history the user named may be a link to where it is kept.
ReplaceOptions followingLink() {
    ReplaceOptions options;
    options.followLink = true;
    return options;
}

HistorySaveResult writeHistoryText(const CaseHistory& history, const std::string& path,
                                   const FileSystemCalls& calls,
                                   const ReplaceOptions& options = followingLink()) {
    errno = 0;
    const ReplaceResult written = replaceFile(path, composeHistoryText(history), calls, options);
    // The failed call's error number is still set: what runs after it only succeeds or leaves it.
    const int error = errno;
    switch (written.status) {
    case ReplaceStatus::Replaced:
        return {};
    case ReplaceStatus::WrittenInPlace:
        return {HistorySaveStatus::Saved, quotedPath(path) + ": " + written.note};
    case ReplaceStatus::NotRegular:
        return {HistorySaveStatus::WriteFailed, notRegularMessage(path, written.note)};
    case ReplaceStatus::NoCopyForInPlace:
        return {HistorySaveStatus::WriteFailed, noCopyForInPlaceMessage(path, written.note)};
    case ReplaceStatus::Failed:
        break;
    }
    // A read-only share or a full disk: say so, rather than only that it failed.
    std::string message = historyWriteFailedMessage(path);
    if (const std::string why = folderWriteProblem(utf8FromPath(pathFromUtf8(path).parent_path()));
        !why.empty())
        message += " " + why;
    else if (error != 0)
        message += " " + writeFailureReason(error);
    return {HistorySaveStatus::WriteFailed, message};
}

// Where the history can only be written in place, a crash in the middle would tear it; so its whole
// new content goes into a copy in "Sicherungen" first.
ReplaceOptions historyReplaceOptions(const std::string& path) {
    ReplaceOptions options = followingLink();
    options.copyBeforeWritingInPlace = [path]() -> std::optional<std::string> {
        if (!prepareBackupFolder(path))
            return std::nullopt;
        return writeCopyPathFor(path);
    };
    return options;
}

} // namespace

std::string noCopyForInPlaceMessage(const std::string& path, std::string_view copyKind) {
    std::string message =
        "Die Fallhistorie " + quotedPath(path) +
        " kann in ihrem Ordner nur direkt \xFC"
        "berschrieben werden. Damit ein Absturz dabei nichts zerst\xF6ren kann, wird zuerst eine "
        "vollst\xE4ndige Kopie in " +
        quotedPath(backupFolderFor(path)) + " gespeichert; das ist nicht m\xF6glich.";
    if (!copyKind.empty())
        message += " An der Stelle der Kopie, " + quotedPath(writeCopyPathFor(path)) + ", steht " +
                   std::string(copyKind) + "; sie wird nicht ge\xF6" + "ffnet.";
    else if (const std::string why = folderWriteProblem(backupFolderFor(path)); !why.empty())
        message += " " + why;
    return message + " Die Fallhistorie ist unver\xE4ndert.";
}

bool isSameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    const fs::path first = pathFromUtf8(a);
    const fs::path second = pathFromUtf8(b);
    if (fs::equivalent(first, second, ec))
        return true;
    return fs::weakly_canonical(first, ec) == fs::weakly_canonical(second, ec);
}

std::string unreadableHistoryMessage(const std::string& path) {
    std::string message = "Die Fallhistorie \"" + utf8ToWindows1252(path) +
                          "\" konnte nicht gelesen werden. Sie wurde nicht ver\xE4"
                          "ndert, damit die darin abgelegten F\xE4"
                          "lle erhalten bleiben.";
    const std::optional<HistoryBackup> backup = backupToRestore(path);
    if (backup && backup->kind == BackupKind::InterruptedSave)
        message += " Das Speichern am " + backup->date +
                   " wurde unterbrochen; der vollst\xE4ndige neue Stand "
                   "liegt in " +
                   quotedPath(backup->path) + ". Das Fenster \"Fallhistorie\" kann ihn wiederherstellen.";
    else if (backup)
        message += " Die neueste Sicherung ist " + quotedPath(backup->path) + " vom " + backup->date +
                   "; das Fenster \"Fallhistorie\" kann sie wiederherstellen.";
    return message;
}

std::string historyWriteFailedMessage(const std::string& path) {
    return "Die Fallhistorie \"" + utf8ToWindows1252(path) +
           "\" konnte nicht geschrieben werden. Die bisherige Datei ist unver\xE4"
           "ndert.";
}

CaseHistory loadHistory(const std::string& path, ErrorReporter* reporter) {
    CaseHistory history;
    history.path = path;
    if (isMissingOrEmpty(path))
        return history;
    // A FIFO would block the reader, a device feed it without end.
    if (const FileKind kind = fileKindOf(path); kind != FileKind::Regular) {
        history.unreadable = true;
        if (reporter != nullptr)
            reporter->showError(Windows1252View(notRegularMessage(path, fileKindText(kind))));
        return history;
    }
    try {
        Tokenizer tokenizer = tokenizerForFile(path, {}, historyOperatorTable());
        history.cases = readHistoryCases(tokenizer);
        history.loaded = true;
    } catch (const UnreadableFileError&) {
        history.unreadable = true;
    } catch (TokenizerError& error) {
        history.unreadable = true;
        if (reporter != nullptr)
            error.report(*reporter);
    } catch (const std::bad_alloc&) {
        history.unreadable = true;
    }
    return history;
}

HistorySaveResult saveHistory(const CaseHistory& history, const FileSystemCalls& calls) {
    if (history.unreadable)
        return {HistorySaveStatus::Refused, unreadableHistoryMessage(history.path)};
    const HistorySaveResult saved =
        writeHistoryText(history, history.path, calls, historyReplaceOptions(history.path));
    // A copy left by a save interrupted before it wrote in place is older than what the file
    // holds now; it must not be offered later as the newest state.
    if (saved.saved()) {
        std::error_code ec;
        fs::remove(pathFromUtf8(writeCopyPathFor(history.path)), ec);
    }
    return saved;
}

HistorySaveResult saveHistoryAs(const CaseHistory& history, const std::string& path,
                                const FileSystemCalls& calls) {
    if (history.unreadable && isSameFile(path, history.path))
        return {HistorySaveStatus::Refused, unreadableHistoryMessage(history.path)};
    return writeHistoryText(history, path, calls);
}

} // namespace telvarin
