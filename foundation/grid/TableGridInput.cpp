// The user's side of the table grid: keys, mouse, the in-place editor, clipboard, header clicks,
// typing to find a column and the title tips.

#include "foundation/grid/TableGrid.h"
#include "foundation/grid/TitleTip.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QWheelEvent>
#include <algorithm>

namespace telvarin {

namespace {

constexpr int kDividerRange = 3;

bool isNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---- the owner's hooks ----

bool TableGrid::setCellText(int row, int col, const QString& text) {
    setText(row, col, text);
    return true;
}

bool TableGrid::acceptEditBegin(int row, int col) {
    emit editBegun(row, col);
    return true;
}

bool TableGrid::validateCellText(int, int, const QString&) {
    return true;
}

// ---- cell changes and clipboard ----

bool TableGrid::changeCellText(int row, int col, const QString& text) {
    return applyChange(row, col, text, true);
}

bool TableGrid::applyChange(int row, int col, const QString& text, bool askOwner) {
    if (!isCellEditable(row, col))
        return false;
    if (askOwner && !acceptEditBegin(row, col))
        return false;
    if (cellText(row, col) == text || !validateCellText(row, col, text))
        return false;
    if (!setCellText(row, col, text))
        return false;
    if (store_.contains(row, col)) // the owner's setter may have changed the grid
        store_.cell(row, col).state |= GridModified;
    emit editEnded(row, col);
    requestRedraw();
    return true;
}

QString TableGrid::selectionText() const {
    QString result;
    bool firstRow = true;
    for (int r = std::max(selTop_, 0); r <= selBottom_; ++r) {
        if (rowHeight(r) == 0)
            continue;
        if (!firstRow)
            result += u'\n';
        firstRow = false;
        bool firstCol = true;
        for (int c = std::max(selLeft_, 0); c <= selRight_; ++c) {
            if (columnWidth(c) == 0)
                continue;
            if (!firstCol)
                result += u'\t';
            firstCol = false;
            const GridCell& cell = store_.cell(r, c);
            if (cell.state & GridSelected)
                result += cell.text;
        }
    }
    return result;
}

void TableGrid::copySelection() const {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(selectionText());
}

void TableGrid::cutSelection() {
    copySelection();
    deleteSelection();
}

void TableGrid::deleteSelection() {
    std::vector<GridCellPos> cells;
    for (int r = std::max(selTop_, 0); r <= selBottom_; ++r) {
        for (int c = std::max(selLeft_, 0); c <= selRight_; ++c) {
            if (store_.cell(r, c).state & GridSelected)
                cells.push_back({r, c});
        }
    }
    for (const GridCellPos& cell : cells)
        changeCellText(cell.row, cell.col, QString());
}

void TableGrid::pasteFromClipboard() {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        pasteText(clipboard->text());
}

int TableGrid::nextVisibleRow(int row, int step) const {
    for (int r = row + step; r >= 0 && r < rowCount(); r += step) {
        if (rowHeight(r) > 0)
            return r;
    }
    return step > 0 ? rowCount() : -1;
}

int TableGrid::nextVisibleColumn(int col, int step) const {
    for (int c = col + step; c >= 0 && c < columnCount(); c += step) {
        if (columnWidth(c) > 0)
            return c;
    }
    return step > 0 ? columnCount() : -1;
}

void TableGrid::pasteText(const QString& text) {
    if (!focus_.isValid())
        return;
    int row = focus_.row;
    const int firstCol = focus_.col;
    for (const std::vector<QString>& line : splitPastedText(text)) {
        if (row >= rowCount())
            break;
        int col = firstCol;
        for (const QString& piece : line) {
            if (col >= columnCount())
                break;
            changeCellText(row, col, piece);
            if (store_.contains(row, col))
                store_.cell(row, col).state &= ~GridSelected;
            col = nextVisibleColumn(col, 1);
        }
        row = nextVisibleRow(row, 1);
    }
    requestRedraw();
}

// ---- keyboard ----

bool TableGrid::event(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        followPalette();
    // Reached by keyboard, the table shows where the keys act: on its first cell unless a cell had
    // the focus before.
    if (event->type() == QEvent::FocusIn && !focus_.isValid()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::ShortcutFocusReason)
            moveFocus(fixedRows_, fixedCols_, Qt::NoModifier);
    }
    if (event->type() == QEvent::KeyPress && editable_) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (tabLeavesGrid(key->key(), key->modifiers()))
                return focusNextPrevChild(key->key() == Qt::Key_Tab &&
                                          !(key->modifiers() & Qt::ShiftModifier));
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

GridCellPos TableGrid::navigationTarget(int key, Qt::KeyboardModifiers modifiers) const {
    GridCellPos from = focus_.isValid() ? focus_ : GridCellPos{fixedRows_, fixedCols_};
    const int lastRow = rowCount() - 1;
    const int lastCol = columnCount() - 1;
    const bool ctrl = modifiers & Qt::ControlModifier;
    auto clampRow = [&](int r) { return r < fixedRows_ || r > lastRow ? from.row : r; };
    auto clampCol = [&](int c) { return c < fixedCols_ || c > lastCol ? from.col : c; };
    switch (key) {
    case Qt::Key_Up:
        return {clampRow(nextVisibleRow(from.row, -1)), from.col};
    case Qt::Key_Down:
        return {clampRow(nextVisibleRow(from.row, 1)), from.col};
    case Qt::Key_Left:
        return {from.row, clampCol(nextVisibleColumn(from.col, -1))};
    case Qt::Key_Right:
        return {from.row, clampCol(nextVisibleColumn(from.col, 1))};
    case Qt::Key_PageUp:
        return {std::max(fixedRows_, from.row - std::max(1, pageRowCount())), from.col};
    case Qt::Key_PageDown:
        return {std::min(lastRow, from.row + std::max(1, pageRowCount())), from.col};
    case Qt::Key_Home:
        return {ctrl ? fixedRows_ : from.row, fixedCols_};
    case Qt::Key_End:
        return {ctrl ? lastRow : from.row, lastCol};
    case Qt::Key_Tab: {
        const int next = nextVisibleColumn(from.col, 1);
        if (next <= lastCol)
            return {from.row, next};
        const int nextRow = nextVisibleRow(from.row, 1);
        return nextRow <= lastRow ? GridCellPos{nextRow, fixedCols_} : from;
    }
    case Qt::Key_Backtab: {
        const int previous = nextVisibleColumn(from.col, -1);
        if (previous >= fixedCols_)
            return {from.row, previous};
        const int previousRow = nextVisibleRow(from.row, -1);
        return previousRow >= fixedRows_ ? GridCellPos{previousRow, lastCol} : from;
    }
    default:
        return from;
    }
}

bool TableGrid::tabLeavesGrid(int key, Qt::KeyboardModifiers modifiers) const {
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab)
        return false;
    return (modifiers & Qt::ControlModifier) ||
           (focus_.isValid() && navigationTarget(key, modifiers) == focus_);
}

bool TableGrid::handleNavigationKey(int key, Qt::KeyboardModifiers modifiers) {
    if (!isNavigationKey(key))
        return false;
    const GridCellPos target = navigationTarget(key, modifiers);
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    moveFocus(target.row, target.col, tab ? Qt::NoModifier : modifiers);
    return true;
}

void TableGrid::keyPressEvent(QKeyEvent* event) {
    hideTitleTip();
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    // Alt with a letter is a button's accelerator, never typing into the table.
    const bool typing = !ctrl && !(modifiers & Qt::AltModifier) && key != Qt::Key_Escape &&
                        !event->text().isEmpty() && event->text()[0].isPrint();
    if (ctrl && (key == Qt::Key_C || key == Qt::Key_Insert)) {
        copySelection();
    } else if (ctrl && key == Qt::Key_X) {
        cutSelection();
    } else if ((ctrl && key == Qt::Key_V) || (shift && key == Qt::Key_Insert)) {
        pasteFromClipboard();
    } else if (ctrl && key == Qt::Key_A) {
        selectAll();
    } else if (key == Qt::Key_Delete) {
        deleteSelection();
    } else if (key == Qt::Key_F2 && focus_.isValid() && isCellEditable(focus_.row, focus_.col)) {
        openEditor(focus_.row, focus_.col, cellText(focus_.row, focus_.col), false);
    } else if (handleNavigationKey(key, modifiers)) {
    } else if (typing) {
        if (columnSearch_)
            handleColumnSearch(event->text()[0]);
        else if (focus_.isValid() && isCellEditable(focus_.row, focus_.col))
            openEditor(focus_.row, focus_.col, event->text(), true);
    } else {
        event->ignore();
        return;
    }
    event->accept();
}

// ---- column search and position display ----

void TableGrid::enableColumnSearch(QWidget* positionDisplay) {
    columnSearch_ = positionDisplay != nullptr;
    positionDisplay_ = positionDisplay;
    positionBaseTitle_ = positionDisplay ? positionDisplay->windowTitle() : QString();
}

void TableGrid::handleColumnSearch(QChar character) {
    const bool fromStart = searchBuffer_.type(character, clock_());
    const int start = fromStart ? 0 : std::max(focus_.col, 0);
    const int col = findColumnByHeading([this](int c) { return cellText(0, c); }, columnCount(), start,
                                        searchBuffer_.text());
    if (col < 0)
        return;
    const int row = std::max(focus_.row, fixedRows_);
    moveFocus(row, col, Qt::NoModifier);
    ensureCellVisible(row, col);
}

void TableGrid::updatePositionDisplay() {
    if (positionDisplay_ && focus_.row > 0 && focus_.col > 0)
        positionDisplay_->setWindowTitle(positionBaseTitle_ +
                                         QString::asprintf(" %d/%d", focus_.col, columnCount() - 1));
}

// ---- in-place editor ----

void TableGrid::openEditor(int row, int col, const QString& initialText, bool openedByTyping) {
    if (!isCellEditable(row, col))
        return;
    if (isEditing())
        commitEditor();
    if (!acceptEditBegin(row, col))
        return;
    hideTitleTip();
    ensureCellVisible(row, col);
    if (!editor_) {
        editor_ = new QLineEdit(viewport());
        editor_->setFrame(false);
        editor_->installEventFilter(this);
    }
    editRow_ = row;
    editCol_ = col;
    editExitsOnArrows_ = openedByTyping;
    editor_->setFont(cellStyle(row, col).font);
    editor_->setGeometry(cellRect(row, col).adjusted(0, 0, -1, -1));
    editor_->setText(initialText);
    if (openedByTyping)
        editor_->end(false);
    else
        editor_->selectAll();
    editor_->show();
    editor_->setFocus();
}

void TableGrid::closeEditor() {
    editRow_ = -1;
    editCol_ = -1;
    if (editor_) {
        editor_->hide();
        setFocus();
    }
}

void TableGrid::commitEditor() {
    if (!isEditing() || endingEdit_)
        return;
    endingEdit_ = true;
    const int row = editRow_;
    const int col = editCol_;
    const QString text = editor_->text();
    closeEditor();
    applyChange(row, col, text, false);
    endingEdit_ = false;
}

void TableGrid::cancelEditor() {
    if (!isEditing() || endingEdit_)
        return;
    endingEdit_ = true;
    closeEditor();
    endingEdit_ = false;
}

void TableGrid::onEditorKey(int key, Qt::KeyboardModifiers modifiers) {
    commitEditor();
    handleNavigationKey(key, key == Qt::Key_Tab || key == Qt::Key_Backtab ? Qt::NoModifier : modifiers);
    if (focus_.isValid() && isCellEditable(focus_.row, focus_.col)) {
        openEditor(focus_.row, focus_.col, cellText(focus_.row, focus_.col), false);
        editExitsOnArrows_ = true;
    }
}

bool TableGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != editor_)
        return QAbstractScrollArea::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut && !endingEdit_) {
        commitEditor();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    switch (key) {
    case Qt::Key_Escape:
        cancelEditor();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commitEditor();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (tabLeavesGrid(key, keyEvent->modifiers())) {
            commitEditor();
            focusNextPrevChild(key == Qt::Key_Tab && !(keyEvent->modifiers() & Qt::ShiftModifier));
            return true;
        }
        [[fallthrough]];
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        onEditorKey(key, keyEvent->modifiers());
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!editExitsOnArrows_)
            return false;
        onEditorKey(key, keyEvent->modifiers());
        return true;
    default:
        return false;
    }
}

