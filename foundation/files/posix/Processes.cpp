#include "foundation/files/Processes.h"

#include <cerrno>
#include <csignal>
#include <fstream>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace telvarin {

long currentProcessId() {
    return static_cast<long>(::getpid());
}

std::string currentProgramName() {
    std::ifstream in("/proc/self/comm");
    std::string line;
    std::getline(in, line);
    return line;
}

std::optional<std::string> hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return std::nullopt;
    return std::string(name);
}

std::string currentUserName() {
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return {};
    return found->pw_name;
}

bool processIsRunning(long pid) {
    // Asking with no signal: EPERM means it runs, as another user's.
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

} // namespace telvarin
