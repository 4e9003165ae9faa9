#include "repertory/RepertoryImport.h"

#include "foundation/files/FileKind.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/Trimmed.h"
#include "repertory/ImportBuilder.h"
#include "repertory/ImportText.h"
#include "repertory/JsonReader.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace telvarin {
namespace {

// ---- json ----

struct PathRubric {
    std::vector<std::string> folded; // the path's parts after the chapter, lower case
    std::string text;                // Windows-1252
    const std::string* key = nullptr;
    const JsonValue* list = nullptr;
};

struct SectionGroup {
    std::string name;
    std::vector<PathRubric> rubrics;
};

std::vector<std::string_view> splitAtCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t comma = text.find(',');
        parts.push_back(trimmed(text.substr(0, comma)));
        if (comma == std::string_view::npos)
            return parts;
        text.remove_prefix(comma + 1);
    }
}

std::string firstLetterUpper(std::string text) {
    if (!text.empty())
        text[0] = static_cast<char>(toUpperWindows1252(static_cast<unsigned char>(text[0])));
    return text;
}

// The grade that the letter case of an abbreviation gives: ACON 3, Acon 2, acon 1; 0 for others.
int gradeOfLetterCase(std::string_view abbreviation) {
    int upper = 0;
    int lower = 0;
    bool firstLetterSeen = false;
    bool firstUpper = false;
    for (const char c : abbreviation) {
        const auto byte = static_cast<unsigned char>(c);
        const bool isUpper = isUpperLetter(byte);
        const bool isLower = isLowerLetter(byte);
        if (!isUpper && !isLower)
            continue;
        if (!firstLetterSeen) {
            firstLetterSeen = true;
            firstUpper = isUpper;
        }
        upper += isUpper;
        lower += isLower;
    }
    if (upper > 0 && lower == 0)
        return 3;
    if (upper == 1 && firstUpper)
        return 2;
    return upper == 0 ? 1 : 0;
}

class JsonImport {
public:
    JsonImport(std::string folder, const std::string& polarityFile) : folder_(std::move(folder)) {
        builder_.counterPolarityTable(polarityFile);
    }

    RepertoryImportResult run() {
        std::optional<JsonValue> index = readDocument("index.json");
        if (!index)
            return *error_;
        if (index->kind != JsonValue::Kind::Object || index->members.empty())
            return RepertoryImportError{"index.json: ein Objekt mit den Kapiteln erwartet"};
        for (const auto& [chapterKey, description] : index->members) {
            const std::string where = "index.json, Schlüssel " + quotedText(chapterKey);
            const JsonValue* file = description.member("file");
            if (description.kind != JsonValue::Kind::Object || file == nullptr ||
                file->kind != JsonValue::Kind::String || file->text.empty())
                return failAt(where, "{\"file\": NAME} erwartet");
            if (std::optional<RepertoryImportError> problem = chapter(chapterKey, where, file->text))
                return *problem;
        }
        if (std::optional<RepertoryImportError> problem = fullNames())
            return *problem;
        return builder_.finish(folder_);
    }

private:
    // The optional remedies.json: an object of abbreviation and full name; names of remedies no
    // list holds are left out, so that they add no remedy.
    std::optional<RepertoryImportError> fullNames() {
        constexpr const char* kName = "remedies.json";
        if (fileKindOf(folder_ + "/" + kName) == FileKind::Missing)
            return std::nullopt;
        std::optional<JsonValue> names = readDocument(kName);
        if (!names)
            return error_;
        if (names->kind != JsonValue::Kind::Object)
            return RepertoryImportError{std::string(kName) + ": ein Objekt Kürzel: voller Name erwartet"};
        for (const auto& [abbreviation, name] : names->members) {
            const std::string where = std::string(kName) + ", Schlüssel " + quotedText(abbreviation);
            if (name.kind != JsonValue::Kind::String)
                return failAt(where, "der volle Name ist kein Text");
            std::string converted;
            std::string fullName;
            if (auto problem = convertAt(abbreviation, where, converted))
                return problem;
            if (auto problem = convertAt(name.text, where, fullName))
                return problem;
            if (const std::optional<int> remedy = builder_.knownRemedy(trimmed(converted)))
                builder_.fullName(*remedy, std::move(fullName));
        }
        return std::nullopt;
    }

    std::optional<JsonValue> readDocument(const std::string& name) {
        const std::string path = folder_ + "/" + name;
        FileReadResult read = readRegularFile(path, kMaxImportSourceBytes);
        if (const auto* failure = std::get_if<FileReadError>(&read)) {
            error_ = RepertoryImportError{utf8Of(failure->message)};
            return std::nullopt;
        }
        std::variant<JsonValue, JsonError> parsed = parseJson(std::get<std::string>(read));
        if (const auto* failure = std::get_if<JsonError>(&parsed)) {
            error_ = RepertoryImportError{name + ", " + failure->message};
            return std::nullopt;
        }
        return std::get<JsonValue>(std::move(parsed));
    }

