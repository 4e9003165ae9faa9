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

HistorySaveResult moveOntoServer(const std::string& uri, const CaseHistory& history,
                                 const std::optional<RecordedRepertory>& record) {
#ifdef TELVARIN_PRACTICE_SERVER
    auto opened = ServerHistoryStore::open(uri);
    if (auto* message = std::get_if<std::string>(&opened))
        return {HistorySaveStatus::WriteFailed, std::move(*message)};
    return std::get<std::unique_ptr<ServerHistoryStore>>(opened)->replace(history, record);
#else
    (void)uri;
    (void)history;
    (void)record;
    return {HistorySaveStatus::WriteFailed, kNoServerSupport};
#endif
}

} // namespace telvarin
