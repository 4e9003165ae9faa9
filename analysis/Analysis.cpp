#include "analysis/Analysis.h"

#include "analysis/CaseModel.h"
#include "analysis/SymptomCounter.h"
#include "repertory/RemedyEntry.h"
#include "repertory/RemedyNameCompare.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace telvarin {
namespace {

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
    const std::string_view nameA = db.remedyName(a.remedy).bytes();
    const std::string_view nameB = db.remedyName(b.remedy).bytes();
    if (abbreviationLess(nameA, nameB))
        return true;
    if (abbreviationLess(nameB, nameA))
        return false;
    return a.remedy < b.remedy; // only for data whose names differ in case alone
}

RemedyNameOrder::RemedyNameOrder(const RepertoryDatabase& db) {
    const int count = db.remedyCount();
    byName_.resize(static_cast<std::size_t>(count));
    std::iota(byName_.begin(), byName_.end(), 0);
    std::sort(byName_.begin(), byName_.end(), [&](int a, int b) {
        const std::string_view nameA = db.remedyName(a).bytes();
        const std::string_view nameB = db.remedyName(b).bytes();
        if (abbreviationLess(nameA, nameB))
            return true;
        if (abbreviationLess(nameB, nameA))
            return false;
        return a < b;
    });
    positions_.resize(byName_.size());
    for (std::size_t i = 0; i < byName_.size(); ++i)
        positions_[static_cast<std::size_t>(byName_[i])] = static_cast<int>(i);
}

AnalysisResult::AnalysisResult(const RepertoryDatabase& db)
    : gradeSums_(static_cast<std::size_t>(db.remedyCount())), hits_(gradeSums_.size()),
      polarityDifferences_(gradeSums_.size()), scores_(gradeSums_.size()), nameOrder_(db) {
    for (std::size_t r = 0; r < scores_.size(); ++r)
        scores_[r] = RemedyScore{static_cast<std::int32_t>(nameOrder_.remedies()[r]), 0, 0, 0};
}

void AnalysisResult::score(const RepertoryDatabase& db, std::span<const CaseSymptom> rows) {
    std::fill(gradeSums_.begin(), gradeSums_.end(), 0);
    std::fill(hits_.begin(), hits_.end(), 0);
    std::fill(polarityDifferences_.begin(), polarityDifferences_.end(), 0);
    count(db, rows);
    rank();
}

