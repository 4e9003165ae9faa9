#include "foundation/grid/GridInput.h"

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
#include <chrono>

namespace telvarin {

namespace {

std::int64_t steadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

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

GridInput::GridInput(TableGrid& grid) : grid_(grid), selection_(grid.store_), clock_(steadyMilliseconds) {}

GridInput::~GridInput() = default;

GridGeometry GridInput::cellGeometry() const {
    return grid_.cellGeometry();
}

// ---- focus and selection ----

void GridInput::moveFocus(int row, int col, Qt::KeyboardModifiers modifiers) {
    const int fixedRows = grid_.fixedRowCount();
    const int fixedCols = grid_.fixedColumnCount();
    if (grid_.rowCount() <= fixedRows || grid_.columnCount() <= fixedCols)
        return;
    row = std::clamp(row, fixedRows, grid_.rowCount() - 1);
    col = std::clamp(col, fixedCols, grid_.columnCount() - 1);
    const GridCellPos previous = selection_.focus();
    const bool extend = (modifiers & Qt::ShiftModifier) && grid_.selectionEnabled();
    selection_.placeFocus({row, col}, extend, grid_.listMode());
    grid_.requestRedraw();
    emit grid_.selectionChanged();
    grid_.ensureCellVisible(row, col);
    grid_.requestRedraw();
    if (previous != selection_.focus()) {
        emit grid_.focusCellChanged(row, col);
        updatePositionDisplay();
    }
}

void GridInput::setSelectedRange(int top, int left, int bottom, int right) {
    selection_.select(top, left, bottom, right);
    grid_.requestRedraw();
    emit grid_.selectionChanged();
}

void GridInput::selectRow(int row) {
    if (!grid_.selectionEnabled() || row < grid_.fixedRowCount() || row >= grid_.rowCount())
        return;
    const GridCellPos focus = selection_.focus();
    moveFocus(row, focus.col >= 0 ? focus.col : grid_.fixedColumnCount(), Qt::NoModifier);
    setSelectedRange(row, grid_.fixedColumnCount(), row, grid_.columnCount() - 1);
}

void GridInput::selectColumn(int col) {
    if (!grid_.selectionEnabled() || col < grid_.fixedColumnCount() || col >= grid_.columnCount())
        return;
    const GridCellPos focus = selection_.focus();
    moveFocus(focus.row >= 0 ? focus.row : grid_.fixedRowCount(), col, Qt::NoModifier);
    setSelectedRange(grid_.fixedRowCount(), col, grid_.rowCount() - 1, col);
}

void GridInput::selectAll() {
    if (!grid_.selectionEnabled())
        return;
    setSelectedRange(grid_.fixedRowCount(), grid_.fixedColumnCount(), grid_.rowCount() - 1,
                     grid_.columnCount() - 1);
}

void GridInput::clearSelection() {
    setSelectedRange(0, 0, -1, -1);
}

void GridInput::keepWithinRows() {
    if (isEditing() && editRow_ >= grid_.rowCount())
        cancelEditor();
    selection_.keepWithinRows();
}

void GridInput::keepWithinColumns() {
    if (isEditing() && editCol_ >= grid_.columnCount())
        cancelEditor();
    selection_.keepWithinColumns();
}

// ---- cell changes and clipboard ----

bool GridInput::changeCellText(int row, int col, const QString& text) {
    return applyChange(row, col, text, true);
}

bool GridInput::applyChange(int row, int col, const QString& text, bool askOwner) {
    if (!grid_.isCellEditable(row, col))
        return false;
    if (askOwner && !grid_.acceptEditBegin(row, col))
        return false;
    if (grid_.cellText(row, col) == text || !grid_.validateCellText(row, col, text))
        return false;
    if (!grid_.setCellText(row, col, text))
        return false;
    if (grid_.store_.contains(row, col)) // the owner's setter may have changed the grid
        grid_.store_.cell(row, col).state |= GridModified;
    emit grid_.editEnded(row, col);
    grid_.requestRedraw();
    return true;
}

QString GridInput::selectionText() const {
    QString result;
    bool firstRow = true;
    for (int r = std::max(selection_.top(), 0); r <= selection_.bottom(); ++r) {
        if (grid_.rowHeight(r) == 0)
            continue;
        if (!firstRow)
            result += u'\n';
        firstRow = false;
        bool firstCol = true;
        for (int c = std::max(selection_.left(), 0); c <= selection_.right(); ++c) {
            if (grid_.columnWidth(c) == 0)
                continue;
            if (!firstCol)
                result += u'\t';
            firstCol = false;
            const GridCell& cell = grid_.store_.cell(r, c);
            if (cell.state & GridSelected)
                result += cell.text;
        }
    }
    return result;
}

void GridInput::deleteSelection() {
    std::vector<GridCellPos> cells;
    for (int r = std::max(selection_.top(), 0); r <= selection_.bottom(); ++r) {
        for (int c = std::max(selection_.left(), 0); c <= selection_.right(); ++c) {
            if (grid_.store_.cell(r, c).state & GridSelected)
                cells.push_back({r, c});
        }
    }
    for (const GridCellPos& cell : cells)
        changeCellText(cell.row, cell.col, QString());
}

void GridInput::pasteText(const QString& text) {
    const GridCellPos focus = selection_.focus();
    if (!focus.isValid())
        return;
    int row = focus.row;
    for (const std::vector<QString>& line : splitPastedText(text)) {
        if (row >= grid_.rowCount())
            break;
        int col = focus.col;
        for (const QString& piece : line) {
            if (col >= grid_.columnCount())
                break;
            changeCellText(row, col, piece);
            if (grid_.store_.contains(row, col))
                grid_.store_.cell(row, col).state &= ~GridSelected;
            col = cellGeometry().nextVisibleColumn(col, 1);
        }
        row = cellGeometry().nextVisibleRow(row, 1);
    }
    grid_.requestRedraw();
}

// ---- keyboard ----

std::optional<bool> GridInput::gridEvent(QEvent* event) {
    // Reached by keyboard, the table shows where the keys act: on its first cell unless a cell had
    // the focus before.
    if (event->type() == QEvent::FocusIn && !selection_.focus().isValid()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::ShortcutFocusReason)
            moveFocus(grid_.fixedRowCount(), grid_.fixedColumnCount(), Qt::NoModifier);
    }
    if (event->type() == QEvent::KeyPress && grid_.isEditable()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (tabLeavesGrid(key->key(), key->modifiers()))
                return grid_.focusNextPrevChild(key->key() == Qt::Key_Tab &&
                                                !(key->modifiers() & Qt::ShiftModifier));
            grid_.keyPressEvent(key);
            return true;
        }
    }
    return std::nullopt;
}

