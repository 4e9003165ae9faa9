#include "foundation/files/FileReplacement.h"

#include "foundation/files/FileKind.h"

#include <cctype>
#include <filesystem>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

// A word, perhaps capitalised or in capitals, with digits after it ("defekt", "Kopie1", "ALT"):
// a name a person gave a copy, which the random letters of a new file almost never spell.
bool looksChosen(std::string_view suffix) {
    std::size_t i = 0;
    const auto isUpper = [](char c) { return c >= 'A' && c <= 'Z'; };
    const auto isLower = [](char c) { return c >= 'a' && c <= 'z'; };
    if (i < suffix.size() && (isUpper(suffix[i]) || isLower(suffix[i])))
        ++i;
    const bool capitals = i > 0 && i < suffix.size() && isUpper(suffix[0]) && isUpper(suffix[i]);
    while (i < suffix.size() && (capitals ? isUpper(suffix[i]) : isLower(suffix[i])))
        ++i;
    while (i < suffix.size() && suffix[i] >= '0' && suffix[i] <= '9')
        ++i;
    return i == suffix.size();
}

bool isTemporaryName(std::string_view name, std::string_view base) {
    if (name.size() != base.size() + kTemporarySuffix.size() || !name.starts_with(base) ||
        name[base.size()] != '.')
        return false;
    const std::string_view suffix = name.substr(base.size() + 1);
    for (const char c : suffix) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    }
    return !looksChosen(suffix);
}

} // namespace

bool replaceFileContents(const std::string& path, std::string_view bytes, const FileSystemCalls& calls) {
    return replaceFile(path, bytes, calls).ok();
}

void removeLeftoverTemporaries(const std::string& givenPath) {
    const fs::path path(resolvedPath(givenPath));
    const std::string base = path.filename().string();
    std::error_code ec;
    for (fs::directory_iterator it(path.parent_path().empty() ? fs::path(".") : path.parent_path(), ec), end;
         !ec && it != end; it.increment(ec)) {
        if (isTemporaryName(it->path().filename().string(), base) && it->is_regular_file(ec))
            fs::remove(it->path(), ec);
    }
}

} // namespace telvarin
