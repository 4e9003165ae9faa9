#include "server/HistoryCopy.h"

#include "foundation/files/FileKind.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/ErrorReporter.h"
#include "history/HistoryActions.h"
#include "history/HistoryFile.h"
#include "history/HistoryLock.h"
#include "history/RepertoryRecord.h"
#include "server/HistoryStores.h"

#include <variant>

namespace telvarin {
namespace {

// Cases of one repertory never replace those of another under that other's record.
std::string otherBindingRefusal(const std::string& target, const CaseHistory& onDisk,
                                const std::optional<RecordedRepertory>& record) {
    if (!holdsNumbers(onDisk))
        return {};
    const RepertoryRecord targetRecord = readRepertoryRecord(target);
    if (targetRecord.state != RecordState::Present ||
        (record && sameNumbering(*record, targetRecord.recorded)))
        return {};
    return "Die Fallhistorie \"" + utf8ToWindows1252(target) + "\" geh\xF6rt zum Repertorium \x84" +
           targetRecord.recorded.name.bytes() + "\x93, die F\xE4lle, die sie ersetzen sollen, " +
           (record ? "zum Repertorium \x84" + record->name.bytes() + "\x93"
                   : std::string("zu keinem festgehaltenen")) +
           ". Es wurde nichts geschrieben.";
}

// Keeps the first report of a load, to be returned instead of shown.
struct FirstError : ErrorReporter {
    int showError(Windows1252View text) override {
        if (message.empty())
            message = text.bytes();
        return 0;
    }
    std::string message;
};

} // namespace

// A target that is a history in use (the file read, or one with a lock file beside it) is changed
// as every program changes a history: read afresh under its lock, with the day's backup, so that
// nothing filed meanwhile is lost. Any other target is simply written.
HistorySaveResult writeHistoryTo(const CaseHistory& history, const std::string& target,
                                 const std::optional<RecordedRepertory>& record,
                                 const std::string& password) {
    if (isServerLocation(target))
        return moveOntoServer(target, history, record, password);
    const bool sameFile = !isServerLocation(history.path) && isSameFile(target, history.path);
    if (!sameFile && fileKindOf(historyLockPath(target)) == FileKind::Missing) {
        if (std::string refused = otherBindingRefusal(target, loadHistory(target, nullptr), record);
            !refused.empty())
            return {HistorySaveStatus::Refused, std::move(refused)};
        return saveWithRepertoryRecord(target, record, [&] { return saveHistoryAs(history, target); });
    }
    return updateHistoryFile(target, nullptr, {}, [&](CaseHistory& current) {
        HistoryChange change;
        if (sameFile)
            return change;
        change.refusal = otherBindingRefusal(target, current, record);
        if (!change.refusal.empty())
            return change;
        change.rebind = true;
        change.repertory = record;
        current.cases = history.cases;
        return change;
    });
}

std::optional<RecordedRepertory> recordOfNumbers(HistoryStore& store, const CaseHistory& history) {
    const RepertoryRecord own = store.record();
    if (own.state != RecordState::Present || !holdsNumbers(history))
        return std::nullopt;
    return own.recorded;
}

HistorySaveResult copyHistory(const std::string& location, const std::string& target,
                              const std::string& password) {
    OpenedHistory opened = openHistoryStore(location, password);
    if (auto* message = std::get_if<std::string>(&opened))
        return {HistorySaveStatus::WriteFailed, std::move(*message)};
    HistoryStore& store = *std::get<std::unique_ptr<HistoryStore>>(opened);
    FirstError errors;
    const CaseHistory history = store.load(&errors);
    if (history.unreadable)
        return {HistorySaveStatus::Refused, errors.message};
    return writeHistoryTo(history, target, recordOfNumbers(store, history), password);
}

} // namespace telvarin
