#include "foundation/text/Tokenizer.h"

#include "foundation/text/CodePage.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace telvarin {
namespace {

constexpr std::array<std::uint16_t, 256> makeCharacterClasses() {
    std::array<std::uint16_t, 256> classes{};
    for (int b = 0; b < 256; ++b) {
        std::uint16_t c = 0;
        if (b <= 31 || b == 127)
            c |= char_class::Control;
        if ((b >= 9 && b <= 13) || b == ' ')
            c |= char_class::Space;
        if (b == ' ')
            c |= char_class::Blank;
        if (b >= 'A' && b <= 'Z')
            c |= char_class::Upper;
        else if (b >= 'a' && b <= 'z')
            c |= char_class::Lower;
        else if (b >= '0' && b <= '9')
            c |= char_class::Digit;
        else if (b > ' ' && b < 127)
            c |= char_class::Punctuation;
        if (b == '_' || b == '~')
            c |= char_class::NameExtra;
        if (b == 0xC4 || b == 0xD6 || b == 0xDC) // Ä Ö Ü
            c |= char_class::Upper;
        if (b == 0xDF || b == 0xE4 || b == 0xF6 || b == 0xFC) // ß ä ö ü
            c |= char_class::Lower;
        classes[static_cast<std::size_t>(b)] = c;
    }
    return classes;
}

constexpr std::array<std::uint16_t, 256> kCharacterClasses = makeCharacterClasses();

bool hasClass(char c, std::uint16_t mask) {
    return (kCharacterClasses[static_cast<unsigned char>(c)] & mask) != 0;
}
bool isDigit(char c) {
    return hasClass(c, char_class::Digit);
}
bool isSpace(char c) {
    return hasClass(c, char_class::Space);
}
bool startsIdentifier(char c) {
    return hasClass(c, char_class::Upper | char_class::Lower | char_class::NameExtra);
}
bool continuesIdentifier(char c) {
    return c == '.' ||
           hasClass(c, char_class::Upper | char_class::Lower | char_class::Digit | char_class::NameExtra);
}

char toLowerKeywordByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || b == 0xC4 || b == 0xD6 || b == 0xDC)
        return static_cast<char>(b + 0x20);
    return c;
}

std::string toLowerKeyword(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = toLowerKeywordByte(c);
    return lower;
}

// Lines and columns stop at the largest int: a file of hundreds of megabytes of tabs must not
// overflow the counter.
int advanced(int position, std::size_t by) {
    constexpr auto largest = static_cast<std::size_t>(std::numeric_limits<int>::max());
    if (position < 0) // the column before the first character
        return by == 0 ? position : advanced(0, by - 1);
    return by >= largest - static_cast<std::size_t>(position) ? static_cast<int>(largest)
                                                              : position + static_cast<int>(by);
}

bool isTableEnd(const TokenTableEntry& entry) {
    return entry.kind == token_kind::TableEnd;
}

constexpr std::array<std::string_view, 26> kOperatorNames = {
    "(", ")", "[", "]", "{", "}", ",", "=", "<>", ">", "<", ">=", "<=",
    "+", "-", "/", "*", "#", "~", "%", "$", "&",  "?", ";", ":",  ":=",
};

} // namespace

std::string tokenKindDisplayName(TokenKind kind) {
    switch (kind) {
    case token_kind::EndOfInput:
        return "Dateiende";
    case token_kind::Nothing:
        return "???";
    case token_kind::Integer:
        return "Integer";
    case token_kind::Float:
        return "IDS_Float";
    case token_kind::Identifier:
        return "IDS_Identifier";
    case token_kind::String:
        return "IDS_String";
    case token_kind::CommentStart:
        return "IDS_Kommentar";
    case token_kind::CommentEnd:
        return "*/";
    case token_kind::LineComment:
        return "//";
    default:
        break;
    }
    if (kind <= token_kind::ParenOpen && kind >= token_kind::Assign)
        return std::string(kOperatorNames[static_cast<std::size_t>(token_kind::ParenOpen - kind)]);
    return "Token " + std::to_string(kind);
}

std::uint16_t characterClass(unsigned char byte) {
    return kCharacterClasses[byte];
}

std::string escapeQuotes(std::string_view text) {
    if (text.find_first_of("'\"") == std::string_view::npos)
        return std::string(text);
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\'')
            escaped += ".'";
        else if (c == '"')
            escaped += ".''";
        else
            escaped += c;
    }
    return escaped;
}

std::string unescapeQuotes(std::string_view text) {
    if (text.find('\'') == std::string_view::npos)
        return std::string(text);
    // One pass gives the same result as the two passes (".''" first, then ".'"): a replaced
    // sequence never forms a new one with its neighbours.
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '.' && i + 1 < text.size() && text[i + 1] == '\'') {
            if (i + 2 < text.size() && text[i + 2] == '\'') {
                plain += '"';
                i += 3;
            } else {
                plain += '\'';
                i += 2;
            }
        } else {
            plain += text[i++];
        }
    }
    return plain;
}

