#include "history/ExportFile.h"

#include "foundation/files/FileKind.h"
#include "foundation/text/CodePage.h"

#include <cerrno>

namespace telvarin {

std::string writeFailureReason(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
#ifdef EDQUOT // not on Windows
    case EDQUOT:
#endif
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

std::string writeExportFile(const std::string& path, std::string_view bytes, const FileSystemCalls& calls) {
    errno = 0;
    // A table of patients is private as a case history is, or the group's in its folder.
    const ReplaceResult result = replaceFile(path, bytes, calls);
    // The failed call's error number is still set: what runs after it only succeeds or leaves it.
    const int error = errno;
    if (result.ok())
        return {};
    const std::string start =
        "Die Datei \"" + utf8ToWindows1252(path) + "\" konnte nicht gespeichert werden. ";
    if (result.status == ReplaceStatus::NotRegular)
        return start + "An dieser Stelle steht " + result.note + ".";
    return start + writeFailureReason(error);
}

} // namespace telvarin
