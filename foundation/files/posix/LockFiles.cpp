#include "foundation/files/LockFiles.h"

#include "foundation/files/posix/GroupFolders.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace telvarin {
namespace {

using SystemClock = std::chrono::system_clock;

constexpr int kOpenFlags = O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

FileIdentity identityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

LockOpenError openError(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return LockOpenError::NotPermitted;
    case EISDIR:
    case ENXIO: // a socket
    case ELOOP:
        return LockOpenError::NotRegular;
    default:
        return LockOpenError::Other;
    }
}

// Something that is no regular file stands at the path: opening a device or a FIFO could block or
// have effects of its own, so it is not opened at all.
bool isSomethingElse(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return !S_ISREG(info.st_mode);
    return ::lstat(path.c_str(), &info) == 0; // a link that leads nowhere
}

// Anything but a regular file with this one name, seen without following a link: a link could
// lead to another user's file, and a second name (a hard link) would be another user's file.
bool isNoOwnLockFile(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return false;
    return !S_ISREG(info.st_mode) || info.st_nlink > 1;
}

// Gives the lock file of this user the group and mode of the model, or those of the group folder
// it is in; the mode only when the group could be given, so that the model's writers, and no
// others, may open it. Never readable for others: whoever may open it can take a lock on it and
// keep every writer waiting.
void shareAsModel(int fd, const std::string& path, const std::string& model) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_uid != ::geteuid())
        return;
    if (const std::optional<gid_t> group = groupOfSharedFolder(folderOfPath(path))) {
        giveGroupAccess(fd, *group, kGroupFileMode);
        return;
    }
    struct stat wanted {};
    if (::stat(model.c_str(), &wanted) != 0)
        return;
    const mode_t mode = wanted.st_mode & 0660;
    if (info.st_gid == wanted.st_gid && (info.st_mode & 07777) == mode)
        return;
    if (info.st_gid != wanted.st_gid && ::fchown(fd, static_cast<uid_t>(-1), wanted.st_gid) != 0)
        return;
    ::fchmod(fd, mode);
}

// Closes the file when it turns out to be no regular file after all (replaced since the look), or
// one with a second name where only one is expected.
bool keepIfRegular(int fd, bool onlyName = false) {
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && (!onlyName || info.st_nlink == 1))
        return true;
    ::close(fd);
    return false;
}

// An open-file-description lock on the whole file: a shared one for readers, an exclusive one
// for writers.
LockAttempt lockWhole(int fd, bool shared) {
    struct flock whole {};
    whole.l_type = shared ? F_RDLCK : F_WRLCK;
    whole.l_whence = SEEK_SET;
    for (;;) {
        if (::fcntl(fd, F_OFD_SETLK, &whole) == 0)
            return LockAttempt::Locked;
        if (errno != EINTR)
            break;
    }
    switch (errno) {
    case EAGAIN:
    case EACCES:
        return LockAttempt::Busy;
    case EINVAL: // a system without open-file-description locks: flock belongs to the open file too
        if (::flock(fd, (shared ? LOCK_SH : LOCK_EX) | LOCK_NB) == 0)
            return LockAttempt::Locked;
        return errno == EWOULDBLOCK ? LockAttempt::Busy : LockAttempt::Unsupported;
    default: // ENOLCK: a network drive without a lock service
        return LockAttempt::Unsupported;
    }
}

} // namespace

std::optional<FileIdentity> fileIdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return identityOf(info);
}

std::optional<SystemClock::time_point> modificationTimeOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return SystemClock::from_time_t(info.st_mtime);
}

std::variant<FileLock, LockOpenError> FileLock::openLockFile(const std::string& path,
                                                             const std::string& accessModel) {
    // Two programs may find no lock file at the same moment; the one that does not create it opens
    // the other's.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (isNoOwnLockFile(path))
            return LockOpenError::NotRegular;
        int fd = ::open(path.c_str(), kOpenFlags | O_NOFOLLOW);
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(path.c_str(), kOpenFlags | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
            if (fd < 0 && errno == EEXIST)
                continue;
        }
        if (fd < 0)
            return openError(errno);
        if (!keepIfRegular(fd, true))
            return LockOpenError::NotRegular;
        shareAsModel(fd, path, accessModel);
        return FileLock(fd);
    }
    return LockOpenError::Other;
}

std::variant<FileLock, LockOpenError> FileLock::openFile(const std::string& path, bool createEmpty) {
    if (isSomethingElse(path))
        return LockOpenError::NotRegular;
    int fd = ::open(path.c_str(), kOpenFlags);
    if (fd < 0 && errno == ENOENT) {
        if (!createEmpty)
            return LockOpenError::Missing;
        fd = ::open(path.c_str(), kOpenFlags | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
        if (fd >= 0) {
            if (const std::optional<gid_t> group = groupOfSharedFolder(folderOfPath(path)))
                giveGroupAccess(fd, *group, kGroupFileMode);
        } else if (errno == EEXIST) { // made by another program meanwhile
            fd = ::open(path.c_str(), kOpenFlags | O_NOFOLLOW);
        }
    }
    if (fd < 0)
        return openError(errno);
    if (!keepIfRegular(fd))
        return LockOpenError::NotRegular;
    return FileLock(fd);
}

FileLock::FileLock(FileLock&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        if (handle_ >= 0)
            ::close(static_cast<int>(handle_));
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

// Closing the file gives the lock up.
FileLock::~FileLock() {
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

std::variant<FileLock, LockOpenError> FileLock::openToRead(const std::string& path) {
    if (isSomethingElse(path))
        return LockOpenError::NotRegular;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? LockOpenError::Missing : openError(errno);
    if (!keepIfRegular(fd))
        return LockOpenError::NotRegular;
    return FileLock(fd);
}

LockAttempt FileLock::tryLock() {
    return lockWhole(static_cast<int>(handle_), false);
}

LockAttempt FileLock::tryLockShared() {
    return lockWhole(static_cast<int>(handle_), true);
}

bool FileLock::isAt(const std::string& path) const {
    struct stat opened {};
    return ::fstat(static_cast<int>(handle_), &opened) == 0 && fileIdentityOf(path) == identityOf(opened);
}

void FileLock::setContent(std::string_view text) {
    const int fd = static_cast<int>(handle_);
    if (::ftruncate(fd, 0) != 0)
        return;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

bool openFilesCanBeReplaced() {
    return true;
}

} // namespace telvarin
