#pragma once

// The tokenizer's errors. Each builds a German message (Windows-1252) and is reported to the user
// at most once, through an ErrorReporter.

#include <cstdint>
#include <exception>
#include <string>

namespace telvarin {

class ErrorReporter;

// An error in a text the tokenizer reads (the history file, an export file), with the German
// message the user sees.
class TokenizerError : public std::exception {
public:
    explicit TokenizerError(std::string message = "?") : message_(std::move(message)) {}

    const std::string& message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

    // Shows "Fehler:\n" + message once, unless the message is "?"; returns the box's result.
    int report(ErrorReporter& reporter);
    bool reported() const { return reported_; }

private:
    std::string message_;
    bool reported_ = false;
    int boxResult_ = 0;
};

// The file could not be opened, is no regular file or is empty.
class UnreadableFileError : public TokenizerError {
public:
    UnreadableFileError(std::string fileName, int errorNumber);

    const std::string& fileName() const { return fileName_; }
    int errorNumber() const { return errorNumber_; }

private:
    std::string fileName_;
    int errorNumber_;
};

// A syntax error: the token read was not of the expected kind.
class SyntaxError : public TokenizerError {
public:
    static constexpr int kFileSource = 1;
    static constexpr int kStringSource = 2;

    // endedEarly: the input ended where the expected token should have stood; the message says so.
    SyntaxError(int errorCode, std::string fileName, std::int32_t expectedKind, int column, int line,
                bool endedEarly = false);

    int errorCode() const { return errorCode_; }
    std::int32_t expectedKind() const { return expectedKind_; }
    int line() const { return line_; }
    int column() const { return column_; }

private:
    int errorCode_;
    std::string fileName_;
    std::int32_t expectedKind_;
    int column_;
    int line_;
};

} // namespace telvarin
