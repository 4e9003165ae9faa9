#include "analysis/PolarityMethod.h"

#include "repertory/RemedyEntry.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace telvarin {

int highestGrade(const RepertoryDatabase& db) {
    int highest = 1;
    for (int rubric = 0; rubric < db.rubricCount(); ++rubric) {
        for (const RemedyEntry entry : db.remedyList(rubric))
            highest = std::max(highest, gradeOf(entry));
        if (highest == 5)
            break;
    }
    return highest;
}

ContraindicationLimits contraindicationLimits(int highestGrade) {
    if (highestGrade >= 4)
        return {3, 2};
    return {highestGrade, 1};
}

namespace {

// The record indices of a symptom row's rubric and of its counter-pole; nothing for a row that
// is no symptom, takes no part (weight 0) or whose rubric has no counter-pole in the repertory.
struct PolarRubrics {
    int symptom = -1;
    int counterPole = -1;
};

std::optional<PolarRubrics> polarRubricsOf(const RepertoryDatabase& db, const CaseSymptom& row) {
    const int index = row.number > 0 && row.weight > 0 ? db.rubricIndex(row.number, row.bd) : -1;
    if (index < 0 || index >= db.rubricCount())
        return std::nullopt;
    const RubricRecord& rubric = db.rubric(index);
    if (rubric.counterPolarity == 0)
        return std::nullopt;
    const int counterIndex = db.rubricIndex(rubric.counterPolarity, rubric.counterPolarityBd);
    if (counterIndex < 0 || counterIndex >= db.rubricCount())
        return std::nullopt;
    return PolarRubrics{index, counterIndex};
}

} // namespace

std::vector<bool> contraindicatedRemedies(const RepertoryDatabase& db, std::span<const CaseSymptom> rows,
                                          ContraindicationLimits limits) {
    const auto remedyCount = static_cast<std::size_t>(db.remedyCount());
    std::vector<bool> contraindicated(remedyCount, false);
    // The remedy's grade in the current symptom's rubric, valid where its row mark is the row's.
    std::vector<std::uint8_t> symptomGrade(remedyCount, 0);
    std::vector<int> rowMark(remedyCount, -1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::optional<PolarRubrics> polar = polarRubricsOf(db, rows[i]);
        if (!polar)
            continue;
        const int index = polar->symptom;
        const int counterIndex = polar->counterPole;
        const int mark = static_cast<int>(i);
        // A remedy listed twice in a rubric counts with its higher grade.
        for (const RemedyEntry entry : db.remedyList(index)) {
            const auto remedy = static_cast<std::size_t>(remedyOf(entry));
            const auto grade = static_cast<std::uint8_t>(gradeOf(entry));
            if (rowMark[remedy] != mark) {
                rowMark[remedy] = mark;
                symptomGrade[remedy] = grade;
            } else {
                symptomGrade[remedy] = std::max(symptomGrade[remedy], grade);
            }
        }
        for (const RemedyEntry entry : db.remedyList(counterIndex)) {
            if (gradeOf(entry) < limits.counterPoleAtLeast)
                continue;
            const auto remedy = static_cast<std::size_t>(remedyOf(entry));
            const int inSymptom = rowMark[remedy] == mark ? symptomGrade[remedy] : 0;
            if (inSymptom <= limits.symptomAtMost)
                contraindicated[remedy] = true;
        }
    }
    return contraindicated;
}

bool hasCounterPoleSymptom(const RepertoryDatabase& db, std::span<const CaseSymptom> rows) {
    return std::any_of(rows.begin(), rows.end(),
                       [&db](const CaseSymptom& row) { return polarRubricsOf(db, row).has_value(); });
}

std::vector<RemedyScore> polarityMethodOrder(std::span<const RemedyScore> listed,
                                             const std::vector<bool>& contraindicated,
                                             const RemedyNameOrder& names) {
    std::vector<RemedyScore> ordered(listed.begin(), listed.end());
    const auto isContraindicated = [&contraindicated](const RemedyScore& score) {
        const auto remedy = static_cast<std::size_t>(score.remedy);
        return remedy < contraindicated.size() && contraindicated[remedy];
    };
    std::sort(ordered.begin(), ordered.end(), [&](const RemedyScore& a, const RemedyScore& b) {
        const bool ruledOutA = isContraindicated(a);
        const bool ruledOutB = isContraindicated(b);
        if (ruledOutA != ruledOutB)
            return !ruledOutA;
        if (a.polarityDifference != b.polarityDifference)
            return a.polarityDifference > b.polarityDifference;
        if (a.hits != b.hits)
            return a.hits > b.hits;
        if (a.gradeSum != b.gradeSum)
            return a.gradeSum > b.gradeSum;
        return names.position(a.remedy) < names.position(b.remedy);
    });
    return ordered;
}

} // namespace telvarin
