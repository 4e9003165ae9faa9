#include "foundation/files/Processes.h"

#include <cerrno>
#include <csignal>
#include <fstream>
#include <unistd.h>

namespace telvarin {
namespace {

std::string firstLineOf(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

} // namespace

long currentProcessId() {
    return static_cast<long>(::getpid());
}

std::string currentProgramName() {
    return firstLineOf("/proc/self/comm");
}

std::optional<std::string> hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return std::nullopt;
    return std::string(name);
}

// The process table says whether the number is in use; the program's name tells a process that
// took over a freed number.
bool isProcessRunning(long pid, std::string_view program) {
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH))
        return false;
    const std::string running = firstLineOf("/proc/" + std::to_string(pid) + "/comm");
    return running.empty() || running == program;
}

} // namespace telvarin
