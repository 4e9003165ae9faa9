#pragma once

// The query behind the remedy overview: every rubric in which one remedy stands with one of
// the chosen grades, in rubric order.

#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryDatabase.h"

#include <string>
#include <vector>

namespace telvarin {

struct RemedyQuery {
    std::string remedyText;                                     // abbreviation as chosen or typed
    int chapterIndex = -1;                                      // -1 the whole repertory
    GradeSelection gradeWanted{false, false, true, true, true}; // grades 1..5, the window's preset
    bool bdOnly = false;
    bool sizeFilter = false;
    int minSize = 1;
    int maxSize = 30;
    bool listOthers = false; // only together with sizeFilter
};

struct OverviewRow {
    RubricNumber number = 0;
    int grade = 0;
    std::string numberColumn;  // "Nummer": "%d " (the number and one blank)
    std::string gradeColumn;   // "Wertigkeit"
    std::string symptomColumn; // "Symptom": rubricText
    std::string chapterColumn; // "Kapitel": sectionHeading
    std::string othersColumn;  // "Andere Mittel", when showsOthers
};

struct OverviewResult {
    std::string remedyText; // the normalised text that was searched for
    bool showsOthers = false;
    std::vector<OverviewRow> rows;
};

// The entry filter with the query's grades; the BD mark counts only with bdOnly.
bool qualifies(RemedyEntry entry, const RemedyQuery& query);
// The abbreviation with a final "." added when it has none.
std::string normaliseRemedyText(std::string text);
// First remedy whose abbreviation equals the text with A-Z and a-z alike, or -1.
int findRemedy(const RepertoryDatabase& db, std::string_view text);
// The text of the remedy box, "sulph. \x96 Sulphur" or part of a full name ("sulphur", "Nux
// vom"), as the abbreviation it names: the text itself when it is one or names no remedy alone.
// A full name equal to the text wins, then the only one that starts with it, then the only one
// that holds it; letter case and umlaut dots aside.
std::string abbreviationOfRemedyText(const RepertoryDatabase& db, std::string_view text);
OverviewResult runRemedyQuery(const RepertoryDatabase& db, const RemedyQuery& query);
// "Mittelübersicht: %s, gefundene Symptome: %d"
std::string overviewTitle(const OverviewResult& result);

// The rubric numbers of a chapter (or of the whole repertory for -1), inclusive; first > last
// when there are none, also for a chapter index outside the repertory.
struct RubricRange {
    RubricNumber first = 1;
    RubricNumber last = 0;
};
RubricRange chapterRubricRange(const RepertoryDatabase& db, int chapterIndex);

} // namespace telvarin
