#include "history/HistoryLock.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/Processes.h"
#include "foundation/text/CodePage.h"

#include <filesystem>
#include <sstream>
#include <thread>

namespace telvarin {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A holder that crashed between creating its lock file and writing its name into it.
constexpr std::chrono::seconds kUnnamedLockStaleAge{10};
constexpr std::chrono::seconds kCrashedBreakerAge{10};

LockHolder thisProcess() {
    std::string program = currentProgramName();
    return {currentProcessId(), program.empty() ? "telvarin" : program, hostName().value_or("?")};
}

std::chrono::system_clock::duration ageOf(std::chrono::system_clock::time_point modified) {
    return std::chrono::system_clock::now() - modified;
}

// Whether the process that wrote the lock is gone: on this computer the process table says so; on
// another one only the lock's age can tell.
bool isStale(const std::optional<LockHolder>& holder, std::chrono::system_clock::time_point modified,
             const LockHolder& self) {
    const auto age = ageOf(modified);
    if (!holder) // a holder that crashed while writing its name
        return age > kUnnamedLockStaleAge;
    if (holder->host != self.host)
        return age > kForeignLockStaleAge;
    return !isProcessRunning(holder->pid, holder->program);
}

// What a lock file names and how old it is.
struct LockFileState {
    std::optional<LockHolder> holder;
    std::chrono::system_clock::time_point modified;
};

std::optional<LockFileState> lockFileState(const std::string& lockPath) {
    const std::optional<LockFileContent> content = readLockFile(lockPath);
    if (!content)
        return std::nullopt;
    return LockFileState{parseLockHolder(content->text), content->modified};
}

// Takes a stale lock away. Those who break locks take turns through a second lock file, and the
// lock is judged again while that is held: a stale lock cannot go away meanwhile but by a breaker,
// so the file removed is the one judged, never a fresh lock made after the stale one went.
void breakStaleLock(const std::string& lockPath, const LockHolder& self) {
    const std::string breaker = lockPath + ".break";
    std::error_code ec;
    const auto created = createExclusiveFile(breaker, {});
    if (const auto* error = std::get_if<ExclusiveCreateError>(&created)) {
        if (*error == ExclusiveCreateError::Exists) {
            const auto modified = modificationTimeOf(breaker);
            if (modified && ageOf(*modified) > kCrashedBreakerAge)
                fs::remove(breaker, ec); // a breaker that crashed
        }
        return;
    }
    const std::optional<LockFileState> state = lockFileState(lockPath);
    if (state && isStale(state->holder, state->modified, self))
        fs::remove(lockPath, ec);
    fs::remove(breaker, ec);
}

std::string busyMessage(const std::string& historyPath, const std::optional<LockHolder>& holder) {
    std::string message = "Die Fallhistorie \"" + utf8ToWindows1252(historyPath) +
                          "\" wird gerade von einem anderen Programm bearbeitet";
    if (holder)
        message += " (" + utf8ToWindows1252(holder->program) + ", Prozess " + std::to_string(holder->pid) +
                   " auf " + utf8ToWindows1252(holder->host) + ")";
    return message + ". Es wurde nichts ge\xE4ndert; bitte versuchen Sie es gleich noch einmal.";
}

} // namespace

std::string historyLockPath(const std::string& historyPath) {
    return resolvedPath(historyPath) + ".lock";
}

std::string lockFileContent(const LockHolder& holder) {
    return std::to_string(holder.pid) + '\n' + holder.program + '\n' + holder.host + '\n';
}

std::optional<LockHolder> parseLockHolder(const std::string& content) {
    std::istringstream in(content);
    std::string pid;
    LockHolder holder;
    if (!std::getline(in, pid) || !std::getline(in, holder.program) || !std::getline(in, holder.host))
        return std::nullopt;
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

HistoryLock::Result HistoryLock::acquire(const std::string& historyPath, std::chrono::milliseconds timeout,
                                         const std::function<void()>& waiting) {
    const LockHolder self = thisProcess();
    const std::string content = lockFileContent(self);
    const std::string lockPath = historyLockPath(historyPath);
    const std::string target = resolvedPath(historyPath);
    const auto deadline = Clock::now() + timeout;
    // Short pauses: a holder that files again at once (a script, a busy second workstation) would
    // otherwise get the lock back before a waiter woke up from a longer one, again and again.
    constexpr auto pause = std::chrono::milliseconds(3);
    bool toldWaiting = false;
    std::optional<LockHolder> holder;
    std::optional<RecordLock> record;
    for (;;) {
        if (!record) {
            const auto created = createExclusiveFile(lockPath, content);
            if (const auto* identity = std::get_if<FileIdentity>(&created)) {
                HistoryLock lock;
                lock.lockPath_ = lockPath;
                lock.lockFile_ = *identity;
                return lock;
            }
            switch (std::get<ExclusiveCreateError>(created)) {
            case ExclusiveCreateError::NotWritten:
                break; // removed again: tried anew after the pause
            case ExclusiveCreateError::Exists:
                if (const std::optional<LockFileState> state = lockFileState(lockPath)) {
                    holder = state->holder;
                    if (isStale(holder, state->modified, self)) {
                        breakStaleLock(lockPath, self);
                        continue;
                    }
                }
                break;
            case ExclusiveCreateError::Other:
                // No folder to put a lock into, so no history to contend for: the save says why.
                return HistoryLock();
            case ExclusiveCreateError::NotPermitted:
                record = RecordLock::open(target);
                if (!record) // nothing there to lock, nor to write: the save will say why
                    return HistoryLock();
                break;
            }
        }
        // A file open only for reading cannot carry a write lock; it cannot be saved either,
        // which the save reports.
        if (record && record->tryLock()) {
            HistoryLock lock;
            lock.recordLock_ = std::move(record);
            return lock;
        }
        if (Clock::now() >= deadline)
            return Busy{busyMessage(historyPath, holder)};
        if (!toldWaiting && waiting) {
            waiting();
            toldWaiting = true;
        }
        std::this_thread::sleep_for(pause);
    }
}

HistoryLock::HistoryLock(HistoryLock&& other) noexcept
    : lockPath_(std::move(other.lockPath_)), lockFile_(other.lockFile_),
      recordLock_(std::move(other.recordLock_)) {
    other.lockPath_.clear();
    other.recordLock_.reset();
}

HistoryLock::~HistoryLock() {
    recordLock_.reset();
    // Only the own lock goes: one judged stale and broken by another program is not ours any more.
    if (!lockPath_.empty() && fileIdentityOf(lockPath_) == lockFile_) {
        std::error_code ec;
        fs::remove(lockPath_, ec);
    }
}

} // namespace telvarin
