#include "app/list/note_tree_model.h"

#include <algorithm>
#include <vector>

#include "app/common/ui_strings.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/subtree_walk.h"

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

NoteTreeModel::NoteTreeModel(QObject* parent) : MemoRowsModel(IconPlace::kMemoList, parent) {}

void NoteTreeModel::forgetRows() {
    m_rows.clear();
    m_expanded.clear();
    m_read = false;
    rowsMoved();
}

void NoteTreeModel::rowsMoved() {
    m_rowIndexStale = true;
    m_searchesSinceChange = 0;
}

const std::vector<NoteTreeModel::Row>& NoteTreeModel::rows() const {
    if (!m_read) {
        m_read = true;
        m_expanded.clear();
        m_rows.clear();
        if (m_note && !m_hintRows) {
            m_rows = rowsOf(m_note->RootId(), true, 0,
                            [](const Item& group) { return group.IsOpen(); });
        }
        m_rowIndexStale = true;
    }
    return m_rows;
}

std::vector<NoteTreeModel::Row> NoteTreeModel::rowsOf(ItemId top, bool below, std::uint32_t level,
                                                      const Enters& enters) const {
    std::vector<Row> found;
    if (!m_note)
        return found;
    using tidemark::SubtreeWalk;
    using tidemark::WalkStep;
    tidemark::WalkSubtree(*m_note, top, below ? SubtreeWalk::Span::kBelow : SubtreeWalk::Span::kSubtree,
                          [&](Item& item, const SubtreeWalk& walk) {
                              found.push_back({item.links.id, level + std::uint32_t(walk.Depth())});
                              if (!item.IsGroup() || !enters(item))
                                  return WalkStep::kSkipChildren;
                              m_expanded.insert(item.links.id);
                              return WalkStep::kEnter;
                          });
    return found;
}

int NoteTreeModel::rowOf(ItemId id) const {
    const std::vector<Row>& all = rows();
    if (m_rowIndexStale) {
        // Right after a change only a few rows are looked up as a rule:
        // searching is cheaper than indexing every row for them.
        constexpr int kSearchesBeforeIndexing = 8;
        if (++m_searchesSinceChange <= kSearchesBeforeIndexing) {
            const auto found = std::find_if(all.begin(), all.end(),
                                            [id](const Row& row) { return row.id == id; });
            return found == all.end() ? -1 : int(found - all.begin());
        }
        m_rowIndex.clear();
        m_rowIndex.reserve(all.size());
        for (std::size_t row = 0; row < all.size(); ++row)
            m_rowIndex.emplace(all[row].id, int(row));
        m_rowIndexStale = false;
    }
    const auto found = m_rowIndex.find(id);
    return found == m_rowIndex.end() ? -1 : found->second;
}

int NoteTreeModel::blockEnd(int row) const {
    const std::vector<Row>& all = rows();
    const std::uint32_t level = all[std::size_t(row)].level;
    std::size_t end = std::size_t(row) + 1;
    while (end < all.size() && all[end].level > level)
        ++end;
    return int(end);
}

bool NoteTreeModel::showsChildren(ItemId group) const {
    if (!m_note || group == kNoItem)
        return false;
    if (group == m_note->RootId())
        return true;
    if (!m_hintRows && rowOf(group) >= 0)
        return m_expanded.count(group) > 0;
    const Item* item = m_note->FindItem(group);
    return item && item->IsGroup() && item->IsOpen();
}

bool NoteTreeModel::rowsShownBelow(ItemId id) const {
    if (!m_note || m_hintRows)
        return false;
    if (id == m_note->RootId())
        return true;
    return m_expanded.count(id) > 0 && rowOf(id) >= 0;
}

QModelIndex NoteTreeModel::indexOf(ItemId id, int column) const {
    if (!m_note || m_hintRows || id == kNoItem || id == m_note->RootId() || column < 0 ||
        column >= columnCount()) {
        return {};
    }
    const int row = rowOf(id);
    return row < 0 ? QModelIndex() : makeIndex(row, column, id);
}

int NoteTreeModel::levelOf(const QModelIndex& index) const {
    if (m_hintRows || !index.isValid() || index.model() != this)
        return 0;
    const std::vector<Row>& all = rows();
    return index.row() < int(all.size()) ? int(all[std::size_t(index.row())].level) : 0;
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
    if (!m_read)
        return;  // the rows are read with the new items when first asked for
    const ItemId parent = item->links.parent;
    if (!rowsShownBelow(parent) || rowOf(first) >= 0)
        return;  // not shown, or announced before
    const bool atTop = parent == m_note->RootId();
    const int parentRow = atTop ? -1 : rowOf(parent);
    int at = parentRow + 1;
    if (item->links.previous != kNoItem) {
        const int previous = rowOf(item->links.previous);
        if (previous < 0) {
            refill();
            return;
        }
        at = blockEnd(previous);
    }
    const std::uint32_t level = atTop ? 0 : m_rows[std::size_t(parentRow)].level + 1;
    std::vector<Row> added;
    std::uint32_t taken = 0;
    for (const Item* i = item; i && taken < count; i = m_note->FindItem(i->links.next), ++taken) {
        std::vector<Row> subtree =
            rowsOf(i->links.id, false, level, [](const Item& group) { return group.IsOpen(); });
        added.insert(added.end(), subtree.begin(), subtree.end());
    }
    if (added.empty())
        return;
    beginInsertRows({}, at, at + int(added.size()) - 1);
    m_rows.insert(m_rows.begin() + at, added.begin(), added.end());
    rowsMoved();
    endInsertRows();
}

