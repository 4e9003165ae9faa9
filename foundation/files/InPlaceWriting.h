#pragma once

// The steps of replacing a file that every system shares, and the few calls they need of each
// system. Only the implementations of FileReplacement use this.

#include "foundation/files/FileReplacement.h"

#include <string>
#include <string_view>

namespace telvarin {

// Writes all of bytes, going on after interrupted writes.
bool writeAll(int fd, std::string_view bytes, const FileSystemCalls& calls);

// The last way when no new file can take the old one's place. The old contents are kept in memory
// and written back should the write fail half way.
ReplaceResult overwriteInPlace(const std::string& path, std::string_view bytes, const FileSystemCalls& calls,
                               std::string why);
// overwriteInPlace, with the copy of options.copyBeforeWritingInPlace made first.
ReplaceResult writeInPlace(const std::string& path, std::string_view bytes, const FileSystemCalls& calls,
                           const ReplaceOptions& options, std::string why);

// Each system's: the file's contents replaced by bytes from its start, and made durable.
bool overwriteFromStart(int fd, std::string_view bytes, const FileSystemCalls& calls);
void closeFile(int fd);
void removeFile(const std::string& path);

} // namespace telvarin
