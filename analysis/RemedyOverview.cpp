#include "analysis/RemedyOverview.h"

#include "analysis/SectionWalk.h"
#include "repertory/RemedyNameCompare.h"
#include "repertory/RepertoryTexts.h"

#include <algorithm>
#include <cstdio>

namespace telvarin {
namespace {

std::string formatInt(const char* format, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// The other qualifying remedies of a rubric, the selected one included: "abbrev(grade) " each.
std::string othersText(const RepertoryDatabase& db, std::span<const RemedyEntry> entries,
                       const RemedyQuery& query) {
    std::string text;
    for (const RemedyEntry entry : entries) {
        if (!qualifies(entry, query))
            continue;
        text += db.remedyName(remedyOf(entry));
        text += formatInt("(%d) ", gradeOf(entry));
    }
    return text;
}

} // namespace

bool qualifies(RemedyEntry entry, const RemedyQuery& query) {
    return passesGradeFilter(entry, query.gradeWanted, query.bdOnly, !query.bdOnly);
}

std::string normaliseRemedyText(std::string text) {
    if (!text.empty() && text.back() != '.')
        text += '.';
    return text;
}

int findRemedy(const RepertoryDatabase& db, std::string_view text) {
    for (int remedy = 0; remedy < db.remedyCount(); ++remedy)
        if (abbreviationEqual(db.remedyName(remedy), text))
            return remedy;
    return -1;
}

RubricRange chapterRubricRange(const RepertoryDatabase& db, int chapterIndex) {
    if (chapterIndex == -1)
        return {1, db.largestRubricNumber()};
    if (chapterIndex < 0 || chapterIndex >= db.chapterCount())
        return {};
    // The last rubric of a chapter is the end of its last section; a chapter without sections
    // ends where the one before it ended.
    auto chapterEnd = [&](int chapter) {
        const int lastSection = db.sectionEnd(chapter) - 1;
        return lastSection < 0 ? 0 : db.rubricEnd(lastSection);
    };
    const int begin = chapterIndex == 0 ? 0 : chapterEnd(chapterIndex - 1);
    return {begin + 1, chapterEnd(chapterIndex)};
}

OverviewResult runRemedyQuery(const RepertoryDatabase& db, const RemedyQuery& query) {
    OverviewResult result;
    result.remedyText = normaliseRemedyText(query.remedyText);
    result.showsOthers = query.sizeFilter && query.listOthers;
    const int remedy = findRemedy(db, result.remedyText);
    if (remedy < 0)
        return result;

    const RubricRange range = chapterRubricRange(db, query.chapterIndex);
    SectionWalk sections(db);
    for (RubricNumber number = range.first; number <= range.last; ++number) {
        const int index = number - 1;
        const RubricRecord& rubric = db.rubric(index);
        if (query.sizeFilter && (rubric.entryCount < query.minSize || rubric.entryCount > query.maxSize))
            continue;
        const std::span<const RemedyEntry> entries = db.remedyList(index);
        std::string others;
        bool othersBuilt = false;
        for (const RemedyEntry entry : entries) {
            if (remedyOf(entry) != remedy || !qualifies(entry, query))
                continue;
            if (result.showsOthers && !othersBuilt) {
                others = othersText(db, entries, query);
                othersBuilt = true;
            }
            OverviewRow row;
            row.number = number;
            row.grade = gradeOf(entry);
            row.numberColumn = formatInt("%d ", number);
            row.gradeColumn = formatInt("%d", row.grade);
            row.symptomColumn = rubricText(db, number);
            row.chapterColumn = sections.headingOf(index);
            row.othersColumn = others;
            result.rows.push_back(std::move(row));
        }
    }
    return result;
}

std::string overviewTitle(const OverviewResult& result) {
    return "Mittel\xFC"
           "bersicht: " +
           result.remedyText + ", gefundene Symptome: " + std::to_string(result.rows.size());
}

} // namespace telvarin
