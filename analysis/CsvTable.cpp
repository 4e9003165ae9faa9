#include "analysis/CsvTable.h"

#include "foundation/text/CodePage.h"
#include "foundation/text/Trimmed.h"

#include <algorithm>

namespace telvarin {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kCellBlanks = " \t";

bool isWholeNumber(std::string_view text) {
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool startsLikeAFormula(std::string_view text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

} // namespace

std::string csvField(Windows1252View cell) {
    const std::string_view number = trimmed(cell.bytes(), kCellBlanks);
    if (isWholeNumber(number))
        return std::string(number);
    std::string text = utf8Of(cell);
    if (startsLikeAFormula(text))
        text.insert(0, 1, '\'');
    if (text.find_first_of(";\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string csvDocument(const TextTable& rows) {
    std::string document(kByteOrderMark);
    for (const std::vector<Windows1252Text>& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                document += ';';
            document += csvField(row[i]);
        }
        document += "\r\n";
    }
    return document;
}

Windows1252Text csvFileName(Windows1252View evaluationName, Windows1252View fallbackName) {
    std::string name;
    for (const char c : evaluationName.bytes()) {
        const bool forbidden = static_cast<unsigned char>(c) < 0x20 ||
                               std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
        name += forbidden ? '_' : c;
    }
    // A leading dot would hide the file, a trailing one is dropped by some systems.
    name = std::string(trimmed(name, " ."));
    if (name.empty())
        name = fallbackName.bytes();
    return Windows1252Text(std::move(name)) + ".csv"_w1252;
}

} // namespace telvarin
