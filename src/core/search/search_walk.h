#pragma once

#include "core/model/item_id.h"

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
