#pragma once

// The filed cases: each case a name and its treatments, each treatment a dated list of symptoms.
// Texts are Windows-1252 byte strings.

#include "analysis/CaseSymptom.h"

#include <cstdint>
#include <string>
#include <vector>

namespace telvarin {

struct Treatment {
    std::string dateStamp; // "dd.mm.yyyy hh:mm" when filed by the program; kept as read otherwise
    std::string comment;   // may hold line breaks (CR LF as the entry field delivers them)
    std::int32_t preferred = 0;
    std::vector<SymptomRef> symptoms;
    friend bool operator==(const Treatment&, const Treatment&) = default;
};

struct HistoryCase {
    std::string name;
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
