#include "history/ExportFile.h"

#include "foundation/CodePage.h"

#include <cerrno>
#include <sys/stat.h>

namespace telvarin {

std::string writeFailureReason(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
        return "Auf dem Datentr\xE4ger ist nicht genug Platz.";
    case EACCES:
    case EPERM:
        return "Es fehlt die Berechtigung, dort zu schreiben.";
    case EROFS:
        return "Der Datentr\xE4ger ist schreibgesch\xFCtzt.";
    case ENOENT:
    case ENOTDIR:
        return "Der Ordner existiert nicht.";
    case ENAMETOOLONG:
        return "Der Dateiname ist zu lang.";
    case EIO:
        return "Der Datentr\xE4ger meldet einen Lese- oder Schreibfehler.";
    case 0:
        return "Sie lie\xDF sich nicht vollst\xE4ndig schreiben.";
    default:
        return "Das System meldet den Fehler " + std::to_string(errorNumber) + ".";
    }
}

namespace {

// A new file is made private by the replacement, which suits the case history; a table saved to
// be shared gets the access every new file of the user gets.
void giveUsualAccess(const std::string& path) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(path.c_str(), 0666 & ~mask);
}

} // namespace

std::string writeExportFile(const std::string& path, std::string_view bytes, const FileSystemCalls& calls) {
    struct stat existing {};
    const bool isNew = ::stat(path.c_str(), &existing) != 0;
    errno = 0;
    const ReplaceResult result = replaceFile(path, bytes, calls);
    // The failed call's error number is still set: what runs after it only succeeds or leaves it.
    const int error = errno;
    if (result.ok()) {
        if (isNew)
            giveUsualAccess(path);
        return {};
    }
    const std::string start =
        "Die Datei \"" + utf8ToWindows1252(path) + "\" konnte nicht gespeichert werden. ";
    if (result.status == ReplaceStatus::NotRegular)
        return start + "An dieser Stelle steht " + result.note + ".";
    return start + writeFailureReason(error);
}

} // namespace telvarin
