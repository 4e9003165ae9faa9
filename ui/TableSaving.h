#pragma once

// Saving the table of a window as a CSV file for a spreadsheet: the entry "Als Tabelle speichern…"
// of the table's context menu and Ctrl+S, the save dialog, the writing and the message when it
// fails. The results window, the remedy overview and the text search share it.

#include "analysis/CsvTable.h"

#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QMenu;
class QWidget;

namespace telvarin {

class MessageBoxes;
class TableGrid;

// Asks for the file to save to, proposing a path; the empty text when the user cancelled.
using TableFileAsker = std::function<QString(const QString& proposedPath, QWidget* parent)>;
// The platform's save dialog, offering "Tabelle (*.csv)" and asking before it overwrites.
QString askTableFileOnScreen(const QString& proposedPath, QWidget* parent);

// The folder the save dialog proposes: the case history's folder, until the practice gets a
// folder setting of its own.
QString tableExportFolder(const QString& historyPath);

// Where and under which name a window proposes to save its table.
struct TableSaveSettings {
    QString folder;                                  // empty: the current folder
    std::function<Windows1252Text()> evaluationName; // the case's name now, or null
    TableFileAsker asker;                            // null: askTableFileOnScreen
};

QString saveTableMenuText(); // "Als Tabelle speichern…"

// The table as it is shown (Windows-1252): rows and columns that are not hidden, without the empty
// rows that pad a short table.
TextTable shownTableTexts(const TableGrid& grid);

// Asks for the file, proposing "<evaluation name>.csv" (fallbackName without one) in the settings'
// folder, and writes the table; a failure is reported through messages. True when written.
bool saveTableAsCsv(const TableGrid& grid, const TableSaveSettings& settings, Windows1252View evaluationName,
                    Windows1252View fallbackName, MessageBoxes& messages, QWidget* parent);

// Gives the window Ctrl+S and the table a context menu that ends with "Als Tabelle speichern…";
// addEntries (may be null) puts the window's own entries first, for the cell at the pointer
// (row and column, -1 outside the cells).
using TableMenuEntries = std::function<void(QMenu& menu, int row, int col)>;
void offerTableSaving(QWidget* window, TableGrid& grid, std::function<void()> save,
                      TableMenuEntries addEntries = nullptr);

} // namespace telvarin
