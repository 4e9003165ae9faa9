#pragma once

// The program's command line, answered before the application object exists, so that --help and
// --version work without a display. The program takes no other arguments.

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace telvarin {

// Nothing when there are no arguments and the program is to start; otherwise the exit code,
// after writing the answer (UTF-8) to out or, for an argument it does not take, to err.
std::optional<int> answerProgramArguments(std::span<const std::string> arguments, std::ostream& out,
                                          std::ostream& err);

} // namespace telvarin
