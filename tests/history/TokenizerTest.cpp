#include "foundation/text/Tokenizer.h"

#include "history/FileTokenizer.h"
#include "history/HistoryReader.h"
#include "tests/history/HistoryTestSupport.h"
#include "tests/text/TokenSequence.h"

#include <array>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

namespace tk = token_kind;
using telvarin::testing::allTokens;
using telvarin::testing::kindsAndTexts;

TEST(Tokenizer, ReadsAnElementOfTheHistoryFile) {
    Tokenizer tokenizer = Tokenizer::fromString("<Fall Name=\"A.'B\">", {}, historyOperatorTable());
    const std::vector<std::pair<TokenKind, std::string>> expected = {
        {tk::Less, "<"},     {tk::Identifier, "Fall"}, {tk::Identifier, "Name"}, {tk::Equal, "="},
        {tk::String, "A'B"}, {tk::Greater, ">"},       {tk::EndOfInput, ""},
    };
    EXPECT_EQ(kindsAndTexts(allTokens(tokenizer)), expected);
}

TEST(Tokenizer, KeywordsIgnoreLetterCaseButTokensKeepIt) {
    constexpr std::array<TokenTableEntry, 2> keywords = {{{"Fall", 7}, {"", tk::TableEnd}}};
    Tokenizer tokenizer = Tokenizer::fromString("FALL fall F\xC4LL Falle", keywords, historyOperatorTable());
    const std::vector<std::pair<TokenKind, std::string>> expected = {{7, "FALL"},
                                                                     {7, "fall"},
                                                                     {tk::Identifier, "F\xC4LL"},
                                                                     {tk::Identifier, "Falle"},
                                                                     {tk::EndOfInput, ""}};
    EXPECT_EQ(kindsAndTexts(allTokens(tokenizer)), expected);
}

TEST(Tokenizer, StringsKeepEveryByteButCollapseRunsOfCarriageReturns) {
    Tokenizer tokenizer =
        Tokenizer::fromString("\" lead\r\nx\r\r\r\ny\t<>=.''.'\" \"\r\r\"", {}, historyOperatorTable());
    EXPECT_EQ(tokenizer.nextToken().text, " lead\r\nx\r\ny\t<>=\"'");
    EXPECT_EQ(tokenizer.nextToken().text, "\r");
}

TEST(Tokenizer, CountsLinesAndColumns) {
    Tokenizer tokenizer = Tokenizer::fromString("ab\n\tcd\r\n\r\r\nxy", {}, historyOperatorTable());
    Token first = tokenizer.nextToken();
    EXPECT_EQ(first.line, 2); // the line feed after "ab" is already the look-ahead
    EXPECT_EQ(first.column, 0);
    Token second = tokenizer.nextToken();
    EXPECT_EQ(second.line, 2);
    EXPECT_EQ(second.column, 10); // the tab adds 8, each letter 1, the CR nothing
    Token third = tokenizer.nextToken();
    EXPECT_EQ(third.line, 4); // the run of CRs counts as one character and leaves the column
    EXPECT_EQ(third.column, 2);
}

TEST(Tokenizer, PushedBackTokensComeBackLastInFirstOut) {
    Tokenizer tokenizer = Tokenizer::fromString("a b c", {}, historyOperatorTable());
    Token a = tokenizer.nextToken();
    Token b = tokenizer.nextToken();
    tokenizer.pushBack(a);
    tokenizer.pushBack(b);
    EXPECT_THROW(tokenizer.pushBack(a), std::length_error);
    EXPECT_EQ(tokenizer.nextToken().text, "b");
    EXPECT_EQ(tokenizer.peekKind(), tk::Identifier);
    EXPECT_EQ(tokenizer.nextToken().text, "a");
    EXPECT_EQ(tokenizer.expectName("C"), "c");
    EXPECT_EQ(tokenizer.peekKind(), tk::EndOfInput);
    EXPECT_EQ(tokenizer.expect(tk::EndOfInput).kind, tk::EndOfInput);
}

