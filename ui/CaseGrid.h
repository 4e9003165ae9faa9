#pragma once

// The case table of the case input window: a table grid that shows the current case and passes
// every change of a "Nummer" cell through the case's entry procedure.

#include "analysis/CaseModel.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/settings/MainSettings.h"

#include <array>
#include <vector>

namespace telvarin {

// The widths of the columns "Nummer", "Symptom" and "Kapitel" for a visible width: "Nummer" at
// least `numberMinimum`, the other two sharing the rest (growing alike, shrinking in proportion),
// each at least `textMinimum`; so the table fills its width without a horizontal scroll bar while
// that fits. Neither of the two cuts its texts (as wide as `textNeeds`) while the other has room
// beyond its own.
std::array<int, 3> fittedCaseColumnWidths(int visibleWidth, int numberMinimum, int textMinimum,
                                          const std::array<int, 3>& widths,
                                          const std::array<int, 2>& textNeeds);

class CaseGrid : public TableGrid, public CaseTableListener {
    Q_OBJECT

public:
    // Pixels of a row beyond the table font's height.
    static constexpr int kRowPadding = 8;
    static constexpr int kNumberColumnWidth = 5;
    static constexpr int kSymptomColumnWidth = 480;

    explicit CaseGrid(CaseModel& model, QWidget* parent = nullptr);
    ~CaseGrid() override;

    CaseModel& caseModel() { return model_; }
    const CaseModel& caseModel() const { return model_; }

    // The table set-up, also used when the case is cleared: the table font when there is one, the
    // header row and one empty row, the three columns at their first widths stretched to the
    // table's width, the focus on the empty row.
    void setUpTable(const TableFont* font);
    // A new table font: every row becomes FontSize + 8 pixels high, rows added later too.
    void changeTableFont(const TableFont& font);
    // The largest rubric number of the repertory: "Nummer" always shows it with its minus sign.
    void setLargestRubricNumber(int number);
    int numberColumnMinimum() const;
    // "Gewicht" is as wide as its header.
    int weightColumnWidth() const;

    // Polarity mode, SprungEnde and Spaltenbreite.
    void applySettings(const MainSettings& settings);

    // CaseTableListener
    void stretchColumns() override;
    void refreshTable() override;
    void focusTable() override;

protected:
    bool setCellText(int row, int col, const QString& text) override;
    void resizeEvent(QResizeEvent* event) override;
    // Ctrl+Z brings back the case the results window cleared, until the next entry. "+" and "-"
    // step the weight of the focused row, a digit from 0 to 4 in "Gewicht" sets it.
    void keyPressEvent(QKeyEvent* event) override;
    // With the remedy lists by grade, a symptom's tip is rich text in the classical typefaces,
    // shown by the toolkit's tip instead of the grid's own plain one.
    bool viewportEvent(QEvent* event) override;

private:
    // Brings one row of the grid in line with the case; only texts that changed are set again.
    void showRow(int row);
    void showFocus();
    void fitColumns();
    // The widths the texts of "Symptom" and "Kapitel" need to show whole.
    std::array<int, 2> textColumnNeeds() const;
    void takeFocusFromGrid(int row, int col);

    CaseModel& model_;
    // The texts the grid shows, per table row, to find the changed ones without converting.
    std::vector<CaseRowTexts> shown_;
    int largestRubricNumber_ = 99999;
    bool classicalTips_ = false;
    // The model keeps the current row; the column is the table's own.
    int focusColumn_ = 0;
    std::array<int, 3> wantedWidths_{};
    std::array<int, 3> lastFitted_{};
};

} // namespace telvarin
