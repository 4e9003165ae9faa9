#include "analysis/KeySymptoms.h"

#include "tests/analysis/PolarityRepertory.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

using namespace test;

std::vector<int> remediesOf(const std::vector<RemedyScore>& scores) {
    std::vector<int> remedies;
    for (const RemedyScore& score : scores)
        remedies.push_back(score.remedy);
    return remedies;
}

TEST(KeySymptoms, OnlyRemediesOfEveryKeyRubricStayInTheirRankAndScores) {
    const PolarityRepertory repertory;
    const RepertoryDatabase& db = repertory.db();
    AnalysisResult result(db);
    // Anxiety, Fear (sep. twice), Restless.
    result.score(db, std::vector<CaseSymptom>{{1, 0, false, {}}, {3, 0, false, {}}, {4, 0, false, {}}});
    const auto eliminated = [&](std::vector<int> keys) {
        return eliminateByKeySymptoms(db, result.listed(), keys);
    };
    ASSERT_EQ(remediesOf(eliminated({})), (std::vector<int>{kSep, kAcon, kAgar, kZinc, kBry, kAgC}));
    EXPECT_EQ(remediesOf(eliminated({0})), (std::vector<int>{kSep, kAcon, kAgar}));
    EXPECT_EQ(eliminated({0})[0], result.listed()[0]); // the scores stay as counted
    EXPECT_EQ(remediesOf(eliminated({2})), (std::vector<int>{kSep, kAgar, kAgC}));
    EXPECT_EQ(remediesOf(eliminated({0, 2})), (std::vector<int>{kSep, kAgar}));
    EXPECT_TRUE(eliminated({0, 2, 3}).empty());

    // Only counted rows can be key symptoms.
    EXPECT_EQ(keySymptomRubric(db, {3, 0, false, {}}), 2);
    EXPECT_EQ(keySymptomRubric(db, {-2, 0, true, {}}), -1); // a counter-polarity
    EXPECT_EQ(keySymptomRubric(db, {5, 2, true, {}}), -1);  // a BD value: no rubric record
    EXPECT_EQ(keySymptomRubric(db, {11, 0, false, {}}), -1);
}

} // namespace
} // namespace telvarin
