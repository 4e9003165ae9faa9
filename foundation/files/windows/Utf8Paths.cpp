#include "foundation/files/Utf8Paths.h"

#include "foundation/files/windows/SystemText.h"

namespace telvarin {

// The system's conversions, not the standard library's: those throw on what has no counterpart
// (a name with a lone surrogate, which NTFS allows, met while listing a folder), where these put
// U+FFFD in its place.
std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(widePath(std::string(utf8)));
}

std::string utf8FromPath(const std::filesystem::path& path) {
    return utf8Of(path.native());
}

} // namespace telvarin
