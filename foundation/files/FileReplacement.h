#pragma once

// Replacing a file without ever leaving a damaged one: the bytes go to a new file beside it, are
// flushed to the disk, and the new file takes the old one's place in one rename. Only a regular
// file is replaced, and it keeps its owner, group and mode; where that is impossible (a folder
// that allows no new files, a file of another owner) it is written in place instead.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace telvarin {

// The new file beside the one replaced is named after it plus this, the X replaced by random
// letters and digits.
inline constexpr std::string_view kTemporarySuffix = ".XXXXXX";

// The system calls the replacement makes; tests put failing ones in.
struct FileSystemCalls {
    std::function<long(int fd, const char* data, std::size_t size)> write;
    std::function<int(int fd)> sync;
    std::function<int(const char* from, const char* to)> rename;
    // Opens an existing file for writing without changing it: a descriptor, or -1 with errno set.
    std::function<int(const char* path)> openForWriting;
    // Creates the new file beside the old one from a template ending in XXXXXX.
    std::function<int(char* pathTemplate)> makeTemporary;

    static FileSystemCalls system();
};

enum class ReplaceStatus {
    Replaced,
    WrittenInPlace, // note says why
    NotRegular,     // a directory, device, FIFO, socket or dangling link: left alone; note names it
    Failed,         // the file is as it was and no new file is left behind
};

struct ReplaceResult {
    ReplaceStatus status = ReplaceStatus::Replaced;
    std::string note; // German, Windows-1252; empty when replaced
    bool ok() const { return status == ReplaceStatus::Replaced || status == ReplaceStatus::WrittenInPlace; }
};

// A link is followed to its target, which is replaced; the link stays.
ReplaceResult replaceFile(const std::string& path, std::string_view bytes,
                          const FileSystemCalls& calls = FileSystemCalls::system());

// False when anything failed, also when the file exists but may not be written.
bool replaceFileContents(const std::string& path, std::string_view bytes,
                         const FileSystemCalls& calls = FileSystemCalls::system());

// Gives a file the access every new file of the user gets (read and write for all, less what the
// user's file creation mask takes away). A replacement makes new files private, which suits a
// case history; a file written to be shared, such as a saved table, should not be.
void giveUsualAccess(const std::string& path);

// Removes the new files ("historie.xml.XXXXXX") that a replacement interrupted by a crash left
// beside the file; they hold a copy of its data. A name that looks given by a person
// ("historie.xml.defekt", "historie.xml.Kopie1") stays. Only while nothing else replaces the file.
void removeLeftoverTemporaries(const std::string& path);

} // namespace telvarin
