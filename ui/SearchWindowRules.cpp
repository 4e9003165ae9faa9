#include "ui/SearchWindowRules.h"

#include "repertory/RepertoryTexts.h"

#include <algorithm>
#include <cstdint>

namespace telvarin {

Windows1252Text treeRubricItemText(const RepertoryDatabase& db, RubricNumber number) {
    return rubricText(db, number) + kTreeNumberSeparator + numberText(number, 0);
}

std::optional<ParsedSymptom> treeItemSymptom(const RepertoryDatabase& db, Windows1252View item) {
    const std::string_view itemText = item.bytes();
    const std::size_t separator = itemText.rfind(kTreeNumberSeparator.bytes());
    if (separator == std::string_view::npos || separator == 0)
        return std::nullopt;
    return parseSymptomEntry(db, itemText.substr(separator + 1));
}

Windows1252Text symptomSearchTitle(const std::vector<Windows1252Text>& ancestorTexts) {
    Windows1252Text collected;
    for (const Windows1252Text& text : ancestorTexts)
        collected += text + " "_w1252;
    if (collected.empty())
        return "Symptomsuche"_w1252;
    return "Symptomsuche - "_w1252 + collected;
}

TextSearchColumnWidths textSearchColumnWidths(int shownWidth, int numberWidth, int symptomWidth,
                                              int chapterWidth) {
    const std::int64_t rest = std::max<std::int64_t>(0, std::int64_t{shownWidth} - numberWidth);
    const std::int64_t symptom = std::max(symptomWidth, 0);
    const std::int64_t chapter = std::max(chapterWidth, 0);
    const std::int64_t total = symptom + chapter;
    if (total == 0)
        return {0, static_cast<int>(rest)};
    return {static_cast<int>(rest * symptom / total), static_cast<int>(rest * chapter / total)};
}

} // namespace telvarin
