#include "ui/HistoryEntries.h"

#include "history/HistoryActions.h"
#include "repertory/RepertoryTexts.h"

#include <iterator>
#include <utility>

namespace telvarin {

bool isValidEntry(const CaseHistory& history, const HistoryEntry& entry) {
    if (entry.caseIndex >= history.cases.size())
        return false;
    return !entry.treatmentIndex || *entry.treatmentIndex < history.cases[entry.caseIndex].treatments.size();
}

std::string oneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            line += ' ';
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    return line;
}

std::string caseItemText(const HistoryCase& historyCase) {
    return oneLine(historyCase.name);
}

std::string treatmentItemText(const Treatment& treatment) {
    // The label already turns CR LF and LF into blanks; a stray CR from a foreign file would
    // otherwise break the item's line.
    return oneLine(treatmentLabel(treatment));
}

std::string treatmentTip(const RepertoryDatabase& db, const Treatment& treatment) {
    std::string tip;
    std::size_t listed = 0;
    for (const SymptomRef& symptom : treatment.symptoms) {
        if (listed == kTipSymptomLines) {
            tip += "\n\x85 (" + std::to_string(treatment.symptoms.size() - listed) + " weitere)";
            break;
        }
        if (!tip.empty())
            tip += '\n';
        tip += std::to_string(symptom.number);
        const std::string text = rubricText(db, symptom.number);
        if (!text.empty())
            tip += "  " + text;
        ++listed;
    }
    return tip;
}

std::string deleteQuestion(const CaseHistory& history, const HistoryEntry& entry) {
    if (!isValidEntry(history, entry))
        return {};
    const HistoryCase& historyCase = history.cases[entry.caseIndex];
    if (entry.treatmentIndex)
        return "Wollen Sie den Eintrag " + treatmentItemText(historyCase.treatments[*entry.treatmentIndex]) +
               " wirklich l\xF6"
               "schen?";
    return "Wollen Sie den Fall " + caseItemText(historyCase) +
           " wirklich l\xF6"
           "schen?";
}

std::optional<TakeOverResult> takeOverEntry(const CaseHistory& history, const HistoryEntry& entry) {
    if (!isValidEntry(history, entry))
        return std::nullopt;
    const HistoryCase& historyCase = history.cases[entry.caseIndex];
    if (entry.treatmentIndex)
        return takeOverTreatment(historyCase, historyCase.treatments[*entry.treatmentIndex]);
    return takeOverCase(historyCase);
}

HistorySaveResult deleteEntry(CaseHistory& history, const HistoryEntry& entry, const FileSystemCalls& calls) {
    if (!isValidEntry(history, entry))
        return {};
    const auto caseAt = std::next(history.cases.begin(), static_cast<std::ptrdiff_t>(entry.caseIndex));
    if (entry.treatmentIndex) {
        const auto at = static_cast<std::ptrdiff_t>(*entry.treatmentIndex);
        Treatment removed = caseAt->treatments[*entry.treatmentIndex];
        HistorySaveResult result = deleteTreatment(history, entry.caseIndex, *entry.treatmentIndex, calls);
        // A refused save took nothing out; a failed write did.
        if (result.status == HistorySaveStatus::WriteFailed)
            caseAt->treatments.insert(std::next(caseAt->treatments.begin(), at), std::move(removed));
        return result;
    }
    HistoryCase removed = *caseAt;
    HistorySaveResult result = deleteCase(history, entry.caseIndex, calls);
    if (result.status == HistorySaveStatus::WriteFailed)
        history.cases.insert(std::next(history.cases.begin(), static_cast<std::ptrdiff_t>(entry.caseIndex)),
                             std::move(removed));
    return result;
}

} // namespace telvarin
