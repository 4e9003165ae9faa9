#include "repertory/ImportBuilder.h"

#include "foundation/text/CodePage.h"
#include "foundation/text/Trimmed.h"
#include "repertory/CounterPolarities.h"
#include "repertory/ImportText.h"
#include "repertory/RepertoryDatabase.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace telvarin {
namespace {

RemedyEntry gradeMark(int grade) {
    switch (grade) {
    case 2:
        return kGrade2Mark;
    case 3:
        return kGrade3Mark;
    case 4:
        return kGrade4Mark;
    case 5:
        return kGrade5Mark;
    default:
        return 0;
    }
}

std::string collapsedBlanks(std::string_view text) {
    std::string collapsed;
    collapsed.reserve(text.size());
    for (const char c : text) {
        if (c != ' ')
            collapsed += c;
        else if (!collapsed.empty() && collapsed.back() != ' ')
            collapsed += ' ';
    }
    if (!collapsed.empty() && collapsed.back() == ' ')
        collapsed.pop_back();
    return collapsed;
}

void addCount(std::vector<std::string>& lines, int count, const std::string& what) {
    if (count > 0)
        lines.push_back(what + ": " + std::to_string(count));
}

} // namespace

RepertoryImportError failAt(const std::string& where, const std::string& what) {
    return RepertoryImportError{where + ": " + what};
}

std::optional<RepertoryImportError> convertAt(std::string_view utf8, const std::string& where,
                                              std::string& out) {
    if (std::optional<TextProblem> problem = convertToWindows1252(utf8, out))
        return failAt(where + ", Zeichen " + std::to_string(problem->position), problem->message);
    return std::nullopt;
}

TidiedParts tidiedParts(std::string_view text) {
    TidiedParts tidied;
    for (std::size_t index = 0;; ++index) {
        const std::size_t comma = text.find(',');
        const std::string_view written = text.substr(0, comma);
        std::string part = collapsedBlanks(written);
        if (part.empty()) {
            tidied.emptyPartsDropped = true;
        } else {
            // Every part but the first stands after ", ".
            const bool asWritten =
                index == 0 ? written == part : written.size() == part.size() + 1 && written.substr(1) == part;
            tidied.blanksChanged = tidied.blanksChanged || !asWritten;
            tidied.parts.push_back(std::move(part));
        }
        if (comma == std::string_view::npos)
            return tidied;
        text.remove_prefix(comma + 1);
    }
}

std::string joinedParts(std::span<const std::string> parts, std::size_t first) {
    std::string text;
    for (std::size_t i = first; i < parts.size(); ++i)
        text.append(i == first ? "" : ", ").append(parts[i]);
    return text;
}

void countTidying(const TidiedParts& tidied, ImportReport& report) {
    report.tidiedBlanks += tidied.blanksChanged;
    report.droppedEmptyParts += tidied.emptyPartsDropped;
}

std::string tidiedText(std::string_view text, ImportReport& report) {
    const TidiedParts tidied = tidiedParts(text);
    countTidying(tidied, report);
    return joinedParts(tidied.parts);
}

std::variant<ListedRemedy, std::string> listedRemedy(std::string_view item) {
    ListedRemedy listed{item};
    if (item.ends_with(')')) {
        const std::size_t open = item.rfind('(');
        if (open != std::string_view::npos) {
            const std::string_view grade = item.substr(open + 1, item.size() - open - 2);
            if (grade.size() != 1 || grade[0] < '1' || grade[0] > '5')
                return "unbekannte Wertigkeit " + quotedText(item.substr(open)) + " (erlaubt 1 bis 5)";
            listed.bracketGrade = grade[0] - '0';
            listed.abbreviation = trimmed(item.substr(0, open));
        }
    }
    if (listed.abbreviation.empty() ||
        listed.abbreviation.find_first_of(" \t()[]{}") != std::string_view::npos)
        return "ungültiges Kürzel " + quotedText(windows1252ToUtf8(item)) +
               " (ohne Leerzeichen und Klammern, eine Wertigkeit in Klammern dahinter: \"NAT-M (4)\")";
    return listed;
}

TableBuilder::TableBuilder(ImportReport& report)
    : report_(report), position_(kMaxImportedRemedies), owner_(kMaxImportedRemedies, -1),
      listOf_(kMaxImportedRemedies, -1) {}

void TableBuilder::chapter(std::string name) {
    ChapterRecord record{};
    store(record.name, kChapterNameSize, std::move(name), report_.cutNames);
    record.sectionEnd = static_cast<std::int32_t>(tables_.sections.size());
    tables_.chapters.push_back(record);
}

