#include "history/FileReplacement.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace telvarin {
namespace {

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A file that is a link to one kept elsewhere (a synchronised folder, a backup disk) stays a link:
// the new contents replace the file it points to, as writing into the link would.
std::string linkTargetOf(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec))
        return path;
    const std::filesystem::path target = std::filesystem::canonical(path, ec);
    return ec ? path : target.string();
}

// A write-protected file stays as it is, as writing into it would fail; the rename alone would get
// past the protection, which belongs to the file and not to its folder.
bool mayReplace(const std::string& path, const FileSystemCalls& calls) {
    const int fd = calls.openForWriting(path.c_str());
    if (fd < 0)
        return errno == ENOENT;
    ::close(fd);
    return true;
}

bool writeAll(int fd, std::string_view bytes, const FileSystemCalls& calls) {
    while (!bytes.empty()) {
        const long written = calls.write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The rename itself must reach the disk too, or a crash could bring back the old file.
void syncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileSystemCalls FileSystemCalls::system() {
    return FileSystemCalls{
        [](int fd, const char* data, std::size_t size) { return static_cast<long>(::write(fd, data, size)); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return std::rename(from, to); },
        [](const char* path) { return ::open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC); },
    };
}

bool replaceFileContents(const std::string& givenPath, std::string_view bytes, const FileSystemCalls& calls) {
    const std::string path = linkTargetOf(givenPath);
    if (!mayReplace(path, calls))
        return false;
    std::string newPath = path + ".XXXXXX";
    const int fd = ::mkstemp(newPath.data());
    if (fd < 0)
        return false;
    // mkstemp makes the file private (rw-------); a file being replaced keeps its own permissions.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);

    bool ok = writeAll(fd, bytes, calls) && calls.sync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && calls.rename(newPath.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(newPath.c_str());
        return false;
    }
    syncDirectory(directoryOf(path));
    return true;
}

} // namespace telvarin
