// What saving the history does to the files around it: only regular files are replaced, access
// rights survive, a folder without room for new files is written in place, leftovers of crashed
// saves go, and the daily backups give a way out of a damaged file.

#include "foundation/files/FileReplacement.h"
#include "foundation/files/LockFiles.h"
#include "history/HistoryActions.h"
#include "history/HistoryBackup.h"
#include "history/HistoryWriter.h"
#include "history/RepertoryRecord.h"
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
        return fileTreatmentInHistoryFile(path, Windows1252View(name), {}, kRows, *access.today, nullptr,
                                          access);
    }
    unsigned modeOf(const std::string& p) const {
        return static_cast<unsigned>(fs::status(p).permissions() & fs::perms::mask);
    }
};

TEST_F(HistorySavingTest, OnlyRegularFilesAreReadOrReplaced) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFOs and sockets in folders, and lets only administrators make links";
#endif
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

TEST_F(HistorySavingTest, AccessRightsSurviveAndAFolderWithoutRoomIsWrittenInPlaceAfterACopy) {
    ASSERT_TRUE(file("Anna").saved());
#ifdef _WIN32 // access lists, owners and groups are not what std::filesystem shows of a file there
    ASSERT_TRUE(file("Berta").saved());
    const char* refusedRename = "anderen Programm";
#else
    EXPECT_EQ(modeOf(path), 0600u); // a new history is private

    fs::permissions(path, fs::perms(0640));
    // Another owner and group only where this user may give the file away.
    const bool givenAway = telvarin::testing::setOwner(path, 12345, 12346);
    const std::optional<FileOwner> earlier = telvarin::testing::ownerOf(path);
    ASSERT_TRUE(file("Berta").saved());
    const std::optional<FileOwner> owner = telvarin::testing::ownerOf(path);
    ASSERT_TRUE(owner && earlier);
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(owner->user, givenAway ? 12345u : earlier->user);
    EXPECT_EQ(owner->group, givenAway ? 12346u : earlier->group);
    const char* refusedRename = "Besitzer der Datei";
#endif
    const std::optional<FileIdentity> identity = fileIdentityOf(path);
    ASSERT_TRUE(identity);

    // The history's folder allows no new files; "Sicherungen" does.
    FileSystemCalls noNewFilesHere = FileSystemCalls::system();
    noNewFilesHere.makeTemporary = [this](char* pathTemplate) {
        if (fs::path(pathTemplate).parent_path() == folder) {
            errno = EACCES;
            return -1;
        }
        return FileSystemCalls::system().makeTemporary(pathTemplate);
    };
    CaseHistory history = loadHistory(path, nullptr);
    history.cases.push_back(HistoryCase{"Carla"_w1252, {}});
    const HistorySaveResult saved = saveHistory(history, noNewFilesHere);
    EXPECT_TRUE(saved.saved());
    EXPECT_NE(saved.message.find("direkt"), std::string::npos);
    EXPECT_EQ(readBytes(path), composeHistoryText(history));
    EXPECT_EQ(fileIdentityOf(path), identity);
    EXPECT_FALSE(fs::exists(writeCopyPathFor(path))); // gone once written

    // A folder with the sticky bit refuses to replace another user's file by a rename.
    FileSystemCalls stickyFolder = FileSystemCalls::system();
    stickyFolder.rename = [this](const char* from, const char* to) {
        if (fs::path(to).parent_path() != folder)
            return FileSystemCalls::system().rename(from, to);
        errno = EPERM;
        return -1;
    };
    history.cases.push_back(HistoryCase{"Cora"_w1252, {}});
    EXPECT_NE(saveHistory(history, stickyFolder).message.find(refusedRename), std::string::npos);
    EXPECT_EQ(readBytes(path), composeHistoryText(history));
    EXPECT_EQ(fileIdentityOf(path), identity);
    for (const std::string& name : filesIn(folder))
        EXPECT_EQ(name.find(kTemporaryMarker), std::string::npos) << name;

    // A crash half way through the write in place: the copy made first holds all of it.
    history.cases.push_back(HistoryCase{"Dora"_w1252, {}});
    FileSystemCalls crashInPlace = noNewFilesHere;
    int writes = 0; // the first writes the copy, the second the history
    crashInPlace.write = [&](int fd, const char* data, std::size_t size) -> long {
        if (++writes == 2) {
            FileSystemCalls::system().write(fd, data, size / 2);
            throw std::runtime_error("Absturz");
        }
        return FileSystemCalls::system().write(fd, data, size);
    };
    ASSERT_THROW(saveHistory(history, crashInPlace), std::runtime_error);
    EXPECT_TRUE(loadHistory(path, nullptr).unreadable);
    const std::string message = unreadableHistoryMessage(path);
    EXPECT_NE(message.find("wurde unterbrochen"), std::string::npos) << message;
    EXPECT_NE(message.find(writeCopyPathFor(path)), std::string::npos) << message;
    const std::optional<HistoryBackup> copy = backupToRestore(path);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->kind, BackupKind::InterruptedSave);
    EXPECT_EQ(copy->cases, 5u);
    EXPECT_NE(restoreBackupQuestion(path, *copy).find("nichts verloren"), std::string::npos);
    ASSERT_TRUE(restoreNewestBackup(path).saved());
    EXPECT_EQ(readBytes(path), composeHistoryText(history));
    EXPECT_TRUE(fs::exists(path + ".defekt"));
    EXPECT_FALSE(fs::exists(writeCopyPathFor(path)));

    // No copy can be made: nothing is written rather than risking the history.
    FileSystemCalls noNewFilesAnywhere = noNewFilesHere;
    noNewFilesAnywhere.makeTemporary = [](char*) {
        errno = EACCES;
        return -1;
    };
    history.cases.push_back(HistoryCase{"Emil"_w1252, {}});
    const std::string before = readBytes(path);
    const HistorySaveResult refused = saveHistory(history, noNewFilesAnywhere);
    EXPECT_EQ(refused.status, HistorySaveStatus::WriteFailed);
    EXPECT_NE(refused.message.find("Sicherungen"), std::string::npos) << refused.message;
    EXPECT_EQ(readBytes(path), before);
}

