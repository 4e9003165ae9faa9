#include "foundation/text/CodePage.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

TEST(CodePage, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(windows1252ToUtf8("\xE4\x80\x9F"), "\xC3\xA4\xE2\x82\xAC\xC5\xB8");
}

TEST(CodePage, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
    EXPECT_EQ(utf8ToWindows1252("\xE2\x82\xAC \xE4\xB8\xAD"), "\x80 ?");
    EXPECT_EQ(utf8ToWindows1252("a\xC3"), "a?");
    EXPECT_EQ(utf8ToWindows1252("\xF0\x9F\x98\x80!"), "?!");
}

TEST(CodePage, CapitalsCoverTheLettersOfTheCodePage) {
    EXPECT_EQ(toUpperWindows1252("abc\xE4\xF6\xFC\x9A\xFF\xDF\xF7z"), "ABC\xC4\xD6\xDC\x8A\x9F\xDF\xF7Z");
}

} // namespace
} // namespace telvarin
