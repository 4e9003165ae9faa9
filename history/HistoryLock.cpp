#include "history/HistoryLock.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/Processes.h"
#include "foundation/files/Utf8Paths.h"
#include "foundation/text/CodePage.h"

#include <filesystem>
#include <sstream>
#include <thread>

namespace telvarin {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kLargestLockContent = 4096;

LockHolder thisProcess() {
    std::string program = currentProgramName();
    return {currentProcessId(), program.empty() ? "telvarin" : program, hostName().value_or("?"),
            currentUserName()};
}

// Who the lock file names, where this user may read it and the holder may still hold it: a holder
// that has ended on this computer holds nothing, whoever holds the lock now could not name
// himself (a program that locks the history file alone, or anyone who merely opened the file).
std::optional<LockHolder> holderNamedIn(const std::string& lockPath) {
    const FileReadResult content = readRegularFile(lockPath, kLargestLockContent);
    const auto* text = std::get_if<std::string>(&content);
    std::optional<LockHolder> holder = text != nullptr ? parseLockHolder(*text) : std::nullopt;
    if (holder && holder->host == hostName() && !processIsRunning(holder->pid))
        return std::nullopt;
    return holder;
}

// A lock file that is a link, a second name of a file or no file at all is not used: opening it
// could write into a file of someone else. A program that takes the history file's lock alone
// would leave the others unguarded, so nothing is changed until it is gone.
std::string unusableLockFileMessage(const std::string& historyPath, const std::string& lockPath) {
    namespace fs = std::filesystem;
    const fs::path lock = pathFromUtf8(lockPath);
    std::error_code ec;
    std::string what;
    if (fs::is_symlink(fs::symlink_status(lock, ec)))
        what = "eine symbolische Verkn\xFCpfung";
    else if (fs::is_regular_file(fs::symlink_status(lock, ec)))
        what = "eine Datei mit einem weiteren Namen (harte Verkn\xFCpfung)";
    else
        what = std::string(fileKindText(fileKindOf(lockPath)));
    return "Die Sperrdatei \"" + utf8ToWindows1252(lockPath) + "\" ist " + what +
           ", keine gew\xF6hnliche Datei; sie wird nicht ge\xF6" +
           "ffnet, damit nichts durch sie in eine andere Datei geschrieben wird. Die Fallhistorie \"" +
           utf8ToWindows1252(historyPath) +
           "\" wurde nicht ge\xE4ndert. Bitte entfernen Sie die Sperrdatei; sie wird dann neu angelegt.";
}

std::string busyMessage(const std::string& historyPath, const std::optional<LockHolder>& holder) {
    std::string message = "Die Fallhistorie \"" + utf8ToWindows1252(historyPath) +
                          "\" wird gerade von einem anderen Programm bearbeitet";
    if (holder) {
        message += " (" + utf8ToWindows1252(holder->program) + ", Prozess " + std::to_string(holder->pid) +
                   " auf " + utf8ToWindows1252(holder->host);
        if (!holder->user.empty())
            message += ", Benutzer " + utf8ToWindows1252(holder->user);
        message += ")";
    }
    return message + ". Es wurde nichts ge\xE4ndert; bitte versuchen Sie es gleich noch einmal.";
}

} // namespace

std::string historyLockPath(const std::string& historyPath) {
    return resolvedPath(historyPath) + ".lock";
}

std::string lockFileContent(const LockHolder& holder) {
    return std::to_string(holder.pid) + '\n' + holder.program + '\n' + holder.host + '\n' + holder.user +
           '\n';
}

