#include "foundation/text/QtCodePage.h"

#include "foundation/text/CodePage.h"
#include "foundation/text/GermanOrder.h"

#include <array>

namespace telvarin {

QString fromWindows1252(Windows1252View windows1252) {
    const std::string_view bytes = windows1252.bytes();
    // Tables of thousands of rows convert their texts on every search, so this stays a plain
    // table look-up into a string of the final size.
    static const std::array<char16_t, 256> kUnits = [] {
        std::array<char16_t, 256> units{};
        for (int b = 0; b < 256; ++b)
            units[static_cast<std::size_t>(b)] =
                static_cast<char16_t>(codePointOfWindows1252(static_cast<unsigned char>(b)));
        return units;
    }();
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char c : bytes)
        *out++ = kUnits[static_cast<unsigned char>(c)];
    return text;
}

Windows1252Text toWindows1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        bytes += static_cast<char>(windows1252OfCodePoint(c.unicode()));
    return Windows1252Text(std::move(bytes));
}

std::string toFilePath(const QString& path) {
    return path.toStdString();
}

QString fromFilePath(std::string_view path) {
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

bool germanTextLess(const QString& a, const QString& b) {
    return germanLess(toWindows1252(a).bytes(), toWindows1252(b).bytes());
}

} // namespace telvarin
