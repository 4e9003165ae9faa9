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
    if (m_store.contains(row, col)) // the owner's setter may have changed the grid
        m_store.cell(row, col).state |= GridModified;
    emit editEnded(row, col);
    requestRedraw();
    return true;
}

QString TableGrid::selectionText() const {
    QString result;
    bool firstRow = true;
    for (int r = std::max(m_selTop, 0); r <= m_selBottom; ++r) {
        if (rowHeight(r) == 0)
            continue;
        if (!firstRow)
            result += u'\n';
        firstRow = false;
        bool firstCol = true;
        for (int c = std::max(m_selLeft, 0); c <= m_selRight; ++c) {
            if (columnWidth(c) == 0)
                continue;
            if (!firstCol)
                result += u'\t';
            firstCol = false;
            const GridCell& cell = m_store.cell(r, c);
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
    for (int r = std::max(m_selTop, 0); r <= m_selBottom; ++r) {
        for (int c = std::max(m_selLeft, 0); c <= m_selRight; ++c) {
            if (m_store.cell(r, c).state & GridSelected)
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
    if (!m_focus.isValid())
        return;
    int row = m_focus.row;
    const int firstCol = m_focus.col;
    for (const std::vector<QString>& line : splitPastedText(text)) {
        if (row >= rowCount())
            break;
        int col = firstCol;
        for (const QString& piece : line) {
            if (col >= columnCount())
                break;
            changeCellText(row, col, piece);
            if (m_store.contains(row, col))
                m_store.cell(row, col).state &= ~GridSelected;
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
    if (event->type() == QEvent::FocusIn && !m_focus.isValid()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::ShortcutFocusReason)
            moveFocus(m_fixedRows, m_fixedCols, Qt::NoModifier);
    }
    if (event->type() == QEvent::KeyPress && m_editable) {
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
    GridCellPos from = m_focus.isValid() ? m_focus : GridCellPos{m_fixedRows, m_fixedCols};
    const int lastRow = rowCount() - 1;
    const int lastCol = columnCount() - 1;
    const bool ctrl = modifiers & Qt::ControlModifier;
    auto clampRow = [&](int r) { return r < m_fixedRows || r > lastRow ? from.row : r; };
    auto clampCol = [&](int c) { return c < m_fixedCols || c > lastCol ? from.col : c; };
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
        return {std::max(m_fixedRows, from.row - std::max(1, pageRowCount())), from.col};
    case Qt::Key_PageDown:
        return {std::min(lastRow, from.row + std::max(1, pageRowCount())), from.col};
    case Qt::Key_Home:
        return {ctrl ? m_fixedRows : from.row, m_fixedCols};
    case Qt::Key_End:
        return {ctrl ? lastRow : from.row, lastCol};
    case Qt::Key_Tab: {
        const int next = nextVisibleColumn(from.col, 1);
        if (next <= lastCol)
            return {from.row, next};
        const int nextRow = nextVisibleRow(from.row, 1);
        return nextRow <= lastRow ? GridCellPos{nextRow, m_fixedCols} : from;
    }
    case Qt::Key_Backtab: {
        const int previous = nextVisibleColumn(from.col, -1);
        if (previous >= m_fixedCols)
            return {from.row, previous};
        const int previousRow = nextVisibleRow(from.row, -1);
        return previousRow >= m_fixedRows ? GridCellPos{previousRow, lastCol} : from;
    }
    default:
        return from;
    }
}

bool TableGrid::tabLeavesGrid(int key, Qt::KeyboardModifiers modifiers) const {
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab)
        return false;
    return (modifiers & Qt::ControlModifier) ||
           (m_focus.isValid() && navigationTarget(key, modifiers) == m_focus);
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
    } else if (key == Qt::Key_F2 && m_focus.isValid() && isCellEditable(m_focus.row, m_focus.col)) {
        openEditor(m_focus.row, m_focus.col, cellText(m_focus.row, m_focus.col), false);
    } else if (handleNavigationKey(key, modifiers)) {
    } else if (typing) {
        if (m_columnSearch)
            handleColumnSearch(event->text()[0]);
        else if (m_focus.isValid() && isCellEditable(m_focus.row, m_focus.col))
            openEditor(m_focus.row, m_focus.col, event->text(), true);
    } else {
        event->ignore();
        return;
    }
    event->accept();
}

// ---- column search and position display ----

void TableGrid::enableColumnSearch(QWidget* positionDisplay) {
    m_columnSearch = positionDisplay != nullptr;
    m_positionDisplay = positionDisplay;
    m_positionBaseTitle = positionDisplay ? positionDisplay->windowTitle() : QString();
}

void TableGrid::handleColumnSearch(QChar character) {
    const bool fromStart = m_searchBuffer.type(character, m_clock());
    const int start = fromStart ? 0 : std::max(m_focus.col, 0);
    const int col = findColumnByHeading([this](int c) { return cellText(0, c); }, columnCount(), start,
                                        m_searchBuffer.text());
    if (col < 0)
        return;
    const int row = std::max(m_focus.row, m_fixedRows);
    moveFocus(row, col, Qt::NoModifier);
    ensureCellVisible(row, col);
}

void TableGrid::updatePositionDisplay() {
    if (m_positionDisplay && m_focus.row > 0 && m_focus.col > 0)
        m_positionDisplay->setWindowTitle(m_positionBaseTitle +
                                          QString::asprintf(" %d/%d", m_focus.col, columnCount() - 1));
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
    if (!m_editor) {
        m_editor = new QLineEdit(viewport());
        m_editor->setFrame(false);
        m_editor->installEventFilter(this);
    }
    m_editRow = row;
    m_editCol = col;
    m_editExitsOnArrows = openedByTyping;
    m_editor->setFont(cellStyle(row, col).font);
    m_editor->setGeometry(cellRect(row, col).adjusted(0, 0, -1, -1));
    m_editor->setText(initialText);
    if (openedByTyping)
        m_editor->end(false);
    else
        m_editor->selectAll();
    m_editor->show();
    m_editor->setFocus();
}

void TableGrid::closeEditor() {
    m_editRow = -1;
    m_editCol = -1;
    if (m_editor) {
        m_editor->hide();
        setFocus();
    }
}

void TableGrid::commitEditor() {
    if (!isEditing() || m_endingEdit)
        return;
    m_endingEdit = true;
    const int row = m_editRow;
    const int col = m_editCol;
    const QString text = m_editor->text();
    closeEditor();
    applyChange(row, col, text, false);
    m_endingEdit = false;
}

void TableGrid::cancelEditor() {
    if (!isEditing() || m_endingEdit)
        return;
    m_endingEdit = true;
    closeEditor();
    m_endingEdit = false;
}

void TableGrid::onEditorKey(int key, Qt::KeyboardModifiers modifiers) {
    commitEditor();
    handleNavigationKey(key, key == Qt::Key_Tab || key == Qt::Key_Backtab ? Qt::NoModifier : modifiers);
    if (m_focus.isValid() && isCellEditable(m_focus.row, m_focus.col)) {
        openEditor(m_focus.row, m_focus.col, cellText(m_focus.row, m_focus.col), false);
        m_editExitsOnArrows = true;
    }
}

bool TableGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_editor)
        return QAbstractScrollArea::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut && !m_endingEdit) {
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
        if (!m_editExitsOnArrows)
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
        fixedHeight = row.index < m_fixedRows ? row.pos + row.size : fixedHeight;
    int fixedWidth = 0;
    for (const GridSpan& col : cols)
        fixedWidth = col.index < m_fixedCols ? col.pos + col.size : fixedWidth;
    if (m_columnResize && pos.y() < fixedHeight) {
        for (const GridSpan& col : cols) {
            if (std::abs(pos.x() - (col.pos + col.size)) <= kDividerRange) {
                *index = col.index;
                return Drag::Column;
            }
        }
    }
    if (m_rowResize && pos.x() < fixedWidth) {
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
    if (cell.row == 0 && m_fixedRows > 0) {
        const bool ascending = cell.col == m_sortColumn ? !m_sortColumnAscending : false;
        sortRowsByColumn(cell.col, ascending);
    } else if (m_listMode && cell.row >= 1 &&
               ((cell.row < m_fixedRows && m_keyRows.sorts(cell.row)) || cell.col < m_fixedCols)) {
        const bool ascending = cell.row == m_keyRow ? !m_keyRowAscending : false;
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
            m_drag = drag;
            m_dragIndex = index;
            m_dragStart = drag == Drag::Column ? pos.x() : pos.y();
            m_dragStartSize = drag == Drag::Column ? columnWidth(index) : rowHeight(index);
            return;
        }
    }
    const GridCellPos cell = cellAt(pos);
    if (!cell.isValid())
        return;
    if (isFixedCell(cell.row, cell.col)) {
        if (event->button() == Qt::LeftButton && m_headerSort) {
            handleHeaderClick(cell);
        } else if (event->button() == Qt::LeftButton && m_selectionEnabled) {
            if (cell.row < m_fixedRows && cell.col < m_fixedCols)
                selectAll();
            else if (cell.row < m_fixedRows)
                selectColumn(cell.col);
            else
                selectRow(cell.row);
        }
    } else {
        const Qt::KeyboardModifiers modifiers = m_selectionEnabled ? event->modifiers() : Qt::NoModifier;
        moveFocus(cell.row, cell.col, modifiers);
    }
    emit cellClicked(cell.row, cell.col);
}

void TableGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_drag != Drag::None) {
        const int delta = (m_drag == Drag::Column ? pos.x() : pos.y()) - m_dragStart;
        if (m_drag == Drag::Column)
            setColumnWidth(m_dragIndex, std::max(0, m_dragStartSize + delta));
        else
            setRowHeight(m_dragIndex, std::max(0, m_dragStartSize + delta));
        return;
    }
    if (event->buttons() == Qt::NoButton) {
        int index = -1;
        const Drag divider = dividerAt(pos, &index);
        viewport()->setCursor(divider == Drag::Column ? Qt::SplitHCursor
                              : divider == Drag::Row  ? Qt::SplitVCursor
                                                      : Qt::ArrowCursor);
    } else if (m_selectionEnabled && (event->buttons() & Qt::LeftButton)) {
        const GridCellPos cell = cellAt(pos);
        if (cell.isValid() && !isFixedCell(cell.row, cell.col) && cell != m_focus)
            moveFocus(cell.row, cell.col, Qt::ShiftModifier);
    }
    updateTitleTip(pos);
}

