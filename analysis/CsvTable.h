#pragma once

// Tables as CSV files for spreadsheet programs set up for German: ";" between the fields, UTF-8
// with a byte order mark (so that the umlauts are read as such), CR LF after each row, fields in
// double quotes where they hold a ";", a quote or a line break, and whole numbers as plain digits.

#include "foundation/text/Windows1252Text.h"

#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

// Rows of cells, each a text as the table shows it.
using TextTable = std::vector<std::vector<Windows1252Text>>;

// One field as the file holds it (UTF-8). A cell that is a whole number is written without the
// blanks around it, so that it is read as a number. A text that a spreadsheet would take for a
// formula ("=", "+", "-", "@" at its start) gets an apostrophe in front, so that opening the file
// never runs anything.
std::string csvField(Windows1252View cell);
// The whole file: byte order mark and every row.
std::string csvDocument(const TextTable& rows);

// The name of the file proposed for a table: the evaluation name with the
// characters that no file name may hold replaced by "_", or fallbackName when nothing is left;
// ".csv" appended.
Windows1252Text csvFileName(Windows1252View evaluationName, Windows1252View fallbackName);

} // namespace telvarin
