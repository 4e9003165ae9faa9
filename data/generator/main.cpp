// Writes the reference repertory source that the build compiles and embeds. Nobody hands us real
// repertory contents, so the texts, remedy lists and grades are made up, deterministically, in the
// shape of a real repertory: every published figure of the supplied repertory holds exactly, and
// the generator refuses to write a source where one does not.
//
// Usage: telvarin-generate-repertory OUTFILE

#include "data/generator/FigureCheck.h"
#include "data/generator/Generator.h"
#include "data/generator/SourceWriter.h"

#include <cstdio>
#include <string>
#include <vector>

namespace telvarin::generator {
namespace {

int run(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: telvarin-generate-repertory OUTFILE\n");
        return 2;
    }
    const Repertory repertory = generateRepertory();
    const std::vector<std::string> problems = checkFigures(repertory);
    if (!problems.empty()) {
        for (const std::string& problem : problems)
            std::fprintf(stderr, "telvarin-generate-repertory: figure off: %s\n", problem.c_str());
        return 1;
    }
    const std::string text = sourceText(repertory);
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "telvarin-generate-repertory: cannot write %s\n", argv[1]);
        return 1;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "telvarin-generate-repertory: cannot write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}

} // namespace
} // namespace telvarin::generator

int main(int argc, char** argv) {
    return telvarin::generator::run(argc, argv);
}
