#include "repertory/RubricTree.h"

#include "foundation/text/GermanOrder.h"

#include <algorithm>
#include <numeric>

namespace telvarin {
namespace {

// Sorts record indices by their texts, equal texts in the repertory's order.
template <typename TextOf>
void sortGerman(std::vector<int>& records, const TextOf& textOf) {
    std::stable_sort(records.begin(), records.end(),
                     [&textOf](int a, int b) { return compareGerman(textOf(a), textOf(b)) < 0; });
}

int firstSectionOf(const RepertoryDatabase& db, int chapter) {
    return chapter == 0 ? 0 : db.sectionEnd(chapter - 1);
}

int firstRubricOf(const RepertoryDatabase& db, int section) {
    return section == 0 ? 0 : db.rubricEnd(section - 1);
}

} // namespace

Windows1252View ownRubricPart(Windows1252View whole, Windows1252View parent) {
    std::string_view text = whole.bytes();
    const std::string_view parentText = parent.bytes();
    if (text.size() > parentText.size() + 2 && text.starts_with(parentText) &&
        text.compare(parentText.size(), 2, ", ") == 0)
        text.remove_prefix(parentText.size() + 2);
    return Windows1252View(text);
}

std::vector<int> chaptersInTreeOrder(const RepertoryDatabase& db, TreeOrder order) {
    std::vector<int> chapters(static_cast<std::size_t>(db.chapterCount()));
    std::iota(chapters.begin(), chapters.end(), 0);
    if (order == TreeOrder::German)
        sortGerman(chapters, [&db](int chapter) { return db.chapterName(chapter).bytes(); });
    return chapters;
}

std::vector<int> sectionsInTreeOrder(const RepertoryDatabase& db, int chapter, TreeOrder order) {
    std::vector<int> sections(static_cast<std::size_t>(db.sectionEnd(chapter) - firstSectionOf(db, chapter)));
    std::iota(sections.begin(), sections.end(), firstSectionOf(db, chapter));
    if (order == TreeOrder::German)
        sortGerman(sections, [&db](int section) { return db.sectionName(section).bytes(); });
    return sections;
}

ChapterRubricTree::ChapterRubricTree(const RepertoryDatabase& db, int chapter, TreeOrder order)
    : firstSection_(firstSectionOf(db, chapter)) {
    const int sectionEnd = db.sectionEnd(chapter);
    firstRubric_ = firstRubricOf(db, firstSection_);
    const int rubricEnd = sectionEnd == firstSection_ ? firstRubric_ : db.rubricEnd(sectionEnd - 1);
    const auto count = static_cast<std::size_t>(rubricEnd - firstRubric_);
    tops_.resize(static_cast<std::size_t>(sectionEnd - firstSection_));
    children_.resize(count);
    parent_.assign(count, -1);
    row_.assign(count, 0);
    for (int section = firstSection_; section < sectionEnd; ++section) {
        const int sectionStart = firstRubricOf(db, section);
        std::vector<int>& tops = tops_[static_cast<std::size_t>(section - firstSection_)];
        for (int rubric = sectionStart; rubric < db.rubricEnd(section); ++rubric) {
            const int parent = db.parentRubric(rubric + 1) - 1;
            // Parents come before their children, so one in the same section is laid out already.
            if (parent >= sectionStart && parent < rubric) {
                parent_[slot(rubric)] = parent;
                children_[slot(parent)].push_back(rubric);
            } else {
                tops.push_back(rubric);
            }
        }
    }
    if (order == TreeOrder::German) {
        // Each level by the text it shows: below a parent the rubric's own part.
        const auto shownText = [this, &db](int rubric) {
            const int parent = parentOf(rubric);
            const Windows1252View text = db.rubricTextField(rubric);
            return (parent < 0 ? text : ownRubricPart(text, db.rubricTextField(parent))).bytes();
        };
        for (std::vector<int>& tops : tops_)
            sortGerman(tops, shownText);
        for (std::vector<int>& children : children_)
            sortGerman(children, shownText);
    }
    const auto number = [this](const std::vector<int>& siblings) {
        for (std::size_t row = 0; row < siblings.size(); ++row)
            row_[slot(siblings[row])] = static_cast<int>(row);
    };
    std::ranges::for_each(tops_, number);
    std::ranges::for_each(children_, number);
}

std::span<const int> ChapterRubricTree::topsOf(int section) const {
    return tops_[static_cast<std::size_t>(section - firstSection_)];
}

std::span<const int> ChapterRubricTree::childrenOf(int rubric) const {
    return children_[slot(rubric)];
}

} // namespace telvarin
