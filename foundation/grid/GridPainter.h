#pragma once

// Drawing of grid cells, shared by the screen and the printed pages.

#include <QColor>
#include <QRect>
#include <vector>

class QPainter;

namespace telvarin {

class TableGrid;

// One shown row or column: its index, its start and its size in the painter's coordinates.
struct GridSpan {
    int index = 0;
    int pos = 0;
    int size = 0;
};

struct GridPaintOptions {
    bool printing = false;
    // Printing only: fixed cells in their default colour are grey, else white.
    bool shadedFixedCells = true;
    bool hasFocus = false;
};

const QColor& gridLineColour();

// Draws the cells of the given rows and columns with their grid lines.
void paintGridCells(QPainter& painter, const TableGrid& grid, const std::vector<GridSpan>& rows,
                    const std::vector<GridSpan>& cols, const GridPaintOptions& options);

} // namespace telvarin
