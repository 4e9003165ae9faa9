#include "history/HistoryLock.h"

#include "foundation/files/Processes.h"
#include "tests/history/HistoryTestSupport.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

using telvarin::testing::freshTestFolder;
using telvarin::testing::writeBytes;

constexpr std::chrono::milliseconds kShort{30};

bool isBusy(const HistoryLock::Result& result) {
    return std::holds_alternative<HistoryLock::Busy>(result);
}

TEST(HistoryLock, IsExclusiveAndTakesOverTheLocksOfCrashedHolders) {
    const auto folder = freshTestFolder();
    const std::string history = (folder / "historie.xml").string();
    const std::string lockFile = history + ".lock";
    const std::string host = hostName().value_or("?");
    {
        const HistoryLock::Result held = HistoryLock::acquire(history, kShort);
        ASSERT_FALSE(isBusy(held));
        bool toldWaiting = false;
        const HistoryLock::Result second = HistoryLock::acquire(history, kShort, [&] { toldWaiting = true; });
        ASSERT_TRUE(isBusy(second));
        EXPECT_TRUE(toldWaiting);
        EXPECT_NE(
            std::get<HistoryLock::Busy>(second).message.find("Prozess " + std::to_string(currentProcessId())),
            std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(lockFile)); // released with its holder

    // A process of this computer that no longer runs, or a number now used by another program.
    for (const LockHolder& gone :
         {LockHolder{999999999, "telvarin", host}, LockHolder{1, "telvarin", host}}) {
        writeBytes(lockFile, lockFileContent(gone));
        EXPECT_FALSE(isBusy(HistoryLock::acquire(history, kShort))) << gone.pid;
    }

    // Another computer: only an old lock is stale.
    writeBytes(lockFile, lockFileContent({42, "telvarin", "anderer-rechner"}));
    EXPECT_TRUE(isBusy(HistoryLock::acquire(history, kShort)));
    std::filesystem::last_write_time(lockFile, std::filesystem::file_time_type::clock::now() -
                                                   2 * kForeignLockStaleAge);
    EXPECT_FALSE(isBusy(HistoryLock::acquire(history, kShort)));
}

} // namespace
} // namespace telvarin
