#pragma once

// Drawing of grid cells, shared by the screen and the printed pages.

#include "foundation/grid/GridGeometry.h"

#include <QColor>
#include <QRect>
#include <vector>

class QFont;
class QPainter;
class QPaintDevice;
class QString;

namespace telvarin {

class TableGrid;

struct GridPaintOptions {
    bool printing = false;
    // Printing only: fixed cells in their default colour are grey, else white.
    bool shadedFixedCells = true;
    bool hasFocus = false;
};

const QColor& gridLineColour();

// A cell's font on paper: the size the screen shows, in pixels, so that the page's scale
// applies to it as to the cells.
QFont printedCellFont(const QFont& screenFont);
// The height a printed cell of `width` (with its margins and grid line) needs for its text on
// `device`; 0 when the text fits on one line. Texts that do not fit are wrapped on paper, at words
// where they can, so that nothing of them is cut.
int printedCellHeight(const QFont& font, const QString& text, int width, QPaintDevice& device);

// Draws the cells of the given rows and columns with their grid lines.
void paintGridCells(QPainter& painter, const TableGrid& grid, const std::vector<GridSpan>& rows,
                    const std::vector<GridSpan>& cols, const GridPaintOptions& options);

} // namespace telvarin
