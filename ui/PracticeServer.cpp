#include "ui/PracticeServer.h"

#include "foundation/text/QtCodePage.h"

#ifdef TELVARIN_KEYRING
#include <QEventLoop>
#include <qt6keychain/keychain.h>
#endif

namespace telvarin {
namespace {

#ifdef TELVARIN_KEYRING
// The keyring's service under which the program keeps its entries.
const QString kKeyringService = QStringLiteral("Telvarin Praxisserver");

// Waits for a keyring job: the windows ask once, when a history is opened.
void finish(QKeychain::Job& job) {
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.setAutoDelete(false);
    job.start();
    loop.exec();
}
#endif

} // namespace

QString keyringPassword(const QString& address) {
#ifdef TELVARIN_KEYRING
    if (!isServerLocation(toFilePath(address)))
        return {};
    QKeychain::ReadPasswordJob job(kKeyringService);
    job.setKey(address);
    finish(job);
    return job.error() == QKeychain::NoError ? job.textData() : QString();
#else
    (void)address;
    return {};
#endif
}

bool storeKeyringPassword(const QString& address, const QString& password) {
#ifdef TELVARIN_KEYRING
    QKeychain::WritePasswordJob job(kKeyringService);
    job.setKey(address);
    job.setTextData(password);
    finish(job);
    return job.error() == QKeychain::NoError;
#else
    (void)address;
    (void)password;
    return false;
#endif
}

OpenedHistory openHistoryForWindows(const std::string& historyLocation) {
    if (!isServerLocation(historyLocation))
        return openHistoryStore(historyLocation);
    return openHistoryStore(historyLocation, toFilePath(keyringPassword(fromFilePath(historyLocation))));
}

} // namespace telvarin
