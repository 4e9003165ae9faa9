#include "ui/StartupMessages.h"

namespace telvarin {

QString repertoryUnusableText(const QString& detail) {
    return QStringLiteral(
               "Das eingebaute Repertorium ist besch\u00e4digt und kann nicht verwendet werden.\n\n%1")
        .arg(detail);
}

} // namespace telvarin
