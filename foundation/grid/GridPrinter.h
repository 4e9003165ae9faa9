#pragma once

// The printed pages of a table grid: the screen layout scaled to the page width, the rows broken
// into pages with the fixed rows repeated, a header with the window title and the application
// title, and a footer with the page number and the date.

#include <QDateTime>
#include <QString>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace telvarin {

class TableGrid;

inline constexpr const char* kApplicationTitle = "Telvarin";

class GridPrinter {
public:
    GridPrinter(const TableGrid& grid, QString title);

    void setPrintTime(const QDateTime& time) { m_time = time; }
    // Prints every page; returns the number of pages, 0 when the device cannot be painted on.
    int print(QPagedPaintDevice& device) const;

private:
    struct Layout;
    Layout layoutFor(QPagedPaintDevice& device) const;
    void paintPage(QPainter& painter, const Layout& layout, int page) const;

    const TableGrid& m_grid;
    QString m_title;
    QDateTime m_time;
};

} // namespace telvarin
