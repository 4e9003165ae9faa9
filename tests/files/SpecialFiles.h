#pragma once

// What tests need of the system beyond foundation/files: files no user of the program makes
// (FIFOs, sockets) and files of other owners. Only here, so that a port finds every system call
// of the tests in tests/files/.

#include <filesystem>
#include <optional>
#include <string>

namespace telvarin::testing {

// A named pipe that only its owner may read and write; false when it could not be made.
bool makeFifo(const std::string& path);

// A local socket bound in folder under name; closed when it goes, its file stays.
class BoundSocket {
public:
    BoundSocket(const std::filesystem::path& folder, const std::string& name);
    BoundSocket(const BoundSocket&) = delete;
    BoundSocket& operator=(const BoundSocket&) = delete;
    ~BoundSocket();

    bool bound() const { return bound_; }

private:
    int handle_ = -1;
    bool bound_ = false;
};

struct FileOwner {
    unsigned user = 0;
    unsigned group = 0;
};

// The process's file creation mask, and whether it runs as root (which reads any file).
unsigned fileCreationMask();
bool runningAsRoot();

// Gives the file to another user and group; false without the rights to.
bool setOwner(const std::string& path, unsigned user, unsigned group);
std::optional<FileOwner> ownerOf(const std::string& path);

} // namespace telvarin::testing
