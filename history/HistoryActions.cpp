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

std::string caseNameForMessage(Windows1252View name) {
    return "\"" + std::string(name.bytes()) + "\"";
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

} // namespace

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
        return goneChange("Der Eintrag " + treatmentLabel(*shownTreatment).bytes() + " des Falls " +
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

namespace {

std::string unboundImportMessage(const std::string& importPath) {
    const std::string path = utf8ToWindows1252(importPath);
    return "Die Datei \"" + path +
           "\" enth\xE4lt F\xE4lle, aber keine Angabe, zu welchem Repertorium ihre Rubriknummern "
           "geh\xF6ren (die Datei \"" +
           utf8ToWindows1252(repertoryRecordPath(importPath)) +
           "\" fehlt oder ist nicht lesbar). Sie wurde nicht importiert; die Fallhistorie bleibt "
           "unver\xE4ndert.\n\nGeben Sie das Repertorium an mit\n    telvarin-repertory history \"" +
           path + "\" --bind DATENDATEI\n(f\xFCr das eingebaute Repertorium: --bind eingebaut).";
}

// Whether the file holds numbers, or may hold them: one that cannot be read counts as holding.
bool fileHoldsNumbers(const std::string& path) {
    const CaseHistory onDisk = loadHistory(path, nullptr);
    return onDisk.unreadable || holdsNumbers(onDisk);
}

} // namespace

HistorySaveResult saveWithRepertoryRecord(const std::string& historyPath,
                                          const std::optional<RecordedRepertory>& record,
                                          const std::function<HistorySaveResult()>& save) {
    const RepertoryRecord current = readRepertoryRecord(historyPath);
    const bool unchanged = record ? current.state == RecordState::Present && current.recorded == *record
                                  : current.state == RecordState::Missing;
    if (unchanged)
        return save();
    const HistorySaveResult recordFailed{HistorySaveStatus::WriteFailed,
                                         recordWriteFailedMessage(historyPath)};
    if (!fileHoldsNumbers(historyPath)) {
        if (record ? !writeRepertoryRecord(historyPath, *record) : !removeRepertoryRecord(historyPath))
            return recordFailed;
        return save();
    }
    if (current.state != RecordState::Missing && !removeRepertoryRecord(historyPath))
        return recordFailed;
    const HistorySaveResult saved = save();
    // The old numbers are still on disk: so is their record again.
    if (!saved.saved() && current.state == RecordState::Present)
        writeRepertoryRecord(historyPath, current.recorded);
    if (!saved.saved() || !record)
        return saved;
    if (!writeRepertoryRecord(historyPath, *record))
        return {HistorySaveStatus::WriteFailed,
                recordWriteFailedMessage(historyPath) +
                    " Die Fallhistorie ist gespeichert, aber an kein Repertorium gebunden; sie fragt beim "
                    "n\xE4"
                    "chsten \xD6"
                    "ffnen danach."};
    return saved;
}

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
    else if (!changed.refusal.empty())
        result = {HistorySaveStatus::Refused, changed.refusal};
    else if (changed.save) {
        bool rebind = changed.rebind;
        std::optional<RecordedRepertory> record = changed.repertory;
        // The first numbers filed bind the history to the repertory they were filed with.
        if (!rebind && numbersMustMatch && binding && binding->state == BindingState::NoCases) {
            rebind = true;
            record = recordOf(access.repertories->inUse);
        }
        keepDailyBackup(historyPath, access.today.value_or(currentLocalDateTime()));
        const auto save = [&] { return saveHistory(history, access.calls); };
        result = rebind ? saveWithRepertoryRecord(historyPath, record, save) : save();
        removeLeftoversOfSaves(historyPath);
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
        // The copy names the repertory of its numbers too, so that an import can tell; a record
        // that does not fit the numbers stays behind.
        std::optional<RecordedRepertory> record;
        if (const RepertoryRecord own = readRepertoryRecord(window.path); own.state == RecordState::Present)
            record = own.recorded;
        if (access.repertories != nullptr &&
            historyBinding(window, *access.repertories).state != BindingState::Bound)
            record.reset();
        return saveWithRepertoryRecord(target, record,
                                       [&] { return saveHistoryAs(window, target, access.calls); });
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
    // The numbers of a daily backup belong to the repertory its record names, those of an
    // interrupted save of this history to the history's own; the record goes with them.
    const RepertoryRecord record =
        readRepertoryRecord(backup.kind == BackupKind::InterruptedSave ? historyPath : backup.path);
    const HistorySaveResult saved = saveWithRepertoryRecord(
        historyPath, record.state == RecordState::Present ? std::optional(record.recorded) : std::nullopt,
        [&] { return saveHistory(restored, access.calls); });
    removeLeftoversOfSaves(historyPath);
    if (!saved.saved())
        return {HistorySaveStatus::WriteFailed, failed + (saved.message.empty() ? "" : " " + saved.message)};
    if (backup.kind == BackupKind::InterruptedSave) {
        std::error_code ec;
        std::filesystem::remove(pathFromUtf8(backup.path), ec);
    }
    return saved;
}

HistorySaveResult restoreNewestBackup(const std::string& historyPath, const HistoryFileAccess& access) {
    const std::optional<HistoryBackup> backup = backupToRestore(historyPath);
    if (!backup)
        return {HistorySaveStatus::WriteFailed, "Es gibt keine lesbare Sicherung der Fallhistorie; sie ist "
                                                "unver\xE4ndert."};
    return restoreBackup(historyPath, *backup, access);
}

HistorySaveResult fileTreatmentInHistoryFile(const std::string& historyPath, Windows1252View name,
                                             Windows1252View comment, std::span<const CaseSymptom> caseRows,
                                             const LocalDateTime& now, ErrorReporter* reporter,
                                             const HistoryFileAccess& access,
                                             const Prescription& prescription) {
    return updateBoundHistoryFile(
        historyPath, reporter, access, true,
        [&](CaseHistory& history) {
            fileTreatment(history, name, comment, caseRows, now, prescription);
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

// Merging puts numbers beside numbers: both must mean the same rubrics.
bool numbersOfOtherRepertories(const CaseHistory& history, const RepertoryRecord& historyRecord,
                               const std::optional<RecordedRepertory>& imported,
                               const HistoryFileAccess& access) {
    if (access.repertories == nullptr || !holdsNumbers(history) || !imported)
        return false;
    const HistoryBinding binding =
        historyBinding(historyRecord, true, largestRubricNumberIn(history), *access.repertories);
    return binding.state != BindingState::Bound || !sameNumbering(binding.recorded, *imported);
}

} // namespace

HistoryChange importChange(CaseHistory& history, const RepertoryRecord& historyRecord,
                           const HistoryImport& import, ErrorReporter* reporter,
                           const HistoryFileAccess& access) {
    // The imported numbers belong to the repertory the imported file's record names; without one
    // they belong to none that is known, and nothing is guessed.
    HistoryChange changed;
    CaseHistory imported = loadHistory(import.path, reporter);
    if (!imported.loaded)
        return changed;
    const auto refuse = [&](std::string message) {
        changed.save = false;
        changed.refusal = std::move(message);
        return changed;
    };
    std::optional<RecordedRepertory> importedRecord;
    if (holdsNumbers(imported)) {
        const RepertoryRecord record = readRepertoryRecord(import.path);
        // A program that checks the repertory imports nothing it would have to guess.
        if (record.state != RecordState::Present && access.repertories != nullptr)
            return refuse(unboundImportMessage(import.path));
        if (record.state == RecordState::Present)
            importedRecord = record.recorded;
    }
    if (import.mode == ImportMode::Merge) {
        if (numbersOfOtherRepertories(history, historyRecord, importedRecord, access))
            return refuse("Die F\xE4lle aus " + quoted(import.path) +
                          " geh\xF6ren zu einem anderen Repertorium als die Fallhistorie; ihre Nummern "
                          "bedeuten dort andere Rubriken. Sie wurden nicht zusammengef\xFChrt, die "
                          "Fallhistorie ist unver\xE4ndert.");
        if (!holdsNumbers(history) && importedRecord) {
            changed.rebind = true;
            changed.repertory = importedRecord;
        }
        mergeHistory(history, imported);
        return changed;
    }
    // What is replaced is kept first; without that copy nothing is replaced.
    if (import.keepCopyAt && !keepCopyBeforeImport(history.path, *import.keepCopyAt))
        return refuse("Die bisherige Fallhistorie konnte nicht nach " +
                      quoted(backupFolderFor(history.path)) +
                      " kopiert werden. Der Import wurde nicht ausgef\xFChrt, die Fallhistorie ist "
                      "unver\xE4ndert.");
    if (holdsNumbers(imported)) {
        changed.rebind = true;
        changed.repertory = importedRecord;
    }
    history.cases = std::move(imported.cases);
    history.loaded = true;
    return changed;
}

HistorySaveResult importHistory(CaseHistory& window, const HistoryImport& import, ErrorReporter* reporter,
                                const HistoryFileAccess& access) {
    return updateShownHistory(window, reporter, access, [&](CaseHistory& history) {
        return importChange(history, readRepertoryRecord(history.path), import, reporter, access);
    });
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

HistorySaveResult bindHistory(const std::string& historyPath, const RepertoryIdentity& repertory,
                              const HistoryFileAccess& access) {
    HistoryLock::Result lock = HistoryLock::acquire(historyPath, access.lockTimeout, access.waiting);
    if (const auto* busy = std::get_if<HistoryLock::Busy>(&lock))
        return {HistorySaveStatus::Busy, busy->message};
    const CaseHistory history = loadHistory(historyPath, nullptr);
    if (history.unreadable)
        return refusal(history);
    if (const int largest = largestRubricNumberIn(history); !holdsEveryNumber(repertory, largest))
        return {HistorySaveStatus::Refused,
                "Die Fallhistorie \"" + utf8ToWindows1252(historyPath) + "\" enth\xE4lt die Rubriknummer " +
                    std::to_string(largest) + ", das Repertorium \x84" + repertory.name.bytes() +
                    "\x93 hat aber nur " + std::to_string(repertory.largestRubricNumber) +
                    " Rubriken: Sie geh\xF6rt nicht zu ihm. Die Angabe bleibt unver\xE4ndert."};
    if (!writeRepertoryRecord(historyPath, recordOf(repertory)))
        return {HistorySaveStatus::WriteFailed, recordWriteFailedMessage(historyPath)};
    return {};
}

} // namespace telvarin
