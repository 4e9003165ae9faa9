#pragma once

// The commands of telvarin-repertory that run the case analysis, the remedy overview query and
// the text search.

#include "tools/CliOptions.h"

#include <span>
#include <string>

namespace telvarin {

// analyse [--mode M] [--key ENTRY]... [--csv] ENTRY...: each entry typed into the next row of a
// case, then the ranked remedies: rank, abbreviation, hits, grade sum, polarity difference. Each
// --key marks the case row of that entry as a key symptom: only the remedies in every key rubric
// stay. --csv writes the ranking as a CSV file with a header row instead.
int runAnalyseCommand(const CliContext& context, std::span<const std::string> words);
// overview TEXT [--chapter K] [--grades DIGITS] [--bd] [--size MIN MAX] [--others]
int runOverviewCommand(const CliContext& context, std::span<const std::string> words);
// search TEXT [--chapter K]
int runSearchCommand(const CliContext& context, std::span<const std::string> words);

} // namespace telvarin
