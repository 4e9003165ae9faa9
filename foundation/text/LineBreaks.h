#pragma once

// Line breaks as the history file keeps them and as a single line shows them. A comment typed on
// any system may end its lines in "\r\n", "\n" or "\r"; the history file stores "\r\n", and a
// label in a list shows the comment on one line.

#include "foundation/text/Windows1252Text.h"

#include <string>
#include <string_view>

namespace telvarin {

// text with every line break ("\r\n", or a "\r" or "\n" alone) replaced by replacement.
inline std::string replacedLineBreaks(std::string_view text, std::string_view replacement) {
    std::string replaced;
    replaced.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            replaced += c;
            continue;
        }
        replaced += replacement;
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return replaced;
}

inline std::string withCrLf(std::string_view text) {
    return replacedLineBreaks(text, "\r\n");
}

inline std::string oneLine(std::string_view text) {
    return replacedLineBreaks(text, " ");
}
// The same for Windows-1252 text, whose line breaks are the same bytes as in UTF-8.
inline Windows1252Text withCrLf(Windows1252View text) {
    return Windows1252Text(withCrLf(text.bytes()));
}
inline Windows1252Text oneLine(Windows1252View text) {
    return Windows1252Text(oneLine(text.bytes()));
}

} // namespace telvarin
