#pragma once

// A search word as it is looked for in texts in capitals: "AE", "OE" and "UE" in the word also
// match "Ä", "Ö" and "Ü", so that a keyboard without umlauts finds them. Nothing else is folded:
// "A" never matches "Ä".

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

class SearchPattern {
public:
    // capitals: the word as searchWords gives it.
    explicit SearchPattern(std::string capitals);

    const std::string& text() const { return text_; }
    bool isEmpty() const { return text_.empty(); }
    // Whether the word holds "AE", "OE" or "UE" and so has more than one spelling.
    bool hasUmlautSpellings() const { return umlautPairs_ > 0; }
    // Every spelling, each pair written both ways: 2 to the power of the pairs. Only for a few
    // pairs, which a search looks for one spelling after another faster than for the pattern.
    int umlautPairs() const { return umlautPairs_; }
    std::vector<std::string> spellings() const;

    // The start of the first match at or after `from`, or npos.
    std::size_t find(std::string_view text, std::size_t from = 0) const;
    // Inline for the plain word: the index asks it for each of thousands of short runs.
    bool isFoundIn(std::string_view text) const {
        return (umlautPairs_ == 0 ? text.find(text_) : find(text)) != std::string_view::npos;
    }

private:
    // One step of the word: a byte, or a vowel that may be written with its umlaut instead of the
    // vowel and an "E".
    struct Step {
        char byte = 0;
        char umlaut = 0; // 0 for a plain byte
    };
    // The length of the match at `at`, or npos.
    std::size_t matchAt(std::string_view text, std::size_t at) const;

    std::string text_;
    std::vector<Step> steps_;
    int umlautPairs_ = 0;
    // The longest piece of plain bytes, found first; the steps before it take between
    // anchorMinOffset_ and anchorMaxOffset_ bytes of the text.
    std::string anchor_;
    std::size_t anchorMinOffset_ = 0;
    std::size_t anchorMaxOffset_ = 0;
};

} // namespace telvarin
