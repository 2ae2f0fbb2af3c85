#include "app/list/memo_list.h"

#include <QKeyEvent>
#include <vector>

#include "core/model/note.h"

using tidemark::ItemId;

MemoList::MemoList(QWidget* parent)
    : MemoRowsView(new NoteTreeModel, parent), m_tree(static_cast<NoteTreeModel*>(rowsModel())) {
    setObjectName(QStringLiteral("memoList"));
}

bool MemoList::focusWithin(ItemId top) const {
    tidemark::Note* note = m_tree->note();
    if (!note)
        return false;
    std::size_t budget = note->Items().Size() + 1;
    for (ItemId at = focusedItem(); at != tidemark::kNoItem && budget-- > 0;) {
        if (at == top)
            return true;
        const tidemark::Item* item = note->FindItem(at);
        at = item ? item->links.parent : tidemark::kNoItem;
    }
    return false;
}

void MemoList::removeItems(ItemId first, std::uint32_t count, const std::function<void()>& change) {
    const QModelIndex firstRow = m_tree->indexOf(first);
    tidemark::Note* note = m_tree->note();
    if (firstRow.isValid() && note) {
        std::uint32_t taken = 0;
        for (const tidemark::Item* item = note->FindItem(first);
             item && (count == 0 || taken < count) && taken <= note->Items().Size();
             item = note->FindItem(item->links.next), ++taken) {
            if (focusWithin(item->links.id)) {
                selectionModel()->setCurrentIndex(indexAbove(firstRow),
                                                  QItemSelectionModel::NoUpdate);
                break;
            }
        }
    }
    m_tree->removeItems(first, count, change);
}

void MemoList::groupOpenChanged(ItemId group) {
    const QModelIndex row = m_tree->indexOf(group);
    const tidemark::Item* item = m_tree->note() ? m_tree->note()->FindItem(group) : nullptr;
    if (row.isValid() && item && !item->IsOpen() && focusedItem() != group && focusWithin(group))
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
    return m_tree->levelOf(index);
}
