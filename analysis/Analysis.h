#pragma once

// Repertorisation: hits, grade sums and polarity differences of every remedy over the case's
// rubrics, and the ranking of the remedies.

#include "analysis/CaseSymptom.h"
#include "repertory/RepertoryDatabase.h"

#include <cstdint>
#include <span>
#include <vector>

namespace telvarin {

class CaseModel;

struct RemedyScore {
    std::int32_t remedy = 0;
    std::int32_t gradeSum = 0; // "Summe der Grade"
    std::int32_t hits = 0;     // "Anzahl der Treffer"
    std::int32_t polarityDifference = 0;
    friend bool operator==(const RemedyScore&, const RemedyScore&) = default;
};

// The ranking order: more hits, then the larger grade sum, then the larger polarity difference,
// then the abbreviation ascending with A-Z compared as a-z. True when a ranks before b.
bool compareScores(const RepertoryDatabase& db, const RemedyScore& a, const RemedyScore& b);

// Position of every remedy in the case-blind order of the abbreviations, so that ranking needs
// no text comparison.
class RemedyNameOrder {
public:
    explicit RemedyNameOrder(const RepertoryDatabase& db);
    int position(int remedy) const { return positions_[static_cast<std::size_t>(remedy)]; }
    // Remedy indices in that order.
    const std::vector<int>& remedies() const { return byName_; }

private:
    std::vector<int> positions_;
    std::vector<int> byName_;
};

// One record per remedy of the repertory, allocated once and overwritten by every analysis.
class AnalysisResult {
public:
    explicit AnalysisResult(const RepertoryDatabase& db);

    // All records, ranked after an analysis.
    std::span<const RemedyScore> scores() const { return scores_; }
    // The leading records with at least one hit.
    std::span<const RemedyScore> listed() const {
        return scores().first(static_cast<std::size_t>(listedCount_));
    }
    int listedCount() const { return listedCount_; }

    // Counts the rows (steps 3 and 7 to 9 of the analysis): the rows are the analysed case rows,
    // the input row already taken out.
    void score(const RepertoryDatabase& db, std::span<const CaseSymptom> rows);

private:
    void count(const RepertoryDatabase& db, std::span<const CaseSymptom> rows);
    void rank();

    // Counted per remedy index, then ranked into scores_.
    std::vector<std::int32_t> gradeSums_;
    std::vector<std::int32_t> hits_;
    // While counting: hits in the high half and the grade sum in the low half of one word.
    std::vector<std::uint64_t> counts_;
    std::vector<std::int32_t> polarityDifferences_;
    std::vector<RemedyScore> scores_;
    int listedCount_ = 0;
    RemedyNameOrder nameOrder_;
};

// The window's busy cursor around the counting.
class AnalysisProgress {
public:
    virtual ~AnalysisProgress() = default;
    virtual void analysisStarted() = 0;
    virtual void rankingFinished() = 0;
};

// The analysis of the current case. Returns false, with nothing changed, when the case holds
// no row besides the input row; otherwise the case is prepared (see CaseModel), the result is
// filled and ranked, and the caller opens the results window and then calls keepCase or
// clearCase on the case.
bool runAnalysis(const RepertoryDatabase& db, CaseModel& caseModel, AnalysisResult& result,
                 AnalysisProgress* progress = nullptr);

} // namespace telvarin
