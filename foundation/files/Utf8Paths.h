#pragma once

// File names are UTF-8 everywhere in the program. A std::filesystem::path made from a plain
// std::string reads it in the system's narrow encoding, which on Windows is the ANSI code page and
// cannot spell every name; so a path is made from a name, and turned back into one, only here.

#include <filesystem>
#include <string>
#include <string_view>

namespace telvarin {

// Neither throws: what one side cannot spell becomes U+FFFD on the other.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);

} // namespace telvarin
