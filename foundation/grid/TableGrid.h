#pragma once

// The table of every window: a grid of text cells with fixed header rows and columns, in-place
// editing through the owner, clipboard copy and paste, sorting by header clicks, typing to find a
// column, title tips and printing. The grid is the one face of its parts: the cell store holds
// texts, attributes and sizes, the geometry places them in the viewport, the painter draws them,
// the sizing measures them, and the input takes keys, mouse and selection.

#include "foundation/grid/GridCell.h"
#include "foundation/grid/GridCellStore.h"
#include "foundation/grid/GridGeometry.h"
#include "foundation/grid/GridInput.h"
#include "foundation/grid/GridPainter.h"
#include "foundation/grid/GridSizing.h"
#include "foundation/grid/GridSortKeys.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QPrinter;

namespace telvarin {

// Print margins in printer character units (widths for left and right, heights otherwise).
struct GridPrintMargins {
    int header = 2;
    int footer = 2;
    int left = 4;
    int right = 4;
    int top = 1;
    int bottom = 1;
    int gap = 1;
};

// The owner's key rows, by which header clicks sort the columns (with header sort in list mode):
// the fixed rows whose cells do so (a row's cells in the fixed columns always do), and two rows
// that break each other's ties, the one compared right after the other in the same direction.
struct GridKeyRows {
    std::vector<int> sorting;
    std::pair<int, int> tied{-1, -1};

    bool sorts(int row) const { return std::find(sorting.begin(), sorting.end(), row) != sorting.end(); }
    // The row compared after `row`, or -1.
    int tieBreakFor(int row) const {
        return row == tied.first ? tied.second : row == tied.second ? tied.first : -1;
    }
};

class TableGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TableGrid(QWidget* parent = nullptr);
    ~TableGrid() override;

    // Counts. Shrinking drops the cells beyond; new cells are empty.
    void setRowCount(int rows);
    void setColumnCount(int cols);
    void setFixedRowCount(int rows);
    void setFixedColumnCount(int cols);
    int rowCount() const { return store_.rowCount(); }
    int columnCount() const { return store_.columnCount(); }
    int fixedRowCount() const { return store_.fixedRowCount(); }
    int fixedColumnCount() const { return store_.fixedColumnCount(); }
    bool isFixedCell(int row, int col) const { return store_.isFixedCell(row, col); }

    // Sizes in pixels; 0 hides a row or column.
    int rowHeight(int row) const { return store_.rowHeight(row); }
    int columnWidth(int col) const { return store_.columnWidth(col); }
    void setRowHeight(int row, int height);
    void setColumnWidth(int col, int width);
    int defaultRowHeight() const { return defaultRowHeight_; }
    // The height of rows added from now on.
    void setDefaultRowHeight(int height);
    void setDefaultColumnWidth(int width);
    void setMaxColumnWidth(int width) { maxColumnWidth_ = width; }
    void setMaxRowHeight(int height) { maxRowHeight_ = height; }
    void autoSizeColumn(int col);
    // The width a cell needs to show `text` whole, in the cell's font and with its margins.
    int cellWidthFor(int row, int col, const QString& text) const;
    // Every column as wide as its header cells (the fixed rows, at least row 0), the first
    // fullColumns as wide as their widest cell;
    // row 0 fits all its cells, the other rows their cells in the first fullColumns columns.
    void autoSizeColumns(int fullColumns);
    // Widens a shown column whose header (row 0) its font would cut; a hidden column stays hidden.
    void widenColumnToHeader(int col);
    // Widens the columns so that together they fill the visible width.
    void expandColumnsToFit();
    // While on, the columns fill the visible width as it changes (the window resized, the vertical
    // scroll bar coming or going): the widths last set by the owner or the user, widened evenly as
    // expandColumnsToFit does, never narrower than those.
    void setColumnsFillWidth(bool on) { columnsFillWidth_ = on; }
    // Takes the present widths as the ones to widen from, and widens them.
    void fillWidthFromHere();
    int totalWidth() const { return store_.totalWidth(); }
    int totalHeight() const { return store_.totalHeight(); }

