#pragma once

// The user's actions on the history file: each changes the history and saves the whole file at
// once. None of them saves over a history file that exists but could not be read: they refuse
// and say so (HistorySaveStatus::Refused with a German message naming the file).

#include "analysis/CaseSymptom.h"
#include "foundation/ErrorReporter.h"
#include "history/HistoryFile.h"
#include "history/HistoryOperations.h"

#include <span>
#include <string>
#include <string_view>

namespace telvarin {

// Loads the history file, files the treatment under name and saves.
HistorySaveResult fileTreatmentInHistoryFile(const std::string& historyPath, std::string_view name,
                                             std::string_view comment, std::span<const CaseSymptom> caseRows,
                                             const LocalDateTime& now, ErrorReporter* reporter,
                                             const FileSystemCalls& calls = FileSystemCalls::system());

// The history window's delete: takes the entry out of the window's copy and saves it. Nothing is
// taken out when the save is refused.
HistorySaveResult deleteTreatment(CaseHistory& history, std::size_t caseIndex, std::size_t treatmentIndex,
                                  const FileSystemCalls& calls = FileSystemCalls::system());
HistorySaveResult deleteCase(CaseHistory& history, std::size_t caseIndex,
                             const FileSystemCalls& calls = FileSystemCalls::system());

// The history window's import: when importPath loads, its cases replace the window's; either way
// the window's cases are sorted in the window's order and saved to the history file. Refused, with
// the window's history unchanged, when the history file could not be read.
HistorySaveResult importHistory(CaseHistory& history, const std::string& importPath, ErrorReporter* reporter,
                                const FileSystemCalls& calls = FileSystemCalls::system());

} // namespace telvarin
