#pragma once

// A tokenizer's whole output as kinds and texts, for comparing with the tokens a text must give.

#include "foundation/text/Tokenizer.h"

#include <string>
#include <utility>
#include <vector>

namespace telvarin::testing {

// Every token up to and with the end of input.
inline std::vector<Token> allTokens(Tokenizer& tokenizer) {
    std::vector<Token> tokens;
    for (;;) {
        tokens.push_back(tokenizer.nextToken());
        if (tokens.back().kind == token_kind::EndOfInput)
            return tokens;
    }
}

inline std::vector<std::pair<TokenKind, std::string>> kindsAndTexts(const std::vector<Token>& tokens) {
    std::vector<std::pair<TokenKind, std::string>> out;
    for (const Token& t : tokens)
        out.emplace_back(t.kind, t.text);
    return out;
}

} // namespace telvarin::testing
