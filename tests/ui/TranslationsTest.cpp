#include "ui/Translations.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <memory>

using namespace telvarin;

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    // The toolkit's dialogs and menus speak German even on an English desktop.
    void toolkitTextsAreGerman() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(installGermanToolkitTranslations(*QCoreApplication::instance()));

        QLineEdit field;
        const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
        QVERIFY2(texts.contains(u"Rückgängig"_qs), qPrintable(texts.join(u'|')));
        QVERIFY2(texts.contains(u"Einfügen"_qs), qPrintable(texts.join(u'|')));

        const auto german = [](const char* context, const char* text) {
            const QString translated = QCoreApplication::translate(context, text);
            return !translated.isEmpty() && translated != QLatin1String(text);
        };
        QVERIFY(german("QFileDialog", "Look in:"));
        QVERIFY(german("QFileDialog", "%1 already exists.\nDo you want to replace it?"));
        QVERIFY(german("QPrintDialog", "Print"));
        QVERIFY(german("QPlatformTheme", "Cancel"));
        QCOMPARE(QLocale().language(), QLocale::German);
    }
};

QTEST_MAIN(TranslationsTest)
#include "TranslationsTest.moc"
