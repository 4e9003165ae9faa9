#include "history/HistoryOperations.h"

#include "foundation/files/LocalTime.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/GermanOrder.h"
#include "foundation/text/LineBreaks.h"
#include "history/HistoryReader.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <utility>

namespace telvarin {
namespace {

bool namesEqual(Windows1252View first, Windows1252View second) {
    const std::string_view a = first.bytes();
    const std::string_view b = second.bytes();
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return toUpperWindows1252(static_cast<unsigned char>(x)) ==
                      toUpperWindows1252(static_cast<unsigned char>(y));
           });
}

template <typename History>
auto findCaseIn(History& history, Windows1252View name) -> decltype(&history.cases.front()) {
    for (auto& c : history.cases) {
        if (namesEqual(c.name, name))
            return &c;
    }
    return nullptr;
}

std::string_view field(std::string_view stamp, std::size_t start, std::size_t length) {
    if (start >= stamp.size())
        return {};
    return stamp.substr(start, length);
}

// The fields of a date stamp in the order they decide: year, month, day, hour, minute.
using StampFields = std::array<std::int64_t, 5>;

StampFields stampFields(std::string_view stamp) {
    struct Field {
        std::size_t start;
        std::size_t length;
    };
    constexpr Field fields[] = {{6, 4}, {3, 2}, {0, 2}, {11, 2}, {14, 2}};
    StampFields values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = parseHistoryInteger(field(stamp, fields[i].start, fields[i].length));
    return values;
}

// What a case is ordered by, computed once per case before sorting.
struct SortKey {
    bool hasTreatments = false;
    StampFields stamp{}; // of the last treatment
    std::string_view name;
    std::size_t index = 0;
};

} // namespace

std::string historyPathFor(std::string_view startDirectory, char separator) {
    while (!startDirectory.empty() && startDirectory.back() == separator)
        startDirectory.remove_suffix(1);
    std::string path(startDirectory);
    path += separator;
    path += kHistoryFileName;
    return path;
}

HistoryCase* findCase(CaseHistory& history, Windows1252View name) {
    return findCaseIn(history, name);
}
const HistoryCase* findCase(const CaseHistory& history, Windows1252View name) {
    return findCaseIn(history, name);
}

LocalDateTime currentLocalDateTime() {
    return localDateTimeOf(std::chrono::system_clock::now());
}

LocalDateTime localDateTimeOf(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    const std::tm local = localTimeOf(seconds);
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min};
}

std::string formatDateStamp(const LocalDateTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d", time.day, time.month, time.year, time.hour,
                  time.minute);
    return text;
}

Treatment makeTreatment(Windows1252View comment, std::span<const CaseSymptom> caseRows,
                        const LocalDateTime& now, const Prescription& prescription) {
    Treatment treatment;
    treatment.dateStamp = formatDateStamp(now);
    treatment.comment = Windows1252Text(comment);
    treatment.prescription = prescription;
    for (const CaseSymptom& row : caseRows) {
        if (!row.automatic)
            treatment.symptoms.push_back({row.number, row.bd, row.weight});
    }
    return treatment;
}

void fileTreatment(CaseHistory& history, Windows1252View name, Windows1252View comment,
                   std::span<const CaseSymptom> caseRows, const LocalDateTime& now,
                   const Prescription& prescription) {
    Treatment treatment = makeTreatment(comment, caseRows, now, prescription);
    if (HistoryCase* existing = findCase(history, name)) {
        existing->treatments.push_back(std::move(treatment));
        return;
    }
    HistoryCase added;
    added.name = Windows1252Text(name);
    added.treatments.push_back(std::move(treatment));
    history.cases.push_back(std::move(added));
}

