#include "tools/FileCaseCommand.h"

#include "analysis/CaseModel.h"
#include "analysis/SymptomEntry.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/LineBreaks.h"
#include "history/HistoryActions.h"
#include "history/StorableText.h"
#include "repertory/RepertoryDatabase.h"
#include "server/HistoryStores.h"
#include "tools/CliOptions.h"

#include <tuple>

namespace telvarin {
namespace {

constexpr const char* kFileCaseUsage =
    "Aufruf: file-case HISTORIE NAME [--comment TEXT] [--verordnung TEXT] -- EINTRÄGE...";

// "--verordnung nux-v. C30 abends zwei Globuli": the first word is the remedy, the second the
// potency, the rest the note.
Prescription prescriptionOfText(Windows1252View typed) {
    std::string_view text = typed.bytes();
    const auto nextWord = [&text] {
        const std::size_t start = std::min(text.size(), text.find_first_not_of(' '));
        text.remove_prefix(start);
        const std::size_t end = std::min(text.size(), text.find(' '));
        Windows1252Text word(Windows1252View(text.substr(0, end)));
        text.remove_prefix(end);
        return word;
    };
    Prescription prescription;
    prescription.remedy = nextWord();
    prescription.potency = nextWord();
    const std::size_t start = text.find_first_not_of(' ');
    if (start != std::string_view::npos)
        prescription.note =
            Windows1252Text(Windows1252View(text.substr(start, text.find_last_not_of(' ') + 1 - start)));
    return prescription;
}

// The comment as the dialog delivers it: every line break as CR LF.
bool isBlank(std::string_view windows1252) {
    return windows1252.find_first_not_of(" \t\r\n\v\f\xA0") == std::string_view::npos;
}

// What the entry syntax leaves unread of the first part that starts with a number (UTF-8), empty
// when it reads every part whole: "12,13" would else be filed as 12. A part without a number is
// left to the check for rubrics.
std::string unreadText(const std::string& entry) {
    const std::string windows1252 = utf8ToWindows1252(entry);
    for (const std::string_view part : entryParts(splitWeight(windows1252).entry)) {
        const std::size_t unread = unreadPartStart(part);
        if (unread != 0 && unread < part.size())
            return windows1252ToUtf8(part.substr(unread));
    }
    return {};
}

// Why the treatment must not be filed, one German line (UTF-8) each; empty when it may. The case
// table would quietly turn what is no rubric into an empty row, but a filed treatment is kept for
// years: everything it should hold must be there.
std::vector<std::string> fileCaseRefusals(const RepertoryDatabase& db, const std::string& name,
                                          std::span<const std::string> entries) {
    std::vector<std::string> refusals;
    if (isBlank(utf8ToWindows1252(name)))
        refusals.push_back("Der Name ist leer");
    if (entries.empty())
        refusals.push_back("Der Fall hat kein Symptom");
    if (entries.size() > static_cast<std::size_t>(kMaxCaseRows))
        refusals.push_back("Ein Fall hat hö"
                           "chstens " +
                           std::to_string(kMaxCaseRows) + " Symptome");
    for (const std::string& entry : entries) {
        if (!splitWeight(entry).weightReadable) {
            refusals.push_back("Eintrag \"" + entry +
                               "\": das Gewicht nach \"*\" ist eine Ziffer von 0 bis 4");
            continue;
        }
        if (const std::string unread = unreadText(entry); !unread.empty()) {
            refusals.push_back("Eintrag \"" + entry + "\": ab \"" + unread +
                               "\" nicht lesbar; ein Eintrag ist eine Rubriknummer, mehrere mit \"+\" "
                               "verbunden");
            continue;
        }
        const std::string windows1252 = utf8ToWindows1252(entry);
        const std::vector<std::string> unknown = partsNamingNoRubric(db, splitWeight(windows1252).entry);
        if (unknown.empty())
            continue;
        std::string refusal = "Eintrag \"" + entry + "\"";
        if (entry.find('+') != std::string::npos) {
            refusal += ": ";
            for (std::size_t i = 0; i < unknown.size(); ++i)
                refusal += (i == 0 ? "\"" : ", \"") + windows1252ToUtf8(unknown[i]) + "\"";
        }
        refusal += unknown.size() == 1 ? " ist keine Rubrik" : " sind keine Rubriken";
        refusals.push_back(refusal + "; die Rubriken reichen von 1 bis " +
                           std::to_string(db.largestRubricNumber()) + " (negativ als Gegenpolarität)");
    }
    return refusals;
}

struct StreamReporter : ErrorReporter {
    explicit StreamReporter(std::ostream& err) : err_(err) {}
    int showError(Windows1252View text) override {
        printMessage(text, err_);
        return 1;
    }
    std::ostream& err_;
};

} // namespace

int runFileCaseCommand(std::span<const std::string> words, std::optional<std::span<const std::byte>> builtin,
                       std::ostream& out, std::ostream& err) {
    const CliArguments args =
        parseCliArguments(words, {{"--comment", 1}, {"--verordnung", 1}, {"--file", 1}});
    if (!args.error.empty() || args.positional.size() < 2) {
        err << (args.error.empty() ? kFileCaseUsage : args.error) << '\n';
        return 2;
    }
    const std::string& historyPath = args.positional[0];
    // Composed as the file-case dialog composes what is typed or pasted, so that a name files
    // into the same case from either.
    const std::string name = composedForHistory(args.positional[1]);
    const std::string comment = composedForHistory(args.value("--comment"));
    const std::string prescribed = composedForHistory(args.value("--verordnung"));
    // A line break in a name would come back from the file as another name (CR LF for LF), and a
    // new case would be made at every filing; a blank name is refused below as empty.
    for (const auto& [field, text, isComment] :
         {std::tuple{"Der Name", name, false}, std::tuple{"Der Kommentar", comment, true},
          std::tuple{"Die Verordnung", prescribed, true}}) {
        std::string refused = unstorableTextMessage(field, text);
        if (refused.empty() && (isComment || !isBlank(utf8ToWindows1252(text))))
            refused = controlCharacterMessage(field, text, isComment);
        // A soft hyphen in a name makes a second case that looks like the first one.
        if (refused.empty() && !isComment)
            refused = formatCharacterMessage(field, text);
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
        printMessage(error->message, err);
        return 1;
    }
    const RepertoryDatabase& db = std::get<RepertoryDatabase>(loaded);
    const std::span<const std::string> entries = std::span(args.positional).subspan(2);
    if (const std::vector<std::string> refusals = fileCaseRefusals(db, name, entries); !refusals.empty()) {
        for (const std::string& refusal : refusals)
            err << refusal << '\n';
        err << "Nichts abgelegt\n";
        return 1;
    }
    CaseModel caseModel(db);
    for (const std::string& entry : entries)
        caseModel.setCellText(caseModel.rowCount(), 0, windows1252Of(entry));

    // The analysis drops the empty rows before the results window offers filing.
    std::vector<CaseSymptom> rows;
    for (const CaseSymptom& row : caseModel.rows()) {
        if (row.number != 0)
            rows.push_back(row);
    }
    // Like the program, the tool files nothing into a history whose numbers belong to another
    // repertory than the one it was given.
    const ProgramRepertories repertories{args.has("--file") ? repertoryFileIdentity(args.value("--file"), db)
                                                            : builtinRepertoryIdentity(db),
                                         {}};
    HistoryFileAccess access;
    access.repertories = &repertories;
    StreamReporter reporter(err);
    OpenedHistory opened = openHistoryStore(historyPath);
    if (const auto* message = std::get_if<std::string>(&opened)) {
        printMessage(Windows1252View(*message), err);
        return 1;
    }
    const HistorySaveResult filed = std::get<std::unique_ptr<HistoryStore>>(opened)->file(
        windows1252Of(name), withCrLf(windows1252Of(comment)), rows, currentLocalDateTime(), &reporter,
        access, prescriptionOfText(withCrLf(windows1252Of(prescribed))));
    if (!filed.message.empty()) // a failure, or why the file was written in place
        printMessage(Windows1252View(filed.message), err);
    (void)out;
    return filed.saved() ? 0 : 1;
}

} // namespace telvarin
