#pragma once

// The core's Windows-1252 byte strings as QString and back, for every window.

#include "foundation/text/Windows1252Text.h"

#include <QString>
#include <string>
#include <string_view>

namespace telvarin {

QString fromWindows1252(Windows1252View text);
// For the messages of the history, the practice folder and the files, which are still plain
// strings of the code page.
inline QString fromWindows1252(std::string_view bytes) {
    return fromWindows1252(Windows1252View(bytes));
}
// Characters outside the code page become '?'.
Windows1252Text toWindows1252(const QString& text);
// File names between Qt and the core, which takes them as UTF-8 on every system (QFile::encodeName
// would give Windows' ANSI code page, which cannot spell every name).
std::string toFilePath(const QString& path);
QString fromFilePath(std::string_view path);
// German order (see GermanOrder.h), for tables and lists that sort their texts.
bool germanTextLess(const QString& a, const QString& b);

} // namespace telvarin
