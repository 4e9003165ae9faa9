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

// A lock file that is none is not waited for: the history file itself is locked, and a program
// that has the lock file locks the history too, so that both exclude each other. Not so on
// Windows, where no FIFOs or links are at hand and the lock file alone guards the history.
TEST_F(HistoryLockTest, WithoutAUsableLockFileTheHistoryItselfIsLocked) {
    writeBytes(history, "");
#ifdef _WIN32
    const auto kinds = {"Ordner"};
#else
    const auto kinds = {"Ordner", "FIFO", "Verkn\xFCpfung"};
#endif
    for (const char* kind : kinds) {
        fs::remove_all(lockFile);
        if (kind[0] == 'O')
            fs::create_directory(lockFile);
        else if (kind[0] == 'F')
            ASSERT_TRUE(telvarin::testing::makeFifo(lockFile));
        else
            fs::create_symlink(folder / "nirgends", lockFile);
        const HistoryLock::Result held = HistoryLock::acquire(history, kShort);
        ASSERT_FALSE(isBusy(held)) << kind;
        EXPECT_TRUE(isBusy(HistoryLock::acquire(history, kShort))) << kind;
        if (kind[0] == 'V') {
            EXPECT_FALSE(fs::exists(folder / "nirgends")); // the link is not followed
            fs::remove(lockFile);
            EXPECT_TRUE(isBusy(HistoryLock::acquire(history, kShort))); // with a lock file now
        }
    }
}

} // namespace
} // namespace telvarin
