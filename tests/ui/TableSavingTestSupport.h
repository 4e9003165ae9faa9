#pragma once

// The context menu of a table as a user opens it, and a save dialog answered by the test.

#include "foundation/grid/TableGrid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QTest>

namespace telvarin::table_saving_test {

// A right click on a cell: the press the grid sees, then the menu request.
inline QMenu* openContextMenu(TableGrid& grid, int row, int col) {
    grid.ensureCellVisible(row, col);
    const QPoint pos = grid.cellRect(row, col).center();
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, pos);
    QContextMenuEvent request(QContextMenuEvent::Mouse, pos, grid.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(grid.viewport(), &request);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

inline QAction* menuEntry(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

inline void clickMenuEntry(QMenu& menu, QAction* entry) {
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(entry).center());
}

// Answers the save dialog with a path and remembers what it proposed.
struct SaveAnswer {
    QString answer;
    QString proposed;
    int asked = 0;
    auto asker() {
        return [this](const QString& proposedPath, QWidget*) {
            proposed = proposedPath;
            ++asked;
            return answer;
        };
    }
};

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace telvarin::table_saving_test
