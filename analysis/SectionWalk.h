#pragma once

// Sections of rubrics visited in ascending order, found by the boundary rule without walking
// the section table from the start for every rubric, and each heading built once per section.

#include "repertory/RepertoryDatabase.h"

#include <string>

namespace telvarin {

class SectionWalk {
public:
    explicit SectionWalk(const RepertoryDatabase& db) : db_(db) {}

    // The section holding a rubric record index, or -1. Fastest for ascending indices.
    int sectionOf(int rubricIndex);
    // sectionHeading of the rubric record index, built when the section changes.
    const Windows1252Text& headingOf(int rubricIndex);

private:
    const RepertoryDatabase& db_;
    int section_ = -1;
    int lowerBound_ = 0;
    int headingSection_ = -2;
    Windows1252Text heading_;
};

} // namespace telvarin
