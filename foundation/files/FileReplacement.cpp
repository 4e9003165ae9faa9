#include "foundation/files/FileReplacement.h"

#include <algorithm>
#include <cctype>

namespace telvarin {
namespace {

constexpr std::size_t kRandomLength = 6;

} // namespace

bool replaceFileContents(const std::string& path, std::string_view bytes, const FileSystemCalls& calls,
                         const ReplaceOptions& options) {
    return replaceFile(path, bytes, calls, options).ok();
}

std::optional<std::string> fileReplacedBy(std::string_view name) {
    const std::size_t marker = name.rfind(kTemporaryMarker);
    if (marker == std::string_view::npos || marker == 0 ||
        name.size() != marker + kTemporaryMarker.size() + kRandomLength)
        return std::nullopt;
    const std::string_view random = name.substr(marker + kTemporaryMarker.size());
    if (!std::all_of(random.begin(), random.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    return std::string(name.substr(0, marker));
}

} // namespace telvarin