    std::optional<RepertoryImportError> chapter(const std::string& chapterKey, const std::string& where,
                                                const std::string& fileName) {
        std::string converted;
        if (auto problem = convertAt(chapterKey, where, converted))
            return problem;
        const std::string chapterName = tidiedText(converted, report_);
        const std::string foldedChapter = toLowerWindows1252(chapterName);
        if (chapterName.empty())
            return failAt(where, "leerer Kapitelname");
        if (!seenChapters_.insert(foldedChapter).second)
            return failAt(where, "Kapitel doppelt");
        if (fileName.find('/') != std::string::npos)
            return failAt(where, "Dateiname " + quotedText(fileName) + " mit Verzeichnis");
        std::optional<JsonValue> document = readDocument(fileName);
        if (!document)
            return error_;
        if (document->kind != JsonValue::Kind::Object)
            return RepertoryImportError{fileName + ": ein Objekt mit Pfad und Mittelliste erwartet"};

        std::vector<SectionGroup> sections;
        std::unordered_map<std::string, std::size_t> sectionOfName;
        for (const auto& [key, list] : document->members) {
            const std::string at = fileName + ", Schlüssel " + quotedText(key);
            std::string path;
            if (auto problem = convertAt(key, at, path))
                return problem;
            const TidiedParts tidied = tidiedParts(path);
            countTidying(tidied, report_);
            const std::vector<std::string>& parts = tidied.parts;
            if (parts.empty() || toLowerWindows1252(parts[0]) != foldedChapter)
                return failAt(at, "der Pfad beginnt nicht mit dem Kapitel " + quotedText(chapterKey));
            PathRubric rubric;
            rubric.key = &key;
            rubric.list = &list;
            for (std::size_t i = 1; i < parts.size(); ++i)
                rubric.folded.push_back(toLowerWindows1252(parts[i]));
            rubric.text = firstLetterUpper(joinedParts(parts, parts.size() == 1 ? 0 : 1));
            const std::string sectionName =
                parts.size() == 1 ? std::string("GENERAL") : toUpperWindows1252(parts[1]);
            auto [found, added] = sectionOfName.emplace(sectionName, sections.size());
            if (added)
                sections.push_back({sectionName, {}});
            sections[found->second].rubrics.push_back(std::move(rubric));
        }
        if (sections.empty())
            return RepertoryImportError{fileName + ": das Kapitel hat keine Rubrik"};

        builder_.chapter(toUpperWindows1252(chapterName));
        for (SectionGroup& section : sections) {
            // By path, parent before children, without regard to case; equal paths side by side.
            std::stable_sort(section.rubrics.begin(), section.rubrics.end(),
                             [](const PathRubric& a, const PathRubric& b) { return a.folded < b.folded; });
            builder_.section(section.name);
            // Lower-case path after the chapter -> rubric, for the parents of the paths that follow.
            std::unordered_map<std::string, int> rubricOfPath;
            const auto knownPath = [&rubricOfPath](std::string_view path) -> std::optional<int> {
                const auto found = rubricOfPath.find(std::string(path));
                return found == rubricOfPath.end() ? std::nullopt : std::optional<int>(found->second);
            };
            const PathRubric* previous = nullptr;
            for (const PathRubric& rubric : section.rubrics) {
                const std::string at = fileName + ", Schlüssel " + quotedText(*rubric.key);
                if (previous != nullptr && previous->folded == rubric.folded) {
                    ++report_.mergedPaths;
                    report_.notes.push_back(at + ": gleicher Pfad wie " + quotedText(*previous->key) +
                                            ", mit ihm eine Rubrik");
                    builder_.continueRubric(builder_.rubricCount() - 1);
                } else {
                    const int index = builder_.rubric(rubric.text);
                    std::string path = joinedParts(rubric.folded);
                    if (const std::optional<int> parent = rubricExtendedBy(path, knownPath))
                        builder_.parent(index, *parent);
                    rubricOfPath.emplace(std::move(path), index);
                    previous = &rubric;
                }
                if (auto problem = rubricEntries(at, *rubric.list))
                    return problem;
            }
        }
        return std::nullopt;
    }

