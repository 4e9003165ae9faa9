#pragma once

// The messages of a failed read, shared by every system's implementation of FileKind.h.

#include "foundation/files/FileKind.h"

#include <string>

namespace telvarin {

Windows1252Text notRegularFileText(const std::string& path, FileKind kind);
FileReadError cannotOpenError(const std::string& path, bool missing, std::string reason = {});
FileReadError cannotReadError(const std::string& path);

} // namespace telvarin
