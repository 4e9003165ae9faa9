#pragma once

// What the results window shows, without any widget: the texts of the cross table of remedies
// against the case's symptoms, the background of every cell, the remedy column each grade goes
// to, and the window's own texts. Texts are Windows-1252 byte strings.

#include "analysis/Analysis.h"
#include "analysis/CaseSymptom.h"
#include "repertory/RepertoryDatabase.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

// How the results window was closed: the case input window keeps the case and takes the name
// back, or discards the case.
enum class ResultsOutcome { keepCase, clearCase };

inline constexpr int kResultsFixedRows = 3;
inline constexpr int kResultsFixedColumns = 2;
inline constexpr int kResultsHitsRow = 1;
inline constexpr int kResultsGradeSumRow = 2;
// Below the sums while the case holds a symptom with a counter-pole: "KI" under every
// contraindicated remedy.
inline constexpr int kResultsContraindicationRow = 3;
inline constexpr int kResultsMaxColumnWidth = 450;
// Remedy columns the window opens wide enough for, where the screen allows.
inline constexpr int kResultsRemediesShownAtOpen = 10;
// Only the two text columns keep their widths; the remedy columns always fit their abbreviation.
inline constexpr int kResultsKeptColumnWidths = 2;

// The widths the two text columns (symptom, chapter) are shown with in a table `visibleWidth`
// pixels wide: together at most kResultsTextShare percent of it, so that the leading remedies are
// always in view; the chapter gives way before the symptom does. Narrower columns stay as they are.
inline constexpr int kResultsTextShare = 60;
struct ResultsTextWidths {
    int symptom = 0;
    int chapter = 0;
    bool operator==(const ResultsTextWidths&) const = default;
};
ResultsTextWidths shownResultsTextWidths(int visibleWidth, ResultsTextWidths wanted);

// Backgrounds as 0xRRGGBB.
inline constexpr std::uint32_t kSummaryRgb = 0xFFFF00;         // rows 1 and 2
inline constexpr std::uint32_t kCounterPolarityRgb = 0xE6E6E6; // remedy cells of a negative row
inline constexpr std::uint32_t kPrintedFixedRgb = 0xFFFFFF;    // fixed cells while "KeinGrauBeimDruck"
// The grades of a contraindicated remedy, greyed as the method's printed tables do.
inline constexpr std::uint32_t kContraindicatedRgb = 0xBEBEBE;

enum class ResultsCellShade {
    Fixed,           // the fixed-cell colour of the table
    Summary,         // yellow
    Plain,           // white
    CounterPolarity, // light grey
    Contraindicated, // grey: a grade of a contraindicated remedy
};

// "Ergebnis der Auswertung", and while key symptoms eliminate, " (eliminiert nach N
// Schlüsselsymptomen)" after it.
Windows1252Text resultsWindowTitle(int keySymptoms = 0);
// The title while the remedy columns stand in the order of one row (its label, shortened) rather
// than the ranking's, with the way back.
Windows1252Text sortedColumnsTitle(Windows1252View title, Windows1252View rowLabel, bool ascending);
Windows1252Text rankingMenuText();    // the way back to the ranking in the context menu
Windows1252Text keySymptomMenuText(); // "Als Schlüsselsymptom"
// What a key symptom's row shows before its text.
Windows1252Text keySymptomMark();
Windows1252Text hitsLabel();             // "Anzahl der Treffer"
Windows1252Text gradeSumLabel();         // "Summe der Grade"
Windows1252Text contraindicationLabel(); // "KI", the label and the mark of the row below the sums
// The ranking check box: "&Polaritätsmethode".
Windows1252Text methodRankingLabel();
Windows1252Text evaluationNameLabel(); // "Name der Auswertung"

// The top-left cell while printing: the evaluation name, a blank and the date "%d.%m.%Y".
Windows1252Text printedNameCell(Windows1252View evaluationName, int day, int month, int year);

