#include "history/HistoryOperations.h"

#include "foundation/text/CodePage.h"
#include "history/CaseNameFilter.h"
#include "history/HistoryActions.h"
#include "history/HistoryWriter.h"
#include "history/StorableText.h"
#include "tests/history/HistoryTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace telvarin {
namespace {

using telvarin::testing::freshTestFolder;
using telvarin::testing::readBytes;
using telvarin::testing::RecordingReporter;
using telvarin::testing::writeBytes;

const LocalDateTime kMorning{7, 3, 2004, 9, 5};

HistoryCase caseWithStamps(std::string name, std::vector<std::string> stamps) {
    HistoryCase c{Windows1252Text(std::move(name)), {}};
    for (std::string& stamp : stamps)
        c.treatments.push_back(Treatment{std::move(stamp), {}, 0, {}});
    return c;
}

CaseHistory historyOf(std::vector<HistoryCase> cases) {
    CaseHistory history;
    history.cases = std::move(cases);
    return history;
}

std::vector<std::string> namesOf(const CaseHistory& history) {
    std::vector<std::string> names;
    for (const HistoryCase& c : history.cases)
        names.push_back(c.name.bytes());
    return names;
}

TEST(HistoryOperations, HistoryPathHasOneSeparator) {
    EXPECT_EQ(historyPathFor("/home/ute"), "/home/ute/historie.xml");
    EXPECT_EQ(historyPathFor("/home/ute/"), "/home/ute/historie.xml");
    EXPECT_EQ(historyPathFor("/home/ute//"), "/home/ute/historie.xml");
    EXPECT_EQ(historyPathFor("/"), "/historie.xml");
    EXPECT_EQ(historyPathFor(""), "/historie.xml");
    EXPECT_EQ(historyPathFor("C:\\Praxis", '\\'), "C:\\Praxis\\historie.xml");
    EXPECT_EQ(historyPathFor("C:\\", '\\'), "C:\\historie.xml");
}

TEST(HistoryOperations, FindCaseFoldsLetterCaseOfTheCodePage) {
    CaseHistory history;
    history.cases = {HistoryCase{"M\xFCller"_w1252, {}}, HistoryCase{"strasse"_w1252, {}},
                     HistoryCase{""_w1252, {}}, HistoryCase{"MEIER"_w1252, {}},
                     HistoryCase{"meier"_w1252, {}}};
    EXPECT_EQ(findCase(history, "M\xDCLLER"_w1252), &history.cases[0]);
    EXPECT_EQ(findCase(history, "meier"_w1252), &history.cases[3]); // the first in list order
    EXPECT_EQ(findCase(history, ""_w1252), &history.cases[2]);
    EXPECT_EQ(findCase(history, "STRA\xDF"
                                "E"_w1252),
              nullptr); // ß has no capital to fold to
    EXPECT_EQ(findCase(history, "Mueller"_w1252), nullptr);
}

TEST(HistoryOperations, FilingTakesTheUserRowsOnly) {
    std::vector<CaseSymptom> rows(4);
    rows[0] = {12, 0, false, {{7, 0}, {8, 1}}};
    rows[1] = {-40, 2, false, {}};
    rows[2] = {-12, 0, true, {}}; // added by the analysis
    rows[3] = {0, 0, false, {}};  // the empty input row
    CaseHistory history;
    history.cases.push_back(HistoryCase{"Anna"_w1252, {}});
    fileTreatment(history, "ANNA"_w1252, "Zeile 1\r\nZeile 2"_w1252, rows, kMorning);
    fileTreatment(history, "Bert"_w1252, ""_w1252, std::span<const CaseSymptom>(rows.data() + 2, 1),
                  {31, 12, 2003, 23, 59});

    ASSERT_EQ(history.cases.size(), 2u);
    ASSERT_EQ(history.cases[0].treatments.size(), 1u);
    const Treatment& filed = history.cases[0].treatments[0];
    EXPECT_EQ(filed.dateStamp, "07.03.2004 09:05");
    EXPECT_EQ(filed.comment, "Zeile 1\r\nZeile 2"_w1252);
    EXPECT_EQ(filed.preferred, 0);
    EXPECT_EQ(filed.symptoms, (std::vector<SymptomRef>{{12, 0}, {-40, 2}, {0, 0}}));
    EXPECT_EQ(history.cases[1].name, "Bert"_w1252);
    EXPECT_EQ(history.cases[1].treatments[0].dateStamp, "31.12.2003 23:59");
    EXPECT_TRUE(history.cases[1].treatments[0].symptoms.empty());
    EXPECT_NE(composeHistoryText(history).find("AnzahlSymptome=\"0\""), std::string::npos);
}

TEST(HistoryOperations, RemovingKeepsAnEmptiedCase) {
    CaseHistory history;
    history.cases = {caseWithStamps("a", {"01.01.2004 00:00"}), caseWithStamps("b", {})};
    EXPECT_FALSE(removeTreatment(history, 0, 1));
    EXPECT_FALSE(removeTreatment(history, 2, 0));
    EXPECT_FALSE(removeCase(history, 2));
    EXPECT_TRUE(removeTreatment(history, 0, 0));
    ASSERT_EQ(history.cases.size(), 2u);
    EXPECT_EQ(takeOverCase(history.cases[0]), TakeOverResult{});
    EXPECT_TRUE(removeCase(history, 0));
    EXPECT_EQ(namesOf(history), std::vector<std::string>{"b"});
}

TEST(HistoryOperations, DateStampsCompareYearMonthDayHourMinute) {
    EXPECT_LT(compareDateStamps("31.12.2003 23:59", "01.01.2004 00:00"), 0);
    EXPECT_GT(compareDateStamps("01.02.2004 00:00", "31.01.2004 23:59"), 0);
    EXPECT_GT(compareDateStamps("02.01.2004 00:00", "01.01.2004 23:59"), 0);
    EXPECT_LT(compareDateStamps("01.01.2004 08:59", "01.01.2004 09:00"), 0);
    EXPECT_EQ(compareDateStamps("01.01.2004 09:00", "01.01.2004 09:00"), 0);
    // Stamps from edited files may be short or not numbers; what is missing counts as 0.
    EXPECT_EQ(compareDateStamps("", "00.00.0000 00:00"), 0);
    EXPECT_LT(compareDateStamps("xx", "01.01.0001"), 0);
}

TEST(HistoryOperations, SortsByLastTreatmentNewestFirstOrByName) {
    CaseHistory history;
    history.cases = {caseWithStamps("ohne", {}),
                     caseWithStamps("alt", {"01.01.2005 00:00", "31.12.2003 23:59"}),
                     caseWithStamps("Neu", {"01.01.2004 00:00"}), caseWithStamps("\xC4rger", {}),
                     caseWithStamps("mitte", {"15.06.2003 12:00"})};
    sortCases(history, false);
    EXPECT_FALSE(history.sortByName);
    ASSERT_EQ(history.cases.size(), 5u);
    const std::vector<std::string> byDate = namesOf(history);
    EXPECT_EQ(std::vector<std::string>(byDate.begin(), byDate.begin() + 3),
              (std::vector<std::string>{"Neu", "alt", "mitte"}));
    EXPECT_TRUE(history.cases[3].treatments.empty() && history.cases[4].treatments.empty());

    sortCases(history, true);
    EXPECT_TRUE(history.sortByName);
    // German order: the umlaut stands with its base letter, not after "z".
    EXPECT_EQ(namesOf(history), (std::vector<std::string>{"alt", "\xC4rger", "mitte", "Neu", "ohne"}));
}

TEST(HistoryOperations, SortingManyCasesGivesAnOrderedPermutation) {
    std::mt19937 random(11);
    CaseHistory history;
    for (int i = 0; i < 3000; ++i) {
        std::vector<std::string> stamps;
        if (random() % 5 != 0) {
            char stamp[32];
            std::snprintf(stamp, sizeof stamp, "%02d.%02d.%04d %02d:%02d", int(1 + random() % 28),
                          int(1 + random() % 12), int(2000 + random() % 3), int(random() % 24),
                          int(random() % 60));
            stamps.push_back(stamp);
        }
        history.cases.push_back(
            caseWithStamps(std::string("n").append(std::to_string(random() % 500)), stamps));
    }
    // Already ordered input is the classic bad case of a quicksort.
    for (int pass = 0; pass < 2; ++pass) {
        sortCases(history, false);
        ASSERT_EQ(history.cases.size(), 3000u);
        for (std::size_t i = 1; i < history.cases.size(); ++i) {
            const HistoryCase& a = history.cases[i - 1];
            const HistoryCase& b = history.cases[i];
            if (b.treatments.empty())
                continue;
            ASSERT_FALSE(a.treatments.empty()) << i;
            ASSERT_GE(compareDateStamps(a.treatments.back().dateStamp, b.treatments.back().dateStamp), 0)
                << i;
        }
    }
    sortCases(history, true);
    EXPECT_TRUE(std::is_sorted(
        history.cases.begin(), history.cases.end(),
        [](const HistoryCase& a, const HistoryCase& b) { return a.name.bytes() < b.name.bytes(); }));
}

TEST(HistoryOperations, TreatmentLabelPutsTheCommentOnOneLine) {
    EXPECT_EQ(treatmentLabel(Treatment{"07.03.2004 09:05", ""_w1252, 0, {}}), "07.03.2004 09:05 ()"_w1252);
    EXPECT_EQ(treatmentLabel(Treatment{"07.03.2004 09:05", "a\r\nb\nc\r\n"_w1252, 0, {}}),
              "07.03.2004 09:05 (a b c )"_w1252);
}

TEST(HistoryOperations, TakeOverOfTreatmentAndCase) {
    const HistoryCase c{"Anna"_w1252,
                        {Treatment{"01.01.2004 00:00", ""_w1252, 0, {{5, 0}, {-7, 2}}},
                         Treatment{"02.01.2004 00:00", ""_w1252, 0, {{9, 0}}}}};
    EXPECT_EQ(takeOverTreatment(c, c.treatments[1]), (TakeOverResult{"Anna"_w1252, {{9, 0}}}));
    EXPECT_EQ(takeOverCase(c), (TakeOverResult{"Anna"_w1252, {{5, 0}, {-7, 2}}})); // the first filed
    EXPECT_EQ(takeOverCase(HistoryCase{"leer"_w1252, {}}), TakeOverResult{});
}

TEST(HistoryOperations, MergingJoinsCasesOfTheSameNameAndSkipsTreatmentsAlreadyThere) {
    const Treatment filed{"01.01.2004 00:00", "erste"_w1252, 0, {{5, 0}, {-7, 2}}};
    CaseHistory history = historyOf({HistoryCase{"Anna"_w1252, {filed}}, HistoryCase{"Bruno"_w1252, {}}});
    Treatment sameButComment = filed;
    sameButComment.comment = "anders kommentiert"_w1252;
    Treatment sameStampOtherEntries = filed;
    sameStampOtherEntries.symptoms = {{5, 0}};
    const Treatment later{"02.01.2004 10:00", {}, 0, {{9, 0}}};
    const CaseHistory imported =
        historyOf({HistoryCase{"ANNA"_w1252, {sameButComment, sameStampOtherEntries, later, later}},
                   HistoryCase{"Cora"_w1252, {later}}, HistoryCase{"bruno"_w1252, {}}});

    const MergeCounts counts = mergeHistory(history, imported);
    EXPECT_EQ(counts.addedTreatments, 3u);
    EXPECT_EQ(counts.skippedTreatments, 2u); // the one with another comment, and the second "later"
    EXPECT_EQ(counts.newCases, 1u);
    EXPECT_EQ(namesOf(history), (std::vector<std::string>{"Anna", "Bruno", "Cora"}));
    EXPECT_EQ(history.cases[0].treatments, (std::vector<Treatment>{filed, sameStampOtherEntries, later}));
    EXPECT_TRUE(history.cases[1].treatments.empty());
    EXPECT_EQ(history.cases[2].treatments, std::vector<Treatment>{later});
}

class HistoryActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = freshTestFolder();
        path = (folder / "historie.xml").string();
    }
    std::filesystem::path folder;
    std::string path;
    const std::string damaged = "<Fallhistorie AnzahlFaelle=\"2\"><Fall Name=\"Anna\"";
};