// Only names the program gives its new files are taken for leftovers, beside the history and
// among its copies; every other file there is the user's.
TEST_F(HistorySavingTest, LeftoversOfCrashedSavesGoWithTheNextSave) {
    ASSERT_TRUE(file("Anna").saved());
    const fs::path backups = folder / "Sicherungen";
    fs::create_directories(backups);
    const std::vector<std::string> leftovers = {"historie.xml.telvarin-tmp-a1B2c3",
                                                "historie.repertorium.telvarin-tmp-Xq7pZ0",
                                                "historie.xml.defekt.telvarin-tmp-000000"};
    for (const std::string& name : leftovers)
        writeBytes(folder / name, "Patientendaten");
    writeBytes(backups / "historie-2026-12-06.xml.telvarin-tmp-b2C3d4", "Patientendaten");
    writeBytes(backups / "historie.telvarin-schreibkopie.xml.telvarin-tmp-c3D4e5", "Patientendaten");
    const std::vector<std::string> theUsers = {"historie.xml.a1B2c3", "historie.xml.defekt",
                                               "historie.xml.Kopie1", "andere.xml.telvarin-tmp-a1B2c3",
                                               "historie.xml.telvarin-tmp-zu-lang"};
    for (const std::string& name : theUsers)
        writeBytes(folder / name, "bleibt");
    writeBytes(backups / "notizen.txt.telvarin-tmp-d4E5f6", "bleibt");
    writeBytes(backups / "historie-2026-13-45.xml.telvarin-tmp-e5F6g7", "bleibt");
    ASSERT_TRUE(file("Berta").saved());
    for (const std::string& name : leftovers)
        EXPECT_FALSE(fs::exists(folder / name)) << name;
    for (const std::string& name : theUsers)
        EXPECT_TRUE(fs::exists(folder / name)) << name;
    auto kept = filesIn(backups);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<std::string>{"historie-2026-12-07.xml",
                                              "historie-2026-13-45.xml.telvarin-tmp-e5F6g7",
                                              "notizen.txt.telvarin-tmp-d4E5f6"}));
}

// A workstation whose clock ran ahead left copies dated in the future.
TEST_F(HistorySavingTest, CopiesDatedAfterTodayAreKeptAndNotCounted) {
    const fs::path backups = folder / "Sicherungen";
    fs::create_directories(backups);
    for (int day = 10; day < 10 + static_cast<int>(kKeptBackups); ++day)
        writeBytes(backups / ("historie-2030-01-" + std::to_string(day) + ".xml"), "vorgestellt");
    for (int day = 1; day <= 20; ++day)
        ASSERT_TRUE(file("Dora", day).saved());
    EXPECT_TRUE(fs::exists(backupPathFor(path, {20, 12, 2026, 0, 0})));
    EXPECT_TRUE(fs::exists(backupPathFor(path, {7, 12, 2026, 0, 0})));
    EXPECT_FALSE(fs::exists(backupPathFor(path, {6, 12, 2026, 0, 0})));
    EXPECT_TRUE(fs::exists(backups / "historie-2030-01-10.xml"));
}