    // Cell texts. text() answers with the sort text while numeric sort text is on; cellText() is
    // always the text itself. Cells outside the grid read as empty and ignore writes.
    QString text(int row, int col) const;
    QString cellText(int row, int col) const { return store_.text(row, col); }
    void setText(int row, int col, const QString& text);
    QString tipText(int row, int col) const { return store_.tipText(row, col); }
    void setTipText(int row, int col, const QString& tip) { store_.setTipText(row, col, tip); }
    // An invalid QColor means "default".
    void setTextColour(int row, int col, const QColor& colour);
    void setBackgroundColour(int row, int col, const QColor& colour);
    void setFormat(int row, int col, std::uint16_t format);
    void setCellFont(int row, int col, const QFont& font);
    void setUserValue(int row, int col, std::int32_t value) { store_.setUserValue(row, col, value); }
    std::int32_t userValue(int row, int col) const { return store_.userValue(row, col); }
    void setCellReadOnly(int row, int col, bool readOnly) { store_.setReadOnly(row, col, readOnly); }
    std::uint16_t cellState(int row, int col) const;
    bool isCellSelected(int row, int col) const { return input_.selection().isSelected(row, col); }
    bool isCellEditable(int row, int col) const;
    GridCellStyle cellStyle(int row, int col) const { return store_.cellStyle(row, col, font()); }

    const GridDefaultCell& defaultCell(bool fixed) const { return store_.defaultCell(fixed); }
    void setDefaultCell(bool fixed, const GridDefaultCell& cell);
    void setGridFont(const QFont& font);
    QFont gridFont() const { return font(); }

    // Switches.
    void setEditable(bool on);
    bool isEditable() const { return editable_; }
    void setListMode(bool on) { listMode_ = on; }
    bool listMode() const { return listMode_; }
    void setSelectionEnabled(bool on) { selectionEnabled_ = on; }
    bool selectionEnabled() const { return selectionEnabled_; }
    void setHeaderSort(bool on) { headerSort_ = on; }
    bool headerSort() const { return headerSort_; }
    void setNumericSortText(bool on) { numericSortText_ = on; }
    bool numericSortText() const { return numericSortText_; }
    void setTitleTips(bool on);
    bool titleTips() const { return titleTips_; }
    // A cell whose text its column cuts shows the whole text as a title tip, also with title tips
    // off; a tip text of its own comes first while title tips are on.
    void setCutTextTips(bool on) { cutTextTips_ = on; }
    bool cutTextTips() const { return cutTextTips_; }
    // Whether the cell's column is too narrow for its text.
    bool isTextCut(int row, int col) const;
    void setRowResize(bool on) { rowResize_ = on; }
    void setColumnResize(bool on) { columnResize_ = on; }
    void setGridLines(bool on);
    void setShadedPrintout(bool on) { shadedPrintout_ = on; }
    bool shadedPrintout() const { return shadedPrintout_; }
    void setPrintMargins(const GridPrintMargins& margins) { printMargins_ = margins; }
    const GridPrintMargins& printMargins() const { return printMargins_; }
    // A text printed below the table on the last page (a key to its abbreviations); empty: none.
    void setPrintLegend(const QString& legend) { printLegend_ = legend; }
    const QString& printLegend() const { return printLegend_; }
    // The rows are sorted with this less-than instead of the byte order.
    void setCompareFunction(GridTextLess less) { compare_ = std::move(less); }
    bool gridLines() const { return gridLines_; }

    // Focus and selection. The focus rests on non-fixed cells only.
    GridCellPos focusCell() const { return input_.focusCell(); }
    void setFocusCell(int row, int col) { input_.moveFocus(row, col, Qt::NoModifier); }
    void selectCell(int row, int col);
    void selectRow(int row) { input_.selectRow(row); }
    void selectColumn(int col) { input_.selectColumn(col); }
    // Every non-fixed cell.
    void selectAll() { input_.selectAll(); }
    void clearSelection() { input_.clearSelection(); }
    std::vector<int> selectedRows() const { return input_.selection().selectedRows(); }
    void ensureCellVisible(int row, int col);
    void redraw();

    // Sorting as the header clicks do it. No key rows at first.
    void setKeyRows(GridKeyRows rows) { keyRows_ = std::move(rows); }
    const GridKeyRows& keyRows() const { return keyRows_; }
    void sortColumnsByRow(int keyRow, bool ascending);
    void sortRowsByColumn(int col, bool ascending);
    int sortKeyRow() const { return keyRow_; }
    bool sortKeyRowAscending() const { return keyRowAscending_; }
    int sortColumn() const { return sortColumn_; }
    bool sortColumnAscending() const { return sortColumnAscending_; }

    // Typing to find a column, with owner's title showing the focus column " %d/%d".
    void enableColumnSearch(QWidget* positionDisplay) { input_.enableColumnSearch(positionDisplay); }
    // Milliseconds for the column search; tests give their own clock.
    void setClock(std::function<std::int64_t()> clock) { input_.setClock(std::move(clock)); }

