#include "analysis/SectionWalk.h"

#include "repertory/RepertoryTexts.h"

namespace telvarin {

int SectionWalk::sectionOf(int rubricIndex) {
    if (rubricIndex < 0)
        return -1;
    if (section_ < 0 || rubricIndex < lowerBound_) {
        section_ = db_.sectionOfRubric(rubricIndex);
        if (section_ < 0)
            return -1;
        lowerBound_ = section_ == 0 ? 0 : db_.rubricEnd(section_ - 1);
    }
    // Empty sections are passed over: they never contain anything.
    while (section_ < db_.sectionCount() && rubricIndex >= db_.rubricEnd(section_)) {
        lowerBound_ = db_.rubricEnd(section_);
        ++section_;
    }
    if (section_ >= db_.sectionCount()) {
        section_ = -1;
        return -1;
    }
    return section_;
}

const Windows1252Text& SectionWalk::headingOf(int rubricIndex) {
    const int section = sectionOf(rubricIndex);
    if (section != headingSection_) {
        heading_ = section < 0 ? Windows1252Text() : sectionHeading(db_, rubricIndex);
        headingSection_ = section;
    }
    return heading_;
}

} // namespace telvarin