GridCellPos GridInput::navigationTarget(int key, Qt::KeyboardModifiers modifiers) const {
    const int fixedRows = grid_.fixedRowCount();
    const int fixedCols = grid_.fixedColumnCount();
    const GridCellPos from =
        selection_.focus().isValid() ? selection_.focus() : GridCellPos{fixedRows, fixedCols};
    const int lastRow = grid_.rowCount() - 1;
    const int lastCol = grid_.columnCount() - 1;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const GridGeometry shown = cellGeometry();
    auto clampRow = [&](int r) { return r < fixedRows || r > lastRow ? from.row : r; };
    auto clampCol = [&](int c) { return c < fixedCols || c > lastCol ? from.col : c; };
    switch (key) {
    case Qt::Key_Up:
        return {clampRow(shown.nextVisibleRow(from.row, -1)), from.col};
    case Qt::Key_Down:
        return {clampRow(shown.nextVisibleRow(from.row, 1)), from.col};
    case Qt::Key_Left:
        return {from.row, clampCol(shown.nextVisibleColumn(from.col, -1))};
    case Qt::Key_Right:
        return {from.row, clampCol(shown.nextVisibleColumn(from.col, 1))};
    case Qt::Key_PageUp:
        return {std::max(fixedRows, from.row - std::max(1, shown.pageRowCount())), from.col};
    case Qt::Key_PageDown:
        return {std::min(lastRow, from.row + std::max(1, shown.pageRowCount())), from.col};
    case Qt::Key_Home:
        return {ctrl ? fixedRows : from.row, fixedCols};
    case Qt::Key_End:
        return {ctrl ? lastRow : from.row, lastCol};
    case Qt::Key_Tab: {
        const int next = shown.nextVisibleColumn(from.col, 1);
        if (next <= lastCol)
            return {from.row, next};
        const int nextRow = shown.nextVisibleRow(from.row, 1);
        return nextRow <= lastRow ? GridCellPos{nextRow, fixedCols} : from;
    }
    case Qt::Key_Backtab: {
        const int previous = shown.nextVisibleColumn(from.col, -1);
        if (previous >= fixedCols)
            return {from.row, previous};
        const int previousRow = shown.nextVisibleRow(from.row, -1);
        return previousRow >= fixedRows ? GridCellPos{previousRow, lastCol} : from;
    }
    default:
        return from;
    }
}

