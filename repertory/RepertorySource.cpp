#include "repertory/RepertorySource.h"

#include "foundation/text/Trimmed.h"
#include "repertory/ImportText.h"
#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryDataFile.h"
#include "repertory/RepertoryTables.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <unordered_map>

namespace telvarin {
namespace {

// The remedy index has eleven bits in an entry word.
constexpr std::size_t kMaxRemedies = kRemedyIndexMask + 1;
constexpr int kMaxBdValue = 4;

using Problem = std::optional<std::string>;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Splits off the first blank-separated word; the rest keeps no leading blanks.
std::string_view takeWord(std::string_view& text) {
    std::size_t end = 0;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    const std::string_view word = text.substr(0, end);
    text = trimmed(text.substr(end));
    return word;
}

std::optional<std::int64_t> parseNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A character the code page lacks, a control character or broken UTF-8 is an error of the source.
Problem convertText(std::string_view utf8, std::string& out) {
    if (std::optional<TextProblem> problem = convertToWindows1252(utf8, out))
        return problem->message;
    return std::nullopt;
}

Problem checkWidth(const std::string& text, std::size_t fieldSize, std::string_view what) {
    if (text.size() >= fieldSize)
        return std::string(what) + " zu lang (" + std::to_string(text.size()) + " Bytes, hö" + "chstens " +
               std::to_string(fieldSize - 1) + ")";
    return std::nullopt;
}

struct DeclaredRemedy {
    int index = 0;
    int line = 0;
};

struct PendingCounter {
    std::size_t rubric = 0;
    std::int64_t number = 0;
    int line = 0;
};

// Reads the source statement by statement and keeps the tables in their file layout.
class SourceCompiler {
public:
    explicit SourceCompiler(std::string_view source) : source_(source) {}

    RepertoryCompileResult run() {
        TextLines lines(source_);
        for (std::string_view untrimmed; lines.next(untrimmed);) {
            const std::string_view line = trimmed(untrimmed);
            if (line.empty() || line.front() == '#')
                continue;
            if (Problem problem = statement(line, lines.number()))
                return errorAt(lines.number(), *problem);
        }
        if (Problem problem = resolveCounters())
            return errorAt(failedLine_, *problem);
        if (Problem problem = checkComplete())
            return RepertorySourceError{0, *problem};
        return bytes();
    }

private:
    static RepertorySourceError errorAt(int line, const std::string& problem) {
        return {line, "Zeile " + std::to_string(line) + ": " + problem};
    }

    Problem statement(std::string_view line, int lineNumber) {
        std::string_view rest = line;
        const std::string_view keyword = takeWord(rest);
        if (keyword == "REMEDY")
            return remedy(rest, lineNumber);
        if (keyword == "CHAPTER")
            return chapter(rest);
        if (keyword == "SECTION")
            return section(rest);
        if (keyword == "RUBRIC")
            return rubric(rest, lineNumber);
        return "unbekannte Anweisung " + quotedText(keyword);
    }

    Problem remedy(std::string_view abbreviation, int lineNumber) {
        if (abbreviation.empty())
            return std::string("Abkürzung des Mittels fehlt");
        if (abbreviation.find_first_of(" \t|:") != std::string_view::npos)
            return "ungültige Abkürzung " + quotedText(abbreviation) + " (ohne Leerzeichen, \"|\" und \":\")";
        if (const auto known = remedies_.find(abbreviation); known != remedies_.end())
            return "Mittel " + quotedText(abbreviation) + " ist schon in Zeile " +
                   std::to_string(known->second.line) + " erklärt";
        if (abbreviations_.size() >= kMaxRemedies)
            return "zu viele Mittel (hö" + std::string("chstens ") + std::to_string(kMaxRemedies) + ")";
        std::string converted;
        if (Problem problem = convertText(abbreviation, converted))
            return problem;
        if (Problem problem = checkWidth(converted, kMaxAbbreviationBytes + 1, "Abkürzung"))
            return problem;
        remedies_.emplace(abbreviation, DeclaredRemedy{static_cast<int>(abbreviations_.size()), lineNumber});
        abbreviations_.push_back(std::move(converted));
        return std::nullopt;
    }

