#include "analysis/Analysis.h"

#include "analysis/CaseModel.h"
#include "analysis/SymptomCounter.h"
#include "repertory/RemedyEntry.h"

#include <algorithm>
#include <numeric>

namespace telvarin {
namespace {

unsigned char lowerAscii(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool abbreviationBefore(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lowerAscii(x) < lowerAscii(y); });
}

// Hits and grades descending; the name decides last.
bool scoreBefore(const RemedyScore& a, const RemedyScore& b) {
    if (a.hits != b.hits)
        return a.hits > b.hits;
    if (a.gradeSum != b.gradeSum)
        return a.gradeSum > b.gradeSum;
    return a.polarityDifference > b.polarityDifference;
}

bool scoreEqual(const RemedyScore& a, const RemedyScore& b) {
    return a.hits == b.hits && a.gradeSum == b.gradeSum && a.polarityDifference == b.polarityDifference;
}

} // namespace

bool compareScores(const RepertoryDatabase& db, const RemedyScore& a, const RemedyScore& b) {
    if (!scoreEqual(a, b))
        return scoreBefore(a, b);
    const std::string_view nameA = db.remedyName(a.remedy);
    const std::string_view nameB = db.remedyName(b.remedy);
    if (abbreviationBefore(nameA, nameB))
        return true;
    if (abbreviationBefore(nameB, nameA))
        return false;
    return a.remedy < b.remedy; // only for data whose names differ in case alone
}

RemedyNameOrder::RemedyNameOrder(const RepertoryDatabase& db) {
    const int count = db.remedyCount();
    std::vector<int> byName(static_cast<std::size_t>(count));
    std::iota(byName.begin(), byName.end(), 0);
    std::sort(byName.begin(), byName.end(), [&](int a, int b) {
        const std::string_view nameA = db.remedyName(a);
        const std::string_view nameB = db.remedyName(b);
        if (abbreviationBefore(nameA, nameB))
            return true;
        if (abbreviationBefore(nameB, nameA))
            return false;
        return a < b;
    });
    positions_.resize(byName.size());
    for (std::size_t i = 0; i < byName.size(); ++i)
        positions_[static_cast<std::size_t>(byName[i])] = static_cast<int>(i);
}

AnalysisResult::AnalysisResult(const RepertoryDatabase& db)
    : scores_(static_cast<std::size_t>(db.remedyCount())), nameOrder_(db) {
    reset();
}

void AnalysisResult::reset() {
    for (std::size_t r = 0; r < scores_.size(); ++r)
        scores_[r] = RemedyScore{static_cast<std::int32_t>(r), 0, 0, 0};
    listedCount_ = 0;
}

void AnalysisResult::score(const RepertoryDatabase& db, std::span<const CaseSymptom> rows) {
    reset();

    // Only rubrics with a counter-polarity ask whether the case holds it; most data has none.
    SymptomCounter inCase;
    bool inCaseFilled = false;
    auto isInCase = [&](RubricNumber number, int bd) {
        if (!inCaseFilled) {
            for (const CaseSymptom& row : rows)
                inCase.add(row.number, row.bd);
            inCaseFilled = true;
        }
        return inCase.contains(number, bd);
    };

    RemedyScore* const scores = scores_.data();
    for (const CaseSymptom& row : rows) {
        if (row.number <= 0)
            continue;
        const int index = db.rubricIndex(row.number, row.bd);
        if (index < 0 || index >= db.rubricCount())
            continue;
        const RubricRecord& rubric = db.rubric(index);
        const RubricNumber counter = rubric.counterPolarity;
        const int counterBd = rubric.counterPolarityBd;
        const bool paired = counter != 0 && isInCase(-counter, counterBd);
        for (const RemedyEntry entry : db.remedyList(index)) {
            RemedyScore& score = scores[remedyOf(entry)];
            const int grade = gradeOf(entry);
            score.gradeSum += grade;
            score.hits += 1;
            if (paired)
                score.polarityDifference += grade;
        }
        if (counter == 0)
            continue;
        const int counterIndex = db.rubricIndex(counter, counterBd);
        if (counterIndex < 0 || counterIndex >= db.rubricCount())
            continue;
        for (const RemedyEntry entry : db.remedyList(counterIndex))
            scores[remedyOf(entry)].polarityDifference -= gradeOf(entry);
    }
    rank();
}

void AnalysisResult::rank() {
    std::sort(scores_.begin(), scores_.end(), [this](const RemedyScore& a, const RemedyScore& b) {
        if (!scoreEqual(a, b))
            return scoreBefore(a, b);
        return nameOrder_.position(a.remedy) < nameOrder_.position(b.remedy);
    });
    const auto firstUnlisted =
        std::find_if(scores_.begin(), scores_.end(), [](const RemedyScore& s) { return s.gradeSum == 0; });
    listedCount_ = static_cast<int>(firstUnlisted - scores_.begin());
}

bool runAnalysis(const RepertoryDatabase& db, CaseModel& caseModel, AnalysisResult& result,
                 AnalysisProgress* progress) {
    if (caseModel.rowCount() <= 1)
        return false;
    if (progress)
        progress->analysisStarted();
    caseModel.prepareForAnalysis();
    result.score(db, caseModel.rows());
    if (progress)
        progress->rankingFinished();
    return true;
}

} // namespace telvarin
