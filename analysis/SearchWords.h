#pragma once

// The words of a text search, read from what the user typed: blanks separate words, a word in
// double quotes keeps its blanks, and a word that starts with "-" excludes instead of requiring.

#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

inline constexpr int kMaxSearchWords = 20;

// Capitals as the search compares texts: Windows-1252 capitals, each ß as SS.
std::string searchCapitals(std::string_view text);

struct SearchWord {
    std::string text;      // in capitals; empty words are found in every text
    bool excluded = false; // typed as "-word": a rubric holding it is left out
    friend bool operator==(const SearchWord&, const SearchWord&) = default;
};

// The words of a search text. Each of the first 20 blanks outside double quotes ends a word; with
// 20 blanks cut, the rest of the text replaces the 20th word. A word that starts with "-" and has
// more after it is an exclusion (a lone "-" and a "-" inside a word are plain text). Double quotes
// enclose text that keeps its blanks; within them two double quotes stand for one, and a quote
// left open runs to the end of the text.
std::vector<SearchWord> searchWords(std::string_view text);

} // namespace telvarin
