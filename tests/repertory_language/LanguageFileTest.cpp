#include "repertory/LanguageFile.h"

#include "data/BuiltinRepertory.h"
#include "tests/repertory/TinyRepertory.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace telvarin {
namespace {

using namespace std::string_literals;

// Every text of the tiny repertory in the order of a language file's lines.
std::vector<std::string> textsInFileOrder(const RepertoryDatabase& db) {
    return {std::string(db.chapterName(0).bytes()),     std::string(db.sectionName(0).bytes()),
            std::string(db.rubricTextField(0).bytes()), std::string(db.rubricTextField(1).bytes()),
            std::string(db.sectionName(1).bytes()),     std::string(db.rubricTextField(2).bytes()),
            std::string(db.chapterName(1).bytes()),     std::string(db.sectionName(2).bytes()),
            std::string(db.sectionName(3).bytes()),     std::string(db.rubricTextField(3).bytes()),
            std::string(db.chapterName(2).bytes()),     std::string(db.sectionName(4).bytes()),
            std::string(db.rubricTextField(4).bytes()), std::string(db.sectionName(5).bytes())};
}

std::string joined(const std::vector<std::string>& lines, const std::string& lineEnd) {
    std::string text;
    for (const std::string& line : lines)
        text += line + lineEnd;
    return text;
}

std::vector<std::string> numberedLines(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back("Zeile " + std::to_string(i));
    return lines;
}

class TinyLanguageFile : public ::testing::Test {
protected:
    bool apply(const std::string& content) {
        std::istringstream input(content);
        return applyLanguageTexts(db_, input);
    }
    std::vector<std::string> texts() const { return textsInFileOrder(db_); }

    std::vector<std::byte> bytes_ = test::TinyRepertory::sample().bytes();
    RepertoryDatabase db_ = std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes(bytes_));
};

TEST_F(TinyLanguageFile, LinesFollowTheTreeOrderAndEmptySectionsGiveOnlyTheirName) {
    EXPECT_EQ(languageLineCount(db_), 14);
    const std::vector<std::string> lines = numberedLines(14);
    EXPECT_TRUE(apply(joined(lines, "\r\n")));
    EXPECT_EQ(texts(), lines);
}

TEST_F(TinyLanguageFile, MissingOrEmptyFileChangesNothing) {
    const std::vector<std::string> before = texts();
    EXPECT_FALSE(apply(""));
    EXPECT_FALSE(applyLanguageFile(db_, "/nonexistent/velmar.lang"));
    EXPECT_EQ(texts(), before);
    EXPECT_EQ(before.front(), "MIND");
}

TEST_F(TinyLanguageFile, ShortFileEmptiesTheRestAndEmptyLinesGiveEmptyTexts) {
    EXPECT_TRUE(apply("GEIST\r\n\r\nAllgemein"));
    std::vector<std::string> expected(14);
    expected[0] = "GEIST";
    expected[2] = "Allgemein";
    EXPECT_EQ(texts(), expected);
}

TEST_F(TinyLanguageFile, LineEnds) {
    // CR LF, runs of CR, a lone CR, a lone LF, and a last line ending at the end of the file.
    EXPECT_TRUE(apply("A\r\nB\r\r\r\nC\rD\nE\r\n\r\nG\r\r\rH\r\nI"));
    const std::vector<std::string> expected{"A", "B", "C", "D", "E", "", "G", "H", "I", "", "", "", "", ""};
    EXPECT_EQ(texts(), expected);
}

TEST_F(TinyLanguageFile, LongLinesAreCutToTheirFieldAndTheNextLineStaysInPlace) {
    const std::string huge(5000, 'x');
    EXPECT_TRUE(apply(huge + "\r\n" + huge + "\r\n" + huge + "\r\nnext\r\nNUL\0after\r\nlast"s));
    const std::vector<std::string> result = texts();
    EXPECT_EQ(result[0], std::string(kChapterNameSize - 1, 'x'));
    EXPECT_EQ(result[1], std::string(kSectionNameSize - 1, 'x'));
    EXPECT_EQ(result[2], std::string(kRubricTextSize - 1, 'x'));
    EXPECT_EQ(result[3], "next");
    EXPECT_EQ(result[4], "NUL");
    EXPECT_EQ(result[5], "last");
}

TEST_F(TinyLanguageFile, NonAsciiBytesArePassedThrough) {
    EXPECT_TRUE(apply("GEM\xDC"
                      "T\r\n\xE4\xF6\xFC\xDF\x80\xFF\r\n"));
    EXPECT_EQ(texts()[0], "GEM\xDC"
                          "T");
    EXPECT_EQ(texts()[1], "\xE4\xF6\xFC\xDF\x80\xFF");
}

