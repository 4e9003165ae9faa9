#include "foundation/text/GermanOrder.h"

#include "foundation/text/CodePage.h"

#include <algorithm>
#include <array>

namespace telvarin {
namespace {

constexpr std::array<char, 256> kEveryByte = [] {
    std::array<char, 256> bytes{};
    for (std::size_t b = 0; b < bytes.size(); ++b)
        bytes[b] = static_cast<char>(b);
    return bytes;
}();

// The base letters of every byte of the code page, in capitals; a byte that is no letter stands
// for itself.
std::array<std::string_view, 256> makeBaseLetters() {
    std::array<std::string_view, 256> base{};
    for (std::size_t b = 0; b < base.size(); ++b)
        base[b] = std::string_view(&kEveryByte[b], 1);
    for (std::size_t b = 'a'; b <= 'z'; ++b)
        base[b] = base[b - 32];
    const auto set = [&base](std::string_view bytes, std::string_view letters) {
        for (const char c : bytes)
            base[static_cast<unsigned char>(c)] = letters;
    };
    set("\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5\xAA", "A");
    set("\xC6\xE6", "AE");
    set("\xC7\xE7", "C");
    set("\xD0\xF0", "D");
    set("\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "E");
    set("\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", "I");
    set("\xD1\xF1", "N");
    set("\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8\xBA", "O");
    set("\x8C\x9C", "OE");
    set("\x8A\x9A", "S");
    set("\xDF", "SS");
    set("\xDE\xFE", "TH");
    set("\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", "U");
    set("\xDD\xFD\x9F\xFF", "Y");
    set("\x8E\x9E", "Z");
    return base;
}

const std::array<std::string_view, 256>& baseLetters() {
    static const std::array<std::string_view, 256> table = makeBaseLetters();
    return table;
}

// Compares the base letters without building them: most texts differ early.
int compareBaseLetters(std::string_view a, std::string_view b) {
    const std::array<std::string_view, 256>& table = baseLetters();
    std::size_t i = 0;
    std::size_t j = 0;
    std::string_view pieceA;
    std::string_view pieceB;
    std::size_t atA = 0;
    std::size_t atB = 0;
    // Once a letter's base spelling is used up, the next letter's; empty at the end of the text.
    const auto goOn = [&table](std::string_view text, std::size_t& next, std::string_view& piece,
                               std::size_t& at) {
        if (at < piece.size())
            return;
        piece = next == text.size() ? std::string_view() : table[static_cast<unsigned char>(text[next++])];
        at = 0;
    };
    while (true) {
        goOn(a, i, pieceA, atA);
        goOn(b, j, pieceB, atB);
        if (pieceA.empty() || pieceB.empty())
            return pieceA.empty() ? (pieceB.empty() ? 0 : -1) : 1;
        const auto x = static_cast<unsigned char>(pieceA[atA++]);
        const auto y = static_cast<unsigned char>(pieceB[atB++]);
        if (x != y)
            return x < y ? -1 : 1;
    }
}

int compareCapitals(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = toUpperWindows1252(static_cast<unsigned char>(a[i]));
        const unsigned char y = toUpperWindows1252(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

std::string germanBaseLetters(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        out += baseLetters()[static_cast<unsigned char>(c)];
    return out;
}

int compareGermanIgnoringCase(std::string_view a, std::string_view b) {
    if (const int base = compareBaseLetters(a, b); base != 0)
        return base;
    return compareCapitals(a, b);
}

int compareGerman(std::string_view a, std::string_view b) {
    if (const int folded = compareGermanIgnoringCase(a, b); folded != 0)
        return folded;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

} // namespace telvarin
