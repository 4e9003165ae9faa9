#include "foundation/text/CodePage.h"

#include "foundation/text/Windows1252Text.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace telvarin {
namespace {

// Windows-1252 and UTF-8 text do not mix: neither becomes the other, nor is joined to it, unasked.
template <class A, class B>
concept Joinable = requires(A a, B b) {
    a + b;
};
static_assert(!std::is_convertible_v<std::string, Windows1252View>);
static_assert(!std::is_convertible_v<std::string_view, Windows1252Text>);
static_assert(!std::is_convertible_v<Windows1252Text, std::string_view>);
static_assert(!std::is_convertible_v<Windows1252View, std::string_view>);
static_assert(!Joinable<Windows1252Text, std::string> && !Joinable<std::string, Windows1252View>);
static_assert(!Joinable<Windows1252Text, const char*> && Joinable<Windows1252Text, Windows1252View>);

TEST(CodePage, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(windows1252ToUtf8("\xE4\x80\x9F"), "ä€Ÿ");
}

TEST(CodePage, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
    EXPECT_EQ(utf8ToWindows1252("\xE2\x82\xAC \xE4\xB8\xAD"), "\x80 ?");
    EXPECT_EQ(utf8ToWindows1252("a\xC3"), "a?");
    EXPECT_EQ(utf8ToWindows1252("😀!"), "?!");
}

TEST(CodePage, CapitalsCoverTheLettersOfTheCodePage) {
    EXPECT_EQ(toUpperWindows1252("abc\xE4\xF6\xFC\x9A\xFF\xDF\xF7z"), "ABC\xC4\xD6\xDC\x8A\x9F\xDF\xF7Z");
}

} // namespace
} // namespace telvarin