Tokenizer::Tokenizer(TokenTable keywords, TokenTable operators) {
    for (const TokenTableEntry& entry : keywords) {
        if (isTableEnd(entry))
            break;
        keywords_.emplace(toLowerKeyword(entry.text), entry.kind);
    }
    for (const TokenTableEntry& entry : operators) {
        if (isTableEnd(entry))
            break;
        if (entry.text.size() == 1) {
            const auto b = static_cast<unsigned char>(entry.text[0]);
            isSingleOperator_[b] = true;
            singleOperatorKind_[b] = entry.kind;
        } else if (entry.text.size() == 2) {
            pairOperators_.push_back({entry.text[0], entry.text[1], entry.kind});
            startsPairOperator_[static_cast<unsigned char>(entry.text[0])] = true;
        }
    }
}

Tokenizer Tokenizer::fromReader(std::string fileName, BlockReader read, std::uint64_t inputSize,
                                TokenTable keywords, TokenTable operators, std::size_t blockSize) {
    Tokenizer tokenizer(keywords, operators);
    tokenizer.fileName_ = std::move(fileName);
    tokenizer.blockSize_ = blockSize == 0 ? 1 : blockSize;
    tokenizer.read_ = std::move(read);
    tokenizer.inputSize_ = inputSize;
    if (!tokenizer.refill())
        throw UnreadableFileError(tokenizer.fileName_, -1);
    tokenizer.fetchLookAhead();
    return tokenizer;
}

Tokenizer Tokenizer::fromString(std::string text, TokenTable keywords, TokenTable operators) {
    Tokenizer tokenizer(keywords, operators);
    tokenizer.inputSize_ = text.size();
    tokenizer.buffer_ = std::move(text);
    tokenizer.fetchLookAhead();
    return tokenizer;
}

bool Tokenizer::refill() {
    if (!read_)
        return false;
    buffer_.resize(blockSize_);
    const std::size_t got = read_(buffer_.data(), blockSize_);
    buffer_.resize(got);
    position_ = 0;
    bytesRead_ += got;
    // A file that grew since it was opened must not slip past the counts checked against its size.
    inputSize_ = std::max(inputSize_, bytesRead_);
    return got != 0;
}

int Tokenizer::nextByte() {
    if (position_ == buffer_.size() && !refill())
        return -1;
    return static_cast<unsigned char>(buffer_[position_++]);
}

int Tokenizer::peekByte() {
    if (position_ == buffer_.size() && !refill())
        return -1;
    return static_cast<unsigned char>(buffer_[position_]);
}

void Tokenizer::fetchLookAhead() {
    int byte = nextByte();
    while (byte == '\r' && peekByte() == '\r')
        byte = nextByte();
    if (byte < 0) {
        atEnd_ = true;
        lookAhead_ = 0;
        return;
    }
    lookAhead_ = static_cast<char>(byte);
    if (byte == '\n') {
        line_ = advanced(line_, 1);
        column_ = 0;
    } else if (byte == '\t') {
        column_ = advanced(column_, 8);
    } else if (byte != '\r') {
        column_ = advanced(column_, 1);
    }
}

char Tokenizer::readChar() {
    const char c = lookAhead_;
    if (!atEnd_)
        fetchLookAhead();
    return c;
}

// Takes the look-ahead and every following byte of the current block that plain() accepts in one
// go; plain bytes must be ones that add 1 to the column (no tab, CR or LF).
template <typename Plain>
void Tokenizer::appendRun(std::string& text, Plain plain) {
    text += lookAhead_;
    std::size_t end = position_;
    while (end < buffer_.size() && plain(buffer_[end]))
        ++end;
    if (end > position_) {
        const std::size_t direct = end - position_ - 1; // the last one becomes the look-ahead
        text.append(buffer_, position_, direct);
        column_ = advanced(column_, direct);
        position_ += direct;
    }
    fetchLookAhead();
}

void Tokenizer::skipWhitespace() {
    while (!atEnd_ && isSpace(lookAhead_))
        readChar();
}

// Every token is built in the one object that is returned, never moved on its way out: a history
// file has millions of them, and each move copies the text.
Token Tokenizer::nextToken() {
    if (!pending_.empty())
        return takePending();
    return readSignificantToken();
}

Token Tokenizer::takePending() {
    Token token = std::move(pending_.back());
    pending_.pop_back();
    return token;
}

Token Tokenizer::readSignificantToken() {
    Token token;
    for (;;) {
        readToken(token);
        if (token.kind == token_kind::CommentStart) {
            while (token.kind != token_kind::CommentEnd && token.kind != token_kind::EndOfInput)
                readToken(token);
        } else if (token.kind != token_kind::LineComment) {
            return token;
        }
    }
}

void Tokenizer::readToken(Token& token) {
    std::string& text = token.text;
    text.clear();
    token.kind = readTokenText(text);
    token.line = line_;
    token.column = column_;
}

