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

CaseModel::CaseModel(const RepertoryDatabase& db) : db_(db), slots_(kCaseSlotCount) {}

const Windows1252Text& CaseModel::cellText(int tableRow, int column) const {
    static const Windows1252Text empty;
    if (column < 0 || column >= kCaseColumnCount || tableRow < 1 || tableRow > rowCount_)
        return empty;
    const CaseRowTexts& texts = slots_[slotOf(tableRow)].texts;
    switch (column) {
    case 0:
        return texts.number;
    case 1:
        return texts.symptom;
    case 2:
        return texts.chapter;
    default:
        return texts.weight;
    }
}

void CaseModel::setCurrentRow(int tableRow) {
    currentRow_ = std::clamp(tableRow, 1, std::max(1, rowCount_));
}

bool CaseModel::setCellText(int tableRow, int column, Windows1252View text) {
    if (column < 0 || column >= kCaseColumnCount || tableRow < 1 || tableRow > rowCount_)
        return false;
    if (column == kWeightColumn) {
        const WeightedEntry weight = splitWeight("*" + std::string(text.bytes()));
        if (weight.weightReadable)
            setWeight(tableRow, weight.weight);
        return true;
    }
    if (column != 0)
        return true; // the symptom and chapter cells follow the number only
    cleared_.reset();
    Batch batch(*this);
    enterText(tableRow, text.bytes(), false);
    return true;
}

bool CaseModel::setWeight(int tableRow, int weight) {
    if (tableRow < 1 || tableRow > rowCount_)
        return false;
    const std::size_t slot = slotOf(tableRow);
    const int held = std::clamp(weight, kLowestWeight, kHighestWeight);
    if (slots_[slot].number == 0 || slots_[slot].weight == held)
        return false;
    cleared_.reset();
    assignWeight(slot, held);
    return true;
}

void CaseModel::assignWeight(std::size_t slot, int weight) {
    CaseSymptom& row = slots_[slot];
    row.weight = row.number == 0 ? kUsualWeight : weight;
    row.texts.weight = row.number == 0 ? Windows1252Text() : windows1252Number(row.weight);
}

void CaseModel::enterText(int tableRow, std::string_view entry, bool insert) {
    const WeightedEntry weighted = splitWeight(entry);
    const std::string_view text = weighted.entry;
    // A row inserted for a counter-polarity is never the input row, even when it lands on the
    // last row: treating it as such would append a second empty row below the moved input row.
    const bool wasLast = !insert && tableRow == rowCount_ && rowCount_ < kMaxCaseRows;
    if (insert)
        moveRowsDown(tableRow);
    assignSlot(slotOf(tableRow), CaseSymptom{});

    Windows1252Text cell;
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
            assignWeight(slotOf(tableRow), weighted.weight);
        } else if (inRange) {
            slots_[slotOf(tableRow)].next.push_back(stored);
        }
        if (!first)
            cell += " + "_w1252;
        cell += numberText(stored.number, stored.bd);
        slots_[slotOf(tableRow)].texts.number = cell;
        // A row that takes no part in the analysis brings no counter-polarity either.
        if (polarityMode_ == PolarityMode::ListImmediately && stored.number > 0 && weighted.weight != 0)
            insertCounterPolarity(tableRow, stored.number);
        if (plus == std::string_view::npos)
            break;
        start = plus + 1;
    }

    if (wasLast)
        appendEmptyRow();
    else if (jumpToEnd_)
        setCurrentRow(rowCount_);
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
    setCurrentRow(tableRow);
}

void CaseModel::moveRowsDown(int fromRow) {
    for (std::size_t slot = static_cast<std::size_t>(rowCount_); slot > slotOf(fromRow); --slot)
        slots_[slot] = std::move(slots_[slot - 1]);
    // The moved rows stay counted where they are now; the vacated one is empty.
    slots_[slotOf(fromRow)] = CaseSymptom{};
}

// A row moves with its texts and chain; the slot it leaves is empty. The symptom counter is not
// touched: the row stays in the case.
void CaseModel::moveSlot(std::size_t from, std::size_t to) {
    slots_[to] = std::move(slots_[from]);
    slots_[from] = CaseSymptom{};
}

void CaseModel::assignSlot(std::size_t slot, CaseSymptom symptom) {
    counter_.remove(slots_[slot].number, slots_[slot].bd);
    counter_.add(symptom.number, symptom.bd);
    slots_[slot] = std::move(symptom);
}

void CaseModel::refreshRowTexts(int tableRow) {
    const CaseSymptom& symptom = slots_[slotOf(tableRow)];
    CaseRowTexts& texts = slots_[slotOf(tableRow)].texts;
    texts.symptom = rubricText(db_, symptom.number);
    const int index = symptom.number == 0 ? -1 : db_.rubricIndex(symptom.number, symptom.bd);
    texts.chapter = index < 0 ? Windows1252Text() : sectionHeading(db_, index);
    texts.tip = remedyListText(db_, symptom.number, symptom.bd, remedyListOrder_);
    texts.counterPole = {};
    if (symptom.number > 0 && index >= 0 && index < db_.rubricCount()) {
        const RubricRecord& rubric = db_.rubric(index);
        if (rubric.counterPolarity != 0 &&
            db_.rubricIndex(rubric.counterPolarity, rubric.counterPolarityBd) >= 0 &&
            rubric.counterPolarity <= db_.rubricCount()) {
            texts.symptom = kCounterPoleSign + texts.symptom;
            texts.counterPole = rubricText(db_, rubric.counterPolarity) + " ("_w1252 +
                                numberText(rubric.counterPolarity, rubric.counterPolarityBd) + ")"_w1252;
        }
    }
}

