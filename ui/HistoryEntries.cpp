#include "ui/HistoryEntries.h"

#include "foundation/text/LineBreaks.h"
#include "history/HistoryActions.h"
#include "repertory/RepertoryTexts.h"

#include <algorithm>
#include <utility>

namespace telvarin {

bool isValidEntry(const CaseHistory& history, const HistoryEntry& entry) {
    if (entry.caseIndex >= history.cases.size())
        return false;
    return !entry.treatmentIndex || *entry.treatmentIndex < history.cases[entry.caseIndex].treatments.size();
}

std::optional<HistoryEntry> entryAgain(const CaseHistory& history, const HistoryCase& shownCase,
                                       const std::optional<Treatment>& shownTreatment) {
    const auto sameName = [&shownCase](const HistoryCase& candidate) {
        return candidate.name == shownCase.name;
    };
    const auto found = std::find_if(history.cases.begin(), history.cases.end(), sameName);
    if (found == history.cases.end())
        return std::nullopt;
    HistoryEntry entry{static_cast<std::size_t>(found - history.cases.begin()), std::nullopt};
    if (!shownTreatment)
        return entry;
    const auto at = std::find(found->treatments.begin(), found->treatments.end(), *shownTreatment);
    if (at == found->treatments.end())
        return std::nullopt;
    entry.treatmentIndex = static_cast<std::size_t>(at - found->treatments.begin());
    return entry;
}

Windows1252Text caseItemText(const HistoryCase& historyCase) {
    return oneLine(historyCase.name);
}

Windows1252Text treatmentItemText(const Treatment& treatment) {
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

Windows1252Text entryPreview(const RepertoryDatabase& db, const CaseHistory& history,
                             const HistoryEntry& entry) {
    if (!isValidEntry(history, entry))
        return {};
    const HistoryCase& historyCase = history.cases[entry.caseIndex];
    if (historyCase.treatments.empty())
        return caseItemText(historyCase) + "\nKeine Behandlung abgelegt."_w1252;
    const Treatment& treatment = historyCase.treatments[entry.treatmentIndex.value_or(0)];
    // The stamp holds the history's bytes too: ASCII as the program writes it.
    Windows1252Text text = caseItemText(historyCase) + "\nBehandlung vom "_w1252 +
                           Windows1252View(treatment.dateStamp) + "\n"_w1252;
    if (const Windows1252Text prescribed = prescriptionText(treatment.prescription); !prescribed.empty())
        text += "Verordnung: "_w1252 + prescribed + "\n"_w1252;
    if (!treatment.comment.empty())
        text += "Kommentar: "_w1252 + oneLine(treatment.comment) + "\n"_w1252;
    text += "\nSymptome ("_w1252 + windows1252Number(treatment.symptoms.size()) + "):"_w1252;
    for (const SymptomRef& symptom : treatment.symptoms) {
        text += "\n"_w1252 + windows1252Number(symptom.number);
        if (symptom.bd != 0)
            text += " BD "_w1252 + windows1252Number(symptom.bd);
        if (const Windows1252Text rubric = rubricText(db, symptom.number); !rubric.empty())
            text += "  "_w1252 + rubric;
        if (symptom.weight != kUsualWeight)
            text += "  [Gewicht "_w1252 + windows1252Number(symptom.weight) + "]"_w1252;
    }
    return text;
}

Windows1252Text deleteQuestion(const CaseHistory& history, const HistoryEntry& entry) {
    if (!isValidEntry(history, entry))
        return {};
    const HistoryCase& historyCase = history.cases[entry.caseIndex];
    if (entry.treatmentIndex)
        return "Wollen Sie den Eintrag "_w1252 +
               treatmentItemText(historyCase.treatments[*entry.treatmentIndex]) +
               " wirklich l\xF6"
               "schen?"_w1252;
    return "Wollen Sie den Fall "_w1252 + caseItemText(historyCase) +
           " wirklich l\xF6"
           "schen?"_w1252;
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
