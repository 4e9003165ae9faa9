#pragma once

// The 58 chapters of the repertory: their names, sizes, sections and the words of their rubrics.

#include "data/generator/Figures.h"

#include <array>
#include <string_view>

namespace telvarin::generator {

// The chapters. Sections are "|"-separated; "*" marks a section left empty, "=N" a section of
// exactly N rubrics; the rest share the chapter's rubrics by the weight of their kind.
struct ChapterSpec {
    std::string_view name;
    int rubrics;
    std::string_view sections;
    std::string_view symptoms;  // most frequent first; body chapters add the common body symptoms
    std::string_view locations; // parts of the region, for the GENERAL section
    // Qualifiers; "Symptom:a|b" in a body chapter qualifies only that symptom, the others take
    // the common body qualifiers.
    std::string_view qualities;
    bool body = true;
};

extern const std::array<ChapterSpec, kChapterCount> kChapters;

} // namespace telvarin::generator
