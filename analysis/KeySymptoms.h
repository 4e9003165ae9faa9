#pragma once

// Elimination by key symptoms, a filter on the ranking of the analysis: only the remedies that
// stand in every rubric the practitioner marks as a key symptom stay in it. The scores themselves
// stay as the analysis counted them.

#include "analysis/Analysis.h"
#include "analysis/CaseSymptom.h"
#include "repertory/RepertoryDatabase.h"

#include <span>
#include <vector>

namespace telvarin {

// The rubric record a case row can be a key symptom by, or -1: only rows the analysis counts
// (a positive number with a rubric record) can be.
int keySymptomRubric(const RepertoryDatabase& db, const CaseSymptom& row);

// The listed scores of the remedies that stand in every key rubric (rubric record indices), in
// the order of the ranking. Without key rubrics that is the whole ranking.
std::vector<RemedyScore> eliminateByKeySymptoms(const RepertoryDatabase& db,
                                                std::span<const RemedyScore> listed,
                                                std::span<const int> keyRubrics);

} // namespace telvarin
