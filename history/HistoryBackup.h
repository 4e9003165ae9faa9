#pragma once

// Copies of the history file in a folder "Sicherungen" beside it, for everyone who may change the
// history: the folder and the copies get the history's group and mode. Before the first save of a
// day the file as it was is kept as "historie-YYYY-MM-DD.xml"; the newest kKeptBackups stay. Only
// names with a real date count as such copies: every other file in the folder is the user's and
// is never touched. A history that can only be written in place is first written whole into
// "historie.telvarin-schreibkopie.xml" there, which stays only when that write was interrupted.

#include "history/HistoryOperations.h"

#include <cstddef>
#include <optional>
#include <string>

namespace telvarin {

inline constexpr std::size_t kKeptBackups = 14;
inline constexpr std::string_view kBackupFolderName = "Sicherungen";

// "<folder of the history>/Sicherungen" beside the file a link points to.
std::string backupFolderFor(const std::string& historyPath);
// "<folder of the history>/Sicherungen/historie-2026-12-07.xml" for the day given.
std::string backupPathFor(const std::string& historyPath, const LocalDateTime& day);
// "<folder of the history>/Sicherungen/historie.telvarin-schreibkopie.xml".
std::string writeCopyPathFor(const std::string& historyPath);

// Makes "Sicherungen" for the whole group (see makeFolderSharedLike); false when there is none.
bool prepareBackupFolder(const std::string& historyPath);

// Copies the history file as it is now, unless today's copy exists already or there is nothing to
// copy, and removes the oldest copies beyond kKeptBackups. False when the copy could not be made.
bool keepDailyBackup(const std::string& historyPath, const LocalDateTime& today);

// Where keepCopyBeforeImport keeps the history that an import replaces at now:
// "<folder of the history>/Sicherungen/historie-vor-Import-2026-12-08-0425.xml", or with "-2" and so
// on before the extension while that name is taken. These copies stay until the user removes them.
std::string importCopyPathFor(const std::string& historyPath, const LocalDateTime& now);
// Copies the history file as it is now to importCopyPathFor. The copy's path; empty when there was
// nothing to copy; nothing when the copy could not be made.
std::optional<std::string> keepCopyBeforeImport(const std::string& historyPath, const LocalDateTime& now);

// Removes what interrupted saves of the history, its repertory record and its copies left behind
// (their temporary files, and a copy for writing in place once the history is whole again). Only
// while the history is locked.
void removeLeftoversOfSaves(const std::string& historyPath);

enum class BackupKind {
    Daily,           // the history as it was before the first change of its day
    InterruptedSave, // the whole content of a save in place that was interrupted
};

struct HistoryBackup {
    std::string path;
    std::string date; // "07.12.2026"; for an interrupted save also the time, "07.12.2026 um 09:05"
    BackupKind kind = BackupKind::Daily;
    std::size_t cases = 0;
    std::size_t treatments = 0;
};

// The newest daily copy, if there is one.
std::optional<HistoryBackup> newestBackup(const std::string& historyPath);

// What can take the place of an unreadable history: the copy of an interrupted save in place,
// which loses nothing, else the newest daily copy that can be read.
std::optional<HistoryBackup> backupToRestore(const std::string& historyPath);

// Where the damaged history is kept when a copy takes its place: "historie.xml.defekt" beside it
// (or "...defekt-2" and so on, when that is taken), in "Sicherungen" where its folder allows no
// new files.
std::string damagedCopyPathFor(const std::string& historyPath);

// The question that offers the copy in place of the unreadable history file: its date, what is
// lost since then and where the damaged file is kept.
std::string restoreBackupQuestion(const std::string& historyPath, const HistoryBackup& backup);

} // namespace telvarin
