#pragma once

// "Siehe: Stein" in the context menu of a rubric whose text refers to other words
// ("Kloßgefühl (siehe: Stein)"): the entry opens the text search for those words.

#include <QString>
#include <functional>
#include <string_view>

class QMenu;

namespace telvarin {

using OpenTextSearch = std::function<void(const QString& words)>;

// One entry per reference in the Windows-1252 rubric text; nothing without a reference or a
// handler.
void addCrossReferenceEntries(QMenu& menu, std::string_view rubricText, const OpenTextSearch& open);

} // namespace telvarin
