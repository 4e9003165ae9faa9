#pragma once

#include "foundation/text/Windows1252Text.h"
#include "repertory/RepertoryDatabase.h"

#include <cstdint>
#include <vector>

namespace telvarin {

// How much a row counts in the analysis: 0 takes no part, 1 counts as a row always did, 2 to 4
// count its grades that many times.
inline constexpr std::int32_t kLowestWeight = 0;
inline constexpr std::int32_t kUsualWeight = 1;
inline constexpr std::int32_t kHighestWeight = 4;

// A rubric number with its BD value, as joined symptoms and filed treatments keep them. The
// weight is the row's; a joined symptom keeps the usual one.
struct SymptomRef {
    RubricNumber number = 0;
    std::int32_t bd = 0;
    std::int32_t weight = kUsualWeight;
    friend bool operator==(const SymptomRef&, const SymptomRef&) = default;
};

// What the case table shows for a row, made by the entry procedure from the repertory.
struct CaseRowTexts {
    Windows1252Text number;  // column "Nummer": the parts as entered, joined by " + "
    Windows1252Text symptom; // column "Symptom": rubricText of the main symptom
    Windows1252Text chapter; // column "Kapitel": sectionHeading of the main symptom
    Windows1252Text tip;     // tip of the "Symptom" cell: remedyListText of the main symptom
    // For a symptom whose rubric has a counter-pole: its rubricText and number, which the tip
    // names above the remedies; empty otherwise.
    Windows1252Text counterPole;
    Windows1252Text weight; // column "Gewicht": the weight's digit, empty for an empty row
    friend bool operator==(const CaseRowTexts&, const CaseRowTexts&) = default;
};

// One row of the case: what the analysis counts and what the case table shows. Rows made outside
// the entry procedure (filed cases, tests) leave the texts empty.
struct CaseSymptom {
    RubricNumber number = 0; // 0 empty row; -n the counter-polarity of rubric n
    std::int32_t bd = 0;
    bool automatic = false; // appended by the analysis as a counter-polarity, dropped afterwards
    // The chain of symptoms joined to this row with "+", in the order they were typed.
    std::vector<SymptomRef> next;
    std::int32_t weight = kUsualWeight;
    CaseRowTexts texts{};
};

// Slots of the case: the user fills at most kMaxCaseRows, the rest take counter-polarity rows.
inline constexpr int kCaseSlotCount = 6000;
inline constexpr int kMaxCaseRows = 3000;

// Setting PolaritätenHandhabung: when counter-polarity rows join the case.
enum class PolarityMode {
    ListImmediately = 0, // the entry procedure inserts them right after the symptom
    ListAtEnd = 1,       // the analysis appends them and drops them again afterwards
    None = 2,
};

} // namespace telvarin
