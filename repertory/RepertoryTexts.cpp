#include "repertory/RepertoryTexts.h"

#include "foundation/text/GermanOrder.h"
#include "repertory/RemedyEntry.h"

#include <algorithm>
#include <cctype>

namespace telvarin {
namespace {

bool inRange(const RepertoryDatabase& db, RubricNumber number) {
    return number != 0 && number >= -db.largestRubricNumber() && number <= db.largestRubricNumber();
}

int recordOf(RubricNumber number) {
    return (number < 0 ? -number : number) - 1;
}

} // namespace

Windows1252Text numberText(RubricNumber number, int bd) {
    return bd == 0 ? windows1252Number(number) : Windows1252Text();
}

Windows1252Text rubricText(const RepertoryDatabase& db, RubricNumber number) {
    if (!inRange(db, number))
        return {};
    const int index = recordOf(number);
    const std::string_view field = db.rubricTextField(index).bytes();
    std::string text;
    text.reserve(field.size() + 14); // " [" and a count of up to ten digits and "]"
    text += field;
    text += " [";
    text += std::to_string(db.rubric(index).entryCount);
    text += ']';
    return Windows1252Text(std::move(text));
}

namespace {

// The remedy list of a rubric in the order asked for; empty for no rubric.
std::vector<RemedyEntry> orderedRemedies(const RepertoryDatabase& db, RubricNumber number, int bd,
                                         RemedyListOrder order) {
    if (!inRange(db, number) || db.rubricIndex(number, bd) < 0)
        return {};
    const auto stored = db.remedyList(db.rubricIndex(number, bd));
    std::vector<RemedyEntry> entries(stored.begin(), stored.end());
    if (order == RemedyListOrder::ByGrade)
        std::stable_sort(entries.begin(), entries.end(), [&db](RemedyEntry a, RemedyEntry b) {
            if (gradeOf(a) != gradeOf(b))
                return gradeOf(a) > gradeOf(b);
            return compareGerman(db.remedyName(remedyOf(a)).bytes(), db.remedyName(remedyOf(b)).bytes()) < 0;
        });
    return entries;
}

void appendEscaped(std::string& html, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        default:
            html += c;
        }
    }
}

} // namespace

Windows1252Text remedyListHtml(const RepertoryDatabase& db, RubricNumber number, int bd,
                               RemedyListOrder order) {
    const std::vector<RemedyEntry> entries = orderedRemedies(db, number, bd, order);
    if (entries.empty())
        return {};
    constexpr std::size_t kPerRow = 5;
    std::string html = "<table cellspacing=\"0\" cellpadding=\"1\">";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i % kPerRow == 0)
            html += i == 0 ? "<tr>" : "</tr><tr>";
        const int grade = gradeOf(entries[i]);
        const bool classical = order == RemedyListOrder::ByGrade;
        const char* open = !classical ? "" : grade >= 3 ? "<b>" : grade == 2 ? "<i>" : "";
        const char* close = !classical ? "" : grade >= 3 ? "</b>" : grade == 2 ? "</i>" : "";
        html.append("<td style=\"padding-right:8px; white-space:nowrap\">").append(open);
        appendEscaped(html, db.remedyName(remedyOf(entries[i])).bytes());
        html.append("&nbsp;(").append(std::to_string(grade)).append(")").append(close).append("</td>");
    }
    html += "</tr></table>";
    return Windows1252Text(std::move(html));
}

Windows1252Text remedyListText(const RepertoryDatabase& db, RubricNumber number, int bd,
                               RemedyListOrder order) {
    const std::vector<RemedyEntry> entries = orderedRemedies(db, number, bd, order);
    constexpr std::size_t kNameWidth = 13;
    std::string text;
    text.reserve(entries.size() * (kNameWidth + 4) + entries.size() / 5 * 2);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string_view name = db.remedyName(remedyOf(entries[i])).bytes();
        text += name;
        if (name.size() < kNameWidth)
            text.append(kNameWidth - name.size(), ' ');
        text += '(';
        text += static_cast<char>('0' + gradeOf(entries[i]));
        text += ") ";
        if (i % 5 == 4 && i + 1 != entries.size())
            text += "\r\n";
    }
    return Windows1252Text(std::move(text));
}

Windows1252Text sectionHeading(const RepertoryDatabase& db, int rubricIndex) {
    const int section = db.sectionOfRubric(rubricIndex);
    if (section < 0)
        return {};
    return chapterNameOfSection(db, section) + " "_w1252 + db.sectionName(section);
}

Windows1252Text chapterNameOfSection(const RepertoryDatabase& db, int sectionIndex) {
    const int chapter = db.chapterOfSection(sectionIndex);
    return chapter < 0 ? Windows1252Text() : Windows1252Text(db.chapterName(chapter));
}

Windows1252Text remedyName(const RepertoryDatabase& db, int remedy) {
    if (remedy < 0 || remedy >= db.remedyCount())
        return {};
    return Windows1252Text(db.remedyName(remedy));
}

std::vector<Windows1252Text> crossReferences(Windows1252View rubricTextView) {
    const std::string_view rubricText = rubricTextView.bytes();
    constexpr std::string_view kMark = "(siehe:";
    std::vector<Windows1252Text> references;
    for (std::size_t at = 0; at + kMark.size() <= rubricText.size(); ++at) {
        const std::string_view candidate = rubricText.substr(at, kMark.size());
        const bool isMark = std::equal(candidate.begin(), candidate.end(), kMark.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == b;
        });
        if (!isMark)
            continue;
        const std::size_t start = at + kMark.size();
        const std::size_t end = rubricText.find(')', start);
        std::string words;
        for (const char c : rubricText.substr(start, end == std::string_view::npos ? end : end - start)) {
            if (c != ' ' || (!words.empty() && words.back() != ' '))
                words.push_back(c);
        }
        while (!words.empty() && words.back() == ' ')
            words.pop_back();
        if (!words.empty())
            references.emplace_back(std::move(words));
        at = end == std::string_view::npos ? rubricText.size() : end;
    }
    return references;
}

} // namespace telvarin