TEST_F(HistoryActionsTest, FilingCreatesAndExtendsTheFile) {
    const std::vector<CaseSymptom> rows = {{12, 0, false, {}}};
    ASSERT_TRUE(fileTreatmentInHistoryFile(path, "Anna"_w1252, ""_w1252, rows, kMorning, nullptr).saved());
    ASSERT_TRUE(
        fileTreatmentInHistoryFile(path, "anna"_w1252, "zwei"_w1252, rows, {8, 3, 2004, 10, 0}, nullptr)
            .saved());
    const CaseHistory history = loadHistory(path, nullptr);
    ASSERT_EQ(history.cases.size(), 1u);
    EXPECT_EQ(history.cases[0].treatments.size(), 2u);
    EXPECT_EQ(history.cases[0].treatments[1].comment, "zwei"_w1252);
}

TEST_F(HistoryActionsTest, EveryChangeIsRefusedWhenTheHistoryCannotBeRead) {
    writeBytes(path, damaged);
    RecordingReporter reporter;
    const std::vector<CaseSymptom> rows = {{12, 0, false, {}}};
    const HistorySaveResult filed =
        fileTreatmentInHistoryFile(path, "Anna"_w1252, ""_w1252, rows, kMorning, &reporter);
    EXPECT_EQ(filed.status, HistorySaveStatus::Refused);
    EXPECT_EQ(filed.message, unreadableHistoryMessage(path));
    EXPECT_EQ(reporter.shown.size(), 1u); // the syntax error itself

    CaseHistory window = loadHistory(path, nullptr);
    window.cases.push_back(
        HistoryCase{"x"_w1252, {Treatment{}}}); // whatever the copy holds, it must not land
    const HistoryCase shown = window.cases[0];
    EXPECT_EQ(deleteFromHistoryFile(window, shown, &shown.treatments[0], nullptr).status,
              HistorySaveStatus::Refused);
    EXPECT_EQ(deleteFromHistoryFile(window, shown, nullptr, nullptr).status, HistorySaveStatus::Refused);
    EXPECT_EQ(window.cases.size(), 1u);

    const std::string importPath = (folder / "import.xml").string();
    writeBytes(importPath, composeHistoryText(historyOf({HistoryCase{"Importiert"_w1252, {}}})));
    const HistorySaveResult imported = importHistory(window, importPath, nullptr);
    EXPECT_EQ(imported.status, HistorySaveStatus::Refused);
    EXPECT_NE(imported.message.find(path), std::string::npos);
    EXPECT_EQ(namesOf(window), std::vector<std::string>{"x"});

    EXPECT_EQ(readBytes(path), damaged);
}

