#include "foundation/text/Tokenizer.h"

#include "history/HistoryReader.h"
#include "tests/history/HistoryTestSupport.h"

#include <array>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

namespace tk = token_kind;
using telvarin::testing::RecordingReporter;

std::vector<Token> allTokens(Tokenizer& tokenizer) {
    std::vector<Token> tokens;
    for (;;) {
        tokens.push_back(tokenizer.nextToken());
        if (tokens.back().kind == tk::EndOfInput)
            return tokens;
    }
}

std::vector<std::pair<TokenKind, std::string>> kindsAndTexts(const std::vector<Token>& tokens) {
    std::vector<std::pair<TokenKind, std::string>> out;
    for (const Token& t : tokens)
        out.emplace_back(t.kind, t.text);
    return out;
}

constexpr std::array<TokenTableEntry, 9> kProgramOperators = {{
    {"\"", tk::String},
    {"<", tk::Less},
    {"<=", tk::LessEqual},
    {"<>", tk::NotEqual},
    {"=", tk::Equal},
    {"/*", tk::CommentStart},
    {"*/", tk::CommentEnd},
    {"//", tk::LineComment},
    {"", tk::TableEnd},
}};

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

TEST(Tokenizer, IdentifiersNumbersAndUnknownCharacters) {
    Tokenizer tokenizer = Tokenizer::fromString("_a.b~1 \xFC"
                                                "ber 12 -5 +7 3.25 1.x .5 - @ \xE9",
                                                {}, kProgramOperators);
    const std::vector<std::pair<TokenKind, std::string>> expected = {
        {tk::Identifier, "_a.b~1"},
        {tk::Identifier, "\xFC"
                         "ber"},
        {tk::Integer, "12"},
        {tk::Integer, "-5"},
        {tk::Integer, "+7"},
        {tk::Float, "3.25"},
        {tk::Float, "1.x"},
        {tk::Float, ".5"},
        {tk::Identifier, ""}, // "-" is no operator here and no digit follows
        {tk::Identifier, ""},
        {tk::Identifier, ""}, // é is no letter of the tokenizer
        {tk::EndOfInput, ""},
    };
    EXPECT_EQ(kindsAndTexts(allTokens(tokenizer)), expected);

    Tokenizer unsignedNumbers = Tokenizer::fromString("-5", {}, kProgramOperators);
    unsignedNumbers.setSignedNumbers(false);
    EXPECT_EQ(unsignedNumbers.nextToken().kind, tk::Identifier);
    EXPECT_EQ(unsignedNumbers.nextToken().text, "5");
}

TEST(Tokenizer, OperatorsCommentsAndStrings) {
    Tokenizer tokenizer = Tokenizer::fromString(
        "<= <> < = /* skipped \"x\" <\n still */ \"a b\" // rest of line \"q\"\n  \"\" \"open", {},
        kProgramOperators);
    const std::vector<std::pair<TokenKind, std::string>> expected = {
        {tk::LessEqual, "<="}, {tk::NotEqual, "<>"}, {tk::Less, "<"},      {tk::Equal, "="},
        {tk::String, "a b"},   {tk::String, ""},     {tk::String, "open"}, {tk::EndOfInput, ""},
    };
    EXPECT_EQ(kindsAndTexts(allTokens(tokenizer)), expected);

    // An empty line comment ends at its own line feed, not at the next one.
    Tokenizer emptyComments = Tokenizer::fromString("<//\n= //\r\n<<>", {}, kProgramOperators);
    const std::vector<std::pair<TokenKind, std::string>> afterEmpty = {
        {tk::Less, "<"}, {tk::Equal, "="}, {tk::Less, "<"}, {tk::NotEqual, "<>"}, {tk::EndOfInput, ""}};
    EXPECT_EQ(kindsAndTexts(allTokens(emptyComments)), afterEmpty);
}

TEST(Tokenizer, StringsKeepEveryByteButCollapseRunsOfCarriageReturns) {
    Tokenizer tokenizer =
        Tokenizer::fromString("\" lead\r\nx\r\r\r\ny\t<>=.''.'\" \"\r\r\"", {}, historyOperatorTable());
    EXPECT_EQ(tokenizer.nextToken().text, " lead\r\nx\r\ny\t<>=\"'");
    EXPECT_EQ(tokenizer.nextToken().text, "\r");
}

