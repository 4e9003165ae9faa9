#include "history/HistoryActions.h"

#include "foundation/files/FileKind.h"
#include "foundation/text/CodePage.h"
#include "history/HistoryBackup.h"

#include <algorithm>
#include <filesystem>

namespace telvarin {
namespace {

HistorySaveResult refusal(const CaseHistory& history) {
    return {HistorySaveStatus::Refused, unreadableHistoryMessage(history.path)};
}

std::string caseNameForMessage(const std::string& name) {
    return "\"" + name + "\"";
}

// The fresh history shown in the window's order; the window keeps its own path.
void handOver(CaseHistory& window, CaseHistory fresh) {
    sortCases(fresh, window.sortByName);
    fresh.path = window.path;
    window = std::move(fresh);
}

HistoryChange removeShown(CaseHistory& history, const HistoryCase& shownCase,
                          const Treatment* shownTreatment) {
    const std::string gone = " ist nicht mehr in der Fallhistorie. Sie wurde inzwischen ge\xE4ndert und wird "
                             "neu angezeigt.";
    if (shownTreatment != nullptr) {
        for (HistoryCase& c : history.cases) {
            if (c.name != shownCase.name)
                continue;
            const auto at = std::find(c.treatments.begin(), c.treatments.end(), *shownTreatment);
            if (at != c.treatments.end()) {
                c.treatments.erase(at);
                return {};
            }
        }
        return {false, "Der Eintrag " + treatmentLabel(*shownTreatment) + " des Falls " +
                           caseNameForMessage(shownCase.name) + gone};
    }
    const auto sameName = [&](const HistoryCase& c) { return c.name == shownCase.name; };
    const auto asShown = std::find(history.cases.begin(), history.cases.end(), shownCase);
    if (asShown != history.cases.end()) {
        history.cases.erase(asShown);
        return {};
    }
    if (std::find_if(history.cases.begin(), history.cases.end(), sameName) == history.cases.end())
        return {false, "Der Fall " + caseNameForMessage(shownCase.name) + gone};
    return {false, "Der Fall " + caseNameForMessage(shownCase.name) +
                       " wurde inzwischen ge\xE4ndert und daher nicht gel\xF6scht. Die Fallhistorie wird neu "
                       "angezeigt; bitte pr\xFC"
                       "fen Sie den Fall."};
}

} // namespace

namespace {

// updateHistoryFile, and for filing, the refusal under another repertory.
HistorySaveResult updateBoundHistoryFile(const std::string& historyPath, ErrorReporter* reporter,
                                         const HistoryFileAccess& access, bool numbersMustMatch,
                                         const std::function<HistoryChange(CaseHistory&)>& change,
                                         CaseHistory* current) {
    HistoryLock::Result lock = HistoryLock::acquire(historyPath, access.lockTimeout, access.waiting);
    if (const auto* busy = std::get_if<HistoryLock::Busy>(&lock))
        return {HistorySaveStatus::Busy, busy->message};
    CaseHistory history = loadHistory(historyPath, reporter);
    if (history.unreadable)
        return refusal(history);
    std::optional<HistoryBinding> binding;
    if (access.repertories != nullptr) {
        binding = historyBinding(history, *access.repertories);
        if (numbersMustMatch && belongsToOtherRepertory(*binding, *access.repertories))
            return {HistorySaveStatus::OtherRepertory,
                    otherRepertoryMessage(historyPath, *binding, *access.repertories)};
    }
    const HistoryChange changed = change(history);
    HistorySaveResult result;
    if (!changed.goneMessage.empty())
        result = {HistorySaveStatus::Gone, changed.goneMessage};
    else if (changed.save) {
        keepDailyBackup(historyPath, access.today.value_or(currentLocalDateTime()));
        result = saveHistory(history, access.calls);
        removeLeftoverTemporaries(historyPath);
        if (result.saved() && binding && binding->needsRecord)
            writeRepertoryRecord(historyPath, binding->repertory);
    }
    if (current != nullptr && result.status != HistorySaveStatus::WriteFailed)
        *current = std::move(history);
    return result;
}

} // namespace

HistorySaveResult updateHistoryFile(const std::string& historyPath, ErrorReporter* reporter,
                                    const HistoryFileAccess& access,
                                    const std::function<HistoryChange(CaseHistory&)>& change,
                                    CaseHistory* current) {
    return updateBoundHistoryFile(historyPath, reporter, access, false, change, current);
}

namespace {

// A change the history window makes: applied to the file as it is now, under the lock, in the
// window's order (as the window's copy would have been saved); the window then shows the fresh
// file, also when the change found its case or treatment gone.
HistorySaveResult updateShownHistory(CaseHistory& window, ErrorReporter* reporter,
                                     const HistoryFileAccess& access,
                                     const std::function<HistoryChange(CaseHistory&)>& change) {
    if (window.unreadable)
        return refusal(window);
    const bool byName = window.sortByName;
    CaseHistory fresh;
    const HistorySaveResult result = updateHistoryFile(
        window.path, reporter, access,
        [&](CaseHistory& history) {
            HistoryChange changed = change(history);
            if (changed.goneMessage.empty())
                sortCases(history, byName);
            return changed;
        },
        &fresh);
    if (result.saved() || result.status == HistorySaveStatus::Gone) {
        fresh.sortByName = byName;
        handOver(window, std::move(fresh));
    }
    return result;
}

} // namespace

HistorySaveResult exportHistory(CaseHistory& window, const std::string& target, ErrorReporter* reporter,
                                const HistoryFileAccess& access) {
    if (!isSameFile(target, window.path)) {
        const HistorySaveResult result = saveHistoryAs(window, target, access.calls);
        // The copy names the repertory of its numbers too, so that an import can tell.
        if (result.saved() && access.repertories != nullptr) {
            const HistoryBinding binding = historyBinding(window, *access.repertories);
            if (binding.record != RecordState::Unreadable)
                writeRepertoryRecord(target, binding.repertory);
        }
        return result;
    }
    return updateShownHistory(window, reporter, access, [](CaseHistory&) { return HistoryChange{}; });
}

HistorySaveResult restoreNewestBackup(const std::string& historyPath, const HistoryFileAccess& access) {
    HistoryLock::Result lock = HistoryLock::acquire(historyPath, access.lockTimeout, access.waiting);
    if (const auto* busy = std::get_if<HistoryLock::Busy>(&lock))
        return {HistorySaveStatus::Busy, busy->message};
    // Another program may have been writing the file in place when it was read; what it wrote is
    // not replaced by an older copy.
    if (!loadHistory(historyPath, nullptr).unreadable)
        return {HistorySaveStatus::Gone, "Die Fallhistorie \"" + utf8ToWindows1252(historyPath) +
                                             "\" ist inzwischen wieder lesbar; die Sicherung wurde nicht "
                                             "eingespielt."};
    const std::optional<HistoryBackup> backup = newestBackup(historyPath);
    const FileReadResult copy =
        backup ? readRegularFile(backup->path, std::uint64_t{1} << 32) : FileReadResult(FileReadError{});
    const std::string failed = "Die Sicherung konnte nicht wiederhergestellt werden; die Fallhistorie ist "
                               "unver\xE4ndert.";
    if (!std::holds_alternative<std::string>(copy))
        return {HistorySaveStatus::WriteFailed, failed};
    // An earlier damaged file keeps its name too.
    std::string damaged = historyPath + ".defekt";
    for (int n = 2; std::filesystem::exists(damaged) || std::filesystem::is_symlink(damaged); ++n)
        damaged = historyPath + ".defekt-" + std::to_string(n);
    std::error_code ec;
    std::filesystem::copy_file(historyPath, damaged, std::filesystem::copy_options::none, ec);
    if (ec)
        return {HistorySaveStatus::WriteFailed, failed};
    if (!replaceFileContents(historyPath, std::get<std::string>(copy), access.calls))
        return {HistorySaveStatus::WriteFailed, failed};
    // The numbers of the copy belong to the repertory its record names.
    copyRepertoryRecord(backup->path, historyPath);
    return {};
}

HistorySaveResult fileTreatmentInHistoryFile(const std::string& historyPath, std::string_view name,
                                             std::string_view comment, std::span<const CaseSymptom> caseRows,
                                             const LocalDateTime& now, ErrorReporter* reporter,
                                             const HistoryFileAccess& access) {
    return updateBoundHistoryFile(
        historyPath, reporter, access, true,
        [&](CaseHistory& history) {
            fileTreatment(history, name, comment, caseRows, now);
            return HistoryChange{};
        },
        nullptr);
}

HistorySaveResult deleteFromHistoryFile(CaseHistory& window, const HistoryCase& shownCase,
                                        const Treatment* shownTreatment, ErrorReporter* reporter,
                                        const HistoryFileAccess& access) {
    return updateShownHistory(window, reporter, access, [&](CaseHistory& history) {
        return removeShown(history, shownCase, shownTreatment);
    });
}

HistorySaveResult importHistory(CaseHistory& window, const std::string& importPath, ErrorReporter* reporter,
                                const HistoryFileAccess& access) {
    // The imported numbers belong to the repertory the imported file names, or, without a record
    // beside it, to the one of an earlier version's history (see historyBinding).
    std::optional<RepertoryIdentity> importedRepertory;
    const HistorySaveResult result = updateShownHistory(window, reporter, access, [&](CaseHistory& history) {
        CaseHistory imported = loadHistory(importPath, reporter);
        if (imported.loaded) {
            if (access.repertories != nullptr) {
                const HistoryBinding binding = historyBinding(imported, *access.repertories);
                if (binding.record != RecordState::Unreadable)
                    importedRepertory = binding.repertory;
            } else if (const RepertoryRecord record = readRepertoryRecord(importPath);
                       record.state == RecordState::Present) {
                importedRepertory = record.identity;
            }
            history.cases = std::move(imported.cases);
            history.loaded = true;
        }
        return HistoryChange{};
    });
    if (result.saved() && importedRepertory)
        writeRepertoryRecord(window.path, *importedRepertory);
    return result;
}

} // namespace telvarin
