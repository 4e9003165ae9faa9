#pragma once

// Texts on their way into a data file: UTF-8 to Windows-1252 without the silent '?', texts cut to
// their field at a whole word, and the letter case of the code page.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace telvarin {

struct TextProblem {
    std::size_t position = 0; // 1-based character of the UTF-8 text where the problem lies
    std::string message;      // German, UTF-8
};

// Fails for broken UTF-8, a control character or a character the code page lacks.
std::optional<TextProblem> convertToWindows1252(std::string_view utf8, std::string& out);

// True when the whole text is well-formed UTF-8.
bool isUtf8(std::string_view text);

// Cuts a text longer than maxBytes at the last whole word that fits together with "...".
// True when it was cut.
bool cutAtWord(std::string& text, std::size_t maxBytes);

unsigned char toLowerWindows1252(unsigned char byte);
std::string toLowerWindows1252(std::string_view bytes);
inline bool isUpperLetter(unsigned char byte) {
    return toLowerWindows1252(byte) != byte;
}
bool isLowerLetter(unsigned char byte);

// The lines of a text one after another, numbered from 1: without a leading UTF-8 byte order mark
// and without their line ends ("\n" or "\r\n").
class TextLines {
public:
    explicit TextLines(std::string_view text);
    // False after the last line.
    bool next(std::string_view& line);
    int number() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

// The text in double quotes, as messages name a word of the source.
std::string quotedText(std::string_view text);

} // namespace telvarin
