#pragma once

// The reader of the history file: exactly the token sequence the writer produces, with free
// whitespace between tokens and names in any letter case.

#include "foundation/text/Tokenizer.h"
#include "history/CaseHistory.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

// Operators of the history file: the quote (a string value), "=", "/", "<" and ">".
TokenTable historyOperatorTable();

// Reads every case from a tokenizer made with historyOperatorTable() and no keywords. Throws
// SyntaxError on a syntax error and TokenizerError for a count that is negative or more
// than the input could hold (nothing is allocated for it) and for a number beyond 32 bits. The
// messages quote at most 60 characters of a value.
std::vector<HistoryCase> readHistoryCases(Tokenizer& tokenizer);
// The same over a text in memory.
std::vector<HistoryCase> readHistoryText(std::string text);

// The standard text-to-integer conversion: leading whitespace, optional sign, digits up to the
// first other character; no digits give 0. Values beyond the range are held at its ends.
std::int64_t parseHistoryInteger(std::string_view text);

} // namespace telvarin
