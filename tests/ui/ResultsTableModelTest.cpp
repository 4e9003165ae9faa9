// The cross table of the results window on rubrics of the reference repertory.

#include "ui/ResultsTableModel.h"

#include "analysis/PolarityMethod.h"
#include "repertory/RepertoryTexts.h"
#include "tests/analysis/PolarityRepertory.h"
#include "tests/ui/ResultsReference.h"

#include <climits>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

using namespace results_test;

struct Scored {
    std::vector<CaseSymptom> rows;
    AnalysisResult result;
    explicit Scored(std::vector<CaseSymptom> caseRows) : rows(std::move(caseRows)), result(reference()) {
        result.score(reference(), rows);
    }
    ResultsTableModel model() const { return ResultsTableModel(reference(), rows, result.listed()); }
};

int columnOf(const ResultsTableModel& model, Windows1252View abbreviation) {
    for (int col = 0; col < model.columnCount(); ++col) {
        if (model.cellText(0, col) == abbreviation)
            return col;
    }
    return -1;
}

TEST(ResultsTable, AconiteExampleOverThreeRubrics) {
    const RepertoryDatabase& db = reference();
    const int acon = remedyIndexOf(db, "acon.");
    const Scored scored(
        caseOf({rubricListingOnce(db, acon, 3), rubricWithout(db, acon), rubricListingOnce(db, acon, 1)}));
    const ResultsTableModel model = scored.model();

    ASSERT_EQ(model.rowCount(), 6);
    ASSERT_EQ(model.columnCount(), scored.result.listedCount() + 2);
    const int col = columnOf(model, "acon."_w1252);
    ASSERT_GE(col, 2);
    EXPECT_EQ(model.cellText(3, col), "3"_w1252);
    EXPECT_EQ(model.cellText(4, col), ""_w1252);
    EXPECT_EQ(model.cellText(5, col), "1"_w1252);
    EXPECT_EQ(model.cellText(1, col), "2"_w1252);
    EXPECT_EQ(model.cellText(2, col), "4"_w1252);
}

TEST(ResultsTable, FixedCellsInRankOrder) {
    const RepertoryDatabase& db = reference();
    const Scored scored(caseOf({1, 63, 200}));
    const ResultsTableModel model = scored.model();
    for (int k = 0; k < scored.result.listedCount(); ++k) {
        const RemedyScore& score = scored.result.listed()[static_cast<std::size_t>(k)];
        EXPECT_EQ(model.cellText(0, k + 2), remedyName(db, score.remedy));
        EXPECT_EQ(model.cellText(1, k + 2), windows1252Number(score.hits));
        EXPECT_EQ(model.cellText(2, k + 2), windows1252Number(score.gradeSum));
    }
    EXPECT_EQ(model.cellText(0, 0), ""_w1252);
    EXPECT_EQ(model.cellText(0, 1), ""_w1252);
    EXPECT_EQ(model.cellText(1, 0), "Anzahl der Treffer"_w1252);
    EXPECT_EQ(model.cellText(2, 0), "Summe der Grade"_w1252);
    EXPECT_EQ(model.cellText(1, 1), ""_w1252);
    EXPECT_EQ(model.cellText(3, 0), rubricText(db, 1) + " (1)"_w1252);
    EXPECT_EQ(model.cellText(3, 1), "MIND GENERAL"_w1252);
    EXPECT_EQ(model.cellText(-1, 0), ""_w1252);
    EXPECT_EQ(model.cellText(0, model.columnCount()), ""_w1252);
}

