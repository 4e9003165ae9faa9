#pragma once

// What a repertory is called, where it comes from and under which licence, and the checksum that
// tells one data file from another. The data file has no room for names; a small UTF-8 text file
// beside it with the same stem ("kent-de.info" beside "kent-de.dat") may carry them, one a line:
//
//     Name: Kent, Homöopathisches Repertorium (deutsch)
//     Quelle: ...
//     Lizenz: ...
//     Kompatibel: 0123456789abcdef fedcba9876543210
//
// "Kompatibel" lists the numberings (see repertoryNumbering) of earlier editions whose rubric
// numbers mean the same rubrics in this one although a text of theirs was corrected; histories
// bound to such an edition stay usable with this one. Other lines are ignored. Texts here are
// Windows-1252, like every text of the core.

#include "foundation/text/Windows1252Text.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

class RepertoryDatabase;

inline constexpr std::string_view kRepertoryInfoExtension = ".info";
inline constexpr Windows1252View kBuiltinRepertoryName =
    "Beispielrepertorium (eingebaut, erfundene Daten)"_w1252;

struct RepertoryInfo {
    Windows1252Text name; // empty when nothing names the repertory
    Windows1252Text source;
    Windows1252Text licence;
    friend bool operator==(const RepertoryInfo&, const RepertoryInfo&) = default;
};

RepertoryInfo parseRepertoryInfo(std::string_view utf8Text);
// The numberings of earlier editions an info file declares compatible ("Kompatibel"), 16
// hexadecimal digits each; what is no numbering is passed over.
std::vector<std::string> parseCompatibleNumberings(std::string_view utf8Text);
// "<folder>/<stem>.info" for "<folder>/<stem>.dat".
std::string repertoryInfoPath(const std::string& dataFile);
// The info file beside a data file; an empty info when there is none or it cannot be read.
RepertoryInfo repertoryInfoOf(const std::string& dataFile);
std::vector<std::string> compatibleNumberingsOf(const std::string& dataFile);
// The made-up repertory compiled into the program; it never passes for clinical data.
RepertoryInfo builtinRepertoryInfo();

// How a repertory is named to the user: the name of its info file, else the data file's path.
Windows1252Text repertoryDisplayName(const RepertoryInfo& info, const std::string& dataFile);

// 16 lower-case hexadecimal digits: 64-bit FNV-1a over the bytes taken as little-endian 64-bit
// words (a shorter last word filled with zero bytes), then over the byte count. Word by word it
// takes a few milliseconds for the largest repertory.
std::string repertoryChecksum(std::span<const std::byte> bytes);
// The checksum of a data file, or nothing when it cannot be read.
std::optional<std::string> repertoryFileChecksum(const std::string& dataFile);

// What a rubric number means in a repertory, as 16 lower-case hexadecimal digits: 64-bit FNV-1a
// over the counts, the chapter names and section names with the ranges they cover, and the rubric
// texts, in number order. Grades, remedy lists and counter-polarities do not enter: an edition that
// corrects a grade or adds a counter-polarity keeps its numbering, and so the histories bound to
// it. Taken from the texts as the data file holds them, before a language file replaces any.
std::string repertoryNumbering(const RepertoryDatabase& db);
bool isNumbering(std::string_view text);

} // namespace telvarin
