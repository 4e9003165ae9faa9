#include "ui/CrossReferenceMenu.h"

#include "foundation/text/QtCodePage.h"
#include "repertory/RepertoryTexts.h"

#include <QMenu>

namespace telvarin {

void addCrossReferenceEntries(QMenu& menu, Windows1252View rubricText, const OpenTextSearch& open) {
    if (!open)
        return;
    for (const Windows1252Text& reference : crossReferences(rubricText)) {
        const QString words = fromWindows1252(reference);
        // The text is shown as written: an "&" in it is no shortcut.
        QAction* action = menu.addAction(QStringLiteral("Siehe: ") + QString(words).replace('&', "&&"));
        QObject::connect(action, &QAction::triggered, &menu, [open, words] { open(words); });
    }
}

} // namespace telvarin