    std::optional<RepertoryImportError> rubricEntries(const std::string& at, const JsonValue& remedyList) {
        if (remedyList.kind != JsonValue::Kind::String)
            return failAt(at, "die Mittelliste ist kein Text");
        std::string list;
        if (auto problem = convertAt(remedyList.text, at + ", Mittelliste", list))
            return problem;
        int entries = 0;
        for (const std::string_view item : splitAtCommas(list)) {
            if (item.empty()) {
                ++report_.droppedEmptyItems;
                continue;
            }
            std::variant<ListedRemedy, std::string> listed = listedRemedy(item);
            if (const auto* problem = std::get_if<std::string>(&listed))
                return failAt(at, *problem);
            const auto [abbreviation, bracketGrade] = std::get<ListedRemedy>(listed);
            report_.bracketGrades += bracketGrade != 0;
            const int grade = bracketGrade != 0 ? bracketGrade : gradeOfLetterCase(abbreviation);
            if (grade == 0)
                return failAt(at, "unbekannte Wertigkeit der Schreibweise " +
                                      quotedText(windows1252ToUtf8(item)) + " (ACON 3, Acon 2, acon 1)");
            if (ImportProblem problem = builder_.entry(abbreviation, grade))
                return failAt(at, *problem);
            ++entries;
        }
        if (entries == 0)
            return failAt(at, "leere Mittelliste");
        return std::nullopt;
    }

    std::string folder_;
    ImportReport report_;
    TableBuilder builder_{report_};
    std::unordered_set<std::string> seenChapters_; // lower case
    std::optional<RepertoryImportError> error_;
};

// ---- tsv ----

constexpr const char* kTsvFields[] = {"Kapitel", "Abschnitt",  "Rubriktext",
                                      "Mittel",  "Wertigkeit", "voller Name"};

struct RubricSeen {
    int rubric = 0;
    int line = 0;
};

class TsvImport {
public:
    TsvImport(std::string_view text, std::string_view fileName, const std::string& polarityFile)
        : text_(text), fileName_(fileName) {
        builder_.counterPolarityTable(polarityFile);
    }

    RepertoryImportResult run() {
        TextLines lines(text_);
        for (std::string_view line; lines.next(line);) {
            if (line.empty())
                continue;
            if (ImportProblem problem = entryLine(line, lines.number()))
                return failAt(placeOf(lines.number()), *problem);
        }
        return builder_.finish(fileName_);
    }

private:
    std::string placeOf(int lineNumber) const { return fileName_ + ", Zeile " + std::to_string(lineNumber); }

    ImportProblem entryLine(std::string_view line, int lineNumber) {
        // A sixth field, the remedy's full name, may follow.
        std::string_view fields[6];
        std::size_t count = 0;
        while (true) {
            const std::size_t tab = line.find('\t');
            if (count < 6)
                fields[count] = trimmed(line.substr(0, tab));
            ++count;
            if (tab == std::string_view::npos)
                break;
            line.remove_prefix(tab + 1);
        }
        if (count != 5 && count != 6)
            return "5 oder 6 Felder mit Tabulator getrennt erwartet, " + std::to_string(count) + " gefunden";
        for (std::size_t i = 0; i < 5; ++i) {
            if (fields[i].empty())
                return std::string("das Feld ") + kTsvFields[i] + " ist leer";
        }
        const std::string_view grade = fields[4];
        if (grade.size() != 1 || grade[0] < '1' || grade[0] > '5')
            return "unbekannte Wertigkeit " + quotedText(grade) + " (erlaubt 1 bis 5)";

        if (fields[0] != chapterWritten_) {
            std::string name;
            if (ImportProblem problem = tidiedField(fields[0], 0, name))
                return problem;
            if (name != chapter_) {
                if (const std::optional<int> seen = lineSeenBefore(chapters_, name, lineNumber))
                    return "Kapitel " + quotedText(fields[0]) + " stand schon in Zeile " +
                           std::to_string(*seen) + " (die Zeilen eines Kapitels stehen beisammen)";
                builder_.chapter(name);
                chapter_ = std::move(name);
                sections_.clear();
                section_.clear();
                sectionWritten_ = {};
            }
            chapterWritten_ = fields[0];
        }
        if (fields[1] != sectionWritten_) {
            std::string name;
            if (ImportProblem problem = tidiedField(fields[1], 1, name))
                return problem;
            if (name != section_) {
                if (const std::optional<int> seen = lineSeenBefore(sections_, name, lineNumber))
                    return "Abschnitt " + quotedText(fields[1]) + " stand schon in Zeile " +
                           std::to_string(*seen) + " (die Zeilen eines Abschnitts stehen beisammen)";
                builder_.section(name);
                section_ = std::move(name);
                rubrics_.clear();
                rubricWritten_ = {};
            }
            sectionWritten_ = fields[1];
        }
        if (fields[2] != rubricWritten_) {
            std::string text;
            if (ImportProblem problem = tidiedField(fields[2], 2, text))
                return problem;
            // A path met before in this section, letter case aside, adds to that rubric.
            const auto [seen, isNew] =
                rubrics_.try_emplace(toLowerWindows1252(text), RubricSeen{0, lineNumber});
            if (isNew) {
                seen->second.rubric = builder_.rubric(std::move(text));
                // A parent written after its child cannot be one: parents come first in the file.
                const auto earlierRubric = [this](std::string_view path) -> std::optional<int> {
                    const auto found = rubrics_.find(std::string(path));
                    return found == rubrics_.end() ? std::nullopt : std::optional<int>(found->second.rubric);
                };
                if (const std::optional<int> parent = rubricExtendedBy(seen->first, earlierRubric))
                    builder_.parent(seen->second.rubric, *parent);
            } else {
                ++report_.mergedPaths;
                report_.notes.push_back(placeOf(lineNumber) + ": Rubrik " + quotedText(fields[2]) +
                                        " wie in Zeile " + std::to_string(seen->second.line) +
                                        ", mit ihr eine Rubrik");
                builder_.continueRubric(seen->second.rubric);
            }
            rubricWritten_ = fields[2];
        }
        std::string abbreviation;
        if (ImportProblem problem = field(fields[3], 3, abbreviation))
            return problem;
        std::variant<ListedRemedy, std::string> listed = listedRemedy(abbreviation);
        if (auto* problem = std::get_if<std::string>(&listed))
            return std::move(*problem);
        const auto [name, bracketGrade] = std::get<ListedRemedy>(listed);
        if (bracketGrade != 0) {
            ++report_.bracketGrades;
            if (bracketGrade != grade[0] - '0')
                return "Wertigkeit " + std::to_string(bracketGrade) + " im Kürzel " +
                       quotedText(windows1252ToUtf8(abbreviation)) + " widerspricht dem Feld Wertigkeit " +
                       std::string(grade);
        }
        std::variant<int, std::string> remedy = builder_.remedy(name);
        if (auto* problem = std::get_if<std::string>(&remedy))
            return std::move(*problem);
        builder_.entry(std::get<int>(remedy), grade[0] - '0');
        if (!fields[5].empty()) {
            std::string fullName;
            if (ImportProblem problem = field(fields[5], 5, fullName))
                return problem;
            builder_.fullName(std::get<int>(remedy), std::move(fullName));
        }
        return std::nullopt;
    }

