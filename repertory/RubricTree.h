#pragma once

// The symptom tree's order and nesting, apart from any window: below each chapter its sections,
// below each section its top rubrics, below each rubric those that the repertory's own tree puts
// there, every level either in the repertory's order or in German alphabetical order. A chapter's
// rubrics are laid out when the chapter is first opened, so the layout of one chapter is what a
// click on it costs.

#include "repertory/RepertoryDatabase.h"

#include <span>
#include <string_view>
#include <vector>

namespace telvarin {

enum class TreeOrder { Repertory, German };

// The part of a rubric text below its parent's: "nachmittags" for "Übelkeit, nachmittags" below
// "Übelkeit". The whole text where it does not go on from the parent's text with ", ".
Windows1252View ownRubricPart(Windows1252View text, Windows1252View parentText);

// Chapter record indices in the order of the tree.
std::vector<int> chaptersInTreeOrder(const RepertoryDatabase& db, TreeOrder order);
// The section record indices of a chapter in the order of the tree.
std::vector<int> sectionsInTreeOrder(const RepertoryDatabase& db, int chapter, TreeOrder order);

// The rubrics of one chapter. A rubric hangs below its parent where the parent stands in the same
// section; the others are the section's own rows. Record indices throughout.
class ChapterRubricTree {
public:
    ChapterRubricTree(const RepertoryDatabase& db, int chapter, TreeOrder order);

    std::span<const int> topsOf(int section) const;
    std::span<const int> childrenOf(int rubric) const;
    // The rubric it hangs below; -1 where its section holds it.
    int parentOf(int rubric) const { return parent_[slot(rubric)]; }
    // Its row below its parent or section.
    int rowOf(int rubric) const { return row_[slot(rubric)]; }
    bool holds(int rubric) const { return rubric >= firstRubric_ && rubric < firstRubric_ + rubricCount(); }
    int rubricCount() const { return static_cast<int>(parent_.size()); }

private:
    std::size_t slot(int rubric) const { return static_cast<std::size_t>(rubric - firstRubric_); }

    int firstSection_ = 0;
    int firstRubric_ = 0;
    std::vector<std::vector<int>> tops_; // per section of the chapter
    std::vector<std::vector<int>> children_;
    std::vector<int> parent_;
    std::vector<int> row_;
};

} // namespace telvarin