TEST(Tokenizer, SyntaxErrorsNameFileLineColumnAndExpectedKind) {
    const auto folder = telvarin::testing::freshTestFolder();
    const std::string path = (folder / "error.xml").string();
    telvarin::testing::writeBytes(path, "a\r\nb\r\n<Name >\r\n");
    Tokenizer tokenizer = tokenizerForFile(path, {}, historyOperatorTable());
    tokenizer.expectName("a");
    tokenizer.expectName("B");
    tokenizer.expect(tk::Less);
    tokenizer.expectName("name");
    try {
        tokenizer.expect(tk::Equal);
        FAIL() << "no syntax error";
    } catch (const SyntaxError& error) {
        EXPECT_EQ(error.errorCode(), SyntaxError::kFileSource);
        EXPECT_EQ(error.message(), "Syntax Error in Datei: " + path + "\nZeile: 3 Spalte: 7 Erwartet: =\n");
    }

    Tokenizer fromText = Tokenizer::fromString("x 5", {}, historyOperatorTable());
    try {
        fromText.expect(tk::String);
        FAIL() << "no syntax error";
    } catch (const SyntaxError& error) {
        EXPECT_EQ(error.errorCode(), SyntaxError::kStringSource);
        EXPECT_EQ(error.message(), "Syntax Error in Datei: \nZeile: 1 Spalte: 1 Erwartet: IDS_String\n");
    }
    try {
        fromText.expectName("y"); // the number is no identifier
        FAIL() << "no syntax error";
    } catch (const SyntaxError& error) {
        EXPECT_EQ(error.expectedKind(), tk::Identifier);
    }
    Tokenizer wrongName = Tokenizer::fromString("Fal", {}, historyOperatorTable());
    try {
        wrongName.expectName("Fall");
        FAIL() << "no syntax error";
    } catch (const SyntaxError& error) {
        EXPECT_EQ(error.errorCode(), SyntaxError::kFileSource); // a wrong name always says 1
    }
}

TEST(Tokenizer, FileSourceGivesTheSameTokensForEveryBlockSize) {
    const std::string text =
        "<Fallhistorie AnzahlFaelle=\"1\">\r\n\t<Fall Name=\"M\xFCller .'x.''\" a=\"\r\r\r\n"
        "zwei\r\r\"/>\r\n12 -3 4.5 \t\t<//>";
    const auto folder = telvarin::testing::freshTestFolder();
    const std::string path = (folder / "blocks.xml").string();
    telvarin::testing::writeBytes(path, text);
    Tokenizer fromText = Tokenizer::fromString(text, {}, historyOperatorTable());
    const std::vector<Token> expected = allTokens(fromText);
    for (std::size_t blockSize : {1, 2, 3, 7, 64, 1000}) {
        Tokenizer fromFile = tokenizerForFile(path, {}, historyOperatorTable(), blockSize);
        const std::vector<Token> got = allTokens(fromFile);
        ASSERT_EQ(got.size(), expected.size()) << blockSize;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].kind, expected[i].kind) << blockSize << " token " << i;
            EXPECT_EQ(got[i].text, expected[i].text) << blockSize << " token " << i;
            EXPECT_EQ(got[i].line, expected[i].line) << blockSize << " token " << i;
            EXPECT_EQ(got[i].column, expected[i].column) << blockSize << " token " << i;
        }
        EXPECT_EQ(fromFile.inputSize(), text.size());
    }
}

TEST(Tokenizer, FileOfExactlyOneBlockEndsCleanly) {
    const auto folder = telvarin::testing::freshTestFolder();
    const std::string path = (folder / "thousand.xml").string();
    telvarin::testing::writeBytes(path, "<" + std::string(998, 'a') + ">");
    Tokenizer tokenizer = tokenizerForFile(path, {}, historyOperatorTable(), 1000);
    EXPECT_EQ(tokenizer.nextToken().kind, tk::Less);
    EXPECT_EQ(tokenizer.nextToken().text.size(), 998u);
    EXPECT_EQ(tokenizer.nextToken().kind, tk::Greater);
    EXPECT_EQ(tokenizer.nextToken().kind, tk::EndOfInput);
    EXPECT_EQ(tokenizer.nextToken().kind, tk::EndOfInput);
}

TEST(Tokenizer, MissingOrEmptyFileIsAFileError) {
    const auto folder = telvarin::testing::freshTestFolder();
    const std::string empty = (folder / "empty.xml").string();
    telvarin::testing::writeBytes(empty, "");
    for (const std::string& path : {empty, (folder / "missing.xml").string()}) {
        try {
            tokenizerForFile(path, {}, historyOperatorTable());
            FAIL() << "no file error for " << path;
        } catch (const UnreadableFileError& error) {
            EXPECT_EQ(error.errorNumber(), -1);
            EXPECT_EQ(error.message(), " Dateifehler : " + path + " Fehler : -1");
        }
    }
}

} // namespace
} // namespace telvarin
