#include "repertory/JsonReader.h"

#include <optional>

namespace telvarin {
namespace {

constexpr int kMaxDepth = 64;

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::variant<JsonValue, JsonError> run() {
        if (text_.starts_with("\xEF\xBB\xBF"))
            pos_ = 3;
        JsonValue value;
        if (!parseValue(value, 0))
            return JsonError{error_};
        skipBlanks();
        if (pos_ != text_.size()) {
            fail("Text nach dem Ende des Dokuments");
            return JsonError{error_};
        }
        return value;
    }

private:
    bool fail(std::string_view what) {
        if (error_.empty()) {
            const std::size_t lineStart = text_.rfind('\n', pos_ == 0 ? 0 : pos_ - 1);
            const std::size_t column =
                lineStart == std::string_view::npos || pos_ == 0 ? pos_ + 1 : pos_ - lineStart;
            error_ = "Zeile " + std::to_string(line_) + ", Spalte " + std::to_string(column) + ": " +
                     std::string(what);
        }
        return false;
    }

    void skipBlanks() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n')
                ++line_;
            else if (c != ' ' && c != '\t' && c != '\r')
                return;
            ++pos_;
        }
    }

    bool expect(char c) {
        skipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != c)
            return fail(std::string("\"") + c + "\" erwartet");
        ++pos_;
        return true;
    }

    bool parseValue(JsonValue& value, int depth) {
        if (depth > kMaxDepth)
            return fail("zu tief verschachtelt");
        skipBlanks();
        if (pos_ >= text_.size())
            return fail("Wert erwartet, Dateiende gefunden");
        value.line = line_;
        const char c = text_[pos_];
        if (c == '{')
            return parseObject(value, depth);
        if (c == '"') {
            value.kind = JsonValue::Kind::String;
            return parseString(value.text);
        }
        value.kind = JsonValue::Kind::Other;
        if (c == '[')
            return parseArray(depth);
        return parseScalar();
    }

    bool parseObject(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Object;
        ++pos_;
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            return true;
        }
        while (true) {
            skipBlanks();
            if (pos_ >= text_.size() || text_[pos_] != '"')
                return fail("Schlüssel in \"\" erwartet");
            std::string key;
            if (!parseString(key) || !expect(':'))
                return false;
            JsonValue member;
            if (!parseValue(member, depth + 1))
                return false;
            value.members.push_back(JsonMember{std::move(key), std::move(member)});
            skipBlanks();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            return expect('}');
        }
    }

    bool parseArray(int depth) {
        ++pos_;
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ']') {
            ++pos_;
            return true;
        }
        while (true) {
            JsonValue element;
            if (!parseValue(element, depth + 1))
                return false;
            skipBlanks();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            return expect(']');
        }
    }

    bool parseScalar() {
        for (const std::string_view word : {"true", "false", "null"}) {
            if (text_.substr(pos_).starts_with(word)) {
                pos_ += word.size();
                return true;
            }
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() &&
               std::string_view("+-.0123456789eE").find(text_[pos_]) != std::string_view::npos)
            ++pos_;
        if (pos_ == start)
            return fail("Wert erwartet");
        return true;
    }

    std::optional<unsigned> hex4() {
        if (pos_ + 4 > text_.size())
            return std::nullopt;
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[pos_++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<unsigned>(c - 'A' + 10);
            else
                return std::nullopt;
        }
        return value;
    }

    static void appendUtf8(std::string& out, char32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    bool parseString(std::string& out) {
        ++pos_; // the opening quote
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c == '\n')
                return fail("Zeilenende in einer Zeichenkette");
            if (c != '\\') {
                out += c;
                ++pos_;
                continue;
            }
            if (++pos_ >= text_.size())
                break;
            const char escaped = text_[pos_++];
            switch (escaped) {
            case '"':
            case '\\':
            case '/':
                out += escaped;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                std::optional<unsigned> unit = hex4();
                if (!unit)
                    return fail("ungültiges \\u-Zeichen");
                char32_t cp = *unit;
                if (cp >= 0xD800 && cp <= 0xDBFF && text_.substr(pos_).starts_with("\\u")) {
                    pos_ += 2;
                    const std::optional<unsigned> low = hex4();
                    if (!low || *low < 0xDC00 || *low > 0xDFFF)
                        return fail("ungültiges Ersatzzeichenpaar");
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (*low - 0xDC00);
                } else if (cp >= 0xD800 && cp <= 0xDFFF) {
                    return fail("ungültiges Ersatzzeichenpaar");
                }
                appendUtf8(out, cp);
                break;
            }
            default:
                return fail("unbekannte Escape-Folge");
            }
        }
        return fail("Zeichenkette nicht abgeschlossen");
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::string error_;
};

} // namespace

JsonValue::JsonValue() = default;
JsonValue::JsonValue(const JsonValue&) = default;
JsonValue::JsonValue(JsonValue&&) noexcept = default;
JsonValue& JsonValue::operator=(const JsonValue&) = default;
JsonValue& JsonValue::operator=(JsonValue&&) noexcept = default;
JsonValue::~JsonValue() = default;

const JsonValue* JsonValue::member(std::string_view key) const {
    for (const auto& [name, value] : members) {
        if (name == key)
            return &value;
    }
    return nullptr;
}

std::variant<JsonValue, JsonError> parseJson(std::string_view text) {
    return Parser(text).run();
}

} // namespace telvarin
