#pragma once

#include <QString>

namespace telvarin {

// The text shown when the built-in repertory cannot be used; the program cannot work without it.
QString repertoryUnusableText(const QString& detail);

// The text shown when the repertory file of the start directory cannot be used: the loader's
// reason, and that the program goes on with its built-in repertory.
QString ownRepertoryUnusableText(const QString& path, const QString& detail);

} // namespace telvarin
