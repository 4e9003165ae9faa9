#pragma once

// The results window "Ergebnis der Auswertung": the ranked remedies as columns against the case's
// symptoms, the name of the evaluation, printing, filing the case, and the way back to the case
// or on to a new one.

#include "analysis/Analysis.h"
#include "analysis/CaseSymptom.h"
#include "foundation/dialogs/DialogBase.h"
#include "foundation/settings/MainSettings.h"
#include "repertory/RepertoryDatabase.h"
#include "ui/FileCaseDialog.h"
#include "ui/ResultsTableModel.h"
#include "ui/TableSaving.h"

#include <QDateTime>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QCheckBox;
class QPushButton;

namespace telvarin {

class IconPushButton;
class TableGrid;

class ResultsWindow : public DialogBase {
    Q_OBJECT

public:
    // rows: the analysed case rows in case order; result: the ranked scores. Both, and the
    // database, must outlive the window; none of them is changed. evaluationName is Windows-1252;
    // historyPath is the case history file that "&Ablegen" files into.
    ResultsWindow(const RepertoryDatabase& db, std::span<const CaseSymptom> rows,
                  const AnalysisResult& result, Windows1252Text evaluationName, const MainSettings& settings,
                  const std::optional<TableFont>& tableFont, std::string historyPath,
                  const DialogServices& services, QWidget* parent = nullptr);
    ~ResultsWindow() override;

    // After exec(): how the window was closed, and the name as the user left it (Windows-1252).
    ResultsOutcome outcome() const { return outcome_; }
    const Windows1252Text& evaluationName() const { return evaluationName_; }

    TableGrid& table() const { return *table_; }
    QLineEdit* nameField() const { return nameField_; }
    IconPushButton* backButton() const { return backButton_; }
    IconPushButton* printButton() const { return printButton_; }
    IconPushButton* fileButton() const { return fileButton_; }
    IconPushButton* helpButton() const { return helpButton_; }
    IconPushButton* newButton() const { return newButton_; }
    QPushButton* copyButton() const { return copyButton_; }
    // "&Polaritätsmethode": ranks by the polarity method instead of hits and grade sums; the
    // choice is kept in the settings ("Rangfolge").
    QCheckBox* methodRankingBox() const { return methodRankingBox_; }

    // The file-case dialog is asked through this; tests give their own answers.
    void setFileCaseAsker(FileCaseAsker asker) { fileCaseAsker_ = std::move(asker); }
    // The date and time of printing and filing; tests fix them.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    // The save dialog of "Als Tabelle speichern…"; tests give their own answers.
    void setTableFileAsker(TableFileAsker asker) { tableSaving_.asker = std::move(asker); }

    // The case rows marked as key symptoms, ascending. While there are any, only the remedies
    // that stand in every one of their rubrics are shown.
    const std::vector<int>& keySymptomRows() const { return keySymptomRows_; }
    // Marks a case row as key symptom, or takes the mark away; rows the analysis does not count
    // (counter-polarities, rows without a rubric) cannot be marked.
    void toggleKeySymptom(int caseRow);

    // The commands of the buttons. Printing (also Ctrl+P) carries the first remedies of the
    // ranking as "Druckmittel" says, asking once for a long ranking.
    void printTable();
    void fileCase();
    void startNewCase();
    void copyAllToClipboard();
    // "Als Tabelle speichern…" and Ctrl+S.
    void saveTable();
    // The remedy columns in the order of the ranking again (Ctrl+R).
    void returnToRanking();

    // "&Zurück" and Enter.
    void accept() override;
    // Escape and the close box.
    void reject() override;
    // Every way of closing saves the placement and the widths of the two text columns.
    void done(int result) override;

protected:
    // "S" (a capital) on the table marks the focus cell's row as key symptom.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void fillTable(const ResultsTableModel& model, const std::optional<TableFont>& tableFont);
    // The table filled anew for the key symptoms marked now and the ranking chosen.
    void showRanking();
    // The listed scores left by the key symptoms, in the ranking chosen.
    std::vector<RemedyScore> shownRanking() const;
    ResultsTableModel tableModel() const;
    void chooseMethodRanking(bool method);
    // The case row a table row shows (rows may have been sorted), or -1 for the fixed rows.
    int caseRowOf(int tableRow) const;
    bool canBeKeySymptom(int caseRow) const;
    void addKeySymptomEntry(QMenu& menu, int tableRow);
    // "Gedruckte Mittel…": how many remedies of the ranking a print carries.
    void addPrintedRemediesEntry(QMenu& menu);
    // A click on a row's label re-orders the remedy columns by that row; the title says so until
    // Ctrl+R or the context menu brings the ranking back.
    void showSortedColumnsTitle(int keyRow, bool ascending);
    void addRankingEntry(QMenu& menu);
    void commitFields();
    // The text columns never take so much of the table that no remedy shows; they take up to the
    // widths wanted for them (their texts' or the user's) as the window grows.
    void limitTextColumns();
    void resizeEvent(QResizeEvent* event) override;
    // The window opens large enough for every symptom row and the first remedies, as far as the
    // screen allows; a larger window stays as it is.
    void growToShowTheCase();
    // The remedies the file-case dialog offers to prescribe, with the focused column's first.
    PrescriptionChoices prescriptionChoices() const;
    void showEvent(QShowEvent* event) override;

    const RepertoryDatabase& db_;
    std::span<const CaseSymptom> rows_;
    const AnalysisResult& result_;
    std::vector<int> keySymptomRows_;
    std::vector<RemedyScore> ranking_; // what the table shows: the listed scores left by the marks
    RemedyNameOrder names_;
    // Per remedy index; empty when no symptom of the case has a counter-pole.
    std::vector<bool> contraindicated_;
    bool methodRanking_ = false;
    MainSettings settings_;
    std::string historyPath_;
    Windows1252Text evaluationName_;
    DialogServices services_;
    ResultsOutcome outcome_ = ResultsOutcome::keepCase;
    bool closeKeepsCase_ = true;
    bool grownToShowTheCase_ = false;

    ResultsTextWidths wantedTextWidths_;
    ResultsTextWidths shownTextWidths_;

    TableGrid* table_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLineEdit* nameField_ = nullptr;
    IconPushButton* backButton_ = nullptr;
    IconPushButton* printButton_ = nullptr;
    IconPushButton* fileButton_ = nullptr;
    IconPushButton* helpButton_ = nullptr;
    IconPushButton* newButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QCheckBox* methodRankingBox_ = nullptr;

    FileCaseAsker fileCaseAsker_;
    TableSaveSettings tableSaving_;
    std::function<QDateTime()> clock_;
};

} // namespace telvarin
