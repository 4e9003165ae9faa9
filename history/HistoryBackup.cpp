#include "history/HistoryBackup.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/FileReplacement.h"
#include "foundation/files/Folders.h"
#include "foundation/files/LockFiles.h"
#include "foundation/files/Utf8Paths.h"
#include "foundation/text/CodePage.h"
#include "history/HistoryFile.h"
#include "history/RepertoryRecord.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kLargestCopiedFile = std::uint64_t{1} << 32;
constexpr std::size_t kDateLength = 10; // YYYY-MM-DD
constexpr std::string_view kWriteCopyInfix = ".telvarin-schreibkopie";
// Never a daily copy's name, so the fourteen kept days do not count these copies.
constexpr std::string_view kImportCopyInfix = "-vor-Import-";

// The file a link points to: its copies belong beside it.
fs::path resolved(const std::string& historyPath) {
    return pathFromUtf8(resolvedPath(historyPath));
}

fs::path backupFolderOf(const fs::path& history) {
    return history.parent_path() / kBackupFolderName;
}

int digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// The day of a copy's name ("historie-2026-12-07" and the extension given), or nothing when the
// name is not one of a copy of this history. "historie-2026-13-45.xml" is a name of the user's.
std::optional<LocalDateTime> dayOfCopyName(std::string_view name, const fs::path& history,
                                           std::string_view extension) {
    const std::string stem = utf8FromPath(history.stem()) + "-";
    if (name.size() != stem.size() + kDateLength + extension.size() || !name.starts_with(stem) ||
        !name.ends_with(extension))
        return std::nullopt;
    const std::string_view date = name.substr(stem.size(), kDateLength);
    const int year = digitsAt(date, 0, 4);
    const int month = digitsAt(date, 5, 2);
    const int day = digitsAt(date, 8, 2);
    if (date[4] != '-' || date[7] != '-' || year < 1 || month < 0 || day < 0)
        return std::nullopt;
    const std::chrono::year_month_day real{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!real.ok())
        return std::nullopt;
    return LocalDateTime{day, month, year, 0, 0};
}

std::optional<LocalDateTime> dayOfBackupName(std::string_view name, const fs::path& history) {
    return dayOfCopyName(name, history, utf8FromPath(history.extension()));
}

// The copies' names, oldest first (the dates in their names sort so).
std::vector<std::string> backupNames(const fs::path& history) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(backupFolderOf(history), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = utf8FromPath(it->path().filename());
        if (dayOfBackupName(name, history) && it->is_regular_file(ec))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string dateText(const LocalDateTime& day) {
    return formatDateStamp(day).substr(0, 10);
}

// The files the program writes for this history, beside it and in "Sicherungen".
bool isOwnFileName(std::string_view name, const fs::path& history) {
    const std::string historyName = utf8FromPath(history.filename());
    const std::string stem = utf8FromPath(history.stem());
    const std::string extension = utf8FromPath(history.extension());
    return name == historyName || name == stem + std::string(kRepertoryRecordExtension) ||
           name.starts_with(historyName + ".defekt") ||
           name == stem + std::string(kWriteCopyInfix) + extension || dayOfBackupName(name, history) ||
           name.starts_with(stem + std::string(kImportCopyInfix)) ||
           dayOfCopyName(name, history, kRepertoryRecordExtension);
}

void removeOwnTemporariesIn(const fs::path& folder, const fs::path& history) {
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::optional<std::string> replaced = fileReplacedBy(utf8FromPath(it->path().filename()));
        if (replaced && isOwnFileName(*replaced, history) && it->is_regular_file(ec))
            fs::remove(it->path(), ec);
    }
}

std::string countsText(const HistoryBackup& backup) {
    const std::string cases = backup.cases == 1 ? "1 Fall" : std::to_string(backup.cases) + " F\xE4lle";
    const std::string treatments =
        backup.treatments == 1 ? "1 Behandlung" : std::to_string(backup.treatments) + " Behandlungen";
    return cases + " mit " + treatments;
}

