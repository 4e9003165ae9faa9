#pragma once

// Locks between programs that the system holds for an open file and gives up when the file is
// closed or the program ends, however it ends: a crash leaves no lock behind, so there is nothing
// to judge stale. A lock belongs to the open file, not to the process: closing another handle of
// the same file keeps it, and two openings in one process exclude each other. On POSIX these are
// open-file-description locks, which network drives carry as byte-range locks; on Windows,
// LockFileEx.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace telvarin {

// Which file stands at a path, to tell whether it is still the one opened there.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> fileIdentityOf(const std::string& path);
std::optional<std::chrono::system_clock::time_point> modificationTimeOf(const std::string& path);

enum class LockOpenError {
    Missing,      // nothing at the path (and it was not to be created)
    NotRegular,   // a folder, a FIFO, a device, a dangling link stands at the path
    NotPermitted, // the file may not be written, or the folder allows no new file
    Other,        // no folder, no room, ...
};

enum class LockAttempt {
    Locked,
    Busy,        // another opening holds it
    Unsupported, // the file's disk carries no locks: there is nothing to wait for
};

// A file opened to be locked as a whole, exclusively or shared; the lock goes with the FileLock.
class FileLock {
public:
    // A lock file that stays in place: opened, or created when nothing is there, with the group
    // and mode of accessModel (the file the lock guards) so that everyone who may change that file
    // can take the lock; while accessModel is missing, for this user alone. An existing lock file
    // of this user gets that group and mode too; in a group folder (see isGroupFolder) the folder's
    // group, read and write for it alone. Never readable for others, who could otherwise keep a
    // lock on it. A link, or a file with a second name, is NotRegular: no link is followed.
    static std::variant<FileLock, LockOpenError> openLockFile(const std::string& path,
                                                              const std::string& accessModel);
    // The regular file itself, opened for writing, so that it can be locked and then written in
    // place. createEmpty: an empty file for this user alone (for the group in a group folder) is
    // made when there is none.
    static std::variant<FileLock, LockOpenError> openFile(const std::string& path, bool createEmpty);

    // An existing regular file opened only for reading, so that those who may only read it can
    // lock it shared. Never created.
    static std::variant<FileLock, LockOpenError> openToRead(const std::string& path);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Tries once, without waiting.
    LockAttempt tryLock();
    // The same for a shared lock: others' shared locks allow it, an exclusive one excludes it.
    LockAttempt tryLockShared();
    // Whether the file opened is still the one at path: one replaced by a rename is another file.
    bool isAt(const std::string& path) const;
    // Replaces what the file holds; for a lock file, who holds it. Best effort.
    void setContent(std::string_view text);

private:
    explicit FileLock(std::intptr_t handle) : handle_(handle) {}

    std::intptr_t handle_ = -1; // the system's handle of the open file
};

// Whether a file that a FileLock holds open can meanwhile be replaced by a rename. Windows replaces
// no file that is open anywhere.
bool openFilesCanBeReplaced();

} // namespace telvarin