// The rubric record a case row shows grades of, or -1: rows with a BD value, number 0 and
// numbers beyond the repertory have none.
int rubricRecordOfRow(const RepertoryDatabase& db, const CaseSymptom& row);

// Column 0 of a symptom row: rubricText, " (", numberText of the absolute number, the weight as
// "*3" unless it is the usual one, ")", with "- " in front for a counter-polarity row.
Windows1252Text symptomRowText(const RepertoryDatabase& db, const CaseSymptom& row);
// Column 1: the chapter and section of the row's rubric; empty without a rubric record.
Windows1252Text symptomRowHeading(const RepertoryDatabase& db, const CaseSymptom& row);

// One grade of a symptom row: remedy column k (0 is the first remedy column, table column 2).
struct RemedyGrade {
    int column = 0;
    int grade = 0;
    friend bool operator==(const RemedyGrade&, const RemedyGrade&) = default;
};

// The cross table of one analysis. Holds references: the database, the rows and the listed
// scores must outlive it.
class ResultsTableModel {
public:
    ResultsTableModel(const RepertoryDatabase& db, std::span<const CaseSymptom> rows,
                      std::span<const RemedyScore> listed);

    int symptomCount() const { return static_cast<int>(rows_.size()); }
    int remedyColumnCount() const { return static_cast<int>(listed_.size()); }
    // The sums, and the row of contraindications when there is one.
    int fixedRowCount() const { return kResultsFixedRows + (contraindicated_.empty() ? 0 : 1); }
    int rowCount() const { return symptomCount() + fixedRowCount(); }
    int columnCount() const { return remedyColumnCount() + kResultsFixedColumns; }

    // Remedy column k: its abbreviation, hits and grade sum.
    Windows1252Text abbreviation(int column) const;
    // Its full name, empty where the repertory gives none.
    Windows1252Text fullName(int column) const;
    // The key to the printed abbreviations, "Mittel: acon. \x96 Aconitum; bell. \x96 ...", in the
    // order of the columns; empty where the repertory gives no full names.
    Windows1252Text remedyLegend() const;
    Windows1252Text hitsText(int column) const;
    Windows1252Text gradeSumText(int column) const;
    // Gives the table its row of contraindications: one flag per remedy index. An empty vector
    // takes the row away.
    void showContraindications(std::vector<bool> byRemedy) { contraindicated_ = std::move(byRemedy); }
    bool isContraindicated(int column) const;
    // Marks case rows as key symptoms; their symptom texts carry the mark.
    void markKeySymptoms(std::span<const int> rows);
    bool isKeySymptomRow(int row) const;
    // Symptom row j (table row j + fixedRowCount()).
    Windows1252Text symptomText(int row) const;
    Windows1252Text headingText(int row) const;
    bool isCounterPolarityRow(int row) const { return rows_[static_cast<std::size_t>(row)].number < 0; }
    // A row of weight 0: shown, but it took no part in the ranking.
    bool isOutOfAnalysis(int row) const { return rows_[static_cast<std::size_t>(row)].weight == 0; }
    // The grades of symptom row j, one per remedy column it reaches, in the order the rubric
    // first lists them. A remedy listed twice keeps the grade of its later entry.
    std::vector<RemedyGrade> gradesOfRow(int row) const;
    // Remedy column of a remedy index, -1 when the remedy is not listed.
    int columnOfRemedy(int remedy) const;

    // Any table cell, for whoever needs one at a time.
    Windows1252Text cellText(int tableRow, int tableColumn) const;
    ResultsCellShade cellShade(int tableRow, int tableColumn) const;

private:
    const RepertoryDatabase& db_;
    std::span<const CaseSymptom> rows_;
    std::span<const RemedyScore> listed_;
    std::vector<int> columnOfRemedy_;
    std::vector<bool> keySymptomRows_;
    std::vector<bool> contraindicated_; // per remedy index; empty: no such row
};

} // namespace telvarin
