#include "foundation/dialogs/SpinArrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace telvarin {

namespace {

QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // The field keeps the focus; with FieldKeys::Step its Up and Down keys do what the arrows do.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

SpinArrows::SpinArrows(QLineEdit* buddy, Stepper stepper, FieldKeys fieldKeys, QWidget* parent)
    : QWidget(parent), buddy_(buddy), stepper_(std::move(stepper)), fieldKeys_(fieldKeys),
      up_(arrowButton(Qt::UpArrow, this)), down_(arrowButton(Qt::DownArrow, this)) {
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
    if (buddy_ != nullptr && fieldKeys_ == FieldKeys::Step)
        buddy_->installEventFilter(this);
}

void SpinArrows::step(int steps) {
    if (buddy_ == nullptr || buddy_->isReadOnly())
        return;
    buddy_->setText(stepper_(buddy_->text(), steps));
    if (fieldKeys_ == FieldKeys::Step)
        buddy_->selectAll();
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                step(key->key() == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SpinArrows::resizeEvent(QResizeEvent*) {
    const int upperHeight = height() / 2;
    up_->setGeometry(0, 0, width(), upperHeight);
    down_->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

} // namespace telvarin