bool GridInput::tabLeavesGrid(int key, Qt::KeyboardModifiers modifiers) const {
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab)
        return false;
    const GridCellPos focus = selection_.focus();
    return (modifiers & Qt::ControlModifier) ||
           (focus.isValid() && navigationTarget(key, modifiers) == focus);
}

bool GridInput::handleNavigationKey(int key, Qt::KeyboardModifiers modifiers) {
    if (!isNavigationKey(key))
        return false;
    const GridCellPos target = navigationTarget(key, modifiers);
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    moveFocus(target.row, target.col, tab ? Qt::NoModifier : modifiers);
    return true;
}

void GridInput::keyPress(QKeyEvent* event) {
    hideTitleTip();
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const GridCellPos focus = selection_.focus();
    // Alt with a letter is a button's accelerator, never typing into the table.
    const bool typing = !ctrl && !(modifiers & Qt::AltModifier) && key != Qt::Key_Escape &&
                        !event->text().isEmpty() && event->text()[0].isPrint();
    if (ctrl && (key == Qt::Key_C || key == Qt::Key_Insert)) {
        grid_.copySelection();
    } else if (ctrl && key == Qt::Key_X) {
        grid_.cutSelection();
    } else if ((ctrl && key == Qt::Key_V) || (shift && key == Qt::Key_Insert)) {
        grid_.pasteFromClipboard();
    } else if (ctrl && key == Qt::Key_A) {
        selectAll();
    } else if (key == Qt::Key_Delete) {
        deleteSelection();
    } else if (key == Qt::Key_F2 && focus.isValid() && grid_.isCellEditable(focus.row, focus.col)) {
        openEditor(focus.row, focus.col, grid_.cellText(focus.row, focus.col), false);
    } else if (handleNavigationKey(key, modifiers)) {
    } else if (typing) {
        if (columnSearch_)
            handleColumnSearch(event->text()[0]);
        else if (focus.isValid() && grid_.isCellEditable(focus.row, focus.col))
            openEditor(focus.row, focus.col, event->text(), true);
    } else {
        event->ignore();
        return;
    }
    event->accept();
}

// ---- column search and position display ----

void GridInput::enableColumnSearch(QWidget* positionDisplay) {
    columnSearch_ = positionDisplay != nullptr;
    positionDisplay_ = positionDisplay;
    positionBaseTitle_ = positionDisplay ? positionDisplay->windowTitle() : QString();
}

void GridInput::handleColumnSearch(QChar character) {
    const bool fromStart = searchBuffer_.type(character, clock_());
    const int start = fromStart ? 0 : std::max(selection_.focus().col, 0);
    const int col = findColumnByHeading([this](int c) { return grid_.cellText(0, c); }, grid_.columnCount(),
                                        start, searchBuffer_.text());
    if (col < 0)
        return;
    const int row = std::max(selection_.focus().row, grid_.fixedRowCount());
    moveFocus(row, col, Qt::NoModifier);
    grid_.ensureCellVisible(row, col);
}

void GridInput::updatePositionDisplay() {
    const GridCellPos focus = selection_.focus();
    if (positionDisplay_ && focus.row > 0 && focus.col > 0)
        positionDisplay_->setWindowTitle(positionBaseTitle_ +
                                         QString::asprintf(" %d/%d", focus.col, grid_.columnCount() - 1));
}

// ---- in-place editor ----

