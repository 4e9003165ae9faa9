#include "history/HistoryBackup.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/FileReplacement.h"
#include "foundation/files/Folders.h"
#include "foundation/text/CodePage.h"
#include "history/RepertoryRecord.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kLargestCopiedFile = std::uint64_t{1} << 32;
constexpr std::size_t kDateLength = 10; // YYYY-MM-DD

// The file a link points to: its copies belong beside it.
fs::path resolved(const std::string& historyPath) {
    return resolvedPath(historyPath);
}

fs::path backupFolderOf(const fs::path& history) {
    return history.parent_path() / kBackupFolderName;
}

// The date of a copy's name, or nothing when the name is not one of a copy of this history.
std::optional<std::string> dateOfBackupName(const std::string& name, const fs::path& history) {
    const std::string stem = history.stem().string() + "-";
    const std::string extension = history.extension().string();
    if (name.size() != stem.size() + kDateLength + extension.size() || !name.starts_with(stem) ||
        !name.ends_with(extension))
        return std::nullopt;
    const std::string date = name.substr(stem.size(), kDateLength);
    for (std::size_t i = 0; i < date.size(); ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? date[i] != '-' : (date[i] < '0' || date[i] > '9'))
            return std::nullopt;
    }
    return date;
}

// The copies' names, oldest first (the dates in their names sort so).
std::vector<std::string> backupNames(const fs::path& history) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(backupFolderOf(history), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (dateOfBackupName(name, history) && it->is_regular_file(ec))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

std::string backupPathFor(const std::string& historyPath, const LocalDateTime& day) {
    const fs::path history = resolved(historyPath);
    char date[32];
    std::snprintf(date, sizeof date, "-%04d-%02d-%02d", day.year, day.month, day.day);
    return (backupFolderOf(history) / (history.stem().string() + date + history.extension().string()))
        .string();
}

bool keepDailyBackup(const std::string& historyPath, const LocalDateTime& today) {
    const std::string backup = backupPathFor(historyPath, today);
    std::error_code ec;
    if (fs::exists(backup, ec))
        return true;
    const FileReadResult current = readRegularFile(historyPath, kLargestCopiedFile);
    if (const auto* error = std::get_if<FileReadError>(&current))
        return error->missing;
    if (std::get<std::string>(current).empty())
        return true;
    const fs::path history = resolved(historyPath);
    const fs::path folder = backupFolderOf(history);
    if (!makePrivateFolder(folder.string()))
        return false;
    if (!replaceFileContents(backup, std::get<std::string>(current)))
        return false;
    copyRepertoryRecord(historyPath, backup);
    const std::vector<std::string> names = backupNames(history);
    for (std::size_t i = 0; i + kKeptBackups < names.size(); ++i) {
        fs::remove(folder / names[i], ec);
        fs::remove(repertoryRecordPath((folder / names[i]).string()), ec);
    }
    return true;
}

std::optional<HistoryBackup> newestBackup(const std::string& historyPath) {
    const fs::path history = resolved(historyPath);
    const std::vector<std::string> names = backupNames(history);
    if (names.empty())
        return std::nullopt;
    const std::string iso = *dateOfBackupName(names.back(), history);
    return HistoryBackup{(backupFolderOf(history) / names.back()).string(),
                         iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4)};
}

std::string restoreBackupQuestion(const std::string& historyPath, const HistoryBackup& backup) {
    return "Sicherung wiederherstellen?\n\nDie Fallhistorie kann nicht gelesen werden. Soll die Sicherung "
           "vom " +
           backup.date + " an ihre Stelle treten? Die besch\xE4" + "digte Datei bleibt als \"" +
           utf8ToWindows1252(resolved(historyPath).filename().string()) + ".defekt\" erhalten.";
}

} // namespace telvarin