void AnalysisResult::count(const RepertoryDatabase& db, std::span<const CaseSymptom> rows) {
    // gradeOf for the four grade marks (bits 12 to 15) as one table look-up.
    static constexpr auto kGradeOfMarks = [] {
        std::array<std::int32_t, 16> grades{};
        for (RemedyEntry marks = 0; marks < 16; ++marks)
            grades[marks] = gradeOf(marks << 12);
        return grades;
    }();

    // Only rubrics with a counter-polarity ask whether the case holds it; most data has none.
    SymptomCounter inCase;
    bool inCaseFilled = false;
    auto isInCase = [&](RubricNumber number, int bd) {
        if (!inCaseFilled) {
            for (const CaseSymptom& row : rows)
                if (row.weight != 0)
                    inCase.add(row.number, row.bd);
            inCaseFilled = true;
        }
        return inCase.contains(number, bd);
    };

    // One hit and the entry's grade times the row's weight, added with one addition.
    using MarkCounts = std::array<std::uint64_t, 16>;
    static constexpr auto kCountOfMarks = [] {
        std::array<MarkCounts, kHighestWeight + 1> counts{};
        for (std::int32_t weight = 0; weight <= kHighestWeight; ++weight)
            for (RemedyEntry marks = 0; marks < 16; ++marks)
                counts[static_cast<std::size_t>(weight)][marks] =
                    (std::uint64_t{1} << 32) | static_cast<std::uint64_t>(weight * gradeOf(marks << 12));
        return counts;
    }();

    counts_.assign(gradeSums_.size(), 0);
    std::uint64_t* const counts = counts_.data();
    std::int32_t* const differences = polarityDifferences_.data();
    // The rubrics of a case lie far apart in a large repertory: asking for their records a few
    // rows ahead, and for the next remedy list, hides most of the wait for memory.
    constexpr std::size_t kRowsAhead = 8;
    const auto validIndex = [&db](const CaseSymptom& row) {
        const int index = row.number > 0 ? db.rubricIndex(row.number, row.bd) : -1;
        return index < db.rubricCount() ? index : -1;
    };
    const auto prefetchRecord = [&](std::size_t i) {
        if (const int index = i < rows.size() ? validIndex(rows[i]) : -1; index >= 0)
            __builtin_prefetch(&db.rubric(index).counterPolarity);
    };
    for (std::size_t i = 0; i < kRowsAhead; ++i)
        prefetchRecord(i);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CaseSymptom& row = rows[i];
        prefetchRecord(i + kRowsAhead);
        if (const int next = i + 1 < rows.size() ? validIndex(rows[i + 1]) : -1; next >= 0)
            __builtin_prefetch(db.remedyList(next).data());
        // Weight 0 leaves the row out; a weight beyond the scale (a hand-edited file) is held at it.
        if (row.number <= 0 || row.weight <= 0)
            continue;
        const std::int32_t weight = std::min(row.weight, kHighestWeight);
        const MarkCounts& countOfMarks = kCountOfMarks[static_cast<std::size_t>(weight)];
        const int index = db.rubricIndex(row.number, row.bd);
        if (index < 0 || index >= db.rubricCount())
            continue;
        const RubricRecord& rubric = db.rubric(index);
        const RubricNumber counter = rubric.counterPolarity;
        const int counterBd = rubric.counterPolarityBd;
        const bool paired = counter != 0 && isInCase(-counter, counterBd);
        // Each entry counts on its own: a remedy listed twice gets two hits. A paired row adds its
        // grades to the differences in the same pass.
        if (paired) {
            for (const RemedyEntry entry : db.remedyList(index)) {
                const std::uint32_t marks = (entry >> 12) & 0xF;
                counts[entry & kRemedyIndexMask] += countOfMarks[marks];
                differences[entry & kRemedyIndexMask] += weight * kGradeOfMarks[marks];
            }
        } else {
            for (const RemedyEntry entry : db.remedyList(index))
                counts[entry & kRemedyIndexMask] += countOfMarks[(entry >> 12) & 0xF];
        }
        if (counter == 0)
            continue;
        const int counterIndex = db.rubricIndex(counter, counterBd);
        if (counterIndex < 0 || counterIndex >= db.rubricCount())
            continue;
        for (const RemedyEntry entry : db.remedyList(counterIndex))
            differences[remedyOf(entry)] -= weight * kGradeOfMarks[(entry >> 12) & 0xF];
    }
    for (std::size_t r = 0; r < counts_.size(); ++r) {
        gradeSums_[r] = static_cast<std::int32_t>(counts_[r] & 0xFFFFFFFFu);
        hits_[r] = static_cast<std::int32_t>(counts_[r] >> 32);
    }
}

void AnalysisResult::rank() {
    // Remedies with hits come first in any case, so only they need sorting; the others are in
    // name order already unless a polarity difference tells them apart.
    std::size_t listed = 0;
    bool restDiffers = false;
    for (const int remedy : nameOrder_.remedies()) {
        const auto r = static_cast<std::size_t>(remedy);
        if (hits_[r] != 0)
            scores_[listed++] = RemedyScore{remedy, gradeSums_[r], hits_[r], polarityDifferences_[r]};
        else
            restDiffers = restDiffers || polarityDifferences_[r] != 0;
    }
    std::size_t next = listed;
    for (const int remedy : nameOrder_.remedies()) {
        const auto r = static_cast<std::size_t>(remedy);
        if (hits_[r] == 0)
            scores_[next++] = RemedyScore{remedy, gradeSums_[r], 0, polarityDifferences_[r]};
    }
    const auto ranked = [this](const RemedyScore& a, const RemedyScore& b) {
        if (!scoreEqual(a, b))
            return scoreBefore(a, b);
        return nameOrder_.position(a.remedy) < nameOrder_.position(b.remedy);
    };
    std::sort(scores_.begin(), scores_.begin() + static_cast<std::ptrdiff_t>(listed), ranked);
    if (restDiffers)
        std::sort(scores_.begin() + static_cast<std::ptrdiff_t>(listed), scores_.end(), ranked);
    // Every grade is at least 1, so the remedies with a hit are those with a grade sum.
    listedCount_ = static_cast<int>(listed);
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
