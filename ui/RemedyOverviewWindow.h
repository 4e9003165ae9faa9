#pragma once

// The remedy overview "Mittelübersicht": every rubric in which one remedy stands, filtered by
// chapter, grade and rubric size; a double click on a row takes that rubric over into the case.

#include "analysis/CaseSymptom.h"
#include "analysis/RemedyOverview.h"
#include "foundation/dialogs/DialogBase.h"
#include "foundation/settings/MainSettings.h"
#include "repertory/RepertoryDatabase.h"
#include "ui/TableSaving.h"

#include <array>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace telvarin {

class IconPushButton;
class TableGrid;

class RemedyOverviewWindow : public DialogBase {
    Q_OBJECT

public:
    static QString placementName() { return QStringLiteral("Mittelübersicht"); }

    // The database and tableFont (null: the table keeps its built-in font) must outlive the
    // window; settings are read for "Spaltenbreite". exec() returns 1 when a rubric was taken
    // over (see chosenSymptom), 0 otherwise.
    RemedyOverviewWindow(const RepertoryDatabase& db, const MainSettings& settings,
                         const TableFont* tableFont, const DialogServices& services,
                         QWidget* parent = nullptr);
    ~RemedyOverviewWindow() override;

    // The rubric taken over with a double click, with BD value 0; nothing unless exec() gave 1.
    std::optional<SymptomRef> chosenSymptom() const { return chosen_; }

    // The query of the last search (or the initial one), and what it found.
    const RemedyQuery& query() const { return query_; }
    const std::optional<OverviewResult>& lastResult() const { return lastResult_; }

    TableGrid& table() const { return *table_; }
    QComboBox* chapterBox() const { return chapterBox_; }
    QComboBox* remedyBox() const { return remedyBox_; }
    QCheckBox* sizeFilterBox() const { return sizeFilterBox_; }
    QLineEdit* minSizeField() const { return minSizeField_; }
    QLineEdit* maxSizeField() const { return maxSizeField_; }
    QCheckBox* listOthersBox() const { return listOthersBox_; }
    // Index 0 is grade "1"; "5" (index 4) is hidden, like bdOnlyBox.
    QCheckBox* gradeBox(int grade) const { return gradeBoxes_.at(static_cast<std::size_t>(grade - 1)); }
    QCheckBox* bdOnlyBox() const { return bdOnlyBox_; }
    QPushButton* allGradesButton() const { return allGradesButton_; }
    QPushButton* highGradesButton() const { return highGradesButton_; }
    IconPushButton* searchButton() const { return searchButton_; }
    IconPushButton* printButton() const { return printButton_; }
    IconPushButton* helpButton() const { return helpButton_; }
    IconPushButton* backButton() const { return backButton_; }

    // Where "Als Tabelle speichern…" and Ctrl+S propose to save the table, and under which name.
    void setTableSaving(TableSaveSettings saving) { tableSaving_ = std::move(saving); }
    void saveTable();

    // The commands of the controls.
    void search();
    void printTable();
    void applyAllGrades();
    void applyHighGrades();
    void takeOverRow(int row);

    // Enter is the window's OK command: it searches and keeps the window open.
    void accept() override;
    // Every way of closing saves the placement and, with "Spaltenbreite", the column widths.
    void done(int result) override;

private:
    void createControls();
    void fitCaptions();
    void registerAnchors();
    void fillChapterBox();
    void fillRemedyBox();
    // Takes the fields over; false after a size field's message was shown.
    bool commitFields();
    void applySizeFilterEnabling();
    void setUpTable(bool showsOthers);
    void showResult(const OverviewResult& result);

    const RepertoryDatabase& db_;
    MainSettings settings_;
    const TableFont* tableFont_;
    RemedyQuery query_;
    std::optional<OverviewResult> lastResult_;
    std::optional<SymptomRef> chosen_;
    bool editingRemedy_ = false;
    TableSaveSettings tableSaving_;

    TableGrid* table_ = nullptr;
    QLabel* chapterLabel_ = nullptr;
    QComboBox* chapterBox_ = nullptr;
    QLabel* remedyLabel_ = nullptr;
    QComboBox* remedyBox_ = nullptr;
    QGroupBox* sizeGroup_ = nullptr;
    QCheckBox* sizeFilterBox_ = nullptr;
    QLabel* minSizeLabel_ = nullptr;
    QLineEdit* minSizeField_ = nullptr;
    QWidget* minSizeArrows_ = nullptr;
    QLabel* maxSizeLabel_ = nullptr;
    QLineEdit* maxSizeField_ = nullptr;
    QWidget* maxSizeArrows_ = nullptr;
    QCheckBox* listOthersBox_ = nullptr;
    QGroupBox* gradeGroup_ = nullptr;
    std::array<QCheckBox*, 5> gradeBoxes_{};
    QCheckBox* bdOnlyBox_ = nullptr;
    QPushButton* allGradesButton_ = nullptr;
    QPushButton* highGradesButton_ = nullptr;
    IconPushButton* searchButton_ = nullptr;
    IconPushButton* printButton_ = nullptr;
    IconPushButton* helpButton_ = nullptr;
    IconPushButton* backButton_ = nullptr;
};

} // namespace telvarin
