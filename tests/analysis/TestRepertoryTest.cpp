// The analysis and the overview on the hand-written test repertory with counter-polarities.

#include "analysis/Analysis.h"
#include "analysis/CaseModel.h"
#include "analysis/RemedyOverview.h"
#include "repertory/RepertorySource.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace telvarin {
namespace {

class TestRepertory {
public:
    TestRepertory() : bytes_(compile()), db_(load()) {}
    const RepertoryDatabase& db() const { return db_; }

private:
    static std::vector<std::byte> compile() {
        std::ifstream in(TELVARIN_TEST_DATA_DIR "/test-repertory.txt", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        RepertoryCompileResult compiled = compileRepertorySource(text.str());
        if (auto* error = std::get_if<RepertorySourceError>(&compiled))
            throw std::runtime_error(std::to_string(error->line) + ": " + error->message);
        return std::get<std::vector<std::byte>>(std::move(compiled));
    }
    RepertoryDatabase load() const {
        RepertoryLoadResult loaded = RepertoryDatabase::fromBytes(bytes_);
        if (auto* error = std::get_if<RepertoryLoadError>(&loaded))
            throw std::runtime_error(error->message.bytes());
        return std::get<RepertoryDatabase>(std::move(loaded));
    }
    std::vector<std::byte> bytes_; // read in place by db_
    RepertoryDatabase db_;
};

class TestRepertoryAnalysis : public ::testing::Test {
protected:
    void analyse(PolarityMode mode, std::initializer_list<const char*> entries) {
        caseModel.clearCase();
        caseModel.setPolarityMode(mode);
        for (const char* entry : entries)
            caseModel.setCellText(caseModel.rowCount(), 0, Windows1252View(entry));
        ASSERT_TRUE(runAnalysis(repertory.db(), caseModel, result));
    }
    // Hits, grade sum and polarity difference by abbreviation.
    std::map<std::string, std::array<int, 3>> scores() const {
        std::map<std::string, std::array<int, 3>> byName;
        for (const RemedyScore& s : result.scores())
            byName[std::string(repertory.db().remedyName(s.remedy).bytes())] = {s.hits, s.gradeSum,
                                                                                s.polarityDifference};
        return byName;
    }
    std::vector<RubricNumber> caseNumbers() const {
        std::vector<RubricNumber> numbers;
        for (const CaseSymptom& row : caseModel.rows())
            numbers.push_back(row.number);
        return numbers;
    }

