// The symptom tree's layout of a chapter: nesting within a section and both orders.

#include "repertory/RubricTree.h"

#include "repertory/RepertoryImport.h"
#include "tests/repertory/ImportTestSupport.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

std::vector<int> listed(std::span<const int> records) {
    return {records.begin(), records.end()};
}

TEST(RubricTree, NestsWithinASectionInTheRepertorysOrderOrGermanOrder) {
    const RepertoryImportResult imported = importTsvRepertory("MIND\tZORN\tZorn\ta\t1\n"
                                                              "MIND\tÄNGSTE\tÄrger\ta\t1\n"
                                                              "MIND\tÄNGSTE\tAngst\ta\t1\n"
                                                              "MIND\tÄNGSTE\tAngst, Zimmer\ta\t1\n"
                                                              "MIND\tÄNGSTE\tAngst, abends\ta\t1\n"
                                                              "MIND\tÄNGSTE\tAngst, Zimmer, oben\ta\t1\n"
                                                              "HEAD\tSCHMERZ\tSchmerz\ta\t1\n",
                                                              "t.tsv");
    const RepertoryDatabase db = test::importedDatabase(imported);

    const ChapterRubricTree asStored(db, 0, TreeOrder::Repertory);
    EXPECT_EQ(asStored.rubricCount(), 6);
    EXPECT_EQ(listed(asStored.topsOf(1)), (std::vector<int>{1, 2}));
    EXPECT_EQ(listed(asStored.childrenOf(2)), (std::vector<int>{3, 4}));
    EXPECT_EQ(asStored.parentOf(5), 3);
    EXPECT_EQ(asStored.parentOf(1), -1);
    EXPECT_EQ(asStored.rowOf(4), 1);
    EXPECT_FALSE(asStored.holds(6));
    EXPECT_EQ(ownRubricPart(db.rubricTextField(5), db.rubricTextField(3)), "oben"_w1252);
    EXPECT_EQ(ownRubricPart("Angstzustand"_w1252, "Angst"_w1252), "Angstzustand"_w1252);

    // Umlauts stand with their base letter, letter case counts last.
    const ChapterRubricTree german(db, 0, TreeOrder::German);
    EXPECT_EQ(listed(german.topsOf(1)), (std::vector<int>{2, 1}));
    EXPECT_EQ(listed(german.childrenOf(2)), (std::vector<int>{4, 3}));
    EXPECT_EQ(german.rowOf(3), 1);
    EXPECT_EQ(german.rowOf(1), 1);
    EXPECT_EQ(sectionsInTreeOrder(db, 0, TreeOrder::German), (std::vector<int>{1, 0}));
    EXPECT_EQ(sectionsInTreeOrder(db, 0, TreeOrder::Repertory), (std::vector<int>{0, 1}));
    EXPECT_EQ(chaptersInTreeOrder(db, TreeOrder::German), (std::vector<int>{1, 0}));
}

} // namespace
} // namespace telvarin
