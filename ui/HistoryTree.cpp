#include "ui/HistoryTree.h"

#include <QKeyEvent>
#include <QPainter>
#include <vector>

namespace telvarin {
namespace {

// Half the size of the space left free around an expand button, in pixels.
constexpr int kExpandButtonGap = 5;

} // namespace

void HistoryTree::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
    QTreeWidget::drawBranches(painter, rect, index);
    std::vector<QModelIndex> chain; // the item, then its ancestors
    for (QModelIndex at = index; at.isValid(); at = at.parent())
        chain.push_back(at);
    const int depth = static_cast<int>(chain.size());
    const int indent = indentation();
    const int middle = rect.center().y();

    painter->save();
    QPen pen(palette().color(QPalette::Mid));
    pen.setStyle(Qt::DotLine);
    painter->setPen(pen);
    for (int level = 0; level < depth; ++level) {
        const QModelIndex& at = chain[static_cast<std::size_t>(depth - 1 - level)];
        const bool hasNextSibling = at.sibling(at.row() + 1, 0).isValid();
        const int x = rect.left() + level * indent + indent / 2;
        if (level < depth - 1) {
            if (hasNextSibling)
                painter->drawLine(x, rect.top(), x, rect.bottom());
            continue;
        }
        const int gap = model()->hasChildren(at) ? kExpandButtonGap : 0;
        const bool isFirstRoot = depth == 1 && at.row() == 0;
        if (!isFirstRoot)
            painter->drawLine(x, rect.top(), x, middle - gap);
        if (hasNextSibling)
            painter->drawLine(x, middle + gap, x, rect.bottom());
        painter->drawLine(x + gap, middle, rect.left() + (level + 1) * indent - 2, middle);
    }
    painter->restore();
}

void HistoryTree::keyPressEvent(QKeyEvent* event) {
    QTreeWidgetItem* focused = currentItem();
    const bool arrow = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    if (arrow && event->modifiers() == Qt::NoModifier && focused != nullptr && selectedItems().isEmpty()) {
        setCurrentItem(focused, 0, QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace telvarin
