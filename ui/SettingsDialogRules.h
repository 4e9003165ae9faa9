#pragma once

// The rules behind the settings dialog's fields, free of widgets: the start delay check, the font
// size taken from its text, the face chosen from a stored name, the steps of the delay arrows, the
// repertories offered and the practice folders accepted.

#include "repertory/RepertoryChoice.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

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

// One entry of the repertory box: what it shows and the value "Repertorium" it stands for.
struct RepertoryEntry {
    QString label;
    QString value; // a data file's path, or "eingebaut"
    bool operator==(const RepertoryEntry&) const = default;
};

QString builtinRepertoryLabel();
QString ownRepertoryFileLabel();

// The data files found, by name (the file's name where no info file names it), then the built-in
// repertory; a stored file that is none of them comes first, so that it stays choosable.
QList<RepertoryEntry> repertoryEntries(const std::vector<RepertoryFile>& found, const QString& stored);
// The entry of the repertory the stored value asks for; with nothing stored the shipped one where it
// was found, else the built-in one.
int repertoryEntryIndex(const QList<RepertoryEntry>& entries, const QString& stored,
                        const std::vector<std::string>& shippedFiles);

// Why a data file cannot be chosen (the loader's reason), or the empty text.
QString repertoryFileRefusal(const QString& path);
// Why a folder cannot become the practice folder, naming it, or the empty text.
QString practiceFolderRefusal(const QString& folder, const QString& homeFolder);

} // namespace telvarin
