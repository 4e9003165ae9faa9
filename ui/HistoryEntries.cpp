#include "ui/HistoryEntries.h"

#include "foundation/text/LineBreaks.h"
#include "history/HistoryActions.h"
#include "repertory/RepertoryTexts.h"

#include <utility>

namespace telvarin {

bool isValidEntry(const CaseHistory& history, const HistoryEntry& entry) {
    if (entry.caseIndex >= history.cases.size())
        return false;
    return !entry.treatmentIndex || *entry.treatmentIndex < history.cases[entry.caseIndex].treatments.size();
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
        const std::string text = rubricText(db, symptom.number).bytes();
        if (!text.empty())
            tip += "  " + text;
        ++listed;
    }
    return tip;
}

std::string entryPreview(const RepertoryDatabase& db, const CaseHistory& history, const HistoryEntry& entry) {
    if (!isValidEntry(history, entry))
        return {};
    const HistoryCase& historyCase = history.cases[entry.caseIndex];
    if (historyCase.treatments.empty())
        return caseItemText(historyCase) + "\nKeine Behandlung abgelegt.";
    const Treatment& treatment = historyCase.treatments[entry.treatmentIndex.value_or(0)];
    std::string text = caseItemText(historyCase) + "\nBehandlung vom " + treatment.dateStamp + '\n';
    if (const std::string prescribed = prescriptionText(treatment.prescription); !prescribed.empty())
        text += "Verordnung: " + prescribed + '\n';
    if (!treatment.comment.empty())
        text += "Kommentar: " + oneLine(treatment.comment) + '\n';
    text += "\nSymptome (" + std::to_string(treatment.symptoms.size()) + "):";
    for (const SymptomRef& symptom : treatment.symptoms) {
        text += '\n' + std::to_string(symptom.number);
        if (symptom.bd != 0)
            text += " BD " + std::to_string(symptom.bd);
        if (const std::string rubric = rubricText(db, symptom.number).bytes(); !rubric.empty())
            text += "  " + rubric;
        if (symptom.weight != kUsualWeight)
            text += "  [Gewicht " + std::to_string(symptom.weight) + "]";
    }
    return text;
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

HistorySaveResult deleteEntry(CaseHistory& history, const HistoryEntry& entry, ErrorReporter* reporter,
                              const HistoryFileAccess& access) {
    return deleteEntry(*fileHistoryStore(history.path), history, entry, reporter, access);
}

HistorySaveResult deleteEntry(HistoryStore& store, CaseHistory& history, const HistoryEntry& entry,
                              ErrorReporter* reporter, const HistoryFileAccess& access) {
    if (!isValidEntry(history, entry))
        return {};
    // Copies: the history they come from is replaced by the file's.
    const HistoryCase shownCase = history.cases[entry.caseIndex];
    const std::optional<Treatment> shownTreatment =
        entry.treatmentIndex ? std::optional(shownCase.treatments[*entry.treatmentIndex]) : std::nullopt;
    return store.remove(history, shownCase, shownTreatment ? &*shownTreatment : nullptr, reporter, access);
}

} // namespace telvarin
