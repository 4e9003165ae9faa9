#include "foundation/files/Utf8Paths.h"

namespace telvarin {

// A name's bytes are the name: nothing is converted, and a name that is no UTF-8 (from an older
// system) stays usable as it is.
std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::string(utf8));
}

std::string utf8FromPath(const std::filesystem::path& path) {
    return path.string();
}

} // namespace telvarin
