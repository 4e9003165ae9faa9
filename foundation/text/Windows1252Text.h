#pragma once

// The two encodings of the program's text, told apart by their types. The core's German texts are
// Windows-1252, as its data file and history file hold them: a byte a character, so that searches,
// comparisons and the cut to a field's width work on bytes. Everything outside speaks UTF-8: Qt, the
// names of files, the terminal, the exchange files; std::string and std::string_view carry UTF-8
// there. A Windows-1252 text is never a plain std::string, so joining, comparing or passing it as
// UTF-8 by mistake does not compile; it changes its encoding only through the conversions below.
// Both types are a string or a view and nothing more.

#include "foundation/text/CodePage.h"

#include <compare>
#include <concepts>
#include <string>
#include <string_view>
#include <utility>

namespace telvarin {

// A view of Windows-1252 text, as std::string_view is of bytes.
class Windows1252View {
public:
    constexpr Windows1252View() = default;
    constexpr explicit Windows1252View(std::string_view bytes) : bytes_(bytes) {}

    constexpr std::string_view bytes() const { return bytes_; }
    constexpr bool empty() const { return bytes_.empty(); }
    constexpr std::size_t size() const { return bytes_.size(); }

private:
    std::string_view bytes_;
};

// Outside the class, so that a Windows1252Text on either side compares through its view.
constexpr bool operator==(Windows1252View a, Windows1252View b) {
    return a.bytes() == b.bytes();
}
constexpr auto operator<=>(Windows1252View a, Windows1252View b) {
    return a.bytes() <=> b.bytes();
}

// Windows-1252 text of its own.
class Windows1252Text {
public:
    Windows1252Text() = default;
    explicit Windows1252Text(std::string bytes) : bytes_(std::move(bytes)) {}
    // The same encoding: a view is copied into a text wherever one is wanted.
    Windows1252Text(Windows1252View text) : bytes_(text.bytes()) {}

    const std::string& bytes() const& { return bytes_; }
    std::string bytes() && { return std::move(bytes_); }
    bool empty() const { return bytes_.empty(); }
    std::size_t size() const { return bytes_.size(); }
    operator Windows1252View() const { return Windows1252View(bytes_); }

    Windows1252Text& operator+=(Windows1252View more) {
        bytes_ += more.bytes();
        return *this;
    }

private:
    std::string bytes_;
};

inline Windows1252Text operator+(Windows1252Text text, Windows1252View more) {
    text += more;
    return text;
}

inline Windows1252Text operator+(Windows1252View text, Windows1252View more) {
    return Windows1252Text(text) + more;
}

// A literal of the core: "K\xFCrzel"_w1252. Its bytes are Windows-1252 as written; characters
// beyond ASCII are spelled as byte escapes.
consteval Windows1252View operator""_w1252(const char* text, std::size_t size) {
    return Windows1252View(std::string_view(text, size));
}

// A number in either encoding: digits are ASCII in both.
template <std::integral Number>
Windows1252Text windows1252Number(Number number) {
    return Windows1252Text(std::to_string(number));
}

inline std::string utf8Of(Windows1252View text) {
    return windows1252ToUtf8(text.bytes());
}
// Characters outside the code page become '?'.
inline Windows1252Text windows1252Of(std::string_view utf8) {
    return Windows1252Text(utf8ToWindows1252(utf8));
}

} // namespace telvarin