void TableGrid::mouseReleaseEvent(QMouseEvent*) {
    if (m_drag != Drag::None) {
        m_drag = Drag::None;
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
    if (isCellEditable(cell.row, cell.col) && cell == m_focus)
        openEditor(cell.row, cell.col, cellText(cell.row, cell.col), false);
}

void TableGrid::wheelEvent(QWheelEvent* event) {
    m_wheelDelta += event->angleDelta().y();
    const int notches = m_wheelDelta / 120;
    if (notches == 0)
        return;
    m_wheelDelta -= notches * 120;
    // The platform's wheel setting; Qt answers 3 where the system has none.
    const int lines = QApplication::wheelScrollLines();
    verticalScrollBar()->setValue(verticalScrollBar()->value() - notches * lines);
    event->accept();
}

void TableGrid::leaveEvent(QEvent* event) {
    if (m_titleTip && m_titleTip->isVisible() && !m_titleTip->cellRect().contains(QCursor::pos()))
        hideTitleTip();
    QAbstractScrollArea::leaveEvent(event);
}

// ---- title tips ----

void TableGrid::hideTitleTip() {
    if (m_titleTip)
        m_titleTip->hide();
}

void TableGrid::updateTitleTip(const QPoint& pos) {
    if ((!m_titleTips && !m_cutTextTips) || isEditing() || QApplication::mouseButtons() != Qt::NoButton) {
        hideTitleTip();
        return;
    }
    const GridCellPos cell = cellAt(pos);
    QString tip = cell.isValid() && m_titleTips ? tipText(cell.row, cell.col) : QString();
    if (tip.isEmpty() && cell.isValid() && m_cutTextTips && isTextCut(cell.row, cell.col))
        tip = cellText(cell.row, cell.col);
    if (tip.isEmpty()) {
        hideTitleTip();
        return;
    }
    const QRect cellArea = cellRect(cell.row, cell.col);
    const QRect globalCell(viewport()->mapToGlobal(cellArea.topLeft()), cellArea.size());
    if (m_titleTip && m_titleTip->isVisible() && m_titleTip->cellRect() == globalCell)
        return;
    if (!m_titleTip)
        m_titleTip = std::make_unique<TitleTip>();
    TitleTipPlacement placement;
    placement.cellTextRect = globalCell;
    placement.gridClientRect = QRect(viewport()->mapToGlobal(QPoint(0, 0)), viewport()->size());
    placement.screenRect = screen() ? screen()->geometry() : placement.gridClientRect;
    m_titleTip->showTip(placement, tip);
}

} // namespace telvarin