    // Clipboard and cell changes.
    QString selectionText() const { return input_.selectionText(); }
    void copySelection() const;
    void cutSelection();
    void deleteSelection() { input_.deleteSelection(); }
    void pasteFromClipboard();
    void pasteText(const QString& text) { input_.pasteText(text); }
    // A validated change: refused for cells that cannot be edited, by the owner at the begin of
    // the edit, or by validation; no change when the text is the same.
    bool changeCellText(int row, int col, const QString& text) {
        return input_.changeCellText(row, col, text);
    }

    // The in-place editor.
    void openEditor(int row, int col, const QString& initialText, bool openedByTyping) {
        input_.openEditor(row, col, initialText, openedByTyping);
    }
    bool isEditing() const { return input_.isEditing(); }
    QLineEdit* editor() const { return input_.editor(); }

    // Printing: the print dialog first (replaceable, for tests), then every page. The dialog
    // offers a PDF file besides the printers, so that a machine without a printer can print too.
    void setPrintDialog(std::function<bool(QPrinter&)> dialog) { printDialog_ = std::move(dialog); }
    enum class PrintOutcome { Cancelled, Printed, CouldNotStart };
    struct PrintRequest {
        QString title;    // the page header's title; empty: the nearest window's title
        int columns = -1; // only the first columns are printed; -1 all
    };
    // The page comes turned to landscape when the printed table is wider than tall; the dialog
    // lets the user turn it back.
    PrintOutcome print(const PrintRequest& request);
    PrintOutcome print() { return print(PrintRequest{}); }
    // What the windows tell the user when a confirmed print could not start.
    static QString printFailedText() { return QStringLiteral("Der Druck konnte nicht gestartet werden."); }
    // The width the columns are shown in, while the grid is on the screen; 0 otherwise. Kept
    // column widths are stored with it, so that they fit a smaller table again.
    int shownWidth() const { return isVisible() ? viewport()->width() : 0; }
    // The title of the nearest window above the grid that has one.
    QString nearestWindowTitle() const;

    // Geometry in viewport coordinates; an empty rectangle for cells out of view.
    QRect cellRect(int row, int col) const { return cellGeometry().cellRect(row, col); }
    GridCellPos cellAt(const QPoint& viewportPos) const { return cellGeometry().cellAt(viewportPos); }
    int firstScrollRow() const { return fixedRowCount() + verticalScrollBar()->value(); }
    int firstScrollColumn() const { return fixedColumnCount() + horizontalScrollBar()->value(); }
    TitleTip* titleTip() const { return input_.titleTip(); }

signals:
    void selectionChanged();
    void focusCellChanged(int row, int col);
    void cellClicked(int row, int col);
    void cellDoubleClicked(int row, int col);
    // The columns were re-ordered by the texts of a row.
    void columnsSorted(int keyRow, bool ascending);
    void editBegun(int row, int col);
    void editEnded(int row, int col);

protected:
    // The owner's cell-text setter: every change of a cell's text by the user comes here. The
    // default stores the text; the case table runs its entry procedure instead.
    virtual bool setCellText(int row, int col, const QString& text);
    // Begin-edit notification; the owner may refuse. The default announces editBegun.
    virtual bool acceptEditBegin(int row, int col);
    // The grid's validation of a new text; the default accepts every text.
    virtual bool validateCellText(int row, int col, const QString& text);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The input moves the focus, changes cells through the owner's hooks and redraws.
    friend class GridInput;

    // Where the cells fall in the viewport now.
    GridGeometry cellGeometry() const;
    void requestRedraw();
    void updateScrollBars();
    void fillWidth();
    // Default colours taken from the old palette follow a new one (a desktop switched to dark).
    void followPalette();

    GridCellStore store_;
    int defaultRowHeight_ = 20;
    int defaultColumnWidth_ = 64;
    int maxColumnWidth_ = 0;
    int maxRowHeight_ = 0;
    QPalette defaultsPalette_; // the palette the default colours were taken from

    bool editable_ = true;
    bool listMode_ = true;
    bool selectionEnabled_ = true;
    bool headerSort_ = false;
    bool numericSortText_ = false;
    bool titleTips_ = false;
    bool cutTextTips_ = false;
    bool columnsFillWidth_ = false;
    ColumnWidthFill widthFill_;
    bool rowResize_ = true;
    bool columnResize_ = true;
    bool gridLines_ = true;
    bool shadedPrintout_ = true;
    GridPrintMargins printMargins_;
    QString printLegend_;
    GridTextLess compare_;

    int sortColumn_ = -1;
    bool sortColumnAscending_ = false;
    GridKeyRows keyRows_;
    int keyRow_ = -1;
    bool keyRowAscending_ = false;

    std::function<bool(QPrinter&)> printDialog_;
    bool updatePending_ = false;

    // Last, as it works on the store.
    GridInput input_{*this};
};

} // namespace telvarin
