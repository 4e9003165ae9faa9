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

std::string csvField(std::string_view cell) {
    const std::string_view number = trimmed(cell, kCellBlanks);
    if (isWholeNumber(number))
        return std::string(number);
    std::string text = windows1252ToUtf8(cell);
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
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                document += ';';
            document += csvField(row[i]);
        }
        document += "\r\n";
    }
    return document;
}

std::string csvFileName(std::string_view evaluationName, std::string_view fallbackName) {
    std::string name;
    for (const char c : evaluationName) {
        const bool forbidden = static_cast<unsigned char>(c) < 0x20 ||
                               std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
        name += forbidden ? '_' : c;
    }
    // A leading dot would hide the file, a trailing one is dropped by some systems.
    name = std::string(trimmed(name, " ."));
    if (name.empty())
        name = fallbackName;
    return name + ".csv";
}

} // namespace telvarin
