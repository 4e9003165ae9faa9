#pragma once

// What a repertory is called, where it comes from and under which licence, and the checksum that
// tells one data file from another. The data file has no room for names; a small UTF-8 text file
// beside it with the same stem ("kent-de.info" beside "kent-de.dat") may carry them, one a line:
//
//     Name: Kent, Homöopathisches Repertorium (deutsch)
//     Quelle: ...
//     Lizenz: ...
//
// Other lines are ignored. Texts here are Windows-1252, like every text of the core.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace telvarin {

inline constexpr std::string_view kRepertoryInfoExtension = ".info";
inline constexpr std::string_view kBuiltinRepertoryName = "Beispielrepertorium (eingebaut, erfundene Daten)";

struct RepertoryInfo {
    std::string name; // empty when nothing names the repertory
    std::string source;
    std::string licence;
    friend bool operator==(const RepertoryInfo&, const RepertoryInfo&) = default;
};

RepertoryInfo parseRepertoryInfo(std::string_view utf8Text);
// "<folder>/<stem>.info" for "<folder>/<stem>.dat".
std::string repertoryInfoPath(const std::string& dataFile);
// The info file beside a data file; an empty info when there is none or it cannot be read.
RepertoryInfo repertoryInfoOf(const std::string& dataFile);
// The made-up repertory compiled into the program; it never passes for clinical data.
RepertoryInfo builtinRepertoryInfo();

// How a repertory is named to the user: the name of its info file, else the data file's path.
std::string repertoryDisplayName(const RepertoryInfo& info, const std::string& dataFile);

// 16 lower-case hexadecimal digits: 64-bit FNV-1a over the bytes taken as little-endian 64-bit
// words (a shorter last word filled with zero bytes), then over the byte count. Word by word it
// takes a few milliseconds for the largest repertory.
std::string repertoryChecksum(std::span<const std::byte> bytes);
// The checksum of a data file, or nothing when it cannot be read.
std::optional<std::string> repertoryFileChecksum(const std::string& dataFile);

} // namespace telvarin
