#pragma once

#include <ostream>
#include <span>
#include <string>

namespace telvarin {

// "history FILE": prints the cases, treatments and symptoms of a history file (UTF-8) and returns
// 0, or prints why the file could not be read and returns 1. "history FILE --write OUT" loads the
// file and writes it again to OUT. words are the command-line words after "history".
int runHistoryCommand(std::span<const std::string> words, std::ostream& out, std::ostream& err);

} // namespace telvarin
