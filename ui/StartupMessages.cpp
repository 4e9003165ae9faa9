#include "ui/StartupMessages.h"

namespace telvarin {

QString repertoryUnusableText(const QString& detail) {
    return QStringLiteral("Das eingebaute Repertorium ist beschädigt und kann nicht verwendet werden. Bitte "
                          "installieren Sie das Programm neu.\n\n%1")
        .arg(detail);
}

QString ownRepertoryUnusableText(const QString& path, const QString& detail, const QString& usedName) {
    const QString used = usedName.isEmpty()
                             ? QStringLiteral("Es wird das eingebaute Repertorium verwendet.")
                             : QStringLiteral("Es wird das Repertorium „%1“ verwendet.").arg(usedName);
    return QStringLiteral("Die Repertoriumsdatei %1 kann nicht verwendet werden:\n\n%2\n\n%3")
        .arg(path, detail, used);
}

} // namespace telvarin
