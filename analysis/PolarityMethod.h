#pragma once

// The polarity method beside the ranking of hits and grade sums: contraindicated remedies, and
// the method's own order of the remedies.
//
// A remedy is contraindicated when, for a symptom X of the case whose rubric has a counter-pole Y,
// the remedy stands in Y at a high grade and in X at a low one or not at all: the patient's
// symptom points away from what is characteristic of the remedy. What "high" and "low" mean
// depends on the repertory's grades (contraindicationLimits).

#include "analysis/Analysis.h"
#include "analysis/CaseSymptom.h"
#include "repertory/RepertoryDatabase.h"

#include <span>
#include <vector>

namespace telvarin {

struct ContraindicationLimits {
    int counterPoleAtLeast = 3; // the remedy's grade in the counter-pole Y
    int symptomAtMost = 1;      // the remedy's grade in the symptom X; 0 = not listed
};

// The highest grade of any entry of the repertory (1 to 5).
int highestGrade(const RepertoryDatabase& db);

// Three grades (the Kent): Y at the highest grade and X at grade 1 or not at all. Four or five
// grades (the method's own scale): Y at grade 3 or more and X at 2 or less.
ContraindicationLimits contraindicationLimits(int highestGrade);

// One flag per remedy index. Only rows with a positive number are symptoms; counter-polarity
// rows (negative numbers) and joined symptoms are not, so the polarity mode changes nothing here.
std::vector<bool> contraindicatedRemedies(const RepertoryDatabase& db, std::span<const CaseSymptom> rows,
                                          ContraindicationLimits limits);

// True when a row of the case is a symptom whose rubric has a counter-pole in the repertory: only
// then can a remedy be contraindicated.
bool hasCounterPoleSymptom(const RepertoryDatabase& db, std::span<const CaseSymptom> rows);

// The method's ranking of the listed remedies: those without contraindication first, each group
// by the larger polarity difference, then more hits, then the larger grade sum, then the
// abbreviation as in compareScores.
std::vector<RemedyScore> polarityMethodOrder(std::span<const RemedyScore> listed,
                                             const std::vector<bool>& contraindicated,
                                             const RemedyNameOrder& names);

} // namespace telvarin
