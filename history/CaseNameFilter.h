#pragma once

// Finding a case by a part of its name as the user types it, folded as the text search folds:
// letter case does not count, ß and "ss" are the same, and so are Ä and "ae", Ö and "oe", Ü and
// "ue", whichever way round they were typed or filed. Texts are Windows-1252.

#include "history/CaseHistory.h"

#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

// The name as the filter compares it: the text search's capitals with every umlaut spelt out.
std::string foldedCaseName(Windows1252View name);

class CaseNameFilter {
public:
    // Folds every name once, so that a keystroke only searches.
    explicit CaseNameFilter(const std::vector<HistoryCase>& cases);

    // One flag per case, in the order given: whether its name holds the typed text. Every case
    // matches an empty or blank text.
    std::vector<bool> matching(Windows1252View typed) const;

private:
    std::vector<std::string> folded_;
};

} // namespace telvarin