    TestRepertory repertory;
    CaseModel caseModel{repertory.db()};
    AnalysisResult result{repertory.db()};
};

using Score = std::array<int, 3>;

TEST_F(TestRepertoryAnalysis, PairedInModeAtEndUnpairedInModeNone) {
    analyse(PolarityMode::ListAtEnd, {"4"});
    EXPECT_EQ(caseNumbers(), (std::vector<RubricNumber>{4, -5}));
    auto s = scores();
    EXPECT_EQ(s["nux-v."], (Score{1, 3, 3}));
    EXPECT_EQ(s["sulph."], (Score{1, 2, 2}));
    EXPECT_EQ(s["lyc."], (Score{0, 0, -1}));
    EXPECT_EQ(s["puls."], (Score{0, 0, -2}));

    caseModel.keepCase(""_w1252);
    EXPECT_EQ(caseNumbers(), (std::vector<RubricNumber>{4, 0})); // the automatic row is gone

    analyse(PolarityMode::None, {"4"});
    EXPECT_EQ(caseNumbers(), (std::vector<RubricNumber>{4}));
    s = scores();
    EXPECT_EQ(s["nux-v."], (Score{1, 3, 0}));
    EXPECT_EQ(s["lyc."], (Score{0, 0, -1}));
    EXPECT_EQ(s["puls."], (Score{0, 0, -2}));
}

TEST_F(TestRepertoryAnalysis, ImmediateModeListsBothDirections) {
    analyse(PolarityMode::ListImmediately, {"4", "5"});
    EXPECT_EQ(caseNumbers(), (std::vector<RubricNumber>{4, -5, 5, -4}));
    auto s = scores();
    // 4 and 5 are each paired: every remedy gains its grade in one rubric and loses it again as
    // the other rubric's counter-polarity, so the differences cancel.
    EXPECT_EQ(s["nux-v."], (Score{1, 3, 3 - 3}));
    EXPECT_EQ(s["lyc."], (Score{1, 1, 1 - 1}));
    EXPECT_EQ(s["puls."], (Score{1, 2, 2 - 2}));
    EXPECT_EQ(s["sep."], (Score{1, 1, 1 - 1}));
}

TEST_F(TestRepertoryAnalysis, SharedCounterPolarityIsAppendedOnce) {
    analyse(PolarityMode::ListAtEnd, {"16", "17", "18"});
    EXPECT_EQ(caseNumbers(), (std::vector<RubricNumber>{16, 17, 18, -18, -16}));
    EXPECT_TRUE(caseModel.row(4).automatic);
    EXPECT_TRUE(caseModel.row(5).automatic);
}

TEST_F(TestRepertoryAnalysis, CounterPolarityWithBdValue) {
    analyse(PolarityMode::ListAtEnd, {"6"});
    ASSERT_EQ(caseModel.rowCount(), 2);
    EXPECT_EQ(caseModel.row(2).number, -7);
    EXPECT_EQ(caseModel.row(2).bd, 1);
    auto s = scores();
    EXPECT_EQ(s["bell."], (Score{1, 4, 4})); // marks 3 and 4 give grade 4
    EXPECT_EQ(s["puls."], (Score{0, 0, 0})); // rubric 7 with BD 1 is no rubric: nothing subtracted
    caseModel.keepCase(""_w1252);
    EXPECT_EQ(caseModel.rowCount(), 2);
    EXPECT_EQ(caseModel.row(1).number, 6);
}

TEST_F(TestRepertoryAnalysis, NegativeOnlyCaseAndTies) {
    analyse(PolarityMode::ListAtEnd, {"-4", "-16"});
    EXPECT_EQ(result.listedCount(), 0);
    EXPECT_EQ(caseModel.rowCount(), 2);

    analyse(PolarityMode::None, {"1"});
    const auto listed = result.listed();
    std::vector<std::string> names;
    for (const RemedyScore& score : listed)
        names.emplace_back(repertory.db().remedyName(score.remedy).bytes());
    const auto agC = std::find(names.begin(), names.end(), "ag-c.");
    const auto agar = std::find(names.begin(), names.end(), "agar.");
    ASSERT_NE(agar, names.end());
    EXPECT_EQ(agC + 1, agar);

    analyse(PolarityMode::None, {"11"});
    EXPECT_EQ(scores()["sep."], (Score{2, 4, 0}));
}

TEST(TestRepertoryOverview, BdMarksAndGradeMarks) {
    const TestRepertory repertory;
    RemedyQuery query;
    query.remedyText = "acon"_w1252;
    query.gradeWanted = {true, true, true, true, true};
    query.bdOnly = true;
    OverviewResult result = runRemedyQuery(repertory.db(), query);
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(result.rows[0].number, 12);
    EXPECT_EQ(result.rows[0].gradeColumn, "5"_w1252);

    query.remedyText = "nux-v."_w1252;
    query.bdOnly = false;
    query.gradeWanted = {false, true, false, false, false}; // the grade-2 mark of rubric 8
    result = runRemedyQuery(repertory.db(), query);
    std::vector<RubricNumber> numbers;
    for (const OverviewRow& row : result.rows)
        numbers.push_back(row.number);
    EXPECT_EQ(numbers, (std::vector<RubricNumber>{8, 10, 16}));
    EXPECT_EQ(result.rows[0].gradeColumn, "3"_w1252);
}

} // namespace
} // namespace telvarin
