#pragma once

// A reader for the part of JSON that repertory exchange files use: objects whose members keep the
// order of the file, and strings. Numbers, true, false, null and arrays are read and kept as
// "other" values, so that a file may carry members the importer does not need.

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace telvarin {

struct JsonValue {
    enum class Kind { String, Object, Other };
    Kind kind = Kind::Other;
    std::string text;                                       // a string's value, UTF-8
    std::vector<std::pair<std::string, JsonValue>> members; // an object's members in file order
    int line = 0;                                           // where the value starts

    const JsonValue* member(std::string_view key) const;
};

struct JsonError {
    std::string message; // German, UTF-8, with line and column
};

std::variant<JsonValue, JsonError> parseJson(std::string_view text);

} // namespace telvarin
