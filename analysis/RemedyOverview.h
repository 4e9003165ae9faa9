#pragma once

// The query behind the remedy overview: every rubric in which one remedy stands with one of
// the chosen grades, in rubric order.

#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryDatabase.h"

#include <vector>

namespace telvarin {

struct RemedyQuery {
    Windows1252Text remedyText;                                 // abbreviation as chosen or typed
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
    Windows1252Text numberColumn;  // "Nummer": "%d " (the number and one blank)
    Windows1252Text gradeColumn;   // "Wertigkeit"
    Windows1252Text symptomColumn; // "Symptom": rubricText
    Windows1252Text chapterColumn; // "Kapitel": sectionHeading
    Windows1252Text othersColumn;  // "Andere Mittel", when showsOthers
};

struct OverviewResult {
    Windows1252Text remedyText; // the normalised text that was searched for
    bool showsOthers = false;
    std::vector<OverviewRow> rows;
};

// The entry filter with the query's grades; the BD mark counts only with bdOnly.
bool qualifies(RemedyEntry entry, const RemedyQuery& query);
// The abbreviation with a final "." added when it has none.
Windows1252Text normaliseRemedyText(Windows1252Text text);
// First remedy whose abbreviation equals the text with A-Z and a-z alike, or -1.
int findRemedy(const RepertoryDatabase& db, Windows1252View text);
// The text of the remedy box, "sulph. \x96 Sulphur" or part of a full name ("sulphur", "Nux
// vom"), as the abbreviation it names: the text itself when it is one or names no remedy alone.
// A full name equal to the text wins, then the only one that starts with it, then the only one
// that holds it; letter case and umlaut dots aside.
Windows1252Text abbreviationOfRemedyText(const RepertoryDatabase& db, Windows1252View text);
OverviewResult runRemedyQuery(const RepertoryDatabase& db, const RemedyQuery& query);
// "Mittelübersicht: %s, gefundene Symptome: %d"
Windows1252Text overviewTitle(const OverviewResult& result);

// The rubric numbers of a chapter (or of the whole repertory for -1), inclusive; first > last
// when there are none, also for a chapter index outside the repertory.
struct RubricRange {
    RubricNumber first = 1;
    RubricNumber last = 0;
};
RubricRange chapterRubricRange(const RepertoryDatabase& db, int chapterIndex);

} // namespace telvarin
