#pragma once

// The syntax of one part of a symptom entry: a decimal rubric number, optionally followed
// somewhere by "bd" and a BD value ("12bd3", "12 BD 3", "12Bd").

#include "repertory/RepertoryDatabase.h"

#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

struct ParsedSymptom {
    RubricNumber number = 0;
    int bd = 0;
    bool valid = false; // isValidSymptom(number, bd)
};

ParsedSymptom parseSymptomEntry(const RepertoryDatabase& db, std::string_view text);

// Where the entry syntax stops reading one part of an entry: the part's size when it reads all
// of it, 0 when the part starts with no number. The case table takes what it can of a part
// ("12abc" as 12); a filed treatment may only hold what was meant, so the tool asks this.
std::size_t unreadPartStart(std::string_view part);

// An entry with the weight it asks for: "12*3" is the entry "12" with weight 3, "5+8*0" the entry
// "5+8" with weight 0; without "*" the weight is the usual one. What follows the last "*" must be
// one digit from 0 to 4 (blanks around it are free); anything else leaves `weightReadable` false
// and the weight the usual one.
struct WeightedEntry {
    std::string_view entry;
    int weight = 1;
    bool weightReadable = true;
};
WeightedEntry splitWeight(std::string_view text);

// How the weight stands behind a number in lists and the tool: "*3", nothing for the usual one.
Windows1252Text weightSuffix(int weight);

// The parts of an entry, split at every "+".
std::vector<std::string_view> entryParts(std::string_view entry);

// The parts of an entry ("5+8") whose number lies outside db's rubrics, in order: the case table
// turns an entry whose first part is one into an empty row and leaves any later one out.
std::vector<std::string> partsNamingNoRubric(const RepertoryDatabase& db, std::string_view entry);

} // namespace telvarin
