#include "foundation/files/CommandLine.h"

#include "foundation/files/windows/SystemText.h"

#include <windows.h>
// Needs windows.h first.
#include <shellapi.h>

namespace telvarin {

std::vector<std::string> commandLineWords(int argc, char** argv) {
    std::vector<std::string> words;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    // Split as the runtime split argv; where the two disagree, argv's words are taken, converted
    // from the ANSI code page, rather than words the program was not given.
    if (wide != nullptr && count == argc) {
        for (int i = 1; i < count; ++i)
            words.push_back(utf8Of(wide[i]));
    } else {
        for (int i = 1; i < argc; ++i)
            words.push_back(utf8OfAnsi(argv[i]));
    }
    ::LocalFree(wide);
    return words;
}

} // namespace telvarin
