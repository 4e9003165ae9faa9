#pragma once

// Replacing a file without ever leaving a damaged one: the bytes go to a new file beside it, are
// flushed to the disk, and the new file takes the old one's place in one rename.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace telvarin {

// The system calls the replacement makes; tests put failing ones in.
struct FileSystemCalls {
    std::function<long(int fd, const char* data, std::size_t size)> write;
    std::function<int(int fd)> sync;
    std::function<int(const char* from, const char* to)> rename;
    // Opens an existing file for writing without changing it: a descriptor, or -1 with errno set.
    std::function<int(const char* path)> openForWriting;

    static FileSystemCalls system();
};

// False when anything failed, also when the file exists but may not be written; the file at path
// is then as it was and no new file is left behind.
bool replaceFileContents(const std::string& path, std::string_view bytes,
                         const FileSystemCalls& calls = FileSystemCalls::system());

} // namespace telvarin
