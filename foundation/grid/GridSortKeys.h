#pragma once

// The pure rules behind the grid's sorting, column search and paste: sort texts, key comparison,
// orders of columns and rows, search normalisation and the splitting of pasted text.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace telvarin {

// The leading decimal number of a text (optional blanks, sign, digits; anything after them is
// ignored; no digits gives 0). Values beyond the int range are clamped to it.
int leadingInteger(QStringView text);

// The text a cell sorts by while numeric sort text is on: v > 0 as "%07d", v < 0 as "-" followed
// by v + 1000000 as "%07d", and the text itself when it reads as 0.
QString numericSortText(const QString& text);

// Sort texts are compared as the Windows-1252 bytes the core uses, unsigned, case-sensitively.
std::string sortKeyBytes(const QString& sortText);

// One non-fixed column's keys for a sort by key row: the key row, the row that breaks its ties
// (if it has one), and row 0.
struct ColumnSortKeys {
    std::string keyRow;
    std::string otherRow;
    std::string heading;
};

// The new order of the columns (indices into keys): key row in the requested direction, the other
// row (when useOtherRow) in the same direction, then row 0 in the opposite direction. The order of
// columns equal in every key is not kept.
std::vector<int> columnOrderByKeys(const std::vector<ColumnSortKeys>& keys, bool useOtherRow, bool ascending);

// A less-than the owner may give the grid for sorting rows; without one the byte order applies.
using GridTextLess = std::function<bool(const QString&, const QString&)>;

// The new order of rows sorted by their texts in one column.
std::vector<int> rowOrderByTexts(const std::vector<QString>& texts, bool ascending, const GridTextLess& less);

// Upper case with every ".", "-" and blank removed: "ant-t." becomes "ANTT".
QString normalizedSearchText(const QString& text);

// The search text of typing to find a column.
class ColumnSearchBuffer {
public:
    // Appends a typed character at time nowMs. Returns true when the search starts afresh at
    // column 0: the first character ever, or more than 3 seconds (rounded: 3.5 s or more) since
    // the previous one; the buffer is emptied before the character is appended.
    bool type(QChar character, std::int64_t nowMs);
    const QString& text() const { return text_; }

private:
    QString text_;
    std::int64_t lastMs_ = 0;
    bool typedBefore_ = false;
};

// The first column from start on whose normalised heading begins with the normalised search
// text, or -1.
int findColumnByHeading(const std::function<QString(int)>& heading, int columnCount, int start,
                        const QString& search);

// Clipboard text to paste: lines at each line feed, cells at each tab or comma, every piece
// trimmed. A line feed at the very end ends the last line rather than starting an empty one.
std::vector<std::vector<QString>> splitPastedText(const QString& text);

} // namespace telvarin
