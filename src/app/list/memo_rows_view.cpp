#include "app/list/memo_rows_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "app/list/memo_columns.h"
#include "app/list/memo_rows_model.h"
#include "app/list/title_editor.h"

using tidemark::ItemId;


MemoRowsView::MemoRowsView(MemoRowsModel* model, QWidget* parent)
    : QTreeView(parent), m_model(model), m_painter(new ListRowPainter(this)) {
    m_model->setParent(this);
    setModel(m_model);
    setItemDelegate(m_painter);
    setUpMemoColumns(*this);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setRootIsDecorated(false);
    setIndentation(kLevelWidth);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    // Dragging rows is the window's (dragStartRequested); dropping is
    // ListDropTarget's.
    setDragEnabled(true);
    setAcceptDrops(false);
    setMouseTracking(true);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        setFocus(Qt::MouseFocusReason);
        emit columnClicked(column);
    });
    connect(m_painter, &ListRowPainter::editorMoveRequested, this, &MemoRowsView::moveTitleEdit);
    m_clickEdit.setSingleShot(true);
    connect(&m_clickEdit, &QTimer::timeout, this, &MemoRowsView::startClickedTitleEdit);
}

ItemId MemoRowsView::focusedItem() const {
    return m_model->itemId(currentIndex());
}

int MemoRowsView::selectedCount() const {
    int count = 0;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (range.left() == 0)
            count += range.height();
    }
    return count;
}

std::vector<ItemId> MemoRowsView::selectedItems() const {
    // Both lists are flat: the rows of the selection's ranges, in order and
    // each once, are the selected items in the list's order.
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (range.parent().isValid())
            continue;
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    if (!std::is_sorted(rows.begin(), rows.end()))
        std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<ItemId> items;
    items.reserve(rows.size());
    for (int row : rows) {
        const ItemId id = m_model->itemId(m_model->index(row, 0));
        if (id != tidemark::kNoItem)
            items.push_back(id);
    }
    return items;
}

