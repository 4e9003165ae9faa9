#include "foundation/files/FileReplacement.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/InPlaceWriting.h"
#include "foundation/files/posix/GroupFolders.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace telvarin {
namespace {

// A write-protected file stays as it is, as writing into it would fail; the rename alone would get
// past the protection, which belongs to the file and not to its folder.
bool mayReplace(const std::string& path, const FileSystemCalls& calls) {
    const int fd = calls.openForWriting(path.c_str());
    if (fd < 0)
        return errno == ENOENT;
    ::close(fd);
    return true;
}

// The rename itself must reach the disk too, or a crash could bring back the old file.
void syncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool isPermissionError(int error) {
    return error == EACCES || error == EPERM;
}

std::optional<gid_t> primaryGroupOf(uid_t user, std::string& name) {
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return std::nullopt;
    name = found->pw_name;
    return found->pw_gid;
}

bool isMemberOf(uid_t user, gid_t group) {
    std::string name;
    const std::optional<gid_t> primary = primaryGroupOf(user, name);
    if (!primary)
        return false;
    if (*primary == group)
        return true;
    int count = 64;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (::getgrouplist(name.c_str(), *primary, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(name.c_str(), *primary, groups.data(), &count) < 0)
            return false;
    }
    groups.resize(static_cast<std::size_t>(count));
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// The owner may do nothing the group may not, and belongs to the group: another owner takes
// nobody's access away.
bool ownerLosesNothing(const struct stat& old) {
    const mode_t owner = (old.st_mode >> 6) & 07;
    const mode_t group = (old.st_mode >> 3) & 07;
    return (owner & ~group) == 0 && isMemberOf(old.st_uid, old.st_gid);
}

// Gives the new file the wanted group and mode (those of the old file, or the group folder's),
// and the old file's owner unless that is not needed (ownerLosesNothing); false when that cannot be.
bool takeOverAccess(int fd, const struct stat& old) {
    struct stat created {};
    if (::fstat(fd, &created) != 0)
        return false;
    if (created.st_gid != old.st_gid && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    if (created.st_uid != old.st_uid && ::fchown(fd, old.st_uid, static_cast<gid_t>(-1)) != 0 &&
        !ownerLosesNothing(old))
        return false;
    // After the group: a change of group takes away the set-group bit.
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// What a replaced file keeps: its owner, group and mode; in a group folder the folder's group and
// the group's right to read and write besides.
struct stat accessToKeep(const struct stat& old, const std::optional<gid_t>& folderGroup) {
    struct stat kept = old;
    if (folderGroup) {
        kept.st_gid = *folderGroup;
        kept.st_mode |= kGroupFileMode;
    }
    return kept;
}

// The file the program names itself must be one it can replace without harm: no link, which
// could lead to another user's file, and no file with a second name, which writing in place would
// change too. What stands there otherwise, in the words of fileKindText; empty when it may go.
std::string ownNameProblem(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return {};
    if (S_ISLNK(info.st_mode))
        return "eine symbolische Verkn\xFCpfung";
    if (S_ISREG(info.st_mode) && info.st_nlink > 1)
        return "eine Datei mit einem weiteren Namen (harte Verkn\xFCpfung)";
    return {};
}

// A new file shared as the model is: its group, and then its mode.
void takeOverModelAccess(int fd, const std::string& model) {
    struct stat wanted {};
    struct stat created {};
    if (model.empty() || ::stat(model.c_str(), &wanted) != 0 || ::fstat(fd, &created) != 0)
        return;
    if (created.st_gid != wanted.st_gid && ::fchown(fd, static_cast<uid_t>(-1), wanted.st_gid) != 0)
        return;
    ::fchmod(fd, wanted.st_mode & 0666);
}

} // namespace

bool overwriteFromStart(int fd, std::string_view bytes, const FileSystemCalls& calls) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes, calls) &&
           ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && calls.sync(fd) == 0;
}

void closeFile(int fd) {
    ::close(fd);
}

void removeFile(const std::string& path) {
    ::unlink(path.c_str());
}

FileSystemCalls FileSystemCalls::system() {
    return FileSystemCalls{
        [](int fd, const char* data, std::size_t size) { return static_cast<long>(::write(fd, data, size)); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return std::rename(from, to); },
        [](const char* path) { return ::open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW); },
        [](char* pathTemplate) { return ::mkstemp(pathTemplate); },
    };
}

ReplaceResult replaceFile(const std::string& givenPath, std::string_view bytes, const FileSystemCalls& calls,
                          const ReplaceOptions& options) {
    const std::string path = options.followLink ? resolvedPath(givenPath) : givenPath;
    if (!options.followLink) {
        if (std::string problem = ownNameProblem(path); !problem.empty())
            return {ReplaceStatus::NotRegular, std::move(problem)};
    }
    const FileKind kind = fileKindOf(path);
    if (kind != FileKind::Regular && kind != FileKind::Missing)
        return {ReplaceStatus::NotRegular, std::string(fileKindText(kind))};
    if (!mayReplace(path, calls))
        return {ReplaceStatus::Failed, {}};
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    const std::optional<gid_t> folderGroup = groupOfSharedFolder(folderOfPath(path));

    std::string newPath = path + std::string(kTemporaryMarker) + "XXXXXX";
    const int fd = calls.makeTemporary(newPath.data());
    if (fd < 0) {
        if (exists && isPermissionError(errno))
            return writeInPlace(path, bytes, calls, options,
                                "Der Ordner erlaubt keine neuen Dateien; die Datei wurde daher direkt "
                                "\xFC"
                                "berschrieben.");
        return {ReplaceStatus::Failed, {}};
    }
    // mkstemp makes the file private (rw-------), right for a new one; one being replaced keeps
    // who may read it. Where that cannot be, the file is written in place rather than opened to
    // others or closed to someone.
    if (exists && !takeOverAccess(fd, accessToKeep(old, folderGroup))) {
        ::close(fd);
        ::unlink(newPath.c_str());
        return writeInPlace(path, bytes, calls, options,
                            "Gruppe und Zugriffsrechte der Datei lassen sich beim Ersetzen nicht "
                            "erhalten; sie wurde daher direkt \xFC"
                            "berschrieben.");
    }
    if (!exists && folderGroup)
        giveGroupAccess(fd, *folderGroup, kGroupFileMode);
    else if (!exists)
        takeOverModelAccess(fd, options.accessModel);

    bool ok = writeAll(fd, bytes, calls) && calls.sync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    const bool renamed = ok && calls.rename(newPath.c_str(), path.c_str()) == 0;
    if (!renamed) {
        const bool renameRefused = ok && exists && isPermissionError(errno);
        ::unlink(newPath.c_str());
        // A folder with the sticky bit lets only a file's owner replace it.
        if (renameRefused)
            return writeInPlace(path, bytes, calls, options,
                                "Der Ordner erlaubt nur dem Besitzer der Datei, sie zu ersetzen; sie wurde "
                                "daher direkt \xFC"
                                "berschrieben.");
        return {ReplaceStatus::Failed, {}};
    }
    syncDirectory(folderOfPath(path));
    return {};
}

} // namespace telvarin
