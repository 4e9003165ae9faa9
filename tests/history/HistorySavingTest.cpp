// What saving the history does to the files around it: only regular files are replaced, access
// rights survive, a folder without room for new files is written in place, leftovers of crashed
// saves go, and the daily backups give a way out of a damaged file.

#include "foundation/files/FileReplacement.h"
#include "foundation/files/LockFiles.h"
#include "history/HistoryActions.h"
#include "history/HistoryBackup.h"
#include "history/HistoryWriter.h"
#include "tests/files/SpecialFiles.h"
#include "tests/history/HistoryTestSupport.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

namespace fs = std::filesystem;
using telvarin::testing::BoundSocket;
using telvarin::testing::FileOwner;
using telvarin::testing::filesIn;
using telvarin::testing::freshTestFolder;
using telvarin::testing::readBytes;
using telvarin::testing::RecordingReporter;
using telvarin::testing::writeBytes;

const std::vector<CaseSymptom> kRows = {{12, 0, false, {}}};

struct HistorySavingTest : ::testing::Test {
    fs::path folder = freshTestFolder();
    std::string path = (folder / "historie.xml").string();

    HistorySaveResult file(std::string_view name, int day = 7) {
        HistoryFileAccess access;
        access.today = LocalDateTime{day, 12, 2026, 9, 0};
        return fileTreatmentInHistoryFile(path, name, "", kRows, *access.today, nullptr, access);
    }
    unsigned modeOf(const std::string& p) const {
        return static_cast<unsigned>(fs::status(p).permissions() & fs::perms::mask);
    }
};

TEST_F(HistorySavingTest, OnlyRegularFilesAreReadOrReplaced) {
    const std::string fifo = (folder / "fifo.xml").string();
    ASSERT_TRUE(telvarin::testing::makeFifo(fifo));
    const BoundSocket sock(folder, "socket.xml");
    ASSERT_TRUE(sock.bound());
    fs::create_directory(folder / "ordner.xml");
    fs::create_symlink("fehlt.xml", folder / "link.xml");

    CaseHistory history;
    for (const auto& [name, kind] : {std::pair{"fifo.xml", "eine benannte Pipe"},
                                     {"socket.xml", "ein Socket"},
                                     {"ordner.xml", "ein Verzeichnis"},
                                     {"link.xml", "Ziel fehlt"}}) {
        const std::string target = (folder / name).string();
        const HistorySaveResult saved = saveHistoryAs(history, target);
        EXPECT_EQ(saved.status, HistorySaveStatus::WriteFailed) << name;
        EXPECT_NE(saved.message.find(kind), std::string::npos) << saved.message;
        RecordingReporter reporter;
        EXPECT_TRUE(loadHistory(target, &reporter).unreadable) << name; // returns at once, also for the FIFO
        ASSERT_EQ(reporter.shown.size(), 1u);
        EXPECT_NE(reporter.shown[0].find(kind), std::string::npos);
    }
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_symlink(folder / "link.xml"));
    EXPECT_FALSE(fs::exists(folder / "fehlt.xml"));
}

TEST_F(HistorySavingTest, AccessRightsSurviveAndAFolderWithoutRoomIsWrittenInPlace) {
    ASSERT_TRUE(file("Anna").saved());
    EXPECT_EQ(modeOf(path), 0600u); // a new history is private

    fs::permissions(path, fs::perms(0640));
    ASSERT_TRUE(telvarin::testing::setOwner(path, 12345, 12346)) << "needs the rights to give the file away";
    ASSERT_TRUE(file("Berta").saved());
    const std::optional<FileOwner> owner = telvarin::testing::ownerOf(path);
    ASSERT_TRUE(owner);
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(owner->user, 12345u);
    EXPECT_EQ(owner->group, 12346u);
    const std::optional<FileIdentity> identity = fileIdentityOf(path);
    ASSERT_TRUE(identity);

    FileSystemCalls noNewFiles = FileSystemCalls::system();
    noNewFiles.makeTemporary = [](char*) {
        errno = EACCES;
        return -1;
    };
    CaseHistory history = loadHistory(path, nullptr);
    history.cases.push_back(HistoryCase{"Carla", {}});
    const HistorySaveResult saved = saveHistory(history, noNewFiles);
    EXPECT_TRUE(saved.saved());
    EXPECT_NE(saved.message.find("direkt"), std::string::npos);
    EXPECT_EQ(readBytes(path), composeHistoryText(history));
    EXPECT_EQ(fileIdentityOf(path), identity);
}

TEST_F(HistorySavingTest, LeftoversOfCrashedSavesGoWithTheNextSave) {
    ASSERT_TRUE(file("Anna").saved());
    writeBytes(folder / "historie.xml.a1B2c3", "Patientendaten");
    writeBytes(folder / "historie.xml.Xq7pZ0", "Patientendaten");
    writeBytes(folder / "historie.xml.lang-name", "bleibt");
    for (const char* chosen : {"defekt", "Kopie1", "ALT2", "123456"})
        writeBytes(folder / ("historie.xml." + std::string(chosen)), "bleibt");
    writeBytes(folder / "andere.xml.a1B2c3", "bleibt");
    ASSERT_TRUE(file("Berta").saved());
    auto names = filesIn(folder);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"Sicherungen", "andere.xml.a1B2c3", "historie.xml",
                                        "historie.xml.123456", "historie.xml.ALT2", "historie.xml.Kopie1",
                                        "historie.xml.defekt", "historie.xml.lang-name"}));
}

TEST_F(HistorySavingTest, DailyBackupsGiveAWayOutOfADamagedFile) {
    ASSERT_TRUE(file("Anna", 1).saved()); // nothing to keep yet
    EXPECT_FALSE(newestBackup(path));
    const std::string first = readBytes(path);
    ASSERT_TRUE(file("Berta", 1).saved());
    ASSERT_TRUE(file("Carla", 1).saved());
    EXPECT_EQ(readBytes(backupPathFor(path, {1, 12, 2026, 0, 0})), first); // before the day's first save
    for (int day = 2; day <= 20; ++day)
        ASSERT_TRUE(file("Dora", day).saved());
    EXPECT_EQ(filesIn(folder / "Sicherungen").size(), kKeptBackups);
    const std::optional<HistoryBackup> newest = newestBackup(path);
    ASSERT_TRUE(newest);
    EXPECT_EQ(newest->date, "20.12.2026");
    const std::string lastGood = readBytes(newest->path);

    const std::string damaged = "<Fallhistorie AnzahlFaelle=\"1\"><Fall Na";
    writeBytes(path, damaged);
    EXPECT_NE(unreadableHistoryMessage(path).find("historie-2026-12-20.xml\" vom 20.12.2026"),
              std::string::npos);
    EXPECT_EQ(file("Emil", 21).status, HistorySaveStatus::Refused);
    writeBytes(path, lastGood);
    EXPECT_EQ(restoreNewestBackup(path).status, HistorySaveStatus::Gone); // readable again meanwhile
    writeBytes(path, damaged);
    ASSERT_TRUE(restoreNewestBackup(path).saved());
    EXPECT_EQ(readBytes(path + ".defekt"), damaged);
    EXPECT_EQ(readBytes(path), lastGood);
    EXPECT_TRUE(file("Emil", 21).saved());
}

} // namespace
} // namespace telvarin