MergeCounts mergeHistory(CaseHistory& history, const CaseHistory& imported) {
    MergeCounts counts;
    for (const HistoryCase& importedCase : imported.cases) {
        HistoryCase* target = findCase(history, importedCase.name);
        if (target == nullptr) {
            history.cases.push_back(HistoryCase{importedCase.name, {}});
            target = &history.cases.back();
            ++counts.newCases;
        }
        for (const Treatment& treatment : importedCase.treatments) {
            const bool present = std::any_of(
                target->treatments.begin(), target->treatments.end(), [&](const Treatment& there) {
                    return there.dateStamp == treatment.dateStamp && there.symptoms == treatment.symptoms;
                });
            if (present) {
                ++counts.skippedTreatments;
                continue;
            }
            target->treatments.push_back(treatment);
            ++counts.addedTreatments;
        }
    }
    return counts;
}

bool removeTreatment(CaseHistory& history, std::size_t caseIndex, std::size_t treatmentIndex) {
    if (caseIndex >= history.cases.size())
        return false;
    std::vector<Treatment>& treatments = history.cases[caseIndex].treatments;
    if (treatmentIndex >= treatments.size())
        return false;
    treatments.erase(treatments.begin() + static_cast<std::ptrdiff_t>(treatmentIndex));
    return true;
}

bool removeCase(CaseHistory& history, std::size_t caseIndex) {
    if (caseIndex >= history.cases.size())
        return false;
    history.cases.erase(history.cases.begin() + static_cast<std::ptrdiff_t>(caseIndex));
    return true;
}

int compareDateStamps(std::string_view a, std::string_view b) {
    const StampFields x = stampFields(a);
    const StampFields y = stampFields(b);
    return x < y ? -1 : (y < x ? 1 : 0);
}

void sortCases(CaseHistory& history, bool byName) {
    history.sortByName = byName;
    std::vector<SortKey> keys;
    keys.reserve(history.cases.size());
    for (std::size_t i = 0; i < history.cases.size(); ++i) {
        const HistoryCase& c = history.cases[i];
        SortKey key{!c.treatments.empty(), {}, {}, i};
        if (byName)
            key.name = c.name.bytes();
        else if (key.hasTreatments)
            key.stamp = stampFields(c.treatments.back().dateStamp);
        keys.push_back(std::move(key));
    }
    // Stable, so that cases with equal keys keep the order of the file; O(n log n) on any order.
    if (byName) {
        std::stable_sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
            // As a German index orders names: Ärmel, Becker, Öztürk, Zander.
            return compareGermanIgnoringCase(a.name, b.name) < 0;
        });
    } else {
        std::stable_sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
            if (a.hasTreatments != b.hasTreatments)
                return a.hasTreatments;
            return b.stamp < a.stamp; // newest first
        });
    }
    std::vector<HistoryCase> sorted;
    sorted.reserve(history.cases.size());
    for (const SortKey& key : keys)
        sorted.push_back(std::move(history.cases[key.index]));
    history.cases = std::move(sorted);
}

Windows1252Text prescriptionText(const Prescription& prescription) {
    Windows1252Text text = prescription.remedy;
    if (!prescription.potency.empty())
        text += (text.empty() ? ""_w1252 : " "_w1252) + prescription.potency;
    if (!prescription.note.empty())
        text += (text.empty() ? "("_w1252 : " ("_w1252) + oneLine(prescription.note) + ")"_w1252;
    return text;
}

Windows1252Text treatmentLabel(const Treatment& treatment) {
    // The stamp holds the history's bytes too: ASCII as the program writes it.
    return Windows1252Text(treatment.dateStamp) + " ("_w1252 + oneLine(treatment.comment) + ")"_w1252;
}

TakeOverResult takeOverTreatment(const HistoryCase& historyCase, const Treatment& treatment) {
    return {historyCase.name, treatment.symptoms};
}

TakeOverResult takeOverCase(const HistoryCase& historyCase) {
    if (historyCase.treatments.empty())
        return {};
    return takeOverTreatment(historyCase, historyCase.treatments.front());
}

} // namespace telvarin
