#pragma once

// Saving a file the user chose, such as a table saved for a spreadsheet: written in one step, so
// that an existing file stays whole until the new one takes its place, and a failure says why.
// A new file is for this user alone, or for the group in a group folder (see isGroupFolder). A
// folder, device, FIFO or link at the path is refused and left as it is.

#include "foundation/files/FileReplacement.h"

#include <string>
#include <string_view>

namespace telvarin {

// Empty when the file was written; otherwise a German message (Windows-1252) that names the file
// and the reason. path is UTF-8.
std::string writeExportFile(const std::string& path, std::string_view bytes,
                            const FileSystemCalls& calls = FileSystemCalls::system());

// The reason for a system error number, as a German sentence.
std::string writeFailureReason(int errorNumber);

} // namespace telvarin
