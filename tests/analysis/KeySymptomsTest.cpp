#include "analysis/KeySymptoms.h"

#include "tests/analysis/PolarityRepertory.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

using test::kAcon;
using test::kAgar;
using test::kAgC;
using test::kBry;
using test::kSep;
using test::kZinc;

std::vector<int> remediesOf(const std::vector<RemedyScore>& scores) {
    std::vector<int> remedies;
    for (const RemedyScore& score : scores)
        remedies.push_back(score.remedy);
    return remedies;
}

TEST(KeySymptoms, OnlyRemediesOfEveryKeyRubricStayInTheirRankAndScores) {
    const test::PolarityRepertory repertory;
    const RepertoryDatabase& db = repertory.db();
    AnalysisResult result(db);
    // Anxiety, Fear (sep. twice), Restless.
    const std::vector<CaseSymptom> rows{{1, 0, false, {}}, {3, 0, false, {}}, {4, 0, false, {}}};
    result.score(db, rows);
    ASSERT_EQ(remediesOf({result.listed().begin(), result.listed().end()}),
              (std::vector<int>{kSep, kAcon, kAgar, kZinc, kBry, kAgC}));

    EXPECT_EQ(eliminateByKeySymptoms(db, result.listed(), {}).size(), 6u);
    const std::vector<RemedyScore> byAnxiety =
        eliminateByKeySymptoms(db, result.listed(), std::vector<int>{0});
    EXPECT_EQ(remediesOf(byAnxiety), (std::vector<int>{kSep, kAcon, kAgar}));
    EXPECT_EQ(byAnxiety[0], result.listed()[0]); // the scores stay as counted
    // A remedy listed twice in a key rubric is in it once.
    EXPECT_EQ(remediesOf(eliminateByKeySymptoms(db, result.listed(), std::vector<int>{2})),
              (std::vector<int>{kSep, kAgar, kAgC}));
    EXPECT_EQ(remediesOf(eliminateByKeySymptoms(db, result.listed(), std::vector<int>{0, 2})),
              (std::vector<int>{kSep, kAgar}));
    EXPECT_TRUE(eliminateByKeySymptoms(db, result.listed(), std::vector<int>{0, 2, 3}).empty());
}

TEST(KeySymptoms, OnlyCountedRowsCanBeKeySymptoms) {
    const test::PolarityRepertory repertory;
    const RepertoryDatabase& db = repertory.db();
    EXPECT_EQ(keySymptomRubric(db, {3, 0, false, {}}), 2);
    EXPECT_EQ(keySymptomRubric(db, {-2, 0, true, {}}), -1); // a counter-polarity
    EXPECT_EQ(keySymptomRubric(db, {5, 2, true, {}}), -1);  // a BD value: no rubric record
    EXPECT_EQ(keySymptomRubric(db, {0, 0, false, {}}), -1);
    EXPECT_EQ(keySymptomRubric(db, {11, 0, false, {}}), -1);
}

} // namespace
} // namespace telvarin
