#pragma once

// A table-driven tokenizer over a string of Windows-1252 bytes or one read block by block. The client chooses
// the keywords and the operators; syntax errors are thrown as SyntaxError.

#include "foundation/text/TokenizerExceptions.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace telvarin {

using TokenKind = std::int32_t;

namespace token_kind {
inline constexpr TokenKind EndOfInput = 0;
inline constexpr TokenKind Nothing = -1; // internal, never returned
inline constexpr TokenKind TableEnd = -2;
inline constexpr TokenKind Integer = -10;
inline constexpr TokenKind Float = -11;
inline constexpr TokenKind Identifier = -12;
inline constexpr TokenKind String = -13;
inline constexpr TokenKind CommentStart = -14;
inline constexpr TokenKind CommentEnd = -15;
inline constexpr TokenKind LineComment = -16;
inline constexpr TokenKind ParenOpen = -100;
inline constexpr TokenKind ParenClose = -101;
inline constexpr TokenKind BracketOpen = -102;
inline constexpr TokenKind BracketClose = -103;
inline constexpr TokenKind BraceOpen = -104;
inline constexpr TokenKind BraceClose = -105;
inline constexpr TokenKind Comma = -106;
inline constexpr TokenKind Equal = -107;
inline constexpr TokenKind NotEqual = -108;
inline constexpr TokenKind Greater = -109;
inline constexpr TokenKind Less = -110;
inline constexpr TokenKind GreaterEqual = -111;
inline constexpr TokenKind LessEqual = -112;
inline constexpr TokenKind Plus = -113;
inline constexpr TokenKind Minus = -114;
inline constexpr TokenKind Slash = -115;
inline constexpr TokenKind Star = -116;
inline constexpr TokenKind Hash = -117;
inline constexpr TokenKind Tilde = -118;
inline constexpr TokenKind Percent = -119;
inline constexpr TokenKind Dollar = -120;
inline constexpr TokenKind Ampersand = -121;
inline constexpr TokenKind Question = -122;
inline constexpr TokenKind Semicolon = -123;
inline constexpr TokenKind Colon = -124;
inline constexpr TokenKind Assign = -125;
} // namespace token_kind

// "Dateiende", "Integer", "IDS_String", the operator text, or "Token " + number for client kinds.
std::string tokenKindDisplayName(TokenKind kind);

// Character classes, one word per byte value.
namespace char_class {
inline constexpr std::uint16_t Upper = 1;
inline constexpr std::uint16_t Lower = 2;
inline constexpr std::uint16_t Digit = 4;
inline constexpr std::uint16_t Space = 8;
inline constexpr std::uint16_t Punctuation = 16;
inline constexpr std::uint16_t Control = 32;
inline constexpr std::uint16_t Blank = 64;
inline constexpr std::uint16_t NameExtra = 128;
} // namespace char_class

std::uint16_t characterClass(unsigned char byte);

// Apostrophe to ".'", then double quote to ".''"; the text unchanged when it holds neither.
std::string escapeQuotes(std::string_view text);
// The exact inverse: ".''" to double quote, then ".'" to apostrophe.
std::string unescapeQuotes(std::string_view text);

// A keyword or operator. A table may end with an entry of kind token_kind::TableEnd; nothing after
// that entry is read.
struct TokenTableEntry {
    std::string_view text;
    TokenKind kind;
};
using TokenTable = std::span<const TokenTableEntry>;

struct Token {
    TokenKind kind = token_kind::EndOfInput;
    std::string text; // a string without its quotes, already unescaped
    int line = 1;     // reading position right after the token
    int column = -1;
};

class Tokenizer {
public:
    static constexpr std::size_t kDefaultBlockSize = 64 * 1024;

    // Reads the next bytes of the input, at most size of them; fewer only at its end, 0 there.
    using BlockReader = std::function<std::size_t(char* into, std::size_t size)>;

    // Input read block by block, of inputSize bytes when it was opened (a file, whose name the
    // syntax errors give). Throws UnreadableFileError (error number -1) when it is empty.
    static Tokenizer fromReader(std::string fileName, BlockReader read, std::uint64_t inputSize,
                                TokenTable keywords, TokenTable operators,
                                std::size_t blockSize = kDefaultBlockSize);
    static Tokenizer fromString(std::string text, TokenTable keywords, TokenTable operators);

    Token nextToken();
    // At most two tokens may be pending; they come back last in, first out.
    void pushBack(Token token);
    TokenKind peekKind();
    // The following three throw SyntaxError when the token does not fit.
    Token expect(TokenKind kind);
    std::string expectText(TokenKind kind);
    // An identifier equal to name without regard to letter case; returns it as written.
    std::string expectName(std::string_view name);

    int line() const { return line_; }
    int column() const { return column_; }
    const std::string& fileName() const { return fileName_; }
    // Bytes of the whole input: the file's size when it was opened, or the string's length.
    std::uint64_t inputSize() const { return inputSize_; }
    void setSignedNumbers(bool on) { signedNumbers_ = on; }

private:
    Tokenizer(TokenTable keywords, TokenTable operators);

    int nextByte();
    int peekByte();
    bool refill();
    void fetchLookAhead();
    char readChar();
    template <typename Plain>
    void appendRun(std::string& text, Plain plain);
    void skipWhitespace();
    Token takePending();
    Token readSignificantToken();
    void readToken(Token& token);
    TokenKind readTokenText(std::string& text);
    std::string readNumber(char first);
    std::string readStringBody();
    bool readOperator(char first, TokenKind& kind, std::string& text);
    [[noreturn]] void throwSyntaxError(TokenKind expected, int errorCode, bool endedEarly = false) const;

    BlockReader read_;
    std::uint64_t bytesRead_ = 0;
    std::size_t blockSize_ = kDefaultBlockSize;
    std::string buffer_;
    std::size_t position_ = 0;
    std::uint64_t inputSize_ = 0;
    std::string fileName_;

    char lookAhead_ = 0;
    bool atEnd_ = false;
    int line_ = 1;
    int column_ = -1;
    bool signedNumbers_ = true;

    std::unordered_map<std::string, TokenKind> keywords_; // keys in lower case
    struct TwoCharOperator {
        char first;
        char second;
        TokenKind kind;
    };
    std::vector<TwoCharOperator> pairOperators_;
    std::array<bool, 256> startsPairOperator_{};
    std::array<bool, 256> isSingleOperator_{};
    std::array<TokenKind, 256> singleOperatorKind_{};
    std::vector<Token> pending_;
};

} // namespace telvarin
