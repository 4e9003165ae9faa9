#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <span>
#include <string>

namespace telvarin {

// "file-case HISTORY NAME [--comment TEXT] [--file DATA] -- ENTRIES...": files one treatment into
// the history file as the file-case dialog's "&OK" does, the entries in the syntax of the case
// table (12, -40, 5+8). Returns 0, or prints why nothing was filed and returns 1 (2 for a wrong
// call). builtin is the built-in repertory, when the tool has one.
int runFileCaseCommand(std::span<const std::string> words, std::optional<std::span<const std::byte>> builtin,
                       std::ostream& out, std::ostream& err);

} // namespace telvarin
