#pragma once

// Command-line parsing shared by the commands of telvarin-repertory: options start with "--"
// and take a fixed number of values; every other word, -12 included, is an argument; "--" ends
// the options, so that anything after it is an argument.

#include "foundation/text/Windows1252Text.h"

#include <map>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace telvarin {

class RepertoryDatabase;

struct CliArguments {
    std::map<std::string, std::vector<std::string>> options; // "--file" -> its values
    std::vector<std::string> positional;
    std::string error; // German, empty on success

    bool has(const std::string& option) const { return options.count(option) != 0; }
    std::string value(const std::string& option, std::size_t i = 0) const;
};

// arity: option name ("--file") -> number of values it takes.
CliArguments parseCliArguments(std::span<const std::string> words, const std::map<std::string, int>& arity);

// What a command gets: the repertory it works on (the built-in one or --file) and the streams.
// Texts written to out are UTF-8.
struct CliContext {
    const RepertoryDatabase& db;
    std::ostream& out;
    std::ostream& err;
};

// A message of the core on the terminal, in its UTF-8, ending with exactly one line break.
void printMessage(Windows1252View message, std::ostream& err);

} // namespace telvarin
