#pragma once

// Remedy abbreviations compare with the letters A-Z taken as a-z and every other byte as it is,
// so "ag-c." sorts before "agar." and letter case never decides.

#include <algorithm>
#include <string_view>

namespace telvarin {

constexpr unsigned char foldAsciiLetter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

inline bool abbreviationLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return foldAsciiLetter(x) < foldAsciiLetter(y);
    });
}

inline bool abbreviationEqual(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return foldAsciiLetter(x) == foldAsciiLetter(y); });
}

} // namespace telvarin
