#pragma once

// Counter-polarities set while a repertory is imported: by rule (two rubrics of one chapter whose
// texts differ only in a last part "besser" against "schlechter") and by a table of further pairs
// that the rule cannot see. Every pair is written in both directions with BD value 0, and a
// rubric has at most one counter-polarity.

#include "repertory/RepertoryImport.h"
#include "repertory/RepertoryTables.h"

#include <optional>
#include <string>
#include <string_view>

namespace telvarin {

// Pairs the rubrics by rule. A text that stands twice in its chapter leaves its group unpaired,
// since its partner cannot be told; each such group is noted in the report.
void pairCounterPolaritiesByRule(RepertoryTables& tables, ImportReport& report);

// Pairs the rubrics that a table names: UTF-8, one pair a line, "path<TAB>path<TAB>reason"; blank
// lines and lines starting with "#" are skipped. A path is the chapter name and the rubric text
// joined with ", " (the chapter's own rubric is the chapter name alone), compared tidied and
// letter case aside. A path that names no rubric or several, a rubric paired twice, or a rubric
// paired with itself is refused with its line: the table exists to be right. A line that repeats
// a pair the rule found is counted and otherwise ignored.
std::optional<RepertoryImportError> pairCounterPolaritiesByTable(RepertoryTables& tables,
                                                                 std::string_view table,
                                                                 const std::string& fileName,
                                                                 ImportReport& report);

// The same with the table read from a file.
std::optional<RepertoryImportError>
pairCounterPolaritiesFromFile(RepertoryTables& tables, const std::string& path, ImportReport& report);

} // namespace telvarin
