#pragma once

// A reader for the part of JSON that repertory exchange files use: objects whose members keep the
// order of the file, and strings. Numbers, true, false, null and arrays are read and kept as
// "other" values, so that a file may carry members the importer does not need.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace telvarin {

struct JsonMember;

struct JsonValue {
    enum class Kind { String, Object, Other };
    Kind kind = Kind::Other;
    std::string text;                // a string's value, UTF-8
    std::vector<JsonMember> members; // an object's members in file order
    int line = 0;                    // where the value starts

    // Declared here and defined once JsonMember is complete.
    JsonValue();
    JsonValue(const JsonValue&);
    JsonValue(JsonValue&&) noexcept;
    JsonValue& operator=(const JsonValue&);
    JsonValue& operator=(JsonValue&&) noexcept;
    ~JsonValue();

    const JsonValue* member(std::string_view key) const;
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

struct JsonError {
    std::string message; // German, UTF-8, with line and column
};

std::variant<JsonValue, JsonError> parseJson(std::string_view text);

} // namespace telvarin
