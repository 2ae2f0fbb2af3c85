#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/model/item_id.h"

namespace tidemark {
class Note;
}

// The children of memo groups as rows: for each group asked about, the ids
// of its children in sibling order, read from the note's links on the first
// request. An item model keeps one of these so that finding the n-th child
// of a group with thousands of children costs nothing per call; it tells it
// to forget a group whenever it is told that the group's children changed.
class ChildRows {
public:
    explicit ChildRows(tidemark::Note*& note) : m_note(note) {}

    // The rows of `group`, read from the note when not known yet.
    std::vector<tidemark::ItemId>& of(tidemark::ItemId group);
    // The rows of `group` when known; null otherwise.
    std::vector<tidemark::ItemId>* known(tidemark::ItemId group);
    // The row of `id` among the rows of `parent`; -1 when it is not there.
    int rowOf(tidemark::ItemId id, tidemark::ItemId parent);

    void forget(tidemark::ItemId group);
    // Forgets `group` and every group known below it, going by the rows
    // known (the note may no longer hold the items).
    void forgetSubtree(tidemark::ItemId group);
    void clear() { m_rows.clear(); }

private:
    tidemark::Note*& m_note;
    std::unordered_map<tidemark::ItemId, std::vector<tidemark::ItemId>> m_rows;
};
