#pragma once

// This process as the system knows it: enough to name the holder of a lock to those who wait.

#include <optional>
#include <string>

namespace telvarin {

long currentProcessId();
// The program's name as the system lists its processes; empty when it cannot be told.
std::string currentProgramName();
std::optional<std::string> hostName();
// The login name of the user the program runs for; empty when it cannot be told.
std::string currentUserName();
// Whether a process of that number runs on this computer now.
bool processIsRunning(long pid);

} // namespace telvarin