TEST(Tokenizer, QuoteEscapingIsExactlyInvertible) {
    EXPECT_EQ(escapeQuotes("plain <&>"), "plain <&>");
    EXPECT_EQ(escapeQuotes("a'b\"c"), "a.'b.''c");
    EXPECT_EQ(unescapeQuotes("a.\"b."), "a.\"b.");
    for (const std::string text :
         {"'", "\"", ".'", ".''", "..''", "'\"'\"", ".'.\"", "x.'y", "\"'.", "''..\"\""}) {
        EXPECT_EQ(unescapeQuotes(escapeQuotes(text)), text) << text;
        EXPECT_EQ(escapeQuotes(text).find('"'), std::string::npos) << text;
    }
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
    Tokenizer tokenizer = Tokenizer::fromFile(path, {}, historyOperatorTable());
    tokenizer.expectName("a");
    tokenizer.expectName("B");
    tokenizer.expect(tk::Less);
    tokenizer.expectName("name");
    try {
        tokenizer.expect(tk::Equal);
        FAIL() << "no syntax error";
    } catch (const ExceptionAccessViolation& error) {
        EXPECT_EQ(error.errorCode(), ExceptionAccessViolation::kFileSource);
        EXPECT_EQ(error.message(), "Syntax Error in Datei: " + path + "\nZeile: 3 Spalte: 7 Erwartet: =\n");
    }

    Tokenizer fromText = Tokenizer::fromString("x 5", {}, historyOperatorTable());
    try {
        fromText.expect(tk::String);
        FAIL() << "no syntax error";
    } catch (const ExceptionAccessViolation& error) {
        EXPECT_EQ(error.errorCode(), ExceptionAccessViolation::kStringSource);
        EXPECT_EQ(error.message(), "Syntax Error in Datei: \nZeile: 1 Spalte: 1 Erwartet: IDS_String\n");
    }
    try {
        fromText.expectName("y"); // the number is no identifier
        FAIL() << "no syntax error";
    } catch (const ExceptionAccessViolation& error) {
        EXPECT_EQ(error.expectedKind(), tk::Identifier);
    }
    Tokenizer wrongName = Tokenizer::fromString("Fal", {}, historyOperatorTable());
    try {
        wrongName.expectName("Fall");
        FAIL() << "no syntax error";
    } catch (const ExceptionAccessViolation& error) {
        EXPECT_EQ(error.errorCode(), ExceptionAccessViolation::kFileSource); // a wrong name always says 1
    }
}

TEST(Tokenizer, DisplayNamesOfTheKinds) {
    EXPECT_EQ(tokenKindDisplayName(tk::EndOfInput), "Dateiende");
    EXPECT_EQ(tokenKindDisplayName(tk::Nothing), "???");
    EXPECT_EQ(tokenKindDisplayName(tk::Float), "IDS_Float");
    EXPECT_EQ(tokenKindDisplayName(tk::CommentStart), "IDS_Kommentar");
    EXPECT_EQ(tokenKindDisplayName(tk::LineComment), "//");
    EXPECT_EQ(tokenKindDisplayName(tk::ParenOpen), "(");
    EXPECT_EQ(tokenKindDisplayName(tk::NotEqual), "<>");
    EXPECT_EQ(tokenKindDisplayName(tk::Assign), ":=");
    EXPECT_EQ(tokenKindDisplayName(-99), "Token -99");
    EXPECT_EQ(tokenKindDisplayName(-126), "Token -126");
    EXPECT_EQ(tokenKindDisplayName(42), "Token 42");
}

TEST(Tokenizer, CharacterClasses) {
    EXPECT_EQ(characterClass('A'), char_class::Upper);
    EXPECT_EQ(characterClass(0xDC), char_class::Upper); // Ü
    EXPECT_EQ(characterClass(0xDF), char_class::Lower); // ß
    EXPECT_EQ(characterClass(0xE9), 0);                 // é has no class
    EXPECT_EQ(characterClass(' '), char_class::Space | char_class::Blank);
    EXPECT_EQ(characterClass('\t'), char_class::Space | char_class::Control);
    EXPECT_EQ(characterClass('_'), char_class::Punctuation | char_class::NameExtra);
    EXPECT_EQ(characterClass(127), char_class::Control);
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
        Tokenizer fromFile = Tokenizer::fromFile(path, {}, historyOperatorTable(), blockSize);
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
    Tokenizer tokenizer = Tokenizer::fromFile(path, {}, historyOperatorTable(), 1000);
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
            Tokenizer::fromFile(path, {}, historyOperatorTable());
            FAIL() << "no file error for " << path;
        } catch (const ExceptionFileError& error) {
            EXPECT_EQ(error.errorNumber(), -1);
            EXPECT_EQ(error.message(), " Dateifehler : " + path + " Fehler : -1");
        }
    }
}

TEST(TokenizerExceptions, ReportedOnceAndNeverForAQuestionMark) {
    RecordingReporter reporter;
    ExceptionAccessViolation error(1, "f.xml", tk::Greater, 4, 2);
    EXPECT_EQ(error.report(reporter), 1);
    EXPECT_EQ(error.report(reporter), 1);
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0], "Fehler:\nSyntax Error in Datei: f.xml\nZeile: 2 Spalte: 4 Erwartet: >\n");
    EXPECT_TRUE(error.reported());

    MyException unknown;
    EXPECT_EQ(unknown.report(reporter), 0);
    EXPECT_FALSE(unknown.reported());
    EXPECT_EQ(reporter.shown.size(), 1u);

    EXPECT_EQ(ExceptionAccessViolation(3, "f.xml", tk::Greater, 4, 2).message(), "Unbekannter Fehler");
}

} // namespace
} // namespace telvarin
