#include "tools/AnalysisCommands.h"

#include "tests/analysis/PolarityRepertory.h"

#include <gtest/gtest.h>
#include <sstream>

namespace telvarin {
namespace {

class AnalysisCommandsTest : public ::testing::Test {
protected:
    int run(int (*command)(const CliContext&, std::span<const std::string>), std::vector<std::string> words) {
        out.str({});
        err.str({});
        const CliContext context{repertory.db(), out, err};
        return command(context, words);
    }
    test::PolarityRepertory repertory;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(AnalysisCommandsTest, AnalyseTypesEachEntryIntoTheNextRow) {
    ASSERT_EQ(run(runAnalyseCommand, {"--file", "x.dat", "--mode", "2", "--", "9", "10+1", "-7"}), 0);
    EXPECT_EQ(out.str(), "1\tag-c.\t1\t2\t0\n"
                         "2\tagar.\t1\t2\t0\n"
                         "3\tbry.\t1\t1\t0\n"
                         "4\tZINC.\t1\t1\t0\n");
    ASSERT_EQ(run(runAnalyseCommand, {"--mode", "1", "1"}), 0);
    EXPECT_EQ(out.str(), "1\tacon.\t1\t3\t2\n"
                         "2\tsep.\t1\t2\t2\n"
                         "3\tagar.\t1\t1\t1\n");
    EXPECT_EQ(run(runAnalyseCommand, {}), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(run(runAnalyseCommand, {"--mode", "3", "1"}), 2);
    EXPECT_NE(err.str(), "");
}

TEST_F(AnalysisCommandsTest, AnalyseEliminatesByKeySymptomsAndWritesCsv) {
    // Anxiety and Fear as key symptoms leave the remedies standing in both.
    ASSERT_EQ(run(runAnalyseCommand, {"--mode", "2", "1", "3", "4", "--key", "1", "--key", "3"}), 0);
    EXPECT_EQ(out.str(), "1\tsep.\t3\t6\t0\n"
                         "2\tagar.\t2\t3\t0\n");
    ASSERT_EQ(run(runAnalyseCommand, {"--mode", "2", "--csv", "--key", "3", "1", "3"}), 0);
    EXPECT_EQ(out.str(),
              "\xEF\xBB\xBFRang;Mittel;Anzahl der Treffer;Summe der Grade;Polarit\xC3\xA4tsdifferenz\r\n"
              "1;sep.;3;6;0\r\n"
              "2;agar.;2;3;0\r\n"
              "3;ag-c.;1;2;0\r\n");
    EXPECT_EQ(run(runAnalyseCommand, {"1", "--key", "9"}), 2); // no row of the case
    EXPECT_NE(err.str().find("--key 9"), std::string::npos);
    EXPECT_EQ(run(runAnalyseCommand, {"--mode", "0", "1", "--key", "-2"}), 2); // a counter-polarity
}

TEST_F(AnalysisCommandsTest, AnalyseMarksContraindicatedRemediesInASixthColumn) {
    // Calmness against its counter-pole Anxiety (acon. 3 there, 1 here): acon. is contraindicated.
    ASSERT_EQ(run(runAnalyseCommand, {"--mode", "2", "--kontraindikationen", "2"}), 0);
    EXPECT_EQ(out.str(), "1\tbry.\t1\t2\t0\n"
                         "2\tacon.\t1\t1\t-3\tKI\n");
    ASSERT_EQ(run(runAnalyseCommand, {"--mode", "2", "--csv", "--kontraindikationen", "2"}), 0);
    EXPECT_NE(
        out.str().find("Polaritätsdifferenz;Kontraindikation\r\n1;bry.;1;2;0;\r\n2;acon.;1;1;-3;KI\r\n"),
        std::string::npos)
        << out.str();
}

TEST_F(AnalysisCommandsTest, OverviewPrintsTheTitleAndTheColumns) {
    ASSERT_EQ(run(runOverviewCommand, {"AGAR", "--grades", "2345", "--size", "2", "4", "--others"}), 0);
    EXPECT_EQ(out.str(), "Mittelü"
                         "bersicht: AGAR., gefundene Symptome: 2\n"
                         "3 \t2\tFear [4]\tMIND GENERAL\tsep.(3) ag-c.(2) agar.(2) \n"
                         "9 \t2\tHeat [2]\tHEAD PAIN\tag-c.(2) agar.(2) \n");
    ASSERT_EQ(run(runOverviewCommand, {"sep", "--chapter", "0"}), 0);
    EXPECT_EQ(out.str(), "Mittelü"
                         "bersicht: sep., gefundene Symptome: 3\n"
                         "1 \t2\tAnxiety [3]\tMIND GENERAL\n"
                         "3 \t1\tFear [4]\tMIND GENERAL\n"
                         "3 \t3\tFear [4]\tMIND GENERAL\n");
    EXPECT_EQ(run(runOverviewCommand, {"sep", "--chapter", "4"}), 2);
    EXPECT_EQ(run(runOverviewCommand, {"sep", "--grades", "06"}), 2);
    EXPECT_EQ(run(runOverviewCommand, {"sep", "--size", "1", "100"}), 2);
    EXPECT_EQ(run(runOverviewCommand, {}), 2);
}

TEST_F(AnalysisCommandsTest, SearchPrintsUtf8) {
    ASSERT_EQ(run(runSearchCommand, {"straß"
                                     "e",
                                     "--chapter", "1"}),
              0);
    EXPECT_EQ(out.str(), "Textuelle Symptomsuche: 2 gefundene Symptome\n"
                         "7\tPain, straß"
                         "e [1]\tHEAD PAIN\n"
                         "8\tPain, STRASSE side [1]\tHEAD PAIN\n");
    ASSERT_EQ(run(runSearchCommand, {"pain -\"e side\""}), 0);
    EXPECT_EQ(out.str(), "Textuelle Symptomsuche: 2 gefundene Symptome\n"
                         "7\tPain, straß"
                         "e [1]\tHEAD PAIN\n"
                         "9\tHeat [2]\tHEAD PAIN\n");
    ASSERT_EQ(run(runSearchCommand, {"nothing"}), 0);
    EXPECT_EQ(out.str(), "Textuelle Symptomsuche: Kein Symptom gefunden\n");
}

} // namespace
} // namespace telvarin
