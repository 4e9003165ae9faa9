#pragma once

// The reference repertory and the rubrics the results tests pick from it by what they list.

#include "analysis/Analysis.h"
#include "data/BuiltinRepertory.h"
#include "repertory/RemedyEntry.h"
#include "tests/ReferenceRepertory.h"

#include <algorithm>
#include <functional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace telvarin::results_test {

inline const RepertoryDatabase& reference() {
    return test::referenceRepertory();
}

inline int remedyIndexOf(const RepertoryDatabase& db, std::string_view abbreviation) {
    for (int r = 0; r < db.remedyCount(); ++r) {
        if (db.remedyName(r).bytes() == abbreviation)
            return r;
    }
    throw std::runtime_error("remedy not in the repertory");
}

// The grades a rubric lists a remedy with, in stored order.
inline std::vector<int> gradesOf(const RepertoryDatabase& db, RubricNumber number, int remedy) {
    std::vector<int> grades;
    for (const RemedyEntry entry : db.remedyList(number - 1)) {
        if (remedyOf(entry) == remedy)
            grades.push_back(gradeOf(entry));
    }
    return grades;
}

// The first rubric number after `after` whose remedy list satisfies the test.
inline RubricNumber findRubric(const RepertoryDatabase& db,
                               const std::function<bool(std::span<const RemedyEntry>)>& test,
                               RubricNumber after = 0) {
    for (RubricNumber number = after + 1; number <= db.rubricCount(); ++number) {
        if (test(db.remedyList(number - 1)))
            return number;
    }
    throw std::runtime_error("no rubric fits");
}

inline RubricNumber rubricListingOnce(const RepertoryDatabase& db, int remedy, int grade,
                                      RubricNumber after = 0) {
    return findRubric(
        db,
        [&](std::span<const RemedyEntry> entries) {
            int count = 0;
            bool gradeFits = false;
            for (const RemedyEntry entry : entries) {
                if (remedyOf(entry) == remedy) {
                    ++count;
                    gradeFits = gradeOf(entry) == grade;
                }
            }
            return count == 1 && gradeFits;
        },
        after);
}

inline RubricNumber rubricWithout(const RepertoryDatabase& db, int remedy, RubricNumber after = 0) {
    return findRubric(
        db,
        [&](std::span<const RemedyEntry> entries) {
            return !entries.empty() && std::none_of(entries.begin(), entries.end(), [&](RemedyEntry entry) {
                return remedyOf(entry) == remedy;
            });
        },
        after);
}

inline std::vector<CaseSymptom> caseOf(std::initializer_list<RubricNumber> numbers) {
    std::vector<CaseSymptom> rows;
    for (const RubricNumber number : numbers)
        rows.push_back({number, 0, false, {}});
    return rows;
}

} // namespace telvarin::results_test