TEST_F(HistoryActionsTest, DeletingWorksOnTheFileAsItIsNowAndDropsNothingFiledMeanwhile) {
    CaseHistory start;
    start.path = path;
    start.cases = {caseWithStamps("a", {"01.01.2004 00:00", "02.01.2004 00:00"}), caseWithStamps("b", {})};
    ASSERT_TRUE(saveHistory(start).saved());
    CaseHistory window = loadHistory(path, nullptr);
    const std::vector<CaseSymptom> rows = {{12, 0, false, {}}};
    // Filed by another window or program while this window is open.
    ASSERT_TRUE(fileTreatmentInHistoryFile(path, "neu"_w1252, ""_w1252, rows, kMorning, nullptr).saved());

    HistoryCase a = window.cases[0];
    ASSERT_TRUE(deleteFromHistoryFile(window, a, &a.treatments[0], nullptr).saved());
    EXPECT_EQ(namesOf(window), (std::vector<std::string>{"neu", "a", "b"})); // by date, as the window shows
    EXPECT_EQ(loadHistory(path, nullptr).cases, window.cases);

    // Gone meanwhile: nothing changes, the window gets the file as it is.
    const CaseHistory stale = window;
    ASSERT_TRUE(deleteFromHistoryFile(window, window.cases[2], nullptr, nullptr).saved());
    window = stale;
    const HistorySaveResult gone = deleteFromHistoryFile(window, stale.cases[2], nullptr, nullptr);
    EXPECT_EQ(gone.status, HistorySaveStatus::Gone);
    EXPECT_EQ(gone.message,
              "Der Fall \"b\" ist nicht mehr in der Fallhistorie. Sie wurde inzwischen ge\xE4ndert "
              "und wird neu angezeigt.");
    EXPECT_EQ(namesOf(window), (std::vector<std::string>{"neu", "a"}));
    EXPECT_EQ(deleteFromHistoryFile(window, a, &a.treatments[0], nullptr).status, HistorySaveStatus::Gone);

    // A case that gained a treatment since it was shown is not deleted with it unseen.
    a = window.cases[1];
    ASSERT_TRUE(
        fileTreatmentInHistoryFile(path, "a"_w1252, ""_w1252, rows, {8, 3, 2004, 10, 0}, nullptr).saved());
    EXPECT_EQ(deleteFromHistoryFile(window, a, nullptr, nullptr).status, HistorySaveStatus::Gone);
    EXPECT_EQ(window.cases[0].treatments.size(), 2u);
    EXPECT_EQ(window.cases[0].name, "a"_w1252);
    CaseHistory file = loadHistory(path, nullptr);
    sortCases(file, false);
    EXPECT_EQ(file.cases, window.cases);

    // An export onto the history file itself keeps what was filed meanwhile, in the window's order.
    ASSERT_TRUE(fileTreatmentInHistoryFile(path, "zuletzt"_w1252, ""_w1252, rows, kMorning, nullptr).saved());
    window.sortByName = true;
    ASSERT_TRUE(exportHistory(window, path, nullptr).saved());
    EXPECT_EQ(namesOf(window), (std::vector<std::string>{"a", "neu", "zuletzt"}));
    EXPECT_EQ(loadHistory(path, nullptr).cases, window.cases);
}

