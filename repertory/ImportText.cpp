#include "repertory/ImportText.h"

#include "foundation/text/CodePage.h"

#include <array>

namespace telvarin {
namespace {

std::string hexCodePoint(char32_t codePoint) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (int shift = codePoint > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4)
        hex += kDigits[(codePoint >> shift) & 0xF];
    return "U+" + hex;
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. Returns nullopt for a malformed,
// overlong or surrogate sequence.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 0;
    char32_t codePoint = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (pos + static_cast<std::size_t>(length) > text.size())
        return std::nullopt;
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return std::nullopt;
    pos += static_cast<std::size_t>(length);
    return codePoint;
}

// The lower-case partner of every capital that toUpperWindows1252 produces.
const std::array<unsigned char, 256>& lowerTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> lower{};
        for (int b = 0; b < 256; ++b)
            lower[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b);
        for (int b = 0; b < 256; ++b) {
            const unsigned char upper = toUpperWindows1252(static_cast<unsigned char>(b));
            if (upper != b)
                lower[upper] = static_cast<unsigned char>(b);
        }
        return lower;
    }();
    return table;
}

} // namespace

std::optional<TextProblem> convertToWindows1252(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    std::size_t pos = 0;
    std::size_t character = 0;
    while (pos < utf8.size()) {
        ++character;
        const std::optional<char32_t> codePoint = decodeUtf8(utf8, pos);
        if (!codePoint)
            return TextProblem{character, "ungültiges UTF-8 in \"" + std::string(utf8) + "\""};
        if (*codePoint < 0x20 || *codePoint == 0x7F)
            return TextProblem{character, "Steuerzeichen in \"" + std::string(utf8) + "\""};
        const unsigned char byte = windows1252OfCodePoint(*codePoint);
        if (byte == '?' && *codePoint != U'?')
            return TextProblem{character,
                               "Zeichen " + hexCodePoint(*codePoint) + " gibt es in Windows-1252 nicht"};
        out += static_cast<char>(byte);
    }
    return std::nullopt;
}

bool isUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (!decodeUtf8(text, pos))
            return false;
    }
    return true;
}

bool cutAtWord(std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return false;
    const std::size_t room = maxBytes - 3;
    // The last blank at or before the room ends the last whole word; without one the word is cut.
    std::size_t end = text.rfind(' ', room);
    if (end == std::string::npos || end == 0)
        end = room;
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == ','))
        --end;
    text.resize(end);
    text += "...";
    return true;
}

unsigned char toLowerWindows1252(unsigned char byte) {
    return lowerTable()[byte];
}

std::string toLowerWindows1252(std::string_view bytes) {
    std::string lower(bytes);
    for (char& c : lower)
        c = static_cast<char>(toLowerWindows1252(static_cast<unsigned char>(c)));
    return lower;
}

bool isLowerLetter(unsigned char byte) {
    return toUpperWindows1252(byte) != byte;
}

TextLines::TextLines(std::string_view text) : rest_(text) {
    if (rest_.starts_with("\xEF\xBB\xBF"))
        rest_.remove_prefix(3);
}

bool TextLines::next(std::string_view& line) {
    if (rest_.empty())
        return false;
    ++number_;
    const std::size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return true;
}

std::string quotedText(std::string_view text) {
    // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) about "\"" + std::string(...).
    std::string result = "\"";
    result.append(text).append("\"");
    return result;
}

} // namespace telvarin
