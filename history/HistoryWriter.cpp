#include "history/HistoryWriter.h"

#include "foundation/text/Tokenizer.h"

#include <charconv>

namespace telvarin {
namespace {

class HistoryTextBuilder {
public:
    explicit HistoryTextBuilder(std::size_t expectedSize) { text_.reserve(expectedSize); }

    HistoryTextBuilder& raw(std::string_view bytes) {
        text_ += bytes;
        return *this;
    }
    // The file is written as text: every LF gets a CR in front, also inside names and comments.
    HistoryTextBuilder& value(std::string_view bytes) {
        const std::string escaped = escapeQuotes(bytes);
        for (char c : escaped) {
            if (c == '\n')
                text_ += '\r';
            text_ += c;
        }
        return *this;
    }
    // The file holds the texts as they are, in Windows-1252.
    HistoryTextBuilder& value(Windows1252View text) { return value(text.bytes()); }
    HistoryTextBuilder& number(long long n) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        text_.append(digits, end);
        return *this;
    }
    HistoryTextBuilder& endLine() { return raw("\r\n"); }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

std::size_t estimatedSize(const CaseHistory& history) {
    std::size_t size = 64;
    for (const HistoryCase& c : history.cases) {
        size += 48 + c.name.size();
        for (const Treatment& t : c.treatments)
            size += 112 + t.comment.size() + t.symptoms.size() * 40 + t.prescription.note.size();
    }
    return size;
}

} // namespace

std::string composeHistoryText(const CaseHistory& history) {
    HistoryTextBuilder out(estimatedSize(history));
    out.raw("<Fallhistorie AnzahlFaelle=\"")
        .number(static_cast<long long>(history.cases.size()))
        .raw("\">")
        .endLine();
    for (const HistoryCase& c : history.cases) {
        out.raw("\t<Fall Name=\"").value(c.name);
        out.raw("\" AnzahlBehandlungen=\"")
            .number(static_cast<long long>(c.treatments.size()))
            .raw("\">")
            .endLine();
        for (const Treatment& t : c.treatments) {
            // The stamp goes through the quote escaping too: one the program made has no quotes and
            // stays as it is, but a stamp read from an edited file could, and unescaped it would
            // end its value early and make the saved file unreadable.
            out.raw("\t\t<Behandlung Datum=\"").value(t.dateStamp);
            out.raw("\" Kommentar=\"").value(t.comment);
            out.raw("\" Preferiert=\"").number(t.preferred);
            out.raw("\" AnzahlSymptome=\"").number(static_cast<long long>(t.symptoms.size())).raw("\"");
            // The additions stand only where they hold something, so that a history without them
            // stays byte for byte what it always was.
            if (!t.prescription.empty()) {
                out.raw(" Mittel=\"").value(t.prescription.remedy);
                out.raw("\" Potenz=\"").value(t.prescription.potency);
                out.raw("\" Notiz=\"").value(t.prescription.note).raw("\"");
            }
            out.raw(">").endLine();
            for (const SymptomRef& s : t.symptoms) {
                out.raw("\t\t\t<Symptom Nummer=\"").number(s.number).raw("\"");
                if (s.bd != 0)
                    out.raw(" BD=\"").number(s.bd).raw("\"");
                if (s.weight != kUsualWeight)
                    out.raw(" Gewicht=\"").number(s.weight).raw("\"");
                out.raw("/>").endLine();
            }
            out.raw("\t\t</Behandlung>").endLine();
        }
        out.raw("\t</Fall>").endLine();
    }
    out.raw("</Fallhistorie>").endLine();
    return out.take();
}

} // namespace telvarin
