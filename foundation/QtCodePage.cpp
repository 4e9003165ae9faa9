#include "foundation/QtCodePage.h"

#include "foundation/CodePage.h"

namespace telvarin {

QString fromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes)
        text.append(QChar(static_cast<char16_t>(codePointOfWindows1252(static_cast<unsigned char>(c)))));
    return text;
}

std::string toWindows1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        bytes += static_cast<char>(windows1252OfCodePoint(c.unicode()));
    return bytes;
}

} // namespace telvarin