TEST_F(HistoryActionsTest, ImportReplacesOnlyOnASuccessfulLoadAndAlwaysSaves) {
    CaseHistory window;
    window.path = path;
    window.sortByName = true;
    window.cases = {caseWithStamps("bisher", {})};

    const std::string importPath = (folder / "import.xml").string();
    writeBytes(importPath,
               composeHistoryText(historyOf({caseWithStamps("zeta", {}), caseWithStamps("Alpha", {})})));
    ASSERT_TRUE(importHistory(window, importPath, nullptr).saved());
    EXPECT_EQ(namesOf(window), (std::vector<std::string>{"Alpha", "zeta"}));
    EXPECT_EQ(window.path, path);
    EXPECT_EQ(loadHistory(path, nullptr).cases, window.cases);

    writeBytes(importPath, "<Fallhistorie kaputt");
    RecordingReporter reporter;
    ASSERT_TRUE(importHistory(window, importPath, &reporter).saved());
    EXPECT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(namesOf(window), (std::vector<std::string>{"Alpha", "zeta"}));
    EXPECT_EQ(loadHistory(path, nullptr).cases, window.cases);
}

TEST_F(HistoryActionsTest, ImportKeepsTheReplacedHistoryOrMergesIntoIt) {
    const std::vector<CaseSymptom> rows = {{12, 0, false, {}}};
    ASSERT_TRUE(fileTreatmentInHistoryFile(path, "Anna"_w1252, ""_w1252, rows, kMorning, nullptr).saved());
    const std::string before = readBytes(path);
    const std::string importPath = (folder / "import.xml").string();
    CaseHistory exported = loadHistory(path, nullptr);
    exported.cases.push_back(caseWithStamps("Cora", {"01.02.2004 10:00"}));
    writeBytes(importPath, composeHistoryText(exported));
    CaseHistory window = loadHistory(path, nullptr);

    // Replaced: the history as it was stays, under a name of the minute that no daily copy has.
    const LocalDateTime at{8, 12, 2026, 4, 25};
    const HistoryImport replace{importPath, ImportMode::Replace, at};
    ASSERT_TRUE(importHistory(window, replace, nullptr).saved());
    const std::filesystem::path copy = folder / "Sicherungen" / "historie-vor-Import-2026-12-08-0425.xml";
    EXPECT_EQ(readBytes(copy), before);
    EXPECT_EQ(importCopyPathFor(path, at),
              (folder / "Sicherungen" / "historie-vor-Import-2026-12-08-0425-2.xml").string());
    EXPECT_EQ(namesOf(window), (std::vector<std::string>{"Anna", "Cora"}));
    ASSERT_TRUE(importHistory(window, replace, nullptr).saved()); // a second copy, the first kept
    EXPECT_EQ(readBytes(copy), before);
    EXPECT_TRUE(
        std::filesystem::exists(folder / "Sicherungen" / "historie-vor-Import-2026-12-08-0425-2.xml"));

    // Merged: Anna's treatment is there already, Bruno's is new.
    ASSERT_TRUE(fileTreatmentInHistoryFile(path, "Bruno"_w1252, ""_w1252, rows, kMorning, nullptr).saved());
    exported.cases.push_back(caseWithStamps("Anna", {"09.03.2004 11:00"}));
    writeBytes(importPath, composeHistoryText(exported));
    ASSERT_TRUE(
        importHistory(window, HistoryImport{importPath, ImportMode::Merge, std::nullopt}, nullptr).saved());
    const CaseHistory merged = loadHistory(path, nullptr);
    EXPECT_EQ(namesOf(merged), (std::vector<std::string>{"Anna", "Bruno", "Cora"})); // newest first
    EXPECT_EQ(merged.cases[0].treatments.size(), 2u);
    EXPECT_EQ(merged.cases[2].treatments.size(), 1u);
}

