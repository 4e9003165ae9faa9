#pragma once

// The plain-text repertory source (format in data/README.md) and its compilation into the bytes
// of a repertory data file.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace telvarin {

struct RepertorySourceError {
    int line = 0;        // 1-based line of the source where the error was found; 0 for the whole source
    std::string message; // German, UTF-8
};

using RepertoryCompileResult = std::variant<std::vector<std::byte>, RepertorySourceError>;

// Source text (UTF-8) to the bytes of a data file (texts in Windows-1252).
RepertoryCompileResult compileRepertorySource(std::string_view sourceText);

} // namespace telvarin
