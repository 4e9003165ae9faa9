#pragma once

// The placement record of a window ("Dialog\<Name>") and the column widths of a table
// ("Spalten\<Name>") in the settings store.

#include "foundation/settings/MainSettings.h"
#include "foundation/settings/SettingsStore.h"

#include <QList>
#include <QMargins>
#include <QRect>
#include <QString>
#include <algorithm>
#include <concepts>
#include <optional>

namespace telvarin {

QString placementSection(const QString& windowName);    // "Dialog\" + name
QString columnWidthsSection(const QString& windowName); // "Spalten\" + name

// The completion marker "(check)": written first as kPlacementWriting and last as
// kPlacementComplete, so a record whose writing broke off is recognised and ignored.
inline constexpr int kPlacementWriting = -32640; // the 32-bit pattern FFFF8080
inline constexpr int kPlacementComplete = 32639; // 7F7F

// The show state codes of the record: fixed numbers, since the record outlives the program version
// that wrote it.
inline constexpr int kShowStateHidden = 0;
inline constexpr int kShowStateNormal = 1;
inline constexpr int kShowStateMinimized = 2;
inline constexpr int kShowStateMaximized = 3;

// A window's placement as its record holds it (dialogs/WindowPlacement.h takes it from a window
// and applies it to one).
struct PlacementRecord {
    QRect normal; // the rectangle of the window in its normal state
    int showState = kShowStateNormal;
};

// Writes the record, its completion marker first and last; false when not the whole record was
// written.
bool writePlacementRecord(SettingsStore& store, const QString& section, const PlacementRecord& placement);

// A complete record, with what it lacks taken from current; nothing when there is no complete
// record.
std::optional<PlacementRecord> readPlacementRecord(const SettingsStore& store, const QString& section,
                                                   const PlacementRecord& current);

// Where a stored window rectangle is shown: unchanged when it overlaps one of the screens,
// otherwise moved (and if need be shrunk) into the available area of the screen nearest to it.
QRect reachableWindowRect(const QRect& stored, const QList<QRect>& screenAreas);

// The client rectangle of a window whose frame (client plus frame margins) must lie inside `area`:
// made smaller where it does not fit, then moved in as little as possible.
QRect clientRectWithin(const QRect& client, const QMargins& frame, const QRect& area);

// The client rectangle of a window grown so that a part of it that grows with the window, shown at
// contentShown, gets contentWanted; never shrunk, never grown beyond `area` (frame included), and
// moved in as little as possible where it would leave the area.
QRect clientRectShowing(const QRect& client, QSize contentShown, QSize contentWanted, const QMargins& frame,
                        const QRect& area);

// A table whose column widths can be kept; the table grid is one.
template <typename Grid>
concept ColumnWidthGrid = requires(Grid& grid, const Grid& constGrid, int column, int width) {
    { constGrid.columnCount() } -> std::convertible_to<int>;
    { constGrid.columnWidth(column) } -> std::convertible_to<int>;
    grid.setColumnWidth(column, width);
};

// Stored widths beyond this are taken as damaged and leave the column as built.
inline constexpr int kMaximumStoredColumnWidth = 10000;

inline QString columnWidthName(int column) {
    return QStringLiteral("Col%1").arg(column);
}

// The number of columns a call covers: count below 1 means all columns, and never more than the
// grid has.
template <ColumnWidthGrid Grid>
int columnsCovered(const Grid& grid, int count) {
    const int columns = grid.columnCount();
    return count < 1 ? columns : std::min(count, columns);
}

// The width the table showed its columns in when they were saved ("Breite"): widths saved in a
// maximised window, or on a screen scaled larger, are narrowed to fit a smaller table again.
inline QString shownWidthName() {
    return QStringLiteral("Breite");
}

// The factor a saved width is taken with in a table now shownWidth wide (0: not known).
inline double columnWidthScale(int savedShownWidth, int shownWidth) {
    return savedShownWidth > shownWidth && shownWidth > 0 ? static_cast<double>(shownWidth) / savedShownWidth
                                                          : 1.0;
}

// Passed as the shown width: the grid tells it itself where it can. A window whose table is not on
// the screen yet, or whose columns share less than the grid shows, passes the width it lays the
// columns out in, the same at saving and at restoring.
inline constexpr int kShownWidthOfGrid = -1;

template <ColumnWidthGrid Grid>
int shownWidthFor(const Grid& grid, int shownWidth) {
    if (shownWidth != kShownWidthOfGrid)
        return shownWidth;
    if constexpr (requires { grid.shownWidth(); })
        return grid.shownWidth();
    return 0;
}

// Writes "Col0", "Col1", ... for the first `count` columns, and the width the table shows them in
// where it is known; true when every width was written.
template <ColumnWidthGrid Grid>
bool saveColumnWidths(SettingsStore& store, const QString& section, const Grid& grid, int count = 0,
                      int shownWidth = kShownWidthOfGrid) {
    bool allWritten = true;
    if (const int shown = shownWidthFor(grid, shownWidth); shown > 0)
        allWritten = store.writeInt(section, shownWidthName(), shown);
    const int columns = columnsCovered(grid, count);
    for (int column = 0; column < columns; ++column)
        allWritten = store.writeInt(section, columnWidthName(column), grid.columnWidth(column)) && allWritten;
    return allWritten;
}

// Sets each covered column to its stored width, narrowed in proportion when the table shows less
// width than when they were saved; absent, non-positive and absurd widths leave the column as built.
template <ColumnWidthGrid Grid>
bool restoreColumnWidths(const SettingsStore& store, const QString& section, Grid& grid, int count = 0,
                         int shownWidth = kShownWidthOfGrid) {
    const double scale =
        columnWidthScale(store.readInt(section, shownWidthName(), 0), shownWidthFor(grid, shownWidth));
    const int columns = columnsCovered(grid, count);
    for (int column = 0; column < columns; ++column) {
        const int width = store.readInt(section, columnWidthName(column), -1);
        if (width > 0 && width <= kMaximumStoredColumnWidth)
            grid.setColumnWidth(column, std::max(1, static_cast<int>(width * scale + 0.5)));
        // A width stored under a smaller font, or narrowed, would cut the header.
        if constexpr (requires { grid.widenColumnToHeader(column); })
            grid.widenColumnToHeader(column);
    }
    return true;
}

// The same, done only while "Spaltenbreite" is on; with it off the store is neither read nor
// written and false is returned.
template <ColumnWidthGrid Grid>
bool saveColumnWidthsIfKept(const MainSettings& settings, SettingsStore& store, const QString& section,
                            const Grid& grid, int count = 0, int shownWidth = kShownWidthOfGrid) {
    return settings.keepColumnWidths && saveColumnWidths(store, section, grid, count, shownWidth);
}

template <ColumnWidthGrid Grid>
bool restoreColumnWidthsIfKept(const MainSettings& settings, const SettingsStore& store,
                               const QString& section, Grid& grid, int count = 0,
                               int shownWidth = kShownWidthOfGrid) {
    return settings.keepColumnWidths && restoreColumnWidths(store, section, grid, count, shownWidth);
}

} // namespace telvarin
