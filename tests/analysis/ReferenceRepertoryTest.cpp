// The case, the analysis and the queries on the built-in reference repertory.

#include "tests/ReferenceRepertory.h"

#include "analysis/Analysis.h"
#include "analysis/CaseModel.h"
#include "analysis/RemedyOverview.h"
#include "analysis/TextSearch.h"
#include "data/BuiltinRepertory.h"
#include "repertory/RepertoryTexts.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

const RepertoryDatabase& reference() {
    return test::referenceRepertory();
}

constexpr GradeSelection kAllGrades{true, true, true, true, true};

std::vector<OverviewRow> rowsOf(const OverviewResult& result, RubricNumber number) {
    std::vector<OverviewRow> rows;
    std::copy_if(result.rows.begin(), result.rows.end(), std::back_inserter(rows),
                 [&](const OverviewRow& row) { return row.number == number; });
    return rows;
}

TEST(ReferenceCase, EntryFillsTheRowTexts) {
    const RepertoryDatabase& db = reference();
    CaseModel model(db);
    model.setCellText(1, 0, "12"_w1252);
    EXPECT_EQ(model.row(1).number, 12);
    EXPECT_EQ(model.cellText(1, 1), rubricText(db, 12));
    EXPECT_EQ(model.cellText(1, 2), "MIND GENERAL"_w1252);
    EXPECT_EQ(model.cellText(2, 0), "0"_w1252);
    for (const char* text : {"26565", "-26565"}) {
        model.setCellText(1, 0, Windows1252View(text));
        EXPECT_EQ(model.row(1).number, 0) << text;
    }
    model.setCellText(1, 0, "-26564"_w1252);
    EXPECT_EQ(model.row(1).number, -26564);
    EXPECT_EQ(model.cellText(1, 2), sectionHeading(db, 26563));
}

TEST(ReferenceCase, TheThreeModesBehaveAlikeWithoutCounterPolarities) {
    const RepertoryDatabase& db = reference();
    std::vector<std::vector<RemedyScore>> results;
    for (PolarityMode mode : {PolarityMode::ListImmediately, PolarityMode::ListAtEnd, PolarityMode::None}) {
        CaseModel model(db);
        model.setPolarityMode(mode);
        for (const char* text : {"1", "63", "", "5+8", "-12", "2000"})
            model.setCellText(model.rowCount(), 0, Windows1252View(text));
        EXPECT_EQ(model.rowCount(), 7);
        AnalysisResult result(db);
        ASSERT_TRUE(runAnalysis(db, model, result));
        EXPECT_EQ(model.rowCount(), 5);
        results.emplace_back(result.listed().begin(), result.listed().end());
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[1], results[2]);
    for (const RemedyScore& score : results[0])
        EXPECT_EQ(score.polarityDifference, 0);
}

