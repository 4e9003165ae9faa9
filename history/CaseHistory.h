#pragma once

// The filed cases: each case a name and its treatments, each treatment a dated list of symptoms.
// Texts are Windows-1252, as the history file holds them.

#include "analysis/CaseSymptom.h"
#include "foundation/text/Windows1252Text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace telvarin {

// What was prescribed after the repertorisation; all three are free text, empty when nothing
// was recorded.
struct Prescription {
    Windows1252Text remedy;  // an abbreviation of the ranking, or whatever was typed
    Windows1252Text potency; // "C30", "LM6", "D12", ...
    Windows1252Text note;
    bool empty() const { return remedy.empty() && potency.empty() && note.empty(); }
    friend bool operator==(const Prescription&, const Prescription&) = default;
};

struct Treatment {
    std::string dateStamp;   // "dd.mm.yyyy hh:mm" when filed by the program; kept as read otherwise
    Windows1252Text comment; // may hold line breaks (CR LF as the entry field delivers them)
    std::int32_t preferred = 0;
    std::vector<SymptomRef> symptoms;
    Prescription prescription{};
    friend bool operator==(const Treatment&, const Treatment&) = default;
};

struct HistoryCase {
    Windows1252Text name;
    std::vector<Treatment> treatments; // oldest first
    friend bool operator==(const HistoryCase&, const HistoryCase&) = default;
};

struct CaseHistory {
    std::vector<HistoryCase> cases; // file order
    bool sortByName = false;        // the order sortCases applies; never stored
    bool loaded = false;            // the last load read the whole file
    // The file exists and holds something, but could not be read. Nothing may be saved over it,
    // or the cases it holds would be lost.
    bool unreadable = false;
    std::string path; // where saveHistory writes
};

} // namespace telvarin
