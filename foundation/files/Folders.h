#pragma once

// Folders the program makes for itself.

#include <optional>
#include <string>

namespace telvarin {

// Makes a folder that only its owner may enter, unless one is there already; false when there is
// none afterwards that could be one (no room, no rights, a file of that name).
bool makePrivateFolder(const std::string& path);

struct FolderFailure {
    std::string folder; // the folder that could not be made or written
    std::string reason; // a German sentence, Windows-1252
};

// Makes the folder and every missing folder above it for this user alone (rwx------); nothing
// when they are there afterwards.
std::optional<FolderFailure> makePrivateFolders(const std::string& path);

// Why the program may not create and change files in the folder; nothing when it may.
std::optional<FolderFailure> folderWriteFailure(const std::string& folder);

} // namespace telvarin
