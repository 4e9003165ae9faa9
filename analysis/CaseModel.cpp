#include "analysis/CaseModel.h"

#include "analysis/SymptomEntry.h"
#include "repertory/RepertoryTexts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace telvarin {

// Collects the listener requests of one operation, so that writing back 3,000 rows refreshes
// the table once instead of 3,000 times.
class CaseModel::Batch {
public:
    explicit Batch(CaseModel& model) : model_(model) { ++model_.batchDepth_; }
    ~Batch() {
        if (--model_.batchDepth_ == 0)
            model_.flushRequests();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

private:
    CaseModel& model_;
};

CaseModel::CaseModel(const RepertoryDatabase& db)
    : db_(db), slots_(kCaseSlotCount), texts_(kCaseSlotCount), headers_{"Nummer", "Symptom", "Kapitel"} {}

const std::string& CaseModel::cellText(int tableRow, int column) const {
    static const std::string empty;
    if (column < 0 || column >= kCaseColumnCount || tableRow < 0 || tableRow > rowCount_)
        return empty;
    if (tableRow == 0)
        return headers_[column];
    const CaseRowTexts& texts = texts_[slotOf(tableRow)];
    return column == 0 ? texts.number : column == 1 ? texts.symptom : texts.chapter;
}

void CaseModel::setFocus(int tableRow, int column) {
    focusRow_ = std::clamp(tableRow, 1, std::max(1, rowCount_));
    focusColumn_ = std::clamp(column, 0, kCaseColumnCount - 1);
}

bool CaseModel::setCellText(int tableRow, int column, std::string_view text) {
    if (column < 0 || column >= kCaseColumnCount || tableRow < 0 || tableRow > rowCount_)
        return false;
    if (tableRow == 0) {
        headers_[column] = std::string(text);
        return true;
    }
    if (column != 0)
        return true; // the symptom and chapter cells follow the number only
    cleared_.reset();
    Batch batch(*this);
    enterText(tableRow, text, false);
    return true;
}

void CaseModel::enterText(int tableRow, std::string_view text, bool insert) {
    // A row inserted for a counter-polarity is never the input row, even when it lands on the
    // last row: treating it as such would append a second empty row below the moved input row.
    const bool wasLast = !insert && tableRow == rowCount_ && rowCount_ < kMaxCaseRows;
    if (insert)
        moveRowsDown(tableRow);
    assignSlot(slotOf(tableRow), CaseSymptom{});

    std::string cell;
    std::size_t start = 0;
    for (bool first = true;; first = false) {
        const std::size_t plus = text.find('+', start);
        const std::string_view part =
            text.substr(start, plus == std::string_view::npos ? std::string_view::npos : plus - start);
        ParsedSymptom parsed = parseSymptomEntry(db_, part);
        if (!parsed.valid)
            parsed.bd = 0;
        const bool inRange = parsed.number != 0 && std::abs(parsed.number) <= db_.largestRubricNumber();
        const SymptomRef stored = inRange ? SymptomRef{parsed.number, parsed.bd} : SymptomRef{};
        if (first) {
            assignSlot(slotOf(tableRow), CaseSymptom{stored.number, stored.bd, false, {}});
            refreshRowTexts(tableRow); // joined symptoms do not change the row's texts
        } else if (inRange) {
            slots_[slotOf(tableRow)].next.push_back(stored);
        }
        if (!first)
            cell += " + ";
        cell += numberText(stored.number, stored.bd);
        texts_[slotOf(tableRow)].number = cell;
        if (polarityMode_ == PolarityMode::ListImmediately && stored.number > 0)
            insertCounterPolarity(tableRow, stored.number);
        if (plus == std::string_view::npos)
            break;
        start = plus + 1;
    }

    if (wasLast)
        appendEmptyRow();
    else if (jumpToEnd_)
        setFocus(rowCount_, 0);
}

void CaseModel::insertCounterPolarity(int tableRow, RubricNumber number) {
    const RubricRecord& rubric = db_.rubric(number - 1);
    const RubricNumber counter = rubric.counterPolarity;
    const int counterBd = rubric.counterPolarityBd;
    if (counter == 0 || isInCase(-counter, counterBd))
        return;
    if (rowCount_ >= kCaseSlotCount)
        return; // no slot left for another row
    char text[48];
    std::snprintf(text, sizeof text, "-%d BD %d", counter, counterBd);
    const bool append = tableRow == rowCount_;
    enterText(tableRow + 1, text, !append);
    ++rowCount_;
    requestStretch();
    requestRefresh();
    setFocus(tableRow, 0);
}

void CaseModel::moveRowsDown(int fromRow) {
    for (std::size_t slot = static_cast<std::size_t>(rowCount_); slot > slotOf(fromRow); --slot) {
        slots_[slot] = std::move(slots_[slot - 1]);
        texts_[slot] = std::move(texts_[slot - 1]);
    }
    // The moved rows stay counted where they are now; the vacated one is empty.
    slots_[slotOf(fromRow)] = CaseSymptom{};
    texts_[slotOf(fromRow)] = CaseRowTexts{};
}

void CaseModel::assignSlot(std::size_t slot, CaseSymptom symptom) {
    counter_.remove(slots_[slot].number, slots_[slot].bd);
    counter_.add(symptom.number, symptom.bd);
    slots_[slot] = std::move(symptom);
}

void CaseModel::refreshRowTexts(int tableRow) {
    const CaseSymptom& symptom = slots_[slotOf(tableRow)];
    CaseRowTexts& texts = texts_[slotOf(tableRow)];
    texts.symptom = rubricText(db_, symptom.number);
    const int index = symptom.number == 0 ? -1 : db_.rubricIndex(symptom.number, symptom.bd);
    texts.chapter = index < 0 ? std::string() : sectionHeading(db_, index);
    texts.tip = remedyListText(db_, symptom.number, symptom.bd, remedyListOrder_);
    texts.counterPole.clear();
    if (symptom.number > 0 && index >= 0 && index < db_.rubricCount()) {
        const RubricRecord& rubric = db_.rubric(index);
        if (rubric.counterPolarity != 0 &&
            db_.rubricIndex(rubric.counterPolarity, rubric.counterPolarityBd) >= 0 &&
            rubric.counterPolarity <= db_.rubricCount()) {
            texts.symptom.insert(0, kCounterPoleSign);
            texts.counterPole = rubricText(db_, rubric.counterPolarity) + " (" +
                                numberText(rubric.counterPolarity, rubric.counterPolarityBd) + ")";
        }
    }
}

void CaseModel::appendEmptyRow() {
    if (rowCount_ >= kCaseSlotCount)
        return;
    const std::size_t slot = static_cast<std::size_t>(rowCount_);
    assignSlot(slot, CaseSymptom{});
    texts_[slot] = CaseRowTexts{"0", {}, {}, {}, {}};
    ++rowCount_;
    if (!savedColumnWidths_)
        requestStretch();
    requestRefresh();
    setFocus(rowCount_, 0);
}

void CaseModel::addSymptom(RubricNumber number, int bd) {
    const int row = focusRow_;
    if (row < 1 || row > rowCount_)
        return;
    cleared_.reset();
    Batch batch(*this);
    const bool wasLast = row == rowCount_;
    enterText(row, numberText(number, bd), false);
    // The row may lie in the middle of the table, which the entry itself does not refresh.
    requestRefresh();
    if (wasLast && row < kMaxCaseRows)
        setFocus(rowCount_, 0);
    else
        setFocus(row, focusColumn_);
    if (listener_)
        listener_->focusTable();
}

bool CaseModel::isInCase(RubricNumber number, int bd) const {
    if (number != 0)
        return counter_.contains(number, bd);
    return std::any_of(slots_.begin(), slots_.begin() + rowCount_,
                       [&](const CaseSymptom& row) { return row.number == 0 && row.bd == bd; });
}

void CaseModel::resetRows() {
    for (std::size_t slot = 0; slot < static_cast<std::size_t>(rowCount_); ++slot) {
        slots_[slot] = CaseSymptom{};
        texts_[slot] = CaseRowTexts{};
    }
    counter_.clear();
    heldInputRow_ = CaseSymptom{};
    rowCount_ = 1;
    setFocus(1, 0);
}

void CaseModel::clearCase() {
    Batch batch(*this);
    resetRows();
    evaluationName_.clear();
    requestRefresh();
}

void CaseModel::takeOverCase(std::string name, std::span<const SymptomRef> symptoms) {
    Batch batch(*this);
    clearCase();
    evaluationName_ = std::move(name);
    const PolarityMode saved = polarityMode_;
    polarityMode_ = PolarityMode::None;
    for (const SymptomRef& symptom : symptoms)
        addSymptom(symptom.number, symptom.bd);
    polarityMode_ = saved;
}

void CaseModel::prepareForAnalysis() {
    if (rowCount_ < 1)
        return;
    const std::size_t inputSlot = static_cast<std::size_t>(rowCount_ - 1);

    // Empty rows before the input row go; the others move up in order with their chains.
    std::size_t kept = 0;
    for (std::size_t slot = 0; slot < inputSlot; ++slot) {
        if (slots_[slot].number == 0) {
            slots_[slot] = CaseSymptom{};
            texts_[slot] = CaseRowTexts{};
            continue;
        }
        if (kept != slot) {
            slots_[kept] = std::move(slots_[slot]);
            texts_[kept] = std::move(texts_[slot]);
            slots_[slot] = CaseSymptom{};
            texts_[slot] = CaseRowTexts{};
        }
        ++kept;
    }
    if (kept != inputSlot) {
        slots_[kept] = std::move(slots_[inputSlot]);
        texts_[kept] = std::move(texts_[inputSlot]);
        slots_[inputSlot] = CaseSymptom{};
        texts_[inputSlot] = CaseRowTexts{};
    }
    rowCount_ = static_cast<int>(kept) + 1;

    if (polarityMode_ == PolarityMode::ListAtEnd) {
        for (std::size_t slot = 0; slot < kept; ++slot) {
            const RubricNumber number = slots_[slot].number;
            const int index = db_.rubricIndex(number, slots_[slot].bd);
            if (index < 0 || number <= 0)
                continue;
            const RubricRecord& rubric = db_.rubric(index);
            if (rubric.counterPolarity == 0 || isInCase(-rubric.counterPolarity, rubric.counterPolarityBd))
                continue;
            if (rowCount_ >= kCaseSlotCount)
                break; // every slot is taken
            // The new row takes the input row's place; the input row moves one down.
            const std::size_t input = static_cast<std::size_t>(rowCount_ - 1);
            slots_[input + 1] = std::move(slots_[input]);
            texts_[input + 1] = std::move(texts_[input]);
            slots_[input] = CaseSymptom{};
            assignSlot(input, CaseSymptom{-rubric.counterPolarity, rubric.counterPolarityBd, true, {}});
            texts_[input].number = numberText(-rubric.counterPolarity, rubric.counterPolarityBd);
            ++rowCount_;
            refreshRowTexts(rowCount_ - 1);
        }
    }

    // The input row is never analysed; it leaves the count until the case is written back.
    const std::size_t input = static_cast<std::size_t>(rowCount_ - 1);
    heldInputRow_ = slots_[input];
    heldInputRow_.next.clear();
    assignSlot(input, CaseSymptom{});
    texts_[input] = CaseRowTexts{};
    --rowCount_;
    setFocus(focusRow_, focusColumn_);
}

std::vector<SymptomRef> CaseModel::keptSymptoms() const {
    std::vector<SymptomRef> kept;
    kept.reserve(static_cast<std::size_t>(rowCount_) + 1);
    for (const CaseSymptom& row : rows())
        if (!row.automatic)
            kept.push_back({row.number, row.bd});
    if (heldInputRow_.number != 0)
        kept.push_back({heldInputRow_.number, heldInputRow_.bd});
    return kept;
}

void CaseModel::keepCase(std::string evaluationName) {
    writeBack(keptSymptoms(), std::move(evaluationName));
}

void CaseModel::clearAnalysedCase() {
    ClearedCase cleared{keptSymptoms(), evaluationName_};
    clearCase();
    cleared_ = std::move(cleared);
}

bool CaseModel::restoreClearedCase() {
    if (!cleared_)
        return false;
    ClearedCase cleared = std::move(*cleared_);
    cleared_.reset();
    writeBack(cleared.symptoms, std::move(cleared.evaluationName));
    return true;
}

void CaseModel::writeBack(const std::vector<SymptomRef>& kept, std::string evaluationName) {
    Batch batch(*this);
    resetRows();
    // The rows already carry their counter-polarities; entering them again must not add more.
    const PolarityMode saved = polarityMode_;
    polarityMode_ = PolarityMode::None;
    const std::size_t count = std::min(kept.size(), static_cast<std::size_t>(kMaxCaseRows));
    for (std::size_t i = 0; i < count; ++i)
        enterText(rowCount_, numberText(kept[i].number, kept[i].bd), false);
    polarityMode_ = saved;
    if (count == 0)
        texts_[0].number.assign(1, '0');
    setFocus(rowCount_, 0);
    evaluationName_ = std::move(evaluationName);
    requestRefresh();
}

void CaseModel::requestStretch() {
    pendingStretch_ = true;
    if (batchDepth_ == 0)
        flushRequests();
}

void CaseModel::requestRefresh() {
    pendingRefresh_ = true;
    if (batchDepth_ == 0)
        flushRequests();
}

void CaseModel::flushRequests() {
    const bool stretch = std::exchange(pendingStretch_, false);
    const bool refresh = std::exchange(pendingRefresh_, false);
    if (!listener_)
        return;
    if (stretch)
        listener_->stretchColumns();
    if (refresh)
        listener_->refreshTable();
}

} // namespace telvarin
