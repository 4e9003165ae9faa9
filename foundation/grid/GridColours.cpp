#include "foundation/grid/GridColours.h"

#include "foundation/grid/TableGrid.h"

#include <algorithm>
#include <cmath>

namespace telvarin {

namespace {

double relativeLuminance(const QColor& colour) {
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

QColor mixed(const QColor& from, const QColor& to, double share) {
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}

// How far a chosen colour is carried into a dark base: enough to tell the rows apart, little
// enough for light text.
constexpr double kDarkTint = 0.3;

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDarkPalette(const QPalette& palette) {
    return relativeLuminance(palette.color(QPalette::Base)) <
           relativeLuminance(palette.color(QPalette::Text));
}

QColor shownBackground(const QColor& chosen, const QPalette& palette) {
    return isDarkPalette(palette) ? mixed(palette.color(QPalette::Base), chosen, kDarkTint) : chosen;
}

QColor legibleText(const QColor& text, const QColor& background, const QPalette& palette) {
    if (contrastRatio(text, background) >= kLegibleContrast)
        return text;
    const QColor dark = palette.color(QPalette::Text);
    const QColor light = palette.color(QPalette::Base);
    return contrastRatio(dark, background) >= contrastRatio(light, background) ? dark : light;
}

QColor shownGridLineColour(const QPalette& palette) {
    return mixed(palette.color(QPalette::Base), palette.color(QPalette::Text), 0.25);
}

GridCellStyle shownCellStyle(const TableGrid& grid, int row, int col) {
    const QPalette& palette = grid.palette();
    const bool fixed = grid.isFixedCell(row, col);
    const GridDefaultCell& defaults = grid.defaultCell(fixed);
    GridCellStyle style = grid.cellStyle(row, col);
    if (style.background != defaults.background)
        style.background = shownBackground(style.background, palette);
    if (!fixed && grid.isCellSelected(row, col)) {
        style.background = palette.color(QPalette::Highlight);
        style.textColour = palette.color(QPalette::HighlightedText);
    }
    style.textColour = legibleText(style.textColour, style.background, palette);
    return style;
}

GridCellStyle printedCellStyle(const TableGrid& grid, int row, int col, bool shadedFixedCells) {
    GridCellStyle style = grid.cellStyle(row, col);
    const bool fixed = grid.isFixedCell(row, col);
    const GridDefaultCell& defaults = grid.defaultCell(fixed);
    const bool defaultBackground = style.background == defaults.background;
    if (isDarkPalette(grid.palette())) {
        // Paper is white: the dark screen's own colours give way to black on white and light grey.
        if (defaultBackground)
            style.background = fixed ? QColor(240, 240, 240) : QColor(Qt::white);
        if (style.textColour == defaults.textColour)
            style.textColour = Qt::black;
    }
    if (fixed && !shadedFixedCells && defaultBackground)
        style.background = Qt::white;
    return style;
}

void TableGrid::followPalette() {
    const QPalette& now = palette();
    const QPalette& before = defaultsPalette_;
    GridDefaultCell& normal = store_.defaultCell(false);
    GridDefaultCell& fixed = store_.defaultCell(true);
    const bool first = normal.textColour == QColor() && fixed.textColour == QColor();
    const auto follow = [&](QColor& colour, QPalette::ColorRole role) {
        if (first || colour == before.color(role))
            colour = now.color(role);
    };
    follow(normal.textColour, QPalette::Text);
    follow(normal.background, QPalette::Base);
    follow(fixed.textColour, QPalette::Text);
    follow(fixed.background, QPalette::Button);
    defaultsPalette_ = now;
    requestRedraw();
}

} // namespace telvarin
