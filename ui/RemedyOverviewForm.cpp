#include "ui/RemedyOverviewForm.h"

#include "analysis/SymptomEntry.h"
#include "foundation/text/GermanOrder.h"
#include "foundation/text/QtCodePage.h"

#include <algorithm>

namespace telvarin {

namespace {

// Blanks around the number are allowed, as the platform's integer fields allow them.
bool isWholeNumberText(const QString& text) {
    if (text.isEmpty())
        return false;
    const int digitsFrom = text.front() == u'+' || text.front() == u'-' ? 1 : 0;
    if (digitsFrom == text.size())
        return false;
    return std::all_of(text.begin() + digitsFrom, text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

SizeFieldValue readSizeField(const QString& text) {
    const QString trimmed = text.trimmed();
    bool converted = false;
    const int value = isWholeNumberText(trimmed) ? trimmed.toInt(&converted) : 0;
    // A number too long for an integer is no integer either.
    if (!converted)
        return {std::nullopt, QStringLiteral("Please enter an integer.")};
    if (value < kSmallestRubricSize || value > kLargestRubricSize)
        return {std::nullopt, QStringLiteral("Please enter an integer between %1 and %2.")
                                  .arg(kSmallestRubricSize)
                                  .arg(kLargestRubricSize)};
    return {value, QString()};
}

QString steppedSizeField(const QString& text, int step) {
    const QString trimmed = text.trimmed();
    bool converted = false;
    const int value = isWholeNumberText(trimmed) ? trimmed.toInt(&converted) : 0;
    if (!converted)
        return QString::number(step < 0 ? kLargestRubricSize : kSmallestRubricSize);
    const qint64 stepped = static_cast<qint64>(value) + step;
    return QString::number(std::clamp<qint64>(stepped, kSmallestRubricSize, kLargestRubricSize));
}

OverviewCommit commitOverviewFields(const RemedyQuery& previous, const OverviewFields& fields) {
    OverviewCommit commit{previous, OverviewField::None, QString()};
    RemedyQuery& query = commit.query;
    query.remedyText = toWindows1252(fields.remedyText);
    query.gradeWanted = fields.grades;
    query.bdOnly = fields.bdOnly;
    query.sizeFilter = fields.sizeFilter;

    const SizeFieldValue minimum = readSizeField(fields.minSizeText);
    if (!minimum.value) {
        commit.failedField = OverviewField::MinimumSize;
        commit.message = minimum.message;
        return commit;
    }
    query.minSize = *minimum.value;

    const SizeFieldValue maximum = readSizeField(fields.maxSizeText);
    if (!maximum.value) {
        commit.failedField = OverviewField::MaximumSize;
        commit.message = maximum.message;
        return commit;
    }
    query.maxSize = *maximum.value;

    query.listOthers = fields.listOthers;
    return commit;
}

GradeSelection allGrades() {
    return {true, true, true, true, true};
}

GradeSelection highGrades() {
    return {false, false, true, true, true};
}

std::vector<ChapterChoice> chapterChoices(const RepertoryDatabase& db) {
    std::vector<ChapterChoice> choices;
    choices.reserve(static_cast<std::size_t>(db.chapterCount()) + 1);
    choices.push_back({std::string(), -1});
    for (int chapter = 0; chapter < db.chapterCount(); ++chapter)
        choices.push_back({std::string(db.chapterName(chapter).bytes()), chapter});
    return choices;
}

std::vector<std::string> sortedRemedyNames(const RepertoryDatabase& db) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(db.remedyCount()));
    for (int remedy = 0; remedy < db.remedyCount(); ++remedy)
        names.emplace_back(db.remedyName(remedy).bytes());
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return germanLess(a, b); });
    return names;
}

std::vector<std::string> remedyBoxItems(const RepertoryDatabase& db) {
    std::vector<int> remedies(static_cast<std::size_t>(db.remedyCount()));
    for (std::size_t remedy = 0; remedy < remedies.size(); ++remedy)
        remedies[remedy] = static_cast<int>(remedy);
    std::stable_sort(remedies.begin(), remedies.end(), [&db](int a, int b) {
        return germanLess(db.remedyName(a).bytes(), db.remedyName(b).bytes());
    });
    std::vector<std::string> items;
    items.reserve(remedies.size());
    for (const int remedy : remedies) {
        std::string item(db.remedyName(remedy).bytes());
        if (const std::string_view fullName = db.remedyFullName(remedy).bytes(); !fullName.empty())
            item.append(" \x96 ").append(fullName);
        items.push_back(std::move(item));
    }
    return items;
}

std::optional<SymptomRef> symptomOfNumberCell(const RepertoryDatabase& db, std::string_view numberText) {
    if (numberText.empty())
        return std::nullopt;
    const ParsedSymptom parsed = parseSymptomEntry(db, numberText);
    // Rows name rubrics; a counter-polarity is never listed.
    if (parsed.number <= 0 || !db.isValidSymptom(parsed.number, 0))
        return std::nullopt;
    return SymptomRef{parsed.number, 0};
}

std::vector<OverviewColumn> overviewColumns(bool showsOthers) {
    std::vector<OverviewColumn> columns{{QStringLiteral("Nummer"), 85},
                                        {QStringLiteral("Wertigkeit"), 50},
                                        {QStringLiteral("Symptom"), 372},
                                        {QStringLiteral("Kapitel"), 100}};
    if (showsOthers)
        columns.push_back({QStringLiteral("Andere Mittel"), 100});
    return columns;
}

} // namespace telvarin
