// The lock bookkeeping of a note: which locked group owns each item.
#include "core/model/note.h"
#include "core/model/subtree_walk.h"

namespace tidemark {

void Note::SetLockOwner(ItemId owner, ItemId group, bool set) {
    WalkSubtree(*this, group, SubtreeWalk::Span::kBelow, [&](Item& item, const SubtreeWalk&) {
        item.SetLockOwner(set ? owner : kNoItem);
        return item.IsGroup() ? WalkStep::kEnter : WalkStep::kSkipChildren;
    });
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
    WalkSubtree(*this, first, SubtreeWalk::Span::kRun, [&](const Item& item, const SubtreeWalk&) {
        const Item* subject = &item;
        if (const auto* reference = dynamic_cast<const ItemReference*>(&item)) {
            subject = FindItem(reference->target);
        }
        if (subject && subject->IsLockedGroup()) groups.Insert(subject->links.id, subject->links.id);
        return WalkStep::kEnter;
    });
}

bool Note::ContainsLockedGroup(ItemId first) const {
    IdMap<ItemId> groups;
    CollectLockedGroups(first, groups);
    return !groups.Empty();
}

}  // namespace tidemark
