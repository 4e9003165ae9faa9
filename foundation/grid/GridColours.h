#pragma once

// The grid's colours on screen and on paper. On screen everything follows the palette: the
// colours a window gives single cells (the yellow sum rows of the results, say) are meant for a
// light table and become tints of the palette's base on a dark one, and a cell's text takes the
// palette colour that stands out from its background. On paper the table is always light.

#include "foundation/grid/GridCell.h"

#include <QColor>
#include <QPalette>

namespace telvarin {

class TableGrid;

// The WCAG contrast ratio of two colours, 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);
// The least contrast the grid keeps between a cell's text and its background.
inline constexpr double kLegibleContrast = 4.5;

bool isDarkPalette(const QPalette& palette);

// A colour a window chose for a light table, as it is shown with this palette.
QColor shownBackground(const QColor& chosen, const QPalette& palette);
// The text colour itself when it is legible on the background, else the palette's text or base
// colour, whichever stands out more.
QColor legibleText(const QColor& text, const QColor& background, const QPalette& palette);

// Grid lines: a quarter of the way from the base colour to the text colour, which is RGB 192,
// 192, 192 for black on white.
QColor shownGridLineColour(const QPalette& palette);

// A cell as it is drawn on screen, and as it is printed: fixed cells in their default colour are
// grey while shaded, else white.
GridCellStyle shownCellStyle(const TableGrid& grid, int row, int col);
GridCellStyle printedCellStyle(const TableGrid& grid, int row, int col, bool shadedFixedCells);

} // namespace telvarin
