#include "history/HistoryLock.h"

#include "foundation/files/Processes.h"
#include "tests/files/SpecialFiles.h"
#include "tests/history/HistoryTestSupport.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

namespace fs = std::filesystem;
using telvarin::testing::freshTestFolder;
using telvarin::testing::writeBytes;

constexpr std::chrono::milliseconds kShort{30};

bool isBusy(const HistoryLock::Result& result) {
    return std::holds_alternative<HistoryLock::Busy>(result);
}

struct HistoryLockTest : ::testing::Test {
    fs::path folder = freshTestFolder();
    std::string history = (folder / "historie.xml").string();
    std::string lockFile = history + ".lock";
};

TEST_F(HistoryLockTest, IsExclusiveNamesItsHolderAndGoesWithIt) {
    {
        const HistoryLock::Result held = HistoryLock::acquire(history, kShort);
        ASSERT_FALSE(isBusy(held));
        bool toldWaiting = false;
        const HistoryLock::Result second = HistoryLock::acquire(history, kShort, [&] { toldWaiting = true; });
        ASSERT_TRUE(isBusy(second));
        EXPECT_TRUE(toldWaiting);
        const std::string& message = std::get<HistoryLock::Busy>(second).message;
        EXPECT_NE(message.find("Prozess " + std::to_string(currentProcessId())), std::string::npos)
            << message;
        EXPECT_NE(message.find("Benutzer " + currentUserName()), std::string::npos) << message;
    }
    EXPECT_FALSE(isBusy(HistoryLock::acquire(history, kShort)));
    EXPECT_TRUE(fs::is_regular_file(lockFile)); // stays in place
}

// Whatever a crashed program or an earlier version left behind is no lock: only a running holder is.
TEST_F(HistoryLockTest, NothingLeftBehindBlocks) {
    writeBytes(lockFile, lockFileContent({999999999, "telvarin", "anderer-rechner", "alice"}));
    writeBytes(lockFile + ".break", "");
    fs::permissions(lockFile, fs::perms::owner_read | fs::perms::owner_write);
    if (telvarin::testing::runningAsRoot()) {
        ASSERT_TRUE(telvarin::testing::setOwner(lockFile, 12345, 12345)); // another user's, unreadable
    }
    EXPECT_FALSE(isBusy(HistoryLock::acquire(history, kShort)));
}

// A lock file that is a link, a second name of a file or no file at all is never opened: a member
// of a shared folder could plant one that leads to another user's file. Nothing is locked, and so
// nothing changed, until it is gone.
TEST_F(HistoryLockTest, ALockFileThatIsNotOwnRegularFileIsRefusedAndNothingWrittenThroughIt) {
    writeBytes(history, "");
    const fs::path victim = folder / "fremd.txt";
    writeBytes(victim.string(), "fremd");
    fs::permissions(victim, fs::perms(0600));
#ifdef _WIN32
    const auto kinds = {"Ordner"};
#else
    const auto kinds = {"Ordner", "FIFO", "Verkn\xFCpfung", "harte Verkn\xFCpfung"};
#endif
    for (const std::string kind : kinds) {
        fs::remove_all(lockFile);
        if (kind == "Ordner")
            fs::create_directory(lockFile);
        else if (kind == "FIFO")
            ASSERT_TRUE(telvarin::testing::makeFifo(lockFile));
        else if (kind[0] == 'V')
            fs::create_symlink(victim, lockFile);
        else
            fs::create_hard_link(victim, lockFile);
        const HistoryLock::Result refused = HistoryLock::acquire(history, kShort);
        ASSERT_TRUE(isBusy(refused)) << kind;
        const std::string& message = std::get<HistoryLock::Busy>(refused).message;
        EXPECT_NE(message.find("Sperrdatei"), std::string::npos) << message;
        EXPECT_NE(message.find(kind == "FIFO"     ? "Pipe"
                               : kind == "Ordner" ? "Verzeichnis"
                                                  : kind),
                  std::string::npos)
            << message;
        EXPECT_EQ(telvarin::testing::readBytes(victim.string()), "fremd") << kind;
#ifndef _WIN32 // there modes are only the read-only flag
        EXPECT_EQ(fs::status(victim).permissions() & fs::perms::mask, fs::perms(0600)) << kind;
#endif
    }
    fs::remove_all(lockFile);
    EXPECT_FALSE(isBusy(HistoryLock::acquire(history, kShort)));
}

// Whoever may merely open the lock file could hold a lock on it; the waiting are not told that a
// program holds it that has let it go or has ended.
TEST_F(HistoryLockTest, OnlyAHolderThatStillHoldsIsNamed) {
    ASSERT_FALSE(isBusy(HistoryLock::acquire(history, kShort)));
    EXPECT_EQ(telvarin::testing::readBytes(lockFile), "");
    writeBytes(lockFile, lockFileContent({999999999, "telvarin", hostName().value_or("?"), "alice"}));
    auto opened = FileLock::openLockFile(lockFile, history);
    FileLock& other = std::get<FileLock>(opened);
    ASSERT_EQ(other.tryLock(), LockAttempt::Locked);
    const HistoryLock::Result busy = HistoryLock::acquire(history, kShort);
    ASSERT_TRUE(isBusy(busy));
    EXPECT_EQ(std::get<HistoryLock::Busy>(busy).message.find("999999999"), std::string::npos);
}

} // namespace
} // namespace telvarin
