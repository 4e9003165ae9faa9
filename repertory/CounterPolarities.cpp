#include "repertory/CounterPolarities.h"

#include "foundation/files/FileKind.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/Trimmed.h"
#include "repertory/ImportBuilder.h"
#include "repertory/ImportText.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace telvarin {
namespace {

constexpr std::string_view kBetter = "besser";
constexpr std::string_view kWorse = "schlechter";

std::string_view textOf(const char* field) {
    return std::string_view(field);
}

// The chapter index of every rubric record.
std::vector<int> chapterOfRubrics(const RepertoryTables& tables) {
    std::vector<int> chapters(tables.rubrics.size(), 0);
    std::size_t section = 0;
    std::size_t rubric = 0;
    for (std::size_t chapter = 0; chapter < tables.chapters.size(); ++chapter) {
        const auto sectionEnd = static_cast<std::size_t>(tables.chapters[chapter].sectionEnd);
        for (; section < sectionEnd && section < tables.sections.size(); ++section) {
            const auto rubricEnd = static_cast<std::size_t>(tables.sections[section].rubricEnd);
            for (; rubric < rubricEnd && rubric < chapters.size(); ++rubric)
                chapters[rubric] = static_cast<int>(chapter);
        }
    }
    return chapters;
}

void setPair(RepertoryTables& tables, int a, int b) {
    tables.rubrics[static_cast<std::size_t>(a)].counterPolarity = b + 1;
    tables.rubrics[static_cast<std::size_t>(a)].counterPolarityBd = 0;
    tables.rubrics[static_cast<std::size_t>(b)].counterPolarity = a + 1;
    tables.rubrics[static_cast<std::size_t>(b)].counterPolarityBd = 0;
}

// The rubric's path as a table names it: chapter name and text, the chapter's own rubric by the
// chapter name alone; in Windows-1252, lower case.
std::string foldedPath(std::string_view chapter, std::string_view text) {
    std::string folded = toLowerWindows1252(chapter);
    const std::string foldedText = toLowerWindows1252(text);
    if (foldedText != folded)
        folded.append(", ").append(foldedText);
    return folded;
}

std::string pathUtf8(const RepertoryTables& tables, const std::vector<int>& chapters, int rubric) {
    const std::string_view chapter =
        textOf(tables.chapters[static_cast<std::size_t>(chapters[static_cast<std::size_t>(rubric)])].name);
    const std::string_view text = textOf(tables.rubrics[static_cast<std::size_t>(rubric)].text);
    if (toLowerWindows1252(chapter) == toLowerWindows1252(text))
        return windows1252ToUtf8(chapter);
    return windows1252ToUtf8(std::string(chapter) + ", " + std::string(text));
}

} // namespace

void pairCounterPolaritiesByRule(RepertoryTables& tables, ImportReport& report) {
    struct Group {
        std::vector<int> better;
        std::vector<int> worse;
    };
    const std::vector<int> chapters = chapterOfRubrics(tables);
    // Chapter index and the text before the last part, for the groups in the order first met.
    std::unordered_map<std::string, std::size_t> groupOf;
    std::vector<Group> groups;
    for (std::size_t i = 0; i < tables.rubrics.size(); ++i) {
        const std::string_view text = textOf(tables.rubrics[i].text);
        const std::size_t comma = text.rfind(',');
        if (comma == std::string_view::npos)
            continue;
        const std::string_view last = trimmed(text.substr(comma + 1));
        const bool better = last == kBetter;
        if (!better && last != kWorse)
            continue;
        std::string key = std::to_string(chapters[i]);
        key.append(1, '\0').append(text.substr(0, comma));
        const auto [at, added] = groupOf.try_emplace(std::move(key), groups.size());
        if (added)
            groups.emplace_back();
        (better ? groups[at->second].better : groups[at->second].worse).push_back(static_cast<int>(i));
    }
    for (const Group& group : groups) {
        if (group.better.empty() || group.worse.empty())
            continue;
        if (group.better.size() == 1 && group.worse.size() == 1) {
            setPair(tables, group.better[0], group.worse[0]);
            ++report.counterPolaritiesByRule;
            continue;
        }
        ++report.counterPolaritiesLeftOut;
        report.notes.push_back(quotedText(pathUtf8(tables, chapters, group.better[0])) + " " +
                               std::to_string(group.better.size()) + "-mal, " +
                               quotedText(pathUtf8(tables, chapters, group.worse[0])) + " " +
                               std::to_string(group.worse.size()) +
                               "-mal: welche zusammengehören, ist nicht zu sagen; ohne Gegenpolarität");
    }
}

