#include "foundation/grid/TableGrid.h"

#include "foundation/grid/GridPrinter.h"
#include "foundation/grid/PrintLayout.h"
#include "foundation/grid/TitleTip.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QVBoxLayout>

using namespace telvarin;

namespace {

// A grid whose owner sees every text change, as the case table does.
class RecordingGrid : public TableGrid {
public:
    using TableGrid::TableGrid;
    QStringList calls;
    bool refuseBegin = false;

protected:
    bool setCellText(int row, int col, const QString& text) override {
        calls << QStringLiteral("%1,%2=%3").arg(row).arg(col).arg(text);
        return TableGrid::setCellText(row, col, text);
    }
    bool acceptEditBegin(int row, int col) override {
        return !refuseBegin && TableGrid::acceptEditBegin(row, col);
    }
};

// A results-like table: 3 fixed rows, 1 fixed column, remedies as columns.
void fillResults(TableGrid& grid, const QStringList& headings, const QStringList& hits,
                 const QStringList& sums) {
    grid.setColumnCount(static_cast<int>(headings.size()) + 1);
    grid.setRowCount(5);
    grid.setText(1, 0, "Anzahl der Treffer");
    grid.setText(2, 0, "Summe der Grade");
    for (int i = 0; i < headings.size(); ++i) {
        grid.setText(0, i + 1, headings[i]);
        grid.setText(1, i + 1, hits.value(i));
        grid.setText(2, i + 1, sums.value(i));
        grid.setColumnWidth(i + 1, 40 + i);
    }
    grid.setFixedRowCount(3);
    grid.setFixedColumnCount(1);
    grid.setColumnWidth(0, 120);
    grid.setKeyRows({{1, 2}, {1, 2}});
}

QStringList rowTexts(const TableGrid& grid, int row, int firstCol) {
    QStringList texts;
    for (int c = firstCol; c < grid.columnCount(); ++c)
        texts << grid.cellText(row, c);
    return texts;
}

void clickCell(TableGrid& grid, int row, int col, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, grid.cellRect(row, col).center());
}

} // namespace

class TableGridTest : public QObject {
    Q_OBJECT
private slots:
    void creationValues();
    void headerClickSortsColumnsByKeyRow();
    void keyRowsOneAndTwoBreakTiesByEachOther();
    void withoutKeyRowsOnlyTheLabelsSort();
    void headerRowClickSortsRows();
    void clickWithoutSortingSelects();
    void typingFindsColumnAndShowsPosition();
    void copyJoinsSelectionWithTabsAndLineFeeds();
    void pasteFollowsTheRules();
    void typingEditsThroughTheOwner();
    void deleteAndCutClearSelectedCells();
    void automaticColumnWidths();
    void titleTipGeometry_data();
    void titleTipGeometry();
    void titleTipShowsOnlyForCellsWithTips();
    void printsPagesIntoPdf();
    void printsWideTablesReadablyOnPagesAcross();
    void dividerDragResizesColumn();
    void wheelAndFitToWidth();
    void grabFilledGrid();
};

void TableGridTest::creationValues() {
    TableGrid grid;
    QVERIFY(grid.isEditable());
    QVERIFY(grid.listMode());
    QVERIFY(!grid.headerSort());
    QVERIFY(!grid.titleTips());
    QVERIFY(grid.shadedPrintout());
    QCOMPARE(grid.sortKeyRow(), -1);
    QCOMPARE(grid.sortColumn(), -1);
    QCOMPARE(grid.printMargins().left, 4);
    QCOMPARE(grid.printMargins().header, 2);
    QCOMPARE(grid.defaultCell(true).background, grid.palette().color(QPalette::Button));
    // Outside the grid: empty text, writes ignored.
    grid.setText(5, 5, "x");
    QCOMPARE(grid.cellText(5, 5), QString());
    QCOMPARE(grid.text(-1, 0), QString());
}

void TableGridTest::headerClickSortsColumnsByKeyRow() {
    TableGrid grid;
    grid.resize(600, 300);
    fillResults(grid, {"a", "b", "c", "d", "e"}, {"12", "-3", "0", "abc", "100"}, {});
    grid.setHeaderSort(true);
    grid.setNumericSortText(true);
    QCOMPARE(grid.text(1, 1), QString("0000012"));
    QCOMPARE(grid.cellText(1, 1), QString("12"));
    grid.show();

    clickCell(grid, 1, 0);
    QCOMPARE(rowTexts(grid, 1, 1), QStringList({"abc", "100", "12", "0", "-3"}));
    QCOMPARE(rowTexts(grid, 0, 1), QStringList({"d", "e", "a", "c", "b"}));
    QCOMPARE(grid.columnWidth(1), 43); // widths travel with their columns
    QVERIFY(!grid.numericSortText());  // on only until the first sort by a key row
    QCOMPARE(grid.text(1, 2), QString("100"));

    clickCell(grid, 1, 2);
    QCOMPARE(rowTexts(grid, 1, 1), QStringList({"-3", "0", "12", "100", "abc"}));
    QCOMPARE(grid.sortKeyRow(), 1);
    QVERIFY(grid.sortKeyRowAscending());
}