    Problem chapter(std::string_view name) {
        if (name.empty())
            return std::string("Kapitelname fehlt");
        std::string converted;
        if (Problem problem = convertText(name, converted))
            return problem;
        if (Problem problem = checkWidth(converted, kChapterNameSize, "Kapitelname"))
            return problem;
        ChapterRecord record{};
        std::memcpy(record.name, converted.data(), converted.size());
        record.sectionEnd = static_cast<std::int32_t>(sections_.size());
        chapters_.push_back(record);
        chapterHasSection_ = false;
        return std::nullopt;
    }

    Problem section(std::string_view name) {
        if (chapters_.empty())
            return std::string("Abschnitt vor dem ersten Kapitel");
        if (name.empty())
            return std::string("Abschnittsname fehlt");
        std::string converted;
        if (Problem problem = convertText(name, converted))
            return problem;
        if (Problem problem = checkWidth(converted, kSectionNameSize, "Abschnittsname"))
            return problem;
        SectionRecord record{};
        std::memcpy(record.name, converted.data(), converted.size());
        record.rubricEnd = static_cast<std::int32_t>(rubrics_.size());
        sections_.push_back(record);
        chapters_.back().sectionEnd = static_cast<std::int32_t>(sections_.size());
        chapterHasSection_ = true;
        return std::nullopt;
    }

    Problem rubric(std::string_view rest, int lineNumber) {
        if (!chapterHasSection_)
            return std::string("Rubrik vor dem ersten Abschnitt des Kapitels");
        const std::size_t firstBar = rest.find('|');
        if (firstBar == std::string_view::npos)
            return std::string("Rubrik ohne \"|\" vor der Mittelliste");
        const std::string_view text = trimmed(rest.substr(0, firstBar));
        std::string_view entries = rest.substr(firstBar + 1);
        std::string_view counter;
        if (const std::size_t secondBar = entries.find('|'); secondBar != std::string_view::npos) {
            counter = trimmed(entries.substr(secondBar + 1));
            entries = entries.substr(0, secondBar);
        }
        if (text.empty())
            return std::string("Rubriktext fehlt");
        RubricRecord record{};
        std::string converted;
        if (Problem problem = convertText(text, converted))
            return problem;
        if (Problem problem = checkWidth(converted, kRubricTextSize, "Rubriktext"))
            return problem;
        std::memcpy(record.text, converted.data(), converted.size());
        record.firstEntry = static_cast<std::int32_t>(entries_.size());
        if (Problem problem = remedyEntries(trimmed(entries)))
            return problem;
        record.entryCount = static_cast<std::int32_t>(entries_.size()) - record.firstEntry;
        if (!counter.empty()) {
            if (Problem problem = counterPolarity(counter, lineNumber, record))
                return problem;
        }
        rubrics_.push_back(record);
        sections_.back().rubricEnd = static_cast<std::int32_t>(rubrics_.size());
        return std::nullopt;
    }

