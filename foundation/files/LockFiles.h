#pragma once

// What locking a file between programs needs of the system: a lock file created only when none
// exists, what it holds and how old it is, and a record lock on the file itself.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace telvarin {

// Which file stands at a path, to tell whether it is still the one created there.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> fileIdentityOf(const std::string& path);
std::optional<std::chrono::system_clock::time_point> modificationTimeOf(const std::string& path);

enum class ExclusiveCreateError {
    Exists,       // something stands at the path already
    NotPermitted, // the folder allows no new file
    NotWritten,   // created, but the content could not be written; removed again
    Other,        // no folder, no room, ...
};

// Creates the file with its content only when nothing stands at the path; the new file's identity.
std::variant<FileIdentity, ExclusiveCreateError> createExclusiveFile(const std::string& path,
                                                                     std::string_view content);

struct LockFileContent {
    std::string text; // its first 4096 bytes at most
    std::chrono::system_clock::time_point modified;
};

// What a regular file holds and when it was last changed, read through one opening so that both
// belong to the same file: one lock may go and the next come between two looks at the path.
std::optional<LockFileContent> readLockFile(const std::string& path);

// A record lock on a whole file, held until the RecordLock goes.
class RecordLock {
public:
    // The file opened for writing, or for reading where it may not be written; nothing when it
    // cannot be opened at all.
    static std::optional<RecordLock> open(const std::string& path);

    RecordLock(RecordLock&& other) noexcept;
    RecordLock& operator=(RecordLock&& other) noexcept;
    RecordLock(const RecordLock&) = delete;
    RecordLock& operator=(const RecordLock&) = delete;
    ~RecordLock();

    // Tries once to lock the whole file for writing. True when the lock is held, and also when the
    // file cannot carry one (opened only for reading, no record locks on its disk): then there is
    // nothing to wait for.
    bool tryLock();

private:
    explicit RecordLock(int handle) : handle_(handle) {}

    int handle_ = -1; // the system's handle of the open file
};

} // namespace telvarin
