#include "history/HistoryLock.h"

#include "foundation/CodePage.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace telvarin {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A holder that crashed between creating its lock file and writing its name into it.
constexpr std::chrono::seconds kUnnamedLockStaleAge{10};
constexpr std::chrono::seconds kCrashedBreakerAge{10};

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return "?";
    return name;
}

std::string firstLineOf(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

LockHolder thisProcess() {
    std::string program = firstLineOf("/proc/self/comm");
    return {static_cast<long>(::getpid()), program.empty() ? "telvarin" : program, hostName()};
}

std::string resolvedPath(const std::string& path) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec))
        return path;
    const fs::path target = fs::canonical(path, ec);
    return ec ? path : target.string();
}

// Whether the process that wrote the lock is gone: on this computer the process table says so
// (a process of the same number running another program took over a freed number); on another
// one only the lock's age can tell.
std::chrono::system_clock::duration ageOf(const struct stat& info) {
    return std::chrono::system_clock::now() - std::chrono::system_clock::from_time_t(info.st_mtime);
}

bool isStale(const std::optional<LockHolder>& holder, const struct stat& info, const LockHolder& self) {
    const auto age = ageOf(info);
    if (!holder) // a holder that crashed while writing its name
        return age > kUnnamedLockStaleAge;
    if (holder->host != self.host)
        return age > kForeignLockStaleAge;
    if (holder->pid <= 0 || (::kill(static_cast<pid_t>(holder->pid), 0) != 0 && errno == ESRCH))
        return true;
    const std::string running = firstLineOf("/proc/" + std::to_string(holder->pid) + "/comm");
    return !running.empty() && running != holder->program;
}

// What a lock file names and how old it is, read through one descriptor so that both belong to
// the same file: one lock may go and the next come between two looks at the path.
struct LockFileState {
    std::optional<LockHolder> holder;
    struct stat info {};
};

std::optional<LockFileState> readLockFile(const std::string& lockPath) {
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    LockFileState state;
    char content[4096];
    ssize_t got = -1;
    if (::fstat(fd, &state.info) == 0 && S_ISREG(state.info.st_mode))
        got = ::read(fd, content, sizeof content);
    ::close(fd);
    if (got < 0)
        return std::nullopt;
    state.holder = parseLockHolder(std::string(content, static_cast<std::size_t>(got)));
    return state;
}

