#include "history/HistoryActions.h"

namespace telvarin {
namespace {

HistorySaveResult refusal(const CaseHistory& history) {
    return {HistorySaveStatus::Refused, unreadableHistoryMessage(history.path)};
}

} // namespace

HistorySaveResult fileTreatmentInHistoryFile(const std::string& historyPath, std::string_view name,
                                             std::string_view comment, std::span<const CaseSymptom> caseRows,
                                             const LocalDateTime& now, ErrorReporter* reporter,
                                             const FileSystemCalls& calls) {
    CaseHistory history = loadHistory(historyPath, reporter);
    if (history.unreadable)
        return refusal(history);
    fileTreatment(history, name, comment, caseRows, now);
    return saveHistory(history, calls);
}

HistorySaveResult deleteTreatment(CaseHistory& history, std::size_t caseIndex, std::size_t treatmentIndex,
                                  const FileSystemCalls& calls) {
    if (history.unreadable)
        return refusal(history);
    if (!removeTreatment(history, caseIndex, treatmentIndex))
        return {};
    return saveHistory(history, calls);
}

HistorySaveResult deleteCase(CaseHistory& history, std::size_t caseIndex, const FileSystemCalls& calls) {
    if (history.unreadable)
        return refusal(history);
    if (!removeCase(history, caseIndex))
        return {};
    return saveHistory(history, calls);
}

HistorySaveResult importHistory(CaseHistory& history, const std::string& importPath, ErrorReporter* reporter,
                                const FileSystemCalls& calls) {
    if (history.unreadable)
        return refusal(history);
    CaseHistory imported = loadHistory(importPath, reporter);
    if (imported.loaded) {
        history.cases = std::move(imported.cases);
        history.loaded = true;
    }
    sortCases(history, history.sortByName);
    return saveHistory(history, calls);
}

} // namespace telvarin
