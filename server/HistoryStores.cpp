#include "server/HistoryStores.h"

#ifdef TELVARIN_PRACTICE_SERVER
#include "server/ServerHistoryStore.h"
#endif

namespace telvarin {
namespace {

#ifndef TELVARIN_PRACTICE_SERVER
const std::string kNoServerSupport = "Diese Ausgabe von Telvarin kann keinen Praxisserver (PostgreSQL) "
                                     "verwenden; sie arbeitet nur mit einer Fallhistorie im Praxisordner.";
#endif

} // namespace

bool practiceServerSupported() {
#ifdef TELVARIN_PRACTICE_SERVER
    return true;
#else
    return false;
#endif
}

OpenedHistory openHistoryStore(const std::string& location, const std::string& password) {
    if (!isServerLocation(location))
        return fileHistoryStore(location);
#ifdef TELVARIN_PRACTICE_SERVER
    auto opened = ServerHistoryStore::open(location, password);
    if (auto* message = std::get_if<std::string>(&opened))
        return std::move(*message);
    return std::unique_ptr<HistoryStore>(std::move(std::get<std::unique_ptr<ServerHistoryStore>>(opened)));
#else
    (void)password;
    return kNoServerSupport;
#endif
}

#ifdef TELVARIN_PRACTICE_SERVER
namespace {

class ServerChangeListener final : public HistoryChangeListener {
public:
    explicit ServerChangeListener(std::unique_ptr<ServerConnection> connection)
        : connection_(std::move(connection)) {}
    int socket() const override { return connection_->socket(); }
    int takeAnnouncements() override { return connection_->takeNotifications(); }

private:
    std::unique_ptr<ServerConnection> connection_;
};

} // namespace
#endif

std::unique_ptr<HistoryChangeListener> listenForHistoryChanges(const std::string& location,
                                                               const std::string& password) {
#ifdef TELVARIN_PRACTICE_SERVER
    if (!isServerLocation(location))
        return nullptr;
    auto opened = ServerConnection::open(location, password);
    auto* connection = std::get_if<std::unique_ptr<ServerConnection>>(&opened);
    if (connection == nullptr || !(*connection)->listen(kHistoryChangeChannel))
        return nullptr;
    return std::make_unique<ServerChangeListener>(std::move(*connection));
#else
    (void)location;
    (void)password;
    return nullptr;
#endif
}

HistorySaveResult moveOntoServer(const std::string& uri, const CaseHistory& history,
                                 const std::optional<RecordedRepertory>& record,
                                 const std::string& password) {
#ifdef TELVARIN_PRACTICE_SERVER
    auto opened = ServerHistoryStore::open(uri, password);
    if (auto* message = std::get_if<std::string>(&opened))
        return {HistorySaveStatus::WriteFailed, std::move(*message)};
    return std::get<std::unique_ptr<ServerHistoryStore>>(opened)->replace(history, record);
#else
    (void)uri;
    (void)history;
    (void)record;
    (void)password;
    return {HistorySaveStatus::WriteFailed, kNoServerSupport};
#endif
}

} // namespace telvarin