TEST(ResultsTable, RemedyListedTwiceShowsTheGradeOfItsLaterEntry) {
    const RepertoryDatabase& db = reference();
    int twice = -1;
    const RubricNumber number = findRubric(db, [&](std::span<const RemedyEntry> entries) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            for (std::size_t j = i + 1; j < entries.size(); ++j) {
                if (remedyOf(entries[i]) == remedyOf(entries[j]) &&
                    gradeOf(entries[i]) != gradeOf(entries[j])) {
                    twice = remedyOf(entries[i]);
                    return true;
                }
            }
        }
        return false;
    });
    const Scored scored(caseOf({number}));
    const ResultsTableModel model = scored.model();
    const int col = columnOf(model, remedyName(db, twice));
    const std::vector<int> grades = gradesOf(db, number, twice);
    EXPECT_EQ(model.cellText(3, col), windows1252Number(grades.back()));
    // One grade per column: the duplicate does not add a second cell.
    const std::vector<RemedyGrade> row = model.gradesOfRow(0);
    EXPECT_EQ(row.size(), static_cast<std::size_t>(model.remedyColumnCount()));
}

TEST(ResultsTable, CounterPolarityRowIsMarkedGreyAndStillShowsItsGrades) {
    const RepertoryDatabase& db = reference();
    const RubricNumber number = findRubric(
        db,
        [](std::span<const RemedyEntry> entries) {
            std::vector<int> remedies;
            for (const RemedyEntry entry : entries)
                remedies.push_back(remedyOf(entry));
            std::sort(remedies.begin(), remedies.end());
            return remedies.size() >= 3 &&
                   std::adjacent_find(remedies.begin(), remedies.end()) == remedies.end();
        },
        199);
    const Scored scored(caseOf({number, -number}));
    const ResultsTableModel model = scored.model();
    EXPECT_EQ(model.cellText(4, 0),
              "- "_w1252 + rubricText(db, number) + " ("_w1252 + windows1252Number(number) + ")"_w1252);
    EXPECT_EQ(model.cellText(4, 1), sectionHeading(db, number - 1));
    EXPECT_TRUE(model.isCounterPolarityRow(1));
    EXPECT_FALSE(model.isCounterPolarityRow(0));
    // The negative row shows every grade of its rubric, but only the positive row counts.
    EXPECT_EQ(model.gradesOfRow(1), model.gradesOfRow(0));
    ASSERT_FALSE(model.gradesOfRow(1).empty());
    for (const RemedyGrade& grade : model.gradesOfRow(1)) {
        const int col = grade.column + 2;
        EXPECT_EQ(model.cellText(4, col), windows1252Number(grade.grade));
        EXPECT_EQ(model.cellShade(4, col), ResultsCellShade::CounterPolarity);
        EXPECT_EQ(model.cellText(2, col), windows1252Number(grade.grade)) << "grade sum of one counted row";
    }
    EXPECT_EQ(model.cellShade(3, 2), ResultsCellShade::Plain);
    EXPECT_EQ(model.cellShade(4, 0), ResultsCellShade::Fixed);
    EXPECT_EQ(model.cellShade(1, 0), ResultsCellShade::Summary);
    EXPECT_EQ(model.cellShade(2, 3), ResultsCellShade::Summary);
    EXPECT_EQ(model.cellShade(1, 1), ResultsCellShade::Fixed);
    EXPECT_EQ(model.cellShade(0, 3), ResultsCellShade::Fixed);
}

TEST(ResultsTable, RowsWithoutRubricRecordShowTextsButNoGrades) {
    const RepertoryDatabase& db = reference();
    const std::vector<CaseSymptom> rows{
        {12, 2, true, {}}, {0, 0, false, {}}, {INT_MIN, 0, false, {}}, {26565, 0, false, {}}};
    const ResultsTableModel model(db, rows, {});
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.symptomText(0), rubricText(db, 12) + " ()"_w1252);
    EXPECT_EQ(model.headingText(0), ""_w1252);
    EXPECT_EQ(model.symptomText(1), " (0)"_w1252);
    EXPECT_EQ(model.symptomText(2), "-  (2147483648)"_w1252);
    EXPECT_EQ(model.symptomText(3), " (26565)"_w1252);
    for (int j = 0; j < 4; ++j)
        EXPECT_TRUE(model.gradesOfRow(j).empty()) << j;
}

