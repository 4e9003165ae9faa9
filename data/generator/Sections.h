#pragma once

// The sections of a chapter: their kinds, and how the chapter's rubrics are shared among them.

#include "data/generator/Chapters.h"

#include <string>
#include <string_view>
#include <vector>

namespace telvarin::generator {

enum class SectionKind {
    General,
    Topic,
    Time,
    Aggravation,
    Amelioration,
    Concomitants,
    CrossReference,
    Modality
};

SectionKind kindOf(std::string_view section, bool modalityChapter);
int weightOf(SectionKind kind);

struct SectionPlan {
    std::string name;
    int size = 0;
    bool explicitSize = false;
    bool empty = false;
};

// The chapter's sections with their sizes: given ones, empty ones, the rest by the weight of
// their kind.
std::vector<SectionPlan> planSections(const ChapterSpec& chapter, bool modalityChapter);

} // namespace telvarin::generator
