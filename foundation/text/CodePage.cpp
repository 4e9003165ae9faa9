#include "foundation/text/CodePage.h"

#include <array>

namespace telvarin {
namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The code point of the UTF-8 sequence at utf8[i], moving i past it; an invalid sequence gives
// kInvalidUtf8 and moves i by one byte.
constexpr char32_t kInvalidUtf8 = 0xFFFD;

char32_t nextCodePoint(std::string_view utf8, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        length = 1;
        cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    }
    bool valid = length > 0 && i + static_cast<std::size_t>(length) <= utf8.size();
    for (int k = 1; valid && k < length; ++k) {
        const auto cont = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
        valid = (cont & 0xC0) == 0x80;
        cp = (cp << 6) | (cont & 0x3F);
    }
    if (!valid) {
        ++i;
        return kInvalidUtf8;
    }
    i += static_cast<std::size_t>(length);
    return cp;
}

// The plain letter of each character from U+0100 to U+017F (Latin Extended-A), as it is written
// when the accent cannot be: A for U+0100, L for U+0141, S for U+015E, ...
constexpr std::string_view kLatinExtendedABase = "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi"
                                                 "IiJjKkkLlLlLlLlLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTt"
                                                 "TtUuUuUuUuUuUuWwYyYZzZzZzs";
static_assert(kLatinExtendedABase.size() == 0x80);

} // namespace

char32_t codePointOfWindows1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControlRange[byte - 0x80];
    return byte;
}

unsigned char windows1252OfCodePoint(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<unsigned char>(codePoint);
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == codePoint)
            return static_cast<unsigned char>(0x80 + i);
    }
    return '?';
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes)
        appendUtf8(out, codePointOfWindows1252(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = nextCodePoint(utf8, i);
        out += static_cast<char>(cp == kInvalidUtf8 ? '?' : windows1252OfCodePoint(cp));
    }
    return out;
}

std::u32string codePointsOutsideWindows1252(std::string_view utf8) {
    std::u32string outside;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = nextCodePoint(utf8, i);
        const bool fits = cp != kInvalidUtf8 && (cp == '?' || windows1252OfCodePoint(cp) != '?');
        if (!fits && outside.find(cp) == std::u32string::npos)
            outside += cp;
    }
    return outside;
}

std::string asciiTransliteration(char32_t codePoint) {
    if (codePoint == 0x0132)
        return "IJ";
    if (codePoint == 0x0133)
        return "ij";
    if (codePoint >= 0x0100 && codePoint <= 0x017F)
        return std::string(1, kLatinExtendedABase[codePoint - 0x0100]);
    switch (codePoint) {
    case 0x0218: // Romanian S and T with comma below
        return "S";
    case 0x0219:
        return "s";
    case 0x021A:
        return "T";
    case 0x021B:
        return "t";
    case 0x1E9E: // capital sharp s
        return "SS";
    default:
        return {};
    }
}

unsigned char toUpperWindows1252(unsigned char byte) {
    if (byte >= 'a' && byte <= 'z')
        return static_cast<unsigned char>(byte - 32);
    switch (byte) {
    case 0x9A: // š
        return 0x8A;
    case 0x9C: // œ
        return 0x8C;
    case 0x9E: // ž
        return 0x8E;
    case 0xFF: // ÿ
        return 0x9F;
    case 0xF7: // ÷ has no capital
        return byte;
    default:
        break;
    }
    if (byte >= 0xE0) // à..þ
        return static_cast<unsigned char>(byte - 32);
    return byte;
}

std::string toUpperWindows1252(std::string_view bytes) {
    std::string out(bytes);
    for (char& c : out)
        c = static_cast<char>(toUpperWindows1252(static_cast<unsigned char>(c)));
    return out;
}

} // namespace telvarin
