#pragma once

// What stands at a path, and reading a file without ever blocking: a FIFO, a device or a
// directory given where a file is expected is refused with a German message (Windows-1252) that
// names its kind, instead of hanging on the FIFO or reading a device without end.

#include "foundation/text/Windows1252Text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace telvarin {

enum class FileKind {
    Missing,
    Regular,
    Directory,
    CharacterDevice,
    BlockDevice,
    Fifo,
    Socket,
    DanglingLink,
    Other
};

// Follows symbolic links; a link whose target is missing is DanglingLink, not Missing.
FileKind fileKindOf(const std::string& path);

// The kind as a German noun with its article: "ein Verzeichnis", "eine Ger\xE4tedatei", ...
std::string_view fileKindText(FileKind kind);

// "PATH ist ein Verzeichnis, keine gew\xF6hnliche Datei" for anything that exists (or dangles) but
// is no regular file; empty for a regular file or a missing path.
Windows1252Text notRegularFileMessage(const std::string& path);

struct FileReadError {
    Windows1252Text message; // German, names the path
    bool missing = false;    // the path does not exist at all
    std::string reason;      // why it could not be opened, German ("Zugriff verweigert"); may be empty
};
using FileReadResult = std::variant<std::string, FileReadError>;

// A regular file open for reading, block by block; closed when it goes.
class RegularFileReader {
public:
    RegularFileReader(RegularFileReader&& other) noexcept;
    RegularFileReader& operator=(RegularFileReader&& other) noexcept;
    RegularFileReader(const RegularFileReader&) = delete;
    RegularFileReader& operator=(const RegularFileReader&) = delete;
    ~RegularFileReader();

    // Bytes of the file when it was opened.
    std::uint64_t size() const { return size_; }
    // Reads up to size bytes, fewer only at the end of the file: 0 there, nothing on a read error.
    std::optional<std::size_t> read(char* into, std::size_t size);

private:
    friend std::variant<RegularFileReader, FileReadError> openRegularFile(const std::string& path);
    RegularFileReader(std::intptr_t handle, std::uint64_t size) : handle_(handle), size_(size) {}

    std::intptr_t handle_ = -1; // the system's handle of the open file
    std::uint64_t size_ = 0;
};

// Opens a regular file without blocking and checks it once open, so that a FIFO put in place
// between a check and the open cannot hang the reader either.
std::variant<RegularFileReader, FileReadError> openRegularFile(const std::string& path);

// The whole content of a regular file of at most maxBytes, read as openRegularFile reads.
FileReadResult readRegularFile(const std::string& path, std::uint64_t maxBytes);

// The file a symbolic link points to, or path itself when it is no link or the link leads nowhere.
std::string resolvedPath(const std::string& path);

} // namespace telvarin
