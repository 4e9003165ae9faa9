#pragma once

// The cell records of the table grid. A cell is kept small because the results cross table holds
// millions of them: text, packed format and state, two colours, and an index to the rarely used
// attributes (font, tip, image, user value), which live out of line.

#include <QColor>
#include <QFont>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <optional>

namespace telvarin {

// Format flags of a cell's text, in the manner of the platform's text drawing flags.
enum GridFormat : std::uint16_t {
    GridAlignLeft = 0x0000,
    GridAlignCenter = 0x0001,
    GridAlignRight = 0x0002,
    GridAlignTop = 0x0000,
    GridAlignVCenter = 0x0004,
    GridAlignBottom = 0x0008,
    GridSingleLine = 0x0010,
    GridEndEllipsis = 0x0020,
    GridWordBreak = 0x0040,
};
constexpr std::uint16_t kGridDefaultFormat =
    GridAlignLeft | GridAlignVCenter | GridSingleLine | GridEndEllipsis;

enum GridState : std::uint16_t {
    GridSelected = 0x0001,
    GridFocused = 0x0002,
    GridFixed = 0x0004,
    GridReadOnly = 0x0008,
    GridDropHighlighted = 0x0010,
    GridModified = 0x0020,
};

// A colour of a cell, or "default": take it from the default cell. Alpha 0 marks the default, so
// a fully transparent colour cannot be stored (the grid never draws one).
using GridColour = QRgb;
constexpr GridColour kGridDefaultColour = 0;

inline GridColour gridColourOf(const QColor& colour) {
    return colour.isValid() ? (colour.rgba() | 0xFF000000u) : kGridDefaultColour;
}

struct GridCellBase {
    QString text;
    std::uint16_t format = kGridDefaultFormat;
    std::uint16_t state = 0;
};

struct GridCell : GridCellBase {
    GridColour textColour = kGridDefaultColour;
    GridColour background = kGridDefaultColour;
    // 0: no out-of-line attributes; otherwise index + 1 into the grid's extras.
    std::uint32_t extra = 0;
};

// What only few cells carry.
struct GridCellExtra {
    QString tip;
    std::optional<QFont> font;
    int image = -1;
    std::int32_t userValue = 0;
};

// The defaults a cell inherits while its own value is "default".
struct GridDefaultCell {
    QColor textColour;
    QColor background;
    std::optional<QFont> font; // none: the grid's font
    std::uint16_t format = kGridDefaultFormat;
};

// A cell's row and column; -1 for none.
struct GridCellPos {
    int row = -1;
    int col = -1;
    bool isValid() const { return row >= 0 && col >= 0; }
    friend bool operator==(const GridCellPos&, const GridCellPos&) = default;
};

// What drawing needs of one cell, with every default resolved.
struct GridCellStyle {
    QColor textColour;
    QColor background;
    QFont font;
    std::uint16_t format = kGridDefaultFormat;
};

} // namespace telvarin