// A copy that can be read, with what it holds.
std::optional<HistoryBackup> readableCopy(const std::string& path, std::string date, BackupKind kind) {
    const CaseHistory copy = loadHistory(path, nullptr);
    if (!copy.loaded)
        return std::nullopt;
    HistoryBackup backup{path, std::move(date), kind, copy.cases.size(), 0};
    for (const HistoryCase& c : copy.cases)
        backup.treatments += c.treatments.size();
    return backup;
}

} // namespace

std::string backupFolderFor(const std::string& historyPath) {
    return utf8FromPath(backupFolderOf(resolved(historyPath)));
}

std::string backupPathFor(const std::string& historyPath, const LocalDateTime& day) {
    const fs::path history = resolved(historyPath);
    char date[32];
    std::snprintf(date, sizeof date, "-%04d-%02d-%02d", day.year, day.month, day.day);
    fs::path name = history.stem();
    name += date;
    name += history.extension();
    return utf8FromPath(backupFolderOf(history) / name);
}

std::string writeCopyPathFor(const std::string& historyPath) {
    const fs::path history = resolved(historyPath);
    fs::path name = history.stem();
    name += kWriteCopyInfix;
    name += history.extension();
    return utf8FromPath(backupFolderOf(history) / name);
}

bool prepareBackupFolder(const std::string& historyPath) {
    const fs::path history = resolved(historyPath);
    return makeFolderSharedLike(utf8FromPath(backupFolderOf(history)), utf8FromPath(history));
}

namespace {

enum class CopyOutcome { Copied, NothingToCopy, Failed };

// The history file as it is now, with its record, as copy in "Sicherungen".
CopyOutcome copyHistoryFile(const std::string& historyPath, const std::string& copy) {
    const FileReadResult current = readRegularFile(historyPath, kLargestCopiedFile);
    if (const auto* error = std::get_if<FileReadError>(&current))
        return error->missing ? CopyOutcome::NothingToCopy : CopyOutcome::Failed;
    if (std::get<std::string>(current).empty())
        return CopyOutcome::NothingToCopy;
    if (!prepareBackupFolder(historyPath))
        return CopyOutcome::Failed;
    ReplaceOptions shared;
    shared.accessModel = utf8FromPath(resolved(historyPath));
    if (!replaceFileContents(copy, std::get<std::string>(current), FileSystemCalls::system(), shared))
        return CopyOutcome::Failed;
    copyRepertoryRecord(historyPath, copy);
    return CopyOutcome::Copied;
}

} // namespace

bool keepDailyBackup(const std::string& historyPath, const LocalDateTime& today) {
    const std::string backup = backupPathFor(historyPath, today);
    std::error_code ec;
    if (fs::exists(pathFromUtf8(backup), ec))
        return true;
    if (const CopyOutcome copied = copyHistoryFile(historyPath, backup); copied != CopyOutcome::Copied)
        return copied == CopyOutcome::NothingToCopy;
    const fs::path history = resolved(historyPath);
    const fs::path folder = backupFolderOf(history);
    std::vector<std::string> names = backupNames(history);
    // Copies dated after today come from a clock that ran ahead. They are kept, but only the days
    // up to today count, so that today's copy is never the oldest one removed.
    const std::string todayName = utf8FromPath(pathFromUtf8(backup).filename());
    std::erase_if(names, [&todayName](const std::string& name) { return name > todayName; });
    for (std::size_t i = 0; i + kKeptBackups < names.size(); ++i) {
        const fs::path copy = folder / pathFromUtf8(names[i]);
        fs::remove(copy, ec);
        fs::remove(pathFromUtf8(repertoryRecordPath(utf8FromPath(copy))), ec);
    }
    return true;
}

std::string importCopyPathFor(const std::string& historyPath, const LocalDateTime& now) {
    const fs::path history = resolved(historyPath);
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d-%02d%02d", now.year, now.month, now.day, now.hour,
                  now.minute);
    const std::string base = utf8FromPath(history.stem()) + std::string(kImportCopyInfix) + stamp;
    std::string name = base + utf8FromPath(history.extension());
    std::error_code ec;
    for (int n = 2; fs::exists(backupFolderOf(history) / pathFromUtf8(name), ec) ||
                    fs::is_symlink(backupFolderOf(history) / pathFromUtf8(name), ec);
         ++n)
        name = base + "-" + std::to_string(n) + utf8FromPath(history.extension());
    return utf8FromPath(backupFolderOf(history) / pathFromUtf8(name));
}

