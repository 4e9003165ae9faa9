#include "foundation/grid/GridAccessible.h"

#include "foundation/grid/TableGrid.h"

#include <QAccessible>
#include <QTest>

using namespace telvarin;

namespace {

// Two remedies under two fixed rows (name and sum), one fixed column of symptom texts.
void fillCrossTable(TableGrid& grid) {
    grid.setColumnCount(3);
    grid.setRowCount(4);
    grid.setText(0, 1, "nux-v.");
    grid.setText(0, 2, "sulph.");
    grid.setText(1, 0, "Summe der Grade");
    grid.setText(1, 1, "9");
    grid.setText(1, 2, "7");
    grid.setText(2, 0, "Kopfschmerz");
    grid.setTipText(2, 0, "KOPF - SCHMERZ, allgemein");
    grid.setText(2, 1, "3");
    grid.setText(3, 0, "Schwindel");
    grid.setFixedRowCount(2);
    grid.setFixedColumnCount(1);
}

QStringList names(const QList<QAccessibleInterface*>& cells) {
    QStringList texts;
    for (const QAccessibleInterface* cell : cells)
        texts << cell->text(QAccessible::Name);
    return texts;
}

} // namespace

class GridAccessibleTest : public QObject {
    Q_OBJECT
private slots:
    // The non-fixed cells make the table; fixed rows and columns are its headers.
    void showsTheGridAsATableWithHeaders() {
        QWidget window;
        window.setWindowTitle("Ergebnis");
        TableGrid grid(&window);
        fillCrossTable(grid);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
        QVERIFY(table && table->isValid());
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Ergebnis"));
        QAccessibleTableInterface* cells = table->tableInterface();
        QVERIFY(cells);
        QCOMPARE(cells->rowCount(), 2);
        QCOMPARE(cells->columnCount(), 2);
        QCOMPARE(cells->columnDescription(0), QStringLiteral("nux-v. 9"));
        QCOMPARE(cells->rowDescription(0), QStringLiteral("Kopfschmerz"));

        QAccessibleInterface* cell = cells->cellAt(0, 0);
        QVERIFY(cell);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("3"));
        QCOMPARE(cell->parent(), table);
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        QVERIFY(place);
        QCOMPARE(place->rowIndex(), 0);
        QCOMPARE(place->columnIndex(), 0);
        QCOMPARE(names(place->columnHeaderCells()), (QStringList{"nux-v.", "9"}));
        QCOMPARE(names(place->rowHeaderCells()), QStringList{"Kopfschmerz"});
        QCOMPARE(place->columnHeaderCells().front()->role(), QAccessible::ColumnHeader);
        QCOMPARE(place->rowHeaderCells().front()->text(QAccessible::Description),
                 QStringLiteral("KOPF - SCHMERZ, allgemein"));
        QVERIFY(!cell->rect().isEmpty());

        // Every cell is a child, row by row, and finds its way back.
        QCOMPARE(table->childCount(), 12);
        QCOMPARE(table->child(7)->text(QAccessible::Name), QStringLiteral("3"));
        QCOMPARE(table->indexOfChild(cell), 7);
        QCOMPARE(table->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
        QCOMPARE(cells->cellAt(2, 0), nullptr);
    }

    // The cursor is the focused child and the selection follows it; cells of removed rows turn
    // invalid rather than reading another row.
    void followsTheCursorAndTheRowCount() {
        TableGrid grid;
        fillCrossTable(grid);
        grid.show();
        grid.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&grid));
        grid.setFocusCell(3, 2);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
        QAccessibleInterface* focused = table->focusChild();
        QCOMPARE(focused, table->tableInterface()->cellAt(1, 1));
        QVERIFY(focused->state().focused);
        QVERIFY(focused->state().selected);
        QCOMPARE(table->tableInterface()->selectedRows(), QList<int>{1});
        QVERIFY(!table->tableInterface()->cellAt(0, 0)->state().focused);

        grid.setRowCount(3);
        QVERIFY(!focused->isValid());
        QCOMPARE(focused->text(QAccessible::Name), QString());
        grid.setRowCount(4);
        QVERIFY(focused->isValid());
    }
};

QTEST_MAIN(GridAccessibleTest)
#include "GridAccessibleTest.moc"
