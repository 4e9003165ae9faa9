// A case history knows the repertory of its rubric numbers: the record beside it names the
// numbering, records of version 2.0.3 (a checksum of the data file's bytes) stay valid, a history
// whose record is missing is bound to nothing until the user says which, filing is refused under
// another repertory with the file unchanged, and backups, restoring, export and import keep the
// record.

#include "history/RepertoryRecord.h"

#include "data/BuiltinRepertory.h"
#include "history/HistoryActions.h"
#include "history/HistoryBackup.h"
#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertoryInfo.h"
#include "repertory/RepertorySource.h"
#include "tests/KentRepertory.h"
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

RepertoryIdentity identity(std::string name, std::string numbering, int rubrics = 100) {
    return {Windows1252Text(std::move(name)), std::move(numbering), "0000000000000000", {}, rubrics, {}};
}

const RepertoryIdentity kKent =
    identity("Kent, Hom\xF6opathisches Repertorium (deutsch)", "00112233445566aa");
const RepertoryIdentity kBuiltin =
    identity("Beispielrepertorium (eingebaut, erfundene Daten)", "ffeeddccbbaa9988");
const std::vector<CaseSymptom> kRows = {{12, 0, false, {}}};

RepertoryDatabase compiled(const std::string& source, std::vector<std::byte>& bytes) {
    bytes = std::get<std::vector<std::byte>>(compileRepertorySource(source));
    return std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes(bytes));
}

std::string testSource() {
    return readBytes(fs::path(TELVARIN_TEST_DATA_DIR) / "test-repertory.txt");
}

struct RepertoryRecordTest : ::testing::Test {
    fs::path folder = freshTestFolder();
    std::string path = (folder / "historie.xml").string();

    HistorySaveResult fileUnder(const RepertoryIdentity& inUse, int day = 7,
                                const std::vector<CaseSymptom>& rows = kRows) {
        const ProgramRepertories program{inUse, kBuiltin};
        HistoryFileAccess access;
        access.today = LocalDateTime{day, 12, 2026, 9, 0};
        access.repertories = &program;
        return fileTreatmentInHistoryFile(path, "Adler"_w1252, ""_w1252, rows, *access.today, nullptr,
                                          access);
    }
    RepertoryRecord record() const { return readRepertoryRecord(path); }
};

TEST_F(RepertoryRecordTest, RecordNamesTheNumberingAndReadsTheChecksumOfEarlierRecords) {
    const std::string text = composeRepertoryRecord(recordOf(kKent));
    EXPECT_EQ(text, "Repertorium: Kent, Homöopathisches Repertorium (deutsch)\n"
                    "Nummerierung: 00112233445566aa\n");
    EXPECT_EQ(parseRepertoryRecord(text), recordOf(kKent));
    EXPECT_EQ(parseRepertoryRecord("Prü"
                                   "fsumme: 00112233445566aa\r\n"),
              (RecordedRepertory{{}, "", "00112233445566aa"}));
    EXPECT_FALSE(parseRepertoryRecord("Repertorium: Kent\n"));
    EXPECT_FALSE(parseRepertoryRecord("Nummerierung: 00112233445566AA\n"));
    EXPECT_EQ(repertoryRecordPath(path), (folder / "historie.repertorium").string());

    EXPECT_EQ(record().state, RecordState::Missing);
    writeBytes(folder / "historie.repertorium", "kaputt");
    EXPECT_EQ(record().state, RecordState::Unreadable);
}

