#pragma once

// Operations on a loaded history: finding, filing, removing, ordering and taking over cases.

#include "analysis/CaseSymptom.h"
#include "history/CaseHistory.h"

#include <chrono>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

inline constexpr std::string_view kHistoryFileName = "historie.xml";

// The start directory, one separator, "historie.xml"; separators the directory ends with are not
// doubled.
std::string historyPathFor(std::string_view startDirectory, char separator = '/');

// The first case whose name equals name, letters compared as capitals (A-Z and the letters of
// the code page); nullptr when there is none.
HistoryCase* findCase(CaseHistory& history, Windows1252View name);
const HistoryCase* findCase(const CaseHistory& history, Windows1252View name);

struct LocalDateTime {
    int day = 1;
    int month = 1;
    int year = 2000;
    int hour = 0;
    int minute = 0;
};

LocalDateTime currentLocalDateTime();
LocalDateTime localDateTimeOf(std::chrono::system_clock::time_point time);
// "dd.mm.yyyy hh:mm"
std::string formatDateStamp(const LocalDateTime& time);

// The treatment for the rows of the current case: each row's own number and BD value, in order,
// leaving out the rows the analysis added (automatic) and every joined symptom.
Treatment makeTreatment(Windows1252View comment, std::span<const CaseSymptom> caseRows,
                        const LocalDateTime& now, const Prescription& prescription = {});
// Appends the treatment to the case called name, or to a new case at the end.
void fileTreatment(CaseHistory& history, Windows1252View name, Windows1252View comment,
                   std::span<const CaseSymptom> caseRows, const LocalDateTime& now,
                   const Prescription& prescription = {});

// What merging added to a history.
struct MergeCounts {
    std::size_t addedTreatments = 0;
    std::size_t skippedTreatments = 0; // already there
    std::size_t newCases = 0;
};

// The treatments of imported join the cases of the same name (as findCase finds them), after those
// already there; a treatment with the same stamp and the same entries as one there is skipped,
// whatever its comment. A name not yet in history becomes a new case at the end.
MergeCounts mergeHistory(CaseHistory& history, const CaseHistory& imported);

// False when the indexes name no entry. A case keeps existing when its last treatment goes.
bool removeTreatment(CaseHistory& history, std::size_t caseIndex, std::size_t treatmentIndex);
bool removeCase(CaseHistory& history, std::size_t caseIndex);

// Negative when a is older than b, 0 when equal, positive when newer: year, month, day, hour and
// minute read as integers from their places in the stamp.
int compareDateStamps(std::string_view a, std::string_view b);
// By date: newest last treatment first, cases without treatments last. By name: ascending,
// letter case folded. Stable: cases with equal keys keep their order.
void sortCases(CaseHistory& history, bool byName);

// The prescription on one line: "nux-v. C30 (abends)"; empty when nothing was recorded.
Windows1252Text prescriptionText(const Prescription& prescription);

// "dateStamp (comment)", each line break of the comment as one blank.
Windows1252Text treatmentLabel(const Treatment& treatment);

// What the history window hands back to the case input window.
struct TakeOverResult {
    Windows1252Text name;
    std::vector<SymptomRef> symptoms;
    friend bool operator==(const TakeOverResult&, const TakeOverResult&) = default;
};

// The case's name and the treatment's symptoms.
TakeOverResult takeOverTreatment(const HistoryCase& historyCase, const Treatment& treatment);
// The name and the first (earliest filed) treatment's symptoms; a case without treatments gives
// an empty name and no symptoms.
TakeOverResult takeOverCase(const HistoryCase& historyCase);

} // namespace telvarin
