#include "foundation/grid/GridSortKeys.h"

#include "foundation/text/QtCodePage.h"

#include <QStringList>
#include <algorithm>
#include <climits>
#include <numeric>

namespace telvarin {

int leadingInteger(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > std::int64_t{INT_MAX} + 1)
            value = std::int64_t{INT_MAX} + 1; // saturate, keep reading the digits
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

QString numericSortText(const QString& text) {
    const int value = leadingInteger(text);
    if (value > 0)
        return QString::asprintf("%07d", value);
    if (value < 0) // 64-bit so that the most negative values do not overflow
        return QStringLiteral("-") + QString::asprintf("%07lld", static_cast<long long>(value) + 1000000LL);
    return text;
}

std::string sortKeyBytes(const QString& sortText) {
    return toWindows1252(sortText).bytes();
}

namespace {

// Negative, zero or positive as a is before, equal to or after b.
int directed(int comparison, bool ascending) {
    return ascending ? comparison : -comparison;
}

int compareBytes(const std::string& a, const std::string& b) {
    const int c = a.compare(b); // char_traits<char>::compare compares as unsigned char
    return (c > 0) - (c < 0);
}

} // namespace

std::vector<int> columnOrderByKeys(const std::vector<ColumnSortKeys>& keys, bool useOtherRow,
                                   bool ascending) {
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const ColumnSortKeys& ka = keys[static_cast<std::size_t>(a)];
        const ColumnSortKeys& kb = keys[static_cast<std::size_t>(b)];
        int c = directed(compareBytes(ka.keyRow, kb.keyRow), ascending);
        if (c == 0 && useOtherRow)
            c = directed(compareBytes(ka.otherRow, kb.otherRow), ascending);
        if (c == 0)
            c = directed(compareBytes(ka.heading, kb.heading), !ascending);
        return c < 0;
    });
    return order;
}

std::vector<int> rowOrderByTexts(const std::vector<QString>& texts, bool ascending,
                                 const GridTextLess& less) {
    std::vector<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    if (less) {
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            const QString& ta = texts[static_cast<std::size_t>(a)];
            const QString& tb = texts[static_cast<std::size_t>(b)];
            return ascending ? less(ta, tb) : less(tb, ta);
        });
        return order;
    }
    std::vector<std::string> bytes;
    bytes.reserve(texts.size());
    for (const QString& t : texts)
        bytes.push_back(sortKeyBytes(t));
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return directed(compareBytes(bytes[static_cast<std::size_t>(a)], bytes[static_cast<std::size_t>(b)]),
                        ascending) < 0;
    });
    return order;
}

QString normalizedSearchText(const QString& text) {
    QString result = text.toUpper();
    result.remove(u'.');
    result.remove(u'-');
    result.remove(u' ');
    return result;
}

bool ColumnSearchBuffer::type(QChar character, std::int64_t nowMs) {
    const bool late = !typedBefore_ || (nowMs - lastMs_ + 500) / 1000 >= 4;
    if (late)
        text_.clear();
    text_.append(character);
    lastMs_ = nowMs;
    typedBefore_ = true;
    return late;
}

int findColumnByHeading(const std::function<QString(int)>& heading, int columnCount, int start,
                        const QString& search) {
    const QString wanted = normalizedSearchText(search);
    for (int col = std::max(start, 0); col < columnCount; ++col) {
        if (normalizedSearchText(heading(col)).startsWith(wanted))
            return col;
    }
    return -1;
}

std::vector<std::vector<QString>> splitPastedText(const QString& text) {
    std::vector<std::vector<QString>> lines;
    QStringList rawLines = text.split(u'\n');
    if (rawLines.size() > 1 && rawLines.back().isEmpty())
        rawLines.removeLast();
    for (const QString& line : rawLines) {
        std::vector<QString> cells;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= line.size(); ++i) {
            if (i == line.size() || line[i] == u'\t' || line[i] == u',') {
                cells.push_back(line.mid(start, i - start).trimmed());
                start = i + 1;
            }
        }
        lines.push_back(std::move(cells));
    }
    return lines;
}

} // namespace telvarin
