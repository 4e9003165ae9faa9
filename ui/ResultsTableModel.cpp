#include "ui/ResultsTableModel.h"

#include "analysis/SymptomEntry.h"
#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryTexts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace telvarin {

Windows1252Text resultsWindowTitle(int keySymptoms) {
    Windows1252Text title("Ergebnis der Auswertung"_w1252);
    if (keySymptoms == 1)
        title += " (eliminiert nach 1 Schl\xFCsselsymptom)"_w1252;
    else if (keySymptoms > 1)
        title +=
            " (eliminiert nach "_w1252 + windows1252Number(keySymptoms) + " Schl\xFCsselsymptomen)"_w1252;
    return title;
}

Windows1252Text sortedColumnsTitle(Windows1252View title, Windows1252View rowLabel, bool ascending) {
    // The label up to its entry count, as far as it reads in a title bar.
    constexpr std::size_t kShownLabel = 40;
    std::string label(rowLabel.bytes().substr(0, rowLabel.bytes().find(" [")));
    if (label.size() > kShownLabel)
        label = label.substr(0, kShownLabel - 3) + "...";
    return title + " \x96 Mittel nach \x84"_w1252 + Windows1252View(label) + "\x93 "_w1252 +
           (ascending ? "aufsteigend"_w1252 : "absteigend"_w1252) +
           " sortiert (Strg+R: zur\xFC"
           "ck zur Rangfolge)"_w1252;
}

Windows1252Text rankingMenuText() {
    return "Zur\xFC"
           "ck zur Rangfolge"_w1252;
}

Windows1252Text keySymptomMenuText() {
    return "Als Schl\xFCsselsymptom"_w1252;
}

Windows1252Text keySymptomMark() {
    return "\x95 "_w1252;
}

Windows1252Text hitsLabel() {
    return "Anzahl der Treffer"_w1252;
}

Windows1252Text gradeSumLabel() {
    return "Summe der Grade"_w1252;
}

Windows1252Text contraindicationLabel() {
    return "KI"_w1252;
}

Windows1252Text methodRankingLabel() {
    return "&Polarit\xE4tsmethode"_w1252;
}

Windows1252Text evaluationNameLabel() {
    return "Name der Auswertung"_w1252;
}

Windows1252Text printedNameCell(Windows1252View evaluationName, int day, int month, int year) {
    char date[40];
    std::snprintf(date, sizeof date, "%02d.%02d.%04d", day, month, year);
    return evaluationName + " "_w1252 + Windows1252View(date);
}

int rubricRecordOfRow(const RepertoryDatabase& db, const CaseSymptom& row) {
    if (row.number == 0 || row.number < -db.rubricCount() || row.number > db.rubricCount())
        return -1;
    return db.rubricIndex(row.number, row.bd);
}

Windows1252Text symptomRowText(const RepertoryDatabase& db, const CaseSymptom& row) {
    Windows1252Text text(row.number < 0 ? "- "_w1252 : ""_w1252);
    text += rubricText(db, row.number);
    text += " ("_w1252;
    // numberText of the absolute value, taken in 64 bits: the smallest 32-bit number has no
    // positive twin.
    if (row.bd == 0)
        text += windows1252Number(std::llabs(static_cast<long long>(row.number)));
    text += weightSuffix(row.weight);
    text += ")"_w1252;
    return text;
}

Windows1252Text symptomRowHeading(const RepertoryDatabase& db, const CaseSymptom& row) {
    const int record = rubricRecordOfRow(db, row);
    return record < 0 ? Windows1252Text() : sectionHeading(db, record);
}

ResultsTableModel::ResultsTableModel(const RepertoryDatabase& db, std::span<const CaseSymptom> rows,
                                     std::span<const RemedyScore> listed)
    : db_(db), rows_(rows), listed_(listed), columnOfRemedy_(static_cast<std::size_t>(db.remedyCount()), -1) {
    // Searching the columns from the left, the first column of a remedy wins.
    for (int k = remedyColumnCount() - 1; k >= 0; --k) {
        const int remedy = listed_[static_cast<std::size_t>(k)].remedy;
        if (remedy >= 0 && remedy < db.remedyCount())
            columnOfRemedy_[static_cast<std::size_t>(remedy)] = k;
    }
}

Windows1252Text ResultsTableModel::abbreviation(int column) const {
    return remedyName(db_, listed_[static_cast<std::size_t>(column)].remedy);
}

Windows1252Text ResultsTableModel::fullName(int column) const {
    return Windows1252Text(db_.remedyFullName(listed_[static_cast<std::size_t>(column)].remedy));
}

Windows1252Text ResultsTableModel::remedyLegend() const {
    Windows1252Text legend;
    for (int column = 0; column < remedyColumnCount(); ++column) {
        const Windows1252Text name = fullName(column);
        if (name.empty())
            continue;
        legend += legend.empty() ? "Mittel: "_w1252 : "; "_w1252;
        legend += abbreviation(column) + " \x96 "_w1252 + name;
    }
    return legend;
}

Windows1252Text ResultsTableModel::hitsText(int column) const {
    return windows1252Number(listed_[static_cast<std::size_t>(column)].hits);
}

