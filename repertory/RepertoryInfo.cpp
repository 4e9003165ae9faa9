#include "repertory/RepertoryInfo.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/Utf8Paths.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/KeyValueLines.h"
#include "repertory/RepertoryDatabase.h"

#include <algorithm>
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

std::string hexDigits(std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return text;
}

// Numberings separated by blanks or commas; what is no numbering is passed over.
void addNumberings(std::string_view list, std::vector<std::string>& numberings) {
    std::size_t at = 0;
    while (at < list.size()) {
        const std::size_t end = std::min(list.find_first_of(" ,;\t", at), list.size());
        const std::string_view word = list.substr(at, end - at);
        if (isNumbering(word))
            numberings.emplace_back(word);
        at = end + 1;
    }
}

class Fnv1a {
public:
    void add(std::string_view text) {
        for (const char c : text)
            hash_ = (hash_ ^ static_cast<unsigned char>(c)) * kFnvPrime;
        // A text ends here, so that "ab" "c" differs from "a" "bc".
        hash_ = (hash_ ^ 0u) * kFnvPrime;
    }
    void add(std::int64_t number) { add(std::to_string(number)); }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = kFnvOffsetBasis;
};

} // namespace

RepertoryInfo parseRepertoryInfo(std::string_view utf8Text) {
    if (utf8Text.starts_with("\xEF\xBB\xBF"))
        utf8Text.remove_prefix(3);
    RepertoryInfo info;
    forEachKeyValueLine(utf8Text, [&info](std::string_view key, std::string_view value) {
        if (key == "Name")
            info.name = windows1252Of(value);
        else if (key == "Quelle")
            info.source = windows1252Of(value);
        else if (key == "Lizenz")
            info.licence = windows1252Of(value);
    });
    return info;
}

std::vector<std::string> parseCompatibleNumberings(std::string_view utf8Text) {
    std::vector<std::string> numberings;
    forEachKeyValueLine(utf8Text, [&numberings](std::string_view key, std::string_view value) {
        if (key == "Kompatibel")
            addNumberings(value, numberings);
    });
    return numberings;
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

std::vector<std::string> compatibleNumberingsOf(const std::string& dataFile) {
    const FileReadResult read = readRegularFile(repertoryInfoPath(dataFile), kLargestInfoFile);
    if (const auto* text = std::get_if<std::string>(&read))
        return parseCompatibleNumberings(*text);
    return {};
}

RepertoryInfo builtinRepertoryInfo() {
    return {Windows1252Text(kBuiltinRepertoryName),
            Windows1252Text(
                "vom Programm erzeugte, erfundene Daten; zum Ausprobieren, nicht zur Behandlung"_w1252),
            Windows1252Text("GNU General Public License, Version 3 oder sp\xE4ter (wie Telvarin)"_w1252)};
}

Windows1252Text repertoryDisplayName(const RepertoryInfo& info, const std::string& dataFile) {
    return info.name.empty() ? windows1252Of(dataFile) : info.name;
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
    return hexDigits(hash);
}

std::optional<std::string> repertoryFileChecksum(const std::string& dataFile) {
    const FileReadResult read = readRegularFile(dataFile, kLargestDataFile);
    const auto* content = std::get_if<std::string>(&read);
    if (content == nullptr)
        return std::nullopt;
    return repertoryChecksum(std::as_bytes(std::span(content->data(), content->size())));
}

std::string repertoryNumbering(const RepertoryDatabase& db) {
    Fnv1a hash;
    hash.add(db.chapterCount());
    hash.add(db.sectionCount());
    hash.add(db.rubricCount());
    for (int chapter = 0; chapter < db.chapterCount(); ++chapter) {
        hash.add(db.chapterName(chapter).bytes());
        hash.add(db.sectionEnd(chapter));
    }
    for (int section = 0; section < db.sectionCount(); ++section) {
        hash.add(db.sectionName(section).bytes());
        hash.add(db.rubricEnd(section));
    }
    for (int rubric = 0; rubric < db.rubricCount(); ++rubric)
        hash.add(db.rubricTextField(rubric).bytes());
    return hexDigits(hash.value());
}

bool isNumbering(std::string_view text) {
    return text.size() == 16 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

} // namespace telvarin
