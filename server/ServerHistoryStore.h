#pragma once

// The case history on a practice server (PostgreSQL 15 or later): cases, treatments and their
// symptoms as rows, the record of the repertory in a row of its own. The program creates the
// tables it needs and brings older ones up to date; tables of a newer program are left alone.
// Every action is one transaction; writers queue on the record's row, as programs on a shared
// folder queue on the history's lock, so that none loses what another filed. A change is
// reported saved only after the server confirmed it durable.

#include "history/HistoryStore.h"
#include "server/ServerConnection.h"

#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace telvarin {

// The channel every change is announced on, so that open history windows show it.
inline constexpr const char* kHistoryChangeChannel = "telvarin_history";

class ServerHistoryStore final : public HistoryStore {
public:
    // The version of the tables this program writes.
    static constexpr int kSchemaVersion = 2;

    // Connects to uri (password: when the address and ~/.pgpass give none) and creates or updates
    // the tables; a German message (Windows-1252) naming the server and the reason when that fails.
    static std::variant<std::unique_ptr<ServerHistoryStore>, std::string>
    open(const std::string& uri, const std::string& password = {});
    ~ServerHistoryStore() override;

    std::string location() const override;
    bool isServer() const override { return true; }
    CaseHistory load(ErrorReporter* reporter) override;
    RepertoryRecord record() override;
    HistorySaveResult file(Windows1252View name, Windows1252View comment,
                           std::span<const CaseSymptom> caseRows, const LocalDateTime& now,
                           ErrorReporter* reporter, const HistoryFileAccess& access,
                           const Prescription& prescription = {}) override;
    HistorySaveResult remove(CaseHistory& window, const HistoryCase& shownCase,
                             const Treatment* shownTreatment, ErrorReporter* reporter,
                             const HistoryFileAccess& access) override;
    HistorySaveResult import(CaseHistory& window, const HistoryImport& import, ErrorReporter* reporter,
                             const HistoryFileAccess& access) override;
    HistorySaveResult exportTo(CaseHistory& window, const std::string& target, ErrorReporter* reporter,
                               const HistoryFileAccess& access) override;
    HistorySaveResult bind(const RepertoryIdentity& repertory, const HistoryFileAccess& access) override;

    // Every case replaced by those of history, whose numbers belong to record (a history moved
    // onto the server). Refused when the server holds numbers of another repertory.
    HistorySaveResult replace(const CaseHistory& history, const std::optional<RecordedRepertory>& record);

private:
    ServerHistoryStore(std::string uri, std::string password, std::unique_ptr<ServerConnection> connection);
    ServerConnection& connection();
    HistorySaveResult update(const std::function<HistoryChange(CaseHistory&, const RepertoryRecord&)>& change,
                             CaseHistory* current);
    HistorySaveResult
    updateShown(CaseHistory& window,
                const std::function<HistoryChange(CaseHistory&, const RepertoryRecord&)>& change);

    std::string uri_;
    std::string password_;
    std::unique_ptr<ServerConnection> connection_;
};

} // namespace telvarin