Windows1252Text ResultsTableModel::gradeSumText(int column) const {
    return windows1252Number(listed_[static_cast<std::size_t>(column)].gradeSum);
}

bool ResultsTableModel::isContraindicated(int column) const {
    if (column < 0 || column >= remedyColumnCount())
        return false;
    const auto remedy = static_cast<std::size_t>(listed_[static_cast<std::size_t>(column)].remedy);
    return remedy < contraindicated_.size() && contraindicated_[remedy];
}

void ResultsTableModel::markKeySymptoms(std::span<const int> rows) {
    keySymptomRows_.assign(rows_.size(), false);
    for (const int row : rows) {
        if (row >= 0 && row < symptomCount())
            keySymptomRows_[static_cast<std::size_t>(row)] = true;
    }
}

bool ResultsTableModel::isKeySymptomRow(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < keySymptomRows_.size() &&
           keySymptomRows_[static_cast<std::size_t>(row)];
}

Windows1252Text ResultsTableModel::symptomText(int row) const {
    Windows1252Text text = symptomRowText(db_, rows_[static_cast<std::size_t>(row)]);
    return isKeySymptomRow(row) ? keySymptomMark() + text : text;
}

Windows1252Text ResultsTableModel::headingText(int row) const {
    return symptomRowHeading(db_, rows_[static_cast<std::size_t>(row)]);
}

int ResultsTableModel::columnOfRemedy(int remedy) const {
    if (remedy < 0 || remedy >= static_cast<int>(columnOfRemedy_.size()))
        return -1;
    return columnOfRemedy_[static_cast<std::size_t>(remedy)];
}

std::vector<RemedyGrade> ResultsTableModel::gradesOfRow(int row) const {
    std::vector<RemedyGrade> grades;
    const int record = rubricRecordOfRow(db_, rows_[static_cast<std::size_t>(row)]);
    if (record < 0)
        return grades;
    const auto entries = db_.remedyList(record);
    grades.reserve(entries.size());
    for (const RemedyEntry entry : entries) {
        const int column = columnOfRemedy(remedyOf(entry));
        if (column < 0)
            continue;
        // A rubric lists a remedy twice only rarely, so looking back is cheaper than a table.
        bool seen = false;
        for (RemedyGrade& earlier : grades) {
            if (earlier.column == column) {
                earlier.grade = gradeOf(entry);
                seen = true;
                break;
            }
        }
        if (!seen)
            grades.push_back({column, gradeOf(entry)});
    }
    return grades;
}

Windows1252Text ResultsTableModel::cellText(int tableRow, int tableColumn) const {
    if (tableRow < 0 || tableRow >= rowCount() || tableColumn < 0 || tableColumn >= columnCount())
        return {};
    const int k = tableColumn - kResultsFixedColumns;
    const int j = tableRow - fixedRowCount();
    if (tableRow == kResultsContraindicationRow && j < 0) {
        if (tableColumn == 0)
            return contraindicationLabel();
        return isContraindicated(k) ? contraindicationLabel() : Windows1252Text();
    }
    switch (tableRow) {
    case 0:
        return k >= 0 ? abbreviation(k) : Windows1252Text();
    case kResultsHitsRow:
        return k >= 0 ? hitsText(k) : tableColumn == 0 ? hitsLabel() : Windows1252Text();
    case kResultsGradeSumRow:
        return k >= 0 ? gradeSumText(k) : tableColumn == 0 ? gradeSumLabel() : Windows1252Text();
    default:
        break;
    }
    if (tableColumn == 0)
        return symptomText(j);
    if (tableColumn == 1)
        return headingText(j);
    for (const RemedyGrade& grade : gradesOfRow(j)) {
        if (grade.column == k)
            return windows1252Number(grade.grade);
    }
    return {};
}

ResultsCellShade ResultsTableModel::cellShade(int tableRow, int tableColumn) const {
    const bool summaryRow = tableRow == kResultsHitsRow || tableRow == kResultsGradeSumRow ||
                            (tableRow == kResultsContraindicationRow && fixedRowCount() > kResultsFixedRows);
    if (summaryRow && tableColumn != 1)
        return ResultsCellShade::Summary;
    if (tableRow < fixedRowCount() || tableColumn < kResultsFixedColumns)
        return ResultsCellShade::Fixed;
    if (isContraindicated(tableColumn - kResultsFixedColumns))
        return ResultsCellShade::Contraindicated;
    if (tableRow < rowCount() && isCounterPolarityRow(tableRow - fixedRowCount()))
        return ResultsCellShade::CounterPolarity;
    return ResultsCellShade::Plain;
}

ResultsTextWidths shownResultsTextWidths(int visibleWidth, ResultsTextWidths wanted) {
    const int limit = std::max(visibleWidth, 0) * kResultsTextShare / 100;
    if (wanted.symptom + wanted.chapter <= limit)
        return wanted;
    const int chapter = std::min(wanted.chapter, std::max(limit / 3, limit - wanted.symptom));
    return {std::min(wanted.symptom, limit - chapter), chapter};
}

} // namespace telvarin
