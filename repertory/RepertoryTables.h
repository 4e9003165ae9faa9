#pragma once

// The tables of a repertory as the data file lays them out, while they are being built (from a
// source or an import), and the bytes of the data file written from them.

#include "repertory/RepertoryDataFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace telvarin {

struct RepertoryTables {
    std::vector<ChapterRecord> chapters;
    std::vector<SectionRecord> sections;
    std::vector<RubricRecord> rubrics;
    std::vector<RemedyEntry> entries;
    std::vector<std::string> abbreviations; // Windows-1252, in remedy-index order
    // Windows-1252, in remedy-index order; empty: the file carries no table of full names.
    std::vector<std::string> fullNames;
    // Per rubric its parent's number, 0 at the top; empty: the file carries no tree.
    std::vector<std::int32_t> parents;
};

std::vector<std::byte> dataFileBytes(const RepertoryTables& tables);

} // namespace telvarin