void TableBuilder::section(std::string name) {
    SectionRecord record{};
    store(record.name, kSectionNameSize, std::move(name), report_.cutNames);
    record.rubricEnd = static_cast<std::int32_t>(tables_.rubrics.size());
    tables_.sections.push_back(record);
    tables_.chapters.back().sectionEnd = static_cast<std::int32_t>(tables_.sections.size());
}

int TableBuilder::rubric(std::string text) {
    RubricRecord record{};
    store(record.text, kRubricTextSize, std::move(text), report_.cutRubricTexts);
    tables_.rubrics.push_back(record);
    tables_.sections.back().rubricEnd = static_cast<std::int32_t>(tables_.rubrics.size());
    lists_.emplace_back();
    current_ = static_cast<int>(lists_.size()) - 1;
    ++listNumber_;
    return current_;
}

void TableBuilder::continueRubric(int rubric) {
    if (rubric != current_) {
        // Later rubrics have taken over the positions of its remedies.
        const std::vector<RemedyEntry>& list = lists_[static_cast<std::size_t>(rubric)];
        for (std::size_t k = 0; k < list.size(); ++k) {
            const auto remedy = static_cast<std::size_t>(remedyOf(list[k]));
            position_[remedy] = static_cast<int>(k);
            owner_[remedy] = rubric;
        }
        current_ = rubric;
    }
    ++listNumber_;
}

std::variant<int, std::string> TableBuilder::remedy(std::string_view abbreviation) {
    if (const auto known = remedies_.find(abbreviation); known != remedies_.end())
        return known->second;
    std::string name = toLowerWindows1252(abbreviation);
    if (name.ends_with('.'))
        name.pop_back();
    if (name.empty())
        return std::string("leeres Mittelkürzel");
    if (name.size() + 1 > kMaxAbbreviationBytes)
        return "Mittelkürzel " + quotedText(windows1252ToUtf8(abbreviation)) + " ist länger als " +
               std::to_string(kMaxAbbreviationBytes) + " Bytes";
    auto byName = names_.find(name);
    if (byName == names_.end()) {
        if (tables_.abbreviations.size() >= kMaxImportedRemedies)
            return "Mittel " + quotedText(windows1252ToUtf8(abbreviation)) + " wäre das " +
                   std::to_string(kMaxImportedRemedies + 1) +
                   ". Mittel (hö"
                   "chstens " +
                   std::to_string(kMaxImportedRemedies) + ")";
        byName = names_.emplace(name, static_cast<int>(tables_.abbreviations.size())).first;
        tables_.abbreviations.push_back(name + ".");
    }
    remedies_.emplace(std::string(abbreviation), byName->second);
    return byName->second;
}

void TableBuilder::entry(int remedy, int grade) {
    std::vector<RemedyEntry>& list = lists_[static_cast<std::size_t>(current_)];
    const auto slot = static_cast<std::size_t>(remedy);
    if (owner_[slot] == current_) {
        RemedyEntry& known = list[static_cast<std::size_t>(position_[slot])];
        if (grade > gradeOf(known))
            known = (known & ~kGradeMarks) | gradeMark(grade);
        if (listOf_[slot] == listNumber_)
            ++report_.mergedEntries;
        listOf_[slot] = listNumber_;
        return;
    }
    owner_[slot] = current_;
    position_[slot] = static_cast<int>(list.size());
    listOf_[slot] = listNumber_;
    list.push_back(static_cast<RemedyEntry>(remedy) | gradeMark(grade));
}

ImportProblem TableBuilder::entry(std::string_view abbreviation, int grade) {
    std::variant<int, std::string> found = remedy(abbreviation);
    if (auto* problem = std::get_if<std::string>(&found))
        return std::move(*problem);
    entry(std::get<int>(found), grade);
    return std::nullopt;
}

void TableBuilder::parent(int rubric, int parentRubric) {
    if (tables_.parents.size() < tables_.rubrics.size())
        tables_.parents.resize(tables_.rubrics.size());
    tables_.parents[static_cast<std::size_t>(rubric)] = parentRubric + 1;
}

std::optional<int> TableBuilder::knownRemedy(std::string_view abbreviation) const {
    std::string name = toLowerWindows1252(abbreviation);
    if (name.ends_with('.'))
        name.pop_back();
    const auto byName = names_.find(name);
    return byName == names_.end() ? std::nullopt : std::optional<int>(byName->second);
}

