#include "ui/StartupMessages.h"

namespace telvarin {

QString repertoryUnusableText(const QString& detail) {
    return QStringLiteral(
               "Das eingebaute Repertorium ist besch\u00e4digt und kann nicht verwendet werden. Bitte "
               "installieren Sie das Programm neu.\n\n%1")
        .arg(detail);
}

QString ownRepertoryUnusableText(const QString& path, const QString& detail) {
    return QStringLiteral("Die Repertoriumsdatei %1 kann nicht verwendet werden:\n\n%2\n\n"
                          "Es wird das eingebaute Repertorium verwendet.")
        .arg(path, detail);
}

} // namespace telvarin
