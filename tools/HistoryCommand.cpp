#include "tools/HistoryCommand.h"

#include "analysis/SymptomEntry.h"
#include "foundation/files/FileKind.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/Tokenizer.h"
#include "history/FileTokenizer.h"
#include "history/HistoryActions.h"
#include "history/HistoryFile.h"
#include "history/HistoryLock.h"
#include "history/HistoryOperations.h"
#include "history/HistoryReader.h"
#include "history/RepertoryRecord.h"
#include "repertory/RepertoryChoice.h"
#include "repertory/RepertoryDatabase.h"
#include "server/HistoryCopy.h"
#include "server/HistoryStores.h"
#include "tools/CliOptions.h"

#include <new>
#include <variant>

namespace telvarin {
namespace {

std::string utf8(std::string_view windows1252) {
    return windows1252ToUtf8(windows1252);
}

void printOutline(const std::string& path, const std::vector<HistoryCase>& cases, std::ostream& out) {
    out << "Fallhistorie " << path << ": " << cases.size() << (cases.size() == 1 ? " Fall" : " Fälle")
        << '\n';
    for (const HistoryCase& c : cases) {
        out << "Fall \"" << utf8Of(c.name) << "\" (" << c.treatments.size()
            << (c.treatments.size() == 1 ? " Behandlung" : " Behandlungen") << ")\n";
        for (const Treatment& t : c.treatments) {
            out << "  Behandlung " << utf8Of(treatmentLabel(t));
            if (t.preferred != 0)
                out << " Preferiert " << t.preferred;
            out << ": " << t.symptoms.size() << (t.symptoms.size() == 1 ? " Symptom" : " Symptome") << '\n';
            if (const Windows1252Text prescribed = prescriptionText(t.prescription); !prescribed.empty())
                out << "    Verordnung: " << utf8Of(prescribed) << '\n';
            for (const SymptomRef& s : t.symptoms) {
                out << "    " << s.number;
                if (s.bd != 0)
                    out << " BD " << s.bd;
                out << utf8Of(weightSuffix(s.weight)) << '\n';
            }
        }
    }
}

// Why a history file cannot be opened, for a line below the tokenizer's message, which gives none.
std::string openFailureReason(const std::string& path) {
    auto opened = openRegularFile(path);
    const auto* error = std::get_if<FileReadError>(&opened);
    if (error && !error->reason.empty())
        return utf8(error->reason);
    if (error) // opened, but no regular file
        return utf8(std::string(fileKindText(fileKindOf(path))) + ", keine gew\xF6hnliche Datei");
    return "kann nicht gelesen werden";
}

struct StreamErrors : ErrorReporter {
    explicit StreamErrors(std::ostream& err) : err_(err) {}
    int showError(Windows1252View text) override {
        printMessage(text, err_);
        return 1;
    }
    std::ostream& err_;
};

// The record of the repertory the numbers of a history belong to; none when it has no readable
// one (the copy is then bound to nothing either) or holds no numbers.
std::optional<RecordedRepertory> recordOfNumbers(const CaseHistory& history) {
    const RepertoryRecord record = readRepertoryRecord(history.path);
    if (!holdsNumbers(history) || record.state != RecordState::Present)
        return std::nullopt;
    return record.recorded;
}

// "--bind eingebaut", or a data file.
int bindCommand(HistoryStore& store, const std::string& data,
                std::optional<std::span<const std::byte>> builtin, std::ostream& out, std::ostream& err) {
    const bool toBuiltin = data == kBuiltinRepertoryChoice;
    if (toBuiltin && !builtin) {
        err << "Dieses Werkzeug hat kein eingebautes Repertorium; eine Datendatei angeben\n";
        return 2;
    }
    RepertoryLoadResult loaded =
        toBuiltin ? RepertoryDatabase::fromBytes(*builtin) : RepertoryDatabase::fromFile(data);
    if (const auto* error = std::get_if<RepertoryLoadError>(&loaded)) {
        printMessage(error->message, err);
        return 1;
    }
    const RepertoryDatabase& db = std::get<RepertoryDatabase>(loaded);
    const RepertoryIdentity repertory =
        toBuiltin ? builtinRepertoryIdentity(db) : repertoryFileIdentity(data, db);
    const RepertoryRecord before = store.record();
    const HistorySaveResult bound = store.bind(repertory, {});
    if (!bound.saved()) {
        printMessage(Windows1252View(bound.message), err);
        return 1;
    }
    out << "Die Rubriknummern von " << store.location() << " gehören zum Repertorium „"
        << utf8Of(repertory.name) << "“";
    if (before.state == RecordState::Present && before.recorded.name != repertory.name)
        out << " (bisher: „" << utf8Of(before.recorded.name) << "“)";
    out << ".\n";
    return 0;
}

int reportWritten(const HistorySaveResult& saved, std::ostream& err) {
    if (!saved.message.empty()) // a failure, or why the file was written in place
        printMessage(Windows1252View(saved.message), err);
    return saved.saved() ? 0 : 1;
}

// The same commands on a history on a practice server.
int serverHistoryCommand(const CliArguments& args, std::optional<std::span<const std::byte>> builtin,
                         std::ostream& out, std::ostream& err) {
    OpenedHistory opened = openHistoryStore(args.positional[0]);
    if (const auto* message = std::get_if<std::string>(&opened)) {
        printMessage(Windows1252View(*message), err);
        return 1;
    }
    HistoryStore& store = *std::get<std::unique_ptr<HistoryStore>>(opened);
    if (args.has("--bind"))
        return bindCommand(store, args.value("--bind"), builtin, out, err);
    StreamErrors reporter{err};
    const CaseHistory history = store.load(&reporter);
    if (history.unreadable)
        return 1;
    if (!args.has("--write")) {
        printOutline(store.location(), history.cases, out);
        return 0;
    }
    // The record travels with the numbers it names.
    return reportWritten(writeHistoryTo(history, args.value("--write"), recordOfNumbers(store, history)),
                         err);
}

} // namespace

int runHistoryCommand(std::span<const std::string> words, std::optional<std::span<const std::byte>> builtin,
                      std::ostream& out, std::ostream& err) {
    const CliArguments args = parseCliArguments(words, {{"--file", 1}, {"--write", 1}, {"--bind", 1}});
    if (!args.error.empty() || args.positional.size() != 1 || (args.has("--write") && args.has("--bind"))) {
        err << (args.error.empty() ? "Aufruf: history HISTORIE [--write ZIEL | --bind DATENDATEI]"
                                   : args.error)
            << '\n';
        return 2;
    }
    if (isServerLocation(args.positional[0]))
        return serverHistoryCommand(args, builtin, out, err);
    CaseHistory history;
    history.path = args.positional[0];
    // A FIFO would block the reader, a device feed it without end.
    if (const FileKind kind = fileKindOf(history.path);
        kind != FileKind::Regular && kind != FileKind::Missing) {
        err << history.path << " ist " << utf8(fileKindText(kind)) << ", keine gewöhnliche Datei\n";
        return 1;
    }
    try {
        // Read under a shared lock: a writer that writes the file in place would else be met in
        // the middle, and a healthy file reported damaged. Given up before any write below.
        const HistoryLock::Result reading = HistoryLock::acquireShared(history.path);
        if (const auto* busy = std::get_if<HistoryLock::Busy>(&reading)) {
            printMessage(Windows1252View(busy->message), err);
            return 1;
        }
        Tokenizer tokenizer = tokenizerForFile(history.path, {}, historyOperatorTable());
        history.cases = readHistoryCases(tokenizer);
        history.loaded = true;
    } catch (const UnreadableFileError& error) {
        printMessage(Windows1252View(error.message()), err);
        err << history.path << ": " << openFailureReason(history.path) << '\n';
        return 1;
    } catch (const TokenizerError& error) {
        printMessage(Windows1252View(error.message()), err);
        return 1;
    } catch (const std::bad_alloc&) {
        err << "Nicht genug Speicher zum Lesen von " << history.path << '\n';
        return 1;
    }
    if (args.has("--bind"))
        return bindCommand(*fileHistoryStore(history.path), args.value("--bind"), builtin, out, err);
    if (!args.has("--write")) {
        printOutline(history.path, history.cases, out);
        return 0;
    }
    return reportWritten(writeHistoryTo(history, args.value("--write"), recordOfNumbers(history)), err);
}

} // namespace telvarin
