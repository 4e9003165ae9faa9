#pragma once

// What the remedy overview window's controls hold, taken over into a query in the order the window
// reads its fields, with the checks of the two rubric size fields, the grade presets, the chapter
// choices and the columns of its table. Free of widgets, so that all of it can be tested alone.

#include "analysis/CaseSymptom.h"
#include "analysis/RemedyOverview.h"
#include "repertory/RepertoryDatabase.h"

#include <QString>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

// The range a rubric size field accepts.
inline constexpr int kSmallestRubricSize = 0;
inline constexpr int kLargestRubricSize = 99;

// A size field's text read as a whole number within the range, or the message asking for one.
struct SizeFieldValue {
    std::optional<int> value;
    QString message; // empty exactly when value holds
};
SizeFieldValue readSizeField(const QString& text);

// The text of a size field after one click on its up (+1) or down (-1) arrow: stays within the
// range; a text that is no whole number steps from the nearest end of the range.
QString steppedSizeField(const QString& text, int step);

// What the controls show when a search or the size-filter check box asks for their values.
struct OverviewFields {
    QString remedyText;
    GradeSelection grades{}; // check boxes "1" to "5"
    bool bdOnly = false;
    bool sizeFilter = false;
    QString minSizeText;
    QString maxSizeText;
    bool listOthers = true;
};

enum class OverviewField { None, MinimumSize, MaximumSize };

struct OverviewCommit {
    RemedyQuery query;
    OverviewField failedField = OverviewField::None;
    QString message; // the message for the failed field

    bool succeeded() const { return failedField == OverviewField::None; }
};

// Takes the fields over into the query in the window's order (remedy text, grades, "nur BD",
// size filter, minimum, maximum, other remedies) and stops at the first size field that is not a
// whole number within the range: that field and the ones after it keep their previous values. The
// chapter is not a field; it comes over from `previous`.
OverviewCommit commitOverviewFields(const RemedyQuery& previous, const OverviewFields& fields);

// "&Alle" and "Hoch&wertig": the grade check boxes "1" to "5"; both clear "nur BD".
GradeSelection allGrades();
GradeSelection highGrades();

// The items of the chapter box: an empty one for the whole repertory, then every chapter in
// chapter order. Names are Windows-1252.
struct ChapterChoice {
    std::string name;
    int chapterIndex = -1;
};
std::vector<ChapterChoice> chapterChoices(const RepertoryDatabase& db);

// The remedy abbreviations in the order of the remedy box: German alphabetical order, Windows-1252.
std::vector<std::string> sortedRemedyNames(const RepertoryDatabase& db);
// The same with the full name where the repertory gives one: "sulph. \x96 Sulphur".
std::vector<std::string> remedyBoxItems(const RepertoryDatabase& db);

// The symptom a double click on a row takes over, read back from the row's "Nummer" text; nothing
// for an empty text or one that names no rubric. The BD value is always 0.
std::optional<SymptomRef> symptomOfNumberCell(const RepertoryDatabase& db, std::string_view numberText);

// The columns of the table as a search sets them up, with their widths in pixels before any kept
// widths or the widening to the table's width.
struct OverviewColumn {
    QString header;
    int width = 0;
};
std::vector<OverviewColumn> overviewColumns(bool showsOthers);

} // namespace telvarin
