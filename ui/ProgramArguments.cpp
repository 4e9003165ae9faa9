#include "ui/ProgramArguments.h"

#include "TelvarinVersion.h"

#include <ostream>

namespace telvarin {
namespace {

constexpr const char* kUsage = "Aufruf: telvarin [--help | --version]\n";

constexpr const char* kHelp =
    "Telvarin: Repertorisation für die Homöopathie.\n"
    "Ohne Argumente startet das Programm mit dem Fenster der Falleingabe.\n"
    "Die Fallhistorie (historie.xml) liegt im Praxisordner: im Startordner, wenn er schon\n"
    "historie.xml oder repertorium.dat enthält, sonst im Ordner der Einstellungen\n"
    "(Praxisordner); beim ersten Start fragt das Programm danach.\n"
    "Das Repertorium ist eine repertorium.dat im Praxisordner, sonst das in den Einstellungen\n"
    "gewählte (Repertorium), voreingestellt der deutsche Kent.\n"
#ifdef _WIN32
    "Einstellungen: in der Registrierung unter HKEY_CURRENT_USER\\Software\\Kesto\\OrvandWCE.\n"
#else
    "Einstellungen: ~/.config/Kesto/OrvandWCE.conf. Mehr in \"man telvarin\".\n"
#endif
    "  --help     diese Hilfe ausgeben\n"
    "  --version  die Versionsnummer ausgeben\n";

} // namespace

std::optional<int> answerProgramArguments(std::span<const std::string> arguments, std::ostream& out,
                                          std::ostream& err) {
    if (arguments.empty())
        return std::nullopt;
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "--version")) {
        if (arguments[0] == "--help")
            out << kUsage << kHelp;
        else
            out << "telvarin " TELVARIN_VERSION "\n";
        // A full disk or a closed pipe is an error like any other.
        if (out.flush())
            return 0;
        err << "telvarin: die Ausgabe kann nicht geschrieben werden\n";
        return 1;
    }
    err << "telvarin: unbekanntes Argument \"" << arguments[0] << "\"\n"
        << kUsage << "Das Programm nimmt keine weiteren Argumente.\n";
    return 2;
}

} // namespace telvarin
