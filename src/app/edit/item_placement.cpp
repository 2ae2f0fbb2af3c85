#include "app/edit/item_placement.h"

#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/subtree_walk.h"

using namespace tidemark;

ItemPlace ItemPlacement::endOfNote() const {
    return ItemPlace{m_note.RootId(), Placement::kInside, Placement::kAfter};
}

std::optional<ItemPlace> ItemPlacement::pastePlace(ItemId focused, ItemId shownGroup, int relation,
                                                   int order) const {
    if (focused != m_note.RootId() && m_note.FindItem(focused))
        return ItemPlace{focused, relation, order};
    if (relation == Placement::kInside || order == Placement::kBefore)
        return std::nullopt;
    ItemId parent = m_note.RootId();
    const Item* shown = m_note.FindItem(shownGroup);
    if (shown && shown->IsGroup())
        parent = shown->links.id;
    if (!m_note.FindItem(parent))
        return std::nullopt;
    return ItemPlace{parent, Placement::kInside, Placement::kAfter};
}

ItemPlace ItemPlacement::dropPlace(ItemId target, int relation, int order) const {
    if (target == kNoItem)
        return endOfNote();
    return ItemPlace{target, relation, order};
}

ItemId ItemPlacement::lockOwnerAt(const ItemPlace& place) const {
    const Item* target = m_note.FindItem(place.target);
    if (!target)
        return kNoItem;
    if (place.relation == Placement::kInside && target->IsLockedGroup())
        return place.target;
    return target->LockOwner();
}

std::optional<LockRefusal> ItemPlacement::refusal(const ItemPlace& place, ItemId run) const {
    const Item* target = m_note.FindItem(place.target);
    if (!target)
        return std::nullopt;
    if (m_note.IsLockedOut(place.target, place.relation)) {
        ItemId named = target->LockOwner();
        if (place.relation == Placement::kInside && target->IsLockedGroup())
            named = place.target;
        if (named == kNoItem)
            named = place.target;
        return LockRefusal{kGroupLockedAgainstAdding, named};
    }
    const ItemId owner = lockOwnerAt(place);
    if (run != kNoItem && owner != kNoItem && m_note.ContainsLockedGroup(run))
        return LockRefusal{kLockedInsideLocked, owner};
    return std::nullopt;
}

RunPlacement ItemPlacement::placeRun(ItemId run, const ItemPlace& place,
                                     WhenRefused whenRefused) const {
    RunPlacement result;
    result.refusal = refusal(place, run);
    if (!result.refusal && m_note.FindItem(place.target)) {
        result.place = place;
        return result;
    }
    if (whenRefused == WhenRefused::kNowhere)
        return result;
    result.toEndOfNote = true;
    const ItemPlace end = endOfNote();
    if (m_note.FindItem(end.target) && !refusal(end, run))
        result.place = end;
    return result;
}

std::vector<ItemId> ItemPlacement::insertRun(ItemId first, const ItemPlace& place) {
    std::vector<ItemId> tops;
    WalkSubtree(m_note, first, SubtreeWalk::Span::kRun, [&](const Item& item, const SubtreeWalk&) {
        tops.push_back(item.links.id);
        return WalkStep::kSkipChildren;
    });
    m_note.InsertItems(first, place.target, place.relation, place.order, true);
    if (const ItemId owner = lockOwnerAt(place); owner != kNoItem) {
        for (ItemId top : tops) {
            m_note.InheritLockOwner(top, place.target, place.relation);
            m_note.SetLockOwner(owner, top, true);
        }
    }
    return tops;
}

void ItemPlacement::insertMemo(ItemId id, const ItemPlace& place) {
    m_note.InsertItems(id, place.target, place.relation, place.order, true);
    m_note.InheritLockOwner(id, place.target, place.relation);
}