TEST_F(RepertoryRecordTest, NumberingIgnoresGradesAndCounterPolaritiesAndAnInfoFileDeclaresCompatibility) {
    const std::string source = testSource();
    std::vector<std::byte> bytes, regradedBytes, retextedBytes;
    const RepertoryDatabase db = compiled(source, bytes);
    // One grade changed: other bytes, the same numbering.
    std::string regraded = source;
    const std::size_t grade = regraded.find(":3");
    ASSERT_NE(grade, std::string::npos);
    regraded[grade + 1] = '2';
    const RepertoryDatabase regradedDb = compiled(regraded, regradedBytes);
    EXPECT_NE(repertoryChecksum(bytes), repertoryChecksum(regradedBytes));
    EXPECT_EQ(repertoryNumbering(db), repertoryNumbering(regradedDb));
    // One rubric text changed: another numbering, unless the new edition's info file says so.
    std::string retexted = source;
    retexted.replace(retexted.find("RUBRIC In general"), 17, "RUBRIC In General");
    const RepertoryDatabase retextedDb = compiled(retexted, retextedBytes);
    EXPECT_NE(repertoryNumbering(db), repertoryNumbering(retextedDb));

    const std::string dataFile = (folder / "neu.dat").string();
    const RecordedRepertory old = recordOf(repertoryIdentity(db, {}, dataFile));
    EXPECT_FALSE(recordFits(old, repertoryFileIdentity(dataFile, retextedDb)));
    writeBytes(folder / "neu.info",
               "Name: Neu\nKompatibel: 0000000000000001, " + repertoryNumbering(db) + " kein-Eintrag\n");
    EXPECT_TRUE(recordFits(old, repertoryFileIdentity(dataFile, retextedDb)));
    EXPECT_TRUE(recordFits(old, repertoryIdentity(regradedDb, {}, dataFile)));
}

TEST_F(RepertoryRecordTest, RecordsOfVersion203StayValidForEveryEditionThatKeepsTheirNumbering) {
    const fs::path fixtures = fs::path(TELVARIN_TEST_DATA_DIR) / "records";
    const auto recorded = [&](const char* name) { return *parseRepertoryRecord(readBytes(fixtures / name)); };
    const RecordedRepertory kentRecord = recorded("kent-de-2.0.3.repertorium");
    const RecordedRepertory builtinRecord = recorded("eingebaut-2.0.3.repertorium");
    // The shipped Kent and the built-in repertory of this build keep the numbering those were
    // bound to, whatever their grades and counter-polarities.
    const RepertoryIdentity kent = repertoryIdentity(test::kentRepertory(), {}, TELVARIN_KENT_DE_BUILD_FILE);
    EXPECT_TRUE(recordFits(kentRecord, kent));
    const RepertoryDatabase builtinDb =
        std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes(builtinRepertoryBytes()));
    EXPECT_TRUE(recordFits(builtinRecord, builtinRepertoryIdentity(builtinDb)));
    EXPECT_FALSE(recordFits(builtinRecord, kent));

    // Another edition of the Kent with the same numbering but other bytes.
    RepertoryIdentity corrected = kent;
    corrected.checksum = "0123456789abcdef";
    EXPECT_TRUE(recordFits(kentRecord, corrected));
    corrected.numbering = "0123456789abcdef";
    EXPECT_FALSE(recordFits(kentRecord, corrected));
    // A checksum of a data file the program never shipped fits that file only.
    const RecordedRepertory own{"eigen"_w1252, "", "1111111111111111"};
    corrected.checksum = "1111111111111111";
    EXPECT_TRUE(recordFits(own, corrected));
    EXPECT_FALSE(recordFits(own, kent));
}

TEST_F(RepertoryRecordTest, FirstFilingBindsTheHistoryAndAnotherRepertoryIsRefusedByName) {
    ASSERT_TRUE(fileUnder(kKent).saved());
    EXPECT_EQ(record().state, RecordState::Present);
    EXPECT_EQ(record().recorded, recordOf(kKent));
    ASSERT_TRUE(fileUnder(kKent).saved());

    // Under another repertory nothing changes, and the message names both and the way out.
    const std::string before = readBytes(path);
    const HistorySaveResult refused = fileUnder(kBuiltin, 8);
    EXPECT_EQ(refused.status, HistorySaveStatus::OtherRepertory);
    EXPECT_NE(refused.message.find(kKent.name.bytes()), std::string::npos);
    EXPECT_NE(refused.message.find(kBuiltin.name.bytes()), std::string::npos);
    EXPECT_NE(refused.message.find("Eigenschaften"), std::string::npos);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(record().recorded, recordOf(kKent));
    EXPECT_FALSE(fs::exists(backupPathFor(path, LocalDateTime{8, 12, 2026, 9, 0})));

    // Two editions of one name are told apart by their numberings.
    const RepertoryIdentity otherKent = identity(kKent.name.bytes(), "0000000000000abc");
    const std::string message = fileUnder(otherKent, 8).message;
    EXPECT_NE(message.find(kKent.numbering), std::string::npos) << message;
    EXPECT_NE(message.find(otherKent.numbering), std::string::npos) << message;
}

