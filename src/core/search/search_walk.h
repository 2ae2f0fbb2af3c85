#pragma once

#include "core/model/item_id.h"
#include "core/model/subtree_walk.h"

namespace tidemark {

class Item;
class Note;

// How a search walks a note's tree: in document order (an item, then its
// children, then its next sibling) or against it, never leaving the scope
// group, never entering a locked memo group that is shut (its own title is
// still a candidate), and, without descending, entering no memo group below
// the scope group. Memos are always candidates; memo groups only while
// titles are searched. The walk steps over items that are no candidates.
struct SearchWalk {
    ItemId scope = kNoItem;  // the group that bounds the walk (the root when not confined)
    bool titles = true;
    bool descend = true;
};

// A search's place in its walk, for stepping from candidate to candidate
// without looking for the place again at each step. The note must outlive it
// and keep its links while it is used.
class SearchCursor {
public:
    // Standing at `at`, which lies in the scope group or is that group; a
    // cursor standing anywhere else has nothing after or before it.
    SearchCursor(const Note& note, const SearchWalk& walk, ItemId at);

    // The next candidate in document order, or the one before it; null when
    // none is left (the cursor is then spent).
    const Item* Next();
    const Item* Previous();
    // The last candidate inside `group` (which lies in the scope); null when
    // it holds none, is no memo group or is a locked group that is shut. The
    // cursor stands there afterwards.
    const Item* Last(ItemId group);

private:
    bool MayEnter(const Item& item) const;
    bool IsCandidate(const Item& item) const;

    const Note& m_note;
    SearchWalk m_walk;
    SubtreeWalk m_tree;
};

// The next candidate after `from` in document order; 0 when none is left.
ItemId NextSearchItem(const Note& note, const SearchWalk& walk, ItemId from);
// The candidate before `from`; 0 when none is left.
ItemId PreviousSearchItem(const Note& note, const SearchWalk& walk, ItemId from);
// The last candidate inside `group` in document order; 0 when it holds none
// (or is a locked group that is shut).
ItemId LastSearchItem(const Note& note, const SearchWalk& walk, ItemId group);

// Whether the item's texts may be searched at all: not while they are held
// encrypted, nor while the locked group that owns them is shut.
bool IsSearchable(const Note& note, const Item& item);

}  // namespace tidemark
