#pragma once

// Where the columns and rows of a printed table go. The screen layout is scaled to the page width
// as long as its text stays readable; a wider table keeps a readable scale: its wide text columns
// are narrowed (their texts wrap), and where that is not enough the columns continue on further
// pages across, the leading columns (number and text) repeated on each of them.

#include <vector>

namespace telvarin {

// Printed text is never smaller than this.
inline constexpr double kReadablePrintPoints = 8.0;

struct PrintColumnsRequest {
    std::vector<int> widths;    // screen pixels per column; 0 hides a column
    int repeatedColumns = 0;    // the first columns, printed on every page across
    double pageWidth = 0;       // the printable width in device pixels
    double readableScale = 0;   // device pixels per screen pixel at which the font prints readably
    int narrowestTextWidth = 0; // screen pixels a column may be narrowed to
    // Screen pixels each column's texts need whole (none: unknown). A table too wide to print
    // readably first gives up the room its columns have beyond their texts.
    std::vector<int> contentWidths;
};

struct PrintColumnPlan {
    double scale = 1.0;                  // device pixels per screen pixel
    std::vector<int> widths;             // per column, as printed, in screen pixels
    std::vector<std::vector<int>> bands; // the columns of each page across, repeated ones first
};

PrintColumnPlan planPrintColumns(const PrintColumnsRequest& request);

// The scale at which a font of fontPixels screen pixels prints at kReadablePrintPoints on a device
// of deviceDpi dots per inch.
double readablePrintScale(double fontPixels, double deviceDpi);

// Rows (their heights, in order) broken into pages of at most pageHeight each; a row taller than a
// page gets a page of its own. Every page holds the indices of its rows; no rows give one empty page.
std::vector<std::vector<int>> planPrintPages(const std::vector<int>& heights, double pageHeight);

} // namespace telvarin