void NoteTreeModel::removeItems(ItemId first, std::uint32_t count,
                                const std::function<void()>& change) {
    auto runChange = [&] {
        if (change)
            change();
    };
    const Item* item = m_note ? m_note->FindItem(first) : nullptr;
    if (!item || m_hintRows || !m_read) {
        runChange();
        return;
    }
    const int start = rowOf(first);
    if (start < 0) {
        const bool shouldHaveRow = rowsShownBelow(item->links.parent);
        runChange();
        if (shouldHaveRow)
            refill();
        return;
    }
    // The run's rows: each sibling's row with the rows below it.
    const std::uint32_t level = m_rows[std::size_t(start)].level;
    int end = start;
    for (std::uint32_t taken = 0; end < int(m_rows.size()) &&
                                  m_rows[std::size_t(end)].level == level &&
                                  (count == 0 || taken < count);
         ++taken) {
        end = blockEnd(end);
    }
    beginRemoveRows({}, start, end - 1);
    runChange();
    for (int row = start; row < end; ++row)
        m_expanded.erase(m_rows[std::size_t(row)].id);
    m_rows.erase(m_rows.begin() + start, m_rows.begin() + end);
    rowsMoved();
    endRemoveRows();
}

void NoteTreeModel::groupOpenChanged(ItemId group) {
    const Item* item = m_note ? m_note->FindItem(group) : nullptr;
    if (!item || !item->IsGroup() || group == m_note->RootId() || m_hintRows || !m_read)
        return;
    const int row = rowOf(group);
    if (row < 0)
        return;
    const bool open = item->IsOpen();
    const bool shown = m_expanded.count(group) > 0;
    if (open && !shown) {
        m_expanded.insert(group);
        const std::vector<Row> below = rowsOf(group, true, m_rows[std::size_t(row)].level + 1,
                                              [](const Item& g) { return g.IsOpen(); });
        if (!below.empty()) {
            beginInsertRows({}, row + 1, row + int(below.size()));
            m_rows.insert(m_rows.begin() + row + 1, below.begin(), below.end());
            rowsMoved();
            endInsertRows();
        }
    } else if (!open && shown) {
        m_expanded.erase(group);
        const int end = blockEnd(row);
        if (end > row + 1) {
            beginRemoveRows({}, row + 1, end - 1);
            for (int at = row + 1; at < end; ++at)
                m_expanded.erase(m_rows[std::size_t(at)].id);
            m_rows.erase(m_rows.begin() + row + 1, m_rows.begin() + end);
            rowsMoved();
            endRemoveRows();
        }
    }
    itemChanged(group);
}

void NoteTreeModel::childrenReordered(ItemId group) {
    // The rows below `group` read again in the note's order, entering the
    // groups the rows entered: a group below that was not reordered reads
    // as it was.
    if (!m_note || m_hintRows || !m_read || !rowsShownBelow(group))
        return;
    const bool atTop = group == m_note->RootId();
    const int groupRow = atTop ? -1 : rowOf(group);
    const int start = groupRow + 1;
    const int end = atTop ? int(m_rows.size()) : blockEnd(groupRow);
    const std::uint32_t level = atTop ? 0 : m_rows[std::size_t(groupRow)].level + 1;
    std::unordered_set<ItemId> entered;
    for (int row = start; row < end; ++row) {
        if (m_expanded.count(m_rows[std::size_t(row)].id))
            entered.insert(m_rows[std::size_t(row)].id);
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<ItemId> beforeIds;
    beforeIds.reserve(std::size_t(before.size()));
    for (const QModelIndex& index : before)
        beforeIds.push_back(itemId(index));
    for (ItemId id : entered)
        m_expanded.erase(id);
    const std::vector<Row> below = rowsOf(
        group, true, level, [&](const Item& g) { return entered.count(g.links.id) > 0; });
    m_rows.erase(m_rows.begin() + start, m_rows.begin() + end);
    m_rows.insert(m_rows.begin() + start, below.begin(), below.end());
    rowsMoved();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const ItemId id = beforeIds[std::size_t(i)];
        after << (id == kNoItem ? before[i] : indexOf(id, before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int NoteTreeModel::fixedRowIcon(int row) const {
    return row >= 0 && row < kHintRowCount ? kHintRows[row].icon : RowIcon::kNone;
}

QString NoteTreeModel::fixedRowText(int row) const {
    return row >= 0 && row < kHintRowCount ? uiText(kHintRows[row].text) : QString();
}

QModelIndex NoteTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= columnCount() || parent.isValid())
        return {};
    if (m_hintRows)
        return row < kHintRowCount ? makeIndex(row, column, kNoItem) : QModelIndex();
    const std::vector<Row>& all = rows();
    if (row >= int(all.size()))
        return {};
    return makeIndex(row, column, all[std::size_t(row)].id);
}

QModelIndex NoteTreeModel::parent(const QModelIndex&) const {
    return {};
}

int NoteTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    if (m_hintRows)
        return kHintRowCount;
    return int(rows().size());
}

bool NoteTreeModel::hasChildren(const QModelIndex& parent) const {
    return !parent.isValid() && rowCount() > 0;
}