// ---- mouse ----

TableGrid::Drag TableGrid::dividerAt(const QPoint& pos, int* index) const {
    const std::vector<GridSpan> rows = visibleRowSpans();
    const std::vector<GridSpan> cols = visibleColumnSpans();
    int fixedHeight = 0;
    for (const GridSpan& row : rows)
        fixedHeight = row.index < fixedRows_ ? row.pos + row.size : fixedHeight;
    int fixedWidth = 0;
    for (const GridSpan& col : cols)
        fixedWidth = col.index < fixedCols_ ? col.pos + col.size : fixedWidth;
    if (columnResize_ && pos.y() < fixedHeight) {
        for (const GridSpan& col : cols) {
            if (std::abs(pos.x() - (col.pos + col.size)) <= kDividerRange) {
                *index = col.index;
                return Drag::Column;
            }
        }
    }
    if (rowResize_ && pos.x() < fixedWidth) {
        for (const GridSpan& row : rows) {
            if (std::abs(pos.y() - (row.pos + row.size)) <= kDividerRange) {
                *index = row.index;
                return Drag::Row;
            }
        }
    }
    return Drag::None;
}

void TableGrid::handleHeaderClick(const GridCellPos& cell) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (cell.row == 0 && fixedRows_ > 0) {
        const bool ascending = cell.col == sortColumn_ ? !sortColumnAscending_ : false;
        sortRowsByColumn(cell.col, ascending);
    } else if (listMode_ && cell.row >= 1 &&
               ((cell.row < fixedRows_ && keyRows_.sorts(cell.row)) || cell.col < fixedCols_)) {
        const bool ascending = cell.row == keyRow_ ? !keyRowAscending_ : false;
        sortColumnsByRow(cell.row, ascending);
    }
    QGuiApplication::restoreOverrideCursor();
}

