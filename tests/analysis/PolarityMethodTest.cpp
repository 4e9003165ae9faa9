// Contraindications and the method's ranking on small repertories with hand-computed figures.

#include "analysis/PolarityMethod.h"

#include "analysis/CaseModel.h"
#include "tests/analysis/PolarityRepertory.h"

#include <gtest/gtest.h>
#include <map>

namespace telvarin {
namespace {

using test::graded;

enum Remedy : RemedyEntry { kAcon = 0, kBell = 1, kCalc = 2, kDros = 3 };

// Kent-like, three grades:
//   1 "Trost, besser"      acon 1, bell 3, calc 2     counter 2
//   2 "Trost, schlechter"  acon 3, calc 3, dros 1     counter 1
//   3 "Wärme, schlechter"  bell 1, dros 3             counter 4
//   4 "Kälte, schlechter"  bell 3, calc 1, dros 3     counter 3
//   5 "Angst"              acon 2, bell 2
class ThreeGrades {
public:
    ThreeGrades() {
        test::RepertoryBuilder b;
        b.remedies({"acon.", "bell.", "calc.", "dros."});
        b.chapter("GEM\xDCT");
        b.section("A");
        b.rubric("Trost, besser", {graded(kAcon, 1), graded(kBell, 3), graded(kCalc, 2)}, 2);
        b.rubric("Trost, schlechter", {graded(kAcon, 3), graded(kCalc, 3), graded(kDros, 1)}, 1);
        b.rubric("W\xE4rme, schlechter", {graded(kBell, 1), graded(kDros, 3)}, 4);
        b.rubric("K\xE4lte, schlechter", {graded(kBell, 3), graded(kCalc, 1), graded(kDros, 3)}, 3);
        b.rubric("Angst", {graded(kAcon, 2), graded(kBell, 2)});
        words_ = b.words();
        db_ = std::get<RepertoryDatabase>(
            RepertoryDatabase::fromBytes({reinterpret_cast<const std::byte*>(words_.data()), b.size()}));
    }
    const RepertoryDatabase& db() const { return *db_; }

private:
    std::vector<std::uint32_t> words_;
    std::optional<RepertoryDatabase> db_;
};

struct Analysed {
    std::map<int, RemedyScore> scores;
    std::vector<bool> contraindicated;
    std::vector<int> defaultOrder;
    std::vector<int> methodOrder;
};

Analysed analyse(const RepertoryDatabase& db, PolarityMode mode, std::initializer_list<const char*> entries) {
    CaseModel caseModel(db);
    caseModel.setPolarityMode(mode);
    for (const char* entry : entries)
        caseModel.setCellText(caseModel.rowCount(), 0, Windows1252View(entry));
    AnalysisResult result(db);
    EXPECT_TRUE(runAnalysis(db, caseModel, result));
    Analysed analysed;
    for (const RemedyScore& score : result.listed()) {
        analysed.scores[score.remedy] = score;
        analysed.defaultOrder.push_back(score.remedy);
    }
    analysed.contraindicated =
        contraindicatedRemedies(db, caseModel.rows(), contraindicationLimits(highestGrade(db)));
    for (const RemedyScore& score :
         polarityMethodOrder(result.listed(), analysed.contraindicated, RemedyNameOrder(db)))
        analysed.methodOrder.push_back(score.remedy);
    return analysed;
}

TEST(PolarityMethod, ThreeGradesInAllPolarityModes) {
    const ThreeGrades repertory;
    ASSERT_EQ(highestGrade(repertory.db()), 3);
    // Symptom 1 against counter-pole 2: acon 3 there and 1 here is ruled out, calc 3 and 2 is
    // not. Symptom 3 against 4: bell 3 and 1 is ruled out, dros 3 and 3 is not.
    const std::vector<bool> ruledOut = {true, true, false, false};
    // Mode 2 only subtracts the counter-poles' grades: acon -3, bell -3, calc -3-1, dros -1-3.
    const std::map<int, RemedyScore> unpaired = {{kAcon, {kAcon, 3, 2, -3}},
                                                 {kBell, {kBell, 6, 3, -3}},
                                                 {kCalc, {kCalc, 2, 1, -4}},
                                                 {kDros, {kDros, 3, 1, -4}}};
    // Modes 0 and 1 list -2 and -4, so rows 1 and 3 also add their own grades.
    const std::map<int, RemedyScore> paired = {{kAcon, {kAcon, 3, 2, -3 + 1}},
                                               {kBell, {kBell, 6, 3, -3 + 3 + 1}},
                                               {kCalc, {kCalc, 2, 1, -4 + 2}},
                                               {kDros, {kDros, 3, 1, -4 + 3}}};
    for (const PolarityMode mode :
         {PolarityMode::ListImmediately, PolarityMode::ListAtEnd, PolarityMode::None}) {
        const Analysed a = analyse(repertory.db(), mode, {"1", "3", "5"});
        EXPECT_EQ(a.scores, mode == PolarityMode::None ? unpaired : paired) << static_cast<int>(mode);
        EXPECT_EQ(a.contraindicated, ruledOut);
        EXPECT_EQ(a.defaultOrder, (std::vector<int>{kBell, kAcon, kDros, kCalc}));
        // Without contraindication first; dros before calc by difference (paired) or grade sum.
        EXPECT_EQ(a.methodOrder, (std::vector<int>{kDros, kCalc, kBell, kAcon}));
    }
    // A counter-pole row alone is no symptom, and neither is a symptom without counter-pole.
    EXPECT_EQ(analyse(repertory.db(), PolarityMode::None, {"-2", "5"}).contraindicated,
              std::vector<bool>(4, false));
}

TEST(PolarityMethod, FourOrFiveGradesRuleOutFromGradeThreeAgainstTwoOrLess) {
    EXPECT_EQ(contraindicationLimits(5).counterPoleAtLeast, 3);
    EXPECT_EQ(contraindicationLimits(4).symptomAtMost, 2);
    test::RepertoryBuilder b;
    b.remedies({"acon.", "bell.", "calc.", "dros."});
    b.chapter("MIND");
    b.section("GENERAL");
    // acon 2 here and 3 there: ruled out; bell 3 and 4: not; calc absent here and 4 there: ruled
    // out; dros listed twice here (1 and 3) counts with 3 against 5: not.
    b.rubric("Warmth, agg.", {graded(kAcon, 2), graded(kBell, 3), graded(kDros, 1), graded(kDros, 3)}, 2);
    b.rubric("Cold, agg.", {graded(kAcon, 3), graded(kBell, 4), graded(kCalc, 4), graded(kDros, 5)}, 1);
    b.rubric("Fear", {graded(kCalc, 2)});
    const std::vector<std::uint32_t> words = b.words();
    const RepertoryDatabase db = std::get<RepertoryDatabase>(
        RepertoryDatabase::fromBytes({reinterpret_cast<const std::byte*>(words.data()), b.size()}));
    ASSERT_EQ(highestGrade(db), 5);
    const Analysed a = analyse(db, PolarityMode::None, {"1", "3"});
    EXPECT_EQ(a.contraindicated, (std::vector<bool>{true, false, true, false}));
    // Unpaired in mode 2, the differences are minus the grades in "Cold": acon -3, bell -4,
    // calc -4, dros -5.
    EXPECT_EQ(a.methodOrder, (std::vector<int>{kBell, kDros, kAcon, kCalc}));
}

} // namespace
} // namespace telvarin