bool MemoRowsView::focusItem(ItemId item, bool exclusive) {
    const QModelIndex row = m_model->indexOf(item);
    if (!row.isValid())
        return false;
    if (exclusive) {
        selectionModel()->setCurrentIndex(
            row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    }
    return true;
}

bool MemoRowsView::selectItems(const std::vector<ItemId>& items) {
    QItemSelection rows;
    QModelIndex last;
    for (const ItemId item : items) {
        const QModelIndex row = m_model->indexOf(item);
        if (!row.isValid())
            continue;
        rows.select(row, row);
        last = row;
    }
    if (!last.isValid())
        return false;
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selectionModel()->setCurrentIndex(last, QItemSelectionModel::NoUpdate);
    return true;
}

bool MemoRowsView::editFocusedTitle() {
    const QModelIndex current = currentIndex().siblingAtColumn(0);
    if (!current.isValid() || m_model->itemId(current) == tidemark::kNoItem)
        return false;
    scrollTo(current);
    return QTreeView::edit(current, QAbstractItemView::AllEditTriggers, nullptr);
}

void MemoRowsView::commitTitleEdit() {
    if (!isEditingTitle())
        return;
    if (QWidget* editor = indexWidget(currentIndex().siblingAtColumn(0))) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        return;
    }
    // The editor is not an index widget; find it among the viewport's children.
    for (auto* editor : viewport()->findChildren<TitleEditor*>()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void MemoRowsView::setFocusWindow(bool focusWindow) {
    if (focusWindow == m_focusWindow)
        return;
    m_focusWindow = focusWindow;
    viewport()->update();
}

void MemoRowsView::setGridLines(bool on) {
    if (on == m_gridLines)
        return;
    m_gridLines = on;
    viewport()->update();
}

void MemoRowsView::setCutTest(std::function<bool(ItemId)> isCut) {
    m_isCut = std::move(isCut);
    viewport()->update();
}

int MemoRowsView::levelOf(const QModelIndex&) const {
    return 0;
}

QModelIndex MemoRowsView::stateImageAt(const QPoint& point) const {
    const QModelIndex index = indexAt(point);
    if (!index.isValid() || m_model->itemId(index) == tidemark::kNoItem)
        return {};
    const QModelIndex first = index.siblingAtColumn(0);
    const QRect cell = visualRect(first);  // the indentation left out already
    const QRect state(cell.left(), cell.top() + (cell.height() - 16) / 2, 16, 16);
    if (!state.contains(point) || first.data(MemoRowsModel::kStateImageRole).toInt() == 0)
        return {};
    return first;
}

void MemoRowsView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    RowGeometry geometry;
    geometry.row = QRect(0, option.rect.top(), viewport()->width(), option.rect.height());
    for (int column = 0; column < m_model->columnCount(); ++column) {
        if (isColumnHidden(column))
            continue;
        geometry.columns.emplace_back(columnViewportPosition(column), option.rect.top(),
                                      columnWidth(column), option.rect.height());
    }
    const QModelIndex current = currentIndex();
    RowLook look;
    look.memoList = isMemoList();
    look.level = levelOf(index);
    look.selected = selectionModel()->isSelected(index.siblingAtColumn(0));
    look.focused =
        current.isValid() && current.row() == index.row() && current.parent() == index.parent();
    look.editorOpen = isEditingTitle();
    look.editingRow = look.editorOpen && look.focused;
    look.focusWindow = m_focusWindow;
    look.gridLines = m_gridLines;
    look.cut = m_isCut && m_isCut(m_model->itemId(index));
    m_painter->paintRow(painter, this, *m_model, index, geometry, look);
}

void MemoRowsView::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(event->key());
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!isEditingTitle()) {
                event->accept();
                emit itemActivated(focusedItem(), true);
                return;
            }
            break;
        case Qt::Key_Escape:
            emit escapePressed();
            break;
        case Qt::Key_Delete:
            if (modifiers == Qt::NoModifier && !isEditingTitle()) {
                event->accept();
                emit deletePressed();
                return;
            }
            break;
        case Qt::Key_Menu: {
            // The popup comes at the centre of the focused row's title area.
            event->accept();
            const QModelIndex current = currentIndex().siblingAtColumn(0);
            const QPoint at = current.isValid() ? visualRect(current).center() : QPoint(0, 0);
            emit popupRequested(viewport()->mapToGlobal(at));
            return;
        }
        case Qt::Key_Plus:
        case Qt::Key_Minus:
        case Qt::Key_Asterisk:
            // The tree's own expanding keys: groups open only through the window.
            if (modifiers == Qt::NoModifier) {
                event->accept();
                return;
            }
            break;
        default:
            break;
    }
    QTreeView::keyPressEvent(event);
}

void MemoRowsView::mousePressEvent(QMouseEvent* event) {
    m_clickEdit.stop();
    if (event->button() == Qt::LeftButton) {
        const QModelIndex row = indexAt(event->position().toPoint()).siblingAtColumn(0);
        const Qt::KeyboardModifiers modifiers = event->modifiers();
        const bool selected = row.isValid() && selectionModel()->isSelected(row);
        m_pressedRow = row;
        m_pressedSoleFocused = selected && isSoleFocusedRow(row);
        m_toggleOnRelease =
            selected && (modifiers & Qt::ControlModifier) && !(modifiers & Qt::ShiftModifier);
        m_doubleClicked = false;
        const QModelIndex state = stateImageAt(event->position().toPoint());
        if (state.isValid()) {
            event->accept();
            setFocus(Qt::MouseFocusReason);
            selectionModel()->setCurrentIndex(
                state, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            emit stateImageClicked(m_model->itemId(state),
                                   state.data(MemoRowsModel::kStateImageRole).toInt());
            return;
        }
    }
    QTreeView::mousePressEvent(event);
}

void MemoRowsView::startDrag(Qt::DropActions) {
    if (selectedCount() > 0)
        emit dragStartRequested();
}

void MemoRowsView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    // The click before this one may have asked for a title edit.
    m_clickEdit.stop();
    m_doubleClicked = true;
    const QPoint point = event->position().toPoint();
    const QModelIndex state = stateImageAt(point);
    if (state.isValid()) {
        selectionModel()->setCurrentIndex(state, QItemSelectionModel::NoUpdate);
    } else if (!indexAt(point).isValid()) {
        return;
    }
    event->accept();
    emit itemActivated(focusedItem(), false);
}

