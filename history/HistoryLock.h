#pragma once

// An exclusive lock on the history file between windows, between running copies of the program
// and between workstations on a shared folder: a lock file beside the history, created only when
// none exists. It names its holder (process, program, computer), so that the lock a crashed
// program left behind is recognised as stale and taken over.

#include "foundation/files/LockFiles.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace telvarin {

inline constexpr std::chrono::milliseconds kHistoryLockTimeout{5000};
// A lock of another computer, whose process cannot be asked, counts as stale after this long
// without change; nothing holds the lock longer than one read and one save.
inline constexpr std::chrono::seconds kForeignLockStaleAge{60};

struct LockHolder {
    long pid = 0;
    std::string program;
    std::string host;
};

// "historie.xml.lock" beside the file a link points to.
std::string historyLockPath(const std::string& historyPath);

class HistoryLock {
public:
    struct Busy {
        std::string message; // German, Windows-1252: who holds the lock, nothing was changed
    };
    using Result = std::variant<HistoryLock, Busy>;

    // Tries until timeout. waiting is called once when the lock is not free at the first try.
    // A folder where no lock file can be created (write-protected, with a history that may be
    // written) is locked with a record lock on the history file instead.
    static Result acquire(const std::string& historyPath,
                          std::chrono::milliseconds timeout = kHistoryLockTimeout,
                          const std::function<void()>& waiting = {});

    HistoryLock(HistoryLock&& other) noexcept;
    HistoryLock& operator=(HistoryLock&&) = delete;
    HistoryLock(const HistoryLock&) = delete;
    ~HistoryLock();

private:
    HistoryLock() = default;

    std::string lockPath_; // empty when the record lock is used
    FileIdentity lockFile_;
    std::optional<RecordLock> recordLock_;
};

// The holder a lock file names, when it names one.
std::optional<LockHolder> parseLockHolder(const std::string& content);
std::string lockFileContent(const LockHolder& holder);

} // namespace telvarin
