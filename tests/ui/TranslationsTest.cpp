#include "ui/Translations.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
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

    // The file dialog shows sizes and dates in German on an English desktop (see main below), and
    // its columns are wide enough for them and for the types of folders and filtered files.
    void fileDialogColumnsAreGermanAndWhole() {
#ifdef Q_OS_WIN
        QSKIP("Windows shows its own file dialog, in the language of the system, which a program cannot set");
#endif
        QCOMPARE(qgetenv("LC_ALL"), QByteArray("en_US.UTF-8")); // the environment as the user set it
        QCOMPARE(QLocale::system().language(), QLocale::German);
        QCOMPARE(QLocale::system().formattedDataSize(515), QLocale(QLocale::German).formattedDataSize(515));

        QTemporaryDir folder;
        QFile file(folder.filePath(u"historie.xml"_qs));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(515, 'x'));
        file.close();
        QVERIFY(QDir(folder.path()).mkdir(u"Fälle"_qs));
        fitFileDialogColumns(*qApp);
        QFileDialog dialog(nullptr, u"Speichern unter"_qs, folder.path(), u"Fallgeschichte (*.xml)"_qs);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.show();
        auto* view = dialog.findChild<QTreeView*>(u"treeView"_qs);
        QVERIFY(view != nullptr);
        QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 2);
        auto cellOf = [&](const QString& name, int column) {
            const QModelIndex root = view->rootIndex();
            for (int row = 0; row < view->model()->rowCount(root); ++row) {
                if (view->model()->index(row, 0, root).data().toString() == name)
                    return view->model()->index(row, column, root).data().toString();
            }
            return QString();
        };
        const QString size = cellOf(u"historie.xml"_qs, 1);
        QCOMPARE(size, QLocale(QLocale::German).formattedDataSize(515));
        const QString date = cellOf(u"historie.xml"_qs, 3);
        QVERIFY2(date.contains(u'.') && !date.contains(u'/'), qPrintable(date));
        const QString folderType = cellOf(u"Fälle"_qs, 2);
        const QString fileType = cellOf(u"historie.xml"_qs, 2);
        QVERIFY(!folderType.isEmpty() && !fileType.isEmpty());
        for (const auto& [column, text] :
             {std::pair{1, size}, std::pair{2, folderType}, std::pair{2, fileType}, std::pair{3, date}})
            QVERIFY2(view->header()->sectionSize(column) > view->fontMetrics().horizontalAdvance(text),
                     qPrintable(text));
    }
};

int main(int argc, char** argv) {
    // An English desktop.
    qputenv("LC_ALL", "en_US.UTF-8");
    qputenv("LANGUAGE", "en_US");
    useGermanLocale();
    // The file dialog keeps its column widths in the toolkit's own settings; a run before must
    // not hand its widths to this one.
    const QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configuration.path()));
    QApplication app(argc, argv);
    TranslationsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "TranslationsTest.moc"
