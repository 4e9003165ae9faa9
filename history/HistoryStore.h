#pragma once

// Where a case history is kept, as the windows and the tool reach it: the history file in the
// practice folder, or a practice server (server/). Each action is whole or not at all, and applied
// to the history as it is at that moment, so that what another workstation filed meanwhile is kept.

#include "history/HistoryActions.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace telvarin {

class HistoryStore {
public:
    virtual ~HistoryStore() = default;

    // The file's path, or the server's address without a password: what messages and windows name.
    virtual std::string location() const = 0;
    virtual bool isServer() const = 0;

    // The whole history; unreadable (and named through reporter) when it cannot be read.
    virtual CaseHistory load(ErrorReporter* reporter) = 0;
    // The record of the repertory its numbers belong to.
    virtual RepertoryRecord record() = 0;

    // See fileTreatmentInHistoryFile, deleteFromHistoryFile, importHistory, exportHistory and
    // bindHistory.
    virtual HistorySaveResult file(Windows1252View name, Windows1252View comment,
                                   std::span<const CaseSymptom> caseRows, const LocalDateTime& now,
                                   ErrorReporter* reporter, const HistoryFileAccess& access,
                                   const Prescription& prescription = {}) = 0;
    virtual HistorySaveResult remove(CaseHistory& window, const HistoryCase& shownCase,
                                     const Treatment* shownTreatment, ErrorReporter* reporter,
                                     const HistoryFileAccess& access) = 0;
    virtual HistorySaveResult import(CaseHistory& window, const HistoryImport& import,
                                     ErrorReporter* reporter, const HistoryFileAccess& access) = 0;
    virtual HistorySaveResult exportTo(CaseHistory& window, const std::string& target,
                                       ErrorReporter* reporter, const HistoryFileAccess& access) = 0;
    virtual HistorySaveResult bind(const RepertoryIdentity& repertory, const HistoryFileAccess& access) = 0;
};

// The history file at path.
std::unique_ptr<HistoryStore> fileHistoryStore(const std::string& path);

// Whether a history is named by a server address ("postgresql://..." or "postgres://...") rather
// than by a file path.
bool isServerLocation(std::string_view location);

// The binding of a loaded history to the program's repertories, with the store's record.
HistoryBinding storeBinding(HistoryStore& store, const CaseHistory& history,
                            const ProgramRepertories& program);

} // namespace telvarin
