// The rules behind the entries of the case history tree: texts on one line, the delete question,
// take-over, and a delete whose save fails.

#include "ui/HistoryEntries.h"

#include "foundation/text/LineBreaks.h"
#include "tests/ui/ResultsReference.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace telvarin;

namespace {

CaseHistory twoCases(const std::string& path) {
    CaseHistory history;
    history.path = path;
    history.cases = {HistoryCase{"Erster\nFall"_w1252,
                                 {Treatment{"01.02.2003 04:05", "a\rb\r\nc\nd"_w1252, 0, {{3, 0}}},
                                  Treatment{"02.02.2003 04:05", ""_w1252, 0, {{4, 1}}}}},
                     HistoryCase{"Leer"_w1252, {}}};
    history.loaded = true;
    return history;
}

FileSystemCalls failingWrites() {
    FileSystemCalls calls = FileSystemCalls::system();
    calls.write = [](int, const char*, std::size_t) { return -1L; };
    return calls;
}

std::string temporaryHistoryPath(const char* name) {
    return (std::filesystem::path(TELVARIN_TEST_OUTPUT_DIR) / name).string();
}

} // namespace

TEST(HistoryEntries, TextsStandOnOneLine) {
    EXPECT_EQ(oneLine("a\r\nb\rc\nd\r\n\r\ne"), "a b c d  e");
    const CaseHistory history = twoCases("");
    EXPECT_EQ(caseItemText(history.cases[0]), "Erster Fall"_w1252);
    EXPECT_EQ(treatmentItemText(history.cases[0].treatments[0]), "01.02.2003 04:05 (a b c d)"_w1252);
    EXPECT_EQ(treatmentItemText(history.cases[0].treatments[1]), "02.02.2003 04:05 ()"_w1252);
}

TEST(HistoryEntries, QuestionsAndTakeOverFollowTheEntry) {
    const CaseHistory history = twoCases("");
    EXPECT_EQ(deleteQuestion(history, {0, 1}), "Wollen Sie den Eintrag 02.02.2003 04:05 () wirklich l\xF6"
                                               "schen?"_w1252);
    EXPECT_EQ(deleteQuestion(history, {1, std::nullopt}), "Wollen Sie den Fall Leer wirklich l\xF6"
                                                          "schen?"_w1252);
    EXPECT_EQ(deleteQuestion(history, {0, 2}), ""_w1252);
    EXPECT_EQ(deleteQuestion(history, {2, std::nullopt}), ""_w1252);

    EXPECT_EQ(takeOverEntry(history, {0, 1}), (TakeOverResult{"Erster\nFall"_w1252, {{4, 1}}}));
    EXPECT_EQ(takeOverEntry(history, {0, std::nullopt}), (TakeOverResult{"Erster\nFall"_w1252, {{3, 0}}}));
    EXPECT_EQ(takeOverEntry(history, {1, std::nullopt}), TakeOverResult{});
    EXPECT_EQ(takeOverEntry(history, {5, std::nullopt}), std::nullopt);
}

// A history read again after someone else filed: the shown entry is found where it now stands.
TEST(HistoryEntries, TheShownEntryIsFoundAgainAfterARefresh) {
    const CaseHistory before = twoCases("");
    CaseHistory after = twoCases("");
    after.cases.insert(after.cases.begin(), HistoryCase{"Neu"_w1252, {}});
    after.cases[1].treatments.erase(after.cases[1].treatments.begin());
    EXPECT_EQ(entryAgain(after, before.cases[0], before.cases[0].treatments[1]), (HistoryEntry{1, 0}));
    EXPECT_EQ(entryAgain(after, before.cases[1], std::nullopt), (HistoryEntry{2, std::nullopt}));
    EXPECT_EQ(entryAgain(after, before.cases[0], before.cases[0].treatments[0]), std::nullopt);
    EXPECT_EQ(entryAgain(CaseHistory{}, before.cases[1], std::nullopt), std::nullopt);
}

TEST(HistoryEntries, TipListsTheSymptomsUpToALimit) {
    // Numbers beyond the repertory have no rubric text and stand alone.
    const RepertoryDatabase& db = results_test::reference();
    Treatment many{"01.01.2001 00:00", {}, 0, {}};
    for (int i = 1; i <= 25; ++i)
        many.symptoms.push_back({30000 + i, 0});
    const std::string tip = treatmentTip(db, many);
    EXPECT_EQ(std::count(tip.begin(), tip.end(), '\n'), 20);
    EXPECT_TRUE(tip.starts_with("30001\n30002\n"));
    EXPECT_TRUE(tip.ends_with("\n30020\n\x85 (5 weitere)"));
    EXPECT_EQ(treatmentTip(db, Treatment{}), "");
}

TEST(HistoryEntries, AFailedSaveLeavesTheHistoryAsItWas) {
    const std::string path = temporaryHistoryPath("history_entries_test.xml");
    ASSERT_TRUE(saveHistory(twoCases(path)).saved());
    CaseHistory history = loadHistory(path, nullptr);
    const CaseHistory before = history;
    HistoryFileAccess failing;
    failing.calls = failingWrites();

    EXPECT_EQ(deleteEntry(history, {0, 0}, nullptr, failing).status, HistorySaveStatus::WriteFailed);
    EXPECT_EQ(history.cases, before.cases);
    EXPECT_EQ(deleteEntry(history, {0, std::nullopt}, nullptr, failing).status,
              HistorySaveStatus::WriteFailed);
    EXPECT_EQ(history.cases, before.cases);

    history.unreadable = true;
    EXPECT_EQ(deleteEntry(history, {1, std::nullopt}, nullptr).status, HistorySaveStatus::Refused);
    EXPECT_EQ(history.cases, before.cases);
    history.unreadable = false;

    ASSERT_TRUE(deleteEntry(history, {0, 0}, nullptr).saved());
    EXPECT_EQ(history.cases[0].treatments.size(), 1u);
    const CaseHistory saved = loadHistory(path, nullptr);
    ASSERT_EQ(saved.cases.size(), 2u);
    ASSERT_EQ(saved.cases[0].treatments.size(), 1u);
    EXPECT_EQ(saved.cases[0].treatments[0].dateStamp, "02.02.2003 04:05");
    std::filesystem::remove(path);
}
