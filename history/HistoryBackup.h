#pragma once

// Daily copies of the history file in a folder "Sicherungen" beside it: before the first save of a
// day the file as it was is kept as "historie-YYYY-MM-DD.xml"; the newest kKeptBackups stay.

#include "history/HistoryOperations.h"

#include <cstddef>
#include <optional>
#include <string>

namespace telvarin {

inline constexpr std::size_t kKeptBackups = 14;
inline constexpr std::string_view kBackupFolderName = "Sicherungen";

// "<folder of the history>/Sicherungen/historie-2026-12-07.xml" for the day given.
std::string backupPathFor(const std::string& historyPath, const LocalDateTime& day);

// Copies the history file as it is now, unless today's copy exists already or there is nothing to
// copy, and removes the oldest copies beyond kKeptBackups. False when the copy could not be made.
bool keepDailyBackup(const std::string& historyPath, const LocalDateTime& today);

struct HistoryBackup {
    std::string path;
    std::string date; // "07.12.2026"
};

// The newest copy, if there is one.
std::optional<HistoryBackup> newestBackup(const std::string& historyPath);

// The question that offers the backup in place of the unreadable history file.
std::string restoreBackupQuestion(const std::string& historyPath, const HistoryBackup& backup);

} // namespace telvarin
