#include "analysis/CaseModel.h"

#include "analysis/Analysis.h"
#include "repertory/RepertoryTexts.h"
#include "tests/analysis/PolarityRepertory.h"

#include <functional>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

struct RecordingListener : CaseTableListener {
    int stretches = 0;
    int refreshes = 0;
    int focusRequests = 0;
    void stretchColumns() override { ++stretches; }
    void refreshTable() override { ++refreshes; }
    void focusTable() override { ++focusRequests; }
};

class CaseModelTest : public ::testing::Test {
protected:
    explicit CaseModelTest(PolarityMode mode = PolarityMode::None) : model(repertory.db()) {
        model.setPolarityMode(mode);
        model.setListener(&listener);
    }
    // Types a text into the last row, as the user fills the case.
    void type(std::string_view text) { model.setCellText(model.rowCount(), 0, Windows1252View(text)); }
    std::vector<RubricNumber> numbers() const {
        std::vector<RubricNumber> result;
        for (const CaseSymptom& row : model.rows())
            result.push_back(row.number);
        return result;
    }
    std::vector<Windows1252Text> numberCells() const {
        std::vector<Windows1252Text> result;
        for (int row = 1; row <= model.rowCount(); ++row)
            result.push_back(model.cellText(row, 0));
        return result;
    }

    test::PolarityRepertory repertory;
    RecordingListener listener;
    CaseModel model;
};

class CaseModelMode0Test : public CaseModelTest {
protected:
    CaseModelMode0Test() : CaseModelTest(PolarityMode::ListImmediately) {}
};

class CaseModelMode1Test : public CaseModelTest {
protected:
    CaseModelMode1Test() : CaseModelTest(PolarityMode::ListAtEnd) {}
};

TEST_F(CaseModelTest, StartsWithOneBlankRow) {
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.cellText(1, 0), ""_w1252);
    EXPECT_EQ(model.cellText(0, 0), ""_w1252); // the headers are the table's
    EXPECT_EQ(model.currentRow(), 1);
}

TEST_F(CaseModelTest, TypingIntoTheLastRowFillsItAndAppendsAnEmptyRow) {
    type("1");
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.row(1).number, 1);
    EXPECT_EQ(model.cellText(1, 0), "1"_w1252);
    // Rubric 1 has the counter-pole 2: a sign before its text, and the pole for the tip.
    EXPECT_EQ(model.cellText(1, 1), "\xB1 "_w1252 + rubricText(repertory.db(), 1));
    EXPECT_EQ(model.counterPoleText(1), rubricText(repertory.db(), 2) + " (2)"_w1252);
    EXPECT_EQ(model.cellText(1, 2), "MIND GENERAL"_w1252);
    EXPECT_EQ(model.tipText(1), remedyListText(repertory.db(), 1, 0));
    EXPECT_EQ(model.cellText(2, 0), "0"_w1252);
    EXPECT_EQ(model.currentRow(), 2);
    EXPECT_EQ(listener.stretches, 1);
    EXPECT_EQ(listener.refreshes, 1);

    type("4");
    EXPECT_EQ(listener.stretches, 2);
    EXPECT_EQ(model.cellText(2, 2), "MIND NIGHT"_w1252);
}

TEST_F(CaseModelTest, JoinedSymptomsAndInvalidParts) {
    type("5+8");
    EXPECT_EQ(model.cellText(1, 0), "5 + 8"_w1252);
    EXPECT_EQ(model.row(1).number, 5);
    EXPECT_EQ(model.row(1).next, (std::vector<SymptomRef>{{8, 0}}));
    EXPECT_EQ(model.cellText(1, 1), rubricText(repertory.db(), 5));

    type("1+x+7bd2");
    EXPECT_EQ(model.cellText(2, 0), "1 + 0 + 7"_w1252);
    EXPECT_EQ(model.row(2).next, (std::vector<SymptomRef>{{7, 0}}));
    EXPECT_FALSE(model.isInCase(7, 0)); // joined symptoms are not searched
    EXPECT_TRUE(model.isInCase(1, 0));
}

