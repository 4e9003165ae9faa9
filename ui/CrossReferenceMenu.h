#pragma once

// "Siehe: Stein" in the context menu of a rubric whose text refers to other words
// ("Kloßgefühl (siehe: Stein)"): the entry opens the text search for those words.

#include "foundation/text/Windows1252Text.h"

#include <QString>
#include <functional>

class QMenu;

namespace telvarin {

using OpenTextSearch = std::function<void(const QString& words)>;

// One entry per reference in the Windows-1252 rubric text; nothing without a reference or a
// handler.
void addCrossReferenceEntries(QMenu& menu, Windows1252View rubricText, const OpenTextSearch& open);

} // namespace telvarin
