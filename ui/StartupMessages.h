#pragma once

#include <QString>

namespace telvarin {

// The text shown when the built-in repertory cannot be used; the program cannot work without it.
QString repertoryUnusableText(const QString& detail);

} // namespace telvarin
