#pragma once

// The rule of isGroupFolder (Folders.h) as the POSIX implementations apply it to what they create.

#include <optional>
#include <string>
#include <sys/types.h>

namespace telvarin {

inline constexpr mode_t kGroupFileMode = 0660;
inline constexpr mode_t kGroupFolderMode = 02770;

// The folder a path is in ("." for a bare name).
std::string folderOfPath(const std::string& path);

// The group of a group folder; nothing for every other folder.
std::optional<gid_t> groupOfSharedFolder(const std::string& folder);

// Gives a file this program has just created the group and mode given; false when it cannot.
bool giveGroupAccess(int fd, gid_t group, mode_t mode);

} // namespace telvarin
