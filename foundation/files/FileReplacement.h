#pragma once

// Replacing a file without ever leaving a damaged one: the bytes go to a new file beside it, made
// anew under a name no one can foresee, are flushed to the disk, and the new file takes the old
// one's place in one rename. Only a regular file is replaced, and it keeps its group and mode, and
// its owner unless another owner takes nobody's access away (in a group's folder, where the group
// may do what the owner may). A new file is private to this user, or the group's in a group folder
// (see isGroupFolder), where a replaced one also gets the group's right to read and write. Where
// that is impossible (a folder that allows no new files, a file whose access would change) it is
// written in place instead, after a full copy of the new content where the caller asks for one.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace telvarin {

// The new file beside the one replaced is named after it plus this and six random letters and
// digits ("historie.xml.telvarin-tmp-a1B2c3"): a name only this program gives, so that removing
// leftovers never takes a file of the user's.
inline constexpr std::string_view kTemporaryMarker = ".telvarin-tmp-";

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

struct ReplaceOptions {
    // A file made anew gets the group and mode of this one (when it exists) instead of being
    // private to this user: a copy readable by those who may read what it copies.
    std::string accessModel;
    // When the file can only be written in place, its full new content is first put into a copy,
    // so that a crash in the middle leaves it whole there. This makes the copy's folder ready and
    // names the copy, or gives nothing when there can be none: then nothing is written. The copy
    // goes once the file is written. Not given: written in place without a copy.
    std::function<std::optional<std::string>()> copyBeforeWritingInPlace;
    // A path the user chose may be a link to the file meant, which is then replaced and the link
    // stays. The names the program gives its own files are never followed: someone who may write
    // in a shared folder could put a link there to another user's file. A link there, or a file
    // with a second name (a hard link), is refused as NotRegular.
    bool followLink = false;
};

enum class ReplaceStatus {
    Replaced,
    WrittenInPlace,   // note says why
    NotRegular,       // a directory, device, FIFO, socket or dangling link: left alone; note names it
    Failed,           // the file is as it was and no new file is left behind
    NoCopyForInPlace, // only writing in place was possible, but the copy could not be made first;
                      // the file is as it was; note names what stands at the copy's name
                      // when that is no regular file
};

struct ReplaceResult {
    ReplaceStatus status = ReplaceStatus::Replaced;
    std::string note; // German, Windows-1252; empty when replaced
    bool ok() const { return status == ReplaceStatus::Replaced || status == ReplaceStatus::WrittenInPlace; }
};

ReplaceResult replaceFile(const std::string& path, std::string_view bytes,
                          const FileSystemCalls& calls = FileSystemCalls::system(),
                          const ReplaceOptions& options = {});

// False when anything failed, also when the file exists but may not be written.
bool replaceFileContents(const std::string& path, std::string_view bytes,
                         const FileSystemCalls& calls = FileSystemCalls::system(),
                         const ReplaceOptions& options = {});

// The name of the file a new file of a replacement was to replace ("historie.xml" for
// "historie.xml.telvarin-tmp-a1B2c3"); nothing for every other name.
std::optional<std::string> fileReplacedBy(std::string_view temporaryName);

} // namespace telvarin