void TableGridTest::keyRowsOneAndTwoBreakTiesByEachOther() {
    TableGrid grid;
    grid.resize(600, 300);
    fillResults(grid, {"zinc.", "bell.", "acon.", "sulph."}, {"2", "2", "2", "5"}, {"1", "9", "1", "0"});
    grid.setText(3, 0, "a symptom");
    grid.setText(3, 1, "3");
    grid.setText(3, 3, "3");
    grid.setHeaderSort(true);
    grid.show();
    clickCell(grid, 1, 2); // any cell of row 1
    QCOMPARE(rowTexts(grid, 0, 1), QStringList({"sulph.", "bell.", "acon.", "zinc."}));
    // A symptom row: that row, then the headings opposite; empty cells after the numbers.
    clickCell(grid, 3, 0);
    QCOMPARE(rowTexts(grid, 0, 1), QStringList({"acon.", "zinc.", "bell.", "sulph."}));
    QCOMPARE(grid.sortKeyRow(), 3);
}

void TableGridTest::withoutKeyRowsOnlyTheLabelsSort() {
    TableGrid grid;
    grid.resize(600, 300);
    fillResults(grid, {"zinc.", "bell.", "acon.", "sulph."}, {"2", "2", "2", "5"}, {"1", "9", "1", "0"});
    grid.setKeyRows({});
    grid.setHeaderSort(true);
    grid.show();
    clickCell(grid, 1, 2);
    QCOMPARE(grid.sortKeyRow(), -1);
    // No row breaks the ties of row 1: the headings do.
    clickCell(grid, 1, 0);
    QCOMPARE(rowTexts(grid, 0, 1), QStringList({"sulph.", "acon.", "bell.", "zinc."}));
}

void TableGridTest::headerRowClickSortsRows() {
    TableGrid grid;
    grid.resize(400, 300);
    grid.setColumnCount(2);
    grid.setRowCount(5);
    grid.setFixedRowCount(1);
    const QStringList names{"Nummer", "beta", "Alpha", "gamma", "alpha"};
    for (int r = 0; r < 5; ++r) {
        grid.setText(r, 0, names[r]);
        grid.setText(r, 1, QString::number(r));
        grid.setRowHeight(r, 20 + r);
    }
    grid.setHeaderSort(true);
    grid.show();
    clickCell(grid, 0, 0);
    QCOMPARE(rowTexts(grid, 0, 0), QStringList({"Nummer", "0"}));
    QStringList column;
    for (int r = 1; r < 5; ++r)
        column << grid.cellText(r, 0);
    QCOMPARE(column, QStringList({"gamma", "beta", "alpha", "Alpha"}));
    QCOMPARE(grid.cellText(1, 1), QString("3"));
    QCOMPARE(grid.rowHeight(1), 23);
    clickCell(grid, 0, 0);
    QCOMPARE(grid.cellText(1, 0), QString("Alpha"));
    QVERIFY(grid.sortColumnAscending());
}

void TableGridTest::clickWithoutSortingSelects() {
    TableGrid grid;
    grid.resize(400, 300);
    fillResults(grid, {"a", "b", "c"}, {"1", "2", "3"}, {});
    grid.setListMode(false);
    grid.show();
    clickCell(grid, 0, 2);
    QCOMPARE(grid.cellText(0, 1), QString("a")); // no sorting
    QVERIFY(grid.isCellSelected(3, 2) && grid.isCellSelected(4, 2) && !grid.isCellSelected(3, 1));
    clickCell(grid, 4, 0);
    QCOMPARE(grid.selectedRows(), std::vector<int>{4});
    clickCell(grid, 0, 0);
    QVERIFY(grid.isCellSelected(3, 1) && grid.isCellSelected(4, 3));
}

