#pragma once

// The syntax of one part of a symptom entry: a decimal rubric number, optionally followed
// somewhere by "bd" and a BD value ("12bd3", "12 BD 3", "12Bd").

#include "repertory/RepertoryDatabase.h"

#include <string_view>

namespace telvarin {

struct ParsedSymptom {
    RubricNumber number = 0;
    int bd = 0;
    bool valid = false; // isValidSymptom(number, bd)
};

ParsedSymptom parseSymptomEntry(const RepertoryDatabase& db, std::string_view text);

} // namespace telvarin
