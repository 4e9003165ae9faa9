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
    EXPECT_EQ(numberText(-1, 0), "-1"_w1252);
    EXPECT_EQ(numberText(26565, 0), "26565"_w1252);
    EXPECT_EQ(numberText(0, 0), "0"_w1252);
    EXPECT_EQ(numberText(12, 3), ""_w1252);
    EXPECT_EQ(rubricText(db_, 2), "Anxiety [6]"_w1252);
    EXPECT_EQ(rubricText(db_, -2), "Anxiety [6]"_w1252);
    EXPECT_EQ(rubricText(db_, 0), ""_w1252);
    EXPECT_EQ(rubricText(db_, 6), ""_w1252);
    EXPECT_EQ(rubricText(db_, -6), ""_w1252);
}

TEST_F(TinyTexts, RemedyListsBreakAfterEveryFifthItemButNotAtTheEnd) {
    // Exactly five items: one line, the last item keeps its trailing blank.
    EXPECT_EQ(remedyListText(db_, 3, 0),
              "acon.        (1) agar.        (1) ag-c.        (1) sep.         (1) "_w1252
              "averylongname.(1) "_w1252);
    // Six items: the sixth on a second line; grades from the marks, the long name not padded.
    EXPECT_EQ(remedyListText(db_, 2, 0),
              "sep.         (1) sep.         (3) averylongname.(4) acon.        (5) "_w1252
              "agar.        (1) \r\nag-c.        (3) "_w1252);
    EXPECT_EQ(remedyListText(db_, -2, 0), remedyListText(db_, 2, 0));
    EXPECT_EQ(remedyListText(db_, 2, 1), ""_w1252);
    EXPECT_EQ(remedyListText(db_, 0, 0), ""_w1252);
    EXPECT_EQ(remedyListText(db_, 6, 0), ""_w1252);
    // By grade: the highest first, by name within a grade.
    EXPECT_EQ(remedyListText(db_, 2, 0, RemedyListOrder::ByGrade),
              "acon.        (5) averylongname.(4) ag-c.        (3) sep.         (3) "_w1252
              "agar.        (1) \r\nsep.         (1) "_w1252);

    // As rich text: the same items, by grade in their typefaces, with the grades still written.
    const std::string byGrade = remedyListHtml(db_, 2, 0, RemedyListOrder::ByGrade).bytes();
    EXPECT_NE(byGrade.find("<b>acon.&nbsp;(5)</b></td><td style=\"padding-right:8px; "
                           "white-space:nowrap\"><b>averylongname."),
              std::string::npos);
    EXPECT_NE(
        byGrade.find(
            "</tr><tr><td style=\"padding-right:8px; white-space:nowrap\">sep.&nbsp;(1)</td></tr></table>"),
        std::string::npos)
        << byGrade;
    const std::string stored = remedyListHtml(db_, 2, 0).bytes();
    EXPECT_EQ(stored.find("<b>"), std::string::npos);
    EXPECT_NE(
        stored.find("sep.&nbsp;(1)</td><td style=\"padding-right:8px; white-space:nowrap\">sep.&nbsp;(3)"),
        std::string::npos);
    EXPECT_EQ(remedyListHtml(db_, 6, 0), ""_w1252);
}

TEST_F(TinyTexts, HeadingsJoinChapterAndSectionNames) {
    EXPECT_EQ(sectionHeading(db_, 0), "MIND GENERAL"_w1252);
    EXPECT_EQ(sectionHeading(db_, 3), "HEAD PAIN"_w1252);
    EXPECT_EQ(sectionHeading(db_, 5), ""_w1252);
    EXPECT_EQ(sectionHeading(db_, -1), ""_w1252);
    EXPECT_EQ(chapterNameOfSection(db_, 2), "HEAD"_w1252);
    EXPECT_EQ(chapterNameOfSection(db_, 9), ""_w1252);
    EXPECT_EQ(remedyName(db_, 2), "ag-c."_w1252);
    EXPECT_EQ(remedyName(db_, 5), ""_w1252);
}

TEST(ReferenceTexts, FirstAndLastRubric) {
    const RepertoryLoadResult loaded = loadBuiltinRepertory();
    ASSERT_TRUE(std::holds_alternative<RepertoryDatabase>(loaded));
    const auto& db = std::get<RepertoryDatabase>(loaded);
    EXPECT_EQ(rubricText(db, 1), "In general [121]"_w1252);
    EXPECT_EQ(sectionHeading(db, 0), "MIND GENERAL"_w1252);
    EXPECT_EQ(rubricText(db, 26564).bytes().rfind("Yawning, after, amel. [", 0), 0u);
    // 121 items make 25 lines.
    const std::string list = remedyListText(db, 1, 0).bytes();
    std::size_t breaks = 0;
    for (std::size_t at = list.find("\r\n"); at != std::string::npos; at = list.find("\r\n", at + 2))
        ++breaks;
    EXPECT_EQ(breaks, 24u);
}

TEST(RepertoryTexts, CrossReferencesAreTheWordsAfterSiehe) {
    using Words = std::vector<Windows1252Text>;
    EXPECT_EQ(crossReferences("Klo\xDF"_w1252
                              "gef\xFChl (siehe: Stein)"_w1252),
              Words{"Stein"_w1252});
    EXPECT_EQ(crossReferences("Blase, Katarrh (siehe:  Urin,  eitriger Niederschlag ), nachts"_w1252),
              Words{"Urin, eitriger Niederschlag"_w1252});
    EXPECT_EQ(crossReferences("A (Siehe: B) und (siehe: C"_w1252), (Words{"B"_w1252, "C"_w1252}));
    EXPECT_TRUE(crossReferences("Sieht schlecht (siehe:)"_w1252).empty());
    EXPECT_TRUE(crossReferences("Schmerz, siehe oben"_w1252).empty());
}

} // namespace
} // namespace telvarin
