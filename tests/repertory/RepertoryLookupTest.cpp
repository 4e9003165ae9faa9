#include "TinyRepertory.h"
#include "data/BuiltinRepertory.h"
#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryDatabase.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

class TinyLookup : public ::testing::Test {
protected:
    std::vector<std::byte> bytes_ = test::TinyRepertory::sample().bytes();
    RepertoryDatabase db_ = std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes(bytes_));
};

TEST(RemedyEntryDecoding, GradeFollowsTheMarkPriorityNotTheBitOrder) {
    EXPECT_EQ(gradeOf(0), 1);
    EXPECT_EQ(gradeOf(kGrade2Mark), 2);
    EXPECT_EQ(gradeOf(kGrade3Mark), 3);
    EXPECT_EQ(gradeOf(kGrade4Mark), 4);
    EXPECT_EQ(gradeOf(kGrade5Mark | kGrade4Mark), 5);
    EXPECT_EQ(gradeOf(kGrade3Mark | kGrade4Mark), 4);
    EXPECT_EQ(gradeOf(kGrade2Mark | kGrade3Mark), 3);
    EXPECT_EQ(gradeOf(kBdMark | 17), 1);
    EXPECT_TRUE(isBdEntry(kBdMark | 17));
    EXPECT_EQ(remedyOf(kBdMark | kGrade4Mark | 932), 932);
}

TEST(RemedyEntryDecoding, GradeFilterLooksAtTheMarksAndTheBdRule) {
    const GradeSelection high{false, false, true, true, true};
    const GradeSelection all{true, true, true, true, true};
    EXPECT_FALSE(passesGradeFilter(kGrade2Mark, high, false, true));
    EXPECT_TRUE(passesGradeFilter(kGrade2Mark, all, false, true));
    // Two marks: either one wanted is enough, although gradeOf says 3.
    EXPECT_TRUE(
        passesGradeFilter(kGrade2Mark | kGrade3Mark, {false, true, false, false, false}, false, true));
    EXPECT_FALSE(
        passesGradeFilter(kGrade2Mark | kGrade3Mark, {true, false, false, false, false}, false, true));
    // Unless the BD mark is ignored it must equal the wanted one.
    EXPECT_FALSE(passesGradeFilter(kBdMark, all, false, false));
    EXPECT_TRUE(passesGradeFilter(kBdMark, all, true, false));
    EXPECT_FALSE(passesGradeFilter(0, all, true, false));
    EXPECT_TRUE(passesGradeFilter(kBdMark, all, false, true));
}

TEST_F(TinyLookup, ValidatesSymptomsByNumberAndBdValue) {
    EXPECT_TRUE(db_.isValidSymptom(5, 0));
    EXPECT_TRUE(db_.isValidSymptom(-5, 0));
    EXPECT_FALSE(db_.isValidSymptom(6, 0));
    EXPECT_FALSE(db_.isValidSymptom(-6, 0));
    EXPECT_FALSE(db_.isValidSymptom(0, 0));
    EXPECT_FALSE(db_.isValidSymptom(5, 1));
    EXPECT_FALSE(db_.isValidSymptom(5, 5));
    EXPECT_FALSE(db_.isValidSymptom(5, -1));
    EXPECT_FALSE(db_.isValidSymptom(std::numeric_limits<int>::min(), 0));
    EXPECT_EQ(db_.rubricIndex(-5, 0), 4);
    EXPECT_EQ(db_.rubricIndex(5, 2), -1);
}

TEST_F(TinyLookup, MapsRubricsToSectionsAcrossEmptySections) {
    EXPECT_EQ(db_.sectionOfRubric(0), 0);
    EXPECT_EQ(db_.sectionOfRubric(2), 1);
    // Section 2 is empty and ends where section 1 ends: record 3 lies in section 3.
    EXPECT_EQ(db_.sectionOfRubric(3), 3);
    EXPECT_EQ(db_.sectionOfRubric(4), 4);
    EXPECT_EQ(db_.sectionOfRubric(5), -1);
    EXPECT_EQ(db_.sectionOfRubric(-1), -1);
    EXPECT_EQ(db_.chapterOfSection(1), 0);
    EXPECT_EQ(db_.chapterOfSection(2), 1);
    EXPECT_EQ(db_.chapterOfSection(5), 2);
    EXPECT_EQ(db_.chapterOfSection(6), -1);
    EXPECT_EQ(db_.chapterOfRubric(3), 1);
    EXPECT_EQ(db_.firstRubricNumberOfChapter(1), 4);
    EXPECT_EQ(db_.lastRubricNumberOfChapter(1), 4);
    EXPECT_EQ(db_.firstRubricNumberOfChapter(2), 5);
    EXPECT_EQ(db_.lastRubricNumberOfChapter(2), 5);
}

TEST_F(TinyLookup, ReplacedTextsAreCutToTheirFieldWidth) {
    db_.replaceRubricText(0, Windows1252Text(std::string(300, 'r')));
    db_.replaceChapterName(0, "GEIST"_w1252);
    EXPECT_EQ(db_.rubricTextField(0).bytes().size(), kRubricTextSize - 1);
    EXPECT_EQ(db_.chapterName(0).bytes(), "GEIST");
    EXPECT_EQ(db_.rubricTextField(1).bytes(), "Anxiety");
}

TEST(ReferenceLookup, SectionAndChapterBoundsOfTheFirstChapter) {
    const RepertoryLoadResult loaded = loadBuiltinRepertory();
    ASSERT_TRUE(std::holds_alternative<RepertoryDatabase>(loaded));
    const auto& db = std::get<RepertoryDatabase>(loaded);
    EXPECT_EQ(db.sectionOfRubric(806), 0);
    EXPECT_EQ(db.sectionOfRubric(807), 1);
    EXPECT_EQ(db.chapterOfSection(5), 0);
    EXPECT_EQ(db.chapterOfSection(6), 1);
    EXPECT_EQ(db.rubricIndex(26564, 0), 26563);
    EXPECT_EQ(db.rubricIndex(-26564, 0), 26563);
    EXPECT_TRUE(db.isValidSymptom(-26564, 0));
    EXPECT_FALSE(db.isValidSymptom(26565, 0));
    EXPECT_EQ(db.lastRubricNumberOfChapter(0), 1073);
    EXPECT_EQ(db.firstRubricNumberOfChapter(1), 1074);
    EXPECT_EQ(db.firstRubricNumberOfChapter(57), 25672);
    EXPECT_EQ(db.lastRubricNumberOfChapter(57), 26564);
}

} // namespace
} // namespace telvarin
