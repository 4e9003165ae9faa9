#include "tools/ImportCommand.h"

#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertoryImport.h"
#include "tools/CliOptions.h"
#include "tools/RepertoryCli.h"

namespace telvarin {
int runImportCommand(std::span<const std::string> words, std::ostream& out, std::ostream& err) {
    const CliArguments args = parseCliArguments(words, {{"--chapter-order", 1}, {"--polarities", 1}});
    const std::string format = args.positional.empty() ? std::string() : args.positional[0];
    if (!args.error.empty() || args.positional.size() != 3 ||
        (format != "json" && format != "tsv" && format != "openrep")) {
        err << (args.error.empty() ? "import erwartet FORMAT (json, tsv oder openrep), QUELLE und ZIEL"
                                   : args.error)
            << '\n';
        return 2;
    }
    if (args.has("--chapter-order") && format != "openrep") {
        err << "--chapter-order gilt nur für openrep\n";
        return 2;
    }
    const std::string& source = args.positional[1];
    const std::string& target = args.positional[2];
    const std::string polarities = args.value("--polarities");
    const RepertoryImportResult result =
        format == "json"  ? importJsonRepertory(source, polarities)
        : format == "tsv" ? importTsvFile(source, polarities)
                          : importOpenRepRepertory(source, args.value("--chapter-order"), polarities);
    if (const auto* error = std::get_if<RepertoryImportError>(&result)) {
        err << error->message << '\n';
        return 1;
    }
    const auto& imported = std::get<ImportedRepertory>(result);
    if (!writeWholeFile(target, imported.bytes, err))
        return 1;
    const auto db = std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes(imported.bytes));
    out << target << ": " << imported.bytes.size() << " Bytes, " << db.chapterCount() << " Kapitel, "
        << db.sectionCount() << " Abschnitte, " << db.rubricCount() << " Rubriken, " << db.remedyEntryCount()
        << " Einträge, " << db.remedyCount() << " Mittel\n";
    for (const std::string& line : importReportLines(imported.report))
        out << line << '\n';
    return 0;
}

} // namespace telvarin
