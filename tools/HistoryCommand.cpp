#include "tools/HistoryCommand.h"

#include "foundation/files/FileKind.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/Tokenizer.h"
#include "history/FileTokenizer.h"
#include "history/HistoryActions.h"
#include "history/HistoryFile.h"
#include "history/HistoryLock.h"
#include "history/HistoryOperations.h"
#include "history/HistoryReader.h"
#include "tools/CliOptions.h"

#include <new>
#include <variant>

namespace telvarin {
namespace {

std::string utf8(std::string_view windows1252) {
    return windows1252ToUtf8(windows1252);
}

void printOutline(const std::string& path, const std::vector<HistoryCase>& cases, std::ostream& out) {
    out << "Fallhistorie " << path << ": " << cases.size() << (cases.size() == 1 ? " Fall" : " F\xC3\xA4lle")
        << '\n';
    for (const HistoryCase& c : cases) {
        out << "Fall \"" << utf8(c.name) << "\" (" << c.treatments.size()
            << (c.treatments.size() == 1 ? " Behandlung" : " Behandlungen") << ")\n";
        for (const Treatment& t : c.treatments) {
            out << "  Behandlung " << utf8(treatmentLabel(t));
            if (t.preferred != 0)
                out << " Preferiert " << t.preferred;
            out << ": " << t.symptoms.size() << (t.symptoms.size() == 1 ? " Symptom" : " Symptome") << '\n';
            for (const SymptomRef& s : t.symptoms) {
                out << "    " << s.number;
                if (s.bd != 0)
                    out << " BD " << s.bd;
                out << '\n';
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

void printMessage(const std::string& windows1252, std::ostream& err) {
    const std::string text = utf8(windows1252);
    err << text;
    if (text.empty() || text.back() != '\n')
        err << '\n';
}

// A target that is a history in use (the file read, or one with a lock file beside it) is changed
// as every program changes a history: read afresh under its lock, with the day's backup, so that
// nothing filed meanwhile is lost. Any other target is simply written.
HistorySaveResult writeHistoryTo(const CaseHistory& history, const std::string& target) {
    const bool sameFile = isSameFile(target, history.path);
    if (!sameFile && fileKindOf(historyLockPath(target)) == FileKind::Missing)
        return saveHistoryAs(history, target);
    return updateHistoryFile(target, nullptr, {}, [&](CaseHistory& current) {
        if (!sameFile)
            current.cases = history.cases;
        return HistoryChange{};
    });
}

} // namespace

int runHistoryCommand(std::span<const std::string> words, std::ostream& out, std::ostream& err) {
    const CliArguments args = parseCliArguments(words, {{"--file", 1}, {"--write", 1}});
    if (!args.error.empty() || args.positional.size() != 1) {
        err << (args.error.empty() ? "Aufruf: history DATEI [--write ZIEL]" : args.error) << '\n';
        return 2;
    }
    CaseHistory history;
    history.path = args.positional[0];
    // A FIFO would block the reader, a device feed it without end.
    if (const FileKind kind = fileKindOf(history.path);
        kind != FileKind::Regular && kind != FileKind::Missing) {
        err << history.path << " ist " << utf8(fileKindText(kind)) << ", keine gew\xC3\xB6hnliche Datei\n";
        return 1;
    }
    try {
        // Read under a shared lock: a writer that writes the file in place would else be met in
        // the middle, and a healthy file reported damaged. Given up before any write below.
        const HistoryLock::Result reading = HistoryLock::acquireShared(history.path);
        if (const auto* busy = std::get_if<HistoryLock::Busy>(&reading)) {
            printMessage(busy->message, err);
            return 1;
        }
        Tokenizer tokenizer = tokenizerForFile(history.path, {}, historyOperatorTable());
        history.cases = readHistoryCases(tokenizer);
        history.loaded = true;
    } catch (const ExceptionFileError& error) {
        printMessage(error.message(), err);
        err << history.path << ": " << openFailureReason(history.path) << '\n';
        return 1;
    } catch (const MyException& error) {
        printMessage(error.message(), err);
        return 1;
    } catch (const std::bad_alloc&) {
        err << "Nicht genug Speicher zum Lesen von " << history.path << '\n';
        return 1;
    }
    if (!args.has("--write")) {
        printOutline(history.path, history.cases, out);
        return 0;
    }
    const HistorySaveResult saved = writeHistoryTo(history, args.value("--write"));
    if (!saved.message.empty()) // a failure, or why the file was written in place
        printMessage(saved.message, err);
    return saved.saved() ? 0 : 1;
}

} // namespace telvarin
