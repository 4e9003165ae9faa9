#include "repertory/RepertoryImport.h"

#include "foundation/files/FileKind.h"
#include "foundation/text/CodePage.h"
#include "repertory/ImportText.h"
#include "repertory/JsonReader.h"
#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertoryTables.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace telvarin {
namespace {

using Problem = std::optional<std::string>;

constexpr std::size_t kMaxRemedies = kRemedyIndexMask + 1;
// Exchange files of a whole repertory stay far below this; a bigger one is no repertory.
constexpr std::uint64_t kMaxSourceBytes = std::uint64_t{1} << 30;

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

RepertoryImportError failAt(const std::string& where, const std::string& what) {
    return RepertoryImportError{where + ": " + what};
}

// Converts a UTF-8 text for the data file; a problem names the place and the character.
std::optional<RepertoryImportError> convert(std::string_view utf8, const std::string& where,
                                            std::string& out) {
    if (std::optional<TextProblem> problem = convertToWindows1252(utf8, out))
        return failAt(where + ", Zeichen " + std::to_string(problem->position), problem->message);
    return std::nullopt;
}

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

// Builds the tables chapter by chapter, section by section, rubric by rubric. Texts arrive in
// Windows-1252; a text longer than its field is cut at a word and counted.
class TableBuilder {
public:
    void chapter(std::string name) {
        ChapterRecord record{};
        store(record.name, kChapterNameSize, std::move(name));
        record.sectionEnd = static_cast<std::int32_t>(tables_.sections.size());
        tables_.chapters.push_back(record);
    }

    void section(std::string name) {
        SectionRecord record{};
        store(record.name, kSectionNameSize, std::move(name));
        record.rubricEnd = static_cast<std::int32_t>(tables_.rubrics.size());
        tables_.sections.push_back(record);
        tables_.chapters.back().sectionEnd = static_cast<std::int32_t>(tables_.sections.size());
    }

    void rubric(std::string text) {
        RubricRecord record{};
        store(record.text, kRubricTextSize, std::move(text));
        record.firstEntry = static_cast<std::int32_t>(tables_.entries.size());
        tables_.rubrics.push_back(record);
        tables_.sections.back().rubricEnd = static_cast<std::int32_t>(tables_.rubrics.size());
    }

    // Abbreviations that differ only in letter case or a final "." name one remedy, stored in
    // lower case with the ".".
    Problem entry(std::string_view abbreviation, int grade) {
        auto known = remedies_.find(abbreviation);
        if (known == remedies_.end()) {
            std::string name = toLowerWindows1252(abbreviation);
            if (name.ends_with('.'))
                name.pop_back();
            if (name.empty())
                return std::string("leeres Mittelk\xC3\xBCrzel");
            auto byName = names_.find(name);
            if (byName == names_.end()) {
                if (tables_.abbreviations.size() >= kMaxRemedies)
                    return "Mittel " + quotedText(windows1252ToUtf8(abbreviation)) + " w\xC3\xA4re das " +
                           std::to_string(kMaxRemedies + 1) + ". Mittel (h\xC3\xB6" + "chstens " +
                           std::to_string(kMaxRemedies) + ")";
                byName = names_.emplace(name, static_cast<int>(tables_.abbreviations.size())).first;
                tables_.abbreviations.push_back(name + ".");
            }
            known = remedies_.emplace(std::string(abbreviation), byName->second).first;
        }
        tables_.entries.push_back(static_cast<RemedyEntry>(known->second) | gradeMark(grade));
        RubricRecord& rubric = tables_.rubrics.back();
        rubric.entryCount = static_cast<std::int32_t>(tables_.entries.size()) - rubric.firstEntry;
        return std::nullopt;
    }

    bool rubricHasEntries() const {
        return !tables_.rubrics.empty() && tables_.rubrics.back().entryCount > 0;
    }

    RepertoryImportResult finish(const std::string& source) {
        if (tables_.rubrics.empty())
            return RepertoryImportError{source + ": keine Rubrik gefunden"};
        ImportedRepertory imported{dataFileBytes(tables_), cutTexts_};
        // The same check as at start-up: what the import hands back, the program can use.
        const RepertoryLoadResult check = RepertoryDatabase::fromBytes(imported.bytes);
        if (const auto* error = std::get_if<RepertoryLoadError>(&check))
            return RepertoryImportError{source + ": " + windows1252ToUtf8(error->message)};
        return imported;
    }

private:
    void store(char* field, std::size_t size, std::string text) {
        if (cutAtWord(text, size - 1))
            ++cutTexts_;
        std::memcpy(field, text.data(), text.size());
    }

    RepertoryTables tables_;
    // Abbreviation as written -> remedy index, so that a repeated spelling costs one lookup.
    std::unordered_map<std::string, int, TextHash, std::equal_to<>> remedies_;
    std::unordered_map<std::string, int> names_; // lower case without the final "."
    int cutTexts_ = 0;
};

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
    explicit JsonImport(std::string folder) : folder_(std::move(folder)) {}

