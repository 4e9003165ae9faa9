// A case history knows the repertory of its rubric numbers: the record beside it, the binding of a
// history written before records, filing refused under another repertory with the file unchanged,
// and the record kept by backups, restoring, export and import.

#include "history/RepertoryRecord.h"

#include "history/HistoryActions.h"
#include "history/HistoryBackup.h"
#include "repertory/RepertorySource.h"
#include "tests/history/HistoryTestSupport.h"
#include "tools/FileCaseCommand.h"

#include <gtest/gtest.h>
#include <sstream>

namespace telvarin {
namespace {

namespace fs = std::filesystem;
using telvarin::testing::freshTestFolder;
using telvarin::testing::readBytes;
using telvarin::testing::writeBytes;

const RepertoryIdentity kKent{"Kent, Hom\xF6opathisches Repertorium (deutsch)", "00112233445566aa"};
const RepertoryIdentity kBuiltin{"Beispielrepertorium (eingebaut, erfundene Daten)", "ffeeddccbbaa9988"};
const std::vector<CaseSymptom> kRows = {{12, 0, false, {}}};

struct RepertoryRecordTest : ::testing::Test {
    fs::path folder = freshTestFolder();
    std::string path = (folder / "historie.xml").string();

    HistorySaveResult fileUnder(const RepertoryIdentity& inUse, int day = 7) {
        const ProgramRepertories program{inUse, kBuiltin};
        HistoryFileAccess access;
        access.today = LocalDateTime{day, 12, 2026, 9, 0};
        access.repertories = &program;
        return fileTreatmentInHistoryFile(path, "Adler", "", kRows, *access.today, nullptr, access);
    }
    RepertoryRecord record() const { return readRepertoryRecord(path); }
};

TEST_F(RepertoryRecordTest, RecordIsTwoUtf8LinesAndRefusesWhatIsNoChecksum) {
    const std::string text = composeRepertoryRecord(kKent);
    EXPECT_EQ(text, "Repertorium: Kent, Hom\xC3\xB6opathisches Repertorium (deutsch)\n"
                    "Pr\xC3\xBC"
                    "fsumme: 00112233445566aa\n");
    EXPECT_EQ(parseRepertoryRecord(text), kKent);
    EXPECT_EQ(parseRepertoryRecord("Pr\xC3\xBC"
                                   "fsumme: 00112233445566aa\r\n"),
              (RepertoryIdentity{"", "00112233445566aa"}));
    EXPECT_FALSE(parseRepertoryRecord("Repertorium: Kent\n"));
    EXPECT_FALSE(parseRepertoryRecord("Pr\xC3\xBC"
                                      "fsumme: 00112233445566AA\n"));
    EXPECT_EQ(repertoryRecordPath(path), (folder / "historie.repertorium").string());

    EXPECT_EQ(record().state, RecordState::Missing);
    writeBytes(folder / "historie.repertorium", "kaputt");
    EXPECT_EQ(record().state, RecordState::Unreadable);
}

TEST_F(RepertoryRecordTest, FirstFilingBindsTheHistoryToTheRepertoryInUse) {
    ASSERT_TRUE(fileUnder(kKent).saved());
    EXPECT_EQ(record().state, RecordState::Present);
    EXPECT_EQ(record().identity, kKent);
    ASSERT_TRUE(fileUnder(kKent).saved());

    // Under another repertory nothing changes, and the message names both and the way out.
    const std::string before = readBytes(path);
    const HistorySaveResult refused = fileUnder(kBuiltin, 8);
    EXPECT_EQ(refused.status, HistorySaveStatus::OtherRepertory);
    EXPECT_NE(refused.message.find(kKent.name), std::string::npos);
    EXPECT_NE(refused.message.find(kBuiltin.name), std::string::npos);
    EXPECT_NE(refused.message.find("Eigenschaften"), std::string::npos);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(record().identity, kKent);
    EXPECT_FALSE(fs::exists(backupPathFor(path, LocalDateTime{8, 12, 2026, 9, 0})));
}

TEST_F(RepertoryRecordTest, HistoryOfAnEarlierVersionBelongsToTheRepertoryThatVersionUsed) {
    // Filed without a record, as an earlier version did.
    HistoryFileAccess plain;
    ASSERT_TRUE(
        fileTreatmentInHistoryFile(path, "Adler", "", kRows, {7, 12, 2026, 9, 0}, nullptr, plain).saved());
    const CaseHistory legacy = loadHistory(path, nullptr);
    const ProgramRepertories underKent{kKent, kBuiltin};
    EXPECT_EQ(historyBinding(legacy, underKent).repertory, kBuiltin);
    EXPECT_TRUE(historyBinding(legacy, underKent).needsRecord);

    // The Kent, now the default, gets no say: filing is refused and nothing is recorded.
    EXPECT_EQ(fileUnder(kKent).status, HistorySaveStatus::OtherRepertory);
    EXPECT_EQ(record().state, RecordState::Missing);
    // Under the built-in repertory it goes on, and the record says so from now on.
    ASSERT_TRUE(fileUnder(kBuiltin).saved());
    EXPECT_EQ(record().identity, kBuiltin);

    // With a repertorium.dat in its folder, the history belongs to that file.
    fs::remove(folder / "historie.repertorium");
    writeBytes(folder / "repertorium.dat", "eigene Daten");
    const RepertoryIdentity own = historyBinding(legacy, underKent).repertory;
    EXPECT_EQ(own.name, (folder / "repertorium.dat").string());
    EXPECT_EQ(own.checksum.size(), 16u);
    EXPECT_FALSE(sameRepertory(own, kBuiltin));

    // A history without cases holds no numbers: it goes with the repertory in use.
    const CaseHistory empty{{}, false, false, false, path};
    EXPECT_EQ(historyBinding(empty, underKent).repertory, kKent);
}

TEST_F(RepertoryRecordTest, AnUnreadableRecordIsNeitherGuessedNorOverwritten) {
    ASSERT_TRUE(fileUnder(kKent).saved());
    writeBytes(folder / "historie.repertorium", "Repertorium: ?\n");
    const HistorySaveResult refused = fileUnder(kKent);
    EXPECT_EQ(refused.status, HistorySaveStatus::OtherRepertory);
    EXPECT_NE(refused.message.find("historie.repertorium"), std::string::npos);
    EXPECT_EQ(readBytes(folder / "historie.repertorium"), "Repertorium: ?\n");
}

TEST_F(RepertoryRecordTest, BackupsRestoringExportAndImportKeepTheRecord) {
    ASSERT_TRUE(fileUnder(kKent, 7).saved());
    ASSERT_TRUE(fileUnder(kKent, 8).saved()); // keeps the 7th's file with its record
    const fs::path backupRecord = folder / "Sicherungen" / "historie-2026-12-08.repertorium";
    EXPECT_EQ(parseRepertoryRecord(readBytes(backupRecord)), kKent);

    // A damaged history put back from its backup gets the backup's record.
    writeBytes(folder / "historie.xml", "<kaputt");
    writeRepertoryRecord(path, kBuiltin);
    ASSERT_TRUE(restoreNewestBackup(path).saved());
    EXPECT_EQ(record().identity, kKent);

    // An export names the repertory beside the copy; an import brings it along.
    const ProgramRepertories program{kKent, kBuiltin};
    HistoryFileAccess access;
    access.repertories = &program;
    CaseHistory window = loadHistory(path, nullptr);
    const std::string exported = (folder / "kopie.xml").string();
    ASSERT_TRUE(exportHistory(window, exported, nullptr, access).saved());
    EXPECT_EQ(readRepertoryRecord(exported).identity, kKent);

    writeRepertoryRecord(exported, kKent);
    fs::remove(folder / "historie.repertorium");
    ASSERT_TRUE(importHistory(window, exported, nullptr, access).saved());
    EXPECT_EQ(record().identity, kKent);
    // An export of an earlier version has no record: its cases belong to the built-in repertory.
    fs::remove(folder / "kopie.repertorium");
    ASSERT_TRUE(importHistory(window, exported, nullptr, access).saved());
    EXPECT_EQ(record().identity, kBuiltin);
}

TEST_F(RepertoryRecordTest, MergingRefusesNumbersOfAnotherRepertory) {
    ASSERT_TRUE(fileUnder(kKent).saved());
    const ProgramRepertories program{kKent, kBuiltin};
    HistoryFileAccess access;
    access.repertories = &program;
    CaseHistory window = loadHistory(path, nullptr);
    const std::string other = (folder / "andere.xml").string();
    ASSERT_TRUE(saveHistoryAs(window, other).saved());
    writeRepertoryRecord(other, kBuiltin);
    const std::string before = readBytes(path);
    const HistoryImport merge{other, ImportMode::Merge, std::nullopt};
    EXPECT_EQ(importHistory(window, merge, nullptr, access).status, HistorySaveStatus::Refused);
    EXPECT_EQ(readBytes(path), before);
    writeRepertoryRecord(other, kKent);
    EXPECT_TRUE(importHistory(window, merge, nullptr, access).saved());
}

TEST_F(RepertoryRecordTest, FileCaseToolRefusesUnderAnotherRepertoryAndChangesNothing) {
    // Two data files that differ in one rubric text: the tool's --file and its built-in one.
    const std::string source = readBytes(fs::path(TELVARIN_TEST_DATA_DIR) / "test-repertory.txt");
    std::string otherSource = source;
    otherSource.replace(otherSource.find("RUBRIC In general"), 17, "RUBRIC In General");
    const auto own = std::get<std::vector<std::byte>>(compileRepertorySource(source));
    const auto builtin = std::get<std::vector<std::byte>>(compileRepertorySource(otherSource));
    const std::string ownFile = (folder / "eigen.dat").string();
    writeBytes(ownFile, std::string(reinterpret_cast<const char*>(own.data()), own.size()));
    const auto fileCase = [&](std::vector<std::string> words, std::string& err) {
        std::ostringstream out;
        std::ostringstream errors;
        const int code = runFileCaseCommand(words, std::span<const std::byte>(builtin), out, errors);
        err = errors.str();
        return code;
    };

    std::string err;
    ASSERT_EQ(fileCase({path, "Adler", "--file", ownFile, "--", "12"}, err), 0) << err;
    EXPECT_EQ(record().identity.name, ownFile);
    const std::string before = readBytes(path);
    EXPECT_EQ(fileCase({path, "Adler", "--", "12"}, err), 1);
    EXPECT_NE(err.find("eigen.dat"), std::string::npos) << err;
    EXPECT_NE(err.find("Beispielrepertorium (eingebaut, erfundene Daten)"), std::string::npos) << err;
    EXPECT_EQ(readBytes(path), before);
}

} // namespace
} // namespace telvarin
