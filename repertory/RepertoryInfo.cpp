#include "repertory/RepertoryInfo.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/Utf8Paths.h"
#include "foundation/text/CodePage.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>

namespace telvarin {
namespace {

// An info file is a few lines; anything larger is no info file.
constexpr std::uint64_t kLargestInfoFile = 64 * 1024;
// Data files are at most 1 GiB (the loader's limit).
constexpr std::uint64_t kLargestDataFile = std::uint64_t{1} << 30;

constexpr std::uint64_t kFnvOffsetBasis = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

RepertoryInfo parseRepertoryInfo(std::string_view utf8Text) {
    if (utf8Text.starts_with("\xEF\xBB\xBF"))
        utf8Text.remove_prefix(3);
    RepertoryInfo info;
    while (!utf8Text.empty()) {
        const std::size_t end = utf8Text.find('\n');
        const std::string_view line = utf8Text.substr(0, end);
        utf8Text = end == std::string_view::npos ? std::string_view() : utf8Text.substr(end + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view key = trimmed(line.substr(0, colon));
        const std::string value = utf8ToWindows1252(trimmed(line.substr(colon + 1)));
        if (key == "Name")
            info.name = value;
        else if (key == "Quelle")
            info.source = value;
        else if (key == "Lizenz")
            info.licence = value;
    }
    return info;
}

std::string repertoryInfoPath(const std::string& dataFile) {
    return utf8FromPath(pathFromUtf8(dataFile).replace_extension(kRepertoryInfoExtension));
}

RepertoryInfo repertoryInfoOf(const std::string& dataFile) {
    const FileReadResult read = readRegularFile(repertoryInfoPath(dataFile), kLargestInfoFile);
    if (const auto* text = std::get_if<std::string>(&read))
        return parseRepertoryInfo(*text);
    return {};
}

RepertoryInfo builtinRepertoryInfo() {
    return {std::string(kBuiltinRepertoryName),
            "vom Programm erzeugte, erfundene Daten; zum Ausprobieren, nicht zur Behandlung",
            "GNU General Public License, Version 3 oder sp\xE4ter (wie Telvarin)"};
}

std::string repertoryDisplayName(const RepertoryInfo& info, const std::string& dataFile) {
    return info.name.empty() ? utf8ToWindows1252(dataFile) : info.name;
}

std::string repertoryChecksum(std::span<const std::byte> bytes) {
    std::uint64_t hash = kFnvOffsetBasis;
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&word, bytes.data() + at, sizeof word);
        } else {
            for (int i = 7; i >= 0; --i)
                word = (word << 8) | std::to_integer<std::uint64_t>(bytes[at + static_cast<std::size_t>(i)]);
        }
        hash = (hash ^ word) * kFnvPrime;
    }
    if (at < bytes.size()) {
        std::uint64_t word = 0;
        for (std::size_t i = bytes.size(); i-- > at;)
            word = (word << 8) | std::to_integer<std::uint64_t>(bytes[i]);
        hash = (hash ^ word) * kFnvPrime;
    }
    hash = (hash ^ static_cast<std::uint64_t>(bytes.size())) * kFnvPrime;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[hash & 0xF];
    return text;
}

std::optional<std::string> repertoryFileChecksum(const std::string& dataFile) {
    const FileReadResult read = readRegularFile(dataFile, kLargestDataFile);
    const auto* content = std::get_if<std::string>(&read);
    if (content == nullptr)
        return std::nullopt;
    return repertoryChecksum(std::as_bytes(std::span(content->data(), content->size())));
}

} // namespace telvarin
