#include "foundation/files/FileKind.h"

#include "foundation/files/FileMessages.h"
#include "foundation/files/Utf8Paths.h"

#include <filesystem>
#include <utility>

namespace telvarin {

Windows1252Text notRegularFileText(const std::string& path, FileKind kind) {
    return windows1252Of(path) + " ist "_w1252 + Windows1252View(fileKindText(kind)) +
           ", keine gew\xF6hnliche Datei"_w1252;
}

FileReadError cannotOpenError(const std::string& path, bool missing, std::string reason) {
    return FileReadError{windows1252Of(path) + " kann nicht ge\xF6"
                                               "ffnet werden"_w1252,
                         missing, std::move(reason)};
}

FileReadError cannotReadError(const std::string& path) {
    return FileReadError{windows1252Of(path) + " kann nicht gelesen werden"_w1252, false, {}};
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

Windows1252Text notRegularFileMessage(const std::string& path) {
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Regular || kind == FileKind::Missing)
        return {};
    return notRegularFileText(path, kind);
}

FileReadResult readRegularFile(const std::string& path, std::uint64_t maxBytes) {
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Missing)
        return FileReadError{windows1252Of(path) + " ist nicht vorhanden"_w1252, true, "nicht vorhanden"};
    if (kind != FileKind::Regular)
        return FileReadError{notRegularFileText(path, kind), false, {}};
    auto opened = openRegularFile(path);
    if (auto* error = std::get_if<FileReadError>(&opened))
        return std::move(*error);
    RegularFileReader& file = std::get<RegularFileReader>(opened);
    const std::uint64_t size = file.size();
    if (size > maxBytes)
        return FileReadError{windows1252Of(path) + " ist mit "_w1252 + windows1252Number(size) +
                                 " Bytes zu gro\xDF"_w1252,
                             false,
                             {}};
    std::string content(static_cast<std::size_t>(size), '\0');
    const std::optional<std::size_t> got = file.read(content.data(), content.size());
    if (!got)
        return cannotReadError(path);
    content.resize(*got); // shrunk while reading: what is there is the file now
    return content;
}

// A file that is a link to one kept elsewhere (a synchronised folder, a backup disk) is read,
// replaced and locked where it lies.
std::string resolvedPath(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path given = pathFromUtf8(path);
    if (!fs::is_symlink(given, ec))
        return path;
    const fs::path target = fs::canonical(given, ec);
    if (ec)
        return path;
    return utf8FromPath(target);
}

} // namespace telvarin
