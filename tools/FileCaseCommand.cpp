#include "tools/FileCaseCommand.h"

#include "analysis/CaseModel.h"
#include "foundation/CodePage.h"
#include "history/HistoryActions.h"
#include "history/StorableText.h"
#include "repertory/RepertoryDatabase.h"
#include "tools/CliOptions.h"

namespace telvarin {
namespace {

constexpr const char* kFileCaseUsage =
    "Aufruf: file-case HISTORIE NAME [--comment TEXT] -- EINTR\xC3\x84GE...";

void printWindows1252(const std::string& message, std::ostream& err) {
    const std::string text = windows1252ToUtf8(message);
    err << text << (text.empty() || text.back() != '\n' ? "\n" : "");
}

// The comment as the dialog delivers it: every line break as CR LF.
std::string withCrLf(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

struct StreamReporter : ErrorReporter {
    explicit StreamReporter(std::ostream& err) : err_(err) {}
    int showError(const std::string& text) override {
        printWindows1252(text, err_);
        return 1;
    }
    std::ostream& err_;
};

} // namespace

int runFileCaseCommand(std::span<const std::string> words, std::optional<std::span<const std::byte>> builtin,
                       std::ostream& out, std::ostream& err) {
    const CliArguments args = parseCliArguments(words, {{"--comment", 1}, {"--file", 1}});
    if (!args.error.empty() || args.positional.size() < 2) {
        err << (args.error.empty() ? kFileCaseUsage : args.error) << '\n';
        return 2;
    }
    const std::string& historyPath = args.positional[0];
    const std::string& name = args.positional[1];
    const std::string comment = args.value("--comment");
    for (const auto& [field, text] : {std::pair{"Der Name", name}, std::pair{"Der Kommentar", comment}}) {
        const std::string refused = unstorableTextMessage(field, text);
        if (!refused.empty()) {
            err << refused << '\n';
            return 1;
        }
    }
    if (!args.has("--file") && !builtin) {
        err << "Dieses Werkzeug hat kein eingebautes Repertorium; --file DATEI angeben\n";
        return 2;
    }
    RepertoryLoadResult loaded = args.has("--file") ? RepertoryDatabase::fromFile(args.value("--file"))
                                                    : RepertoryDatabase::fromBytes(*builtin);
    if (const auto* error = std::get_if<RepertoryLoadError>(&loaded)) {
        printWindows1252(error->message, err);
        return 1;
    }
    const RepertoryDatabase& db = std::get<RepertoryDatabase>(loaded);
    CaseModel caseModel(db);
    for (std::size_t i = 2; i < args.positional.size(); ++i)
        caseModel.setCellText(caseModel.rowCount(), 0, utf8ToWindows1252(args.positional[i]));

    // The analysis drops the empty rows before the results window offers filing.
    std::vector<CaseSymptom> rows;
    for (const CaseSymptom& row : caseModel.rows()) {
        if (row.number != 0)
            rows.push_back(row);
    }
    // Like the program, the tool files nothing into a history whose numbers belong to another
    // repertory than the one it was given.
    const ProgramRepertories repertories{args.has("--file")
                                             ? repertoryFileIdentity(args.value("--file"), db.fileBytes())
                                             : builtinRepertoryIdentity(db.fileBytes()),
                                         builtin ? builtinRepertoryIdentity(*builtin) : RepertoryIdentity{}};
    HistoryFileAccess access;
    access.repertories = &repertories;
    StreamReporter reporter(err);
    const HistorySaveResult filed =
        fileTreatmentInHistoryFile(historyPath, utf8ToWindows1252(name), withCrLf(utf8ToWindows1252(comment)),
                                   rows, currentLocalDateTime(), &reporter, access);
    if (!filed.message.empty()) // a failure, or why the file was written in place
        printWindows1252(filed.message, err);
    (void)out;
    return filed.saved() ? 0 : 1;
}

} // namespace telvarin
