#include "analysis/RemedyOverview.h"
#include "analysis/TextSearch.h"
#include "repertory/RepertoryTexts.h"
#include "tests/analysis/PolarityRepertory.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

constexpr GradeSelection kAllGrades{true, true, true, true, true};

class RemedyQueryTest : public ::testing::Test {
protected:
    OverviewResult run(std::string_view text, GradeSelection grades = kAllGrades, int chapter = -1) {
        RemedyQuery query;
        query.remedyText = Windows1252View(text);
        query.gradeWanted = grades;
        query.chapterIndex = chapter;
        return runRemedyQuery(repertory.db(), query);
    }
    static std::vector<RubricNumber> numbers(const OverviewResult& result) {
        std::vector<RubricNumber> numbers;
        for (const OverviewRow& row : result.rows)
            numbers.push_back(row.number);
        return numbers;
    }
    test::PolarityRepertory repertory;
};

TEST_F(RemedyQueryTest, FindsTheRemedyByCaseBlindTextWithOrWithoutItsDot) {
    EXPECT_EQ(numbers(run("acon.")), (std::vector<RubricNumber>{1, 2, 4, 5, 7}));
    EXPECT_EQ(run("ACON").remedyText, "ACON."_w1252);
    EXPECT_EQ(numbers(run("ACON")), numbers(run("acon.")));
    EXPECT_EQ(numbers(run("zinc")), (std::vector<RubricNumber>{4, 10}));
    EXPECT_TRUE(run("aco.").rows.empty());
    EXPECT_TRUE(run("").rows.empty());
    EXPECT_EQ(run("").remedyText, ""_w1252);
    EXPECT_EQ(overviewTitle(run("aco")), "Mittel\xFC"_w1252
                                         "bersicht: aco., gefundene Symptome: 0"_w1252);
}

TEST(RemedyBoxText, NamesTheRemedyByItsFullNameWhenTheNameIsClear) {
    test::RepertoryBuilder b;
    b.remedies({"sulph.", "calc-s.", "hep.", "nux-v.", "acon."});
    b.fullNames({"Sulphur", "Calcarea Sulphurica", "Hepar Sulphuris", "Nux Vomica", ""});
    b.chapter("MIND");
    b.section("GENERAL");
    b.rubric("Fear", {test::graded(0, 1)});
    const std::vector<std::uint32_t> words = b.words();
    const RepertoryLoadResult loaded =
        RepertoryDatabase::fromBytes({reinterpret_cast<const std::byte*>(words.data()), b.size()});
    ASSERT_TRUE(std::holds_alternative<RepertoryDatabase>(loaded));
    const auto& db = std::get<RepertoryDatabase>(loaded);
    for (const auto& [typed, meant] : std::initializer_list<std::pair<std::string, std::string>>{
             {"sulphur", "sulph."},             // equal wins over the two that hold it
             {"sulph. \x96 Sulphur", "sulph."}, // an item of the box
             {"calcarea", "calc-s."},           // the only one that starts so
             {" vom ", "nux-v."},               // the only one that holds it
             {"sulphuri", "sulphuri"},          // two hold it: no guess
             {"hep", "hep"},                    // an abbreviation stays one
             {"xyz", "xyz"}}) {
        EXPECT_EQ(abbreviationOfRemedyText(db, Windows1252View(typed)), Windows1252View(meant)) << typed;
    }
    RemedyQuery query;
    query.remedyText = "Sulphur"_w1252;
    query.gradeWanted = kAllGrades;
    EXPECT_EQ(runRemedyQuery(db, query).rows.size(), 1u);
}

TEST_F(RemedyQueryTest, RowsOfARemedyListedTwiceAndTheGradeFilter) {
    const OverviewResult all = run("sep.");
    ASSERT_EQ(numbers(all), (std::vector<RubricNumber>{1, 3, 3}));
    EXPECT_EQ(all.rows[1].gradeColumn, "1"_w1252);
    EXPECT_EQ(all.rows[2].gradeColumn, "3"_w1252);
    EXPECT_EQ(all.rows[1].numberColumn, "3 "_w1252);
    EXPECT_EQ(all.rows[1].symptomColumn, rubricText(repertory.db(), 3));
    EXPECT_EQ(all.rows[1].chapterColumn, "MIND GENERAL"_w1252);
    EXPECT_EQ(overviewTitle(all), "Mittel\xFC"_w1252
                                  "bersicht: sep., gefundene Symptome: 3"_w1252);

    const OverviewResult high = run("sep.", {false, false, true, true, true});
    ASSERT_EQ(numbers(high), (std::vector<RubricNumber>{3}));
    EXPECT_EQ(high.rows[0].gradeColumn, "3"_w1252);
    EXPECT_TRUE(run("sep.", {}).rows.empty());
}

