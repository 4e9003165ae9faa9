#include "foundation/files/Folders.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace telvarin {
namespace {

// The system's reason in the words of the message; its own text (in the system's language) where
// none fits.
std::string reasonOf(int error) {
    switch (error) {
    case EROFS:
        return "Der Ordner liegt auf einem schreibgesch\xFCtzten Laufwerk.";
    case EACCES:
    case EPERM:
        return "Sie haben keine Schreibrechte f\xFCr diesen Ordner.";
    case ENOSPC:
    case EDQUOT:
        return "Auf dem Laufwerk ist kein Platz mehr frei.";
    case ENOENT:
        return "Der Ordner ist nicht vorhanden.";
    case ENOTDIR:
        return "Ein Teil des Pfads ist kein Ordner.";
    default:
        return "Das System meldet: " + std::string(std::strerror(error)) + ".";
    }
}

} // namespace

// Made private from the start: its copies of patient data are never readable by others, not even
// for a moment.
bool makePrivateFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

std::optional<FolderFailure> makePrivateFolders(const std::string& path) {
    std::filesystem::path made;
    for (const std::filesystem::path& part : std::filesystem::path(path).lexically_normal()) {
        made /= part;
        if (!makePrivateFolder(made.string()))
            return FolderFailure{made.string(), reasonOf(errno)};
    }
    return std::nullopt;
}

std::optional<FolderFailure> folderWriteFailure(const std::string& folder) {
    const std::string checked = folder.empty() ? "." : folder;
    if (::access(checked.c_str(), W_OK | X_OK) == 0)
        return std::nullopt;
    return FolderFailure{folder, reasonOf(errno)};
}

} // namespace telvarin
