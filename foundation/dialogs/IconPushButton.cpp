#include "foundation/dialogs/IconPushButton.h"

#include "foundation/dialogs/FocusFrameStyle.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace telvarin {

namespace {

constexpr int kIconExtent = 32;
constexpr int kIconTextGap = 2;
constexpr int kSmallestIconExtent = 12;
// Clear of the focus frame, which lies just inside the button's outline.
constexpr int kCaptionMargin = 2 * kFocusFrameWidth + 1;

} // namespace

IconPushButton::IconPushButton(const QString& text, const QIcon& hotIcon, const QIcon& normalIcon,
                               QWidget* parent)
    : QPushButton(text, parent), hotIcon_(hotIcon), normalIcon_(normalIcon),
      naturalStretch_(font().stretch()) {
    setIconSize(QSize(kIconExtent, kIconExtent));
    connect(this, &QPushButton::pressed, this, &IconPushButton::updateIcon);
    connect(this, &QPushButton::released, this, &IconPushButton::updateIcon);
    updateIcon();
}

void IconPushButton::setIcons(const QIcon& hotIcon, const QIcon& normalIcon) {
    hotIcon_ = hotIcon;
    normalIcon_ = normalIcon;
    updateIcon();
}

bool IconPushButton::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
        hovered_ = true;
        updateIcon();
        break;
    case QEvent::Leave:
        hovered_ = false;
        updateIcon();
        break;
    case QEvent::Resize:
    case QEvent::FontChange:
    case QEvent::Polish:
        fitCaption();
        break;
    default:
        break;
    }
    return QPushButton::event(event);
}

void IconPushButton::updateIcon() {
    showsHot_ = hovered_ || isDown();
    setIcon(showsHot_ ? hotIcon_ : normalIcon_);
}

void IconPushButton::fitCaption() {
    QString shown = text();
    shown.remove(QLatin1Char('&'));
    QFont fitted = font();
    fitted.setStretch(naturalStretch_);
    const int available = width() - 2 * kCaptionMargin - 2;
    const int needed = QFontMetrics(fitted).horizontalAdvance(shown);
    // Set narrower rather than cut off: the buttons keep their template width, and some fonts
    // set "Übernehmen" wider than that.
    if (needed > available && needed > 0 && available > 0)
        fitted.setStretch(std::max<int>(QFont::UltraCondensed, available * 100 / needed));
    if (fitted.stretch() != font().stretch())
        setFont(fitted);
}

QSize IconPushButton::pictureSizeAboveText() const {
    // A button made smaller with its dialog (a small or highly scaled screen) draws a smaller
    // picture rather than one that covers the caption.
    const int textHeight = text().isEmpty() ? 0 : fontMetrics().height() + kIconTextGap;
    const int extent = std::min(iconSize().height(), height() - textHeight - 8);
    return extent >= kSmallestIconExtent ? QSize(extent, extent) : QSize();
}

bool IconPushButton::fitsIconAboveText() const {
    return pictureSizeAboveText().isValid();
}

void IconPushButton::paintEvent(QPaintEvent* event) {
    if (icon().isNull() || !fitsIconAboveText()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect content = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown()) {
        content.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    const QSize pictureSize = pictureSizeAboveText();
    const int textHeight = caption.isEmpty() ? 0 : fontMetrics().height();
    const int total = pictureSize.height() + (caption.isEmpty() ? 0 : kIconTextGap + textHeight);
    const int top = content.top() + (content.height() - total) / 2;
    const QRect pictureRect(content.center().x() - pictureSize.width() / 2, top, pictureSize.width(),
                            pictureSize.height());
    icon().paint(&painter, pictureRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    if (!caption.isEmpty()) {
        // The caption may use the whole width inside the frame, not only the style's content
        // rectangle: captions such as "Übernehmen" must stay whole on the narrow template buttons.
        const int available = width() - 2 * kCaptionMargin;
        const QRect textRect(kCaptionMargin, pictureRect.bottom() + 1 + kIconTextGap, available, textHeight);
        painter.drawItemText(textRect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                             isEnabled(), caption, QPalette::ButtonText);
    }
}

} // namespace telvarin