void GridInput::openEditor(int row, int col, const QString& initialText, bool openedByTyping) {
    if (!grid_.isCellEditable(row, col))
        return;
    if (isEditing())
        commitEditor();
    if (!grid_.acceptEditBegin(row, col))
        return;
    hideTitleTip();
    grid_.ensureCellVisible(row, col);
    if (!editor_) {
        editor_ = new QLineEdit(grid_.viewport());
        editor_->setFrame(false);
        editor_->installEventFilter(this);
    }
    editRow_ = row;
    editCol_ = col;
    editExitsOnArrows_ = openedByTyping;
    editor_->setFont(grid_.cellStyle(row, col).font);
    editor_->setGeometry(grid_.cellRect(row, col).adjusted(0, 0, -1, -1));
    editor_->setText(initialText);
    if (openedByTyping)
        editor_->end(false);
    else
        editor_->selectAll();
    editor_->show();
    editor_->setFocus();
}

void GridInput::placeEditor() {
    if (isEditing())
        editor_->setGeometry(grid_.cellRect(editRow_, editCol_));
}

void GridInput::closeEditor() {
    editRow_ = -1;
    editCol_ = -1;
    if (editor_) {
        editor_->hide();
        grid_.setFocus();
    }
}

void GridInput::commitEditor() {
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

void GridInput::cancelEditor() {
    if (!isEditing() || endingEdit_)
        return;
    endingEdit_ = true;
    closeEditor();
    endingEdit_ = false;
}

void GridInput::onEditorKey(int key, Qt::KeyboardModifiers modifiers) {
    commitEditor();
    handleNavigationKey(key, key == Qt::Key_Tab || key == Qt::Key_Backtab ? Qt::NoModifier : modifiers);
    const GridCellPos focus = selection_.focus();
    if (focus.isValid() && grid_.isCellEditable(focus.row, focus.col)) {
        openEditor(focus.row, focus.col, grid_.cellText(focus.row, focus.col), false);
        editExitsOnArrows_ = true;
    }
}

bool GridInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != editor_)
        return QObject::eventFilter(watched, event);
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
            grid_.focusNextPrevChild(key == Qt::Key_Tab && !(keyEvent->modifiers() & Qt::ShiftModifier));
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

void GridInput::handleHeaderClick(const GridCellPos& cell) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const int fixedRows = grid_.fixedRowCount();
    if (cell.row == 0 && fixedRows > 0) {
        const bool ascending = cell.col == grid_.sortColumn() ? !grid_.sortColumnAscending() : false;
        grid_.sortRowsByColumn(cell.col, ascending);
    } else if (grid_.listMode() && cell.row >= 1 &&
               ((cell.row < fixedRows && grid_.keyRows().sorts(cell.row)) ||
                cell.col < grid_.fixedColumnCount())) {
        const bool ascending = cell.row == grid_.sortKeyRow() ? !grid_.sortKeyRowAscending() : false;
        grid_.sortColumnsByRow(cell.row, ascending);
    }
    QGuiApplication::restoreOverrideCursor();
}

void GridInput::mousePress(QMouseEvent* event) {
    hideTitleTip();
    if (isEditing())
        commitEditor();
    grid_.setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        int index = -1;
        const GridGeometry::Divider divider =
            cellGeometry().dividerAt(pos, grid_.columnResize_, grid_.rowResize_, &index);
        if (divider != GridGeometry::Divider::None) {
            drag_ = divider;
            dragIndex_ = index;
            dragStart_ = divider == GridGeometry::Divider::Column ? pos.x() : pos.y();
            dragStartSize_ =
                divider == GridGeometry::Divider::Column ? grid_.columnWidth(index) : grid_.rowHeight(index);
            return;
        }
    }
    const GridCellPos cell = grid_.cellAt(pos);
    if (!cell.isValid())
        return;
    if (grid_.isFixedCell(cell.row, cell.col)) {
        if (event->button() == Qt::LeftButton && grid_.headerSort()) {
            handleHeaderClick(cell);
        } else if (event->button() == Qt::LeftButton && grid_.selectionEnabled()) {
            const bool fixedRow = cell.row < grid_.fixedRowCount();
            if (fixedRow && cell.col < grid_.fixedColumnCount())
                selectAll();
            else if (fixedRow)
                selectColumn(cell.col);
            else
                selectRow(cell.row);
        }
    } else {
        const Qt::KeyboardModifiers modifiers =
            grid_.selectionEnabled() ? event->modifiers() : Qt::NoModifier;
        moveFocus(cell.row, cell.col, modifiers);
    }
    emit grid_.cellClicked(cell.row, cell.col);
}

