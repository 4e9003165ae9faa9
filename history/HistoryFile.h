#pragma once

// Loading and saving the whole history file.

#include "foundation/files/FileReplacement.h"
#include "foundation/text/ErrorReporter.h"
#include "history/CaseHistory.h"

#include <string>

namespace telvarin {

// A missing or empty file gives the empty history with loaded false. A file that cannot be read
// gives the empty history with loaded false and unreadable true; a syntax error in it is reported
// through reporter (when given). A partly read history is never handed on.
CaseHistory loadHistory(const std::string& path, ErrorReporter* reporter);

enum class HistorySaveStatus {
    Saved,
    WriteFailed,    // the file is as it was before
    Refused,        // the history file could not be read, so nothing was saved over it
    Busy,           // another program held the history's lock for too long; nothing was changed
    Gone,           // what the user acted on is no longer in the file as shown; nothing was changed
    OtherRepertory, // the history's numbers belong to another repertory; nothing was changed
};

struct HistorySaveResult {
    HistorySaveStatus status = HistorySaveStatus::Saved;
    // German, Windows-1252. When saved: empty, or why the file was written in place.
    std::string message;
    bool saved() const { return status == HistorySaveStatus::Saved; }
};

// Writes the whole history to history.path; refused when history.unreadable is set.
HistorySaveResult saveHistory(const CaseHistory& history,
                              const FileSystemCalls& calls = FileSystemCalls::system());
// Writes the whole history to another file; history.path stays. Refused only when that file is the
// unreadable history file itself.
HistorySaveResult saveHistoryAs(const CaseHistory& history, const std::string& path,
                                const FileSystemCalls& calls = FileSystemCalls::system());

// Whether two paths name one file (through links too).
bool isSameFile(const std::string& a, const std::string& b);

std::string unreadableHistoryMessage(const std::string& path);
std::string historyWriteFailedMessage(const std::string& path);
// Why a history that can only be written in place was not written: no copy could be made first.
std::string noCopyForInPlaceMessage(const std::string& path, std::string_view copyKind = {});

} // namespace telvarin
