// Turns the text source of a manual page into man(7) format at build time, so that the pages are
// written and reviewed as plain text. The source:
//
//   % NAME SECTION          first line: the page's title and section
//   # HEADING               a section; ## a subsection
//   : TERM                  a tagged paragraph; the lines below it, up to a blank line, describe TERM
//   - TEXT                  an item of a bulleted list
//       TEXT                four spaces: a line shown as it is (examples)
//   TEXT                    running text; a blank line ends a paragraph
//
// In running text **...** is bold and *...* italic. The output is plain ASCII: every other
// character becomes a groff escape, so that the page reads the same in any locale.
//
// Usage: man_page_from_text SOURCE OUTPUT VERSION DATE

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The code point of the UTF-8 sequence at text[i]; i is moved past it.
char32_t decodeUtf8(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size())
        throw SourceError("kein UTF-8");
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80)
            throw SourceError("kein UTF-8");
        code = (code << 6) | (next & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    return code;
}

// Text as groff shows it literally: backslashes and minus signs escaped, the rest ASCII.
std::string escaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t code = decodeUtf8(text, i);
        if (code == '\\') {
            out += "\\e";
        } else if (code == '-') {
            out += "\\-"; // options and commands are typed with this character, not a hyphen
        } else if (code >= 0x20 && code < 0x7F) {
            out += static_cast<char>(code);
        } else if (code == '\t') {
            out += ' ';
        } else {
            char name[16];
            std::snprintf(name, sizeof name, "\\[u%04X]", static_cast<unsigned>(code));
            out += name;
        }
    }
    return out;
}

// A line of running text with its **bold** and *italic* spans.
std::string formatted(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t mark = text.find('*', i);
        out += escaped(text.substr(i, mark == std::string_view::npos ? mark : mark - i));
        if (mark == std::string_view::npos)
            break;
        const bool bold = text.substr(mark, 2) == "**";
        const std::string_view marker = bold ? "**" : "*";
        const std::size_t start = mark + marker.size();
        const std::size_t end = text.find(marker, start);
        if (end == std::string_view::npos || end == start)
            throw SourceError(std::string("\"") + std::string(marker) +
                              "\" ohne Gegenstü"
                              "ck");
        out += bold ? "\\fB" : "\\fI";
        out += escaped(text.substr(start, end - start));
        out += "\\fR";
        i = end + marker.size();
    }
    // A line starting with a dot or an apostrophe would be taken as a request.
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string convert(std::istream& in, std::string_view version, std::string_view date) {
    std::ostringstream out;
    std::string line;
    int lineNumber = 0;
    bool literal = false;       // inside lines shown as they are
    bool paragraphOpen = false; // running text since the last break
    bool newParagraph = false;  // a blank line came before
    try {
        while (std::getline(in, line)) {
            ++lineNumber;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (lineNumber == 1) {
                std::istringstream title(line);
                std::string percent, name, section;
                if (!(title >> percent >> name >> section) || percent != "%")
                    throw SourceError("erste Zeile: \"% NAME ABSCHNITT\" erwartet");
                out << ".\\\" Generated from its text source; edit that instead.\n"
                    << ".TH " << escaped(name) << ' ' << section << " \"" << date << "\" \"Telvarin "
                    << version
                    << "\" \"Telvarin\"\n"
                    // German words broken by English hyphenation rules read badly; ragged right
                    // suits their length better than stretched spaces.
                    << ".nh\n.ad l\n";
                continue;
            }
            const bool literalLine = line.rfind("    ", 0) == 0;
            if (literal && !literalLine) {
                out << ".fi\n.RE\n";
                literal = false;
            }
            const std::string_view text = trimmed(line);
            if (text.empty()) {
                newParagraph = paragraphOpen;
                paragraphOpen = false;
            } else if (literalLine) {
                if (!literal)
                    out << ".PP\n.RS 4\n.nf\n";
                literal = true;
                out << "\\&" << escaped(std::string_view(line).substr(4)) << '\n';
                paragraphOpen = newParagraph = true;
            } else if (text.rfind("## ", 0) == 0) {
                out << ".SS \"" << escaped(trimmed(text.substr(3))) << "\"\n";
                paragraphOpen = newParagraph = false;
            } else if (text.rfind("# ", 0) == 0) {
                out << ".SH \"" << escaped(trimmed(text.substr(2))) << "\"\n";
                paragraphOpen = newParagraph = false;
            } else if (text.rfind(": ", 0) == 0) {
                out << ".TP\n" << formatted(trimmed(text.substr(2))) << '\n';
                paragraphOpen = true;
                newParagraph = false;
            } else if (text.rfind("- ", 0) == 0) {
                out << ".IP \\(bu 2\n" << formatted(trimmed(text.substr(2))) << '\n';
                paragraphOpen = true;
                newParagraph = false;
            } else {
                if (newParagraph)
                    out << ".PP\n";
                out << formatted(text) << '\n';
                paragraphOpen = true;
                newParagraph = false;
            }
        }
    } catch (const SourceError& error) {
        throw SourceError("Zeile " + std::to_string(lineNumber) + ": " + error.what());
    }
    if (lineNumber == 0)
        throw SourceError("leere Quelle");
    if (literal)
        out << ".fi\n.RE\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "Aufruf: man_page_from_text QUELLE ZIEL VERSION DATUM\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": kann nicht gelesen werden\n";
        return 1;
    }
    std::string page;
    try {
        page = convert(in, argv[3], argv[4]);
    } catch (const SourceError& error) {
        std::cerr << argv[1] << ": " << error.what() << '\n';
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << page;
    out.close();
    if (!out) {
        std::cerr << argv[2] << ": kann nicht geschrieben werden\n";
        return 1;
    }
    return 0;
}