void GridInput::mouseMove(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (drag_ != GridGeometry::Divider::None) {
        const bool column = drag_ == GridGeometry::Divider::Column;
        const int delta = (column ? pos.x() : pos.y()) - dragStart_;
        if (column)
            grid_.setColumnWidth(dragIndex_, std::max(0, dragStartSize_ + delta));
        else
            grid_.setRowHeight(dragIndex_, std::max(0, dragStartSize_ + delta));
        return;
    }
    if (event->buttons() == Qt::NoButton) {
        int index = -1;
        const GridGeometry::Divider divider =
            cellGeometry().dividerAt(pos, grid_.columnResize_, grid_.rowResize_, &index);
        grid_.viewport()->setCursor(divider == GridGeometry::Divider::Column ? Qt::SplitHCursor
                                    : divider == GridGeometry::Divider::Row  ? Qt::SplitVCursor
                                                                             : Qt::ArrowCursor);
    } else if (grid_.selectionEnabled() && (event->buttons() & Qt::LeftButton)) {
        const GridCellPos cell = grid_.cellAt(pos);
        if (cell.isValid() && !grid_.isFixedCell(cell.row, cell.col) && cell != selection_.focus())
            moveFocus(cell.row, cell.col, Qt::ShiftModifier);
    }
    updateTitleTip(pos);
}

void GridInput::mouseRelease() {
    if (drag_ != GridGeometry::Divider::None) {
        drag_ = GridGeometry::Divider::None;
        grid_.updateScrollBars();
    }
}

void GridInput::mouseDoubleClick(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    int index = -1;
    if (cellGeometry().dividerAt(pos, grid_.columnResize_, grid_.rowResize_, &index) !=
        GridGeometry::Divider::None)
        return;
    const GridCellPos cell = grid_.cellAt(pos);
    if (!cell.isValid())
        return;
    emit grid_.cellDoubleClicked(cell.row, cell.col);
    if (grid_.isCellEditable(cell.row, cell.col) && cell == selection_.focus())
        openEditor(cell.row, cell.col, grid_.cellText(cell.row, cell.col), false);
}

void GridInput::wheel(QWheelEvent* event) {
    wheelDelta_ += event->angleDelta().y();
    const int notches = wheelDelta_ / 120;
    if (notches == 0)
        return;
    wheelDelta_ -= notches * 120;
    // The platform's wheel setting; Qt answers 3 where the system has none.
    const int lines = QApplication::wheelScrollLines();
    QScrollBar* bar = grid_.verticalScrollBar();
    bar->setValue(bar->value() - notches * lines);
    event->accept();
}

void GridInput::leave() {
    if (titleTip_ && titleTip_->isVisible() && !titleTip_->cellRect().contains(QCursor::pos()))
        hideTitleTip();
}

// ---- title tips ----

void GridInput::hideTitleTip() {
    if (titleTip_)
        titleTip_->hide();
}

void GridInput::updateTitleTip(const QPoint& pos) {
    const bool titleTips = grid_.titleTips();
    if ((!titleTips && !grid_.cutTextTips()) || isEditing() || QApplication::mouseButtons() != Qt::NoButton) {
        hideTitleTip();
        return;
    }
    const GridCellPos cell = grid_.cellAt(pos);
    QString tip = cell.isValid() && titleTips ? grid_.tipText(cell.row, cell.col) : QString();
    if (tip.isEmpty() && cell.isValid() && grid_.cutTextTips() && grid_.isTextCut(cell.row, cell.col))
        tip = grid_.cellText(cell.row, cell.col);
    if (tip.isEmpty()) {
        hideTitleTip();
        return;
    }
    QWidget* viewport = grid_.viewport();
    const QRect cellArea = grid_.cellRect(cell.row, cell.col);
    const QRect globalCell(viewport->mapToGlobal(cellArea.topLeft()), cellArea.size());
    if (titleTip_ && titleTip_->isVisible() && titleTip_->cellRect() == globalCell)
        return;
    if (!titleTip_)
        titleTip_ = std::make_unique<TitleTip>();
    TitleTipPlacement placement;
    placement.cellTextRect = globalCell;
    placement.gridClientRect = QRect(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
    placement.screenRect = grid_.screen() ? grid_.screen()->geometry() : placement.gridClientRect;
    titleTip_->showTip(placement, tip);
}

} // namespace telvarin