    // The line where a chapter or section stood before; a new one is noted with its line.
    static std::optional<int> lineSeenBefore(std::unordered_map<std::string, int>& lines,
                                             const std::string& name, int lineNumber) {
        const auto [at, isNew] = lines.try_emplace(name, lineNumber);
        return isNew ? std::nullopt : std::optional<int>(at->second);
    }

    ImportProblem field(std::string_view utf8, std::size_t which, std::string& out) {
        if (std::optional<TextProblem> problem = convertToWindows1252(utf8, out))
            return std::string("Feld ") + kTsvFields[which] + ", Zeichen " +
                   std::to_string(problem->position) + ": " + problem->message;
        return std::nullopt;
    }

    ImportProblem tidiedField(std::string_view utf8, std::size_t which, std::string& out) {
        std::string converted;
        if (ImportProblem problem = field(utf8, which, converted))
            return problem;
        out = tidiedText(converted, report_);
        if (out.empty())
            return std::string("das Feld ") + kTsvFields[which] + " hat nur leere Teile";
        return std::nullopt;
    }

    std::string_view text_;
    std::string fileName_;
    ImportReport report_;
    TableBuilder builder_{report_};
    // As written in the previous line, so that the lines of one group are tidied once.
    std::string_view chapterWritten_;
    std::string_view sectionWritten_;
    std::string_view rubricWritten_;
    // Tidied, Windows-1252.
    std::string chapter_;
    std::string section_;
    // Names met so far with their first line: a name that comes back later would split its group.
    std::unordered_map<std::string, int> chapters_;
    std::unordered_map<std::string, int> sections_;
    // The rubrics of the current section by their path in lower case.
    std::unordered_map<std::string, RubricSeen> rubrics_;
};

} // namespace

RepertoryImportResult importJsonRepertory(const std::string& folder, const std::string& polarityFile) {
    return JsonImport(folder, polarityFile).run();
}

RepertoryImportResult importTsvRepertory(std::string_view text, std::string_view fileName,
                                         const std::string& polarityFile) {
    return TsvImport(text, fileName, polarityFile).run();
}

RepertoryImportResult importTsvFile(const std::string& path, const std::string& polarityFile) {
    FileReadResult read = readRegularFile(path, kMaxImportSourceBytes);
    if (const auto* failure = std::get_if<FileReadError>(&read))
        return RepertoryImportError{utf8Of(failure->message)};
    return importTsvRepertory(std::get<std::string>(read), path, polarityFile);
}

} // namespace telvarin
