#include "app/common/pending_items.h"

#include <unordered_set>
#include <utility>

#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/subtree_walk.h"

using namespace tidemark;

PendingItems::PendingItems(Note& note) : m_note(note) {}

PendingItems::~PendingItems() {
    clear();
}

PendingItems::TakeResult PendingItems::take(const std::vector<ItemId>& selected) {
    clear();
    const std::unordered_set<ItemId> chosen(selected.begin(), selected.end());
    const std::size_t itemLimit = m_note.Items().Size();
    std::vector<ItemId> tops;
    std::unordered_set<ItemId> seen;
    for (ItemId id : selected) {
        const Item* item = m_note.FindItem(id);
        if (!item || item->IsReference() || id == m_note.RootId() || !seen.insert(id).second)
            continue;
        // Taken with a selected ancestor, or not in the tree at all.
        bool covered = false;
        bool inTree = false;
        std::size_t budget = itemLimit;
        for (const Item* up = m_note.FindItem(item->links.parent); up && budget-- > 0;
             up = m_note.FindItem(up->links.parent)) {
            if (up->links.id == m_note.RootId()) {
                inTree = true;
                break;
            }
            if (chosen.count(up->links.id))
                covered = true;
        }
        if (inTree && !covered)
            tops.push_back(id);
    }
    if (tops.empty())
        return TakeResult::kNothing;

    ItemId previousTop = kNoItem;
    for (ItemId top : tops) {
        // The subtree, mirrored: each item's children become the children
        // of its reference, in order. referenceAt[d] is the reference of the
        // item last walked at depth d.
        std::vector<ItemId> referenceAt;
        TakeResult failure = TakeResult::kTaken;
        const WalkEnd end = WalkSubtree(m_note, top, SubtreeWalk::Span::kSubtree,
                                        [&](const Item& item, const SubtreeWalk& walk) {
            // More references than items means a damaged chain: stop.
            if (m_references.size() > itemLimit) {
                failure = TakeResult::kNothing;
                return WalkStep::kStop;
            }
            const std::size_t depth = walk.Depth();
            const ItemId previous = referenceAt.size() > depth ? referenceAt[depth]
                                    : depth == 0               ? previousTop
                                                               : kNoItem;
            referenceAt.resize(depth);
            const ItemId parent = depth == 0 ? kNoItem : referenceAt.back();
            const ItemId reference = addReference(item.links.id, parent, previous);
            if (reference == kNoItem) {
                failure = TakeResult::kNoFreeId;
                return WalkStep::kStop;
            }
            referenceAt.push_back(reference);
            return WalkStep::kEnter;
        });
        if (end == WalkEnd::kCutShort)
            failure = TakeResult::kNothing;
        if (failure != TakeResult::kTaken) {
            clear();
            return failure;
        }
        previousTop = referenceAt.front();
        m_tops.push_back(top);
    }
    return TakeResult::kTaken;
}

ItemId PendingItems::addReference(ItemId target, ItemId parent, ItemId previous) {
    const ItemId id = m_note.CreateItem(ItemType::kReference);
    auto* reference = dynamic_cast<ItemReference*>(m_note.FindItem(id));
    if (!reference)
        return kNoItem;
    reference->target = target;
    reference->links.parent = parent;
    reference->links.previous = previous;
    if (Item* before = m_note.FindItem(previous)) {
        before->links.next = id;
    } else if (Item* above = m_note.FindItem(parent)) {
        above->links.firstChild = id;
    }
    m_references.push_back(RefPtr<Item>::Share(reference));
    m_taken.emplace(target, RefPtr<Item>::Share(m_note.FindItem(target)));
    return id;
}

void PendingItems::clear() {
    for (const RefPtr<Item>& reference : m_references) {
        const ItemId id = reference->links.id;
        if (m_note.FindItem(id) != reference.Get())
            continue;  // already gone with the note's contents
        // Unlinked first: the deletion must not follow links that may
        // name other items by now.
        reference->links = TreeLinks{id, kNoItem, kNoItem, kNoItem, kNoItem};
        m_note.DeleteItems(id, 1);
    }
    m_references.clear();
    m_taken.clear();
    m_tops.clear();
}

ItemId PendingItems::chain() const {
    return m_references.empty() ? kNoItem : m_references.front()->links.id;
}

bool PendingItems::contains(ItemId item) const {
    const auto found = m_taken.find(item);
    return found != m_taken.end() && m_note.FindItem(item) == found->second.Get();
}

bool PendingItems::intact() const {
    if (m_references.empty())
        return false;
    for (const RefPtr<Item>& reference : m_references) {
        if (m_note.FindItem(reference->links.id) != reference.Get())
            return false;
    }
    for (const auto& [id, item] : m_taken) {
        if (m_note.FindItem(id) != item.Get())
            return false;
    }
    return true;
}
