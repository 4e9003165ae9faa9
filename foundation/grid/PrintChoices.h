#pragma once

// What a print of a table carries before any page is laid out: how many of a ranking's columns go
// on paper, which way the page is turned, and the line at the top of every page.

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace telvarin {

// "Druckmittel" not stored yet: the first print of a long ranking asks.
inline constexpr int kPrintedColumnsUnset = -1;
// Rankings with more columns than this are asked about.
inline constexpr int kPrintedColumnsAskedAbove = 30;

struct PrintedColumnsChoice {
    bool ask = false; // the user is asked first (answers below)
    int columns = 0;  // how many of the ranked columns are printed, counted from the first
};

// storedLimit: the value of "Druckmittel" (0 all, n the first n, kPrintedColumnsUnset not set).
PrintedColumnsChoice printedColumnsChoice(int storedLimit, int rankedColumns);
QString printedColumnsQuestion(int rankedColumns);
// Answer 0 prints the first kPrintedColumnsAskedAbove, answer 1 all of them.
QStringList printedColumnsAnswers(int rankedColumns);
// The value of "Druckmittel" that an answer leaves behind.
int printedColumnsSetting(int answer);

// A table wider than tall prints in landscape (widths and heights in the same units; hidden
// columns and rows count 0).
bool printsInLandscape(const std::vector<int>& columnWidths, const std::vector<int>& rowHeights);

// The page header's title: what is printed (a case's name, a query), the date and the repertory,
// leaving out the parts that are empty.
QString printedPageTitle(const QString& subject, const QDate& date, const QString& repertory);

} // namespace telvarin
