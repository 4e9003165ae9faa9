#include "foundation/files/LockFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace telvarin {
namespace {

using SystemClock = std::chrono::system_clock;

FileIdentity identityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

bool writeAll(int fd, std::string_view text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool isPermissionError(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
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

std::variant<FileIdentity, ExclusiveCreateError> createExclusiveFile(const std::string& path,
                                                                     std::string_view content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST)
            return ExclusiveCreateError::Exists;
        return isPermissionError(errno) ? ExclusiveCreateError::NotPermitted : ExclusiveCreateError::Other;
    }
    struct stat info {};
    const bool ok = writeAll(fd, content) && ::fstat(fd, &info) == 0;
    ::close(fd);
    if (!ok) {
        ::unlink(path.c_str());
        return ExclusiveCreateError::NotWritten;
    }
    return identityOf(info);
}

std::optional<LockFileContent> readLockFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    char content[4096];
    ssize_t got = -1;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        got = ::read(fd, content, sizeof content);
    ::close(fd);
    if (got < 0)
        return std::nullopt;
    return LockFileContent{std::string(content, static_cast<std::size_t>(got)),
                           SystemClock::from_time_t(info.st_mtime)};
}

std::optional<RecordLock> RecordLock::open(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    return RecordLock(fd);
}

RecordLock::RecordLock(RecordLock&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

RecordLock& RecordLock::operator=(RecordLock&& other) noexcept {
    if (this != &other) {
        if (handle_ >= 0)
            ::close(handle_);
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

// Closing the file gives the lock up.
RecordLock::~RecordLock() {
    if (handle_ >= 0)
        ::close(handle_);
}

bool RecordLock::tryLock() {
    struct flock record {};
    record.l_type = F_WRLCK;
    record.l_whence = SEEK_SET;
    return ::fcntl(handle_, F_SETLK, &record) == 0 || errno == EBADF || errno == ENOLCK;
}

} // namespace telvarin