std::optional<std::string> keepCopyBeforeImport(const std::string& historyPath, const LocalDateTime& now) {
    const std::string copy = importCopyPathFor(historyPath, now);
    switch (copyHistoryFile(historyPath, copy)) {
    case CopyOutcome::Copied:
        return copy;
    case CopyOutcome::NothingToCopy:
        return std::string();
    case CopyOutcome::Failed:
        break;
    }
    return std::nullopt;
}

void removeLeftoversOfSaves(const std::string& historyPath) {
    const fs::path history = resolved(historyPath);
    removeOwnTemporariesIn(history.parent_path(), history);
    removeOwnTemporariesIn(backupFolderOf(history), history);
}

std::optional<HistoryBackup> newestBackup(const std::string& historyPath) {
    const fs::path history = resolved(historyPath);
    const std::vector<std::string> names = backupNames(history);
    if (names.empty())
        return std::nullopt;
    return HistoryBackup{utf8FromPath(backupFolderOf(history) / pathFromUtf8(names.back())),
                         dateText(*dayOfBackupName(names.back(), history))};
}

std::optional<HistoryBackup> backupToRestore(const std::string& historyPath) {
    const std::string writeCopy = writeCopyPathFor(historyPath);
    if (const auto modified = modificationTimeOf(writeCopy);
        modified && fileKindOf(writeCopy) == FileKind::Regular) {
        const std::string stamp = formatDateStamp(localDateTimeOf(*modified));
        if (auto copy = readableCopy(writeCopy, stamp.substr(0, 10) + " um " + stamp.substr(11),
                                     BackupKind::InterruptedSave))
            return copy;
    }
    const fs::path history = resolved(historyPath);
    const std::vector<std::string> names = backupNames(history);
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (auto copy = readableCopy(utf8FromPath(backupFolderOf(history) / pathFromUtf8(*name)),
                                     dateText(*dayOfBackupName(*name, history)), BackupKind::Daily))
            return copy;
    }
    return std::nullopt;
}

std::string damagedCopyPathFor(const std::string& historyPath) {
    const fs::path history = resolved(historyPath);
    const fs::path folder = folderWriteFailure(utf8FromPath(history.parent_path())) ? backupFolderOf(history)
                                                                                    : history.parent_path();
    const std::string base = utf8FromPath(folder / history.filename()) + ".defekt";
    std::string damaged = base;
    std::error_code ec;
    for (int n = 2; fs::exists(pathFromUtf8(damaged), ec) || fs::is_symlink(pathFromUtf8(damaged), ec); ++n)
        damaged = base + "-" + std::to_string(n);
    return damaged;
}

std::string restoreBackupQuestion(const std::string& historyPath, const HistoryBackup& backup) {
    std::string history = "\"";
    history.append(utf8ToWindows1252(historyPath)).append("\"");
    std::string question =
        "Sicherung wiederherstellen?\n\nDie Fallhistorie " + history + " kann nicht gelesen werden";
    if (backup.kind == BackupKind::InterruptedSave)
        question +=
            ": Das Speichern am " + backup.date +
            " wurde unterbrochen. Soll die vollst\xE4ndige Kopie, die dabei zuerst gespeichert wurde, an "
            "ihre Stelle treten? Sie enth\xE4lt " +
            countsText(backup) + ".\n\nDabei geht nichts verloren.";
    else
        question += ". Soll die Sicherung vom " + backup.date + " an ihre Stelle treten? Sie enth\xE4lt " +
                    countsText(backup) +
                    ".\n\nDie Sicherung zeigt die Fallhistorie, wie sie vor der ersten \xC4nderung am " +
                    backup.date +
                    " war. Was seitdem abgelegt, gel\xF6scht oder importiert wurde, fehlt danach in der "
                    "Fallhistorie.";
    return question + "\n\nDie besch\xE4" + "digte Datei bleibt als \"" +
           utf8ToWindows1252(damagedCopyPathFor(historyPath)) + "\" erhalten.";
}

} // namespace telvarin