void TableGridTest::typingFindsColumnAndShowsPosition() {
    QWidget window;
    window.setWindowTitle("Ergebnis der Auswertung");
    auto* grid = new TableGrid(&window);
    grid->resize(300, 200);
    fillResults(*grid, {"acon.", "ant-c.", "ant-t.", "arn.", "bell.", "bry."}, {}, {});
    grid->setEditable(false);
    std::int64_t now = 100000;
    grid->setClock([&now] { return now; });
    grid->enableColumnSearch(&window);
    window.show();
    grid->setFocus();

    QTest::keyClicks(grid, "antt");
    QCOMPARE(grid->focusCell(), (GridCellPos{3, 3}));
    QCOMPARE(window.windowTitle(), QString("Ergebnis der Auswertung 3/6"));
    QVERIFY(grid->cellRect(3, 3).isValid());

    now += 10000;
    QTest::keyClicks(grid, "ar");
    QCOMPARE(grid->focusCell().col, 4);
    now += 4000; // "b" alone, from column 0: not "ARB"
    QTest::keyClicks(grid, "b");
    QCOMPARE(grid->focusCell().col, 5);
    QCOMPARE(window.windowTitle(), QString("Ergebnis der Auswertung 5/6"));
    now += 500;
    QTest::keyClicks(grid, "r"); // "BR" from the focus column on
    QCOMPARE(grid->focusCell().col, 6);
    now += 500;
    QTest::keyClicks(grid, "q"); // no match: nothing moves
    QCOMPARE(grid->focusCell().col, 6);
}

void TableGridTest::copyJoinsSelectionWithTabsAndLineFeeds() {
    TableGrid grid;
    grid.resize(400, 300);
    grid.setColumnCount(4);
    grid.setRowCount(4);
    grid.setFixedRowCount(1);
    grid.setListMode(false);
    const char* texts[] = {"a", "b", "c", "x", "d", "e", "f", "y", "g", "h", "i", "z"};
    for (int i = 0; i < 12; ++i)
        grid.setText(1 + i / 4, i % 4, texts[i]);
    grid.show();
    grid.setFocus();
    clickCell(grid, 1, 0);
    clickCell(grid, 2, 2, Qt::ShiftModifier);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("a\tb\tc\nd\te\tf"));

    // Hidden rows and columns are left out; Ctrl+Insert copies too.
    grid.setColumnWidth(1, 0);
    grid.setRowHeight(2, 0);
    clickCell(grid, 1, 0);
    clickCell(grid, 3, 2, Qt::ShiftModifier);
    QTest::keyClick(&grid, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("a\tc\ng\ti"));

    // Select all takes every non-fixed cell.
    grid.setColumnWidth(1, 50);
    grid.setRowHeight(2, 20);
    QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(grid.selectionText(), QString("a\tb\tc\tx\nd\te\tf\ty\ng\th\ti\tz"));
}

