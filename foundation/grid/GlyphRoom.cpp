#include "foundation/grid/GlyphRoom.h"

#include <QFontMetrics>
#include <algorithm>

namespace {

// Tall capitals of German and of the Latin names the repertories carry, and the deepest
// descenders; their ink box is what must fit.
constexpr char16_t kTallLetters[] = u"ÄÖÜÅÂÊÉÈÎÔÛ";
constexpr char16_t kDeepLetters[] = u"gjpqyÇ";

// The row keeps one pixel between the ink and the row's edge, as the style does for plain letters.
constexpr int kRowPadding = 2;

} // namespace

int glyphOvershoot(const QFont& font) {
    const QFontMetrics metrics(font);
    const QRect tall = metrics.boundingRect(QString::fromUtf16(kTallLetters));
    const QRect deep = metrics.boundingRect(QString::fromUtf16(kDeepLetters));
    const int above = -tall.top() - metrics.ascent();
    const int below = deep.bottom() + 1 - metrics.descent();
    return std::max({0, above, below});
}

int roomyLineHeight(const QFont& font) {
    return QFontMetrics(font).height() + 2 * glyphOvershoot(font);
}

QSize RoomyRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), roomyLineHeight(option.font) + kRowPadding));
    return size;
}
