#pragma once

// The printed pages of a table grid: the screen layout scaled to the page width where its text
// stays readable, else at a readable scale with the columns continued on pages across (the fixed
// columns repeated); the rows broken into pages with the fixed rows repeated; texts that do not
// fit their column wrapped, never cut; a header with the window title and the application title,
// and a footer with the page number and the date. The grid's legend follows the table on its
// last page and goes on over pages of its own as far as it needs, cut only between its lines.

#include <QDateTime>
#include <QRect>
#include <QString>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;

namespace telvarin {

class TableGrid;

inline constexpr const char* kApplicationTitle = "Telvarin";

class GridPrinter {
public:
    GridPrinter(const TableGrid& grid, QString title);

    void setPrintTime(const QDateTime& time) { time_ = time; }
    // Only the first `count` columns go on paper; a negative count prints all.
    void setPrintedColumns(int count) { printedColumns_ = count; }
    // The screen widths of the columns and heights of the rows that are printed (0 for the others).
    std::vector<int> printedColumnWidths() const;
    std::vector<int> printedRowHeights() const;
    // Prints every page; returns the number of pages, 0 when the device cannot be painted on.
    int print(QPagedPaintDevice& device) const;

    struct Layout;
    // How the table falls on pages of the device, without painting.
    Layout layoutFor(QPagedPaintDevice& device) const;

private:
    int printedRowHeight(int row, const std::vector<int>& widths, QPaintDevice& device) const;
    // Per column, the width its widest text needs on the screen.
    std::vector<int> contentWidths() const;
    void paintPage(QPainter& painter, const Layout& layout, int page) const;
    void paintHeaderAndFooter(QPainter& painter, const Layout& layout, int page) const;
    // The printed height of the table's rows on a page of rows, in device pixels.
    int printedTableHeight(const Layout& layout, const std::vector<int>& pageRows) const;

    const TableGrid& grid_;
    QString title_;
    QDateTime time_;
    int printedColumns_ = -1;
};

struct GridPrinter::Layout {
    QRect page;       // device pixels
    QRect headerArea; // title line
    QRect footerArea;
    int bodyLeft = 0;
    int bodyTop = 0;
    double scale = 1.0;                     // device pixels per screen pixel
    std::vector<int> columnWidths;          // per column as printed, in screen pixels
    std::vector<int> rowHeights;            // per row as printed, in screen pixels
    std::vector<int> fixedRows;             // shown on every page
    std::vector<std::vector<int>> bands;    // the columns of each page across
    std::vector<std::vector<int>> rowPages; // the other rows of each page down
    int bodyBottom = 0;
    int legendTop = 0; // device pixels, where the legend starts below the table
    // The legend as it falls on pages: the first part below the table (empty where not one line
    // fits there), each further one on a page of its own. Empty without a legend.
    std::vector<QString> legendParts;
    // Down first, then across: page p shows row page p % rowPages and band p / rowPages.
    int tablePageCount() const { return static_cast<int>(bands.size() * rowPages.size()); }
    int pageCount() const { return tablePageCount() + std::max(static_cast<int>(legendParts.size()) - 1, 0); }
};

} // namespace telvarin
