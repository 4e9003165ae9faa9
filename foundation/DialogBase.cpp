#include "foundation/DialogBase.h"

#include "foundation/HelpViewer.h"
#include "foundation/IconPushButton.h"
#include "foundation/SettingsStore.h"
#include "foundation/WindowPersistence.h"

#include <QFontMetrics>
#include <QKeyEvent>

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

DialogBase::DialogBase(const QString& windowName, QSize templateSize, const DialogServices& services,
                       QWidget* parent)
    : QDialog(parent), windowName_(windowName), services_(services), baseUnits_(dialogBaseUnitsOf(font())),
      layout_(new DynamicLayout(this)) {
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
        messageBoxes().reportError(this, helpFailedText());
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

IconPushButton* DialogBase::addIconPushButton(const QRect& dialogUnits, const QString& caption,
                                              const QIcon& hotIcon, const QIcon& normalIcon) {
    return addControl<IconPushButton>(dialogUnits, caption, hotIcon, normalIcon);
}

IconPushButton* DialogBase::addIconPushButton(const QRect& dialogUnits, const QString& caption,
                                              const QString& hotIconPath, const QString& normalIconPath) {
    return addIconPushButton(dialogUnits, caption, QIcon(hotIconPath), QIcon(normalIconPath));
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