std::optional<LockHolder> parseLockHolder(const std::string& content) {
    std::istringstream in(content);
    std::string pid;
    LockHolder holder;
    if (!std::getline(in, pid) || !std::getline(in, holder.program) || !std::getline(in, holder.host))
        return std::nullopt;
    std::getline(in, holder.user); // written since the lock is the system's
    try {
        std::size_t used = 0;
        holder.pid = std::stol(pid, &used);
        if (used != pid.size())
            return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return holder;
}

// Once let go, the lock file names no one: whoever waits next is not sent to a program that runs
// on without the lock.
HistoryLock::~HistoryLock() {
    if (namesHolder_ && lockFile_)
        lockFile_->setContent({});
}

HistoryLock::Result HistoryLock::acquire(const std::string& historyPath, std::chrono::milliseconds timeout,
                                         const std::function<void()>& waiting) {
    const std::string target = resolvedPath(historyPath);
    const std::string lockPath = historyLockPath(historyPath);
    const auto deadline = Clock::now() + timeout;
    // Short pauses: a holder that files again at once (a script, a busy second workstation) would
    // otherwise get the lock back before a waiter woke up from a longer one, again and again.
    constexpr auto pause = std::chrono::milliseconds(3);

    HistoryLock lock;
    auto opened = FileLock::openLockFile(lockPath, target);
    if (auto* file = std::get_if<FileLock>(&opened))
        lock.lockFile_ = std::move(*file);
    else if (std::get<LockOpenError>(opened) == LockOpenError::NotRegular)
        return Busy{unusableLockFileMessage(historyPath, lockPath)};
    bool lockFileHeld = !lock.lockFile_;
    bool toldWaiting = false;
    for (;;) {
        if (!lockFileHeld && lock.lockFile_->tryLock() != LockAttempt::Busy) {
            lockFileHeld = true;
            lock.lockFile_->setContent(lockFileContent(thisProcess()));
            lock.namesHolder_ = true;
        }
        // Where a file held open cannot be replaced, holding the history file would keep this
        // program's own save from replacing it: the lock file alone guards it there.
        if (lockFileHeld && lock.lockFile_ && !openFilesCanBeReplaced())
            return lock;
        if (lockFileHeld) {
            if (!lock.historyFile_) {
                // An empty history is the one there was before the first filing; made now, it can
                // be locked by those who cannot use the lock file.
                auto opened = FileLock::openFile(target, true);
                auto* file = std::get_if<FileLock>(&opened);
                if (file == nullptr) // nothing more to lock, and nothing to write: the save says why
                    return lock;
                lock.historyFile_ = std::move(*file);
            }
            const LockAttempt attempt = lock.historyFile_->tryLock();
            if (attempt != LockAttempt::Busy) {
                // The file may have been replaced while this program waited for it: the next
                // round opens the new one.
                if (attempt == LockAttempt::Unsupported || lock.historyFile_->isAt(target))
                    return lock;
                lock.historyFile_.reset();
            }
        }
        if (Clock::now() >= deadline) {
            // Whoever holds the history file alone could not write the lock file either.
            return Busy{busyMessage(historyPath, lockFileHeld ? std::nullopt : holderNamedIn(lockPath))};
        }
        if (!toldWaiting && waiting) {
            waiting();
            toldWaiting = true;
        }
        std::this_thread::sleep_for(pause);
    }
}

HistoryLock::Result HistoryLock::acquireShared(const std::string& historyPath,
                                               std::chrono::milliseconds timeout) {
    const std::string target = resolvedPath(historyPath);
    const std::string lockPath = historyLockPath(historyPath);
    const auto deadline = Clock::now() + timeout;
    constexpr auto pause = std::chrono::milliseconds(3);
    // Every writer holds the history file itself, except where an open file cannot be replaced:
    // there the lock file alone guards it.
    const bool onHistoryFile = openFilesCanBeReplaced();
    const std::string& locked = onHistoryFile ? target : lockPath;
    HistoryLock lock;
    for (;;) {
        auto opened = FileLock::openToRead(locked);
        auto* file = std::get_if<FileLock>(&opened);
        if (file == nullptr)
            return lock;
        const LockAttempt attempt = file->tryLockShared();
        // A history replaced while this reader waited is read as the new file.
        if (attempt != LockAttempt::Busy && (!onHistoryFile || file->isAt(target))) {
            (onHistoryFile ? lock.historyFile_ : lock.lockFile_) = std::move(*file);
            return lock;
        }
        if (Clock::now() >= deadline)
            return Busy{busyMessage(historyPath, holderNamedIn(lockPath))};
        std::this_thread::sleep_for(pause);
    }
}

} // namespace telvarin
