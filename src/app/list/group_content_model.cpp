#include "app/list/group_content_model.h"

#include <algorithm>

#include "app/common/ui_strings.h"
#include "app/list/memo_columns.h"
#include "core/model/item.h"
#include "core/model/note.h"

using tidemark::Item;
using tidemark::ItemId;
using tidemark::kNoItem;

namespace {

struct LockedRow {
    int icon;
    std::uint32_t text;
};
constexpr LockedRow kLockedRows[] = {{RowIcon::kWarning, 14013}, {RowIcon::kNone, 14014}};
constexpr int kLockedRowCount = int(std::size(kLockedRows));

}  // namespace

GroupContentModel::GroupContentModel(QObject* parent)
    : MemoRowsModel(IconPlace::kGroupList, parent) {}

void GroupContentModel::forgetRows() {
    readRows();
}

void GroupContentModel::readRows() {
    m_rows.clear();
    m_lockedRows = false;
    const Item* group = m_note ? m_note->FindItem(m_group) : nullptr;
    if (!group || !group->IsGroup()) {
        m_group = kNoItem;
        return;
    }
    if (group->IsLockedGroup() && group->Password().Empty()) {
        m_lockedRows = true;
        return;
    }
    const std::size_t limit = m_note->Items().Size();
    for (const Item* c = m_note->FindItem(group->links.firstChild); c && m_rows.size() <= limit;
         c = m_note->FindItem(c->links.next)) {
        m_rows.push_back(c->links.id);
    }
}

void GroupContentModel::showGroup(ItemId group) {
    beginResetModel();
    m_group = group;
    readRows();
    endResetModel();
}

QModelIndex GroupContentModel::indexOf(ItemId id, int column) const {
    if (!m_note || m_lockedRows || id == kNoItem || column < 0 || column >= columnCount())
        return {};
    const Item* item = m_note->FindItem(id);
    if (!item || item->links.parent != m_group)
        return {};
    const std::uint32_t guess = m_note->GetSiblingIndex(id);
    if (guess < m_rows.size() && m_rows[guess] == id)
        return makeIndex(int(guess), column, id);
    const auto found = std::find(m_rows.begin(), m_rows.end(), id);
    return found == m_rows.end() ? QModelIndex()
                                 : makeIndex(int(found - m_rows.begin()), column, id);
}

void GroupContentModel::itemsInserted(ItemId first, std::uint32_t count) {
    const Item* item = m_note ? m_note->FindItem(first) : nullptr;
    if (!item || count == 0 || m_lockedRows || m_group == kNoItem || item->links.parent != m_group)
        return;
    if (std::find(m_rows.begin(), m_rows.end(), first) != m_rows.end())
        return;  // announced before
    std::vector<ItemId> run;
    for (const Item* i = item; i && run.size() < count; i = m_note->FindItem(i->links.next))
        run.push_back(i->links.id);
    int row = 0;
    if (item->links.previous != kNoItem) {
        const auto previous = std::find(m_rows.begin(), m_rows.end(), item->links.previous);
        if (previous == m_rows.end()) {
            showGroup(m_group);
            return;
        }
        row = int(previous - m_rows.begin()) + 1;
    }
    beginInsertRows({}, row, row + int(run.size()) - 1);
    m_rows.insert(m_rows.begin() + row, run.begin(), run.end());
    endInsertRows();
}

void GroupContentModel::removeItems(ItemId first, std::uint32_t count,
                                    const std::function<void()>& change) {
    const Item* item = m_note ? m_note->FindItem(first) : nullptr;
    const QModelIndex at = item && item->links.parent == m_group ? indexOf(first) : QModelIndex();
    if (!at.isValid()) {
        if (change)
            change();
        if (item && item->links.id == m_group)
            showGroup(kNoItem);  // the group itself goes
        return;
    }
    int rows = 0;
    for (const Item* i = item; i && (count == 0 || std::uint32_t(rows) < count);
         i = m_note->FindItem(i->links.next)) {
        ++rows;
    }
    rows = std::min(rows, int(m_rows.size()) - at.row());
    beginRemoveRows({}, at.row(), at.row() + rows - 1);
    if (change)
        change();
    m_rows.erase(m_rows.begin() + at.row(), m_rows.begin() + at.row() + rows);
    endRemoveRows();
}

void GroupContentModel::childrenReordered() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    readRows();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const ItemId id = itemId(index);
        after << (id == kNoItem ? index : indexOf(id, index.column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int GroupContentModel::fixedRowIcon(int row) const {
    return m_lockedRows && row >= 0 && row < kLockedRowCount ? kLockedRows[row].icon
                                                             : RowIcon::kNone;
}

QString GroupContentModel::fixedRowText(int row) const {
    return m_lockedRows && row >= 0 && row < kLockedRowCount ? uiText(kLockedRows[row].text)
                                                             : QString();
}

QColor GroupContentModel::defaultTextColour() const {
    const Item* group = m_note ? m_note->FindItem(m_group) : nullptr;
    if (group && group->HasOwnTextColour())
        return colourFromNote(group->ForegroundColour());
    return MemoRowsModel::defaultTextColour();
}

QModelIndex GroupContentModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return makeIndex(row, column, m_lockedRows ? kNoItem : m_rows[std::size_t(row)]);
}

QModelIndex GroupContentModel::parent(const QModelIndex&) const {
    return {};
}

int GroupContentModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_lockedRows ? kLockedRowCount : int(m_rows.size());
}

bool GroupContentModel::hasChildren(const QModelIndex& parent) const {
    return !parent.isValid() && rowCount() > 0;
}
