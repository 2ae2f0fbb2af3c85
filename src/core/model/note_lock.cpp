// The lock bookkeeping of a note: which locked group owns each item.
#include <vector>

#include "core/model/note.h"

namespace tidemark {

namespace {

// Visits every item below `group` (children, grandchildren, …) without recursion.
template <typename Visit>
void ForEachDescendant(const Note& note, ItemId group, std::size_t limit, Visit&& visit) {
    const Item* top = note.FindItem(group);
    if (!top) return;
    std::vector<ItemId> pending;
    for (ItemId c = top->links.firstChild; c != kNoItem;) {
        const Item* child = note.FindItem(c);
        if (!child || pending.size() > limit) break;
        pending.push_back(c);
        c = child->links.next;
    }
    std::size_t budget = limit;
    while (!pending.empty() && budget-- > 0) {
        Item* item = note.FindItem(pending.back());
        pending.pop_back();
        if (!item) continue;
        visit(*item);
        if (!item->IsGroup()) continue;
        for (ItemId c = item->links.firstChild; c != kNoItem;) {
            const Item* child = note.FindItem(c);
            if (!child) break;
            pending.push_back(c);
            c = child->links.next;
        }
    }
}

}  // namespace

void Note::SetLockOwner(ItemId owner, ItemId group, bool set) {
    ForEachDescendant(*this, group, WalkLimit(),
                      [&](Item& item) { item.SetLockOwner(set ? owner : kNoItem); });
}

void Note::InheritLockOwner(ItemId itemId, ItemId placeId, int relation) {
    Item* item = FindItem(itemId);
    const Item* place = FindItem(placeId);
    if (!item || !place) return;
    if (relation == Placement::kInside && place->IsLockedGroup()) {
        item->SetLockOwner(placeId);
    } else if (place->LockOwner() != kNoItem) {
        item->SetLockOwner(place->LockOwner());
    }
}

bool Note::IsLockedOut(ItemId id, int relation) const {
    const Item* item = FindItem(id);
    if (!item) return false;
    if (relation == Placement::kInside && item->IsLockedGroup() && item->Password().Empty()) {
        return true;
    }
    const Item* owner = FindItem(item->LockOwner());
    return owner && owner->IsLockedGroup() && owner->Password().Empty();
}

void Note::CollectLockedGroups(ItemId first, IdMap<ItemId>& groups) const {
    // Walks the run and everything below it; a reference stands for its
    // target, but the walk follows the reference's own children.
    std::vector<ItemId> pending;
    std::size_t budget = WalkLimit();
    for (ItemId id = first; id != kNoItem && budget-- > 0;) {
        pending.push_back(id);
        const Item* item = FindItem(id);
        id = item ? item->links.next : kNoItem;
    }
    budget = WalkLimit() * 2;
    while (!pending.empty() && budget-- > 0) {
        const Item* item = FindItem(pending.back());
        pending.pop_back();
        if (!item) continue;
        const Item* subject = item;
        if (const auto* reference = dynamic_cast<const ItemReference*>(item)) {
            subject = FindItem(reference->target);
        }
        if (subject && subject->IsLockedGroup()) groups.Insert(subject->links.id, subject->links.id);
        for (ItemId c = item->links.firstChild; c != kNoItem;) {
            const Item* child = FindItem(c);
            if (!child) break;
            pending.push_back(c);
            c = child->links.next;
        }
    }
}

bool Note::ContainsLockedGroup(ItemId first) const {
    IdMap<ItemId> groups;
    CollectLockedGroups(first, groups);
    return !groups.Empty();
}

}  // namespace tidemark
