#include "foundation/files/CommandLine.h"

namespace telvarin {

// The words are the bytes of the names themselves, UTF-8 on every system the program runs on.
std::vector<std::string> commandLineWords(int argc, char** argv) {
    if (argc < 2)
        return {};
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace telvarin
