#include "app/list/child_rows.h"

#include <algorithm>

#include "core/model/note.h"

using tidemark::Item;
using tidemark::ItemId;

std::vector<ItemId>& ChildRows::of(ItemId group) {
    auto it = m_rows.find(group);
    if (it != m_rows.end())
        return it->second;
    std::vector<ItemId> rows;
    if (m_note) {
        if (const Item* parent = m_note->FindItem(group)) {
            const std::size_t limit = m_note->Items().Size();
            for (const Item* c = m_note->FindItem(parent->links.firstChild);
                 c && rows.size() <= limit; c = m_note->FindItem(c->links.next)) {
                rows.push_back(c->links.id);
            }
        }
    }
    return m_rows.emplace(group, std::move(rows)).first->second;
}

std::vector<ItemId>* ChildRows::known(ItemId group) {
    auto it = m_rows.find(group);
    return it == m_rows.end() ? nullptr : &it->second;
}

int ChildRows::rowOf(ItemId id, ItemId parent) {
    const std::vector<ItemId>& rows = of(parent);
    // The note's sibling index is right unless the rows are older than the
    // note (while a change is being announced); then the rows are searched.
    if (m_note && m_note->FindItem(id)) {
        const std::uint32_t guess = m_note->GetSiblingIndex(id);
        if (guess < rows.size() && rows[guess] == id)
            return int(guess);
    }
    const auto found = std::find(rows.begin(), rows.end(), id);
    return found == rows.end() ? -1 : int(found - rows.begin());
}

void ChildRows::forget(ItemId group) {
    m_rows.erase(group);
}

void ChildRows::forgetSubtree(ItemId group) {
    std::vector<ItemId> pending{group};
    while (!pending.empty()) {
        const ItemId id = pending.back();
        pending.pop_back();
        auto it = m_rows.find(id);
        if (it == m_rows.end())
            continue;
        pending.insert(pending.end(), it->second.begin(), it->second.end());
        m_rows.erase(it);
    }
}