TEST_F(RemedyQueryTest, ChapterRangesAndTheBdFilter) {
    EXPECT_EQ(numbers(run("agar.", kAllGrades, 1)), (std::vector<RubricNumber>{8, 9}));
    EXPECT_TRUE(run("agar.", kAllGrades, 2).rows.empty()); // a chapter without rubrics
    EXPECT_EQ(numbers(run("zinc.", kAllGrades, 3)), (std::vector<RubricNumber>{10}));
    EXPECT_TRUE(run("zinc.", kAllGrades, 4).rows.empty()); // beyond the repertory
    EXPECT_EQ(chapterRubricRange(repertory.db(), 0).first, 1);
    EXPECT_EQ(chapterRubricRange(repertory.db(), 0).last, 6);
    EXPECT_EQ(chapterRubricRange(repertory.db(), 3).first, 10);

    RemedyQuery query;
    query.remedyText = "acon"_w1252;
    query.gradeWanted = kAllGrades;
    query.bdOnly = true;
    const OverviewResult bd = runRemedyQuery(repertory.db(), query);
    ASSERT_EQ(numbers(bd), (std::vector<RubricNumber>{4}));
    EXPECT_EQ(bd.rows[0].chapterColumn, "MIND NIGHT"_w1252);
}

TEST_F(RemedyQueryTest, SizeFilterAndTheOtherRemedies) {
    RemedyQuery query;
    query.remedyText = "agar."_w1252;
    query.gradeWanted = {false, true, true, true, true};
    query.listOthers = true;
    EXPECT_FALSE(runRemedyQuery(repertory.db(), query).showsOthers); // needs the size filter
    query.sizeFilter = true;
    query.minSize = 2;
    query.maxSize = 3;
    const OverviewResult result = runRemedyQuery(repertory.db(), query);
    EXPECT_TRUE(result.showsOthers);
    ASSERT_EQ(numbers(result), (std::vector<RubricNumber>{9})); // rubric 3 has 4 remedies
    EXPECT_EQ(result.rows[0].othersColumn, "ag-c.(2) agar.(2) "_w1252);

    query.maxSize = 4;
    const OverviewResult wider = runRemedyQuery(repertory.db(), query);
    ASSERT_EQ(numbers(wider), (std::vector<RubricNumber>{3, 9}));
    EXPECT_EQ(wider.rows[0].othersColumn, "sep.(3) ag-c.(2) agar.(2) "_w1252); // grade 1 not chosen

    query.minSize = 5;
    EXPECT_TRUE(runRemedyQuery(repertory.db(), query).rows.empty());
}

// The texts of the words of a search text.
std::vector<std::string> wordTexts(std::string_view text) {
    std::vector<std::string> texts;
    for (const SearchWord& word : searchWords(text))
        texts.push_back(word.text);
    return texts;
}

TEST(SearchWords, CapitalsBlanksAndSharpS) {
    EXPECT_EQ(wordTexts("pain stra\xDF"
                        "e"),
              (std::vector<std::string>{"PAIN", "STRASSE"}));
    EXPECT_EQ(wordTexts(" a  b "), (std::vector<std::string>{"", "A", "", "B", ""}));
    EXPECT_EQ(wordTexts(""), (std::vector<std::string>{""}));
    EXPECT_EQ(searchCapitals("\xE4\xF6\xFC\xFF"), "\xC4\xD6\xDC\x9F");

    std::string nineteen;
    for (int i = 0; i < 19; ++i)
        nineteen.append("w").append(std::to_string(i)).append(" ");
    EXPECT_EQ(wordTexts(nineteen + "last").size(), 20u);
    EXPECT_EQ(wordTexts(nineteen + "last").back(), "LAST");
    // With 20 blanks cut the rest replaces the twentieth word.
    const std::vector<std::string> cut = wordTexts(nineteen + "x20 rest of it");
    ASSERT_EQ(cut.size(), 20u);
    EXPECT_EQ(cut[18], "W18");
    EXPECT_EQ(cut[19], "REST OF IT");
}