TEST_F(RepertoryRecordTest, HistoryWithCasesButNoFittingRecordIsBoundToNothing) {
    const ProgramRepertories underKent{kKent, kBuiltin};
    // Filed without a record, as an earlier version did, or with the record lost.
    HistoryFileAccess plain;
    ASSERT_TRUE(
        fileTreatmentInHistoryFile(path, "Adler"_w1252, ""_w1252, kRows, {7, 12, 2026, 9, 0}, nullptr, plain)
            .saved());
    EXPECT_EQ(historyBinding(loadHistory(path, nullptr), underKent).state, BindingState::Unbound);
    const std::string before = readBytes(path);
    for (const RepertoryIdentity& inUse : {kKent, kBuiltin}) {
        const HistorySaveResult refused = fileUnder(inUse);
        EXPECT_EQ(refused.status, HistorySaveStatus::OtherRepertory);
        EXPECT_NE(refused.message.find("--bind"), std::string::npos) << refused.message;
    }
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(record().state, RecordState::Missing);

    // An unreadable record is neither guessed nor overwritten.
    writeBytes(folder / "historie.repertorium", "Repertorium: ?\n");
    EXPECT_EQ(fileUnder(kKent).status, HistorySaveStatus::OtherRepertory);
    EXPECT_EQ(readBytes(folder / "historie.repertorium"), "Repertorium: ?\n");

    // A record of the repertory in use that does not fit a number in the history is wrong.
    ASSERT_TRUE(writeRepertoryRecord(path, recordOf(kKent)));
    ASSERT_TRUE(fileUnder(kKent).saved());
    const RepertoryIdentity small = identity(kKent.name.bytes(), kKent.numbering, 10);
    EXPECT_EQ(fileUnder(small).status, HistorySaveStatus::OtherRepertory);

    // The user's word binds it, unless a number lies beyond the repertory.
    EXPECT_EQ(bindHistory(path, small).status, HistorySaveStatus::Refused);
    ASSERT_TRUE(bindHistory(path, kBuiltin).saved());
    EXPECT_EQ(record().recorded, recordOf(kBuiltin));
    EXPECT_TRUE(fileUnder(kBuiltin).saved());

    // A history without numbers goes with the repertory in use.
    const CaseHistory empty{{{"Leer"_w1252, {}}}, false, false, false, path};
    EXPECT_EQ(historyBinding(empty, underKent).state, BindingState::NoCases);
}

TEST_F(RepertoryRecordTest, NoHistoryIsOnDiskBesideTheRecordOfAnotherRepertory) {
    // The record beside the numbers at the moment the history is written.
    const auto recordAtSave = [&](const std::optional<RecordedRepertory>& next) {
        RepertoryRecord seen;
        const HistorySaveResult saved = saveWithRepertoryRecord(path, next, [&] {
            seen = record();
            return HistorySaveResult{};
        });
        EXPECT_TRUE(saved.saved());
        return seen;
    };
    // Into a history without numbers the record comes first.
    EXPECT_EQ(recordAtSave(recordOf(kKent)).recorded, recordOf(kKent));
    // Over numbers of another repertory it is gone while they are replaced, and follows.
    ASSERT_TRUE(fileUnder(kKent).saved());
    EXPECT_EQ(recordAtSave(recordOf(kBuiltin)).state, RecordState::Missing);
    EXPECT_EQ(record().recorded, recordOf(kBuiltin));
    // A save that fails leaves the numbers, and their record, as they were.
    const auto failing = [] { return HistorySaveResult{HistorySaveStatus::WriteFailed, "voll"}; };
    EXPECT_FALSE(saveWithRepertoryRecord(path, recordOf(kKent), failing).saved());
    EXPECT_EQ(record().recorded, recordOf(kBuiltin));

    // A record that cannot be written is a failure, and the first filing files nothing.
    fs::remove(path);
    fs::remove(folder / "historie.repertorium");
    fs::create_directory(folder / "historie.repertorium");
    const HistorySaveResult failed = fileUnder(kKent);
    EXPECT_EQ(failed.status, HistorySaveStatus::WriteFailed);
    EXPECT_NE(failed.message.find("historie.repertorium"), std::string::npos);
    EXPECT_FALSE(holdsNumbers(loadHistory(path, nullptr)));
}

