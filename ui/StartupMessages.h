#pragma once

#include <QString>

namespace telvarin {

// The text shown when the built-in repertory cannot be used; the program cannot work without it.
QString repertoryUnusableText(const QString& detail);

// The text shown when a repertory file cannot be used: the loader's reason, and the repertory the
// program goes on with (usedName; empty for the built-in one).
QString ownRepertoryUnusableText(const QString& path, const QString& detail, const QString& usedName = {});

} // namespace telvarin
