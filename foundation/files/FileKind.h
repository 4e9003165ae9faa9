#pragma once

// What stands at a path, and reading a file whole without ever blocking: a FIFO, a device or a
// directory given where a file is expected is refused with a German message (Windows-1252) that
// names its kind, instead of hanging on the FIFO or reading a device without end.

#include <cstdint>
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
std::string notRegularFileMessage(const std::string& path);

struct FileReadError {
    std::string message;  // German, Windows-1252, names the path
    bool missing = false; // the path does not exist at all
};
using FileReadResult = std::variant<std::string, FileReadError>;

// The whole content of a regular file of at most maxBytes. The file is opened without blocking and
// checked on the open descriptor, so a FIFO put in place between a check and the open cannot hang
// the reader either.
FileReadResult readRegularFile(const std::string& path, std::uint64_t maxBytes);

} // namespace telvarin