TEST_F(CaseModelTest, WeightsFromTheEntryTheColumnAndThroughAnAnalysis) {
    type("5+8*3");
    type("7");
    type("4 * 9"); // no weight of the scale: the usual one
    EXPECT_EQ(model.cellText(1, 0), "5 + 8"_w1252);
    EXPECT_EQ(model.row(1).weight, 3);
    EXPECT_EQ(model.cellText(1, kWeightColumn), "3"_w1252);
    EXPECT_EQ(model.row(3).number, 4);
    EXPECT_EQ(model.row(3).weight, 1);
    EXPECT_EQ(model.cellText(4, kWeightColumn), ""_w1252); // the empty input row has none

    EXPECT_TRUE(model.setCellText(2, kWeightColumn, "0"_w1252));
    EXPECT_EQ(model.row(2).weight, 0);
    EXPECT_TRUE(model.setWeight(2, 9));
    EXPECT_EQ(model.row(2).weight, 4);
    EXPECT_FALSE(model.setWeight(2, 5)); // held at 4 already
    EXPECT_FALSE(model.setWeight(4, 2)); // an empty row has no weight

    AnalysisResult result(repertory.db());
    ASSERT_TRUE(runAnalysis(repertory.db(), model, result));
    model.keepCase(""_w1252);
    EXPECT_EQ(model.row(1).weight, 3);
    EXPECT_EQ(model.row(2).weight, 4);
    const std::vector<SymptomRef> filed = {{7, 0, 2}, {3, 0, 0}};
    model.takeOverCase("Anna"_w1252, filed);
    EXPECT_EQ(model.row(1).weight, 2);
    EXPECT_EQ(model.row(2).weight, 0);
}

TEST_F(CaseModelTest, InvalidEntriesBecomeEmptyRowsShowingZero) {
    for (const char* text : {"0", "", "abc", "11", "-11"}) {
        model.setCellText(1, 0, "3"_w1252);
        model.setCellText(1, 0, Windows1252View(text));
        EXPECT_EQ(model.row(1).number, 0) << text;
        EXPECT_EQ(model.cellText(1, 0), "0"_w1252) << text;
        EXPECT_EQ(model.cellText(1, 1), ""_w1252) << text;
        EXPECT_EQ(model.cellText(1, 2), ""_w1252) << text;
        EXPECT_FALSE(model.isInCase(3, 0)) << text;
    }
    model.setCellText(1, 0, "-10"_w1252);
    EXPECT_EQ(model.row(1).number, -10);
    EXPECT_EQ(model.cellText(1, 0), "-10"_w1252);
    EXPECT_EQ(model.cellText(1, 2), "LAST GENERAL"_w1252);
    model.setCellText(1, 0, "3bd3"_w1252);
    EXPECT_EQ(model.row(1).number, 3);
    EXPECT_EQ(model.row(1).bd, 0);
    EXPECT_EQ(model.cellText(1, 0), "3"_w1252);
}

TEST_F(CaseModelTest, OnlyTheNumberColumnOfDataRowsRunsTheEntry) {
    type("1");
    EXPECT_TRUE(model.setCellText(1, 1, "something"_w1252));
    EXPECT_EQ(model.cellText(1, 1), "\xB1 "_w1252 + rubricText(repertory.db(), 1));
    EXPECT_FALSE(model.setCellText(0, 1, "Rubrik"_w1252)); // the header row is the table's
    EXPECT_FALSE(model.setCellText(3, 0, "1"_w1252));      // beyond the table
    EXPECT_FALSE(model.setCellText(1, kCaseColumnCount, "1"_w1252));
    EXPECT_EQ(model.rowCount(), 2);
}

TEST_F(CaseModelTest, ChangingAMiddleRowJumpsToTheEndOnlyWithSprungEnde) {
    for (const char* text : {"1", "2", "3"})
        type(text);
    model.setCurrentRow(2);
    model.setCellText(2, 0, "5"_w1252);
    EXPECT_EQ(model.currentRow(), 2);
    EXPECT_EQ(model.rowCount(), 4);

    model.setJumpToEnd(true);
    model.setCellText(2, 0, "6"_w1252);
    EXPECT_EQ(model.currentRow(), 4);
    EXPECT_EQ(model.rowCount(), 4);
}

TEST_F(CaseModelTest, StopsAppendingAt3000RowsButEditingGoesOn) {
    for (int i = 0; i < 3100; ++i)
        type(std::to_string(i % 10 + 1));
    EXPECT_EQ(model.rowCount(), kMaxCaseRows);
    EXPECT_EQ(model.row(kMaxCaseRows).number, 10); // the last of 3,100 entries
    EXPECT_EQ(model.currentRow(), kMaxCaseRows);
    model.setCellText(10, 0, ""_w1252);
    EXPECT_EQ(model.row(10).number, 0);
    EXPECT_EQ(model.rowCount(), kMaxCaseRows);
}

