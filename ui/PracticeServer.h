#pragma once

// The case history as the windows reach it: a file, or a practice server whose password, when its
// address and ~/.pgpass give none, comes from the desktop's keyring; never from the settings.

#include "server/HistoryStores.h"

#include <QString>

namespace telvarin {

// historyLocation: the history file's path or the server's address (UTF-8).
OpenedHistory openHistoryForWindows(const std::string& historyLocation);

// The keyring's entry for the server at address (no password in it); empty when there is none or
// no keyring.
QString keyringPassword(const QString& address);
// Keeps password in the keyring for address; false when there is no keyring or it refused.
bool storeKeyringPassword(const QString& address, const QString& password);

} // namespace telvarin