TEST_F(RepertoryRecordTest, BackupsRestoringExportAndImportKeepTheRecord) {
    ASSERT_TRUE(fileUnder(kKent, 7).saved());
    ASSERT_TRUE(fileUnder(kKent, 8).saved()); // keeps the 7th's file with its record
    const fs::path backupRecord = folder / "Sicherungen" / "historie-2026-12-08.repertorium";
    EXPECT_EQ(parseRepertoryRecord(readBytes(backupRecord)), recordOf(kKent));

    // A damaged history put back from its backup gets the backup's record.
    writeBytes(folder / "historie.xml", "<kaputt");
    writeRepertoryRecord(path, recordOf(kBuiltin));
    ASSERT_TRUE(restoreNewestBackup(path).saved());
    EXPECT_EQ(record().recorded, recordOf(kKent));

    // An export names the repertory beside the copy; an import brings it along.
    const ProgramRepertories program{kKent, kBuiltin};
    HistoryFileAccess access;
    access.repertories = &program;
    CaseHistory window = loadHistory(path, nullptr);
    const std::string exported = (folder / "kopie.xml").string();
    ASSERT_TRUE(exportHistory(window, exported, nullptr, access).saved());
    EXPECT_EQ(readRepertoryRecord(exported).recorded, recordOf(kKent));

    writeRepertoryRecord(exported, recordOf(kBuiltin));
    ASSERT_TRUE(importHistory(window, exported, nullptr, access).saved());
    EXPECT_EQ(record().recorded, recordOf(kBuiltin));
    // An export without record: nothing is guessed, nothing imported.
    fs::remove(folder / "kopie.repertorium");
    const std::string before = readBytes(path);
    const HistorySaveResult refused = importHistory(window, exported, nullptr, access);
    EXPECT_EQ(refused.status, HistorySaveStatus::Refused);
    EXPECT_NE(refused.message.find("--bind"), std::string::npos);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(record().recorded, recordOf(kBuiltin));
}

TEST_F(RepertoryRecordTest, MergingRefusesNumbersOfAnotherRepertory) {
    ASSERT_TRUE(fileUnder(kKent).saved());
    const ProgramRepertories program{kKent, kBuiltin};
    HistoryFileAccess access;
    access.repertories = &program;
    CaseHistory window = loadHistory(path, nullptr);
    const std::string other = (folder / "andere.xml").string();
    ASSERT_TRUE(saveHistoryAs(window, other).saved());
    writeRepertoryRecord(other, recordOf(kBuiltin));
    const std::string before = readBytes(path);
    const HistoryImport merge{other, ImportMode::Merge, std::nullopt};
    EXPECT_EQ(importHistory(window, merge, nullptr, access).status, HistorySaveStatus::Refused);
    EXPECT_EQ(readBytes(path), before);
    writeRepertoryRecord(other, recordOf(kKent));
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
    EXPECT_EQ(record().recorded.name, windows1252Of(ownFile));
    const std::string before = readBytes(path);
    EXPECT_EQ(fileCase({path, "Adler", "--", "12"}, err), 1);
    EXPECT_NE(err.find("eigen.dat"), std::string::npos) << err;
    EXPECT_NE(err.find("Beispielrepertorium (eingebaut, erfundene Daten)"), std::string::npos) << err;
    EXPECT_EQ(readBytes(path), before);
}

} // namespace
} // namespace telvarin