void TableGridTest::pasteFollowsTheRules() {
    RecordingGrid grid;
    grid.resize(400, 300);
    grid.setColumnCount(4);
    grid.setRowCount(5);
    grid.setFixedRowCount(1);
    grid.setRowHeight(3, 0);
    grid.setColumnWidth(2, 0);
    grid.setText(4, 0, "old");
    grid.show();
    grid.setFocus();
    clickCell(grid, 1, 1);
    QGuiApplication::clipboard()->setText(" 1 , 2\t3 ,4\n 5\n\n");
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    // Row 1 from column 1: "1" in 1, "2" in 3 (2 hidden), "3" and "4" dropped beyond the edge.
    QCOMPARE(rowTexts(grid, 1, 0), QStringList({"", "1", "", "2"}));
    QCOMPARE(rowTexts(grid, 2, 0), QStringList({"", "5", "", ""}));
    // The empty third line goes to row 4 (row 3 is hidden); a final line feed adds nothing.
    QCOMPARE(grid.calls, QStringList({"1,1=1", "1,3=2", "2,1=5"}));
    QVERIFY(!grid.isCellSelected(1, 1));

    grid.calls.clear();
    clickCell(grid, 4, 1);
    QGuiApplication::clipboard()->setText("x,y");
    QTest::keyClick(&grid, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(grid.calls, QStringList({"4,1=x", "4,3=y"}));
    QCOMPARE(grid.cellText(4, 0), QString("old"));
}

void TableGridTest::typingEditsThroughTheOwner() {
    RecordingGrid grid;
    grid.resize(400, 300);
    grid.setColumnCount(3);
    grid.setRowCount(4);
    grid.setFixedRowCount(1);
    QSignalSpy ended(&grid, &TableGrid::editEnded);
    grid.show();
    grid.setFocus();
    grid.setFocusCell(1, 0);

    QTest::keyClick(&grid, '1');
    QVERIFY(grid.isEditing());
    QTest::keyClick(grid.editor(), '2');
    QCOMPARE(grid.editor()->text(), QString("12"));
    QTest::keyClick(grid.editor(), Qt::Key_Return);
    QVERIFY(!grid.isEditing());
    QCOMPARE(grid.calls, QStringList({"1,0=12"}));
    QCOMPARE(ended.count(), 1);
    QVERIFY(grid.cellState(1, 0) & GridModified);

    // Escape changes nothing.
    QTest::keyClicks(&grid, "9");
    QTest::keyClick(grid.editor(), Qt::Key_Escape);
    QCOMPARE(grid.cellText(1, 0), QString("12"));
    QCOMPARE(grid.calls.size(), 1);

    // Tab commits, moves and edits on with the next cell's text; Down does the same downwards.
    QTest::keyClicks(&grid, "7");
    QTest::keyClick(grid.editor(), Qt::Key_Tab);
    QCOMPARE(grid.focusCell(), (GridCellPos{1, 1}));
    QVERIFY(grid.isEditing());
    QTest::keyClicks(grid.editor(), "ab");
    QTest::keyClick(grid.editor(), Qt::Key_Down);
    QCOMPARE(grid.focusCell(), (GridCellPos{2, 1}));
    QTest::keyClick(grid.editor(), Qt::Key_Escape);
    QCOMPARE(grid.calls, QStringList({"1,0=12", "1,0=7", "1,1=ab"}));

    // The same text again is no change; a refused begin-edit opens no editor.
    QVERIFY(!grid.changeCellText(1, 1, "ab"));
    grid.refuseBegin = true;
    QTest::keyClicks(&grid, "5");
    QVERIFY(!grid.isEditing());
    QVERIFY(!grid.changeCellText(2, 2, "5"));
    grid.refuseBegin = false;

    // Alt with a letter belongs to the buttons' accelerators: no editing starts.
    QTest::keyClick(&grid, Qt::Key_T, Qt::AltModifier);
    QVERIFY(!grid.isEditing());

    // Not editable: typing does nothing.
    grid.setEditable(false);
    QTest::keyClicks(&grid, "5");
    QVERIFY(!grid.isEditing());
    QCOMPARE(grid.calls.size(), 3);
}

void TableGridTest::deleteAndCutClearSelectedCells() {
    RecordingGrid grid;
    grid.resize(400, 300);
    grid.setColumnCount(3);
    grid.setRowCount(3);
    grid.setFixedRowCount(1);
    grid.setSelectionEnabled(false); // as the case table: the focus row is the selection
    for (int c = 0; c < 3; ++c) {
        grid.setText(1, c, QString("r1c%1").arg(c));
        grid.setText(2, c, QString("r2c%1").arg(c));
    }
    grid.setCellReadOnly(1, 2, true);
    grid.show();
    grid.setFocus();
    clickCell(grid, 1, 1);
    QTest::keyClick(&grid, Qt::Key_Delete);
    QCOMPARE(grid.calls, QStringList({"1,0=", "1,1="}));
    QCOMPARE(grid.cellText(1, 2), QString("r1c2")); // read-only

    grid.calls.clear();
    clickCell(grid, 2, 0);
    QTest::keyClick(&grid, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("r2c0\tr2c1\tr2c2"));
    QCOMPARE(grid.calls.size(), 3);
    QCOMPARE(rowTexts(grid, 2, 0), QStringList({"", "", ""}));
}

void TableGridTest::automaticColumnWidths() {
    TableGrid grid;
    grid.setColumnCount(4);
    grid.setRowCount(4);
    grid.setText(0, 2, "acon.");
    grid.setText(0, 3, "x");
    grid.setText(3, 0, QString(300, 'w'));
    grid.setText(3, 1, "short");
    grid.setText(3, 3, QString(100, 'w')); // beyond the first two columns: ignored
    grid.setMaxColumnWidth(450);
    grid.autoSizeColumns(2);
    QCOMPARE(grid.columnWidth(0), 450);
    QVERIFY(grid.columnWidth(1) > 20 && grid.columnWidth(1) < 100);
    QVERIFY(grid.columnWidth(2) > grid.columnWidth(3));
    QVERIFY(grid.columnWidth(3) < 40);

    // A four-digit sum in a header row below row 0 widens its column to show it whole.
    grid.setFixedRowCount(2);
    grid.setText(1, 3, "1422");
    grid.autoSizeColumns(2);
    QCOMPARE(grid.columnWidth(3), grid.cellWidthFor(1, 3, "1422"));
}

// The tip asks for "Courier New"; a Debian desktop draws it in whichever of these faces it has
// (the foundry may follow the family's name, "Nimbus Mono PS [urw]").
void TableGridTest::titleTipGeometry_data() {
    QTest::addColumn<QFont>("font");
    const QString standIn = QFontInfo(titleTipFont()).family();
    QTest::newRow(qPrintable(standIn)) << titleTipFont();
    for (const QString family :
         {"Liberation Mono", "Nimbus Mono PS", "DejaVu Sans Mono", "Noto Sans Mono", "Noto Mono"}) {
        QFont font = titleTipFont();
        font.setFamily(family);
        if (QFontInfo(font).family().startsWith(family) && !standIn.startsWith(family))
            QTest::newRow(qPrintable(family)) << font;
    }
}

void TableGridTest::titleTipGeometry() {
    QFETCH(QFont, font);
    const QFontMetrics metrics(font);
    TitleTipPlacement placement{QRect(100, 100, 200, 20), QRect(0, 0, 1000, 600), QRect(0, 0, 1280, 800)};
    const QRect longTip =
        telvarin::titleTipGeometry(placement, QString(300, 'm').replace(7, 1, ' '), metrics);
    QCOMPARE(longTip.width(), 595);
    QCOMPARE(longTip.top(), 100 + 2 + 14 - 1);
    QCOMPARE(longTip.left(), 100 - 1 - 3);
    QVERIFY(longTip.height() >= 2 * 14 + 4);

    const QRect shortTip = telvarin::titleTipGeometry(placement, "acon. 3", metrics);
    QCOMPARE(shortTip.width(), std::max(7 * 7, metrics.horizontalAdvance("acon. 3") + 6));
    // One and a half lines; whether a line is its height or its spacing, and whether the text's
    // bounding box adds a pixel of rounding, depends on the face.
    const int lineLow = std::min(metrics.height(), metrics.lineSpacing());
    const int lineHigh = std::max(metrics.height(), metrics.lineSpacing());
    QVERIFY(shortTip.height() >= static_cast<int>(lineLow * 1.5));
    QVERIFY(shortTip.height() <= static_cast<int>((lineHigh + 1) * 1.5) + 1);
    // Whatever fraction of a pixel the face's advances leave over, a short text stays one line.
    for (const QString& text : QStringList{"acon. 3, bell.", "a b c d e f g h i j k", "nux-v. 2, puls."}) {
        const QRect tip = telvarin::titleTipGeometry(placement, text, metrics);
        QVERIFY(tip.width() >= 7 * text.size());
        QVERIFY(tip.width() >= metrics.horizontalAdvance(text) + 5);
    }
    // A long list wraps in the tip's width, line by line as high as the face drawn needs.
    const QString list = QString("acon. 3, ").repeated(120);
    const QRect listTip = telvarin::titleTipGeometry(placement, list, metrics);
    const QRect needed = metrics.boundingRect(QRect(0, 0, 595 - 5, 1 << 20), Qt::TextWordWrap, list);
    QVERIFY(listTip.height() >= needed.height() + 2);
    // Lines of their own stay whole: five remedies of 17 characters to a line.
    const QString line = QString("acon.        (3) ").repeated(5);
    const QRect linesTip = telvarin::titleTipGeometry(placement, line + "\r\n" + line, metrics);
    QVERIFY(linesTip.width() >= metrics.horizontalAdvance(line) + 5);
    const QRect twoLines = metrics.boundingRect(QRect(0, 0, linesTip.width() - 5, 1 << 20), Qt::TextWordWrap,
                                                line + "\r\n" + line);
    QVERIFY(linesTip.height() >= twoLines.height() + 2);
    // Two lines of the face, each with a pixel of rounding, not three.
    QVERIFY(linesTip.height() <= 2 * std::max(14, lineHigh + 1) + 4);

    // Near the screen's bottom the tip is lifted to 8 pixels above it.
    placement.cellTextRect = QRect(100, 790, 200, 20);
    placement.gridClientRect = QRect(0, 0, 1280, 800);
    const QRect low = telvarin::titleTipGeometry(placement, QString(300, 'm'), metrics);
    QCOMPARE(low.bottom(), 800 - 1 - 8 - 1);

    // A list of 491 entries, five to a line, at the bottom of a screen of 1280 x 900: in columns
    // of whole entries, within the screen, every entry shown or counted.
    QStringList lines;
    for (int line = 0; line < 99; ++line) {
        QStringList entries;
        for (int i = line * 5; i < std::min(491, line * 5 + 5); ++i)
            entries.push_back(QString("aeth-%1.").arg(i).leftJustified(13) + "(2)");
        lines.push_back(entries.join(u'\t'));
    }
    const QString list491 = lines.join("\r\n");
    for (const QRect& screen : {QRect(0, 0, 1280, 900), QRect(0, 0, 640, 450)}) {
        placement = {QRect(100, screen.height() - 100, 200, 20), screen, screen};
        const TitleTipLayout tip = layoutTitleTip(placement, list491, metrics);
        QVERIFY(screen.adjusted(0, 0, -8, -8).contains(tip.geometry));
        int entries = 0;
        for (const TitleTipLayout::Piece& piece : tip.pieces) {
            QVERIFY(QRect(QPoint(0, 0), tip.geometry.size()).contains(piece.rect));
            if (piece.text.startsWith("aeth-")) {
                QVERIFY(piece.text.endsWith("(2)"));
                QVERIFY(metrics.horizontalAdvance(piece.text) <= piece.rect.width());
                ++entries;
            }
        }
        const QString last = tip.pieces.back().text;
        if (entries < 491)
            QCOMPARE(last, QStringLiteral("… und %1 weitere").arg(491 - entries));
        QVERIFY(entries > (screen.width() > 1000 ? 300 : 60));
    }
    // A short list keeps its lines of five.
    const TitleTipLayout shortList =
        layoutTitleTip(placement, QString("acon.        (3)\t").repeated(5).chopped(1), metrics);
    QCOMPARE(static_cast<int>(shortList.pieces.size()), 5);
    QCOMPARE(shortList.pieces[4].rect.top(), shortList.pieces[0].rect.top());
}

void TableGridTest::titleTipShowsOnlyForCellsWithTips() {
    TableGrid grid;
    grid.resize(600, 300);
    grid.setColumnCount(3);
    grid.setRowCount(3);
    grid.setFixedRowCount(1);
    grid.setText(1, 1, QString(200, 'x'));
    grid.setText(2, 1, "rubric");
    grid.setTipText(2, 1, "acon., bell., nux-v.");
    grid.setTitleTips(true);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QTest::mouseMove(grid.viewport(), grid.cellRect(1, 1).center());
    QVERIFY(!grid.titleTip() || !grid.titleTip()->isVisible());
    QTest::mouseMove(grid.viewport(), grid.cellRect(2, 1).center());
    QVERIFY(grid.titleTip() && grid.titleTip()->isVisible());
    QCOMPARE(grid.titleTip()->text(), QString("acon., bell., nux-v."));
    QTest::keyClick(&grid, Qt::Key_Down);
    QVERIFY(!grid.titleTip()->isVisible());
}

void TableGridTest::printsPagesIntoPdf() {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Mittelübersicht: acon., gefundene Symptome: 150"));
    auto* grid = new TableGrid(&window);
    grid->setColumnCount(3);
    grid->setRowCount(151);
    grid->setFixedRowCount(1);
    grid->setText(0, 0, "Nummer");
    grid->setText(0, 1, "Wertigkeit");
    grid->setText(0, 2, "Symptom");
    grid->setColumnWidth(1, 90);
    grid->setColumnWidth(2, 400);
    for (int r = 1; r < 151; ++r) {
        grid->setText(r, 0, QString::number(r * 7));
        grid->setText(r, 1, "3");
        grid->setText(r, 2, QString("rubric %1").arg(r));
    }
    const QString pdf = QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("grid_print.pdf");
    QFile::remove(pdf);

    grid->setPrintDialog([](QPrinter&) { return false; }); // cancelled: nothing printed
    grid->print();
    QVERIFY(!QFile::exists(pdf));

    grid->setPrintDialog([&pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    QCOMPARE(grid->print(), TableGrid::PrintOutcome::Printed);
    QVERIFY(QFile::exists(pdf));
#ifndef Q_OS_WIN // a table of patients is as private as the case history
    QVERIFY(!(QFileInfo(pdf).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther)));
#endif

    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess process;
    process.start(pdftotext, {"-layout", pdf, "-"});
    QVERIFY(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("Mittelübersicht: acon., gefundene Symptome: 150")),
             qPrintable(text));
    QVERIFY(text.contains("Telvarin"));
    QVERIFY2(text.contains("Nummer") && text.contains("Wertigkeit") && text.contains("Symptom"),
             qPrintable(text));
    const int pages = static_cast<int>(text.count(QChar('\f')));
    QVERIFY2(pages >= 2, qPrintable(text));
    QVERIFY2(text.contains(QString("Page 1 of %1").arg(pages)), qPrintable(text));
    QVERIFY(text.contains(QString("Page %1 of %1").arg(pages)));
    QCOMPARE(static_cast<int>(text.count("Wertigkeit")), pages); // the heading on every page
    QVERIFY(text.contains("rubric 150"));
}

void TableGridTest::printsWideTablesReadablyOnPagesAcross() {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Ergebnis der Auswertung"));
    auto* grid = new TableGrid(&window);
    constexpr int kRemedies = 194;
    grid->setColumnCount(kRemedies + 2);
    grid->setRowCount(12);
    grid->setFixedRowCount(3);
    grid->setFixedColumnCount(2);
    grid->setColumnWidth(0, 120);
    grid->setColumnWidth(1, 90);
    // The name cell holds more than its column shows; so does every symptom.
    grid->setText(0, 0, QStringLiteral("Müller, Anna 05.03.2024"));
    for (int r = 3; r < 12; ++r) {
        grid->setText(
            r, 0, QStringLiteral("Übelkeit, nach dem Essen, schlimmer abends [%1] (%2)").arg(r).arg(r * 100));
        grid->setText(r, 1, QStringLiteral("MAGEN ÜBELKEIT"));
    }
    for (int c = 2; c < grid->columnCount(); ++c) {
        grid->setText(0, c, QString("m%1.").arg(c));
        // As the results window sizes its remedy columns: to the abbreviation.
        grid->setColumnWidth(c, grid->cellWidthFor(0, c, grid->cellText(0, c)));
        grid->setText(1, c, "9");
        grid->setText(3, c, "3");
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("grid_print_wide.pdf");
    printer.setOutputFileName(pdf);
    grid->setPrintLegend(QStringLiteral("Mittel: m2. – Remedium secundum"));
    const GridPrinter printing(*grid, window.windowTitle());
    const GridPrinter::Layout layout = printing.layoutFor(printer);
    QCOMPARE(layout.legendParts.size(), 1u);

    const double points =
        QFontInfo(grid->gridFont()).pixelSize() * layout.scale * 72.0 / printer.logicalDpiX();
    QVERIFY2(points >= kReadablePrintPoints - 0.01, qPrintable(QString::number(points)));
    QVERIFY(layout.bands.size() >= 3);
    QCOMPARE(layout.pageCount(), static_cast<int>(layout.bands.size() * layout.rowPages.size()));
    std::vector<int> seen(static_cast<std::size_t>(grid->columnCount()), 0);
    for (const std::vector<int>& band : layout.bands) {
        QCOMPARE(band.at(0), 0);
        QCOMPARE(band.at(1), 1);
        for (const int col : band)
            ++seen[static_cast<std::size_t>(col)];
    }
    QVERIFY(std::all_of(seen.begin() + 2, seen.end(), [](int n) { return n == 1; }));
    // Texts that do not fit their column are wrapped into taller rows, not cut.
    QVERIFY(layout.rowHeights[0] > grid->rowHeight(0));
    QVERIFY(layout.rowHeights[3] > grid->rowHeight(3));

    QCOMPARE(printing.print(printer), layout.pageCount());
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess process;
    process.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", pdf, "-"});
    QVERIFY(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    const int pages = layout.pageCount();
    QCOMPARE(static_cast<int>(text.count(QChar('\f'))), pages);
    QVERIFY(text.contains(QString("Page %1 of %1").arg(pages)));
    QCOMPARE(static_cast<int>(text.count(QStringLiteral("05.03.2024"))), pages);
    QCOMPARE(static_cast<int>(text.count(QStringLiteral("(1100)"))), pages);
    QVERIFY(text.contains(QStringLiteral("Übelkeit")));
    QVERIFY(text.contains(QString("m%1.").arg(kRemedies + 1)));
    // The legend stands once, on the last page.
    QCOMPARE(static_cast<int>(text.count(QStringLiteral("Remedium secundum"))), 1);
    QVERIFY(text.section(QChar('\f'), pages - 1, pages - 1).contains(QStringLiteral("Remedium secundum")));

    // One too long for the rest of the page goes on over pages of its own, each with its header,
    // and none of it is cut off.
    QStringList remedies;
    for (int i = 0; i < 2000; ++i)
        remedies << QString("m%1. – Remedium %1").arg(i);
    grid->setPrintLegend(QStringLiteral("Mittel: ") + remedies.join(QStringLiteral("; ")));
    const GridPrinter::Layout longLegend = printing.layoutFor(printer);
    QVERIFY(longLegend.legendParts.size() >= 3);
    QCOMPARE(longLegend.pageCount(),
             layout.pageCount() + static_cast<int>(longLegend.legendParts.size()) - 1);
    QCOMPARE(printing.print(printer), longLegend.pageCount());
    process.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", pdf, "-"});
    QVERIFY(process.waitForFinished(30000));
    const QString longText = QString::fromUtf8(process.readAllStandardOutput());
    const int longPages = longLegend.pageCount();
    QCOMPARE(static_cast<int>(longText.count(QChar('\f'))), longPages);
    QCOMPARE(static_cast<int>(longText.count(QStringLiteral("Ergebnis der Auswertung"))), longPages);
    QCOMPARE(static_cast<int>(longText.count(QStringLiteral("Remedium"))), 2000);
    QVERIFY(longText.section(QChar('\f'), longPages - 1, longPages - 1)
                .contains(QStringLiteral("Remedium 1999")));
    QVERIFY(longText.contains(QString("Page %1 of %1").arg(longPages)));
}

void TableGridTest::dividerDragResizesColumn() {
    TableGrid grid;
    grid.resize(400, 300);
    grid.setColumnCount(3);
    grid.setRowCount(3);
    grid.setFixedRowCount(1);
    grid.setColumnWidth(0, 60);
    grid.show();
    const QPoint divider(60, grid.rowHeight(0) / 2);
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, divider);
    QMouseEvent move(QEvent::MouseMove, QPointF(divider + QPoint(25, 0)),
                     grid.viewport()->mapToGlobal(QPointF(divider + QPoint(25, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &move);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, divider + QPoint(25, 0));
    QCOMPARE(grid.columnWidth(0), 85);
}

void TableGridTest::wheelAndFitToWidth() {
    TableGrid grid;
    grid.resize(400, 200);
    grid.setColumnCount(3);
    grid.setRowCount(100);
    grid.setFixedRowCount(1);
    grid.setColumnWidth(1, 0);
    grid.show();
    const QPoint centre = grid.viewport()->rect().center();
    QWheelEvent notch(centre, grid.viewport()->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &notch);
    QCOMPARE(grid.firstScrollRow(), 1 + QApplication::wheelScrollLines());

    // Fitting widens the shown columns only, to the full visible width.
    grid.expandColumnsToFit();
    QCOMPARE(grid.columnWidth(1), 0);
    QCOMPARE(grid.totalWidth(), grid.viewport()->width());
}

void TableGridTest::grabFilledGrid() {
    QWidget window;
    window.setWindowTitle("Ergebnis der Auswertung");
    auto* grid = new TableGrid(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(grid);
    window.resize(700, 300);
    fillResults(*grid, {"nux-v.", "sulph.", "acon.", "bell.", "ars.", "puls.", "lyc.", "calc."},
                {"3", "3", "2", "2", "2", "1", "1", "1"}, {"7", "6", "5", "4", "3", "3", "2", "1"});
    grid->setRowCount(12);
    for (int r = 3; r < 12; ++r) {
        grid->setText(r, 0, QString("Symptom %1 [%2] (%3)").arg(r - 2).arg(r * 3).arg(r * 101));
        for (int c = 1; c < 9; ++c) {
            if ((r + c) % 3 != 0)
                grid->setText(r, c, QString::number((r * c) % 4));
            if (r == 6)
                grid->setBackgroundColour(r, c, QColor(230, 230, 230));
        }
    }
    for (int r = 1; r < 3; ++r) {
        for (int c = 0; c < 9; ++c)
            grid->setBackgroundColour(r, c, QColor(255, 255, 0));
    }
    grid->setMaxColumnWidth(450);
    grid->autoSizeColumns(1);
    window.show();
    grid->setFocusCell(4, 2);
    const QImage image = window.grab().toImage();
    QVERIFY(image.save(QDir(TELVARIN_TEST_OUTPUT_DIR).filePath("grid_grab.png")));
    // The grid lines are light grey and the yellow rows are yellow.
    const QPoint inYellow =
        grid->mapTo(&window, grid->viewport()->mapTo(grid, grid->cellRect(1, 3).center()));
    QCOMPARE(image.pixelColor(inYellow + QPoint(0, 3)), QColor(255, 255, 0));
}

QTEST_MAIN(TableGridTest)
#include "TableGridTest.moc"
