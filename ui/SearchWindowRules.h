#pragma once

// What the two search windows compute without any widget: the rubric behind a tree item's text,
// the title of the tree search, and how the text search divides its width among its columns.

#include "analysis/SymptomEntry.h"
#include "repertory/RepertoryDatabase.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

// How a search window hands a symptom to the case: the case input window's addSymptom.
using AddSymptomCallback = std::function<void(RubricNumber number, int bd)>;

// The no-break space of the code page that separates a rubric item's text from its number.
inline constexpr Windows1252View kTreeNumberSeparator = "\xA0"_w1252;

// A rubric item's text: rubricText, the separator, numberText.
Windows1252Text treeRubricItemText(const RepertoryDatabase& db, RubricNumber number);

// The symptom an item text stands for: only a text with the separator after its first character
// is a rubric item, and its number is read from the text after the last separator. Nothing for
// chapter and section items.
std::optional<ParsedSymptom> treeItemSymptom(const RepertoryDatabase& db, Windows1252View itemText);

// "Symptomsuche", or "Symptomsuche - " and the texts of the selected item's ancestors from the root
// down, each followed by a blank.
Windows1252Text symptomSearchTitle(const std::vector<Windows1252Text>& ancestorTexts);

struct TextSearchColumnWidths {
    int symptom = 0; // column 1
    int chapter = 0; // column 2

    bool operator==(const TextSearchColumnWidths&) const = default;
};

// Columns 1 and 2 share what the table shows beside its vertical scroll bar (`shownWidth`) less
// column 0, in the proportion of their present widths (column 2 takes it all when both are 0), so
// that the vertical scroll bar never brings a horizontal one. A width too narrow to leave anything
// gives both nothing rather than negative widths.
TextSearchColumnWidths textSearchColumnWidths(int shownWidth, int numberWidth, int symptomWidth,
                                              int chapterWidth);

} // namespace telvarin
