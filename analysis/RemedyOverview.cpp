#include "analysis/RemedyOverview.h"

#include "analysis/SectionWalk.h"
#include "foundation/text/GermanOrder.h"
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
        text += db.remedyName(remedyOf(entry)).bytes();
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
        if (abbreviationEqual(db.remedyName(remedy).bytes(), text))
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

std::string abbreviationOfRemedyText(const RepertoryDatabase& db, std::string_view text) {
    // An item of the remedy box: the abbreviation before the dash.
    if (const std::size_t dash = text.find(" \x96 "); dash != std::string_view::npos)
        text = text.substr(0, dash);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty() || !db.hasFullNames() || findRemedy(db, normaliseRemedyText(std::string(text))) >= 0)
        return std::string(text);
    const std::string wanted = germanBaseLetters(text);
    int equal = -1;
    int starting = -1;
    int holding = -1;
    int startingCount = 0;
    int holdingCount = 0;
    for (int remedy = 0; remedy < db.remedyCount(); ++remedy) {
        const std::string name = germanBaseLetters(db.remedyFullName(remedy).bytes());
        const std::size_t at = name.find(wanted);
        if (at == std::string::npos)
            continue;
        if (name.size() == wanted.size() && equal < 0)
            equal = remedy;
        if (at == 0 && startingCount++ == 0)
            starting = remedy;
        if (holdingCount++ == 0)
            holding = remedy;
    }
    const int found = equal >= 0 ? equal : startingCount == 1 ? starting : holdingCount == 1 ? holding : -1;
    return found >= 0 ? std::string(db.remedyName(found).bytes()) : std::string(text);
}

OverviewResult runRemedyQuery(const RepertoryDatabase& db, const RemedyQuery& query) {
    OverviewResult result;
    result.remedyText = normaliseRemedyText(abbreviationOfRemedyText(db, query.remedyText));
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
