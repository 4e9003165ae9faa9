#include "foundation/files/Processes.h"

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

} // namespace telvarin
