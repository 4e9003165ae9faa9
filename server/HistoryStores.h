#pragma once

// Opens the case history a location names: a server address ("postgresql://...") or a file path.

#include "history/HistoryStore.h"

#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace telvarin {

// A German message (Windows-1252) when the history cannot be reached.
using OpenedHistory = std::variant<std::unique_ptr<HistoryStore>, std::string>;

// password: from the desktop's keyring, used when the address and ~/.pgpass give none.
OpenedHistory openHistoryStore(const std::string& location, const std::string& password = {});

// Whether this build can reach a practice server.
bool practiceServerSupported();

// Every case of the server history at uri replaced by those of history, whose numbers belong to
// record: a file history moved onto the server.
HistorySaveResult moveOntoServer(const std::string& uri, const CaseHistory& history,
                                 const std::optional<RecordedRepertory>& record,
                                 const std::string& password = {});

// Announcements of changes that other workstations made to a server history.
class HistoryChangeListener {
public:
    virtual ~HistoryChangeListener() = default;
    // Readable when an announcement may have arrived.
    virtual int socket() const = 0;
    // How many arrived since the last call; -1 when the server is gone and none will come.
    virtual int takeAnnouncements() = 0;
};

// Nothing for a file, or when the server cannot be reached.
std::unique_ptr<HistoryChangeListener> listenForHistoryChanges(const std::string& location,
                                                               const std::string& password = {});

} // namespace telvarin