void TableBuilder::fullName(int remedy, std::string name) {
    name = std::string(trimmed(name.substr(0, name.find('\0'))));
    cutAtWord(name, kMaxFullNameBytes);
    if (tables_.fullNames.size() < tables_.abbreviations.size())
        tables_.fullNames.resize(tables_.abbreviations.size());
    tables_.fullNames[static_cast<std::size_t>(remedy)] = std::move(name);
}

RepertoryImportResult TableBuilder::finish(const std::string& source) {
    if (tables_.rubrics.empty())
        return RepertoryImportError{source + ": keine Rubrik gefunden"};
    // A table of full names only where the source gives at least one.
    if (std::ranges::all_of(tables_.fullNames, &std::string::empty))
        tables_.fullNames.clear();
    else
        tables_.fullNames.resize(tables_.abbreviations.size());
    if (!tables_.parents.empty())
        tables_.parents.resize(tables_.rubrics.size());
    std::size_t entryCount = 0;
    for (const std::vector<RemedyEntry>& list : lists_)
        entryCount += list.size();
    if (entryCount > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        return RepertoryImportError{source + ": zu viele Einträge"};
    tables_.entries.reserve(entryCount);
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        tables_.rubrics[i].firstEntry = static_cast<std::int32_t>(tables_.entries.size());
        tables_.rubrics[i].entryCount = static_cast<std::int32_t>(lists_[i].size());
        tables_.entries.insert(tables_.entries.end(), lists_[i].begin(), lists_[i].end());
    }
    pairCounterPolaritiesByRule(tables_, report_);
    if (!polarityFile_.empty()) {
        if (std::optional<RepertoryImportError> problem =
                pairCounterPolaritiesFromFile(tables_, polarityFile_, report_))
            return *problem;
    }
    ImportedRepertory imported{dataFileBytes(tables_), report_};
    // The same check as at start-up: what the import hands back, the program can use.
    const RepertoryLoadResult check = RepertoryDatabase::fromBytes(imported.bytes);
    if (const auto* error = std::get_if<RepertoryLoadError>(&check))
        return RepertoryImportError{source + ": " + utf8Of(error->message)};
    return imported;
}

void TableBuilder::store(char* field, std::size_t size, std::string text, int& cutCount) {
    if (cutAtWord(text, size - 1))
        ++cutCount;
    std::memcpy(field, text.data(), text.size());
}

std::vector<std::string> importReportLines(const ImportReport& report) {
    std::vector<std::string> lines;
    addCount(lines, report.cutRubricTexts,
             "Rubriktexte zu lang für ihr Feld, an einem Wort mit \"...\" gekürzt");
    addCount(lines, report.cutNames, "Kapitel- und Abschnittsnamen zu lang für ihr Feld, ebenso gekürzt");
    addCount(lines, report.tidiedBlanks,
             "Texte mit bereinigten Leerzeichen (doppelt, am Rand, fehlend nach Komma)");
    addCount(lines, report.droppedEmptyParts, "Pfade ohne ihre leeren Teile (\", ,\" oder \", \" am Ende)");
    addCount(lines, report.droppedEmptyItems, "leere Einträge aus Mittellisten entfernt");
    addCount(lines, report.mergedPaths,
             "Pfade wie ein früherer (Groß- und Kleinschreibung auß"
             "er Acht), mit ihm eine Rubrik");
    addCount(lines, report.mergedEntries,
             "Mittel doppelt in einer Mittelliste, ein Eintrag mit der höheren Wertigkeit");
    addCount(lines, report.bracketGrades, "Kürzel mit Wertigkeit in Klammern (\"NAT-M (4)\")");
    addCount(lines, report.repeatedPaths,
             "Pfade, die mehrere Knoten des Baums bilden, je eine eigene Rubrik");
    addCount(lines, report.counterPolaritiesByRule,
             "Gegenpolaritäten nach der Regel (\"..., besser\" und \"..., schlechter\")");
    addCount(lines, report.counterPolaritiesLeftOut,
             "Paare \"besser\"/\"schlechter\" mit doppeltem Text, ohne Gegenpolarität");
    addCount(lines, report.counterPolaritiesByTable, "Gegenpolaritäten aus der Tabelle");
    addCount(lines, report.counterPolaritiesRepeated,
             "Zeilen der Tabelle, die ein Paar der Regel wiederholen");
    lines.insert(lines.end(), report.notes.begin(), report.notes.end());
    return lines;
}

} // namespace telvarin