std::optional<RepertoryImportError> pairCounterPolaritiesByTable(RepertoryTables& tables,
                                                                 std::string_view table,
                                                                 const std::string& fileName,
                                                                 ImportReport& report) {
    const std::vector<int> chapters = chapterOfRubrics(tables);
    constexpr int kSeveral = -1;
    std::unordered_map<std::string, int> rubricOfPath;
    rubricOfPath.reserve(tables.rubrics.size());
    for (std::size_t i = 0; i < tables.rubrics.size(); ++i) {
        const std::string path =
            foldedPath(textOf(tables.chapters[static_cast<std::size_t>(chapters[i])].name),
                       textOf(tables.rubrics[i].text));
        const auto [at, added] = rubricOfPath.try_emplace(path, static_cast<int>(i));
        if (!added)
            at->second = kSeveral;
    }

    TextLines lines(table);
    for (std::string_view line; lines.next(line);) {
        const std::string_view content = trimmed(line);
        if (content.empty() || content.front() == '#')
            continue;
        const std::string where = fileName + ", Zeile " + std::to_string(lines.number());
        std::vector<std::string_view> fields;
        for (std::string_view rest = content;;) {
            const std::size_t tab = rest.find('\t');
            fields.push_back(trimmed(rest.substr(0, tab)));
            if (tab == std::string_view::npos)
                break;
            rest.remove_prefix(tab + 1);
        }
        if (fields.size() != 3 || fields[0].empty() || fields[1].empty() || fields[2].empty())
            return failAt(where, "Pfad, Tabulator, Pfad, Tabulator, Grund erwartet");
        int rubrics[2] = {0, 0};
        for (std::size_t k = 0; k < 2; ++k) {
            std::string converted;
            if (auto problem = convertAt(fields[k], where, converted))
                return problem;
            const auto found =
                rubricOfPath.find(toLowerWindows1252(joinedParts(tidiedParts(converted).parts)));
            if (found == rubricOfPath.end())
                return failAt(where, "keine Rubrik " + quotedText(fields[k]));
            if (found->second == kSeveral)
                return failAt(where, "mehrere Rubriken " + quotedText(fields[k]));
            rubrics[k] = found->second;
        }
        const int a = rubrics[0];
        const int b = rubrics[1];
        if (a == b)
            return failAt(where, "beide Pfade nennen dieselbe Rubrik");
        const RubricRecord& first = tables.rubrics[static_cast<std::size_t>(a)];
        const RubricRecord& second = tables.rubrics[static_cast<std::size_t>(b)];
        if (first.counterPolarity == b + 1 && second.counterPolarity == a + 1) {
            ++report.counterPolaritiesRepeated;
            continue;
        }
        for (const int rubric : rubrics) {
            const std::int32_t partner = tables.rubrics[static_cast<std::size_t>(rubric)].counterPolarity;
            if (partner != 0)
                return failAt(where, quotedText(pathUtf8(tables, chapters, rubric)) +
                                         " hat schon die Gegenpolarität " +
                                         quotedText(pathUtf8(tables, chapters, partner - 1)));
        }
        setPair(tables, a, b);
        ++report.counterPolaritiesByTable;
    }
    return std::nullopt;
}

std::optional<RepertoryImportError>
pairCounterPolaritiesFromFile(RepertoryTables& tables, const std::string& path, ImportReport& report) {
    FileReadResult read = readRegularFile(path, kMaxImportSourceBytes);
    if (const auto* failure = std::get_if<FileReadError>(&read))
        return RepertoryImportError{utf8Of(failure->message)};
    return pairCounterPolaritiesByTable(tables, std::get<std::string>(read), path, report);
}

} // namespace telvarin