TokenKind Tokenizer::readTokenText(std::string& text) {
    skipWhitespace();
    if (atEnd_)
        return token_kind::EndOfInput;
    const char x = readChar();
    if (startsIdentifier(x)) {
        text += x;
        while (!atEnd_ && continuesIdentifier(lookAhead_))
            appendRun(text, continuesIdentifier);
        if (!keywords_.empty()) {
            const auto keyword = keywords_.find(toLowerKeyword(text));
            if (keyword != keywords_.end())
                return keyword->second;
        }
        return token_kind::Identifier;
    }
    if (isDigit(x) || x == '.' ||
        (signedNumbers_ && (x == '-' || x == '+') && !atEnd_ && isDigit(lookAhead_))) {
        text = readNumber(x);
        return text.find('.') == std::string::npos ? token_kind::Integer : token_kind::Float;
    }
    TokenKind kind = token_kind::Identifier;
    readOperator(x, kind, text);
    if (kind == token_kind::LineComment) {
        // Up to the line feed that ends the comment. Comparing line numbers would swallow the next
        // line after an empty comment: the line count moves on as soon as the line feed is the
        // look-ahead, which it already is right after "//".
        while (!atEnd_ && lookAhead_ != '\n')
            readChar();
        skipWhitespace();
    } else if (kind == token_kind::String) {
        text = readStringBody();
    }
    return kind;
}

bool Tokenizer::readOperator(char first, TokenKind& kind, std::string& text) {
    if (!atEnd_ && startsPairOperator_[static_cast<unsigned char>(first)]) {
        for (const TwoCharOperator& op : pairOperators_) {
            if (op.first == first && op.second == lookAhead_) {
                text = {first, readChar()};
                kind = op.kind;
                return true;
            }
        }
    }
    const auto b = static_cast<unsigned char>(first);
    if (isSingleOperator_[b]) {
        text.assign(1, first);
        kind = singleOperatorKind_[b];
        return true;
    }
    kind = token_kind::Identifier;
    text.clear();
    return false;
}

std::string Tokenizer::readNumber(char first) {
    std::string text;
    char x = first;
    if (x == '+' || x == '-') {
        text += x;
        x = readChar();
    }
    if (isDigit(x)) {
        text += x;
        while (!atEnd_ && isDigit(lookAhead_))
            text += readChar();
        if (atEnd_ || lookAhead_ != '.')
            return text;
        x = readChar();
    }
    if (x == '.') {
        text += '.';
        if (!atEnd_)
            text += readChar();
        while (!atEnd_ && isDigit(lookAhead_))
            text += readChar();
    }
    return text;
}

std::string Tokenizer::readStringBody() {
    std::string raw;
    const auto plain = [](char c) { return c != '"' && c != '\r' && c != '\n' && c != '\t'; };
    while (!atEnd_ && lookAhead_ != '"') {
        if (plain(lookAhead_))
            appendRun(raw, plain);
        else
            raw += readChar();
    }
    if (!atEnd_)
        readChar();
    return unescapeQuotes(raw);
}

void Tokenizer::pushBack(Token token) {
    if (pending_.size() >= 2)
        throw std::length_error("Tokenizer::pushBack: more than two pending tokens");
    pending_.push_back(std::move(token));
}

TokenKind Tokenizer::peekKind() {
    Token token = nextToken();
    const TokenKind kind = token.kind;
    pushBack(std::move(token));
    return kind;
}

void Tokenizer::throwSyntaxError(TokenKind expected, int errorCode, bool endedEarly) const {
    throw SyntaxError(errorCode, fileName_, expected, column_, line_, endedEarly);
}

Token Tokenizer::expect(TokenKind kind) {
    Token token = nextToken();
    if (token.kind != kind)
        throwSyntaxError(kind, fileName_.empty() ? SyntaxError::kStringSource : SyntaxError::kFileSource,
                         token.kind == token_kind::EndOfInput);
    return token;
}

std::string Tokenizer::expectText(TokenKind kind) {
    return expect(kind).text;
}

std::string Tokenizer::expectName(std::string_view name) {
    std::string text = expectText(token_kind::Identifier);
    const auto sameLetter = [](char a, char b) {
        return toUpperWindows1252(static_cast<unsigned char>(a)) ==
               toUpperWindows1252(static_cast<unsigned char>(b));
    };
    if (text != name && !std::equal(text.begin(), text.end(), name.begin(), name.end(), sameLetter)) {
        // A file cut off in the middle of a name ends right after the part that is left.
        const bool cutOff = text.size() < name.size() &&
                            std::equal(text.begin(), text.end(), name.begin(), sameLetter) &&
                            peekKind() == token_kind::EndOfInput;
        throwSyntaxError(token_kind::Identifier, SyntaxError::kFileSource, cutOff);
    }
    return text;
}

} // namespace telvarin
