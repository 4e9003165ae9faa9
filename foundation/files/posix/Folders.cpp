#include "foundation/files/Folders.h"

#include "foundation/files/posix/GroupFolders.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

// Made private, and then given to the group: no one else may look in before the group is right.
bool makeGroupFolder(const std::string& path, gid_t group) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat folder {};
    if (::fstat(fd, &folder) == 0 && folder.st_uid == ::geteuid())
        giveGroupAccess(fd, group, (folder.st_mode & 07777) | kGroupFolderMode);
    ::close(fd);
    return true;
}

} // namespace

std::string folderOfPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::optional<gid_t> groupOfSharedFolder(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        (info.st_mode & S_ISGID) == 0 || (info.st_mode & S_IWGRP) == 0)
        return std::nullopt;
    return info.st_gid;
}

bool giveGroupAccess(int fd, gid_t group, mode_t mode) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return false;
    if (info.st_gid != group && ::fchown(fd, static_cast<uid_t>(-1), group) != 0)
        return false;
    // After the group: a change of group takes away the set-group bit.
    return (info.st_mode & 07777) == mode || ::fchmod(fd, mode) == 0;
}

bool isGroupFolder(const std::string& folder) {
    return groupOfSharedFolder(folder).has_value();
}

// Made private from the start: its copies of patient data are never readable by others, not even
// for a moment.
bool makePrivateFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

bool makeFolderSharedLike(const std::string& path, const std::string& modelFile) {
    if (const std::optional<gid_t> group = groupOfSharedFolder(folderOfPath(path)))
        return makeGroupFolder(path, *group);
    struct stat model {};
    if (::stat(modelFile.c_str(), &model) != 0 || !S_ISREG(model.st_mode))
        return makePrivateFolder(path);
    const mode_t fileBits = model.st_mode & 0666;
    mode_t wanted = fileBits | ((fileBits & 0444) >> 2); // enter where read
    struct stat modelFolder {};
    const std::string parent = std::filesystem::path(modelFile).parent_path().string();
    if (::stat(parent.empty() ? "." : parent.c_str(), &modelFolder) == 0 &&
        (modelFolder.st_mode & S_ISGID) != 0)
        wanted |= S_ISGID;
    // Made private first: no one else may look in before the group is right.
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    // A link there could lead the copies into someone else's folder.
    struct stat folder {};
    if (::lstat(path.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return false;
    if (folder.st_uid != ::geteuid())
        return true;
    if (folder.st_gid != model.st_gid && ::chown(path.c_str(), static_cast<uid_t>(-1), model.st_gid) != 0)
        return true;
    const mode_t mode = (folder.st_mode & 07777) | wanted;
    if (mode != (folder.st_mode & 07777) || folder.st_gid != model.st_gid)
        ::chmod(path.c_str(), mode);
    return true;
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
