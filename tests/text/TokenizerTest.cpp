#include "foundation/text/Tokenizer.h"

#include "tests/text/RecordingReporter.h"
#include "tests/text/TokenSequence.h"

#include <array>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

namespace tk = token_kind;
using telvarin::testing::allTokens;
using telvarin::testing::kindsAndTexts;
using telvarin::testing::RecordingReporter;

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

TEST(TokenizerExceptions, ReportedOnceAndNeverForAQuestionMark) {
    RecordingReporter reporter;
    SyntaxError error(1, "f.xml", tk::Greater, 4, 2);
    EXPECT_EQ(error.report(reporter), 1);
    EXPECT_EQ(error.report(reporter), 1);
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0], "Fehler:\nSyntax Error in Datei: f.xml\nZeile: 2 Spalte: 4 Erwartet: >\n");
    EXPECT_TRUE(error.reported());

    TokenizerError unknown;
    EXPECT_EQ(unknown.report(reporter), 0);
    EXPECT_FALSE(unknown.reported());
    EXPECT_EQ(reporter.shown.size(), 1u);

    EXPECT_EQ(SyntaxError(3, "f.xml", tk::Greater, 4, 2).message(), "Unbekannter Fehler");
}

} // namespace
} // namespace telvarin
