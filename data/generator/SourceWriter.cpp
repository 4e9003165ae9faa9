#include "data/generator/SourceWriter.h"

#include <array>
#include <string_view>

namespace telvarin::generator {

std::string sourceText(const Repertory& repertory) {
    std::string out;
    out.reserve(4 << 20);
    out += "# Reference repertory of Telvarin, written by telvarin-generate-repertory.\n"
           "# Generated, not real materia medica: do not edit, change the generator instead.\n\n";
    for (const std::string& remedy : repertory.remedies)
        out += "REMEDY " + remedy + "\n";
    std::size_t section = 0;
    std::size_t rubric = 0;
    static constexpr std::array<std::string_view, 5> kMarks = {"", "", ":2", ":3", ":4"};
    for (const Chapter& chapter : repertory.chapters) {
        out += "\nCHAPTER " + chapter.name + "\n";
        for (; section < static_cast<std::size_t>(chapter.sectionEnd); ++section) {
            out += "SECTION " + repertory.sections[section].name + "\n";
            for (; rubric < static_cast<std::size_t>(repertory.sections[section].rubricEnd); ++rubric) {
                out += "RUBRIC " + repertory.rubrics[rubric].text + " |";
                for (const Entry& entry : repertory.rubrics[rubric].entries) {
                    out += ' ';
                    out += repertory.remedies[static_cast<std::size_t>(entry.remedy)];
                    out += kMarks[static_cast<std::size_t>(entry.grade)];
                }
                out += '\n';
            }
        }
    }
    return out;
}

} // namespace telvarin::generator
