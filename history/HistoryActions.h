#pragma once

// The user's actions on the history file. Each is one read-modify-write under the history's lock
// (see HistoryLock.h): the file is read afresh, the action applied to what it holds now, and the
// whole file saved, so that nothing another window or program filed in the meantime is lost. None
// of them saves over a history file that exists but could not be read: they refuse and say so
// (HistorySaveStatus::Refused with a German message naming the file).

#include "analysis/CaseSymptom.h"
#include "foundation/text/ErrorReporter.h"
#include "history/HistoryBackup.h"
#include "history/HistoryFile.h"
#include "history/HistoryLock.h"
#include "history/HistoryOperations.h"
#include "history/RepertoryRecord.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace telvarin {

// How the actions reach the file.
struct HistoryFileAccess {
    std::chrono::milliseconds lockTimeout = kHistoryLockTimeout;
    std::function<void()> waiting; // called when the lock is not free at once
    FileSystemCalls calls = FileSystemCalls::system();
    std::optional<LocalDateTime> today; // the day of the backup; the clock's when not given
    // When given, a saved change writes the record of the history's repertory where it has none
    // (see RepertoryRecord.h), and filing is refused while the history belongs to another one.
    const ProgramRepertories* repertories = nullptr;
};

// What an action does to the history read afresh: save it, leave it, or refuse because what the
// user acted on is gone (message: German, Windows-1252).
struct HistoryChange {
    bool save = true;
    std::string goneMessage;
    // When not empty, nothing is saved and the action is refused with this message.
    std::string refusal;
    // The saved history's numbers belong to another repertory than those in the file (an
    // import's): its record becomes repertory, or goes when there is none.
    bool rebind = false;
    std::optional<RecordedRepertory> repertory;
};

// The history window's delete applied to history (see deleteFromHistoryFile): the change to save, or
// Gone with the message when the entry is not there as shown.
HistoryChange removeShown(CaseHistory& history, const HistoryCase& shownCase,
                          const Treatment* shownTreatment);

struct HistoryImport;
// The import applied to history, whose numbers belong to the repertory historyRecord names (see
// importHistory).
HistoryChange importChange(CaseHistory& history, const RepertoryRecord& historyRecord,
                           const HistoryImport& import, ErrorReporter* reporter,
                           const HistoryFileAccess& access);

// Saves a history with save (which writes it to historyPath) together with the record of the
// repertory its numbers belong to (none: without record). The order leaves no moment at which a
// crash leaves numbers beside a record of another repertory: into a file that holds numbers, the
// old record goes first and the new one follows the save (in between the history is bound to
// nothing, and the user is asked); into one that holds none, the record comes first, so that the
// new numbers are never on disk without it. Saved only when both are on disk.
HistorySaveResult saveWithRepertoryRecord(const std::string& historyPath,
                                          const std::optional<RecordedRepertory>& record,
                                          const std::function<HistorySaveResult()>& save);

// Records that the numbers of the history belong to repertory (the user's word on an unbound
// history, or on a record that is wrong). Refused when the history cannot be read or holds a
// number beyond the repertory.
HistorySaveResult bindHistory(const std::string& historyPath, const RepertoryIdentity& repertory,
                              const HistoryFileAccess& access = {});

// Locks the history file, reads it, applies change and saves when it asks for it, keeping the day's
// backup before and removing what earlier interrupted saves left behind. current, when
// given, receives the history as the file holds it afterwards (also after Gone); it is left alone
// when the lock could not be had or the file could not be read.
HistorySaveResult updateHistoryFile(const std::string& historyPath, ErrorReporter* reporter,
                                    const HistoryFileAccess& access,
                                    const std::function<HistoryChange(CaseHistory&)>& change,
                                    CaseHistory* current = nullptr);

// Files the treatment under name; refused (OtherRepertory) when access names the program's
// repertories and the history's numbers belong to another repertory or to none that is known.
// The first filing into a history that holds no numbers records the repertory in use, before the
// history is saved.
HistorySaveResult fileTreatmentInHistoryFile(const std::string& historyPath, Windows1252View name,
                                             Windows1252View comment, std::span<const CaseSymptom> caseRows,
                                             const LocalDateTime& now, ErrorReporter* reporter,
                                             const HistoryFileAccess& access = {},
                                             const Prescription& prescription = {});

// The history window's delete of a case it shows (shownTreatment null) or of one of its treatments.
// The entry is found in the fresh file by identity: the case by its name, the treatment by its
// stamp and contents. A case is deleted only when it is in the file as shown, so that a treatment
// filed into it meanwhile is not deleted unseen. On success and on Gone, window receives the
// file's history in the order sortByName selects.
HistorySaveResult deleteFromHistoryFile(CaseHistory& window, const HistoryCase& shownCase,
                                        const Treatment* shownTreatment, ErrorReporter* reporter,
                                        const HistoryFileAccess& access = {});

// The history window's import: when importPath loads, its cases replace those of the history file;
// either way the history is sorted in the window's order (window.sortByName), saved, and handed to
// window. Refused, with window unchanged, when the history file could not be read.
HistorySaveResult importHistory(CaseHistory& window, const std::string& importPath, ErrorReporter* reporter,
                                const HistoryFileAccess& access = {});

enum class ImportMode {
    Replace, // the imported cases take the place of the history's
    Merge,   // the imported treatments join the history's cases (see mergeHistory)
};

struct HistoryImport {
    std::string path; // the file imported, UTF-8
    ImportMode mode = ImportMode::Replace;
    // Replace only: when given, the history file is first kept by keepCopyBeforeImport at this
    // time, and nothing is replaced when that copy cannot be made.
    std::optional<LocalDateTime> keepCopyAt;
};

// The same in either mode. A merge is refused (window unchanged) when the access names the program's
// repertories and the imported numbers belong to another repertory than those of the history.
HistorySaveResult importHistory(CaseHistory& window, const HistoryImport& import, ErrorReporter* reporter,
                                const HistoryFileAccess& access = {});

// The question before an import: the history's cases replaced by those of importPath, the copy kept
// at copyPath (empty: nothing to keep), or merged instead. German, Windows-1252; paths UTF-8.
std::string importQuestion(std::size_t historyCases, std::size_t importedCases, const std::string& importPath,
                           const std::string& copyPath);

// The history window's export: the window's cases in its order to target. When target is the
// history file itself, the file is instead saved from what it holds now, in the window's order,
// and handed to window, so that an export cannot undo what was filed meanwhile.
HistorySaveResult exportHistory(CaseHistory& window, const std::string& target, ErrorReporter* reporter,
                                const HistoryFileAccess& access = {});

// Keeps the unreadable history file where damagedCopyPathFor says and puts the backup in its place,
// under the lock and as every save does, so that it cannot be torn either. Gone when the file can
// be read again by then.
HistorySaveResult restoreBackup(const std::string& historyPath, const HistoryBackup& backup,
                                const HistoryFileAccess& access = {});
// The same with backupToRestore.
HistorySaveResult restoreNewestBackup(const std::string& historyPath, const HistoryFileAccess& access = {});

} // namespace telvarin
