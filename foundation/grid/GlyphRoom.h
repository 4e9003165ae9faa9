#pragma once
// Room for the tallest letters of German text. Hinted fonts at small sizes draw the dots of
// "Ä", "Ö", "Ü" and the accents of capitals above the ascent the font reports, so a line exactly
// QFontMetrics::height() tall cuts them off; every row of a tree or table reserves this room.

#include <QStyledItemDelegate>

class QFont;

// Pixels the ink of capitals with dots or accents (above) and of descenders (below) reaches
// beyond the font's ascent and descent; zero for fonts whose metrics already cover them.
int glyphOvershoot(const QFont& font);

// The height of one text line with the overshoot on both sides, so that text centred in it keeps
// its dots and descenders.
int roomyLineHeight(const QFont& font);

// An item delegate whose rows are tall enough for capital umlauts, for trees and lists.
class RoomyRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
