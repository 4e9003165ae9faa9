#include "analysis/RemedyOverview.h"

#include "analysis/SectionWalk.h"
#include "foundation/text/GermanOrder.h"
#include "repertory/RemedyNameCompare.h"
#include "repertory/RepertoryTexts.h"

#include <algorithm>
#include <cstdio>

namespace telvarin {
namespace {

Windows1252Text formatInt(const char* format, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return Windows1252Text(buffer);
}

// The other qualifying remedies of a rubric, the selected one included: "abbrev(grade) " each.
Windows1252Text othersText(const RepertoryDatabase& db, std::span<const RemedyEntry> entries,
                           const RemedyQuery& query) {
    Windows1252Text text;
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

Windows1252Text normaliseRemedyText(Windows1252Text text) {
    if (!text.empty() && text.bytes().back() != '.')
        text += "."_w1252;
    return text;
}

int findRemedy(const RepertoryDatabase& db, Windows1252View text) {
    for (int remedy = 0; remedy < db.remedyCount(); ++remedy)
        if (abbreviationEqual(db.remedyName(remedy).bytes(), text.bytes()))
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

Windows1252Text abbreviationOfRemedyText(const RepertoryDatabase& db, Windows1252View typed) {
    std::string_view text = typed.bytes();
    // An item of the remedy box: the abbreviation before the dash.
    if (const std::size_t dash = text.find(" \x96 "); dash != std::string_view::npos)
        text = text.substr(0, dash);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty() || !db.hasFullNames() ||
        findRemedy(db, normaliseRemedyText(Windows1252Text(std::string(text)))) >= 0)
        return Windows1252Text(std::string(text));
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
    return found >= 0 ? Windows1252Text(db.remedyName(found)) : Windows1252Text(std::string(text));
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
        Windows1252Text others;
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

Windows1252Text overviewTitle(const OverviewResult& result) {
    return "Mittel\xFC"
           "bersicht: "_w1252 +
           result.remedyText + ", gefundene Symptome: "_w1252 + windows1252Number(result.rows.size());
}

} // namespace telvarin
