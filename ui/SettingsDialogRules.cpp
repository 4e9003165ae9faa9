#include "ui/SettingsDialogRules.h"

#include "foundation/settings/MainSettings.h"

#include <algorithm>

namespace telvarin {

QStringList fontSizeChoices() {
    return {QStringLiteral("6"),  QStringLiteral("8"),  QStringLiteral("10"), QStringLiteral("12"),
            QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20")};
}

QString notAnIntegerMessage() {
    return QStringLiteral("Please enter an integer.");
}

QString integerOutOfRangeMessage(int minimum, int maximum) {
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(minimum).arg(maximum);
}

StartDelayCheck checkStartDelay(const QString& text) {
    bool isInteger = false;
    const int delay = text.trimmed().toInt(&isInteger, 10);
    if (!isInteger)
        return {std::nullopt, notAnIntegerMessage()};
    if (delay < kMinimumStartDelay || delay > kMaximumStartDelay)
        return {std::nullopt, integerOutOfRangeMessage(kMinimumStartDelay, kMaximumStartDelay)};
    return {delay, QString()};
}

int fontSizeFromText(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    int size = 0;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
        size = size * 10 + (text[pos].unicode() - u'0');
        // Stop growing once past any usable height, so that no number of digits can overflow.
        if (size > TableFont::kMaximumPixelHeight)
            return TableFont::kMaximumPixelHeight;
    }
    return size;
}

int faceIndexForName(const QStringList& faces, const QString& name) {
    if (faces.isEmpty())
        return -1;
    const auto found = std::find_if(faces.begin(), faces.end(), [&name](const QString& face) {
        return face.startsWith(name, Qt::CaseInsensitive);
    });
    return found == faces.end() ? 0 : static_cast<int>(found - faces.begin());
}

int steppedStartDelay(const QString& text, int steps) {
    bool isInteger = false;
    const int current = text.trimmed().toInt(&isInteger, 10);
    const int from = isInteger ? std::clamp(current, kMinimumStartDelay, kMaximumStartDelay) : 0;
    return std::clamp(from + steps, kMinimumStartDelay, kMaximumStartDelay);
}

} // namespace telvarin
