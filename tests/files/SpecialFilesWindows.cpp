// Windows has no FIFOs or sockets in folders, no owners and groups as POSIX has them and no file
// creation mask: nothing here can be made, and the tests that need it are skipped.
#include "tests/files/SpecialFiles.h"

namespace telvarin::testing {

bool makeFifo(const std::string&) {
    return false;
}

BoundSocket::BoundSocket(const std::filesystem::path&, const std::string&) {}

BoundSocket::~BoundSocket() = default;

bool setOwner(const std::string&, unsigned, unsigned) {
    return false;
}

std::optional<FileOwner> ownerOf(const std::string&) {
    return std::nullopt;
}

unsigned fileCreationMask() {
    return 0;
}

bool runningAsRoot() {
    return false;
}

} // namespace telvarin::testing
