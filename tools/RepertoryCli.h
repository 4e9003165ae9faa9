#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace telvarin {

// Runs one command of telvarin-repertory; returns the process exit code. builtin holds the
// embedded repertory, or nothing in the bootstrap tool that compiles it.
int runRepertoryCli(const std::vector<std::string>& words, std::optional<std::span<const std::byte>> builtin,
                    std::ostream& out, std::ostream& err);

// Writes a file the tool makes; false after telling err why it could not be written.
bool writeWholeFile(const std::string& path, std::span<const std::byte> bytes, std::ostream& err);

} // namespace telvarin
