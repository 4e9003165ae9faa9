#include "foundation/files/FileKind.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string notRegularText(const std::string& path, FileKind kind) {
    return path + " ist " + std::string(fileKindText(kind)) + ", keine gew\xF6hnliche Datei";
}

// Closes the descriptor on every way out of readRegularFile.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

FileKind fileKindOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return kindOfMode(info.st_mode);
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
        return FileKind::DanglingLink;
    return FileKind::Missing;
}

std::string_view fileKindText(FileKind kind) {
    switch (kind) {
    case FileKind::Missing:
        return "nicht vorhanden";
    case FileKind::Regular:
        return "eine gew\xF6hnliche Datei";
    case FileKind::Directory:
        return "ein Verzeichnis";
    case FileKind::CharacterDevice:
    case FileKind::BlockDevice:
        return "eine Ger\xE4tedatei";
    case FileKind::Fifo:
        return "eine benannte Pipe (FIFO)";
    case FileKind::Socket:
        return "ein Socket";
    case FileKind::DanglingLink:
        return "eine Verkn\xFCpfung, deren Ziel fehlt";
    case FileKind::Other:
        break;
    }
    return "eine besondere Datei";
}

std::string notRegularFileMessage(const std::string& path) {
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Regular || kind == FileKind::Missing)
        return {};
    return notRegularText(path, kind);
}

FileReadResult readRegularFile(const std::string& path, std::uint64_t maxBytes) {
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Missing)
        return FileReadError{path + " ist nicht vorhanden", true};
    if (kind != FileKind::Regular)
        return FileReadError{notRegularText(path, kind)};
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return FileReadError{path + " kann nicht ge\xF6"
                                    "ffnet werden",
                             errno == ENOENT};
    struct stat info {};
    if (::fstat(file.fd, &info) != 0)
        return FileReadError{path + " kann nicht gelesen werden"};
    if (!S_ISREG(info.st_mode))
        return FileReadError{notRegularText(path, kindOfMode(info.st_mode))};
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes)
        return FileReadError{path + " ist mit " + std::to_string(size) + " Bytes zu gro\xDF"};
    std::string content(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t got = ::read(file.fd, content.data() + done, content.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return FileReadError{path + " kann nicht gelesen werden"};
        if (got == 0)
            break; // shrunk while reading: what is there is the file now
        done += static_cast<std::size_t>(got);
    }
    content.resize(done);
    return content;
}

} // namespace telvarin
