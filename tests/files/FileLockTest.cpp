// The lock the system holds for an open file: what makes it safe where a lock file's existence was
// not, on the system's own calls.

#include "foundation/files/FileKind.h"
#include "foundation/files/LockFiles.h"
#include "foundation/files/Processes.h"
#include "tests/files/SpecialFiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace telvarin {
namespace {

namespace fs = std::filesystem;

class FileLockTest : public ::testing::Test {
protected:
    fs::path dir = fs::path(TELVARIN_TEST_OUTPUT_DIR) / ("filelock-" + std::to_string(currentProcessId()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const char* name) const { return (dir / name).string(); }

    static FileLock opened(std::variant<FileLock, LockOpenError> result) {
        EXPECT_TRUE(std::holds_alternative<FileLock>(result));
        return std::move(std::get<FileLock>(result));
    }
};

// Two openings exclude each other even in one process, and closing another handle of the same
// file keeps the lock: a record lock of the process would be lost there.
TEST_F(FileLockTest, BelongsToTheOpenFileNotToTheProcess) {
    const std::string lockPath = at("a.lock");
    {
        FileLock held = opened(FileLock::openLockFile(lockPath, at("fehlt")));
        ASSERT_EQ(held.tryLock(), LockAttempt::Locked);
        held.setContent("42\n");
        FileLock other = opened(FileLock::openLockFile(lockPath, at("fehlt")));
        EXPECT_EQ(other.tryLock(), LockAttempt::Busy);
        EXPECT_EQ(std::get<std::string>(readRegularFile(lockPath, 100)), "42\n"); // opens and closes it
        std::ifstream(lockPath).close();
        EXPECT_EQ(other.tryLock(), LockAttempt::Busy);
        EXPECT_TRUE(held.isAt(lockPath));
        fs::rename(lockPath, at("b.lock"));
        EXPECT_FALSE(held.isAt(lockPath));
    }
    FileLock again = opened(FileLock::openFile(at("b.lock"), false));
    EXPECT_EQ(again.tryLock(), LockAttempt::Locked); // gone with the holder
}

// Readers share the lock and keep the writer out until the last of them is done.
TEST_F(FileLockTest, SharedLocksAdmitEachOtherAndExcludeTheWriter) {
    const std::string path = at("historie.xml");
    std::ofstream(path) << "x";
    FileLock writer = opened(FileLock::openFile(path, false));
    {
        FileLock reader = opened(FileLock::openToRead(path));
        FileLock second = opened(FileLock::openToRead(path));
        ASSERT_EQ(reader.tryLockShared(), LockAttempt::Locked);
        EXPECT_EQ(second.tryLockShared(), LockAttempt::Locked);
        EXPECT_EQ(writer.tryLock(), LockAttempt::Busy);
    }
    ASSERT_EQ(writer.tryLock(), LockAttempt::Locked);
    EXPECT_EQ(opened(FileLock::openToRead(path)).tryLockShared(), LockAttempt::Busy);
    EXPECT_TRUE(std::holds_alternative<LockOpenError>(FileLock::openToRead(at("fehlt"))));
}

TEST_F(FileLockTest, ALockFileIsMadeForThoseWhoMayChangeWhatItGuards) {
    std::ofstream(at("historie.xml")) << "";
#ifndef _WIN32 // there the lock file takes the access list of the history, which this cannot show
    ::chmod(at("historie.xml").c_str(), 0660);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(at("historie.xml").c_str(), static_cast<uid_t>(-1), 12346), 0);
    }
    struct stat model {};
    ASSERT_EQ(::stat(at("historie.xml").c_str(), &model), 0);
    opened(FileLock::openLockFile(at("historie.xml.lock"), at("historie.xml")));
    struct stat made {};
    ASSERT_EQ(::stat(at("historie.xml.lock").c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0660u);
    EXPECT_EQ(made.st_gid, model.st_gid);

    // What is no regular file is not opened, and a link that leads nowhere makes no file.
    ASSERT_TRUE(telvarin::testing::makeFifo(at("fifo")));
    fs::create_symlink(dir / "nirgends", dir / "lose");
    for (const char* name : {"fifo", "lose"}) {
        EXPECT_EQ(std::get<LockOpenError>(FileLock::openLockFile(at(name), at("historie.xml"))),
                  LockOpenError::NotRegular)
            << name;
    }
#else
    opened(FileLock::openLockFile(at("historie.xml.lock"), at("historie.xml")));
    EXPECT_EQ(std::get<LockOpenError>(FileLock::openLockFile(at("nul.lock"), "")), LockOpenError::NotRegular);
#endif
    EXPECT_EQ(std::get<LockOpenError>(FileLock::openLockFile(dir.string(), "")), LockOpenError::NotRegular);
    EXPECT_FALSE(fs::exists(dir / "nirgends"));
    EXPECT_EQ(std::get<LockOpenError>(FileLock::openFile(at("fehlt"), false)), LockOpenError::Missing);
}

} // namespace
} // namespace telvarin
