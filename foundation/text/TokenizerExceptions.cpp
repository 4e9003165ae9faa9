#include "foundation/text/TokenizerExceptions.h"

#include "foundation/text/CodePage.h"
#include "foundation/text/ErrorReporter.h"
#include "foundation/text/Tokenizer.h"

namespace telvarin {
namespace {

// File names are native (UTF-8) paths; the messages are Windows-1252 like every text of the core.
std::string fileNameForMessage(const std::string& fileName) {
    return utf8ToWindows1252(fileName);
}

std::string fileErrorMessage(const std::string& fileName, int errorNumber) {
    return " Dateifehler : " + fileNameForMessage(fileName) + " Fehler : " + std::to_string(errorNumber);
}

std::string syntaxErrorMessage(int errorCode, const std::string& fileName, std::int32_t expectedKind,
                               int column, int line, bool endedEarly) {
    if (errorCode != SyntaxError::kFileSource && errorCode != SyntaxError::kStringSource)
        return "Unbekannter Fehler";
    return "Syntax Error in Datei: " + fileNameForMessage(fileName) + "\n" +
           "Zeile: " + std::to_string(line) + " Spalte: " + std::to_string(column) +
           " Erwartet: " + tokenKindDisplayName(expectedKind) + "\n" +
           (endedEarly ? "Die Datei endet vorzeitig.\n" : "");
}

} // namespace

int TokenizerError::report(ErrorReporter& reporter) {
    if (!reported_ && toUpperWindows1252(message_) != "?") {
        boxResult_ = reporter.showError(Windows1252Text("Fehler:\n" + message_));
        reported_ = true;
    }
    return boxResult_;
}

UnreadableFileError::UnreadableFileError(std::string fileName, int errorNumber)
    : TokenizerError(fileErrorMessage(fileName, errorNumber)), fileName_(std::move(fileName)),
      errorNumber_(errorNumber) {}

SyntaxError::SyntaxError(int errorCode, std::string fileName, std::int32_t expectedKind, int column, int line,
                         bool endedEarly)
    : TokenizerError(syntaxErrorMessage(errorCode, fileName, expectedKind, column, line, endedEarly)),
      errorCode_(errorCode), fileName_(std::move(fileName)), expectedKind_(expectedKind), column_(column),
      line_(line) {}

} // namespace telvarin