TEST(StorableText, NamesTheCharactersTheCodePageCannotHoldWithTheirPlainLetters) {
    // "Łukasz Nowak", "Żukasz Nowak", "Şahin", "Yıldız" and an emoji; "Müller" and "€" fit.
    EXPECT_EQ(codePointsOutsideWindows1252("Łukasz Żukasz Ş"
                                           "ahin Yıldız 😀 Müller € ?"),
              (std::u32string{0x141, 0x17B, 0x15E, 0x131, 0x1F600}));
    EXPECT_EQ(codePointsOutsideWindows1252("a\xFF"), std::u32string{0xFFFD}); // not UTF-8 at all
    EXPECT_EQ(unstorableTextMessage("Der Name", "Müller €"), "");
    EXPECT_EQ(unstorableTextMessage("Der Name", "Ş😀"),
              "Der Name enthält Zeichen, die die Fallhistorie nicht speichern kann: "
              "„Ş“ (U+015E), „😀“ (U+1F600).\n"
              "Vorschlag: „Ş“ als „S“.\n"
              "Bitte ersetzen oder entfernen Sie diese Zeichen; es wurde nichts abgelegt.");
}

} // namespace
TEST(CaseNameFilter, FindsPartsOfNamesFoldedAsTheTextSearchFolds) {
    const std::vector<HistoryCase> cases = {{"M\xFCller, Anna"_w1252, {}},
                                            {"Mueller"_w1252, {}},
                                            {"Strau\xDF"_w1252, {}},
                                            {"Strauss"_w1252, {}},
                                            {"Adler"_w1252, {}}};
    const CaseNameFilter filter(cases);
    EXPECT_EQ(filter.matching(""_w1252), std::vector<bool>(5, true));
    EXPECT_EQ(filter.matching("  "_w1252), std::vector<bool>(5, true));
    EXPECT_EQ(filter.matching("m\xFC"_w1252), (std::vector<bool>{true, true, false, false, false}));
    EXPECT_EQ(filter.matching("MUEL "_w1252), (std::vector<bool>{true, true, false, false, false}));
    EXPECT_EQ(filter.matching("ss"_w1252), (std::vector<bool>{false, false, true, true, false}));
    EXPECT_EQ(filter.matching("\xDF"_w1252), (std::vector<bool>{false, false, true, true, false}));
    EXPECT_EQ(filter.matching("anna"_w1252), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(filter.matching("x"_w1252), std::vector<bool>(5, false));
}

} // namespace telvarin
