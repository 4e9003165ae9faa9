#pragma once

// A whole case history written somewhere else: a file history onto the practice server, or the
// server's history back into a file. The tool and the windows move histories with the same code.

#include "history/HistoryStore.h"

#include <optional>
#include <string>

namespace telvarin {

// Every case of history written to target (a file path or a server address), with record of the
// repertory its numbers belong to. A target file in use is changed under its lock with the day's
// backup; cases of one repertory never replace those of another under that other's record.
HistorySaveResult writeHistoryTo(const CaseHistory& history, const std::string& target,
                                 const std::optional<RecordedRepertory>& record,
                                 const std::string& password = {});

// The record of the repertory the numbers of history, loaded from store, belong to; none when the
// store has no record or the history holds no numbers.
std::optional<RecordedRepertory> recordOfNumbers(HistoryStore& store, const CaseHistory& history);

// The history at location (with password for a server) written to target with its record; a
// German message (Windows-1252) when it cannot be read or written.
HistorySaveResult copyHistory(const std::string& location, const std::string& target,
                              const std::string& password = {});

} // namespace telvarin
