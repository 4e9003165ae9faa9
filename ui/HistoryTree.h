#pragma once

#include <QTreeWidget>

namespace telvarin {

// The tree of cases and treatments, with dotted lines joining the items to their parents and
// siblings, which the platform's style leaves out.
class HistoryTree : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
    // The window opens with nothing selected, the focus on the first case; the first arrow key
    // selects that case rather than moving past it unselected.
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace telvarin
