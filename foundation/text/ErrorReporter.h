#pragma once

// The way an error report of the core reaches the user: the program shows a message box with an
// OK button, the command-line tool prints the text, tests record it.

#include "foundation/text/Windows1252Text.h"

namespace telvarin {

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // text may hold line breaks; returns the result of the message box.
    virtual int showError(Windows1252View text) = 0;
};

} // namespace telvarin
