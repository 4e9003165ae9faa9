// What saving the history does to the files around it: only regular files are replaced, access
// rights survive, a folder without room for new files is written in place, leftovers of crashed
// saves go, and the daily backups give a way out of a damaged file.

#include "foundation/files/FileReplacement.h"
#include "history/HistoryActions.h"
#include "history/HistoryBackup.h"
#include "history/HistoryWriter.h"
#include "tests/history/HistoryTestSupport.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace telvarin {
namespace {

namespace fs = std::filesystem;
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
    mode_t modeOf(const std::string& p) const {
        struct stat info {};
        ::stat(p.c_str(), &info);
        return info.st_mode & 07777;
    }
};

TEST_F(HistorySavingTest, OnlyRegularFilesAreReadOrReplaced) {
    const std::string fifo = (folder / "fifo.xml").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A socket address holds about 100 characters; bound by its relative name, the folder's depth
    // (a clone anywhere) cannot cut it short.
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string_view("socket.xml").copy(address.sun_path, sizeof address.sun_path - 1);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    const int bound = ::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    fs::current_path(previous);
    ASSERT_EQ(bound, 0);
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
    ::close(sock);
}

TEST_F(HistorySavingTest, AccessRightsSurviveAndAFolderWithoutRoomIsWrittenInPlace) {
    ASSERT_TRUE(file("Anna").saved());
    EXPECT_EQ(modeOf(path), 0600); // a new history is private

    ::chmod(path.c_str(), 0640);
    ASSERT_EQ(::chown(path.c_str(), 12345, 12346), 0) << "needs the rights to give the file away";
    ASSERT_TRUE(file("Berta").saved());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640);
    EXPECT_EQ(info.st_uid, 12345u);
    EXPECT_EQ(info.st_gid, 12346u);

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
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, info.st_ino);
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
