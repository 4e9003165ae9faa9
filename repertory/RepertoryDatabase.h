#pragma once

// The read-only repertory: chapters, sections, rubrics with their remedy lists, and the remedy
// abbreviations. The database reads a validated data file in place; the bytes must outlive it
// unless the database owns them (loadFromFile).

#include "foundation/text/Windows1252Text.h"
#include "repertory/RepertoryDataFile.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace telvarin {

// Signed rubric number as a case holds it: 1..rubricCount a rubric, -n its counter-polarity, 0 none.
using RubricNumber = std::int32_t;

class RepertoryDatabase;

struct RepertoryLoadError {
    Windows1252Text message; // German, names the broken rule and where it broke
};

using RepertoryLoadResult = std::variant<RepertoryDatabase, RepertoryLoadError>;

class RepertoryDatabase {
public:
    // Validates bytes against every rule of the file layout. The bytes are read in place and must
    // stay alive and unchanged for the life of the database; they must be four-byte aligned.
    static RepertoryLoadResult fromBytes(std::span<const std::byte> bytes);
    // Reads a data file into memory owned by the database, then validates it.
    static RepertoryLoadResult fromFile(const std::string& path);

    int chapterCount() const { return counts_.chapters; }
    int sectionCount() const { return counts_.sections; }
    int rubricCount() const { return counts_.rubrics; }
    int largestRubricNumber() const { return counts_.rubrics; }
    int remedyEntryCount() const { return counts_.remedyEntries; }
    int remedyCount() const { return counts_.remedies; }
    // The data file as it was validated, for telling one repertory from another by its checksum.
    std::span<const std::byte> fileBytes() const { return fileBytes_; }

    const RubricRecord& rubric(int index) const { return rubrics_[static_cast<std::size_t>(index)]; }
    std::span<const RemedyEntry> remedyList(int rubricIndex) const;

    // The German texts, Windows-1252 as the file holds them.
    Windows1252View rubricTextField(int rubricIndex) const {
        return Windows1252View(rubricTexts_[static_cast<std::size_t>(rubricIndex)]);
    }
    Windows1252View chapterName(int chapter) const {
        return Windows1252View(chapterNames_[static_cast<std::size_t>(chapter)]);
    }
    Windows1252View sectionName(int section) const {
        return Windows1252View(sectionNames_[static_cast<std::size_t>(section)]);
    }
    Windows1252View remedyName(int remedy) const {
        return Windows1252View(remedyNames_[static_cast<std::size_t>(remedy)]);
    }
    // The remedy's full name ("Sulphur" for "sulph."); empty where the file gives none.
    Windows1252View remedyFullName(int remedy) const {
        return fullNames_.empty() ? Windows1252View()
                                  : Windows1252View(fullNames_[static_cast<std::size_t>(remedy)]);
    }
    bool hasFullNames() const { return !fullNames_.empty(); }
    // The rubric a rubric belongs under in the repertory's own tree; 0 at the top of its chapter
    // and for every rubric of a file without a tree.
    RubricNumber parentRubric(RubricNumber number) const {
        return parents_.empty() ? 0 : parents_[static_cast<std::size_t>(number - 1)];
    }
    bool hasRubricTree() const { return !parents_.empty(); }
    int sectionEnd(int chapter) const { return chapters_[static_cast<std::size_t>(chapter)].sectionEnd; }
    int rubricEnd(int section) const { return sections_[static_cast<std::size_t>(section)].rubricEnd; }

    // -1 when the BD value is not 0; otherwise |number| - 1. Callers check the number first.
    int rubricIndex(RubricNumber number, int bd) const;
    bool isValidSymptom(RubricNumber number, int bd) const;
    // Section holding a rubric record index, or -1; chapter holding a section index, or -1.
    int sectionOfRubric(int rubricIndex) const;
    int chapterOfSection(int sectionIndex) const;
    int chapterOfRubric(int rubricIndex) const { return chapterOfSection(sectionOfRubric(rubricIndex)); }
    // Rubric numbers of a chapter, inclusive; first > last for a chapter without rubrics.
    RubricNumber firstRubricNumberOfChapter(int chapter) const;
    RubricNumber lastRubricNumberOfChapter(int chapter) const;

    // Texts replaced at start-up by a language file. Longer texts are cut to the field width so
    // that every text stays what the file layout could hold.
    void replaceChapterName(int chapter, Windows1252View text);
    void replaceSectionName(int section, Windows1252View text);
    void replaceRubricText(int rubricIndex, Windows1252View text);

private:
    RepertoryDatabase() = default;
    std::string_view keep(std::string_view text, std::size_t fieldSize);
    // The checks of the tables, in the order they stand in the file; each reads the texts of its
    // table and gives an error message, or an empty text when the table is sound.
    std::string readChapters();
    std::string readSections();
    std::string readRubrics();
    std::string checkEntries() const;
    // From offset on, which it moves past the last abbreviation.
    std::string readRemedyNames(std::span<const std::byte> bytes, std::size_t& offset);
    // The optional tables after the abbreviations, from offset on; an error message or empty.
    std::string readOptionalTables(std::span<const std::byte> bytes, std::size_t offset);
    std::string readFullNames(std::span<const std::byte> bytes, std::size_t& offset);
    std::string readParents(std::span<const std::byte> bytes, std::size_t& offset);

    RepertoryFileCounts counts_{};
    std::span<const std::byte> fileBytes_;
    std::span<const ChapterRecord> chapters_;
    std::span<const SectionRecord> sections_;
    std::span<const RubricRecord> rubrics_;
    std::span<const RemedyEntry> entries_;
    std::vector<std::string_view> chapterNames_;
    std::vector<std::string_view> sectionNames_;
    std::vector<std::string_view> rubricTexts_;
    std::vector<std::string_view> remedyNames_;
    std::vector<std::string_view> fullNames_; // empty without the optional table
    std::vector<RubricNumber> parents_;       // empty without the optional table
    std::shared_ptr<const std::string> ownedBytes_;
    std::shared_ptr<std::deque<std::string>> replacedTexts_;
};

} // namespace telvarin
