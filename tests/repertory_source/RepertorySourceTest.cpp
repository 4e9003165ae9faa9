#include "repertory/RepertorySource.h"

#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryDataFile.h"
#include "repertory/RepertoryDatabase.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace telvarin {
namespace {

std::vector<std::byte> compiled(std::string_view source) {
    RepertoryCompileResult result = compileRepertorySource(source);
    if (const auto* error = std::get_if<RepertorySourceError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << error->message;
        return {};
    }
    return std::get<std::vector<std::byte>>(std::move(result));
}

RepertorySourceError errorOf(std::string_view source) {
    const RepertoryCompileResult result = compileRepertorySource(source);
    if (const auto* error = std::get_if<RepertorySourceError>(&result))
        return *error;
    ADD_FAILURE() << "compiled although it should not:\n" << source;
    return {};
}

template <typename Record>
Record recordAt(const std::vector<std::byte>& bytes, std::size_t offset) {
    Record record{};
    EXPECT_LE(offset + sizeof record, bytes.size());
    if (offset + sizeof record <= bytes.size())
        std::memcpy(&record, bytes.data() + offset, sizeof record);
    return record;
}

// Every byte of a text field after the text must be zero.
template <std::size_t N>
void expectText(const char (&field)[N], std::string_view text) {
    EXPECT_EQ(std::string_view(field, text.size()), text);
    for (std::size_t k = text.size(); k < N; ++k)
        ASSERT_EQ(field[k], '\0') << "byte " << k << " after " << text;
}

std::string declarations() {
    return "REMEDY acon.\nREMEDY bry.\nCHAPTER HEAD\nSECTION GENERAL\n";
}

TEST(RepertorySourceCompiler, WritesEveryFieldOfTheDataFileLayout) {
    const std::string source = "\xEF\xBB\xBF# a tiny repertory\r\n"
                               "REMEDY acon.\r\n"
                               "  REMEDY\tbry.  \n"
                               "\n"
                               "CHAPTER HEAD\n"
                               "SECTION GENERAL\n"
                               "RUBRIC Pain | acon.:3 bry.:B2\n"
                               "RUBRIC  Pain, night  |  bry.   | COUNTER 3 BD 2\n"
                               "SECTION TIME\n"
                               "   # an empty section\n"
                               "CHAPTER CHEST\n"
                               "SECTION GENERAL\n"
                               "RUBRIC Oppression | acon.:5 acon. | COUNTER 1\n";
    const std::vector<std::byte> bytes = compiled(source);

    const auto counts = recordAt<RepertoryFileCounts>(bytes, 0);
    EXPECT_EQ(counts.chapters, 2);
    EXPECT_EQ(counts.sections, 3);
    EXPECT_EQ(counts.rubrics, 3);
    EXPECT_EQ(counts.remedyEntries, 5);
    EXPECT_EQ(counts.remedies, 2);

    std::size_t offset = sizeof(RepertoryFileCounts);
    const auto head = recordAt<ChapterRecord>(bytes, offset);
    const auto chest = recordAt<ChapterRecord>(bytes, offset + sizeof(ChapterRecord));
    expectText(head.name, "HEAD");
    expectText(chest.name, "CHEST");
    EXPECT_EQ(head.sectionEnd, 2);
    EXPECT_EQ(chest.sectionEnd, 3);

    offset += 2 * sizeof(ChapterRecord);
    const std::array<std::pair<std::string_view, int>, 3> sections = {
        {{"GENERAL", 2}, {"TIME", 2}, {"GENERAL", 3}}};
    for (const auto& [name, rubricEnd] : sections) {
        const auto section = recordAt<SectionRecord>(bytes, offset);
        expectText(section.name, name);
        EXPECT_EQ(section.rubricEnd, rubricEnd) << name;
        offset += sizeof(SectionRecord);
    }

    struct ExpectedRubric {
        std::string_view text;
        int counter, bd, first, count;
    };
    const std::array<ExpectedRubric, 3> rubrics = {
        {{"Pain", 0, 0, 0, 2}, {"Pain, night", 3, 2, 2, 1}, {"Oppression", 1, 0, 3, 2}}};
    for (const ExpectedRubric& expected : rubrics) {
        const auto rubric = recordAt<RubricRecord>(bytes, offset);
        expectText(rubric.text, expected.text);
        EXPECT_EQ(rubric.counterPolarity, expected.counter) << expected.text;
        EXPECT_EQ(rubric.counterPolarityBd, expected.bd) << expected.text;
        EXPECT_EQ(rubric.firstEntry, expected.first) << expected.text;
        EXPECT_EQ(rubric.entryCount, expected.count) << expected.text;
        offset += sizeof(RubricRecord);
    }

    const std::array<RemedyEntry, 5> entries = {0 | kGrade3Mark, 1 | kBdMark | kGrade2Mark, 1,
                                                0 | kGrade5Mark, 0};
    for (RemedyEntry expected : entries) {
        EXPECT_EQ(recordAt<RemedyEntry>(bytes, offset), expected);
        offset += sizeof(RemedyEntry);
    }
    const std::string_view abbreviations("acon.\0bry.\0", 11);
    ASSERT_EQ(bytes.size(), offset + abbreviations.size());
    EXPECT_EQ(std::memcmp(bytes.data() + offset, abbreviations.data(), abbreviations.size()), 0);
}

TEST(RepertorySourceCompiler, ConvertsTextsToTheCodePageAndCountsWidthInItsBytes) {
    // 222 letters and an e acute make 223 bytes in Windows-1252, although 224 in UTF-8.
    const std::string longest = std::string(222, 'x') + "é";
    const std::vector<std::byte> bytes = compiled("REMEDY acon.\nCHAPTER €"
                                                  "URO\nSECTION S\nRUBRIC " +
                                                  longest + " | acon.\n");
    const auto chapter = recordAt<ChapterRecord>(bytes, sizeof(RepertoryFileCounts));
    expectText(chapter.name, "\x80URO");
    const auto rubric = recordAt<RubricRecord>(bytes, sizeof(RepertoryFileCounts) + sizeof(ChapterRecord) +
                                                          sizeof(SectionRecord));
    EXPECT_EQ(std::string_view(rubric.text, 223), std::string(222, 'x') + "\xE9");
    EXPECT_EQ(rubric.text[223], '\0');
}

TEST(RepertorySourceCompiler, AcceptsTheLongestNamesTheFieldsHold) {
    const std::string source = "REMEDY a.\nCHAPTER " + std::string(127, 'C') + "\nSECTION " +
                               std::string(171, 'S') + "\nRUBRIC " + std::string(223, 'r') + " | a.\n";
    EXPECT_FALSE(compiled(source).empty());
}

struct ErrorCase {
    const char* what;
    std::string source;
    int line;
    std::string message;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ErrorCase& error, std::ostream* out) {
    *out << error.what;
}

class RepertorySourceErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RepertorySourceErrors, NameTheLineAndTheProblem) {
    const ErrorCase& error = GetParam();
    const RepertorySourceError found = errorOf(error.source);
    EXPECT_EQ(found.line, error.line);
    EXPECT_NE(found.message.find(error.message), std::string::npos) << found.message;
    if (error.line > 0) {
        EXPECT_TRUE(found.message.starts_with("Zeile " + std::to_string(error.line) + ": ")) << found.message;
    }
}

