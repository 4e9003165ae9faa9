#include "ui/StartupMessages.h"

namespace telvarin {

QString repertoryUnusableText(const QString& detail) {
    return QStringLiteral(
               "Das eingebaute Repertorium ist besch\u00e4digt und kann nicht verwendet werden. Bitte "
               "installieren Sie das Programm neu.\n\n%1")
        .arg(detail);
}

} // namespace telvarin