void MemoRowsView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const QModelIndex current = currentIndex().siblingAtColumn(0);
        const QPoint at = current.isValid() ? visualRect(current).center() : QPoint(0, 0);
        emit popupRequested(viewport()->mapToGlobal(at));
        return;
    }
    emit popupRequested(event->globalPos());
}

void MemoRowsView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    emit focusEntered();
}

void MemoRowsView::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    emit focusLeft();
}

bool MemoRowsView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (m_model->itemId(index) == tidemark::kNoItem)
        return QTreeView::edit(index, trigger, event);
    // A click starts editing only on the title of the row that was focused
    // and alone selected before it, and only when no double click follows.
    if (trigger == QAbstractItemView::SelectedClicked) {
        const QModelIndex first = index.siblingAtColumn(0);
        const QRect label = ListRowPainter::labelRect(visualRect(first), 0);
        const auto* mouse = dynamic_cast<QMouseEvent*>(event);
        if (index.column() != 0 || !mouse || !label.contains(mouse->position().toPoint()))
            return false;
        if (m_doubleClicked || !m_pressedSoleFocused || first != QModelIndex(m_pressedRow))
            return false;
        m_clickEditRow = first;
        m_clickEdit.start(QApplication::doubleClickInterval());
        return true;
    }
    return QTreeView::edit(index.siblingAtColumn(0), trigger, event);
}

bool MemoRowsView::isSoleFocusedRow(const QModelIndex& index) const {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.row() != index.row() || current.parent() != index.parent())
        return false;
    const QItemSelection selection = selectionModel()->selection();
    return selection.size() == 1 && selection.front().height() == 1;
}

void MemoRowsView::startClickedTitleEdit() {
    const QModelIndex row = m_clickEditRow;
    m_clickEditRow = QPersistentModelIndex();
    if (!row.isValid() || isEditingTitle() || !isSoleFocusedRow(row))
        return;
    QTreeView::edit(row, QAbstractItemView::AllEditTriggers, nullptr);
}

QItemSelectionModel::SelectionFlags MemoRowsView::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
    // Ctrl on a selected row leaves the selection as it is until the
    // release: a drag from there carries every selected row.
    if (event && m_toggleOnRelease && index.isValid() &&
        index.siblingAtColumn(0) == QModelIndex(m_pressedRow)) {
        if (event->type() == QEvent::MouseButtonPress)
            return QItemSelectionModel::NoUpdate;
        if (event->type() == QEvent::MouseButtonRelease)
            return QItemSelectionModel::Deselect | QItemSelectionModel::Rows;
    }
    return QTreeView::selectionCommand(index, event);
}

void MemoRowsView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    if (current.row() != previous.row() || current.parent() != previous.parent() ||
        current.isValid() != previous.isValid()) {
        emit focusedItemChanged(m_model->itemId(current));
    }
}

void MemoRowsView::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
    QTreeView::selectionChanged(selected, deselected);
    emit selectionCountChanged();
}

void MemoRowsView::moveTitleEdit(QWidget* editor, int direction) {
    const QModelIndex current = currentIndex().siblingAtColumn(0);
    const QModelIndex target = direction < 0 ? indexAbove(current) : indexBelow(current);
    if (!target.isValid() || m_model->itemId(target) == tidemark::kNoItem)
        return;  // the edit stays open
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    selectionModel()->setCurrentIndex(
        target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(target);
    QTreeView::edit(target, QAbstractItemView::AllEditTriggers, nullptr);
}
