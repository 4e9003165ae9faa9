#include "ui/SearchWindowRules.h"

#include "repertory/RepertoryTexts.h"

#include <algorithm>
#include <cstdint>

namespace telvarin {

std::string treeRubricItemText(const RepertoryDatabase& db, RubricNumber number) {
    std::string text = rubricText(db, number);
    text += kTreeNumberSeparator;
    text += numberText(number, 0);
    return text;
}

std::optional<ParsedSymptom> treeItemSymptom(const RepertoryDatabase& db, std::string_view itemText) {
    const std::size_t separator = itemText.rfind(kTreeNumberSeparator);
    if (separator == std::string_view::npos || separator == 0)
        return std::nullopt;
    return parseSymptomEntry(db, itemText.substr(separator + 1));
}

std::string symptomSearchTitle(const std::vector<std::string>& ancestorTexts) {
    std::string collected;
    for (const std::string& text : ancestorTexts) {
        collected += text;
        collected += ' ';
    }
    if (collected.empty())
        return "Symptomsuche";
    return "Symptomsuche - " + collected;
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
