#include "app/list/note_tree_model.h"

#include <algorithm>
#include <vector>

#include "app/common/ui_strings.h"
#include "core/model/item.h"
#include "core/model/note.h"

using tidemark::Item;
using tidemark::ItemId;
using tidemark::kNoItem;

namespace {

// The hint rows of a note without items: picture and text.
struct HintRow {
    int icon;
    std::uint32_t text;
};
constexpr HintRow kHintRows[] = {
    {RowIcon::kBlank, 14010}, {RowIcon::kBlank, 14006}, {RowIcon::kNewMemo, 14007},
    {RowIcon::kPaste, 14008}, {RowIcon::kDrag, 14009},
};
constexpr int kHintRowCount = int(std::size(kHintRows));

}  // namespace

NoteTreeModel::NoteTreeModel(QObject* parent)
    : MemoRowsModel(IconPlace::kMemoList, parent), m_rows(m_note) {}

void NoteTreeModel::forgetRows() {
    m_rows.clear();
    m_shown.clear();
}

void NoteTreeModel::forgetBelow(ItemId id) {
    std::vector<ItemId> pending{id};
    while (!pending.empty()) {
        const ItemId at = pending.back();
        pending.pop_back();
        if (at != id)
            m_shown.erase(at);
        if (const std::vector<ItemId>* rows = m_rows.known(at))
            pending.insert(pending.end(), rows->begin(), rows->end());
    }
    m_rows.forgetSubtree(id);
}

ItemId NoteTreeModel::parentId(const QModelIndex& parent) const {
    if (parent.isValid())
        return ItemId(parent.internalId());
    return m_note ? m_note->RootId() : kNoItem;
}

bool NoteTreeModel::showsChildren(ItemId group) const {
    if (!m_note || group == kNoItem)
        return false;
    if (group == m_note->RootId())
        return true;
    if (const auto known = m_shown.find(group); known != m_shown.end())
        return known->second;
    const Item* item = m_note->FindItem(group);
    const bool shown = item && item->IsGroup() && item->IsOpen();
    m_shown.emplace(group, shown);
    return shown;
}

bool NoteTreeModel::rowsShownBelow(ItemId id) const {
    if (!m_note || m_hintRows)
        return false;
    const ItemId root = m_note->RootId();
    std::size_t budget = m_note->Items().Size() + 1;
    for (ItemId at = id; at != kNoItem && budget-- > 0;) {
        if (at == root)
            return true;
        if (!showsChildren(at))
            return false;
        const Item* item = m_note->FindItem(at);
        if (!item)
            return false;
        at = item->links.parent;
    }
    return false;
}

QModelIndex NoteTreeModel::indexOf(ItemId id, int column) const {
    if (!m_note || m_hintRows || id == kNoItem || id == m_note->RootId() || column < 0 ||
        column >= columnCount()) {
        return {};
    }
    const Item* item = m_note->FindItem(id);
    if (!item || !rowsShownBelow(item->links.parent))
        return {};
    const int row = m_rows.rowOf(id, item->links.parent);
    return row < 0 ? QModelIndex() : makeIndex(row, column, id);
}

void NoteTreeModel::refill() {
    beginResetModel();
    forgetRows();
    endResetModel();
}

void NoteTreeModel::setHintRows(bool shown) {
    if (shown == m_hintRows)
        return;
    beginResetModel();
    m_hintRows = shown;
    forgetRows();
    endResetModel();
}

void NoteTreeModel::itemsInserted(ItemId first, std::uint32_t count) {
    const Item* item = m_note ? m_note->FindItem(first) : nullptr;
    if (!item || count == 0)
        return;
    if (m_hintRows) {
        setHintRows(false);  // the reset shows the new items with the rest
        return;
    }
    const ItemId parent = item->links.parent;
    if (!rowsShownBelow(parent)) {
        m_rows.forget(parent);
        return;
    }
    std::vector<ItemId> run;
    for (const Item* i = item; i && run.size() < count; i = m_note->FindItem(i->links.next))
        run.push_back(i->links.id);

    std::vector<ItemId>* rows = m_rows.known(parent);
    if (rows && std::find(rows->begin(), rows->end(), first) != rows->end())
        return;  // announced before
    if (!rows) {
        // Rows never asked for: read them and leave the new run out, so that
        // the model answers as before the change until the rows are announced.
        rows = &m_rows.of(parent);
        std::erase_if(
            *rows, [&](ItemId id) { return std::find(run.begin(), run.end(), id) != run.end(); });
    }
    int row = 0;
    if (item->links.previous != kNoItem) {
        const auto previous = std::find(rows->begin(), rows->end(), item->links.previous);
        if (previous == rows->end()) {
            refill();
            return;
        }
        row = int(previous - rows->begin()) + 1;
    }
    const QModelIndex parentIndex = parent == m_note->RootId() ? QModelIndex() : indexOf(parent);
    beginInsertRows(parentIndex, row, row + int(run.size()) - 1);
    rows->insert(rows->begin() + row, run.begin(), run.end());
    endInsertRows();
}

