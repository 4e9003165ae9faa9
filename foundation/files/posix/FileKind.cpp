#include "foundation/files/FileKind.h"

#include "foundation/files/FileMessages.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace telvarin {
namespace {

FileKind kindOfMode(mode_t mode) {
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Directory;
    if (S_ISCHR(mode))
        return FileKind::CharacterDevice;
    if (S_ISBLK(mode))
        return FileKind::BlockDevice;
    if (S_ISFIFO(mode))
        return FileKind::Fifo;
    if (S_ISSOCK(mode))
        return FileKind::Socket;
    return FileKind::Other;
}

// The reason the system gives for a failed open, in the user's words.
std::string openFailureReason(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return "nicht vorhanden";
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case ELOOP:
        return "zu viele symbolische Verkn\xFCpfungen";
    case ENAMETOOLONG:
        return "Name zu lang";
    case EMFILE:
    case ENFILE:
        return "zu viele offene Dateien";
    case EIO:
        return "Lese- oder Schreibfehler des Datentr\xE4gers";
    default:
        return "Systemfehler " + std::to_string(errorNumber);
    }
}

} // namespace

FileKind fileKindOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return kindOfMode(info.st_mode);
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
        return FileKind::DanglingLink;
    return FileKind::Missing;
}

std::variant<RegularFileReader, FileReadError> openRegularFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return cannotOpenError(path, error == ENOENT, openFailureReason(error));
    }
    RegularFileReader file(fd, 0);
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return cannotReadError(path);
    if (!S_ISREG(info.st_mode))
        return FileReadError{notRegularFileText(path, kindOfMode(info.st_mode)), false, {}};
    file.size_ = static_cast<std::uint64_t>(info.st_size);
    return file;
}

RegularFileReader::RegularFileReader(RegularFileReader&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), size_(other.size_) {}

RegularFileReader& RegularFileReader::operator=(RegularFileReader&& other) noexcept {
    if (this != &other) {
        if (handle_ >= 0)
            ::close(static_cast<int>(handle_));
        handle_ = std::exchange(other.handle_, -1);
        size_ = other.size_;
    }
    return *this;
}

RegularFileReader::~RegularFileReader() {
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

std::optional<std::size_t> RegularFileReader::read(char* into, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(static_cast<int>(handle_), into + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

} // namespace telvarin