class TextSearchTest : public ::testing::Test {
protected:
    std::vector<RubricNumber> search(std::string_view text, int chapter = -1) const {
        std::vector<RubricNumber> numbers;
        for (const TextSearchRow& row : runTextSearch(index, Windows1252View(text), chapter))
            numbers.push_back(row.number);
        return numbers;
    }
    test::PolarityRepertory repertory;
    TextSearchIndex index{repertory.db()};
};

TEST_F(TextSearchTest, EveryWordInTheTextOrTheHeadingInAnyOrderAndCase) {
    EXPECT_EQ(search("night rest"), (std::vector<RubricNumber>{4}));
    EXPECT_EQ(search("REST night"), search("night rest"));
    EXPECT_EQ(search("mind"), (std::vector<RubricNumber>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(search("general"), (std::vector<RubricNumber>{1, 2, 3, 10}));
    EXPECT_EQ(search("[4]"), (std::vector<RubricNumber>{3})); // the remedy count belongs to the text
    EXPECT_TRUE(search("fear night").empty());
    EXPECT_EQ(search("").size(), 10u);
    EXPECT_EQ(search("  "), search("")); // empty words are found everywhere
}

TEST_F(TextSearchTest, SharpSAndSsFindEachOther) {
    EXPECT_EQ(search("stra\xDF"
                     "e"),
              (std::vector<RubricNumber>{7, 8}));
    EXPECT_EQ(search("strasse"), (std::vector<RubricNumber>{7, 8}));
}

TEST_F(TextSearchTest, ChapterFilterAndRows) {
    EXPECT_EQ(search("general", 3), (std::vector<RubricNumber>{10}));
    EXPECT_EQ(search("general", 0), (std::vector<RubricNumber>{1, 2, 3}));
    EXPECT_TRUE(search("", 2).empty());
    const std::vector<TextSearchRow> rows = runTextSearch(index, "last"_w1252, -1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].numberColumn, "10"_w1252);
    EXPECT_EQ(rows[0].symptomColumn, rubricText(repertory.db(), 10));
    EXPECT_EQ(rows[0].chapterColumn, "LAST GENERAL"_w1252);
}

TEST(TextSearchTitle, Texts) {
    EXPECT_EQ(textSearchIdleTitle(), "Textuelle Symptomsuche"_w1252);
    EXPECT_EQ(textSearchTitle(0), "Textuelle Symptomsuche: Kein Symptom gefunden"_w1252);
    EXPECT_EQ(textSearchTitle(1), "Textuelle Symptomsuche: 1 gefundenes Symptom"_w1252);
    EXPECT_EQ(textSearchTitle(26564), "Textuelle Symptomsuche: 26564 gefundene Symptome"_w1252);
}

TEST(TextSearchRule, WhenASearchRuns) {
    const TextSearchTrigger typed = triggerOf(TextSearchEvent::TextChanged);
    const TextSearchTrigger left = triggerOf(TextSearchEvent::FocusLost);
    const TextSearchTrigger chapter = triggerOf(TextSearchEvent::ChapterChosen);
    EXPECT_FALSE(searchShouldRun("pa"_w1252, "p"_w1252, typed));     // two letters: not yet
    EXPECT_TRUE(searchShouldRun("pai"_w1252, "pa"_w1252, typed));    // the third letter
    EXPECT_FALSE(searchShouldRun("pa"_w1252, "pai"_w1252, typed));   // back to two letters
    EXPECT_TRUE(searchShouldRun("pa"_w1252, "pai"_w1252, left));     // leaving the field searches them
    EXPECT_FALSE(searchShouldRun("pain"_w1252, "pain"_w1252, left)); // unchanged
    EXPECT_TRUE(searchShouldRun(""_w1252, "pain"_w1252, left));      // an empty text that changed
    EXPECT_TRUE(searchShouldRun("pain"_w1252, "pain"_w1252, chapter));
    EXPECT_FALSE(searchShouldRun(""_w1252, ""_w1252, chapter));
}

} // namespace
} // namespace telvarin
