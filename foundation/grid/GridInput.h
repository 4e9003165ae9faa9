#pragma once

// The user's side of a table grid: keys, mouse and wheel, the focus and the selection, the
// in-place editor, the clipboard, header clicks, typing to find a column and the title tips. The
// grid hands its events here and asks here for what the user has chosen.

#include "foundation/grid/GridCell.h"
#include "foundation/grid/GridGeometry.h"
#include "foundation/grid/GridSelection.h"
#include "foundation/grid/GridSortKeys.h"

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QEvent;
class QKeyEvent;
class QLineEdit;
class QMouseEvent;
class QWheelEvent;
class QWidget;

namespace telvarin {

class TableGrid;
class TitleTip;

class GridInput : public QObject {
public:
    explicit GridInput(TableGrid& grid);
    ~GridInput() override;

    // Focus and selection.
    const GridSelection& selection() const { return selection_; }
    GridCellPos focusCell() const { return selection_.focus(); }
    // Moves the focus onto the nearest non-fixed cell; Shift extends the selection.
    void moveFocus(int row, int col, Qt::KeyboardModifiers modifiers);
    void selectRow(int row);
    void selectColumn(int col);
    void selectAll();
    void clearSelection();
    // After the table shrank.
    void keepWithinRows();
    void keepWithinColumns();

    // Cell changes and the clipboard.
    bool changeCellText(int row, int col, const QString& text);
    QString selectionText() const;
    void deleteSelection();
    void pasteText(const QString& text);

    // The in-place editor.
    void openEditor(int row, int col, const QString& initialText, bool openedByTyping);
    bool isEditing() const { return editRow_ >= 0; }
    QLineEdit* editor() const { return editor_; }
    void commitEditor();
    void cancelEditor();
    // Follows its cell after the grid was resized.
    void placeEditor();

    // Typing to find a column.
    void enableColumnSearch(QWidget* positionDisplay);
    void setClock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }

    TitleTip* titleTip() const { return titleTip_.get(); }
    void hideTitleTip();

    // The grid's events. gridEvent() answers what the grid's event() is to answer when it took the
    // event, and nothing when the grid is to handle it.
    std::optional<bool> gridEvent(QEvent* event);
    void keyPress(QKeyEvent* event);
    void mousePress(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void mouseRelease();
    void mouseDoubleClick(QMouseEvent* event);
    void wheel(QWheelEvent* event);
    void leave();

protected:
    // The editor's keys and its losing the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridGeometry cellGeometry() const;
    void setSelectedRange(int top, int left, int bottom, int right);
    bool applyChange(int row, int col, const QString& text, bool askOwner);
    bool handleNavigationKey(int key, Qt::KeyboardModifiers modifiers);
    // Ctrl+Tab, and Tab with no cell left to go to, pass the focus on to the window's next control.
    bool tabLeavesGrid(int key, Qt::KeyboardModifiers modifiers) const;
    GridCellPos navigationTarget(int key, Qt::KeyboardModifiers modifiers) const;
    void handleHeaderClick(const GridCellPos& cell);
    void handleColumnSearch(QChar character);
    void updatePositionDisplay();
    void closeEditor();
    void onEditorKey(int key, Qt::KeyboardModifiers modifiers);
    void updateTitleTip(const QPoint& viewportPos);

    TableGrid& grid_;
    GridSelection selection_;

    bool columnSearch_ = false;
    QPointer<QWidget> positionDisplay_;
    QString positionBaseTitle_;
    ColumnSearchBuffer searchBuffer_;
    std::function<std::int64_t()> clock_;

    QLineEdit* editor_ = nullptr;
    int editRow_ = -1;
    int editCol_ = -1;
    bool editExitsOnArrows_ = false;
    bool endingEdit_ = false;

    std::unique_ptr<TitleTip> titleTip_;
    GridGeometry::Divider drag_ = GridGeometry::Divider::None;
    int dragIndex_ = -1;
    int dragStart_ = 0;
    int dragStartSize_ = 0;
    int wheelDelta_ = 0;
};

} // namespace telvarin
