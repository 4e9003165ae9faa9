#include "history/HistoryReader.h"

#include "foundation/text/CodePage.h"

#include <array>
#include <limits>

namespace telvarin {
namespace {

namespace tk = token_kind;

constexpr std::array<TokenTableEntry, 6> kHistoryOperators = {{
    {"\"", tk::String},
    {"=", tk::Equal},
    {"/", tk::Slash},
    {"<", tk::Less},
    {">", tk::Greater},
    {"", tk::TableEnd},
}};

// The fewest bytes each element can take in a file (no whitespace where none is needed, empty
// values); a count beyond inputSize / this cannot be true.
constexpr std::uint64_t kSmallestCase = sizeof("<Fall Name=\"\"AnzahlBehandlungen=\"\"></Fall>") - 1;
constexpr std::uint64_t kSmallestTreatment =
    sizeof("<Behandlung Datum=\"\"Kommentar=\"\"Preferiert=\"\"AnzahlSymptome=\"\"></Behandlung>") - 1;
constexpr std::uint64_t kSmallestSymptom = sizeof("<Symptom Nummer=\"\"/>") - 1;

// A value quoted in a message: a damaged file may hold megabytes in one.
constexpr std::size_t kQuotedValueLength = 60;

std::string quotedValue(std::string_view name, std::string_view value) {
    std::string quoted = std::string(name) + "=\"" + std::string(value.substr(0, kQuotedValueLength));
    if (value.size() > kQuotedValueLength)
        quoted += "\x85";
    return quoted + "\"";
}

bool isInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

class HistoryParser {
public:
    explicit HistoryParser(Tokenizer& tokenizer) : in_(tokenizer) {}

    std::vector<HistoryCase> parse() {
        in_.expect(tk::Less);
        in_.expectName("Fallhistorie");
        const std::size_t caseCount = count("AnzahlFaelle", kSmallestCase);
        in_.expect(tk::Greater);
        std::vector<HistoryCase> cases;
        cases.reserve(caseCount);
        for (std::size_t i = 0; i < caseCount; ++i)
            cases.push_back(readCase());
        endTag("Fallhistorie");
        // Two histories joined into one file read as the first; a filing would then write the
        // second away. Whatever follows the end is damage, as anything else the writer never wrote.
        in_.expect(tk::EndOfInput);
        return cases;
    }

private:
    HistoryCase readCase() {
        HistoryCase c;
        in_.expect(tk::Less);
        in_.expectName("Fall");
        c.name = Windows1252Text(attribute("Name"));
        const std::size_t treatmentCount = count("AnzahlBehandlungen", kSmallestTreatment);
        in_.expect(tk::Greater);
        c.treatments.reserve(treatmentCount);
        for (std::size_t i = 0; i < treatmentCount; ++i)
            c.treatments.push_back(readTreatment());
        endTag("Fall");
        return c;
    }

    Treatment readTreatment() {
        Treatment t;
        in_.expect(tk::Less);
        in_.expectName("Behandlung");
        t.dateStamp = attribute("Datum");
        t.comment = Windows1252Text(attribute("Kommentar"));
        t.preferred = number("Preferiert");
        const std::size_t symptomCount = count("AnzahlSymptome", kSmallestSymptom);
        if (in_.peekKind() == tk::Identifier) {
            t.prescription.remedy = Windows1252Text(attribute("Mittel"));
            t.prescription.potency = Windows1252Text(attribute("Potenz"));
            t.prescription.note = Windows1252Text(attribute("Notiz"));
        }
        in_.expect(tk::Greater);
        t.symptoms.reserve(symptomCount);
        for (std::size_t i = 0; i < symptomCount; ++i)
            t.symptoms.push_back(readSymptom());
        endTag("Behandlung");
        return t;
    }

    SymptomRef readSymptom() {
        SymptomRef s;
        in_.expect(tk::Less);
        in_.expectName("Symptom");
        s.number = number("Nummer");
        // BD, then the weight, each only where it is not the usual value.
        if (nextNameIs("BD"))
            s.bd = number("BD");
        if (in_.peekKind() == tk::Identifier)
            s.weight = number("Gewicht");
        in_.expect(tk::Slash);
        in_.expect(tk::Greater);
        return s;
    }

    // Whether the next token is the name, in any letter case; nothing is consumed.
    bool nextNameIs(std::string_view name) {
        Token token = in_.nextToken();
        const bool same =
            token.kind == tk::Identifier && toUpperWindows1252(token.text) == toUpperWindows1252(name);
        in_.pushBack(std::move(token));
        return same;
    }

    std::string attribute(std::string_view name) {
        in_.expectName(name);
        in_.expect(tk::Equal);
        return in_.expectText(tk::String);
    }

    // A number beyond 32 bits cannot have been written by the program; it is refused rather than
    // held at the range's end, which would turn it silently into another.
    std::int32_t number(std::string_view name) {
        const std::string text = attribute(name);
        const std::int64_t value = parseHistoryInteger(text);
        if (!isInt32(value))
            fail("Ung\xFCltige Zahl", name, text);
        return static_cast<std::int32_t>(value);
    }

    // A count is checked against the input's size before anything is reserved for it.
    std::size_t count(std::string_view name, std::uint64_t smallestElement) {
        const std::string text = attribute(name);
        const std::int64_t value = parseHistoryInteger(text);
        if (value < 0 || !isInt32(value))
            fail("Ung\xFCltige Anzahl", name, text);
        if (static_cast<std::uint64_t>(value) > in_.inputSize() / smallestElement)
            fail("Die Datei endet vorzeitig, vor so vielen Elementen", name, text);
        return static_cast<std::size_t>(value);
    }

    [[noreturn]] void fail(std::string_view what, std::string_view name, std::string_view value) const {
        throw TokenizerError(std::string(what) + " in Datei: " + utf8ToWindows1252(in_.fileName()) +
                             "\nZeile: " + std::to_string(in_.line()) + " Spalte: " +
                             std::to_string(in_.column()) + " " + quotedValue(name, value) + "\n");
    }

    void endTag(std::string_view name) {
        in_.expect(tk::Less);
        in_.expect(tk::Slash);
        in_.expectName(name);
        in_.expect(tk::Greater);
    }

    Tokenizer& in_;
};

} // namespace

TokenTable historyOperatorTable() {
    return kHistoryOperators;
}

std::vector<HistoryCase> readHistoryCases(Tokenizer& tokenizer) {
    return HistoryParser(tokenizer).parse();
}

std::vector<HistoryCase> readHistoryText(std::string text) {
    Tokenizer tokenizer = Tokenizer::fromString(std::move(text), {}, historyOperatorTable());
    return readHistoryCases(tokenizer);
}

std::int64_t parseHistoryInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 10 - 1;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < limit)
            value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

} // namespace telvarin