    RepertoryImportResult run() {
        std::optional<JsonValue> index = readDocument("index.json");
        if (!index)
            return *error_;
        if (index->kind != JsonValue::Kind::Object || index->members.empty())
            return RepertoryImportError{"index.json: ein Objekt mit den Kapiteln erwartet"};
        for (const auto& [chapterKey, description] : index->members) {
            const std::string where = "index.json, Schl\xC3\xBCssel " + quotedText(chapterKey);
            const JsonValue* file = description.member("file");
            if (description.kind != JsonValue::Kind::Object || file == nullptr ||
                file->kind != JsonValue::Kind::String || file->text.empty())
                return failAt(where, "{\"file\": NAME} erwartet");
            if (!seenChapters_.insert(chapterKey).second)
                return failAt(where, "Kapitel doppelt");
            if (std::optional<RepertoryImportError> problem = chapter(chapterKey, where, file->text))
                return *problem;
        }
        return builder_.finish(folder_);
    }

private:
    std::optional<JsonValue> readDocument(const std::string& name) {
        const std::string path = folder_ + "/" + name;
        FileReadResult read = readRegularFile(path, kMaxSourceBytes);
        if (const auto* failure = std::get_if<FileReadError>(&read)) {
            error_ = RepertoryImportError{windows1252ToUtf8(failure->message)};
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
        std::string chapterName;
        if (auto problem = convert(chapterKey, where, chapterName))
            return problem;
        if (fileName.find('/') != std::string::npos)
            return failAt(where, "Dateiname " + quotedText(fileName) + " mit Verzeichnis");
        std::optional<JsonValue> document = readDocument(fileName);
        if (!document)
            return error_;
        if (document->kind != JsonValue::Kind::Object)
            return RepertoryImportError{fileName + ": ein Objekt mit Pfad und Mittelliste erwartet"};

        std::vector<SectionGroup> sections;
        std::unordered_map<std::string, std::size_t> sectionOfName;
        const std::string foldedChapter = toLowerWindows1252(chapterName);
        for (const auto& [key, list] : document->members) {
            const std::string at = fileName + ", Schl\xC3\xBCssel " + quotedText(key);
            std::string path;
            if (auto problem = convert(key, at, path))
                return problem;
            const std::vector<std::string_view> parts = splitAtCommas(path);
            if (std::any_of(parts.begin(), parts.end(), [](std::string_view p) { return p.empty(); }))
                return failAt(at, "leerer Teil im Pfad");
            if (toLowerWindows1252(parts[0]) != foldedChapter)
                return failAt(at, "der Pfad beginnt nicht mit dem Kapitel " + quotedText(chapterKey));
            PathRubric rubric;
            rubric.key = &key;
            rubric.list = &list;
            std::string text(parts[0]);
            for (std::size_t i = 1; i < parts.size(); ++i) {
                rubric.folded.push_back(toLowerWindows1252(parts[i]));
                text = i == 1 ? std::string(parts[i]) : text + ", " + std::string(parts[i]);
            }
            rubric.text = firstLetterUpper(std::move(text));
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
            // By path, parent before children, without regard to case.
            std::stable_sort(section.rubrics.begin(), section.rubrics.end(),
                             [](const PathRubric& a, const PathRubric& b) { return a.folded < b.folded; });
            for (std::size_t i = 1; i < section.rubrics.size(); ++i) {
                if (section.rubrics[i].folded == section.rubrics[i - 1].folded)
                    return failAt(fileName + ", Schl\xC3\xBCssel " + quotedText(*section.rubrics[i].key),
                                  "doppelter Pfad (wie " + quotedText(*section.rubrics[i - 1].key) + ")");
            }
            builder_.section(section.name);
            for (const PathRubric& rubric : section.rubrics) {
                if (auto problem = rubricEntries(fileName, rubric))
                    return problem;
            }
        }
        return std::nullopt;
    }

    std::optional<RepertoryImportError> rubricEntries(const std::string& fileName, const PathRubric& rubric) {
        const std::string at = fileName + ", Schl\xC3\xBCssel " + quotedText(*rubric.key);
        if (rubric.list->kind != JsonValue::Kind::String)
            return failAt(at, "die Mittelliste ist kein Text");
        std::string list;
        if (auto problem = convert(rubric.list->text, at + ", Mittelliste", list))
            return problem;
        builder_.rubric(rubric.text);
        if (trimmed(list).empty())
            return failAt(at, "leere Mittelliste");
        for (const std::string_view item : splitAtCommas(list)) {
            const int grade = gradeOfLetterCase(item);
            if (grade == 0)
                return failAt(at, "unbekannte Wertigkeit der Schreibweise " +
                                      quotedText(windows1252ToUtf8(item)) + " (ACON 3, Acon 2, acon 1)");
            if (Problem problem = builder_.entry(item, grade))
                return failAt(at, *problem);
        }
        return std::nullopt;
    }

    std::string folder_;
    TableBuilder builder_;
    std::unordered_set<std::string> seenChapters_;
    std::optional<RepertoryImportError> error_;
};

// ---- tsv ----

constexpr const char* kTsvFields[] = {"Kapitel", "Abschnitt", "Rubriktext", "Mittel", "Wertigkeit"};

class TsvImport {
public:
    TsvImport(std::string_view text, std::string_view fileName) : text_(text), fileName_(fileName) {}

