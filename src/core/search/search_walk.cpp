#include "core/search/search_walk.h"

#include "core/model/item.h"
#include "core/model/note.h"

namespace tidemark {
namespace {

bool IsShutLockedGroup(const Item& item) {
    return item.IsLockedGroup() && item.Password().Empty();
}

bool IsCandidate(const Item& item, const SearchWalk& walk) {
    return item.IsMemo() || (item.IsGroup() && walk.titles);
}

bool MayEnter(const Item& item, const SearchWalk& walk) {
    return item.IsGroup() && !IsShutLockedGroup(item) &&
           (walk.descend || item.links.id == walk.scope);
}

// A proper descendant of the scope group.
bool IsInside(const Note& note, const SearchWalk& walk, ItemId id) {
    return id != walk.scope && note.IsDescendantOf(id, walk.scope);
}

// Each walk takes at most one step per item of the note, so damaged links
// cannot keep it going for ever.
std::size_t StepBudget(const Note& note) {
    return note.Items().Size() + 1;
}

// The last item of the subtree of `item` in document order (the item itself
// when it may not be entered or has no children).
ItemId DeepestLast(const Note& note, const SearchWalk& walk, ItemId item) {
    std::size_t budget = StepBudget(note);
    for (const Item* at = note.FindItem(item); at && budget > 0;) {
        if (!MayEnter(*at, walk) || at->links.firstChild == kNoItem)
            return at->links.id;
        const Item* child = note.FindItem(at->links.firstChild);
        while (child && child->links.next != kNoItem && budget-- > 0)
            child = note.FindItem(child->links.next);
        at = child;
    }
    return kNoItem;
}

// The item after `from` in document order within the scope, candidate or not.
ItemId StepForward(const Note& note, const SearchWalk& walk, const Item& from) {
    if (MayEnter(from, walk) && from.links.firstChild != kNoItem)
        return from.links.firstChild;
    std::size_t budget = StepBudget(note);
    for (const Item* at = &from; at && IsInside(note, walk, at->links.id) && budget-- > 0;
         at = note.FindItem(at->links.parent)) {
        if (at->links.next != kNoItem)
            return at->links.next;
    }
    return kNoItem;
}

// The item before `from` in document order within the scope.
ItemId StepBackward(const Note& note, const SearchWalk& walk, const Item& from) {
    if (from.links.previous != kNoItem)
        return DeepestLast(note, walk, from.links.previous);
    if (from.links.parent != kNoItem && IsInside(note, walk, from.links.parent))
        return from.links.parent;
    return kNoItem;
}

template <typename Step>
ItemId FirstCandidateFrom(const Note& note, const SearchWalk& walk, ItemId id, Step step) {
    std::size_t budget = StepBudget(note);
    for (const Item* at = note.FindItem(id); at && budget-- > 0;) {
        if (IsCandidate(*at, walk))
            return at->links.id;
        at = note.FindItem(step(note, walk, *at));
    }
    return kNoItem;
}

}  // namespace

ItemId NextSearchItem(const Note& note, const SearchWalk& walk, ItemId from) {
    const Item* item = note.FindItem(from);
    if (!item)
        return kNoItem;
    return FirstCandidateFrom(note, walk, StepForward(note, walk, *item), StepForward);
}

ItemId PreviousSearchItem(const Note& note, const SearchWalk& walk, ItemId from) {
    const Item* item = note.FindItem(from);
    if (!item)
        return kNoItem;
    return FirstCandidateFrom(note, walk, StepBackward(note, walk, *item), StepBackward);
}

ItemId LastSearchItem(const Note& note, const SearchWalk& walk, ItemId group) {
    const Item* item = note.FindItem(group);
    if (!item || !item->IsGroup() || IsShutLockedGroup(*item) || item->links.firstChild == kNoItem)
        return kNoItem;
    // The last child's subtree ends the group; children of the group itself
    // are always reached, whether or not the walk descends.
    const Item* child = note.FindItem(item->links.firstChild);
    std::size_t budget = StepBudget(note);
    while (child && child->links.next != kNoItem && budget-- > 0)
        child = note.FindItem(child->links.next);
    if (!child)
        return kNoItem;
    return FirstCandidateFrom(note, walk, DeepestLast(note, walk, child->links.id), StepBackward);
}

bool IsSearchable(const Note& note, const Item& item) {
    if (item.IsEncrypted())
        return false;
    const Item* owner = note.FindItem(item.LockOwner());
    return !(owner && IsShutLockedGroup(*owner));
}

}  // namespace tidemark
