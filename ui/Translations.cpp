#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace telvarin {

bool installGermanToolkitTranslations(QCoreApplication& app) {
    // Dates, numbers and the toolkit's message texts follow the interface, not the desktop.
    const QLocale german(QLocale::German, QLocale::Germany);
    QLocale::setDefault(german);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // "qt" pulls in the translations of every installed toolkit module, "qtbase" among them.
    auto* translator = new QTranslator(&app);
    if (translator->load(german, QStringLiteral("qt"), QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace telvarin
