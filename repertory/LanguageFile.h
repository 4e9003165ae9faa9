#pragma once

// The optional language file: one line per chapter name, section name and rubric text of the
// first chapters of the repertory, in tree order, replacing the English texts at start-up.

#include <array>
#include <cstddef>
#include <istream>
#include <string>

namespace telvarin {

class RepertoryDatabase;

inline constexpr const char* kLanguageFileName = "velmar.lang";
// Only these first chapters are translated; later chapters are never read from the file.
inline constexpr int kTranslatedChapterCount = 7;
inline constexpr std::size_t kLanguageBlockSize = 1000;

// Hands out the lines of a language file, read in blocks with one character of lookahead. A run of
// carriage returns counts as one; a line ends at CR LF, and also at a lone CR or LF so that a file
// saved with other line ends does not run its lines together. After the end of the file every
// further line is empty.
class LanguageLineReader {
public:
    explicit LanguageLineReader(std::istream& input);

    // False when the file held no byte at all.
    bool hasContent() const { return hasContent_; }
    bool atEnd() const { return atEnd_; }

    // The next line without its line end, cut to maxLength characters and at a NUL byte, since the
    // text field it goes into holds no more. The rest of a longer line is skipped.
    std::string readLine(std::size_t maxLength);

private:
    char takeChar();
    void advance();
    bool fillBlock();
    bool nextRawByte(char& byte);
    bool peekRawByte(char& byte);

    std::istream& input_;
    std::array<char, kLanguageBlockSize> block_{};
    std::size_t blockSize_ = 0;
    std::size_t blockPos_ = 0;
    char lookahead_ = '\0';
    bool atEnd_ = false;
    bool hasContent_ = false;
};

// The number of lines a complete language file has for this repertory.
int languageLineCount(const RepertoryDatabase& database);

// Replaces the texts of the first chapters with the lines of the input; records after the last
// line get empty texts. Nothing changes for an empty input. True when texts were replaced.
bool applyLanguageTexts(RepertoryDatabase& database, std::istream& input);

// The same for a file; a missing or unreadable file changes nothing and is not reported.
bool applyLanguageFile(RepertoryDatabase& database, const std::string& path = kLanguageFileName);

} // namespace telvarin
