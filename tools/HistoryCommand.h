#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <span>
#include <string>

namespace telvarin {

// "history FILE": prints the cases, treatments and symptoms of a history file (UTF-8) and returns
// 0, or prints why the file could not be read and returns 1. "history FILE --write OUT" loads the
// file and writes it again to OUT, with the record of its repertory. "history FILE --bind DATA"
// records that the numbers of FILE belong to the repertory in the data file DATA ("eingebaut":
// builtin, the built-in repertory, when the tool has one). words are the command-line words after
// "history".
int runHistoryCommand(std::span<const std::string> words, std::optional<std::span<const std::byte>> builtin,
                      std::ostream& out, std::ostream& err);

} // namespace telvarin
