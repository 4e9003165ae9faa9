#include "analysis/Analysis.h"

#include "analysis/CaseModel.h"
#include "tests/analysis/PolarityRepertory.h"

#include <gtest/gtest.h>
#include <map>

namespace telvarin {
namespace {

using test::kAcon;
using test::kAgar;
using test::kAgC;
using test::kBry;
using test::kSep;
using test::kZinc;

struct Busy : AnalysisProgress {
    std::vector<std::string> calls;
    void analysisStarted() override { calls.push_back("start"); }
    void rankingFinished() override { calls.push_back("end"); }
};

class AnalysisTest : public ::testing::Test {
protected:
    // Types the entries into a fresh case in the given mode and analyses it.
    void analyse(PolarityMode mode, std::initializer_list<const char*> entries) {
        caseModel.clearCase();
        caseModel.setPolarityMode(mode);
        for (const char* entry : entries)
            caseModel.setCellText(caseModel.rowCount(), 0, Windows1252View(entry));
        ASSERT_TRUE(runAnalysis(repertory.db(), caseModel, result, &busy));
    }
    std::map<int, RemedyScore> byRemedy() const {
        std::map<int, RemedyScore> scores;
        for (const RemedyScore& score : result.scores())
            scores[score.remedy] = score;
        return scores;
    }
    std::vector<int> listedRemedies() const {
        std::vector<int> remedies;
        for (const RemedyScore& score : result.listed())
            remedies.push_back(score.remedy);
        return remedies;
    }