void TableGrid::mousePressEvent(QMouseEvent* event) {
    hideTitleTip();
    if (isEditing())
        commitEditor();
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        int index = -1;
        const Drag drag = dividerAt(pos, &index);
        if (drag != Drag::None) {
            drag_ = drag;
            dragIndex_ = index;
            dragStart_ = drag == Drag::Column ? pos.x() : pos.y();
            dragStartSize_ = drag == Drag::Column ? columnWidth(index) : rowHeight(index);
            return;
        }
    }
    const GridCellPos cell = cellAt(pos);
    if (!cell.isValid())
        return;
    if (isFixedCell(cell.row, cell.col)) {
        if (event->button() == Qt::LeftButton && headerSort_) {
            handleHeaderClick(cell);
        } else if (event->button() == Qt::LeftButton && selectionEnabled_) {
            if (cell.row < fixedRows_ && cell.col < fixedCols_)
                selectAll();
            else if (cell.row < fixedRows_)
                selectColumn(cell.col);
            else
                selectRow(cell.row);
        }
    } else {
        const Qt::KeyboardModifiers modifiers = selectionEnabled_ ? event->modifiers() : Qt::NoModifier;
        moveFocus(cell.row, cell.col, modifiers);
    }
    emit cellClicked(cell.row, cell.col);
}

void TableGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (drag_ != Drag::None) {
        const int delta = (drag_ == Drag::Column ? pos.x() : pos.y()) - dragStart_;
        if (drag_ == Drag::Column)
            setColumnWidth(dragIndex_, std::max(0, dragStartSize_ + delta));
        else
            setRowHeight(dragIndex_, std::max(0, dragStartSize_ + delta));
        return;
    }
    if (event->buttons() == Qt::NoButton) {
        int index = -1;
        const Drag divider = dividerAt(pos, &index);
        viewport()->setCursor(divider == Drag::Column ? Qt::SplitHCursor
                              : divider == Drag::Row  ? Qt::SplitVCursor
                                                      : Qt::ArrowCursor);
    } else if (selectionEnabled_ && (event->buttons() & Qt::LeftButton)) {
        const GridCellPos cell = cellAt(pos);
        if (cell.isValid() && !isFixedCell(cell.row, cell.col) && cell != focus_)
            moveFocus(cell.row, cell.col, Qt::ShiftModifier);
    }
    updateTitleTip(pos);
}

void TableGrid::mouseReleaseEvent(QMouseEvent*) {
    if (drag_ != Drag::None) {
        drag_ = Drag::None;
        updateScrollBars();
    }
}

void TableGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    int index = -1;
    if (dividerAt(pos, &index) != Drag::None)
        return;
    const GridCellPos cell = cellAt(pos);
    if (!cell.isValid())
        return;
    emit cellDoubleClicked(cell.row, cell.col);
    if (isCellEditable(cell.row, cell.col) && cell == focus_)
        openEditor(cell.row, cell.col, cellText(cell.row, cell.col), false);
}

