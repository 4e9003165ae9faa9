#pragma once

// The core's Windows-1252 byte strings as QString and back, for every window.

#include <QString>
#include <string>
#include <string_view>

namespace telvarin {

QString fromWindows1252(std::string_view bytes);
// Characters outside the code page become '?'.
std::string toWindows1252(const QString& text);
// German order (see GermanOrder.h), for tables and lists that sort their texts.
bool germanTextLess(const QString& a, const QString& b);

} // namespace telvarin
