#include "tests/files/SpecialFiles.h"

#include <string_view>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace telvarin::testing {

bool makeFifo(const std::string& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

// A socket address holds about 100 characters; bound by its relative name, the folder's depth
// (a clone anywhere) cannot cut it short.
BoundSocket::BoundSocket(const std::filesystem::path& folder, const std::string& name)
    : handle_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string_view(name).copy(address.sun_path, sizeof address.sun_path - 1);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    bound_ =
        handle_ >= 0 && ::bind(handle_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    std::filesystem::current_path(previous);
}

BoundSocket::~BoundSocket() {
    if (handle_ >= 0)
        ::close(handle_);
}

bool setOwner(const std::string& path, unsigned user, unsigned group) {
    return ::chown(path.c_str(), static_cast<uid_t>(user), static_cast<gid_t>(group)) == 0;
}

std::optional<FileOwner> ownerOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileOwner{static_cast<unsigned>(info.st_uid), static_cast<unsigned>(info.st_gid)};
}

unsigned fileCreationMask() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

bool runningAsRoot() {
    return ::geteuid() == 0;
}

} // namespace telvarin::testing
