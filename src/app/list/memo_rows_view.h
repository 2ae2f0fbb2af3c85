#pragma once

#include <QPersistentModelIndex>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <vector>

#include "app/list/list_row_painter.h"
#include "core/model/item_id.h"

class MemoRowsModel;

// What both memo lists share: rows painted by ListRowPainter (the view
// draws nothing of its own), the focus (the current row) apart from the
// selection, titles edited in place, and the user's actions on rows
// reported as signals for the window to carry out.
class MemoRowsView : public QTreeView {
    Q_OBJECT
public:
    explicit MemoRowsView(MemoRowsModel* model, QWidget* parent = nullptr);

    MemoRowsModel* rowsModel() const { return m_model; }
    ListRowPainter* rowPainter() const { return m_painter; }

    // The item the list's focus rests on; 0 when none.
    tidemark::ItemId focusedItem() const;
    // The number of selected rows.
    int selectedCount() const;
    // The items of the selected rows, in the order of the list.
    std::vector<tidemark::ItemId> selectedItems() const;

    // Puts the focus on the row of `item` (without touching the selection,
    // or selecting it alone with `exclusive`); false when it has no row.
    bool focusItem(tidemark::ItemId item, bool exclusive);
    // Selects the rows of `items` alone and puts the focus on the last of
    // them that has a row; false when none has one.
    bool selectItems(const std::vector<tidemark::ItemId>& items);
    // Starts editing the title of the focused row; false when there is none.
    bool editFocusedTitle();
    // A title edit box is open.
    bool isEditingTitle() const { return state() == QAbstractItemView::EditingState; }
    // Ends an open title edit box, keeping what was typed.
    void commitTitleEdit();

    // The list is the FocusWindow: its highlight is the strong one.
    void setFocusWindow(bool focusWindow);
    bool isFocusWindow() const { return m_focusWindow; }
    void setGridLines(bool on);
    bool hasGridLines() const { return m_gridLines; }
    // Rows whose items are cut to the clipboard are drawn ghosted.
    void setCutTest(std::function<bool(tidemark::ItemId)> isCut);

    // The state image under `point` (viewport coordinates): its row's index,
    // or an invalid index.
    QModelIndex stateImageAt(const QPoint& point) const;

signals:
    // The focus moved to another row (0: no row, or a fixed row).
    void focusedItemChanged(tidemark::ItemId item);
    // Rows were selected or unselected.
    void selectionCountChanged();
    // Enter (`byKey`) or a double click on the focused row.
    void itemActivated(tidemark::ItemId item, bool byKey);
    // A click on the state image of `item`'s row (the row is focused first).
    void stateImageClicked(tidemark::ItemId item, int stateImage);
    // The popup menu, at `globalPos`.
    void popupRequested(const QPoint& globalPos);
    // A click on a column caption.
    void columnClicked(int column);
    // A key went down in the list.
    void keyPressed(int key);
    // The Delete key (the window runs its delete command).
    void deletePressed();
    // Escape in the list (a pending cut is cancelled).
    void escapePressed();
    // The user started dragging the selected rows.
    void dragStartRequested();
    // The keyboard focus came or went.
    void focusEntered();
    void focusLeft();

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

    // The indentation level of the row (the memo list indents by depth).
    virtual int levelOf(const QModelIndex& index) const;
    // The list is the memo list (nested bands, the focus underline).
    virtual bool isMemoList() const { return false; }

private:
    void moveTitleEdit(QWidget* editor, int direction);
    // The row under a press was the focused row and the only selected one.
    bool isSoleFocusedRow(const QModelIndex& index) const;
    void startClickedTitleEdit();

    MemoRowsModel* m_model;
    ListRowPainter* m_painter;
    bool m_focusWindow = false;
    bool m_gridLines = false;
    std::function<bool(tidemark::ItemId)> m_isCut;
    // What the last left press found: its row, whether that row alone was
    // selected and focused, whether Ctrl was held on a selected row (the
    // row is unselected at the release, so that the press may start a
    // drag of the whole selection instead), and whether a double click
    // followed.
    QPersistentModelIndex m_pressedRow;
    bool m_pressedSoleFocused = false;
    bool m_toggleOnRelease = false;
    bool m_doubleClicked = false;
    // A click on the focused row's title opens the edit box once the time
    // for a double click has passed.
    QTimer m_clickEdit;
    QPersistentModelIndex m_clickEditRow;
};