TEST(ResultsTable, FirstColumnOfARemedyWinsAndUnlistedRemediesHaveNone) {
    const RepertoryDatabase& db = reference();
    const std::vector<RemedyScore> listed{{5, 1, 1, 0}, {7, 1, 1, 0}, {5, 1, 1, 0}, {9999, 1, 1, 0}};
    const std::vector<CaseSymptom> rows;
    const ResultsTableModel model(db, rows, listed);
    EXPECT_EQ(model.columnOfRemedy(5), 0);
    EXPECT_EQ(model.columnOfRemedy(7), 1);
    EXPECT_EQ(model.columnOfRemedy(6), -1);
    EXPECT_EQ(model.columnOfRemedy(-3), -1);
    EXPECT_EQ(model.abbreviation(3), ""_w1252);
}

TEST(ResultsTable, PrintedNameCellCarriesTheDate) {
    EXPECT_EQ(printedNameCell("M\xFC"_w1252
                              "ller"_w1252,
                              5, 3, 2024),
              "M\xFC"_w1252
              "ller 05.03.2024"_w1252);
    EXPECT_EQ(printedNameCell(""_w1252, 31, 12, 1999), " 31.12.1999"_w1252);
}

TEST(ResultsTable, KeySymptomsMarkTheirRowAndNameTheirNumberInTheTitle) {
    const Scored scored(caseOf({1, -1, 2}));
    ResultsTableModel model = scored.model();
    model.markKeySymptoms(std::vector<int>{2, 7});
    EXPECT_EQ(model.cellText(5, 0), "\x95 "_w1252 + symptomRowText(reference(), scored.rows[2]));
    EXPECT_EQ(model.cellText(3, 0), symptomRowText(reference(), scored.rows[0]));
    EXPECT_EQ(resultsWindowTitle(0), "Ergebnis der Auswertung"_w1252);
    EXPECT_EQ(resultsWindowTitle(1), "Ergebnis der Auswertung (eliminiert nach 1 Schl\xFCsselsymptom)"_w1252);
    EXPECT_EQ(resultsWindowTitle(5),
              "Ergebnis der Auswertung (eliminiert nach 5 Schl\xFCsselsymptomen)"_w1252);
}

TEST(ResultsTable, ContraindicationRowBelowTheSumsAndGreyedColumns) {
    // Calmness (counter-pole Anxiety, where acon. stands at 3 against 1 here): acon. is ruled out.
    const test::PolarityRepertory repertory;
    const RepertoryDatabase& db = repertory.db();
    const std::vector<CaseSymptom> rows = caseOf({2});
    AnalysisResult result(db);
    result.score(db, rows);
    ResultsTableModel model(db, rows, result.listed());
    ASSERT_TRUE(hasCounterPoleSymptom(db, rows));
    model.showContraindications(contraindicatedRemedies(db, rows, contraindicationLimits(highestGrade(db))));
    ASSERT_EQ(model.fixedRowCount(), 4);
    ASSERT_EQ(model.rowCount(), 5);
    const int acon = columnOf(model, "acon."_w1252);
    const int bry = columnOf(model, "bry."_w1252);
    EXPECT_EQ(model.cellText(kResultsContraindicationRow, 0), "KI"_w1252);
    EXPECT_EQ(model.cellText(kResultsContraindicationRow, acon), "KI"_w1252);
    EXPECT_EQ(model.cellText(kResultsContraindicationRow, bry), ""_w1252);
    EXPECT_EQ(model.cellShade(kResultsContraindicationRow, acon), ResultsCellShade::Summary);
    EXPECT_EQ(model.cellText(4, 0), symptomRowText(db, rows[0]));
    EXPECT_EQ(model.cellText(4, acon), "1"_w1252);
    EXPECT_EQ(model.cellShade(4, acon), ResultsCellShade::Contraindicated);
    EXPECT_EQ(model.cellShade(4, bry), ResultsCellShade::Plain);
    model.showContraindications({});
    EXPECT_EQ(model.rowCount(), 4);
}

} // namespace
} // namespace telvarin
