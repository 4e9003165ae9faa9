#include "analysis/KeySymptoms.h"

#include "repertory/RemedyEntry.h"

namespace telvarin {

int keySymptomRubric(const RepertoryDatabase& db, const CaseSymptom& row) {
    if (row.number <= 0 || row.number > db.rubricCount())
        return -1;
    return db.rubricIndex(row.number, row.bd);
}

std::vector<RemedyScore> eliminateByKeySymptoms(const RepertoryDatabase& db,
                                                std::span<const RemedyScore> listed,
                                                std::span<const int> keyRubrics) {
    if (keyRubrics.empty())
        return {listed.begin(), listed.end()};
    // How many of the key rubrics so far list each remedy; a remedy listed twice in one rubric
    // counts once, as the count only moves from k to k + 1 while rubric k + 1 is read.
    std::vector<int> keysListing(static_cast<std::size_t>(db.remedyCount()), 0);
    int keys = 0;
    for (const int rubric : keyRubrics) {
        if (rubric >= 0 && rubric < db.rubricCount()) {
            for (const RemedyEntry entry : db.remedyList(rubric)) {
                const auto remedy = static_cast<std::size_t>(remedyOf(entry));
                if (remedy < keysListing.size() && keysListing[remedy] == keys)
                    keysListing[remedy] = keys + 1;
            }
        }
        ++keys;
    }
    std::vector<RemedyScore> kept;
    for (const RemedyScore& score : listed) {
        if (score.remedy >= 0 && score.remedy < db.remedyCount() &&
            keysListing[static_cast<std::size_t>(score.remedy)] == keys)
            kept.push_back(score);
    }
    return kept;
}

} // namespace telvarin
