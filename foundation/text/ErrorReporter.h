#pragma once

// The way an error report of the core reaches the user: the program shows a message box with an
// OK button, the command-line tool prints the text, tests record it.

#include <string>

namespace telvarin {

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // text is Windows-1252 and may hold line breaks; returns the result of the message box.
    virtual int showError(const std::string& text) = 0;
};

} // namespace telvarin