TEST_F(CaseModelTest, AddSymptomFillsTheFocusedRow) {
    model.addSymptom(4, 0);
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{4, 0}));
    EXPECT_EQ(model.currentRow(), 2);
    EXPECT_EQ(listener.focusRequests, 1);

    model.addSymptom(5, 0);
    model.setCurrentRow(1);
    model.addSymptom(-3, 0);
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{-3, 5, 0}));
    EXPECT_EQ(model.currentRow(), 1);

    model.setCurrentRow(2);
    model.addSymptom(3, 1); // a BD value other than 0 gives an empty number text: an empty row
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{-3, 0, 0}));
}

TEST_F(CaseModelTest, IsInCaseComparesSignAndBdAndFollowsChanges) {
    type("2");
    type("-1");
    EXPECT_TRUE(model.isInCase(2, 0));
    EXPECT_TRUE(model.isInCase(-1, 0));
    EXPECT_FALSE(model.isInCase(1, 0));
    EXPECT_FALSE(model.isInCase(2, 1));
    model.setCellText(1, 0, "3"_w1252);
    EXPECT_FALSE(model.isInCase(2, 0));
    EXPECT_TRUE(model.isInCase(3, 0));
}

TEST_F(CaseModelTest, ClearCaseAndTakeOver) {
    type("1");
    model.setEvaluationName("Frau M."_w1252);
    model.clearCase();
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.cellText(1, 0), ""_w1252);
    EXPECT_EQ(model.evaluationName(), ""_w1252);
    EXPECT_FALSE(model.isInCase(1, 0));

    model.setPolarityMode(PolarityMode::ListImmediately);
    const std::vector<SymptomRef> filed{{1, 0}, {7, 0}, {-9, 0}};
    model.takeOverCase("Herr K."_w1252, filed);
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{1, 7, -9, 0})); // no counter-polarities added
    EXPECT_EQ(model.evaluationName(), "Herr K."_w1252);
    EXPECT_EQ(model.polarityMode(), PolarityMode::ListImmediately);
    EXPECT_EQ(model.currentRow(), 4);
}

TEST_F(CaseModelMode0Test, EnteredSymptomsBringTheirCounterPolarity) {
    type("1");
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{1, -2, 0}));
    EXPECT_EQ(numberCells(), (std::vector<Windows1252Text>{"1"_w1252, "-2"_w1252, "0"_w1252}));
    EXPECT_EQ(model.currentRow(), 3);

    type("6"); // same counter-polarity: already in the case
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{1, -2, 6, 0}));

    type("2"); // counter-polarity 1 is in the case positively only
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{1, -2, 6, 2, -1, 0}));
}

TEST_F(CaseModelMode0Test, InsertingMovesTheRowsBelowWithTheirChains) {
    type("5+3");
    type("9");
    model.setCurrentRow(1);
    model.setCellText(1, 0, "7"_w1252);
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{7, -8, 9, 0}));
    EXPECT_EQ(model.currentRow(), 1);

    model.setCellText(3, 0, "5+3"_w1252);
    model.setCellText(1, 0, "1"_w1252);
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{1, -2, -8, 5, 0}));
    EXPECT_EQ(model.cellText(4, 0), "5 + 3"_w1252);
    EXPECT_EQ(model.row(4).next, (std::vector<SymptomRef>{{3, 0}}));
    EXPECT_EQ(model.cellText(4, 1), rubricText(repertory.db(), 5));
    EXPECT_EQ(model.cellText(5, 0), "0"_w1252);
}

TEST_F(CaseModelMode0Test, InsertingBeforeTheInputRowAddsNoSecondEmptyRow) {
    type("5");
    model.setCellText(1, 0, "1"_w1252);
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{1, -2, 0}));
    EXPECT_EQ(model.rowCount(), 3);
}

TEST_F(CaseModelMode0Test, EveryJoinedPartBringsItsCounterPolarity) {
    type("1+7");
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{1, -8, -2, 0}));
    EXPECT_EQ(model.cellText(1, 0), "1 + 7"_w1252);
}

TEST_F(CaseModelMode0Test, CounterPolarityWithBdIsStoredWithoutIt) {
    type("4"); // counter-polarity 5 with BD 2: "-5 BD 2" is invalid, so the number stays alone
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{4, -5, 0}));
    EXPECT_EQ(model.row(2).bd, 0);
    EXPECT_EQ(model.cellText(2, 0), "-5"_w1252);
}