    Problem remedyEntries(std::string_view list) {
        if (list.empty())
            return std::string("Rubrik ohne Mittel");
        while (!list.empty()) {
            const std::string_view item = takeWord(list);
            const std::size_t colon = item.find(':');
            const std::string_view abbreviation = item.substr(0, colon);
            if (abbreviation.empty())
                return "Eintrag " + quotedText(item) + " ohne Mittel";
            const auto found = remedies_.find(abbreviation);
            if (found == remedies_.end())
                return "unbekanntes Mittel " + quotedText(abbreviation);
            RemedyEntry entry = static_cast<RemedyEntry>(found->second.index);
            if (colon != std::string_view::npos) {
                const std::string_view marks = item.substr(colon + 1);
                if (marks.empty())
                    return "Eintrag " + quotedText(item) + " ohne Markierung nach \":\"";
                for (char mark : marks) {
                    const RemedyEntry bit = markBit(mark);
                    if (bit == 0)
                        return "ungültige Markierung " + quotedText(std::string_view(&mark, 1)) + " in " +
                               quotedText(item) + " (erlaubt: 2 3 4 5 B)";
                    entry |= bit;
                }
            }
            if (entries_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
                return std::string("zu viele Einträge");
            entries_.push_back(entry);
        }
        return std::nullopt;
    }

    static RemedyEntry markBit(char mark) {
        switch (mark) {
        case '2':
            return kGrade2Mark;
        case '3':
            return kGrade3Mark;
        case '4':
            return kGrade4Mark;
        case '5':
            return kGrade5Mark;
        case 'B':
            return kBdMark;
        default:
            return 0;
        }
    }

    Problem counterPolarity(std::string_view text, int lineNumber, RubricRecord& record) {
        const std::string usage = "ungültige Gegenpolarität " + quotedText(text) +
                                  " (erwartet COUNTER Nummer oder COUNTER Nummer BD Wert)";
        std::string_view rest = text;
        if (takeWord(rest) != "COUNTER")
            return usage;
        const std::optional<std::int64_t> number = parseNumber(takeWord(rest));
        if (!number)
            return usage;
        if (!rest.empty()) {
            if (takeWord(rest) != "BD")
                return usage;
            const std::optional<std::int64_t> bd = parseNumber(takeWord(rest));
            if (!bd || !rest.empty())
                return usage;
            if (*bd > kMaxBdValue)
                return "BD-Wert " + std::to_string(*bd) + " auß" + "erhalb 0..4";
            record.counterPolarityBd = static_cast<std::int32_t>(*bd);
        }
        counters_.push_back({rubrics_.size(), *number, lineNumber});
        return std::nullopt;
    }

    // Counter-polarity numbers may point forward, so they are checked once all rubrics are known.
    Problem resolveCounters() {
        for (const PendingCounter& counter : counters_) {
            if (counter.number < 1 || counter.number > static_cast<std::int64_t>(rubrics_.size())) {
                failedLine_ = counter.line;
                return "Gegenpolarität " + std::to_string(counter.number) + " auß" + "erhalb 1.." +
                       std::to_string(rubrics_.size());
            }
            rubrics_[counter.rubric].counterPolarity = static_cast<std::int32_t>(counter.number);
        }
        return std::nullopt;
    }

    Problem checkComplete() const {
        if (chapters_.empty())
            return std::string("Die Quelle enthält kein Kapitel");
        if (sections_.empty())
            return std::string("Die Quelle enthält keinen Abschnitt");
        if (rubrics_.empty())
            return std::string("Die Quelle enthält keine Rubrik");
        if (abbreviations_.empty())
            return std::string("Die Quelle enthält kein Mittel");
        return std::nullopt;
    }

    std::vector<std::byte> bytes() const {
        return dataFileBytes(
            RepertoryTables{chapters_, sections_, rubrics_, entries_, abbreviations_, {}, {}});
    }

    std::string_view source_;
    std::vector<ChapterRecord> chapters_;
    std::vector<SectionRecord> sections_;
    std::vector<RubricRecord> rubrics_;
    std::vector<RemedyEntry> entries_;
    std::vector<std::string> abbreviations_;
    // Keys are views into the source, which outlives the compiler.
    std::unordered_map<std::string_view, DeclaredRemedy> remedies_;
    std::vector<PendingCounter> counters_;
    // A rubric after a new CHAPTER line belongs to no section until SECTION comes.
    bool chapterHasSection_ = false;
    int failedLine_ = 0;
};

} // namespace

RepertoryCompileResult compileRepertorySource(std::string_view sourceText) {
    return SourceCompiler(sourceText).run();
}

} // namespace telvarin
