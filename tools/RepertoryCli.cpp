#include "tools/RepertoryCli.h"

#include "foundation/CodePage.h"
#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertorySource.h"
#include "repertory/RepertoryTexts.h"
#include "tools/CliOptions.h"
#include "tools/ImportCommand.h"

#ifdef TELVARIN_CLI_ANALYSIS
#include "tools/AnalysisCommands.h"
#endif
#ifdef TELVARIN_CLI_HISTORY
#include "tools/HistoryCommand.h"
#endif

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace telvarin {
namespace {

constexpr const char* kUsage =
    "Aufruf: telvarin-repertory BEFEHL [--file DATEI] [ARGUMENTE]\n"
    "Befehle:\n"
    "  build QUELLE ZIEL        Repertoriumsquelle (Text) in eine Datendatei \xC3\xBC"
    "bersetzen\n"
    "  import FORMAT QUELLE ZIEL  json-Ordner oder tsv-Datei in eine Datendatei \xC3\xBC"
    "bernehmen\n"
    "  check                    Datendatei pr\xC3\xBC"
    "fen und die f\xC3\xBCnf Anzahlen ausgeben\n"
    "  show N                   Nummer, Rubrik, Kapitel und Mittelliste der Rubrik N\n"
    "  export ZIEL              eingebautes Repertorium Byte f\xC3\xBCr Byte schreiben\n"
#ifdef TELVARIN_CLI_ANALYSIS
    "  analyse [--mode M] EINTRAG...   Fall auswerten (Eintr\xC3\xA4ge wie in der Tabelle: 5+8, -12)\n"
    "  overview TEXT [--chapter K] [--grades ZIFFERN] [--bd] [--size MIN MAX] [--others]\n"
    "  search TEXT [--chapter K]       Textsuche\n"
#endif
#ifdef TELVARIN_CLI_HISTORY
    "  history DATEI [--write ZIEL]    Fallhistorie pr\xC3\xBC"
    "fen, ausgeben oder neu schreiben\n"
#endif
    "Optionen stehen vor den Argumenten; \"--\" beendet sie.\n"
    "Ohne --file arbeiten die Befehle auf dem eingebauten Repertorium.\n";

std::string utf8(std::string_view windows1252) {
    return windows1252ToUtf8(windows1252);
}

bool readWholeFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

bool writeWholeFile(const std::string& path, std::span<const std::byte> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

int buildCommand(std::span<const std::string> words, std::ostream& out, std::ostream& err) {
    const CliArguments args = parseCliArguments(words, {});
    if (!args.error.empty() || args.positional.size() != 2) {
        err << (args.error.empty() ? "build erwartet QUELLE und ZIEL" : args.error) << '\n';
        return 2;
    }
    std::string source;
    if (!readWholeFile(args.positional[0], source)) {
        err << "Quelldatei " << args.positional[0] << " kann nicht gelesen werden\n";
        return 1;
    }
    const RepertoryCompileResult result = compileRepertorySource(source);
    if (const auto* error = std::get_if<RepertorySourceError>(&result)) {
        // The message names its line already.
        err << args.positional[0] << ": " << error->message << '\n';
        return 1;
    }
    const auto& bytes = std::get<std::vector<std::byte>>(result);
    // Validate before writing, so a build never leaves a file the program would refuse.
    const RepertoryLoadResult check = RepertoryDatabase::fromBytes(bytes);
    if (const auto* error = std::get_if<RepertoryLoadError>(&check)) {
        err << utf8(error->message) << '\n';
        return 1;
    }
    if (!writeWholeFile(args.positional[1], bytes)) {
        err << "Zieldatei " << args.positional[1] << " kann nicht geschrieben werden\n";
        return 1;
    }
    out << args.positional[1] << ": " << bytes.size() << " Bytes\n";
    return 0;
}

int checkCommand(const RepertoryDatabase& db, std::ostream& out) {
    out << "Kapitel\t" << db.chapterCount() << '\n'
        << "Abschnitte\t" << db.sectionCount() << '\n'
        << "Gr\xC3\xB6\xC3\x9Fte Rubriknummer\t" << db.largestRubricNumber() << '\n'
        << "Rubriken\t" << db.rubricCount() << '\n'
        << "Mittel\t" << db.remedyCount() << '\n';
    return 0;
}

int showCommand(const RepertoryDatabase& db, std::span<const std::string> words, std::ostream& out,
                std::ostream& err) {
    const CliArguments args = parseCliArguments(words, {{"--file", 1}});
    int number = 0;
    const std::string& text = args.positional.empty() ? std::string() : args.positional[0];
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (!args.error.empty() || args.positional.size() != 1 || ec != std::errc() ||
        end != text.data() + text.size()) {
        err << (args.error.empty() ? "show erwartet eine Rubriknummer" : args.error) << '\n';
        return 2;
    }
    out << utf8(numberText(number, 0)) << '\n'
        << utf8(rubricText(db, number)) << '\n'
        << utf8(db.isValidSymptom(number, 0) ? sectionHeading(db, db.rubricIndex(number, 0)) : std::string())
        << '\n'
        << utf8(remedyListText(db, number, 0)) << '\n';
    return 0;
}

int exportCommand(std::span<const std::byte> bytes, std::span<const std::string> words, std::ostream& out,
                  std::ostream& err) {
    const CliArguments args = parseCliArguments(words, {});
    if (!args.error.empty() || args.positional.size() != 1) {
        err << (args.error.empty() ? "export erwartet ZIEL" : args.error) << '\n';
        return 2;
    }
    if (!writeWholeFile(args.positional[0], bytes)) {
        err << "Zieldatei " << args.positional[0] << " kann nicht geschrieben werden\n";
        return 1;
    }
    out << args.positional[0] << ": " << bytes.size() << " Bytes\n";
    return 0;
}

// The value of --file among the words before "--", if any.
std::optional<std::string> fileOption(std::span<const std::string> words) {
    for (std::size_t i = 0; i + 1 < words.size() && words[i] != "--"; ++i) {
        if (words[i] == "--file")
            return words[i + 1];
    }
    return std::nullopt;
}

} // namespace

int runRepertoryCli(const std::vector<std::string>& allWords,
                    std::optional<std::span<const std::byte>> builtin, std::ostream& out, std::ostream& err) {
    if (allWords.empty() || allWords[0] == "--help" || allWords[0] == "help") {
        (allWords.empty() ? err : out) << kUsage;
        return allWords.empty() ? 2 : 0;
    }
    const std::string& command = allWords[0];
    const std::span<const std::string> words(allWords.data() + 1, allWords.size() - 1);

    if (command == "build")
        return buildCommand(words, out, err);
    if (command == "import")
        return runImportCommand(words, out, err);
#ifdef TELVARIN_CLI_HISTORY
    if (command == "history")
        return runHistoryCommand(words, out, err);
#endif

    const std::optional<std::string> file = fileOption(words);
    if (command == "export") {
        if (!builtin || file) {
            err << "export schreibt nur das eingebaute Repertorium\n";
            return 2;
        }
        return exportCommand(*builtin, words, out, err);
    }
    const bool known = command == "check" || command == "show"
#ifdef TELVARIN_CLI_ANALYSIS
                       || command == "analyse" || command == "overview" || command == "search"
#endif
        ;
    if (!known) {
        err << "Unbekannter Befehl: " << command << "\n" << kUsage;
        return 2;
    }
    if (!file && !builtin) {
        err << "Dieses Werkzeug hat kein eingebautes Repertorium; --file DATEI angeben\n";
        return 2;
    }
    RepertoryLoadResult loaded =
        file ? RepertoryDatabase::fromFile(*file) : RepertoryDatabase::fromBytes(*builtin);
    if (const auto* error = std::get_if<RepertoryLoadError>(&loaded)) {
        err << utf8(error->message) << '\n';
        return 1;
    }
    const RepertoryDatabase& db = std::get<RepertoryDatabase>(loaded);
    if (command == "check") {
        const CliArguments args = parseCliArguments(words, {{"--file", 1}});
        if (!args.error.empty() || !args.positional.empty()) {
            err << (args.error.empty() ? "check erwartet keine Argumente" : args.error) << '\n';
            return 2;
        }
        return checkCommand(db, out);
    }
    if (command == "show")
        return showCommand(db, words, out, err);
#ifdef TELVARIN_CLI_ANALYSIS
    const CliContext context{db, out, err};
    if (command == "analyse")
        return runAnalyseCommand(context, words);
    if (command == "overview")
        return runOverviewCommand(context, words);
    if (command == "search")
        return runSearchCommand(context, words);
#endif
    return 2;
}

} // namespace telvarin
