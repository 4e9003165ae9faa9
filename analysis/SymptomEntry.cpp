#include "analysis/SymptomEntry.h"

#include "analysis/CaseSymptom.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace telvarin {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Leading white space, an optional sign, then digits; no digits give 0. Absurdly long digit
// runs saturate far outside the repertory instead of overflowing, so they stay invalid.
int leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t limit = 1'000'000'000;
    std::int64_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        if (value < limit)
            value = value * 10 + (text[i] - '0');
    if (value > limit)
        value = limit;
    return static_cast<int>(negative ? -value : value);
}

bool isLetter(char c, char lower) {
    return c == lower || c == lower - 'a' + 'A';
}

} // namespace

ParsedSymptom parseSymptomEntry(const RepertoryDatabase& db, std::string_view text) {
    ParsedSymptom parsed;
    parsed.number = leadingInteger(text);
    const std::size_t end = std::min(text.size(), text.find('\t'));
    for (std::size_t i = 1; i + 1 < end; ++i) {
        if (!isLetter(text[i], 'b') || !isLetter(text[i + 1], 'd'))
            continue;
        parsed.bd = i + 2 == end ? 1 : leadingInteger(text.substr(i + 2));
    }
    parsed.valid = db.isValidSymptom(parsed.number, parsed.bd);
    return parsed;
}

std::size_t unreadPartStart(std::string_view part) {
    const auto blanksFrom = [part](std::size_t i) {
        while (i < part.size() && isBlank(part[i]))
            ++i;
        return i;
    };
    const auto digitsFrom = [part](std::size_t i) {
        while (i < part.size() && isDigit(part[i]))
            ++i;
        return i;
    };
    std::size_t i = blanksFrom(0);
    if (i < part.size() && part[i] == '-')
        ++i;
    const std::size_t digits = i;
    i = digitsFrom(i);
    if (i == digits)
        return 0;
    i = blanksFrom(i);
    if (i + 1 < part.size() && isLetter(part[i], 'b') && isLetter(part[i + 1], 'd'))
        i = blanksFrom(digitsFrom(blanksFrom(i + 2)));
    return i;
}

WeightedEntry splitWeight(std::string_view text) {
    const std::size_t star = text.rfind('*');
    if (star == std::string_view::npos)
        return {text, kUsualWeight, true};
    std::string_view digits = text.substr(star + 1);
    while (!digits.empty() && isBlank(digits.front()))
        digits.remove_prefix(1);
    while (!digits.empty() && isBlank(digits.back()))
        digits.remove_suffix(1);
    const bool readable =
        digits.size() == 1 && digits[0] >= '0' + kLowestWeight && digits[0] <= '0' + kHighestWeight;
    return {text.substr(0, star), readable ? digits[0] - '0' : kUsualWeight, readable};
}

Windows1252Text weightSuffix(int weight) {
    return weight == kUsualWeight ? Windows1252Text() : "*"_w1252 + windows1252Number(weight);
}

std::vector<std::string_view> entryParts(std::string_view entry) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t plus = entry.find('+', start);
        parts.push_back(entry.substr(start, plus == std::string_view::npos ? plus : plus - start));
        if (plus == std::string_view::npos)
            return parts;
        start = plus + 1;
    }
}

std::vector<std::string> partsNamingNoRubric(const RepertoryDatabase& db, std::string_view entry) {
    std::vector<std::string> unknown;
    for (const std::string_view part : entryParts(entry)) {
        const RubricNumber number = parseSymptomEntry(db, part).number;
        if (number == 0 || std::abs(number) > db.largestRubricNumber())
            unknown.emplace_back(part);
    }
    return unknown;
}

} // namespace telvarin
