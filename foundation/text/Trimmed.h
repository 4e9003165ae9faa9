#pragma once

// A text without the blanks around it, as every line-based file of the program is read: a value
// may be padded with spaces or tabs, and a file saved on Windows ends its lines in "\r\n".

#include <string_view>

namespace telvarin {

inline constexpr std::string_view kBlanks = " \t\r";

constexpr std::string_view trimmed(std::string_view text, std::string_view characters = kBlanks) {
    const std::size_t first = text.find_first_not_of(characters);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

} // namespace telvarin