    test::PolarityRepertory repertory;
    CaseModel caseModel{repertory.db()};
    AnalysisResult result{repertory.db()};
    Busy busy;
};

TEST_F(AnalysisTest, NothingHappensWithoutASymptomRow) {
    EXPECT_FALSE(runAnalysis(repertory.db(), caseModel, result, &busy));
    EXPECT_TRUE(busy.calls.empty());
    EXPECT_EQ(result.listedCount(), 0);
    EXPECT_EQ(result.scores().size(), 6u);
}

TEST_F(AnalysisTest, UnpairedSymptomLosesTheGradesOfItsCounterPolarity) {
    analyse(PolarityMode::None, {"1"});
    EXPECT_EQ(busy.calls, (std::vector<std::string>{"start", "end"}));
    auto s = byRemedy();
    EXPECT_EQ(s[kAcon], (RemedyScore{kAcon, 3, 1, -1}));
    EXPECT_EQ(s[kSep], (RemedyScore{kSep, 2, 1, 0}));
    EXPECT_EQ(s[kAgar], (RemedyScore{kAgar, 1, 1, 0}));
    EXPECT_EQ(s[kBry], (RemedyScore{kBry, 0, 0, -2}));
    EXPECT_EQ(listedRemedies(), (std::vector<int>{kAcon, kSep, kAgar}));
    EXPECT_EQ(caseModel.rowCount(), 1); // mode 2 appends nothing
}

TEST_F(AnalysisTest, ModeAtEndAppendsTheCounterPolarityOnceAndPairsIt) {
    analyse(PolarityMode::ListAtEnd, {"1", "6"}); // both have counter-polarity 2
    ASSERT_EQ(caseModel.rowCount(), 3);
    EXPECT_EQ(caseModel.row(3).number, -2);
    EXPECT_TRUE(caseModel.row(3).automatic);
    auto s = byRemedy();
    // Rubric 1 paired: gains its own grades, loses those of rubric 2; rubric 6 likewise.
    EXPECT_EQ(s[kAcon], (RemedyScore{kAcon, 3, 1, 3 - 1 - 1}));
    EXPECT_EQ(s[kAgar], (RemedyScore{kAgar, 2, 2, 1 + 1}));
    EXPECT_EQ(s[kSep], (RemedyScore{kSep, 2, 1, 2}));
    EXPECT_EQ(s[kBry], (RemedyScore{kBry, 0, 0, -4}));
}

TEST_F(AnalysisTest, ImmediateModeGivesTheSameCountsAsTheModeAtEnd) {
    analyse(PolarityMode::ListImmediately, {"1", "6"});
    ASSERT_EQ(caseModel.rowCount(), 3);
    EXPECT_EQ(caseModel.row(2).number, -2);
    EXPECT_FALSE(caseModel.row(2).automatic);
    const auto immediate = byRemedy();
    analyse(PolarityMode::ListAtEnd, {"1", "6"});
    EXPECT_EQ(byRemedy(), immediate);
}

TEST_F(AnalysisTest, PairedByHandInModeNone) {
    analyse(PolarityMode::None, {"7", "-8"});
    auto s = byRemedy();
    EXPECT_EQ(s[kAcon], (RemedyScore{kAcon, 1, 1, 1}));
    EXPECT_EQ(s[kAgar], (RemedyScore{kAgar, 0, 0, -1})); // listed in the counter-polarity only
    EXPECT_EQ(result.listedCount(), 1);
}

TEST_F(AnalysisTest, CounterPolarityWithBdIsPairedButNotSubtracted) {
    analyse(PolarityMode::ListAtEnd, {"4"});
    ASSERT_EQ(caseModel.rowCount(), 2);
    EXPECT_EQ(caseModel.row(2).number, -5);
    EXPECT_EQ(caseModel.row(2).bd, 2);
    auto s = byRemedy();
    EXPECT_EQ(s[kZinc], (RemedyScore{kZinc, 5, 1, 5}));
    EXPECT_EQ(s[kBry], (RemedyScore{kBry, 4, 1, 4}));
    EXPECT_EQ(s[kAcon], (RemedyScore{kAcon, 1, 1, 1})); // the BD mark plays no part

    analyse(PolarityMode::None, {"4"});
    for (const RemedyScore& score : result.scores())
        EXPECT_EQ(score.polarityDifference, 0);
}

TEST_F(AnalysisTest, WeightsMultiplyGradesAndDifferencesButNotHits) {
    // Rubric 1 (counter 2) weight 3, rubric 6 (counter 2) weight 0, rubric 3 weight 2.
    const std::map<int, RemedyScore> unpaired = {{kAcon, {kAcon, 3 * 3, 1, -3 * 1}},
                                                 {kAgar, {kAgar, 3 * 1 + 2 * 2, 2, 0}},
                                                 {kSep, {kSep, 3 * 2 + 2 * (1 + 3), 3, 0}},
                                                 {kAgC, {kAgC, 2 * 2, 1, 0}},
                                                 {kBry, {kBry, 0, 0, -3 * 2}},
                                                 {kZinc, {kZinc, 0, 0, 0}}};
    analyse(PolarityMode::None, {"1*3", "6*0", "3*2"});
    EXPECT_EQ(byRemedy(), unpaired);
    EXPECT_EQ(listedRemedies(), (std::vector<int>{kSep, kAgar, kAcon, kAgC}));

    // Paired with the row -2, rubric 1 adds its own grades three times to the differences.
    std::map<int, RemedyScore> paired = unpaired;
    paired[kAcon].polarityDifference += 3 * 3;
    paired[kAgar].polarityDifference += 3 * 1;
    paired[kSep].polarityDifference += 3 * 2;
    for (PolarityMode mode : {PolarityMode::ListAtEnd, PolarityMode::ListImmediately}) {
        analyse(mode, {"1*3", "6*0", "3*2"});
        EXPECT_EQ(byRemedy(), paired) << static_cast<int>(mode);
        EXPECT_EQ(caseModel.rowCount(), 4) << static_cast<int>(mode); // -2 once
    }
}

TEST_F(AnalysisTest, WeightZeroTakesNoPart) {
    for (PolarityMode mode : {PolarityMode::ListImmediately, PolarityMode::ListAtEnd, PolarityMode::None}) {
        analyse(mode, {"6*0"});
        EXPECT_EQ(caseModel.rowCount(), 1) << static_cast<int>(mode); // no counter-polarity row
        EXPECT_EQ(result.listedCount(), 0);
        for (const RemedyScore& score : result.scores())
            EXPECT_EQ(score, (RemedyScore{score.remedy, 0, 0, 0}));
    }
    // A counter-polarity row of weight 0 pairs nothing.
    analyse(PolarityMode::None, {"7", "-8*0"});
    EXPECT_EQ(byRemedy()[kAcon], (RemedyScore{kAcon, 1, 1, 0}));
}

TEST_F(AnalysisTest, NegativeRowsAloneCountNothing) {
    for (PolarityMode mode : {PolarityMode::ListImmediately, PolarityMode::ListAtEnd, PolarityMode::None}) {
        analyse(mode, {"-1", "-7"});
        EXPECT_EQ(result.listedCount(), 0);
        EXPECT_EQ(caseModel.rowCount(), 2);
        for (const RemedyScore& score : result.scores())
            EXPECT_EQ(score, (RemedyScore{score.remedy, 0, 0, 0}));
    }
}

TEST_F(AnalysisTest, RemedyListedTwiceCountsTwice) {
    analyse(PolarityMode::None, {"3"});
    EXPECT_EQ(byRemedy()[kSep], (RemedyScore{kSep, 4, 2, 0}));
}

TEST_F(AnalysisTest, TiesRankByAbbreviationIgnoringCase) {
    analyse(PolarityMode::None, {"9", "10"});
    // ag-c. and agar. tie, the hyphen first; bry. and ZINC. tie, Z compared as z.
    EXPECT_EQ(listedRemedies(), (std::vector<int>{kAgC, kAgar, kBry, kZinc}));
    const auto s = byRemedy();
    EXPECT_TRUE(compareScores(repertory.db(), s.at(kAgC), s.at(kAgar)));
    EXPECT_FALSE(compareScores(repertory.db(), s.at(kAgar), s.at(kAgC)));
    EXPECT_TRUE(compareScores(repertory.db(), s.at(kBry), s.at(kZinc)));
    // The unlisted rest follows in name order as well.
    EXPECT_EQ(result.scores()[4].remedy, kAcon);
    EXPECT_EQ(result.scores()[5].remedy, kSep);
}

TEST_F(AnalysisTest, RankingOrderOfTheFields) {
    const RepertoryDatabase& db = repertory.db();
    EXPECT_TRUE(compareScores(db, {kZinc, 1, 2, -9}, {kAcon, 9, 1, 9})); // hits first
    EXPECT_TRUE(compareScores(db, {kZinc, 5, 2, -9}, {kAcon, 4, 2, 9})); // then grade sum
    EXPECT_TRUE(compareScores(db, {kZinc, 5, 2, 0}, {kAcon, 5, 2, -1})); // then polarity difference
    EXPECT_FALSE(compareScores(db, {kAcon, 5, 2, 0}, {kAcon, 5, 2, 0})); // strict
}

TEST_F(AnalysisTest, ScoringRowsDirectlyAndReusingTheResult) {
    std::vector<CaseSymptom> rows(3);
    rows[0].number = 3;
    rows[1].number = 3;
    rows[1].next = {{9, 0}}; // joined symptoms take no part
    rows[2].number = 2;
    rows[2].bd = 1; // no rubric record
    result.score(repertory.db(), rows);
    EXPECT_EQ(byRemedy()[kSep], (RemedyScore{kSep, 8, 4, 0}));
    EXPECT_EQ(byRemedy()[kAgC], (RemedyScore{kAgC, 4, 2, 0}));
    EXPECT_EQ(result.listedCount(), 3);

    result.score(repertory.db(), {});
    EXPECT_EQ(result.listedCount(), 0);
    EXPECT_EQ(byRemedy()[kSep], (RemedyScore{kSep, 0, 0, 0}));
}

} // namespace
} // namespace telvarin
