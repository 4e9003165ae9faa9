#pragma once

// What the exchange formats share on their way into a data file: the tables built chapter by
// chapter with their remedy lists, the tidying of texts, and remedy list items with a grade in
// brackets.

#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryImport.h"
#include "repertory/RepertoryTables.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

namespace telvarin {

using ImportProblem = std::optional<std::string>;

inline constexpr std::size_t kMaxImportedRemedies = kRemedyIndexMask + 1;
// Exchange files of a whole repertory stay far below this; a bigger one is no repertory.
inline constexpr std::uint64_t kMaxImportSourceBytes = std::uint64_t{1} << 30;

RepertoryImportError failAt(const std::string& where, const std::string& what);
// Converts a UTF-8 text for the data file; a problem names the place and the character.
std::optional<RepertoryImportError> convertAt(std::string_view utf8, const std::string& where,
                                              std::string& out);

// A text split at its commas, each part with its runs of blanks collapsed and trimmed, and the
// empty parts dropped: "Fear,  of  the dark, " gives "Fear" and "of the dark".
struct TidiedParts {
    std::vector<std::string> parts;
    bool blanksChanged = false; // a kept part was not written as its tidied form after ", "
    bool emptyPartsDropped = false;
};
TidiedParts tidiedParts(std::string_view text);
// The parts from `first` on, joined with ", ".
std::string joinedParts(std::span<const std::string> parts, std::size_t first = 0);
void countTidying(const TidiedParts& tidied, ImportReport& report);
// tidiedParts joined again, with the changes counted.
std::string tidiedText(std::string_view text, ImportReport& report);

// The rubric that a path extends by whole parts: of its leading paths, longest first ("fear, dark"
// and "fear" for "fear, dark, night"; parts joined with ", "), the first that rubricOf knows.
// The exchange formats carry no tree of their own, so this is how their rubrics nest.
template <typename RubricOf>
std::optional<int> rubricExtendedBy(std::string_view path, const RubricOf& rubricOf) {
    for (std::size_t end = path.rfind(", "); end != std::string_view::npos && end > 0;
         end = path.rfind(", ", end - 1)) {
        if (const std::optional<int> rubric = rubricOf(path.substr(0, end)))
            return rubric;
    }
    return std::nullopt;
}

// An item of a remedy list: the abbreviation and, for "NAT-M (4)", the grade in brackets.
struct ListedRemedy {
    std::string_view abbreviation;
    int bracketGrade = 0; // 0: none
};
// Refuses an abbreviation with a blank or a bracket that is not such a grade, and a grade in
// brackets other than 1 to 5.
std::variant<ListedRemedy, std::string> listedRemedy(std::string_view item);

// Builds the tables chapter by chapter, section by section, rubric by rubric. Texts arrive in
// Windows-1252; a text longer than its field is cut at a word and counted. Each rubric keeps its
// remedy list until finish() lays the lists out one after another, so that a path met again can
// add to an earlier rubric.
class TableBuilder {
public:
    explicit TableBuilder(ImportReport& report);

    void chapter(std::string name);
    void section(std::string name);
    // A new rubric in the current section; the entries that follow belong to it. Its index.
    int rubric(std::string text);
    // The entries that follow are a further list of an earlier rubric: a remedy the rubric already
    // has keeps the higher grade, without being counted as doubled.
    void continueRubric(int rubric);
    bool hasEntries(int rubric) const { return !lists_[static_cast<std::size_t>(rubric)].empty(); }
    int rubricCount() const { return static_cast<int>(lists_.size()); }

    // The remedy index of an abbreviation, taken up on first use. Abbreviations that differ only
    // in letter case or a final "." name one remedy, stored in lower case with the ".".
    std::variant<int, std::string> remedy(std::string_view abbreviation);
    // An entry of the current list; a remedy that stands twice in it becomes one entry with the
    // higher grade and is counted.
    void entry(int remedy, int grade);
    // The rubric a rubric belongs under in the source's own tree (indices; a parent is built
    // before its children).
    void parent(int rubric, int parentRubric);
    // The index of a remedy some list named already, by its abbreviation in any letter case.
    std::optional<int> knownRemedy(std::string_view abbreviation) const;
    // The full name of a remedy taken up before ("Sulphur" for "sulph."), in Windows-1252; a name
    // longer than the data file holds is cut at a word. The last name given wins.
    void fullName(int remedy, std::string name);
    ImportProblem entry(std::string_view abbreviation, int grade);

    // A table of counter-polarities that finish() applies after the rule's pairs; empty: none.
    void counterPolarityTable(std::string path) { polarityFile_ = std::move(path); }

    RepertoryImportResult finish(const std::string& source);

private:
    void store(char* field, std::size_t size, std::string text, int& cutCount);

    ImportReport& report_;
    RepertoryTables tables_;
    std::vector<std::vector<RemedyEntry>> lists_; // per rubric
    std::string polarityFile_;
    int current_ = -1;
    int listNumber_ = 0;
    // Where each remedy stands in the list of rubric owner_[remedy], and in which list it came.
    std::vector<int> position_;
    std::vector<int> owner_;
    std::vector<int> listOf_;
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    // Abbreviation as written -> remedy index, so that a repeated spelling costs one lookup.
    std::unordered_map<std::string, int, TextHash, std::equal_to<>> remedies_;
    std::unordered_map<std::string, int> names_; // lower case without the final "."
};

} // namespace telvarin
