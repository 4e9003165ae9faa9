#pragma once

// The remedy lists: the abbreviations of the 933 remedies, how common each one is, and the
// remedies and grades every rubric lists.

#include "data/generator/Random.h"
#include "data/generator/Repertory.h"

#include <string>
#include <vector>

namespace telvarin::generator {

// The remedies in index order, and how often each is drawn.
struct RemedyPool {
    std::vector<std::string> names;
    std::vector<int> popularity; // remedy indices, most common first
    SkewedList draw;             // over the ranks of popularity
};

RemedyPool makeRemedies(Random& random);

// How many remedies each rubric lists, and which of those numbers are published figures that must
// not change.
struct RubricSizes {
    std::vector<int> entries;
    std::vector<bool> fixed;
};

// Fills the remedy list of every rubric of the repertory, whose remedies are pool's, and sees
// that every remedy is listed somewhere.
void drawRemedyLists(Repertory& repertory, const RemedyPool& pool, const RubricSizes& sizes, Random& random);

} // namespace telvarin::generator
