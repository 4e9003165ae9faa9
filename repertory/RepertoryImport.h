#pragma once

// Import of a repertory from an open exchange format into the bytes of a data file, checked with
// the loader before anything is handed back. Formats: "json" (a folder with index.json and one
// file per chapter) and "tsv" (one line per remedy entry); both are described in data/README.md.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace telvarin {

struct ImportedRepertory {
    std::vector<std::byte> bytes; // a valid data file
    int cutTexts = 0;             // texts longer than their field, cut at a word with "..."
};

struct RepertoryImportError {
    std::string message; // German, UTF-8, names the file and the line or key
};

using RepertoryImportResult = std::variant<ImportedRepertory, RepertoryImportError>;

// The json folder form.
RepertoryImportResult importJsonRepertory(const std::string& folder);
// The tsv form from its text; fileName only names the source in messages.
RepertoryImportResult importTsvRepertory(std::string_view text, std::string_view fileName);
RepertoryImportResult importTsvFile(const std::string& path);

} // namespace telvarin
