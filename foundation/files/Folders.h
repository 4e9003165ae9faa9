#pragma once

// Folders the program makes for itself.

#include <optional>
#include <string>

namespace telvarin {

// Makes a folder that only its owner may enter, unless one is there already; false when there is
// none afterwards that could be one (no room, no rights, a file of that name).
bool makePrivateFolder(const std::string& path);

// A practice's shared folder: its group may write in it, and its set-group bit gives every file
// made in it the folder's group. What the program makes there belongs to that group and may be
// read and written by it (files rw-rw----, folders rwxrws---), whatever the user's file creation
// mask; anywhere else it is for this user alone. No one outside the group may read it.
bool isGroupFolder(const std::string& folder);

// Makes a folder for copies of modelFile that are read by those who may read it, and by no one
// else. Inside a group folder it is the group's (rwxrws---, as isGroupFolder says). Elsewhere it
// gets the model's group, the right to enter and read it where the model may be read and to write
// where the model may be written, and the set-group bit where the model's own folder has it. A
// folder of this user that is there already gets those rights added, never taken away. Without
// the model, and outside a group folder, a private folder. False when there is no folder
// afterwards.
bool makeFolderSharedLike(const std::string& path, const std::string& modelFile);

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