void NoteTreeModel::removeItems(ItemId first, std::uint32_t count,
                                const std::function<void()>& change) {
    auto runChange = [&] {
        if (change)
            change();
    };
    const Item* item = m_note ? m_note->FindItem(first) : nullptr;
    if (!item || m_hintRows) {
        runChange();
        return;
    }
    std::vector<ItemId> run;
    for (const Item* i = item; i && (count == 0 || run.size() < count);
         i = m_note->FindItem(i->links.next)) {
        run.push_back(i->links.id);
    }
    const ItemId parent = item->links.parent;
    if (!rowsShownBelow(parent)) {
        runChange();
        m_rows.forget(parent);
        for (ItemId id : run) {
            forgetBelow(id);
            m_shown.erase(id);
        }
        return;
    }
    const int row = m_rows.rowOf(first, parent);
    if (row < 0) {
        runChange();
        refill();
        return;
    }
    const QModelIndex parentIndex = parent == m_note->RootId() ? QModelIndex() : indexOf(parent);
    beginRemoveRows(parentIndex, row, row + int(run.size()) - 1);
    runChange();
    if (std::vector<ItemId>* rows = m_rows.known(parent)) {
        const auto from = rows->begin() + row;
        rows->erase(
            from, from + std::min<std::ptrdiff_t>(std::ptrdiff_t(run.size()), rows->end() - from));
    }
    for (ItemId id : run) {
        forgetBelow(id);
        m_shown.erase(id);
    }
    endRemoveRows();
}

void NoteTreeModel::groupOpenChanged(ItemId group) {
    const Item* item = m_note ? m_note->FindItem(group) : nullptr;
    if (!item || !item->IsGroup() || group == m_note->RootId() || m_hintRows)
        return;
    const bool open = item->IsOpen();
    if (!rowsShownBelow(item->links.parent)) {
        forgetBelow(group);
        m_shown.erase(group);
        return;
    }
    if (showsChildren(group) != open) {
        const QModelIndex groupIndex = indexOf(group);
        if (open) {
            forgetBelow(group);
            const int count = int(m_rows.of(group).size());
            if (count > 0)
                beginInsertRows(groupIndex, 0, count - 1);
            m_shown[group] = true;
            if (count > 0)
                endInsertRows();
        } else {
            const std::vector<ItemId> children = m_rows.of(group);
            if (!children.empty())
                beginRemoveRows(groupIndex, 0, int(children.size()) - 1);
            m_shown[group] = false;
            forgetBelow(group);
            if (!children.empty())
                endRemoveRows();
        }
    }
    itemChanged(group);
}

void NoteTreeModel::childrenReordered(ItemId group, bool recursive) {
    if (!m_note || m_hintRows)
        return;
    if (!rowsShownBelow(group)) {
        if (recursive) {
            forgetBelow(group);
        } else {
            m_rows.forget(group);
        }
        return;
    }
    QList<QPersistentModelIndex> parents;
    if (!recursive && group != m_note->RootId())
        parents << QPersistentModelIndex(indexOf(group));
    emit layoutAboutToBeChanged(parents, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    if (recursive) {
        // The open states stay as announced; only the order is read again.
        m_rows.forgetSubtree(group);
    } else {
        m_rows.forget(group);
    }
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const ItemId id = itemId(index);
        after << (id == kNoItem ? index : indexOf(id, index.column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged(parents, QAbstractItemModel::VerticalSortHint);
}

int NoteTreeModel::fixedRowIcon(int row) const {
    return row >= 0 && row < kHintRowCount ? kHintRows[row].icon : RowIcon::kNone;
}

QString NoteTreeModel::fixedRowText(int row) const {
    return row >= 0 && row < kHintRowCount ? uiText(kHintRows[row].text) : QString();
}

QModelIndex NoteTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= columnCount() || parent.column() > 0)
        return {};
    if (m_hintRows) {
        return !parent.isValid() && row < kHintRowCount ? makeIndex(row, column, kNoItem)
                                                        : QModelIndex();
    }
    const ItemId group = parentId(parent);
    if (!showsChildren(group))
        return {};
    const std::vector<ItemId>& rows = m_rows.of(group);
    if (row >= int(rows.size()))
        return {};
    return makeIndex(row, column, rows[std::size_t(row)]);
}

QModelIndex NoteTreeModel::parent(const QModelIndex& child) const {
    const ItemId id = itemId(child);
    if (id == kNoItem || !m_note || m_hintRows)
        return {};
    const Item* item = m_note->FindItem(id);
    if (!item)
        return {};
    const ItemId parent = item->links.parent;
    if (parent == kNoItem || parent == m_note->RootId())
        return {};
    const Item* parentItem = m_note->FindItem(parent);
    if (!parentItem)
        return {};
    const int row = m_rows.rowOf(parent, parentItem->links.parent);
    return row < 0 ? QModelIndex() : makeIndex(row, 0, parent);
}

int NoteTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    if (m_hintRows)
        return parent.isValid() ? 0 : kHintRowCount;
    if (parent.isValid() && itemId(parent) == kNoItem)
        return 0;
    const ItemId group = parentId(parent);
    if (!showsChildren(group))
        return 0;
    return int(m_rows.of(group).size());
}

bool NoteTreeModel::hasChildren(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return false;
    if (m_hintRows)
        return !parent.isValid();
    if (parent.isValid() && itemId(parent) == kNoItem)
        return false;
    const ItemId group = parentId(parent);
    if (!showsChildren(group))
        return false;
    if (const std::vector<ItemId>* rows = m_rows.known(group))
        return !rows->empty();
    const Item* item = m_note->FindItem(group);
    return item && item->links.firstChild != kNoItem;
}
