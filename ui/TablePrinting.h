#pragma once

// What the prints of the results window and the remedy overview share: Ctrl+P, the repertory named
// in the page header, and how many remedies of a ranking go on paper ("Druckmittel").

#include <QString>
#include <functional>

class QWidget;

namespace telvarin {

class MessageBoxes;
class SettingsStore;
struct ProgramRepertories;

// Gives the window Ctrl+P for its print command.
void offerTablePrinting(QWidget* window, std::function<void()> print);

// The display name of the repertory in use; empty when the window was not told.
QString printedRepertoryName(const ProgramRepertories* repertories);

// How many of rankedColumns are printed, after "Druckmittel": a long ranking asks the first time
// and the answer is stored. Without a store the whole ranking is printed.
int printedRemedyColumns(SettingsStore* store, int rankedColumns, MessageBoxes& messages, QWidget* parent);

QString printedRemediesMenuText(); // "Gedruckte Mittel…"
// Lets the user set "Druckmittel" (0 all); false when cancelled or not stored.
bool editPrintedRemedies(SettingsStore& store, QWidget* parent);

} // namespace telvarin
