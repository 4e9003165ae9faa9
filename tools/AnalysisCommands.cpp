#include "tools/AnalysisCommands.h"

#include "analysis/Analysis.h"
#include "analysis/CaseModel.h"
#include "analysis/CsvTable.h"
#include "analysis/KeySymptoms.h"
#include "analysis/PolarityMethod.h"
#include "analysis/RemedyOverview.h"
#include "analysis/SymptomEntry.h"
#include "analysis/TextSearch.h"
#include "foundation/text/CodePage.h"
#include "repertory/RepertoryDatabase.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <variant>

namespace telvarin {
namespace {

std::optional<int> parseInt(const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Reports a usage error; returns the exit code for one.
int usageError(const CliContext& context, const std::string& message) {
    context.err << message << '\n';
    return 2;
}

// --chapter K: a chapter index of the repertory, or -1 without the option.
std::optional<int> chapterOption(const CliContext& context, const CliArguments& args) {
    if (!args.has("--chapter"))
        return -1;
    const std::optional<int> chapter = parseInt(args.value("--chapter"));
    if (!chapter || *chapter < 0 || *chapter >= context.db.chapterCount())
        return std::nullopt;
    return chapter;
}

// Whether a part of an entry stays in its row; the case table keeps exactly the parts whose number
// lies in the repertory's range (a BD value it does not know is dropped, the number kept).
bool partIsKept(const RepertoryDatabase& db, std::string_view part) {
    const ParsedSymptom parsed = parseSymptomEntry(db, part);
    return parsed.number != 0 && std::abs(parsed.number) <= db.largestRubricNumber();
}

// Names on err what the case table turns into nothing: an entry whose first part is no rubric
// becomes an empty row, any later part that is none is left out of its row.
void reportDroppedParts(const CliContext& context, const std::string& entry) {
    const std::string text = utf8ToWindows1252(entry);
    std::size_t start = 0;
    for (bool first = true;; first = false) {
        const std::size_t plus = text.find('+', start);
        const std::string part =
            text.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        if (!partIsKept(context.db, part)) {
            if (first) {
                context.err << "Eintrag \"" << entry << "\" ist keine Rubrik und wird zur leeren Zeile\n";
                return;
            }
            context.err << "Eintrag \"" << entry << "\": Teil \"" << windows1252ToUtf8(part)
                        << "\" ist keine Rubrik und entfällt\n";
        }
        if (plus == std::string::npos)
            return;
        start = plus + 1;
    }
}

// The rubric records of the rows named by --key, each entry read as the case table reads it; an
// error message when one names no row of the case or a row that cannot be a key symptom.
std::variant<std::vector<int>, std::string>
keyRubrics(const RepertoryDatabase& db, const CaseModel& caseModel, const std::vector<std::string>& entries) {
    std::vector<int> rubrics;
    for (const std::string& entry : entries) {
        const ParsedSymptom parsed = parseSymptomEntry(db, utf8ToWindows1252(entry));
        const auto rows = caseModel.rows();
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const CaseSymptom& symptom) {
            return parsed.valid && symptom.number == parsed.number && symptom.bd == parsed.bd;
        });
        if (row == rows.end())
            return "--key " + entry + ": keine Zeile des Falls";
        const int rubric = keySymptomRubric(db, *row);
        if (rubric < 0)
            return "--key " + entry + ": eine Gegenpolarität ist kein Schlüsselsymptom";
        rubrics.push_back(rubric);
    }
    return rubrics;
}

std::string chapterError(const CliContext& context) {
    return "--chapter erwartet einen Kapitelindex von 0 bis " + std::to_string(context.db.chapterCount() - 1);
}

} // namespace

