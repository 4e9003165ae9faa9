#include "data/BuiltinRepertory.h"
#include "foundation/QtCodePage.h"
#include "ui/StartupMessages.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kesto"));
    QApplication::setApplicationName(QStringLiteral("OrvandWCE"));

    telvarin::RepertoryLoadResult loaded = telvarin::loadBuiltinRepertory();
    if (const auto* error = std::get_if<telvarin::RepertoryLoadError>(&loaded)) {
        QMessageBox::critical(nullptr, QStringLiteral("Kesto - Telvarin"),
                              telvarin::repertoryUnusableText(telvarin::fromWindows1252(error->message)));
        return 1;
    }
    const telvarin::RepertoryDatabase& db = std::get<telvarin::RepertoryDatabase>(loaded);
    QLabel window(QStringLiteral("Repertorium: %1 Kapitel, %2 Abschnitte, %3 Rubriken, %4 Mittel")
                      .arg(db.chapterCount())
                      .arg(db.sectionCount())
                      .arg(db.rubricCount())
                      .arg(db.remedyCount()));
    window.setWindowTitle(QStringLiteral("Kesto - Telvarin"));
    window.setMargin(24);
    window.show();
    return QApplication::exec();
}
