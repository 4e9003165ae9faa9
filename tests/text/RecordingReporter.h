#pragma once

#include "foundation/text/ErrorReporter.h"

#include <string>
#include <vector>

namespace telvarin::testing {

// Keeps every error text shown instead of showing it.
struct RecordingReporter : ErrorReporter {
    std::vector<std::string> shown;
    int showError(Windows1252View text) override {
        shown.emplace_back(text.bytes());
        return 1;
    }
};

} // namespace telvarin::testing