const std::string kRubricLine = "RUBRIC Pain | acon.\n";

INSTANTIATE_TEST_SUITE_P(
    Compiler, RepertorySourceErrors,
    ::testing::Values(
        ErrorCase{"unknown remedy", declarations() + "RUBRIC Pain | acon. xyz.\n", 5,
                  "Zeile 5: unbekanntes Mittel \"xyz.\""},
        ErrorCase{"remedy declared only after its use",
                  "CHAPTER A\nSECTION B\nRUBRIC x | acon.\nREMEDY acon.\n", 3,
                  "unbekanntes Mittel \"acon.\""},
        ErrorCase{"entry without remedy", declarations() + "RUBRIC Pain | acon. :3\n", 5,
                  "Eintrag \":3\" ohne Mittel"},
        ErrorCase{"rubric without entries", declarations() + "RUBRIC Pain |  \n", 5, "Rubrik ohne Mittel"},
        ErrorCase{"rubric without bar", declarations() + "RUBRIC Pain acon.\n", 5, "ohne \"|\""},
        ErrorCase{"rubric without text", declarations() + "RUBRIC | acon.\n", 5, "Rubriktext fehlt"},
        ErrorCase{"unknown mark", declarations() + "RUBRIC Pain | acon.:7\n", 5, "Markierung \"7\""},
        ErrorCase{"colon without mark", declarations() + "RUBRIC Pain | acon.:\n", 5, "ohne Markierung"},
        ErrorCase{"rubric text too long", declarations() + "RUBRIC " + std::string(224, 'r') + " | acon.\n",
                  5,
                  "Rubriktext zu lang (224 Bytes, hö"
                  "chstens 223)"},
        ErrorCase{"chapter name too long", "CHAPTER " + std::string(128, 'C') + "\n", 1,
                  "Kapitelname zu lang"},
        ErrorCase{"section name too long", "CHAPTER C\nSECTION " + std::string(172, 'S') + "\n", 2,
                  "Abschnittsname zu lang"},
        ErrorCase{"counter beyond the last rubric",
                  declarations() + "RUBRIC a | acon. | COUNTER 3\n" + kRubricLine, 5,
                  "Gegenpolarität 3 auß"
                  "erhalb 1..2"},
        ErrorCase{"counter zero", declarations() + kRubricLine + "RUBRIC b | acon. | COUNTER 0\n", 6, "1..2"},
        ErrorCase{"counter not a number", declarations() + "RUBRIC a | acon. | COUNTER -1\n", 5,
                  "COUNTER Nummer"},
        ErrorCase{"BD value too large", declarations() + "RUBRIC a | acon. | COUNTER 1 BD 5\n", 5,
                  "BD-Wert 5 auß"
                  "erhalb 0..4"},
        ErrorCase{"garbage after the BD value", declarations() + "RUBRIC a | acon. | COUNTER 1 BD 2 x\n", 5,
                  "COUNTER Nummer BD Wert"},
        ErrorCase{"rubric before any section", "REMEDY acon.\nCHAPTER A\n" + kRubricLine, 3,
                  "vor dem ersten Abschnitt"},
        ErrorCase{"rubric in a new chapter before its section", declarations() + "CHAPTER B\n" + kRubricLine,
                  6, "vor dem ersten Abschnitt"},
        ErrorCase{"section before any chapter", "REMEDY acon.\nSECTION GENERAL\n", 2,
                  "vor dem ersten Kapitel"},
        ErrorCase{"duplicate abbreviation", "REMEDY acon.\nREMEDY bry.\nREMEDY acon.\n", 3,
                  "\"acon.\" ist schon in Zeile 1"},
        ErrorCase{"abbreviation with a blank", "REMEDY acon. x\n", 1, "ungültige Abkürzung"},
        ErrorCase{"abbreviation with a colon", "REMEDY a:b.\n", 1, "ungültige Abkürzung"},
        ErrorCase{"character outside the code page", declarations() + "RUBRIC Pain → chest | acon.\n", 5,
                  "U+2192 gibt es in Windows-1252 nicht"},
        ErrorCase{"character beyond the basic plane", "REMEDY acon.\nCHAPTER 😀\n", 2, "U+01F600"},
        ErrorCase{"broken UTF-8", declarations() + "RUBRIC Pain \xC3 | acon.\n", 5, "UTF-8"},
        ErrorCase{"control character", declarations() + "RUBRIC Pain\x01 | acon.\n", 5, "Steuerzeichen"},
        ErrorCase{"unknown statement", "REMEDY acon.\nrubric x | acon.\n", 2,
                  "unbekannte Anweisung \"rubric\""},
        ErrorCase{"empty source", "# nothing\n\n", 0, "kein Kapitel"},
        ErrorCase{"no rubric", "REMEDY acon.\nCHAPTER A\nSECTION B\n", 0, "keine Rubrik"},
        ErrorCase{"no section", "CHAPTER A\n", 0, "keinen Abschnitt"}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(RepertorySourceCompiler, RefusesMoreRemediesThanAnEntryWordCanIndex) {
    std::string source;
    for (int k = 0; k < 2048; ++k)
        source += "REMEDY r" + std::to_string(k) + ".\n";
    source += "CHAPTER A\nSECTION B\nRUBRIC x | r2047.\n";
    const std::vector<std::byte> bytes = compiled(source);
    const std::size_t entryOffset =
        sizeof(RepertoryFileCounts) + sizeof(ChapterRecord) + sizeof(SectionRecord) + sizeof(RubricRecord);
    EXPECT_EQ(recordAt<RemedyEntry>(bytes, entryOffset), 2047u);

    source.insert(source.find("CHAPTER"), "REMEDY one-too-many.\n");
    const RepertorySourceError error = errorOf(source);
    EXPECT_EQ(error.line, 2049);
    EXPECT_NE(error.message.find("zu viele Mittel"), std::string::npos);
}

// The hand-written test repertory, loaded as the program loads a data file.
class TestRepertory : public ::testing::Test {
protected:
    static std::string sourceText() {
        std::ifstream file(TELVARIN_TEST_DATA_DIR "/test-repertory.txt", std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::vector<std::byte> bytes_ = compiled(sourceText());
    RepertoryDatabase db_ = std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes(bytes_));

    std::vector<int> grades(int rubricIndex) const {
        std::vector<int> result;
        for (RemedyEntry entry : db_.remedyList(rubricIndex))
            result.push_back(gradeOf(entry));
        return result;
    }
    std::vector<std::string_view> names(int rubricIndex) const {
        std::vector<std::string_view> result;
        for (RemedyEntry entry : db_.remedyList(rubricIndex))
            result.push_back(db_.remedyName(remedyOf(entry)).bytes());
        return result;
    }
};

TEST_F(TestRepertory, HasTheFiguresItsHeaderPromises) {
    EXPECT_EQ(db_.chapterCount(), 4);
    EXPECT_EQ(db_.sectionCount(), 10);
    EXPECT_EQ(db_.rubricCount(), 19);
    EXPECT_EQ(db_.remedyEntryCount(), 68);
    EXPECT_EQ(db_.remedyCount(), 14);
    const std::vector<int> sectionEnds = {3, 6, 7, 10};
    const std::vector<int> rubricEnds = {3, 3, 5, 5, 9, 12, 15, 18, 19, 19};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(db_.sectionEnd(c), sectionEnds[static_cast<std::size_t>(c)]);
    for (int s = 0; s < 10; ++s)
        EXPECT_EQ(db_.rubricEnd(s), rubricEnds[static_cast<std::size_t>(s)]);
    EXPECT_EQ(db_.sectionName(3).bytes(), "EXTERNAL HEAD");
    EXPECT_EQ(db_.sectionName(9).bytes(), "CROSS REFERENCE");
    EXPECT_EQ(db_.rubricTextField(1).bytes(), "Anxiety, about his fianc\xE9"
                                              "e");
    EXPECT_EQ(db_.remedyName(11).bytes(), "zinc-valerian.");
}

TEST_F(TestRepertory, CarriesCounterPolaritiesWithTheirBdValues) {
    std::vector<std::pair<int, int>> counters;
    for (int r = 0; r < db_.rubricCount(); ++r)
        counters.emplace_back(db_.rubric(r).counterPolarity, db_.rubric(r).counterPolarityBd);
    const std::vector<std::pair<int, int>> expected = {
        {0, 0}, {0, 0}, {0, 0}, {5, 0}, {4, 0}, {7, 1},  {6, 0},  {0, 0},  {0, 0}, {0, 0},
        {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {18, 0}, {18, 0}, {16, 0}, {0, 0}};
    EXPECT_EQ(counters, expected);
}

TEST_F(TestRepertory, DecodesMarksGradesAndRepeatedRemedies) {
    EXPECT_EQ(names(0)[1], "agar.");
    EXPECT_EQ(names(0)[2], "ag-c.");
    EXPECT_EQ(grades(0)[1], grades(0)[2]) << "agar. and ag-c. tie";
    EXPECT_TRUE(isBdEntry(db_.remedyList(1)[2]));
    EXPECT_EQ(db_.remedyList(2).size(), 5u);
    EXPECT_EQ(grades(5), (std::vector<int>{3, 4, 1})) << "marks 3 and 4 give grade 4";
    EXPECT_EQ(grades(7), (std::vector<int>{1, 3, 2, 1, 3, 1})) << "marks 2 and 3 give grade 3";
    EXPECT_EQ(grades(8)[0], 5);
    EXPECT_EQ(names(10), (std::vector<std::string_view>{"sep.", "sep.", "sulph."}));
    EXPECT_EQ(grades(10), (std::vector<int>{1, 3, 1}));
    const RemedyEntry bdGradeFive = db_.remedyList(11)[0];
    EXPECT_EQ(gradeOf(bdGradeFive), 5);
    EXPECT_TRUE(isBdEntry(bdGradeFive));
    EXPECT_EQ(bdGradeFive, 0u | kGrade5Mark | kBdMark);
}

} // namespace
} // namespace telvarin