void CaseModel::appendEmptyRow() {
    if (rowCount_ >= kCaseSlotCount)
        return;
    const std::size_t slot = static_cast<std::size_t>(rowCount_);
    assignSlot(slot, CaseSymptom{});
    slots_[slot].texts.number = "0"_w1252;
    ++rowCount_;
    requestStretch();
    requestRefresh();
    setCurrentRow(rowCount_);
}

void CaseModel::addSymptom(RubricNumber number, int bd, int weight) {
    const int row = currentRow_;
    if (row < 1 || row > rowCount_)
        return;
    cleared_.reset();
    Batch batch(*this);
    const bool wasLast = row == rowCount_;
    enterText(row, (numberText(number, bd) + weightSuffix(weight)).bytes(), false);
    // The row may lie in the middle of the table, which the entry itself does not refresh.
    requestRefresh();
    setCurrentRow(wasLast && row < kMaxCaseRows ? rowCount_ : row);
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
    std::fill_n(slots_.begin(), rowCount_, CaseSymptom{});
    counter_.clear();
    heldInputRow_ = CaseSymptom{};
    rowCount_ = 1;
    setCurrentRow(1);
}

void CaseModel::clearCase() {
    Batch batch(*this);
    resetRows();
    evaluationName_ = {};
    requestRefresh();
}

void CaseModel::takeOverCase(Windows1252View name, std::span<const SymptomRef> symptoms) {
    Batch batch(*this);
    clearCase();
    evaluationName_ = Windows1252Text(name);
    const PolarityMode saved = polarityMode_;
    polarityMode_ = PolarityMode::None;
    for (const SymptomRef& symptom : symptoms)
        addSymptom(symptom.number, symptom.bd, symptom.weight);
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
            continue;
        }
        if (kept != slot)
            moveSlot(slot, kept);
        ++kept;
    }
    if (kept != inputSlot)
        moveSlot(inputSlot, kept);
    rowCount_ = static_cast<int>(kept) + 1;

    if (polarityMode_ == PolarityMode::ListAtEnd) {
        for (std::size_t slot = 0; slot < kept; ++slot) {
            const RubricNumber number = slots_[slot].number;
            const int index = db_.rubricIndex(number, slots_[slot].bd);
            if (index < 0 || number <= 0 || slots_[slot].weight == 0)
                continue;
            const RubricRecord& rubric = db_.rubric(index);
            if (rubric.counterPolarity == 0 || isInCase(-rubric.counterPolarity, rubric.counterPolarityBd))
                continue;
            if (rowCount_ >= kCaseSlotCount)
                break; // every slot is taken
            // The new row takes the input row's place; the input row moves one down.
            const std::size_t input = static_cast<std::size_t>(rowCount_ - 1);
            moveSlot(input, input + 1);
            assignSlot(input, CaseSymptom{-rubric.counterPolarity, rubric.counterPolarityBd, true, {}});
            slots_[input].texts.number = numberText(-rubric.counterPolarity, rubric.counterPolarityBd);
            assignWeight(input, kUsualWeight);
            ++rowCount_;
            refreshRowTexts(rowCount_ - 1);
        }
    }

    // The input row is never analysed; it leaves the count until the case is written back.
    const std::size_t input = static_cast<std::size_t>(rowCount_ - 1);
    heldInputRow_ = slots_[input];
    heldInputRow_.next.clear();
    heldInputRow_.texts = {};
    assignSlot(input, CaseSymptom{});
    --rowCount_;
    setCurrentRow(currentRow_);
}

std::vector<SymptomRef> CaseModel::keptSymptoms() const {
    std::vector<SymptomRef> kept;
    kept.reserve(static_cast<std::size_t>(rowCount_) + 1);
    for (const CaseSymptom& row : rows())
        if (!row.automatic)
            kept.push_back({row.number, row.bd, row.weight});
    if (heldInputRow_.number != 0)
        kept.push_back({heldInputRow_.number, heldInputRow_.bd, heldInputRow_.weight});
    return kept;
}

void CaseModel::keepCase(Windows1252View evaluationName) {
    writeBack(keptSymptoms(), Windows1252Text(evaluationName));
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

void CaseModel::writeBack(const std::vector<SymptomRef>& kept, Windows1252Text evaluationName) {
    Batch batch(*this);
    resetRows();
    // The rows already carry their counter-polarities; entering them again must not add more.
    const PolarityMode saved = polarityMode_;
    polarityMode_ = PolarityMode::None;
    const std::size_t count = std::min(kept.size(), static_cast<std::size_t>(kMaxCaseRows));
    for (std::size_t i = 0; i < count; ++i)
        enterText(rowCount_, (numberText(kept[i].number, kept[i].bd) + weightSuffix(kept[i].weight)).bytes(),
                  false);
    polarityMode_ = saved;
    if (count == 0)
        slots_[0].texts.number = "0"_w1252;
    setCurrentRow(rowCount_);
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