void TableGrid::wheelEvent(QWheelEvent* event) {
    wheelDelta_ += event->angleDelta().y();
    const int notches = wheelDelta_ / 120;
    if (notches == 0)
        return;
    wheelDelta_ -= notches * 120;
    // The platform's wheel setting; Qt answers 3 where the system has none.
    const int lines = QApplication::wheelScrollLines();
    verticalScrollBar()->setValue(verticalScrollBar()->value() - notches * lines);
    event->accept();
}

void TableGrid::leaveEvent(QEvent* event) {
    if (titleTip_ && titleTip_->isVisible() && !titleTip_->cellRect().contains(QCursor::pos()))
        hideTitleTip();
    QAbstractScrollArea::leaveEvent(event);
}

// ---- title tips ----

void TableGrid::hideTitleTip() {
    if (titleTip_)
        titleTip_->hide();
}

void TableGrid::updateTitleTip(const QPoint& pos) {
    if ((!titleTips_ && !cutTextTips_) || isEditing() || QApplication::mouseButtons() != Qt::NoButton) {
        hideTitleTip();
        return;
    }
    const GridCellPos cell = cellAt(pos);
    QString tip = cell.isValid() && titleTips_ ? tipText(cell.row, cell.col) : QString();
    if (tip.isEmpty() && cell.isValid() && cutTextTips_ && isTextCut(cell.row, cell.col))
        tip = cellText(cell.row, cell.col);
    if (tip.isEmpty()) {
        hideTitleTip();
        return;
    }
    const QRect cellArea = cellRect(cell.row, cell.col);
    const QRect globalCell(viewport()->mapToGlobal(cellArea.topLeft()), cellArea.size());
    if (titleTip_ && titleTip_->isVisible() && titleTip_->cellRect() == globalCell)
        return;
    if (!titleTip_)
        titleTip_ = std::make_unique<TitleTip>();
    TitleTipPlacement placement;
    placement.cellTextRect = globalCell;
    placement.gridClientRect = QRect(viewport()->mapToGlobal(QPoint(0, 0)), viewport()->size());
    placement.screenRect = screen() ? screen()->geometry() : placement.gridClientRect;
    titleTip_->showTip(placement, tip);
}

} // namespace telvarin