TEST_F(HistorySavingTest, DailyBackupsGiveAWayOutOfADamagedFile) {
    ASSERT_TRUE(file("Anna", 1).saved()); // nothing to keep yet
    EXPECT_FALSE(newestBackup(path));
    const std::string first = readBytes(path);
    ASSERT_TRUE(file("Berta", 1).saved());
    ASSERT_TRUE(file("Carla", 1).saved());
    EXPECT_EQ(readBytes(backupPathFor(path, {1, 12, 2026, 0, 0})), first); // before the day's first save
    // Names without a real date are the user's: never counted, offered or removed.
    const fs::path backups = folder / "Sicherungen";
    for (const char* name : {"historie-2026-13-45.xml", "historie-2026-02-30.xml", "historie-9999-99-99.xml"})
        writeBytes(backups / name, "<kaputt");
    for (int day = 2; day <= 20; ++day)
        ASSERT_TRUE(file("Dora", day).saved());
    EXPECT_EQ(filesIn(backups).size(), kKeptBackups + 3);
    const std::optional<HistoryBackup> newest = newestBackup(path);
    ASSERT_TRUE(newest);
    EXPECT_EQ(newest->date, "20.12.2026");
    const std::string lastGood = readBytes(newest->path);

    const std::string damaged = "<Fallhistorie AnzahlFaelle=\"1\"><Fall Na";
    writeBytes(path, damaged);
    EXPECT_NE(unreadableHistoryMessage(path).find("historie-2026-12-20.xml\" vom 20.12.2026"),
              std::string::npos);
    const std::optional<HistoryBackup> offered = backupToRestore(path);
    ASSERT_TRUE(offered);
    const std::string question = restoreBackupQuestion(path, *offered);
    for (const std::string& part : std::vector<std::string>{
             "vom 20.12.2026", "4 F\xE4lle mit 21 Behandlungen", "vor der ersten \xC4nderung am 20.12.2026",
             "bleibt als \"" + path + ".defekt\" erhalten"})
        EXPECT_NE(question.find(part), std::string::npos) << part << " in " << question;
    EXPECT_EQ(file("Emil", 21).status, HistorySaveStatus::Refused);
    writeBytes(path, lastGood);
    EXPECT_EQ(restoreNewestBackup(path).status, HistorySaveStatus::Gone); // readable again meanwhile
    writeBytes(path, damaged);
    // The newest copy that cannot be read is passed over.
    writeBytes(backups / "historie-2026-12-21.xml", "<kaputt");
    ASSERT_TRUE(restoreNewestBackup(path).saved());
    EXPECT_EQ(readBytes(path + ".defekt"), damaged);
    EXPECT_EQ(readBytes(path), lastGood);
    EXPECT_TRUE(file("Emil", 21).saved());
}

// In a folder of the practice's group, the backups belong to the group as the history does.
TEST_F(HistorySavingTest, BackupsAreSharedAsTheHistoryIs) {
    ASSERT_TRUE(file("Anna", 1).saved());
    fs::create_directory(folder / "Sicherungen"); // made private by an earlier version
    fs::permissions(folder / "Sicherungen", fs::perms(0700));
    fs::permissions(folder, fs::perms(02770));
    fs::permissions(path, fs::perms(0660));
    const unsigned user = telvarin::testing::ownerOf(path)->user;
    if (!telvarin::testing::setOwner(path, user, 12346) ||
        !telvarin::testing::setOwner(folder.string(), user, 12346))
        GTEST_SKIP() << "needs the rights to give the file to another group";
    fs::permissions(folder, fs::perms(02770)); // a change of group takes the set-group bit away
    ASSERT_TRUE(writeRepertoryRecord(path, {"Kent"_w1252, "00112233445566aa", {}}));
    EXPECT_EQ(modeOf(repertoryRecordPath(path)), 0660u); // read by those who read the history
    ASSERT_TRUE(file("Berta", 2).saved());
    const fs::path backups = folder / "Sicherungen";
    EXPECT_EQ(modeOf(backups.string()) |
                  static_cast<unsigned>(fs::status(backups).permissions() & fs::perms::set_gid),
              02770u);
    EXPECT_EQ(telvarin::testing::ownerOf(backups.string())->group, 12346u);
    for (const char* copy : {"historie-2026-12-02.xml", "historie-2026-12-02.repertorium"}) {
        EXPECT_EQ(modeOf((backups / copy).string()), 0660u) << copy;
        EXPECT_EQ(telvarin::testing::ownerOf((backups / copy).string())->group, 12346u) << copy;
    }
}

} // namespace
} // namespace telvarin