TEST(ReferenceAnalysis, RubricListingSepTwiceAndAllRemediesHit) {
    const RepertoryDatabase& db = reference();
    AnalysisResult result(db);
    std::vector<CaseSymptom> rows(1);
    rows[0].number = 63;
    result.score(db, rows);
    const auto sep = std::find_if(result.scores().begin(), result.scores().end(), [&](const RemedyScore& s) {
        return db.remedyName(s.remedy).bytes() == "sep.";
    });
    ASSERT_NE(sep, result.scores().end());
    EXPECT_EQ(sep->hits, 2);
    EXPECT_EQ(sep->gradeSum, 4);

    rows.resize(static_cast<std::size_t>(db.rubricCount()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].number = static_cast<RubricNumber>(i + 1);
    result.score(db, rows);
    EXPECT_EQ(result.listedCount(), 933);
    EXPECT_TRUE(
        std::is_sorted(result.scores().begin(), result.scores().end(),
                       [&](const RemedyScore& a, const RemedyScore& b) { return compareScores(db, a, b); }));
}

TEST(ReferenceOverview, RemedyTextsGradesAndRanges) {
    const RepertoryDatabase& db = reference();
    RemedyQuery query;
    query.remedyText = "SEP"_w1252;
    query.gradeWanted = kAllGrades;
    const OverviewResult all = runRemedyQuery(db, query);
    EXPECT_EQ(all.remedyText, "SEP."_w1252);
    const std::vector<OverviewRow> rubric63 = rowsOf(all, 63);
    ASSERT_EQ(rubric63.size(), 2u);
    EXPECT_EQ(rubric63[0].gradeColumn, "1"_w1252);
    EXPECT_EQ(rubric63[1].gradeColumn, "3"_w1252);
    query.gradeWanted = {false, false, true, true, true};
    ASSERT_EQ(rowsOf(runRemedyQuery(db, query), 63).size(), 1u);

    query.remedyText = "sep"_w1252;
    query.bdOnly = true;
    EXPECT_TRUE(runRemedyQuery(db, query).rows.empty());

    EXPECT_EQ(chapterRubricRange(db, 0).first, 1);
    EXPECT_EQ(chapterRubricRange(db, 0).last, 1073);
    EXPECT_EQ(chapterRubricRange(db, 1).first, 1074);
    EXPECT_EQ(chapterRubricRange(db, 1).last, 1183);
    EXPECT_EQ(chapterRubricRange(db, 57).first, 25672);
    EXPECT_EQ(chapterRubricRange(db, 57).last, 26564);
}

TEST(ReferenceOverview, LastRubricSizeFilterAndNumberColumn) {
    const RepertoryDatabase& db = reference();
    RemedyQuery query;
    query.gradeWanted = kAllGrades;
    query.remedyText = db.remedyName(remedyOf(db.remedyList(26563)[0]));
    for (int chapter : {-1, 57})
        EXPECT_EQ(rowsOf(runRemedyQuery(db,
                                        [&] {
                                            RemedyQuery q = query;
                                            q.chapterIndex = chapter;
                                            return q;
                                        }()),
                         26564)
                      .size(),
                  1u)
            << chapter;

    query.remedyText = "acon."_w1252;
    query.sizeFilter = true; // the window's preset 1..30
    query.listOthers = true;
    const OverviewResult sized = runRemedyQuery(db, query);
    ASSERT_FALSE(sized.rows.empty());
    for (const OverviewRow& row : sized.rows)
        EXPECT_LE(db.rubric(row.number - 1).entryCount, 30) << row.number;
    EXPECT_TRUE(sized.showsOthers);

    query.remedyText = db.remedyName(remedyOf(db.remedyList(806)[0]));
    query.sizeFilter = false;
    const std::vector<OverviewRow> rubric807 = rowsOf(runRemedyQuery(db, query), 807);
    ASSERT_FALSE(rubric807.empty());
    EXPECT_EQ(rubric807[0].numberColumn, "807 "_w1252);
}

TEST(ReferenceTextSearch, LastRubricWithAndWithoutFilter) {
    const RepertoryDatabase& db = reference();
    const TextSearchIndex index(db);
    for (int chapter : {-1, 57}) {
        const std::vector<TextSearchRow> rows = runTextSearch(index, "yawning after amel"_w1252, chapter);
        ASSERT_FALSE(rows.empty()) << chapter;
        EXPECT_EQ(rows.back().number, 26564);
        EXPECT_EQ(rows.back().chapterColumn, sectionHeading(db, 26563));
    }
    EXPECT_EQ(runTextSearch(index, ""_w1252, -1).size(), 26564u);
    // Upper and lower case and word order do not matter.
    const auto numbersOf = [&](std::string_view text) {
        std::vector<RubricNumber> numbers;
        for (const TextSearchRow& row : runTextSearch(index, Windows1252View(text), -1))
            numbers.push_back(row.number);
        return numbers;
    };
    EXPECT_EQ(numbersOf("head pain"), numbersOf("PAIN HEAD"));
    EXPECT_FALSE(numbersOf("head pain").empty());
}

} // namespace
} // namespace telvarin
