#pragma once

// Import of a repertory from an open exchange format into the bytes of a data file, checked with
// the loader before anything is handed back. Formats: "json" (a folder with index.json and one
// file per chapter), "tsv" (one line per remedy entry) and "openrep" (the files of the free
// program OpenRep, named by their .rd header); all are described in data/README.md.
//
// Published data has slips. What can be imported faithfully is tidied and counted in the report;
// what cannot is refused with its place.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace telvarin {

struct ImportReport {
    int cutRubricTexts = 0;    // rubric texts longer than their field, cut at a word with "..."
    int cutNames = 0;          // chapter and section names cut the same way
    int tidiedBlanks = 0;      // texts whose blanks were collapsed, trimmed or set after a comma
    int droppedEmptyParts = 0; // texts that lost an empty comma-separated part (", ," or a final ", ")
    int droppedEmptyItems = 0; // empty items dropped from remedy lists
    int mergedPaths = 0;       // paths equal to an earlier one, letter case aside: one rubric
    int mergedEntries = 0;     // a remedy twice in one remedy list: one entry with the higher grade
    int bracketGrades = 0;     // abbreviations with their grade in brackets, "NAT-M (4)"
    int repeatedPaths = 0;     // openrep: paths spelled by several tree nodes, kept as rubrics of their own
    int counterPolaritiesByRule = 0;   // pairs "..., besser" / "..., schlechter"
    int counterPolaritiesLeftOut = 0;  // such groups left unpaired: a text in them stands twice
    int counterPolaritiesByTable = 0;  // pairs from the table of counter-polarities
    int counterPolaritiesRepeated = 0; // table lines that name a pair the rule found
    // One line per quirk that names its file, line and id or key (UTF-8): merged paths, unused
    // lines, names that match nothing.
    std::vector<std::string> notes;
};

// The report as German lines (UTF-8): the counts that are not zero, then the notes.
std::vector<std::string> importReportLines(const ImportReport& report);

struct ImportedRepertory {
    std::vector<std::byte> bytes; // a valid data file
    ImportReport report;
};

struct RepertoryImportError {
    std::string message; // German, UTF-8, names the file and the line or key
};

using RepertoryImportResult = std::variant<ImportedRepertory, RepertoryImportError>;

// The json folder form.
// Every form pairs counter-polarities by rule and, given a table file (polarityFile), by that
// table as well (see repertory/CounterPolarities.h).
RepertoryImportResult importJsonRepertory(const std::string& folder, const std::string& polarityFile = {});
// The tsv form from its text; fileName only names the source in messages.
RepertoryImportResult importTsvRepertory(std::string_view text, std::string_view fileName,
                                         const std::string& polarityFile = {});
RepertoryImportResult importTsvFile(const std::string& path, const std::string& polarityFile = {});
// The OpenRep form: the folder holds one .rd header and the five files it names. Chapters follow
// the chapter order file when one is given (one chapter name a line), else the order of the
// header's main symptom file.
RepertoryImportResult importOpenRepRepertory(const std::string& folder,
                                             const std::string& chapterOrderFile = {},
                                             const std::string& polarityFile = {});

} // namespace telvarin
