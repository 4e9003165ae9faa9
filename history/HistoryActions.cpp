#include "history/HistoryActions.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/FileReplacement.h"
#include "foundation/files/Utf8Paths.h"
#include "foundation/text/CodePage.h"
#include "history/HistoryBackup.h"

#include <algorithm>
#include <filesystem>

namespace telvarin {
namespace {

constexpr std::uint64_t kLargestRestoredFile = std::uint64_t{1} << 32;

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

HistoryChange goneChange(std::string message) {
    HistoryChange change;
    change.save = false;
    change.goneMessage = std::move(message);
    return change;
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
        return goneChange("Der Eintrag " + treatmentLabel(*shownTreatment) + " des Falls " +
                          caseNameForMessage(shownCase.name) + gone);
    }
    const auto sameName = [&](const HistoryCase& c) { return c.name == shownCase.name; };
    const auto asShown = std::find(history.cases.begin(), history.cases.end(), shownCase);
    if (asShown != history.cases.end()) {
        history.cases.erase(asShown);
        return {};
    }
    if (std::find_if(history.cases.begin(), history.cases.end(), sameName) == history.cases.end())
        return goneChange("Der Fall " + caseNameForMessage(shownCase.name) + gone);
    return goneChange("Der Fall " + caseNameForMessage(shownCase.name) +
                      " wurde inzwischen ge\xE4ndert und daher nicht gel\xF6scht. Die Fallhistorie wird neu "
                      "angezeigt; bitte pr\xFC"
                      "fen Sie den Fall.");
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
        removeLeftoversOfSaves(historyPath);
        if (result.saved() && changed.repertory)
            writeRepertoryRecord(historyPath, *changed.repertory);
        else if (result.saved() && binding && binding->needsRecord)
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

HistorySaveResult restoreBackup(const std::string& historyPath, const HistoryBackup& backup,
                                const HistoryFileAccess& access) {
    HistoryLock::Result lock = HistoryLock::acquire(historyPath, access.lockTimeout, access.waiting);
    if (const auto* busy = std::get_if<HistoryLock::Busy>(&lock))
        return {HistorySaveStatus::Busy, busy->message};
    // Another program may have been writing the file in place when it was read; what it wrote is
    // not replaced by an older copy.
    if (!loadHistory(historyPath, nullptr).unreadable)
        return {HistorySaveStatus::Gone, "Die Fallhistorie \"" + utf8ToWindows1252(historyPath) +
                                             "\" ist inzwischen wieder lesbar; die Sicherung wurde nicht "
                                             "eingespielt."};
    const std::string failed = "Die Sicherung konnte nicht wiederhergestellt werden; die Fallhistorie ist "
                               "unver\xE4ndert.";
    CaseHistory restored = loadHistory(backup.path, nullptr);
    const FileReadResult damaged = readRegularFile(historyPath, kLargestRestoredFile);
    if (!restored.loaded || !std::holds_alternative<std::string>(damaged))
        return {HistorySaveStatus::WriteFailed, failed};
    // The damaged file is kept, readable by those who may read the history.
    const std::string damagedCopy = damagedCopyPathFor(historyPath);
    if (damagedCopy.starts_with(backupFolderFor(historyPath)))
        prepareBackupFolder(historyPath);
    ReplaceOptions shared;
    shared.accessModel = resolvedPath(historyPath);
    if (replaceFile(damagedCopy, std::get<std::string>(damaged), FileSystemCalls::system(), shared).status !=
        ReplaceStatus::Replaced)
        return {HistorySaveStatus::WriteFailed, failed};
    restored.path = historyPath;
    const HistorySaveResult saved = saveHistory(restored, access.calls);
    removeLeftoversOfSaves(historyPath);
    if (!saved.saved())
        return {HistorySaveStatus::WriteFailed, failed + (saved.message.empty() ? "" : " " + saved.message)};
    if (backup.kind == BackupKind::InterruptedSave) {
        std::error_code ec;
        std::filesystem::remove(pathFromUtf8(backup.path), ec);
    }
    // The numbers of the copy belong to the repertory its record names.
    copyRepertoryRecord(backup.path, historyPath);
    return saved;
}

HistorySaveResult restoreNewestBackup(const std::string& historyPath, const HistoryFileAccess& access) {
    const std::optional<HistoryBackup> backup = backupToRestore(historyPath);
    if (!backup)
        return {HistorySaveStatus::WriteFailed, "Es gibt keine lesbare Sicherung der Fallhistorie; sie ist "
                                                "unver\xE4ndert."};
    return restoreBackup(historyPath, *backup, access);
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
    return importHistory(window, HistoryImport{importPath, ImportMode::Replace, std::nullopt}, reporter,
                         access);
}

namespace {

std::string casesText(std::size_t cases) {
    return cases == 1 ? "1 Fall" : std::to_string(cases) + " F\xE4lle";
}

std::string quoted(const std::string& utf8Path) {
    return "\"" + utf8ToWindows1252(utf8Path) + "\"";
}

// The imported numbers belong to the repertory the imported file names, or, without a record
// beside it, to the one of an earlier version's history (see historyBinding).
std::optional<RepertoryIdentity> importedRepertory(const CaseHistory& imported,
                                                   const HistoryFileAccess& access) {
    if (access.repertories != nullptr) {
        const HistoryBinding binding = historyBinding(imported, *access.repertories);
        if (binding.record != RecordState::Unreadable)
            return binding.repertory;
    } else if (const RepertoryRecord record = readRepertoryRecord(imported.path);
               record.state == RecordState::Present) {
        return record.identity;
    }
    return std::nullopt;
}

bool numbersOfOtherRepertories(const CaseHistory& history, const CaseHistory& imported,
                               const HistoryFileAccess& access) {
    if (access.repertories == nullptr || history.cases.empty() || imported.cases.empty())
        return false;
    return !sameRepertory(historyBinding(history, *access.repertories).repertory,
                          historyBinding(imported, *access.repertories).repertory);
}

} // namespace

HistorySaveResult importHistory(CaseHistory& window, const HistoryImport& import, ErrorReporter* reporter,
                                const HistoryFileAccess& access) {
    std::optional<HistorySaveResult> refused;
    const auto refuse = [&](std::string message) {
        refused = HistorySaveResult{HistorySaveStatus::Refused, std::move(message)};
        HistoryChange unchanged;
        unchanged.save = false;
        return unchanged;
    };
    const HistorySaveResult result = updateShownHistory(window, reporter, access, [&](CaseHistory& history) {
        HistoryChange changed;
        CaseHistory imported = loadHistory(import.path, reporter);
        if (!imported.loaded)
            return changed;
        if (import.mode == ImportMode::Merge) {
            if (numbersOfOtherRepertories(history, imported, access))
                return refuse("Die F\xE4lle aus " + quoted(import.path) +
                              " geh\xF6ren zu einem anderen Repertorium als die Fallhistorie; ihre Nummern "
                              "bedeuten dort andere Rubriken. Sie wurden nicht zusammengef\xFChrt, die "
                              "Fallhistorie ist unver\xE4ndert.");
            if (history.cases.empty())
                changed.repertory = importedRepertory(imported, access);
            mergeHistory(history, imported);
            return changed;
        }
        // What is replaced is kept first; without that copy nothing is replaced.
        if (import.keepCopyAt && !keepCopyBeforeImport(history.path, *import.keepCopyAt))
            return refuse("Die bisherige Fallhistorie konnte nicht nach " +
                          quoted(backupFolderFor(history.path)) +
                          " kopiert werden. Der Import wurde nicht ausgef\xFChrt, die Fallhistorie ist "
                          "unver\xE4ndert.");
        changed.repertory = importedRepertory(imported, access);
        history.cases = std::move(imported.cases);
        history.loaded = true;
        return changed;
    });
    return refused ? *refused : result;
}

std::string importQuestion(std::size_t historyCases, std::size_t importedCases, const std::string& importPath,
                           const std::string& copyPath) {
    std::string question = "Fallhistorie importieren?\n\n\x84"
                           "Ersetzen\x93 ersetzt die Fallhistorie (" +
                           casesText(historyCases) + ") durch " + casesText(importedCases) + " aus " +
                           quoted(importPath) + ".";
    if (!copyPath.empty())
        question += " Die bisherige Fallhistorie bleibt als " + quoted(copyPath) + " erhalten.";
    return question +
           "\n\n\x84"
           "Zusammenf\xFChren\x93 f\xFCgt die Behandlungen aus der Datei den F\xE4llen gleichen "
           "Namens hinzu; Behandlungen, die schon da sind (gleiches Datum, gleiche Eintr\xE4ge), werden "
           "\xFC"
           "bersprungen, neue Namen werden neue F\xE4lle.\n\n\x84"
           "Abbrechen\x93 l\xE4sst die "
           "Fallhistorie unver\xE4ndert.";
}

} // namespace telvarin
