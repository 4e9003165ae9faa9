#include "foundation/dialogs/DynamicLayout.h"

#include <QEvent>
#include <QSizeGrip>
#include <QWidget>
#include <algorithm>

namespace telvarin {

namespace {

constexpr int kSizeGripExtent = 24;

int shareOfGrowth(int growth, int percent) {
    // Truncates toward zero as integer division does; 64 bits because a growth can be as large as
    // the biggest widget Qt allows.
    return static_cast<int>(static_cast<qint64>(growth) * percent / 100);
}

} // namespace

AnchorPercentages anchorPercentagesOfCode(int code) {
    switch (code) {
    case 1:
        return {0, 100};
    case 2:
        return {100, 100};
    case 3:
    case 8:
        return {50, 50};
    case 5:
        return {33, 33};
    case 6:
        return {66, 66};
    case 7:
        return {25, 25};
    case 9:
        return {75, 75};
    case 10:
        return {20, 20};
    case 11:
        return {40, 40};
    case 12:
        return {60, 60};
    case 13:
        return {80, 80};
    default:
        return {0, 0};
    }
}

QRect anchoredRect(const QRect& initial, AnchorPercentages horizontal, AnchorPercentages vertical, int dx,
                   int dy) {
    dx = std::max(dx, 0);
    dy = std::max(dy, 0);
    // Edges as exclusive coordinates, so that a control keeps its size when both edges move alike.
    int left = initial.x();
    int right = initial.x() + initial.width();
    int top = initial.y();
    int bottom = initial.y() + initial.height();
    if (dx != 0) {
        left += shareOfGrowth(dx, horizontal.nearEdge);
        right += shareOfGrowth(dx, horizontal.farEdge);
    }
    if (dy != 0) {
        top += shareOfGrowth(dy, vertical.nearEdge);
        bottom += shareOfGrowth(dy, vertical.farEdge);
    }
    return QRect(left, top, right - left, bottom - top);
}

DynamicLayout::DynamicLayout(QWidget* dialog, int resizeDirections)
    : QObject(dialog), dialog_(dialog), resizeDirections_(resizeDirections) {}

DynamicLayout::~DynamicLayout() = default;

void DynamicLayout::setUp() {
    if (isSetUp() || dialog_ == nullptr)
        return;
    initialClientSize_ = dialog_->size();
    initialWindowSize_ = dialog_->frameGeometry().size();
    // Qt measures a window's limits by its client area, which is what the layout measures too.
    dialog_->setMinimumSize(initialClientSize_);
    if ((resizeDirections_ & Horizontal) == 0)
        dialog_->setMaximumWidth(initialClientSize_.width());
    if ((resizeDirections_ & Vertical) == 0)
        dialog_->setMaximumHeight(initialClientSize_.height());
    dialog_->installEventFilter(this);
    if (sizeGripEnabled_) {
        auto* grip = new QSizeGrip(dialog_);
        grip->setGeometry(initialClientSize_.width() - kSizeGripExtent,
                          initialClientSize_.height() - kSizeGripExtent, kSizeGripExtent, kSizeGripExtent);
        grip->show();
        addAnchor(grip, 2, 2);
    }
}

bool DynamicLayout::addAnchor(QWidget* control, int horizontalCode, int verticalCode) {
    if (!isSetUp() || control == nullptr)
        return false;
    const AnchorPercentages horizontal = anchorPercentagesOfCode(horizontalCode);
    const AnchorPercentages vertical = anchorPercentagesOfCode(verticalCode);
    if (horizontal == AnchorPercentages{} && vertical == AnchorPercentages{})
        return false;
    anchors_.push_back({control, horizontal, vertical, control->geometry()});
    const Anchor& anchor = anchors_.back();
    const QSize size = dialog_->size();
    control->setGeometry(anchoredRect(anchor.initialRect, horizontal, vertical,
                                      size.width() - initialClientSize_.width(),
                                      size.height() - initialClientSize_.height()));
    return true;
}

bool DynamicLayout::applyLayout(QSize clientSize) {
    if (!isSetUp())
        return false;
    const int dx = clientSize.width() - initialClientSize_.width();
    const int dy = clientSize.height() - initialClientSize_.height();
    for (const Anchor& anchor : anchors_) {
        if (anchor.control.isNull())
            continue;
        anchor.control->setGeometry(
            anchoredRect(anchor.initialRect, anchor.horizontal, anchor.vertical, dx, dy));
    }
    dialog_->update();
    return dx >= 0 && dy >= 0;
}

bool DynamicLayout::eventFilter(QObject* watched, QEvent* event) {
    // A minimised dialog keeps its controls where they are; once it is shown again they are placed
    // for its size then, which may have changed meanwhile without a size notification following.
    if (watched == dialog_ && isSetUp() && !dialog_->isMinimized() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange))
        applyLayout(dialog_->size());
    return QObject::eventFilter(watched, event);
}

} // namespace telvarin
