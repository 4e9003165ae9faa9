#include "history/CaseNameFilter.h"

#include "analysis/SearchWords.h"
#include "foundation/text/UmlautSpelling.h"

namespace telvarin {

std::string foldedCaseName(Windows1252View name) {
    const std::string capitals = searchCapitals(name.bytes());
    std::string folded;
    folded.reserve(capitals.size() + 4);
    for (const char c : capitals) {
        if (const char vowel = vowelOfCapitalUmlaut(c); vowel != 0) {
            folded += vowel;
            folded += 'E';
        } else {
            folded += c;
        }
    }
    return folded;
}

CaseNameFilter::CaseNameFilter(const std::vector<HistoryCase>& cases) {
    folded_.reserve(cases.size());
    for (const HistoryCase& historyCase : cases)
        folded_.push_back(foldedCaseName(historyCase.name));
}

std::vector<bool> CaseNameFilter::matching(Windows1252View typedText) const {
    // Blanks around the text are what a typist leaves behind, not part of a name looked for.
    const std::string_view typed = typedText.bytes();
    const std::size_t first = typed.find_first_not_of(' ');
    const std::string word =
        first == std::string_view::npos
            ? std::string()
            : foldedCaseName(Windows1252View(typed.substr(first, typed.find_last_not_of(' ') + 1 - first)));
    std::vector<bool> matches(folded_.size(), true);
    if (word.empty())
        return matches;
    for (std::size_t i = 0; i < folded_.size(); ++i)
        matches[i] = folded_[i].find(word) != std::string::npos;
    return matches;
}

} // namespace telvarin
