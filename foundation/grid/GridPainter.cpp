#include "foundation/grid/GridPainter.h"

#include "foundation/grid/GridColours.h"
#include "foundation/grid/TableGrid.h"

#include <QFontInfo>
#include <QPainter>
#include <QPalette>

namespace telvarin {

namespace {

constexpr int kTextMargin = 2;

int textFlags(std::uint16_t format) {
    int flags = Qt::TextHideMnemonic;
    flags |= (format & GridAlignRight)    ? Qt::AlignRight
             : (format & GridAlignCenter) ? Qt::AlignHCenter
                                          : Qt::AlignLeft;
    flags |= (format & GridAlignBottom)    ? Qt::AlignBottom
             : (format & GridAlignVCenter) ? Qt::AlignVCenter
                                           : Qt::AlignTop;
    if (format & GridSingleLine)
        flags |= Qt::TextSingleLine;
    else if (format & GridWordBreak)
        flags |= Qt::TextWordWrap;
    return flags;
}

} // namespace

const QColor& gridLineColour() {
    static const QColor colour(192, 192, 192);
    return colour;
}

void paintGridCells(QPainter& painter, const TableGrid& grid, const std::vector<GridSpan>& rows,
                    const std::vector<GridSpan>& cols, const GridPaintOptions& options) {
    const QPalette& palette = grid.palette();
    const GridCellPos focus = grid.focusCell();
    const bool lines = grid.gridLines();
    const int lineWidth = lines ? 1 : 0;
    for (const GridSpan& row : rows) {
        for (const GridSpan& col : cols) {
            GridCellStyle style = options.printing
                                      ? printedCellStyle(grid, row.index, col.index, options.shadedFixedCells)
                                      : shownCellStyle(grid, row.index, col.index);
            const QRect cell(col.pos, row.pos, col.size - lineWidth, row.size - lineWidth);
            painter.fillRect(cell, style.background);
            const QString text = grid.cellText(row.index, col.index);
            if (!text.isEmpty()) {
                const QRect textRect = cell.adjusted(kTextMargin, 0, -kTextMargin, 0);
                if (options.printing &&
                    style.font.pixelSize() <= 0) // keep the screen's size under the page scale
                    style.font.setPixelSize(QFontInfo(style.font).pixelSize());
                if (painter.font() != style.font)
                    painter.setFont(style.font);
                painter.setPen(style.textColour);
                const int flags = textFlags(style.format);
                if ((style.format & GridEndEllipsis) && (style.format & GridSingleLine)) {
                    const QFontMetrics metrics = painter.fontMetrics();
                    if (metrics.horizontalAdvance(text) > textRect.width())
                        painter.drawText(textRect, flags,
                                         metrics.elidedText(text, Qt::ElideRight, textRect.width()));
                    else
                        painter.drawText(textRect, flags, text);
                } else {
                    painter.drawText(textRect, flags, text);
                }
            }
            if (!options.printing && focus.row == row.index && focus.col == col.index) {
                painter.setPen(
                    QPen(palette.color(QPalette::Text), 1, options.hasFocus ? Qt::SolidLine : Qt::DotLine));
                painter.drawRect(cell.adjusted(0, 0, -1, -1));
            }
        }
    }
    if (!lines || rows.empty() || cols.empty())
        return;
    painter.setPen(options.printing ? gridLineColour() : shownGridLineColour(palette));
    const int left = cols.front().pos;
    const int right = cols.back().pos + cols.back().size - 1;
    const int top = rows.front().pos;
    const int bottom = rows.back().pos + rows.back().size - 1;
    for (const GridSpan& col : cols)
        painter.drawLine(col.pos + col.size - 1, top, col.pos + col.size - 1, bottom);
    for (const GridSpan& row : rows)
        painter.drawLine(left, row.pos + row.size - 1, right, row.pos + row.size - 1);
}

} // namespace telvarin
