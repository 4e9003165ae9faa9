#pragma once

// Folders the program makes for itself.

#include <string>

namespace telvarin {

// Makes a folder that only its owner may enter, unless one is there already; false when there is
// none afterwards that could be one (no room, no rights, a file of that name).
bool makePrivateFolder(const std::string& path);

} // namespace telvarin
