#pragma once

// The words a program was started with, as UTF-8 file names and texts on every system.

#include <string>
#include <vector>

namespace telvarin {

// The words after the program's own name. On Windows they are read as the system keeps them
// (UTF-16): argv holds them in the ANSI code page, which cannot spell every file name.
std::vector<std::string> commandLineWords(int argc, char** argv);

} // namespace telvarin
