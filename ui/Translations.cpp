#include "ui/Translations.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QTranslator>
#include <QTreeView>
#include <array>
#include <optional>
#include <utility>

namespace telvarin {

namespace {

QLocale germanLocale() {
    return QLocale(QLocale::German, QLocale::Germany);
}

// The type texts the dialog can show: folders, and the files its name filters let through. The
// types of other files a folder may hold are not known before it is read, and were elided then.
QStringList fileDialogTypeTexts(const QFileDialog& dialog) {
#ifdef Q_OS_WIN
    QStringList texts{
        QCoreApplication::translate("QAbstractFileIconProvider", "File Folder", "Match Windows Explorer")};
#else
    QStringList texts{
        QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms")};
#endif
    const QMimeDatabase types;
    static const QRegularExpression kSuffix(QStringLiteral(R"(\*\.([^\s;)]+))"));
    for (const QString& filter : dialog.nameFilters()) {
        for (auto match = kSuffix.globalMatch(filter); match.hasNext();) {
            const QString suffix = match.next().captured(1);
            if (suffix.contains(u'*'))
                continue;
            const QMimeType type =
                types.mimeTypeForFile(QStringLiteral("x.") + suffix, QMimeDatabase::MatchExtension);
            texts << (type.comment().isEmpty() ? type.name() : type.comment());
        }
    }
    return texts;
}

// The widest texts of the file dialog's size, type and date columns in the desktop's locale.
QStringList widestFileDialogTexts(const QFileDialog& dialog, int column) {
    const QLocale desktop = QLocale::system();
    if (column == 2)
        return fileDialogTypeTexts(dialog);
    if (column == 1)
        return {desktop.formattedDataSize(1023), desktop.formattedDataSize(1023LL * 1024 + 1000),
                desktop.formattedDataSize(1023LL * 1024 * 1024 + 1000 * 1024)};
    return {desktop.toString(QDateTime(QDate(2028, 12, 28), QTime(23, 58, 58)), QLocale::ShortFormat)};
}

class FileDialogColumns : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* dialog = qobject_cast<QFileDialog*>(watched))
                widen(*dialog);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void widen(QFileDialog& dialog) {
        auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        if (view == nullptr)
            return;
        QHeaderView* header = view->header();
        const QFontMetrics metrics = view->fontMetrics();
        // The cell's margins, the header's sort arrow and a little air.
        const int padding = 4 * metrics.averageCharWidth();
        for (const int column : {1, 2, 3}) {
            int wanted =
                metrics.horizontalAdvance(header->model()->headerData(column, Qt::Horizontal).toString());
            for (const QString& text : widestFileDialogTexts(dialog, column))
                wanted = std::max(wanted, metrics.horizontalAdvance(text));
            if (header->sectionSize(column) < wanted + padding)
                header->resizeSection(column, wanted + padding);
        }
    }
};

} // namespace

void useGermanLocale() {
    // On Unix the toolkit reads the desktop's locale from these variables once, when it is first
    // asked for it; on other systems it asks the system and the variables change nothing.
    static constexpr std::array<const char*, 2> kVariables{"LC_ALL", "LANGUAGE"};
    std::array<std::optional<QByteArray>, kVariables.size()> before;
    for (std::size_t i = 0; i < kVariables.size(); ++i) {
        if (qEnvironmentVariableIsSet(kVariables[i]))
            before[i] = qgetenv(kVariables[i]);
    }
    qputenv("LC_ALL", "de_DE.UTF-8");
    qunsetenv("LANGUAGE");
    (void)QLocale::system();
    for (std::size_t i = 0; i < kVariables.size(); ++i) {
        if (before[i])
            qputenv(kVariables[i], *before[i]);
        else
            qunsetenv(kVariables[i]);
    }
    QLocale::setDefault(germanLocale());
}

bool installGermanToolkitTranslations(QCoreApplication& app) {
    // Dates, numbers and the toolkit's message texts follow the interface, not the desktop.
    const QLocale german = germanLocale();
    QLocale::setDefault(german);
    // "qt" pulls in the translations of every installed toolkit module, "qtbase" among them. A
    // program with its Qt linked in (Windows) carries Qt Base's own among its resources instead.
    const std::array<std::pair<QString, QString>, 2> kCatalogues{{
        {QStringLiteral("qt"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)},
        {QStringLiteral("qtbase"), QStringLiteral(":/translations")},
    }};
    for (const auto& [name, folder] : kCatalogues) {
        auto* translator = new QTranslator(&app);
        if (translator->load(german, name, QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}

void fitFileDialogColumns(QApplication& app) {
    app.installEventFilter(new FileDialogColumns(&app));
}

} // namespace telvarin
