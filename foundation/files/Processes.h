#pragma once

// This process and others as the system knows them: enough to name the holder of a lock and to
// tell whether it still runs.

#include <optional>
#include <string>
#include <string_view>

namespace telvarin {

long currentProcessId();
// The program's name as the system lists its processes; empty when it cannot be told.
std::string currentProgramName();
std::optional<std::string> hostName();

// False when no process of that number runs on this computer, or when the one that does runs
// another program (the number was given again); true when it runs or that cannot be told.
bool isProcessRunning(long pid, std::string_view program);

} // namespace telvarin
