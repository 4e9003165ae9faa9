#include "analysis/SearchWords.h"

#include "foundation/text/CodePage.h"

namespace telvarin {
namespace {

constexpr char kSharpS = '\xDF';
constexpr char kQuote = '"';

// The text of one word as typed, its quotes taken away.
SearchWord readWord(std::string_view typed) {
    SearchWord word;
    if (typed.size() > 1 && typed.front() == '-') {
        word.excluded = true;
        typed.remove_prefix(1);
    }
    std::string plain;
    plain.reserve(typed.size());
    bool quoted = false;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c != kQuote) {
            plain += c;
        } else if (!quoted) {
            quoted = true;
        } else if (i + 1 < typed.size() && typed[i + 1] == kQuote) {
            plain += kQuote;
            ++i;
        } else {
            quoted = false;
        }
    }
    word.text = searchCapitals(plain);
    return word;
}

} // namespace

std::string searchCapitals(std::string_view text) {
    std::string capitals;
    capitals.reserve(text.size() + 2);
    for (const char c : text) {
        if (c == kSharpS)
            capitals += "SS";
        else
            capitals += static_cast<char>(toUpperWindows1252(static_cast<unsigned char>(c)));
    }
    return capitals;
}

std::vector<SearchWord> searchWords(std::string_view text) {
    std::vector<SearchWord> words;
    std::size_t start = 0;
    int blanksCut = 0;
    // Every quote opens or closes; two in a row inside quotes open and close again, which keeps
    // their blanks inside as well.
    bool quoted = false;
    for (std::size_t i = 0; i < text.size() && blanksCut < kMaxSearchWords; ++i) {
        if (text[i] == kQuote) {
            quoted = !quoted;
        } else if (text[i] == ' ' && !quoted) {
            words.push_back(readWord(text.substr(start, i - start)));
            start = i + 1;
            ++blanksCut;
        }
    }
    SearchWord rest = readWord(text.substr(start));
    if (blanksCut == kMaxSearchWords)
        words.back() = std::move(rest);
    else
        words.push_back(std::move(rest));
    return words;
}

} // namespace telvarin
