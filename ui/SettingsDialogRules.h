#pragma once

// The rules behind the settings dialog's fields, free of widgets: the start delay check, the font
// size taken from its text, the face chosen from a stored name, and the steps of the delay arrows.

#include <QString>
#include <QStringList>
#include <optional>

namespace telvarin {

inline constexpr int kMinimumStartDelay = 0;
inline constexpr int kMaximumStartDelay = 10;

// The choices of the size box, in their order; any other text may be typed.
QStringList fontSizeChoices();

// The start delay typed into its field, or the message that refuses it.
struct StartDelayCheck {
    std::optional<int> delay;
    QString message; // empty when the delay is accepted
};
StartDelayCheck checkStartDelay(const QString& text);

QString notAnIntegerMessage();
QString integerOutOfRangeMessage(int minimum, int maximum);

// The integer of the leading decimal digits after any leading blanks, 0 when there are none; a
// number too large for any font is taken as the largest table font height.
int fontSizeFromText(const QString& text);

// The first face whose name begins with the stored name, ignoring letter case; the first face when
// none does (an empty name therefore gives the first face); -1 for an empty list.
int faceIndexForName(const QStringList& faces, const QString& name);

// The delay shown after an arrow step: one up or down from the number in the field, kept between
// 0 and 10; text that is no number steps from 0.
int steppedStartDelay(const QString& text, int steps);

} // namespace telvarin