// Blocks of 1,000 bytes: line ends and CR runs split across a block boundary, and files whose size
// is an exact multiple of the block size.
TEST(LanguageLineReader, BlockBoundaries) {
    for (std::size_t split : {997u, 998u, 999u, 1000u, 1001u, 1999u, 2000u}) {
        SCOPED_TRACE(split);
        std::string content(split - 2, 'a');
        content += "\r\r\r\nzweite\r\n";
        std::istringstream input(content);
        LanguageLineReader reader(input);
        EXPECT_EQ(reader.readLine(5000).size(), split - 2);
        EXPECT_EQ(reader.readLine(5000), "zweite");
        EXPECT_TRUE(reader.atEnd());
        EXPECT_EQ(reader.readLine(5000), "");
    }
    for (std::size_t size : {1000u, 2000u, 3000u}) {
        SCOPED_TRACE(size);
        std::string content(size - 2, 'b');
        content += "\r\n";
        std::istringstream input(content);
        LanguageLineReader reader(input);
        EXPECT_EQ(reader.readLine(5000), std::string(size - 2, 'b'));
        EXPECT_EQ(reader.readLine(5000), "");
        std::string withoutEnd(size, 'c');
        std::istringstream unterminated(withoutEnd);
        LanguageLineReader second(unterminated);
        EXPECT_EQ(second.readLine(5000), withoutEnd);
        EXPECT_TRUE(second.atEnd());
    }
}

class ReferenceLanguageFile : public ::testing::Test {
protected:
    static const std::vector<std::byte>& bytes() {
        static const std::vector<std::byte> copy = [] {
            const std::span<const std::byte> builtin = builtinRepertoryBytes();
            return std::vector<std::byte>(builtin.begin(), builtin.end());
        }();
        return copy;
    }
    RepertoryDatabase db_ = std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes(bytes()));
    RepertoryDatabase original_ = std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes(bytes()));
};

TEST_F(ReferenceLanguageFile, CompleteFileReplacesTheFirstSevenChaptersOnly) {
    ASSERT_EQ(languageLineCount(db_), 4992);
    ASSERT_EQ(db_.chapterName(0).bytes(), "MIND");
    ASSERT_EQ(db_.chapterName(6).bytes(), "EARS");
    ASSERT_EQ(db_.chapterName(7).bytes(), "NOSE");

    // Extra lines after the last covered record are never read.
    const std::filesystem::path path =
        std::filesystem::path(TELVARIN_TEST_OUTPUT_DIR) / "complete_velmar.lang";
    {
        std::ofstream out(path, std::ios::binary);
        out << joined(numberedLines(4992 + 50), "\r\n");
    }
    EXPECT_TRUE(applyLanguageFile(db_, path.string()));

    EXPECT_EQ(db_.chapterName(0).bytes(), "Zeile 1");
    EXPECT_EQ(db_.sectionName(0).bytes(), "Zeile 2");
    EXPECT_EQ(db_.rubricTextField(0).bytes(), "Zeile 3");
    const int lastSection = db_.sectionEnd(6) - 1;
    const int lastRubric = db_.rubricEnd(lastSection) - 1;
    EXPECT_EQ(lastSection, 45);
    EXPECT_EQ(lastRubric, 4938);
    EXPECT_EQ(db_.rubricTextField(lastRubric).bytes(), "Zeile 4992");
    for (int chapter = 7; chapter < db_.chapterCount(); ++chapter)
        EXPECT_EQ(db_.chapterName(chapter).bytes(), original_.chapterName(chapter).bytes());
    for (int section = lastSection + 1; section < db_.sectionCount(); ++section)
        EXPECT_EQ(db_.sectionName(section).bytes(), original_.sectionName(section).bytes());
    for (int rubric = lastRubric + 1; rubric < db_.rubricCount(); ++rubric)
        ASSERT_EQ(db_.rubricTextField(rubric).bytes(), original_.rubricTextField(rubric).bytes()) << rubric;
}

TEST_F(ReferenceLanguageFile, OneLineRenamesMindAndEmptiesTheFirstSevenChapters) {
    std::istringstream input("GEM\xDC"
                             "T");
    EXPECT_TRUE(applyLanguageTexts(db_, input));
    EXPECT_EQ(db_.chapterName(0).bytes(), "GEM\xDC"
                                          "T");
    for (int chapter = 1; chapter < 7; ++chapter)
        EXPECT_EQ(db_.chapterName(chapter).bytes(), "");
    for (int section = 0; section < 46; ++section)
        EXPECT_EQ(db_.sectionName(section).bytes(), "");
    for (int rubric = 0; rubric < 4939; ++rubric)
        ASSERT_EQ(db_.rubricTextField(rubric).bytes(), "") << rubric;
    EXPECT_EQ(db_.chapterName(7).bytes(), "NOSE");
    EXPECT_EQ(db_.rubricTextField(4939).bytes(), original_.rubricTextField(4939).bytes());
}

} // namespace
} // namespace telvarin
