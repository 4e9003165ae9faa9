#include "repertory/LanguageFile.h"

#include "foundation/files/Utf8Paths.h"
#include "repertory/RepertoryDatabase.h"

#include <algorithm>
#include <fstream>

namespace telvarin {

namespace {

enum class TextField { ChapterName, SectionName, RubricText };

// Every record the file covers, in the order of its lines: a chapter name, then each of its
// sections' names followed by that section's rubric texts. The bounds are clamped so that a
// database with odd bounds can never be indexed outside its tables.
template <typename Visit>
void forEachTranslatedRecord(const RepertoryDatabase& database, Visit visit) {
    const int chapters = std::min(kTranslatedChapterCount, database.chapterCount());
    int sectionBegin = 0;
    int rubricBegin = 0;
    for (int chapter = 0; chapter < chapters; ++chapter) {
        visit(TextField::ChapterName, chapter);
        const int sectionEnd =
            std::clamp(database.sectionEnd(chapter), sectionBegin, database.sectionCount());
        for (int section = sectionBegin; section < sectionEnd; ++section) {
            visit(TextField::SectionName, section);
            const int rubricEnd =
                std::clamp(database.rubricEnd(section), rubricBegin, database.rubricCount());
            for (int rubric = rubricBegin; rubric < rubricEnd; ++rubric)
                visit(TextField::RubricText, rubric);
            rubricBegin = rubricEnd;
        }
        sectionBegin = sectionEnd;
    }
}

// The characters a field holds before its terminating NUL.
std::size_t textCapacity(TextField field) {
    switch (field) {
    case TextField::ChapterName:
        return kChapterNameSize - 1;
    case TextField::SectionName:
        return kSectionNameSize - 1;
    case TextField::RubricText:
        return kRubricTextSize - 1;
    }
    return 0;
}

} // namespace

LanguageLineReader::LanguageLineReader(std::istream& input) : input_(input) {
    hasContent_ = fillBlock();
    if (hasContent_)
        advance();
    else
        atEnd_ = true;
}

std::string LanguageLineReader::readLine(std::size_t maxLength) {
    std::string line;
    bool cut = false;
    while (!atEnd_ && lookahead_ != '\r' && lookahead_ != '\n') {
        const char c = takeChar();
        // A NUL would end the text in its field; whatever follows it is not part of the text.
        if (c == '\0')
            cut = true;
        if (!cut && line.size() < maxLength)
            line += c;
    }
    if (!atEnd_ && lookahead_ == '\r')
        takeChar();
    if (!atEnd_ && lookahead_ == '\n')
        takeChar();
    return line;
}

char LanguageLineReader::takeChar() {
    const char c = lookahead_;
    if (!atEnd_)
        advance();
    return c;
}

void LanguageLineReader::advance() {
    char byte = '\0';
    if (!nextRawByte(byte)) {
        lookahead_ = '\0';
        atEnd_ = true;
        return;
    }
    if (byte == '\r') {
        char next = '\0';
        while (peekRawByte(next) && next == '\r')
            nextRawByte(next);
    }
    lookahead_ = byte;
}

bool LanguageLineReader::fillBlock() {
    blockPos_ = 0;
    blockSize_ = 0;
    if (!input_)
        return false;
    input_.read(block_.data(), static_cast<std::streamsize>(block_.size()));
    blockSize_ = static_cast<std::size_t>(std::max<std::streamsize>(input_.gcount(), 0));
    return blockSize_ > 0;
}

bool LanguageLineReader::nextRawByte(char& byte) {
    if (!peekRawByte(byte))
        return false;
    ++blockPos_;
    return true;
}

bool LanguageLineReader::peekRawByte(char& byte) {
    if (blockPos_ == blockSize_ && !fillBlock())
        return false;
    byte = block_[blockPos_];
    return true;
}

int languageLineCount(const RepertoryDatabase& database) {
    int count = 0;
    forEachTranslatedRecord(database, [&count](TextField, int) { ++count; });
    return count;
}

bool applyLanguageTexts(RepertoryDatabase& database, std::istream& input) {
    LanguageLineReader reader(input);
    if (!reader.hasContent())
        return false;
    forEachTranslatedRecord(database, [&](TextField field, int index) {
        const Windows1252Text line(reader.readLine(textCapacity(field)));
        switch (field) {
        case TextField::ChapterName:
            database.replaceChapterName(index, line);
            break;
        case TextField::SectionName:
            database.replaceSectionName(index, line);
            break;
        case TextField::RubricText:
            database.replaceRubricText(index, line);
            break;
        }
    });
    return true;
}

bool applyLanguageFile(RepertoryDatabase& database, const std::string& path) {
    std::ifstream input(pathFromUtf8(path), std::ios::binary);
    if (!input.is_open())
        return false;
    return applyLanguageTexts(database, input);
}

} // namespace telvarin