TEST_F(CaseModelMode0Test, InsertionStopsAtTheSlotCapacity) {
    type("2");
    type("3");
    // Each round empties the counter-polarity row and enters its symptom again, which inserts a
    // new one and keeps the emptied row: the case grows by one row per round.
    for (int round = 0; round < kCaseSlotCount; ++round) {
        model.setCellText(2, 0, ""_w1252);
        model.setCellText(1, 0, "2"_w1252);
    }
    EXPECT_EQ(model.rowCount(), kCaseSlotCount);
    EXPECT_EQ(model.row(kCaseSlotCount).number, 0);
}

TEST_F(CaseModelMode1Test, AnalysisDropsEmptyRowsAndWriteBackRestoresTheCase) {
    for (const char* text : {"", "1+3", "0", "", "9"})
        type(text);
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{0, 1, 0, 0, 9, 0}));
    AnalysisResult result(repertory.db());
    ASSERT_TRUE(runAnalysis(repertory.db(), model, result));
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{1, 9, -2}));
    EXPECT_TRUE(model.row(3).automatic);

    model.keepCase("Auswertung 1"_w1252);
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{1, 9, 0}));
    EXPECT_EQ(numberCells(), (std::vector<Windows1252Text>{"1"_w1252, "9"_w1252, "0"_w1252}));
    EXPECT_TRUE(model.row(1).next.empty());
    EXPECT_EQ(model.evaluationName(), "Auswertung 1"_w1252);
    EXPECT_EQ(model.currentRow(), 3);
    EXPECT_FALSE(model.isInCase(-2, 0));
}

TEST_F(CaseModelMode1Test, AnalysisOfEmptyRowsOnlyAndClearAfterwards) {
    AnalysisResult result(repertory.db());
    EXPECT_FALSE(runAnalysis(repertory.db(), model, result)); // only the input row
    type("");
    type("");
    ASSERT_TRUE(runAnalysis(repertory.db(), model, result));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(result.listedCount(), 0);
    model.keepCase(""_w1252);
    EXPECT_EQ(numberCells(), (std::vector<Windows1252Text>{"0"_w1252}));

    type("1");
    ASSERT_TRUE(runAnalysis(repertory.db(), model, result));
    model.setEvaluationName("x"_w1252);
    model.clearCase();
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.cellText(1, 0), ""_w1252);
    EXPECT_EQ(model.evaluationName(), ""_w1252);
}

TEST_F(CaseModelMode1Test, AClearedCaseComesBackUntilTheNextEntry) {
    AnalysisResult result(repertory.db());
    for (const char* text : {"1+3", "", "9"})
        type(text);
    model.setEvaluationName("Frau B."_w1252);
    ASSERT_TRUE(runAnalysis(repertory.db(), model, result));
    model.clearAnalysedCase();
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{0}));
    EXPECT_EQ(model.evaluationName(), ""_w1252);
    ASSERT_TRUE(model.restoreClearedCase());
    // Back as "Zurück" writes it back: the automatic counter-polarity and the joined part gone.
    EXPECT_EQ(numbers(), (std::vector<RubricNumber>{1, 9, 0}));
    EXPECT_EQ(model.evaluationName(), "Frau B."_w1252);
    EXPECT_FALSE(model.restoreClearedCase());

    for (const auto& nextEntry : std::vector<std::function<void()>>{
             [&] { type("5"); }, [&] { model.addSymptom(5, 0); }, [&] { type(""); }}) {
        ASSERT_TRUE(runAnalysis(repertory.db(), model, result));
        model.clearAnalysedCase();
        EXPECT_TRUE(model.canRestoreClearedCase());
        nextEntry();
        EXPECT_FALSE(model.canRestoreClearedCase());
        EXPECT_FALSE(model.restoreClearedCase());
    }
}

TEST_F(CaseModelTest, WriteBackKeeps3000RowsAndTheSymptomOfAFullInputRow) {
    for (int i = 0; i < kMaxCaseRows; ++i)
        type(std::to_string(i % 10 + 1));
    ASSERT_EQ(model.rowCount(), kMaxCaseRows);
    model.setCellText(5, 0, ""_w1252); // one empty row to drop
    AnalysisResult result(repertory.db());
    ASSERT_TRUE(runAnalysis(repertory.db(), model, result));
    EXPECT_EQ(model.rowCount(), kMaxCaseRows - 2); // the empty row and the input row

    model.keepCase(""_w1252);
    // The symptom typed into the full input row is not analysed but not lost either.
    EXPECT_EQ(model.rowCount(), kMaxCaseRows);
    EXPECT_EQ(model.row(kMaxCaseRows - 1).number, 10);
    EXPECT_EQ(model.row(kMaxCaseRows).number, 0);
    EXPECT_EQ(model.currentRow(), kMaxCaseRows);
}

} // namespace
} // namespace telvarin
