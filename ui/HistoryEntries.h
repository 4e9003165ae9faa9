#pragma once

// What the case history window shows and does for one entry of its tree, without any widget: the
// item texts, the delete question, the take-over and the delete itself. Texts are Windows-1252.

#include "history/HistoryActions.h"
#include "history/HistoryFile.h"
#include "history/HistoryOperations.h"
#include "history/HistoryStore.h"
#include "repertory/RepertoryDatabase.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace telvarin {

// A case of the history, or one treatment of it.
struct HistoryEntry {
    std::size_t caseIndex = 0;
    std::optional<std::size_t> treatmentIndex; // none: the case itself

    bool isTreatment() const { return treatmentIndex.has_value(); }
    friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

// Whether the entry names a case, and a treatment of it when it names one.
bool isValidEntry(const CaseHistory& history, const HistoryEntry& entry);
// Where a case (by its name) and one of its treatments (by its stamp and contents) stand in a
// history read again, as a deletion finds them; nothing when they are gone.
std::optional<HistoryEntry> entryAgain(const CaseHistory& history, const HistoryCase& shownCase,
                                       const std::optional<Treatment>& shownTreatment);

// The text of a case item: its name on one line.
Windows1252Text caseItemText(const HistoryCase& historyCase);
// The text of a treatment item: "dateStamp (comment)" on one line.
Windows1252Text treatmentItemText(const Treatment& treatment);

// Up to this many symptoms are listed in a treatment's tip.
inline constexpr std::size_t kTipSymptomLines = 20;
// The symptoms of a treatment, one a line: the number and the rubric text; empty without symptoms.
std::string treatmentTip(const RepertoryDatabase& db, const Treatment& treatment);

// What the preview beside the tree shows of an entry before it is taken over: of a treatment, or
// of a case's first treatment (the one its take-over hands back), the date, the prescription and
// the comment, then every symptom with its number, rubric text and weight. Empty when the entry
// names nothing; a case without treatments says that it has none.
Windows1252Text entryPreview(const RepertoryDatabase& db, const CaseHistory& history,
                             const HistoryEntry& entry);

// "Wollen Sie den Eintrag ... wirklich löschen?" or "Wollen Sie den Fall ... wirklich löschen?";
// empty when the entry names nothing.
Windows1252Text deleteQuestion(const CaseHistory& history, const HistoryEntry& entry);

// The case name and the symptoms a take-over of the entry hands back; none when the entry names
// nothing.
std::optional<TakeOverResult> takeOverEntry(const CaseHistory& history, const HistoryEntry& entry);

// Takes the entry the window shows out of the history file as it is now (see deleteFromHistoryFile)
// and hands the file's history back in history, also when the entry was no longer there; after a
// refusal or a failed write history is left as it was.
HistorySaveResult deleteEntry(CaseHistory& history, const HistoryEntry& entry, ErrorReporter* reporter,
                              const HistoryFileAccess& access = {});
// The same in the history store holds.
HistorySaveResult deleteEntry(HistoryStore& store, CaseHistory& history, const HistoryEntry& entry,
                              ErrorReporter* reporter, const HistoryFileAccess& access = {});

} // namespace telvarin