// Takes a stale lock away. Those who break locks take turns through a second lock file, and the
// lock is judged again while that is held: a stale lock cannot go away meanwhile but by a breaker,
// so the file removed is the one judged, never a fresh lock made after the stale one went.
void breakStaleLock(const std::string& lockPath, const LockHolder& self) {
    const std::string breaker = lockPath + ".break";
    const int fd = ::open(breaker.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        struct stat info {};
        if (errno == EEXIST && ::stat(breaker.c_str(), &info) == 0 && ageOf(info) > kCrashedBreakerAge)
            ::unlink(breaker.c_str()); // a breaker that crashed
        return;
    }
    ::close(fd);
    const std::optional<LockFileState> state = readLockFile(lockPath);
    if (state && isStale(state->holder, state->info, self))
        ::unlink(lockPath.c_str());
    ::unlink(breaker.c_str());
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string busyMessage(const std::string& historyPath, const std::optional<LockHolder>& holder) {
    std::string message = "Die Fallhistorie \"" + utf8ToWindows1252(historyPath) +
                          "\" wird gerade von einem anderen Programm bearbeitet";
    if (holder)
        message += " (" + utf8ToWindows1252(holder->program) + ", Prozess " + std::to_string(holder->pid) +
                   " auf " + utf8ToWindows1252(holder->host) + ")";
    return message + ". Es wurde nichts ge\xE4ndert; bitte versuchen Sie es gleich noch einmal.";
}

bool isPermissionError(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

} // namespace

std::string historyLockPath(const std::string& historyPath) {
    return resolvedPath(historyPath) + ".lock";
}

std::string lockFileContent(const LockHolder& holder) {
    return std::to_string(holder.pid) + '\n' + holder.program + '\n' + holder.host + '\n';
}

std::optional<LockHolder> parseLockHolder(const std::string& content) {
    std::istringstream in(content);
    std::string pid;
    LockHolder holder;
    if (!std::getline(in, pid) || !std::getline(in, holder.program) || !std::getline(in, holder.host))
        return std::nullopt;
    try {
        std::size_t used = 0;
        holder.pid = std::stol(pid, &used);
        if (used != pid.size())
            return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return holder;
}

HistoryLock::Result HistoryLock::acquire(const std::string& historyPath, std::chrono::milliseconds timeout,
                                         const std::function<void()>& waiting) {
    const LockHolder self = thisProcess();
    const std::string content = lockFileContent(self);
    const std::string lockPath = historyLockPath(historyPath);
    const std::string target = resolvedPath(historyPath);
    const auto deadline = Clock::now() + timeout;
    // Short pauses: a holder that files again at once (a script, a busy second workstation) would
    // otherwise get the lock back before a waiter woke up from a longer one, again and again.
    constexpr auto pause = std::chrono::milliseconds(3);
    bool toldWaiting = false;
    std::optional<LockHolder> holder;
    int recordFd = -1;
    for (;;) {
        if (recordFd < 0) {
            const int fd = ::open(lockPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd >= 0) {
                struct stat info {};
                const bool ok = writeAll(fd, content) && ::fstat(fd, &info) == 0;
                ::close(fd);
                if (ok) {
                    HistoryLock lock;
                    lock.lockPath_ = lockPath;
                    lock.inode_ = info.st_ino;
                    return lock;
                }
                ::unlink(lockPath.c_str());
            } else if (errno == EEXIST) {
                if (const std::optional<LockFileState> state = readLockFile(lockPath)) {
                    holder = state->holder;
                    if (isStale(holder, state->info, self)) {
                        breakStaleLock(lockPath, self);
                        continue;
                    }
                }
            } else if (!isPermissionError(errno)) {
                // No folder to put a lock into, so no history to contend for: the save says why.
                return HistoryLock();
            } else {
                recordFd = ::open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
                if (recordFd < 0)
                    recordFd = ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
                if (recordFd < 0) // nothing there to lock, nor to write: the save will say why
                    return HistoryLock();
            }
        }
        if (recordFd >= 0) {
            struct flock record {};
            record.l_type = F_WRLCK;
            record.l_whence = SEEK_SET;
            if (::fcntl(recordFd, F_SETLK, &record) == 0 || errno == EBADF || errno == ENOLCK) {
                // A file open only for reading cannot carry a write lock; it cannot be saved
                // either, which the save reports.
                HistoryLock lock;
                lock.recordLockFd_ = recordFd;
                return lock;
            }
        }
        if (Clock::now() >= deadline) {
            if (recordFd >= 0)
                ::close(recordFd);
            return Busy{busyMessage(historyPath, holder)};
        }
        if (!toldWaiting && waiting) {
            waiting();
            toldWaiting = true;
        }
        std::this_thread::sleep_for(pause);
    }
}

HistoryLock::HistoryLock(HistoryLock&& other) noexcept
    : lockPath_(std::move(other.lockPath_)), inode_(other.inode_), recordLockFd_(other.recordLockFd_) {
    other.lockPath_.clear();
    other.recordLockFd_ = -1;
}

HistoryLock::~HistoryLock() {
    if (recordLockFd_ >= 0)
        ::close(recordLockFd_);
    // Only the own lock goes: one judged stale and broken by another program is not ours any more.
    struct stat info {};
    if (!lockPath_.empty() && ::stat(lockPath_.c_str(), &info) == 0 && info.st_ino == inode_)
        ::unlink(lockPath_.c_str());
}

} // namespace telvarin
