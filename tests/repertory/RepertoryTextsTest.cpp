#include "repertory/RepertoryTexts.h"

#include "TinyRepertory.h"
#include "data/BuiltinRepertory.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

class TinyTexts : public ::testing::Test {
protected:
    std::vector<std::byte> bytes_ = test::TinyRepertory::sample().bytes();
    RepertoryDatabase db_ = std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes(bytes_));
};

TEST_F(TinyTexts, NumberAndRubricTexts) {
    EXPECT_EQ(numberText(-1, 0), "-1");
    EXPECT_EQ(numberText(26565, 0), "26565");
    EXPECT_EQ(numberText(0, 0), "0");
    EXPECT_EQ(numberText(12, 3), "");
    EXPECT_EQ(rubricText(db_, 2), "Anxiety [6]");
    EXPECT_EQ(rubricText(db_, -2), "Anxiety [6]");
    EXPECT_EQ(rubricText(db_, 0), "");
    EXPECT_EQ(rubricText(db_, 6), "");
    EXPECT_EQ(rubricText(db_, -6), "");
}

TEST_F(TinyTexts, RemedyListsBreakAfterEveryFifthItemButNotAtTheEnd) {
    // Exactly five items: one line, the last item keeps its trailing blank.
    EXPECT_EQ(remedyListText(db_, 3, 0),
              "acon.        (1) agar.        (1) ag-c.        (1) sep.         (1) "
              "averylongname.(1) ");
    // Six items: the sixth on a second line; grades from the marks, the long name not padded.
    EXPECT_EQ(remedyListText(db_, 2, 0),
              "sep.         (1) sep.         (3) averylongname.(4) acon.        (5) "
              "agar.        (1) \r\nag-c.        (3) ");
    EXPECT_EQ(remedyListText(db_, -2, 0), remedyListText(db_, 2, 0));
    EXPECT_EQ(remedyListText(db_, 2, 1), "");
    EXPECT_EQ(remedyListText(db_, 0, 0), "");
    EXPECT_EQ(remedyListText(db_, 6, 0), "");
    // By grade: the highest first, by name within a grade.
    EXPECT_EQ(remedyListText(db_, 2, 0, RemedyListOrder::ByGrade),
              "acon.        (5) averylongname.(4) ag-c.        (3) sep.         (3) "
              "agar.        (1) \r\nsep.         (1) ");

    // As rich text: the same items, by grade in their typefaces, with the grades still written.
    const std::string byGrade = remedyListHtml(db_, 2, 0, RemedyListOrder::ByGrade);
    EXPECT_NE(byGrade.find("<b>acon.&nbsp;(5)</b></td><td style=\"padding-right:8px; "
                           "white-space:nowrap\"><b>averylongname."),
              std::string::npos);
    EXPECT_NE(
        byGrade.find(
            "</tr><tr><td style=\"padding-right:8px; white-space:nowrap\">sep.&nbsp;(1)</td></tr></table>"),
        std::string::npos)
        << byGrade;
    const std::string stored = remedyListHtml(db_, 2, 0);
    EXPECT_EQ(stored.find("<b>"), std::string::npos);
    EXPECT_NE(
        stored.find("sep.&nbsp;(1)</td><td style=\"padding-right:8px; white-space:nowrap\">sep.&nbsp;(3)"),
        std::string::npos);
    EXPECT_EQ(remedyListHtml(db_, 6, 0), "");
}

TEST_F(TinyTexts, HeadingsJoinChapterAndSectionNames) {
    EXPECT_EQ(sectionHeading(db_, 0), "MIND GENERAL");
    EXPECT_EQ(sectionHeading(db_, 3), "HEAD PAIN");
    EXPECT_EQ(sectionHeading(db_, 5), "");
    EXPECT_EQ(sectionHeading(db_, -1), "");
    EXPECT_EQ(chapterNameOfSection(db_, 2), "HEAD");
    EXPECT_EQ(chapterNameOfSection(db_, 9), "");
    EXPECT_EQ(remedyName(db_, 2), "ag-c.");
    EXPECT_EQ(remedyName(db_, 5), "");
}

TEST(ReferenceTexts, FirstAndLastRubric) {
    const RepertoryLoadResult loaded = loadBuiltinRepertory();
    ASSERT_TRUE(std::holds_alternative<RepertoryDatabase>(loaded));
    const auto& db = std::get<RepertoryDatabase>(loaded);
    EXPECT_EQ(rubricText(db, 1), "In general [121]");
    EXPECT_EQ(sectionHeading(db, 0), "MIND GENERAL");
    EXPECT_EQ(rubricText(db, 26564).rfind("Yawning, after, amel. [", 0), 0u);
    // 121 items make 25 lines.
    const std::string list = remedyListText(db, 1, 0);
    std::size_t breaks = 0;
    for (std::size_t at = list.find("\r\n"); at != std::string::npos; at = list.find("\r\n", at + 2))
        ++breaks;
    EXPECT_EQ(breaks, 24u);
}

TEST(RepertoryTexts, CrossReferencesAreTheWordsAfterSiehe) {
    using Words = std::vector<std::string>;
    EXPECT_EQ(crossReferences("Klo\xDF"
                              "gef\xFChl (siehe: Stein)"),
              Words{"Stein"});
    EXPECT_EQ(crossReferences("Blase, Katarrh (siehe:  Urin,  eitriger Niederschlag ), nachts"),
              Words{"Urin, eitriger Niederschlag"});
    EXPECT_EQ(crossReferences("A (Siehe: B) und (siehe: C"), (Words{"B", "C"}));
    EXPECT_TRUE(crossReferences("Sieht schlecht (siehe:)").empty());
    EXPECT_TRUE(crossReferences("Schmerz, siehe oben").empty());
}

} // namespace
} // namespace telvarin
