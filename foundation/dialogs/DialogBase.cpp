#include "foundation/dialogs/DialogBase.h"

#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/WindowPlacement.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/settings/WindowPersistence.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <algorithm>

namespace telvarin {

namespace {

// value * numerator / denominator rounded half away from zero, in 64 bits.
int mulDiv(int value, int numerator, int denominator) {
    const qint64 product = static_cast<qint64>(value) * numerator;
    const qint64 half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

} // namespace

DialogBaseUnits dialogBaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabetWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(alphabetWidth / 26 + 1) / 2, metrics.height()};
}

QRect dialogUnitsToPixels(const QRect& dialogUnits, DialogBaseUnits baseUnits) {
    const int left = mulDiv(dialogUnits.x(), baseUnits.x, 4);
    const int right = mulDiv(dialogUnits.x() + dialogUnits.width(), baseUnits.x, 4);
    const int top = mulDiv(dialogUnits.y(), baseUnits.y, 8);
    const int bottom = mulDiv(dialogUnits.y() + dialogUnits.height(), baseUnits.y, 8);
    return QRect(left, top, right - left, bottom - top);
}

QSize dialogUnitsToPixels(const QSize& dialogUnits, DialogBaseUnits baseUnits) {
    return {mulDiv(dialogUnits.width(), baseUnits.x, 4), mulDiv(dialogUnits.height(), baseUnits.y, 8)};
}

QFont fontFittingTemplate(const QFont& font, QSize templateSize, QSize room) {
    constexpr qreal kSmallestPoints = 6.0;
    constexpr qreal kStep = 0.5;
    QFont fitted = font;
    const auto fits = [&](const QFont& candidate) {
        const QSize pixels = dialogUnitsToPixels(templateSize, dialogBaseUnitsOf(candidate));
        return pixels.width() <= room.width() && pixels.height() <= room.height();
    };
    if (room.isEmpty() || fitted.pointSizeF() <= 0 || fits(fitted))
        return font;
    while (fitted.pointSizeF() - kStep >= kSmallestPoints && !fits(fitted))
        fitted.setPointSizeF(fitted.pointSizeF() - kStep);
    return fitted;
}

void widenToCaption(QWidget& control, int rightEdge) {
    const qint64 room = static_cast<qint64>(rightEdge) - control.x();
    const int wanted = static_cast<int>(std::min<qint64>(control.sizeHint().width(), room));
    control.resize(std::max(control.width(), wanted), control.height());
}

namespace {

QFont dialogFontFor(const QWidget& dialog, QSize templateSize, const QWidget* parent) {
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return dialog.font();
    const QSize room = screen->availableGeometry().marginsRemoved(expectedFrameMargins(dialog)).size();
    return fontFittingTemplate(dialog.font(), templateSize, room);
}

} // namespace

DialogBase::DialogBase(const QString& windowName, QSize templateSize, const DialogServices& services,
                       QWidget* parent)
    : QDialog(parent), windowName_(windowName), services_(services), layout_(new DynamicLayout(this)) {
    if (const QFont fitting = dialogFontFor(*this, templateSize, parent); fitting != font())
        setFont(fitting);
    baseUnits_ = dialogBaseUnitsOf(font());
    resize(dialogUnitsToPixels(templateSize, baseUnits_));
}

DialogBase::~DialogBase() = default;

bool DialogBase::restorePlacement() {
    if (services_.settings == nullptr)
        return false;
    return restoreWindowPlacement(*services_.settings, placementSection(windowName_), *this, false);
}

bool DialogBase::savePlacement() {
    if (services_.settings == nullptr)
        return false;
    return saveWindowPlacement(*services_.settings, placementSection(windowName_), *this, *layout_);
}

void DialogBase::showHelp(int topic) {
    if (services_.help == nullptr) {
        messageBoxes().reportError(this, HelpViewer::failedText());
        return;
    }
    services_.help->showHelpTopic(topic, this);
}

void DialogBase::placeControl(QWidget* control, const QRect& dialogUnits) {
    if (control == nullptr)
        return;
    if (control->parentWidget() != this)
        control->setParent(this);
    control->setGeometry(pixelRect(dialogUnits));
}

void DialogBase::keepGroupFramesClear() {
    const QList<QWidget*> controls = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QGroupBox* group : findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
        const QRect area = group->geometry();
        // The frame line lies about the contents' top; a pixel of air below it.
        const int clear = area.top() + group->contentsRect().top() + 2;
        int highest = clear;
        for (QWidget* control : controls) {
            const bool indicator = qobject_cast<QCheckBox*>(control) != nullptr ||
                                   qobject_cast<QRadioButton*>(control) != nullptr;
            if (!indicator || control->isHidden() || !area.contains(control->geometry().center()))
                continue;
            const int drawn = control->style()->pixelMetric(qobject_cast<QRadioButton*>(control) != nullptr
                                                                ? QStyle::PM_ExclusiveIndicatorHeight
                                                                : QStyle::PM_IndicatorHeight,
                                                            nullptr, control);
            highest = std::min(highest, control->y() + (control->height() - drawn) / 2);
        }
        if (highest < clear)
            group->setGeometry(area.adjusted(0, highest - clear, 0, 0));
    }
}

IconPushButton* DialogBase::addIconPushButton(const QRect& dialogUnits, const QString& caption,
                                              const QIcon& hotIcon, const QIcon& normalIcon) {
    return addControl<IconPushButton>(dialogUnits, caption, hotIcon, normalIcon);
}

IconPushButton* DialogBase::addIconPushButton(const QRect& dialogUnits, const QString& caption,
                                              const IconPair& pictures) {
    return addIconPushButton(dialogUnits, caption, QIcon(pictures.hover), QIcon(pictures.normal));
}

IconPushButton* DialogBase::IconButtonRow::add(const QString& caption, const IconPair& pictures) {
    IconPushButton* button = dialog_.addIconPushButton(next_, caption, pictures);
    next_.translate(orientation_ == Qt::Horizontal ? QPoint(kSize.width(), 0) : QPoint(0, kSize.height()));
    return button;
}

void DialogBase::showEvent(QShowEvent* event) {
    if (event->spontaneous()) {
        QDialog::showEvent(event);
        return;
    }
    // A window shown again reopens in its normal state where the user left it, neither centred
    // anew over its owner nor maximised with its normal rectangle lost (the window system forgets
    // it when a maximised window is hidden).
    if (shownBefore_) {
        if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
            setWindowState(Qt::WindowNoState);
        if (hiddenNormalRect_.isValid())
            setGeometry(hiddenNormalRect_);
        setAttribute(Qt::WA_Moved, true);
    }
    QDialog::showEvent(event);
    fitWindowOnScreen(*this);
    shownBefore_ = true;
    fittedInItsFrame_ = false;
}

bool DialogBase::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    // On showing, the frame is a guess (the first window has no framed one to go by); a thicker
    // real one, as a scaled screen draws it, would push the bottom edge off the screen.
    if (event->type() == QEvent::WindowActivate && !fittedInItsFrame_ && isVisible()) {
        fittedInItsFrame_ = true;
        fitWindowOnScreen(*this);
    }
    return handled;
}

void DialogBase::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        hiddenNormalRect_ = normalGeometry().isValid() ? normalGeometry() : geometry();
    QDialog::hideEvent(event);
}

void DialogBase::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier && helpTopic_ > 0) {
        showHelp(helpTopic_);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace telvarin