    RepertoryImportResult run() {
        TextLines lines(text_);
        for (std::string_view line; lines.next(line);) {
            if (line.empty())
                continue;
            if (std::optional<std::string> problem = entryLine(line, lines.number()))
                return failAt(fileName_ + ", Zeile " + std::to_string(lines.number()), *problem);
        }
        return builder_.finish(fileName_);
    }

private:
    Problem entryLine(std::string_view line, int lineNumber) {
        std::string_view fields[5];
        std::size_t count = 0;
        while (true) {
            const std::size_t tab = line.find('\t');
            if (count < 5)
                fields[count] = trimmed(line.substr(0, tab));
            ++count;
            if (tab == std::string_view::npos)
                break;
            line.remove_prefix(tab + 1);
        }
        if (count != 5)
            return "5 Felder mit Tabulator getrennt erwartet, " + std::to_string(count) + " gefunden";
        for (std::size_t i = 0; i < 5; ++i) {
            if (fields[i].empty())
                return std::string("das Feld ") + kTsvFields[i] + " ist leer";
        }
        const std::string_view grade = fields[4];
        if (grade.size() != 1 || grade[0] < '1' || grade[0] > '5')
            return "unbekannte Wertigkeit " + quotedText(grade) + " (erlaubt 1 bis 5)";

        if (fields[0] != chapter_) {
            if (const std::optional<int> seen = lineSeenBefore(chapters_, fields[0], lineNumber))
                return "Kapitel " + quotedText(fields[0]) + " stand schon in Zeile " + std::to_string(*seen) +
                       " (die Zeilen eines Kapitels stehen beisammen)";
            std::string name;
            if (Problem problem = field(fields[0], 0, name))
                return problem;
            builder_.chapter(std::move(name));
            chapter_ = fields[0];
            sections_.clear();
            section_ = {};
        }
        if (fields[1] != section_) {
            if (const std::optional<int> seen = lineSeenBefore(sections_, fields[1], lineNumber))
                return "Abschnitt " + quotedText(fields[1]) + " stand schon in Zeile " +
                       std::to_string(*seen) + " (die Zeilen eines Abschnitts stehen beisammen)";
            std::string name;
            if (Problem problem = field(fields[1], 1, name))
                return problem;
            builder_.section(std::move(name));
            section_ = fields[1];
            rubrics_.clear();
            rubric_ = {};
        }
        if (fields[2] != rubric_) {
            if (const std::optional<int> seen = lineSeenBefore(rubrics_, fields[2], lineNumber))
                return "doppelter Pfad: Rubrik " + quotedText(fields[2]) + " stand schon in Zeile " +
                       std::to_string(*seen);
            std::string text;
            if (Problem problem = field(fields[2], 2, text))
                return problem;
            builder_.rubric(std::move(text));
            rubric_ = fields[2];
        }
        std::string abbreviation;
        if (Problem problem = field(fields[3], 3, abbreviation))
            return problem;
        return builder_.entry(abbreviation, grade[0] - '0');
    }

    // The line where a chapter, section or rubric stood before; a new one is noted with its line.
    static std::optional<int> lineSeenBefore(std::unordered_map<std::string, int>& lines,
                                             std::string_view name, int lineNumber) {
        const auto [at, isNew] = lines.try_emplace(std::string(name), lineNumber);
        return isNew ? std::nullopt : std::optional<int>(at->second);
    }

    Problem field(std::string_view utf8, std::size_t which, std::string& out) {
        if (std::optional<TextProblem> problem = convertToWindows1252(utf8, out))
            return std::string("Feld ") + kTsvFields[which] + ", Zeichen " +
                   std::to_string(problem->position) + ": " + problem->message;
        return std::nullopt;
    }

    std::string_view text_;
    std::string fileName_;
    TableBuilder builder_;
    std::string_view chapter_;
    std::string_view section_;
    std::string_view rubric_;
    // Names met so far with their first line: a name that comes back later would split its group.
    std::unordered_map<std::string, int> chapters_;
    std::unordered_map<std::string, int> sections_;
    std::unordered_map<std::string, int> rubrics_;
};

} // namespace

RepertoryImportResult importJsonRepertory(const std::string& folder) {
    return JsonImport(folder).run();
}

RepertoryImportResult importTsvRepertory(std::string_view text, std::string_view fileName) {
    return TsvImport(text, fileName).run();
}

RepertoryImportResult importTsvFile(const std::string& path) {
    FileReadResult read = readRegularFile(path, kMaxSourceBytes);
    if (const auto* failure = std::get_if<FileReadError>(&read))
        return RepertoryImportError{windows1252ToUtf8(failure->message)};
    return importTsvRepertory(std::get<std::string>(read), path);
}

} // namespace telvarin
