#pragma once

// An exclusive lock on the history file between windows, between running copies of the program
// and between workstations on a shared folder. The lock file "historie.xml.lock" beside the
// history stays in place; the system holds the lock on it for the program and gives it up when the
// program ends, however it ends, so no crash leaves a lock behind and nothing is judged stale. What
// the lock file holds names its holder, only for the message of those who wait.
//
// A lock file that is a link, has a second name or is no regular file is never opened: nothing
// is changed until it is removed. Where no lock file can be made or written (a folder that allows
// no new files, a lock file that this user may not write), the history file itself is locked. So that such a
// program and one with the lock file exclude each other, the holder of the lock file locks the
// history file too. Not on Windows, which replaces no file that is held open: there only
// programs that can use the lock file exclude each other.

#include "foundation/files/LockFiles.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace telvarin {

inline constexpr std::chrono::milliseconds kHistoryLockTimeout{5000};

struct LockHolder {
    long pid = 0;
    std::string program;
    std::string host;
    std::string user; // empty when not known
};

// "historie.xml.lock" beside the file a link points to.
std::string historyLockPath(const std::string& historyPath);

class HistoryLock {
public:
    struct Busy {
        // German, Windows-1252: who holds the lock, or why the lock file cannot be used; nothing
        // was changed.
        std::string message;
    };
    using Result = std::variant<HistoryLock, Busy>;

    // Tries until timeout. waiting is called once when the lock is not free at the first try.
    // Where there is nothing to lock (no lock file can be had and there is no history file that
    // could be written), the lock is given at once: the save that follows says why it fails.
    static Result acquire(const std::string& historyPath,
                          std::chrono::milliseconds timeout = kHistoryLockTimeout,
                          const std::function<void()>& waiting = {});

    // A shared lock for reading: readers do not exclude each other, but no writer is in the middle
    // of a write in place while it is held. Where there is nothing to lock (no history file, or
    // none this user may open) it is given at once: the read that follows says why it fails.
    static Result acquireShared(const std::string& historyPath,
                                std::chrono::milliseconds timeout = kHistoryLockTimeout);

    HistoryLock(HistoryLock&& other) noexcept
        : lockFile_(std::move(other.lockFile_)), historyFile_(std::move(other.historyFile_)),
          namesHolder_(std::exchange(other.namesHolder_, false)) {}
    HistoryLock& operator=(HistoryLock&&) = delete;
    HistoryLock(const HistoryLock&) = delete;
    ~HistoryLock();

private:
    HistoryLock() = default;

    std::optional<FileLock> lockFile_;
    std::optional<FileLock> historyFile_;
    bool namesHolder_ = false; // the lock file names this program, which holds it
};

// The holder a lock file names, when it names one.
std::optional<LockHolder> parseLockHolder(const std::string& content);
std::string lockFileContent(const LockHolder& holder);

} // namespace telvarin
