#pragma once

// The current case and the entry procedure that every change of a "Nummer" cell goes through.
// The model owns the rows with their texts and tips, and the current row, where the next symptom
// from another window goes; the table that shows it keeps its headers, widths and focus column
// and listens for the requests it cannot decide itself.
//
// Rows are numbered as the table numbers them: row 0 is the header, row r >= 1 shows slot r - 1.
// The row count includes the trailing empty input row.

#include "analysis/CaseSymptom.h"
#include "analysis/SymptomCounter.h"
#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertoryTexts.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

inline constexpr int kCaseColumnCount = 4;
inline constexpr int kWeightColumn = 3;

// Implemented by the table that shows the case.
class CaseTableListener {
public:
    virtual ~CaseTableListener() = default;
    // Stretch the columns to fill the table's width.
    virtual void stretchColumns() = 0;
    // Rows were added, moved or rewritten: read the row count, texts and focus again.
    virtual void refreshTable() = 0;
    // Give the table the keyboard focus (after another window added a symptom).
    virtual void focusTable() = 0;
};

// What a row's "Symptom" text starts with when its rubric has a counter-pole.
inline constexpr Windows1252View kCounterPoleSign = "\xB1 "_w1252;

class CaseModel {
public:
    explicit CaseModel(const RepertoryDatabase& db);

    void setListener(CaseTableListener* listener) { listener_ = listener; }
    const RepertoryDatabase& database() const { return db_; }
    void setPolarityMode(PolarityMode mode) { polarityMode_ = mode; }
    PolarityMode polarityMode() const { return polarityMode_; }
    // SprungEnde: after a change in the middle the focus jumps to the input row.
    void setJumpToEnd(bool on) { jumpToEnd_ = on; }
    // The order of the remedy lists in the rows' tips, for rows entered from now on.
    void setRemedyListOrder(RemedyListOrder order) { remedyListOrder_ = order; }

    int rowCount() const { return rowCount_; }
    const CaseSymptom& row(int tableRow) const { return slots_[slotOf(tableRow)]; }
    // The rows within the row count, in table order.
    std::span<const CaseSymptom> rows() const { return {slots_.data(), static_cast<std::size_t>(rowCount_)}; }
    // Columns 0 "Nummer", 1 "Symptom", 2 "Kapitel", 3 "Gewicht" of a data row; empty for the
    // header row.
    const Windows1252Text& cellText(int tableRow, int column) const;
    const Windows1252Text& tipText(int tableRow) const { return slots_[slotOf(tableRow)].texts.tip; }
    const Windows1252Text& counterPoleText(int tableRow) const {
        return slots_[slotOf(tableRow)].texts.counterPole;
    }

    // The row Add symptom fills; the entry procedure moves it on as the focus should follow.
    int currentRow() const { return currentRow_; }
    void setCurrentRow(int tableRow);

    const Windows1252Text& evaluationName() const { return evaluationName_; }
    void setEvaluationName(Windows1252View name) { evaluationName_ = Windows1252Text(name); }

    // The table sets a cell's text. Column 0 of a data row runs the entry procedure, column 3 takes
    // a weight digit, columns 1 and 2 cannot be set. Returns false for a cell outside the data rows.
    bool setCellText(int tableRow, int column, Windows1252View text);
    // The weight of a row that holds a symptom, held within 0 to 4; false when nothing changed.
    bool setWeight(int tableRow, int weight);

    // Puts a symptom into the current row on behalf of another window.
    void addSymptom(RubricNumber number, int bd, int weight = kUsualWeight);
    // Main symptoms within the row count only; joined symptoms are not searched.
    bool isInCase(RubricNumber number, int bd) const;
    // Back to one blank row, evaluationName empty.
    void clearCase();
    // The results window ended with clearCase: cleared as clearCase does, but kept aside so that
    // restoreClearedCase can bring it back (as keepCase writes a case back) until the next entry
    // is typed or added.
    void clearAnalysedCase();
    bool canRestoreClearedCase() const { return cleared_.has_value(); }
    // False when there is nothing to bring back.
    bool restoreClearedCase();
    // A case from the history: its name, and its symptoms added in order without counter-polarities.
    void takeOverCase(Windows1252View name, std::span<const SymptomRef> symptoms);

    // The analysis' changes to the case: empty rows before the input row are dropped, in mode
    // ListAtEnd the missing counter-polarity rows are appended (flag automatic), and the input
    // row leaves the row count until the case is written back or cleared. Afterwards rows()
    // are exactly the rows to analyse.
    void prepareForAnalysis();
    // The results window ended with keepCase: the main symptoms of the rows that are not
    // automatic are entered again in order (joined symptoms dropped), up to 3,000 rows, and an
    // empty input row follows while there is room.
    void keepCase(Windows1252View evaluationName);

private:
    struct ClearedCase {
        std::vector<SymptomRef> symptoms;
        Windows1252Text evaluationName;
    };

    static std::size_t slotOf(int tableRow) { return static_cast<std::size_t>(tableRow - 1); }

    // The main symptoms of the analysed case as keepCase writes them back.
    std::vector<SymptomRef> keptSymptoms() const;
    void writeBack(const std::vector<SymptomRef>& kept, Windows1252Text evaluationName);
    void enterText(int tableRow, std::string_view text, bool insert);
    void insertCounterPolarity(int tableRow, RubricNumber number);
    void moveRowsDown(int fromRow);
    void moveSlot(std::size_t from, std::size_t to);
    void assignSlot(std::size_t slot, CaseSymptom symptom);
    void assignWeight(std::size_t slot, int weight);
    void refreshRowTexts(int tableRow);
    void appendEmptyRow();
    void resetRows();

    void requestStretch();
    void requestRefresh();
    void flushRequests();

    // While batched, requests to the listener are collected and sent once at the end.
    class Batch;

    const RepertoryDatabase& db_;
    std::vector<CaseSymptom> slots_;
    SymptomCounter counter_;
    int rowCount_ = 1;
    int currentRow_ = 1;
    Windows1252Text evaluationName_;
    // The input row while the analysis has taken it out of the count (it is never analysed,
    // but at 3,000 rows it may hold a symptom that the write-back must not lose).
    CaseSymptom heldInputRow_;
    std::optional<ClearedCase> cleared_;

    PolarityMode polarityMode_ = PolarityMode::ListAtEnd;
    bool jumpToEnd_ = false;
    RemedyListOrder remedyListOrder_ = RemedyListOrder::Stored;

    CaseTableListener* listener_ = nullptr;
    int batchDepth_ = 0;
    bool pendingStretch_ = false;
    bool pendingRefresh_ = false;
};

} // namespace telvarin