int runAnalyseCommand(const CliContext& context, std::span<const std::string> words) {
    const CliArguments args = parseCliArguments(
        words, {{"--file", 1}, {"--mode", 1}, {"--key", 1}, {"--csv", 0}, {"--kontraindikationen", 0}});
    if (!args.error.empty())
        return usageError(context, args.error);
    PolarityMode mode = PolarityMode::ListAtEnd;
    if (args.has("--mode")) {
        const std::optional<int> value = parseInt(args.value("--mode"));
        if (!value || *value < 0 || *value > 2)
            return usageError(context, "--mode erwartet 0, 1 oder 2");
        mode = static_cast<PolarityMode>(*value);
    }

    CaseModel caseModel(context.db);
    caseModel.setPolarityMode(mode);
    for (const std::string& entry : args.positional) {
        reportDroppedParts(context, entry);
        caseModel.setCellText(caseModel.rowCount(), 0, windows1252Of(entry));
    }

    AnalysisResult result(context.db);
    // Like "Berechnen" on a case of empty rows: nothing to rank, which is no error.
    if (!runAnalysis(context.db, caseModel, result) || caseModel.rows().empty()) {
        context.err << "Keine Rubrik zu analysieren\n";
        return 0;
    }
    std::vector<std::string> keyEntries;
    if (const auto keys = args.options.find("--key"); keys != args.options.end())
        keyEntries = keys->second;
    const auto keys = keyRubrics(context.db, caseModel, keyEntries);
    if (const auto* error = std::get_if<std::string>(&keys))
        return usageError(context, *error);
    const std::vector<RemedyScore> ranking =
        eliminateByKeySymptoms(context.db, result.listed(), std::get<std::vector<int>>(keys));

    // Only the contraindicated lines get a sixth column, so that scripts reading five keep working.
    const bool markContraindications = args.has("--kontraindikationen");
    const std::vector<bool> contraindicated =
        markContraindications ? contraindicatedRemedies(context.db, caseModel.rows(),
                                                        contraindicationLimits(highestGrade(context.db)))
                              : std::vector<bool>();
    TextTable table;
    if (args.has("--csv")) {
        table.emplace_back();
        for (const Windows1252View header : {"Rang"_w1252, "Mittel"_w1252, "Anzahl der Treffer"_w1252,
                                             "Summe der Grade"_w1252, "Polarit\xE4tsdifferenz"_w1252})
            table.back().emplace_back(header);
        if (markContraindications)
            table.back().emplace_back("Kontraindikation"_w1252);
    }
    int rank = 0;
    for (const RemedyScore& score : ranking) {
        table.push_back({windows1252Number(++rank), Windows1252Text(context.db.remedyName(score.remedy)),
                         windows1252Number(score.hits), windows1252Number(score.gradeSum),
                         windows1252Number(score.polarityDifference)});
        if (markContraindications &&
            (args.has("--csv") || contraindicated[static_cast<std::size_t>(score.remedy)]))
            table.back().emplace_back(contraindicated[static_cast<std::size_t>(score.remedy)] ? "KI"_w1252
                                                                                              : ""_w1252);
    }
    if (args.has("--csv")) {
        context.out << csvDocument(table);
        return 0;
    }
    for (const std::vector<Windows1252Text>& row : table) {
        context.out << utf8Of(row[0]) << '\t' << utf8Of(row[1]) << '\t' << utf8Of(row[2]) << '\t'
                    << utf8Of(row[3]) << '\t' << utf8Of(row[4]);
        if (row.size() > 5)
            context.out << '\t' << utf8Of(row[5]);
        context.out << '\n';
    }
    return 0;
}

int runOverviewCommand(const CliContext& context, std::span<const std::string> words) {
    const CliArguments args = parseCliArguments(
        words,
        {{"--file", 1}, {"--chapter", 1}, {"--grades", 1}, {"--bd", 0}, {"--size", 2}, {"--others", 0}});
    if (!args.error.empty())
        return usageError(context, args.error);
    if (args.positional.size() != 1)
        return usageError(context, "overview erwartet genau einen Mittelnamen");

    RemedyQuery query;
    query.remedyText = windows1252Of(args.positional[0]);
    const std::optional<int> chapter = chapterOption(context, args);
    if (!chapter)
        return usageError(context, chapterError(context));
    query.chapterIndex = *chapter;
    // Without --grades every grade counts.
    query.gradeWanted = {true, true, true, true, true};
    if (args.has("--grades")) {
        const std::string digits = args.value("--grades");
        query.gradeWanted = {};
        for (const char digit : digits) {
            if (digit < '1' || digit > '5')
                return usageError(context, "--grades erwartet Ziffern von 1 bis 5, etwa 345");
            query.gradeWanted[static_cast<std::size_t>(digit - '1')] = true;
        }
    }
    query.bdOnly = args.has("--bd");
    query.sizeFilter = args.has("--size");
    if (query.sizeFilter) {
        const std::optional<int> minSize = parseInt(args.value("--size", 0));
        const std::optional<int> maxSize = parseInt(args.value("--size", 1));
        if (!minSize || !maxSize || *minSize < 0 || *minSize > 99 || *maxSize < 0 || *maxSize > 99)
            return usageError(context, "--size erwartet MIN und MAX von 0 bis 99");
        query.minSize = *minSize;
        query.maxSize = *maxSize;
    }
    query.listOthers = args.has("--others");

    const OverviewResult result = runRemedyQuery(context.db, query);
    context.out << utf8Of(overviewTitle(result)) << '\n';
    constexpr Windows1252View tab = "\t"_w1252;
    for (const OverviewRow& row : result.rows) {
        Windows1252Text line =
            row.numberColumn + tab + row.gradeColumn + tab + row.symptomColumn + tab + row.chapterColumn;
        if (result.showsOthers)
            line += tab + row.othersColumn;
        context.out << utf8Of(line) << '\n';
    }
    return 0;
}

int runSearchCommand(const CliContext& context, std::span<const std::string> words) {
    const CliArguments args = parseCliArguments(words, {{"--file", 1}, {"--chapter", 1}});
    if (!args.error.empty())
        return usageError(context, args.error);
    if (args.positional.size() != 1)
        return usageError(context,
                          "search erwartet genau einen Suchtext (mehrere Wörter in Anführungszeichen)");
    const std::optional<int> chapter = chapterOption(context, args);
    if (!chapter)
        return usageError(context, chapterError(context));

    const TextSearchIndex index(context.db);
    const std::vector<TextSearchRow> rows = runTextSearch(index, windows1252Of(args.positional[0]), *chapter);
    context.out << utf8Of(textSearchTitle(rows.size())) << '\n';
    constexpr Windows1252View tab = "\t"_w1252;
    for (const TextSearchRow& row : rows)
        context.out << utf8Of(row.numberColumn + tab + row.symptomColumn + tab + row.chapterColumn) << '\n';
    return 0;
}

} // namespace telvarin
