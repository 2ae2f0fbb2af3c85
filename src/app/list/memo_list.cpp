#include "app/list/memo_list.h"

#include <QKeyEvent>
#include <vector>

#include "core/model/note.h"

using tidemark::ItemId;

MemoList::MemoList(QWidget* parent)
    : MemoRowsView(new NoteTreeModel, parent), m_tree(static_cast<NoteTreeModel*>(rowsModel())) {
    setObjectName(QStringLiteral("memoList"));
    // A tree with every group that has rows expanded: after a reset all of
    // them, after an insertion those that came with it.
    connect(m_tree, &QAbstractItemModel::modelReset, this, [this] { expandAll(); });
    connect(m_tree, &QAbstractItemModel::rowsInserted, this, &MemoList::expandInserted);
}

void MemoList::expandInserted(const QModelIndex& parent, int first, int last) {
    std::vector<QModelIndex> groups;
    std::vector<QModelIndex> pending;
    for (int row = first; row <= last; ++row)
        pending.push_back(m_tree->index(row, 0, parent));
    while (!pending.empty()) {
        const QModelIndex at = pending.back();
        pending.pop_back();
        if (!m_tree->hasChildren(at))
            continue;
        groups.push_back(at);
        const int rows = m_tree->rowCount(at);
        for (int row = 0; row < rows; ++row)
            pending.push_back(m_tree->index(row, 0, at));
    }
    if (!groups.empty()) {
        // The rows below the new groups are laid out with everything else:
        // asking for each group's place one at a time would cost a search of
        // all rows per group.
        scheduleDelayedItemsLayout();
        for (const QModelIndex& group : groups)
            expand(group);
    }
    if (parent.isValid())
        expand(parent);
}

bool MemoList::focusWithin(const QModelIndex& row) const {
    for (QModelIndex at = currentIndex().siblingAtColumn(0); at.isValid(); at = at.parent()) {
        if (at == row)
            return true;
    }
    return false;
}

void MemoList::removeItems(ItemId first, std::uint32_t count, const std::function<void()>& change) {
    const QModelIndex firstRow = m_tree->indexOf(first);
    for (QModelIndex row = firstRow;
         row.isValid() && (count == 0 || std::uint32_t(row.row() - firstRow.row()) < count);
         row = row.siblingAtRow(row.row() + 1)) {
        if (focusWithin(row)) {
            selectionModel()->setCurrentIndex(indexAbove(firstRow), QItemSelectionModel::NoUpdate);
            break;
        }
    }
    m_tree->removeItems(first, count, change);
}

void MemoList::groupOpenChanged(ItemId group) {
    const QModelIndex row = m_tree->indexOf(group);
    const tidemark::Item* item = m_tree->note() ? m_tree->note()->FindItem(group) : nullptr;
    if (row.isValid() && item && !item->IsOpen() && focusWithin(row))
        selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    m_tree->groupOpenChanged(group);
}

void MemoList::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && !isEditingTitle() &&
        (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        emit keyPressed(event->key());
        event->accept();
        emit sidewaysKey(event->key() == Qt::Key_Right);
        return;
    }
    MemoRowsView::keyPressEvent(event);
}

int MemoList::levelOf(const QModelIndex& index) const {
    const ItemId id = m_tree->itemId(index);
    tidemark::Note* note = m_tree->note();
    if (id == tidemark::kNoItem || !note)
        return 0;
    const std::uint32_t depth = note->GetDepth(id);
    return depth > 0 ? int(depth) - 1 : 0;
}
