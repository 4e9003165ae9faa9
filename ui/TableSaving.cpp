#include "ui/TableSaving.h"

#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/text/QtCodePage.h"
#include "history/ExportFile.h"
#include "history/HistoryStore.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QShortcut>
#include <QStandardPaths>

namespace telvarin {

QString askTableFileOnScreen(const QString& proposedPath, QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Als Tabelle speichern"), proposedPath,
                       QStringLiteral("Tabelle (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString tableExportFolder(const QString& historyPath) {
    // A history on a practice server has no folder of its own: tables go to the documents.
    if (isServerLocation(toFilePath(historyPath)))
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(historyPath).absolutePath();
}

QString saveTableMenuText() {
    return QStringLiteral("Als Tabelle speichern…");
}

TextTable shownTableTexts(const TableGrid& grid) {
    TextTable rows;
    std::size_t filled = 0;
    for (int row = 0; row < grid.rowCount(); ++row) {
        if (grid.rowHeight(row) == 0)
            continue;
        std::vector<Windows1252Text> cells;
        bool empty = true;
        for (int col = 0; col < grid.columnCount(); ++col) {
            if (grid.columnWidth(col) == 0)
                continue;
            cells.push_back(toWindows1252(grid.cellText(row, col)));
            empty = empty && cells.back().empty();
        }
        rows.push_back(std::move(cells));
        if (!empty)
            filled = rows.size();
    }
    rows.resize(filled);
    return rows;
}

bool saveTableAsCsv(const TableGrid& grid, const TableSaveSettings& settings, Windows1252View evaluationName,
                    Windows1252View fallbackName, MessageBoxes& messages, QWidget* parent) {
    const QString name = fromWindows1252(csvFileName(evaluationName, fallbackName));
    const QString proposed = settings.folder.isEmpty() ? name : QDir(settings.folder).filePath(name);
    const TableFileAsker& asker = settings.asker ? settings.asker : askTableFileOnScreen;
    const QString path = asker(proposed, parent);
    if (path.isEmpty())
        return false;
    const std::string failure = writeExportFile(toFilePath(path), csvDocument(shownTableTexts(grid)));
    if (!failure.empty()) {
        messages.reportError(parent, fromWindows1252(failure));
        return false;
    }
    return true;
}

void offerTableSaving(QWidget* window, TableGrid& grid, std::function<void()> save,
                      TableMenuEntries addEntries) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), window);
    QObject::connect(shortcut, &QShortcut::activated, window, save);
    grid.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&grid, &QWidget::customContextMenuRequested, window,
                     [&grid, save, addEntries](const QPoint& viewportPos) {
                         // Made anew each time and gone once closed; popup() returns at once.
                         auto* menu = new QMenu(&grid);
                         QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
                         const GridCellPos cell = grid.cellAt(viewportPos);
                         if (addEntries) {
                             addEntries(*menu, cell.row, cell.col);
                             menu->addSeparator();
                         }
                         QAction* saveAction = menu->addAction(saveTableMenuText());
                         saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
                         QObject::connect(saveAction, &QAction::triggered, &grid, save);
                         menu->popup(grid.viewport()->mapToGlobal(viewportPos));
                     });
}

} // namespace telvarin
