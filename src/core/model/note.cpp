#include "core/model/note.h"

#include <vector>

#include "core/model/subtree_walk.h"

namespace tidemark {

Note::Note(NoteHost* host, const Clock* clock)
    : m_host(host), m_clock(clock ? clock : &SystemClock::Instance()) {}

Note::~Note() { ReleaseAll(); }

void Note::ReleaseAll() {
    m_items.ForEach([](std::uint32_t, Item* item) { item->Release(); });
    m_items.Clear();
}

void Note::MakeNew(const ByteString& rootTitle) {
    Clear();
    const ItemId root = CreateItem(ItemType::kGroup);
    if (root == kNoItem) return;
    Item* item = FindItem(root);
    item->SetRawTitle(rootTitle);
    item->SetOpen(true);
    m_rootId = root;
}

void Note::Clear() {
    if (m_rootId != kNoItem) DeleteItems(m_rootId, 1);
    m_lastId = kNoItem;
    m_itemCount = 0;
    m_rootId = kNoItem;
    m_currentItemId = kNoItem;
}

Item* Note::FindItem(ItemId id) const {
    Item* const* found = m_items.Find(id);
    return found ? *found : nullptr;
}

void Note::AdoptItem(Item* item) {
    item->SetOwnerNote(this);
    if (Item** existing = m_items.Find(item->links.id)) {
        (*existing)->MarkDeleted();
        (*existing)->Release();
    }
    m_items.Insert(item->links.id, item);
}

ItemId Note::AllocateItemId() {
    const std::uint32_t candidate = m_lastId + 1;
    m_lastId = candidate;
    if (candidate <= kMaxItemId && !m_items.Contains(candidate)) return candidate;
    for (std::uint32_t k = 1; k <= kMaxItemId; ++k) {
        if (!m_items.Contains(k)) {
            m_lastId = k;
            return k;
        }
    }
    return kNoItem;
}

ItemId Note::CreateItem(ItemType type) {
    const SystemTime now = m_clock->Now();
    Item* item;
    switch (type) {
        case ItemType::kGroup: item = new Item(ItemType::kGroup, now); break;
        case ItemType::kReference: item = new ItemReference(now); break;
        default: item = new Memo(now); break;
    }
    const ItemId id = AllocateItemId();
    if (id == kNoItem) {
        item->Release();
        return kNoItem;
    }
    item->links.id = id;
    AdoptItem(item);
    if (type != ItemType::kReference) ++m_itemCount;
    return id;
}

void Note::ClearDepthCaches(ItemId top) {
    WalkSubtree(*this, top, SubtreeWalk::Span::kSubtree, [](Item& item, const SubtreeWalk&) {
        item.caches.depth = 0;
        return WalkStep::kEnter;
    });
}

void Note::Renumber(ItemId firstSibling) {
    std::uint32_t index = 0;
    std::size_t budget = WalkLimit();
    for (Item* item = FindItem(firstSibling); item && budget-- > 0;
         item = FindItem(item->links.next)) {
        item->caches.siblingIndex = index++;
    }
}

bool Note::UnlinkItems(ItemId firstId, std::uint32_t count, bool renumber) {
    Item* first = FindItem(firstId);
    if (!first) return false;
    const std::uint32_t firstIndex = GetSiblingIndex(firstId);
    first->caches.siblingIndex = 0;
    ClearDepthCaches(firstId);

    Item* last = first;
    std::uint32_t position = 0;
    std::size_t budget = WalkLimit();
    while ((count == 0 || position + 1 < count) && budget-- > 0) {
        Item* next = FindItem(last->links.next);
        if (!next) break;
        last = next;
        ++position;
        if (renumber) {
            last->caches.siblingIndex = position;
            ClearDepthCaches(last->links.id);
        }
    }

    Item* after = FindItem(last->links.next);
    Item* before = FindItem(first->links.previous);
    Item* parent = FindItem(first->links.parent);
    if (before) before->links.next = after ? after->links.id : kNoItem;
    if (after) {
        after->links.previous = before ? before->links.id : kNoItem;
        if (renumber) {
            std::uint32_t index = firstIndex;
            std::size_t walk = WalkLimit();
            for (Item* i = after; i && walk-- > 0; i = FindItem(i->links.next)) {
                i->caches.siblingIndex = index++;
            }
        }
    }
    if (parent) {
        parent->caches.childCount = 0;
        if (!before) parent->links.firstChild = after ? after->links.id : kNoItem;
    }

    first->links.previous = kNoItem;
    last->links.next = kNoItem;
    budget = WalkLimit();
    for (Item* i = first; i && budget-- > 0; i = FindItem(i->links.next)) {
        i->links.parent = kNoItem;
    }
    return true;
}

bool Note::InsertItems(ItemId firstId, ItemId targetId, int relation, int order, bool renumber) {
    Item* first = FindItem(firstId);
    if (!first) return false;
    first->caches.siblingIndex = 0;
    Item* target = FindItem(targetId);
    if (!target) return false;

    // The whole run changes depth, so every depth cache in it goes; the
    // sibling indices are rewritten below when asked.
    std::vector<Item*> run;
    std::size_t budget = WalkLimit();
    for (Item* i = first; i && budget-- > 0; i = FindItem(i->links.next)) {
        run.push_back(i);
        if (renumber) i->caches.siblingIndex = 0;
        ClearDepthCaches(i->links.id);
    }
    Item* last = run.back();
    auto setParent = [&](ItemId parent) {
        for (Item* i : run) i->links.parent = parent;
    };

    if (relation == Placement::kInside) {
        Item* oldFirst = FindItem(target->links.firstChild);
        if (!oldFirst) {
            setParent(targetId);
            target->links.firstChild = firstId;
        } else if (order != Placement::kBefore) {
            Item* lastChild = oldFirst;
            std::size_t walk = WalkLimit();
            while (walk-- > 0) {
                Item* next = FindItem(lastChild->links.next);
                if (!next) break;
                lastChild = next;
            }
            setParent(targetId);
            lastChild->links.next = firstId;
            first->links.previous = lastChild->links.id;
        } else {
            setParent(targetId);
            last->links.next = oldFirst->links.id;
            oldFirst->links.previous = last->links.id;
            target->links.firstChild = firstId;
        }
        if (renumber) Renumber(target->links.firstChild);
        target->caches.childCount = 0;
        return true;
    }
    if (relation != Placement::kBeside) return false;

    Item* parent = FindItem(target->links.parent);
    Item* after = target;  // the run goes after this item, or first when null
    if (order == Placement::kBefore) after = FindItem(target->links.previous);
    if (after) {
        Item* next = FindItem(after->links.next);
        setParent(parent ? parent->links.id : kNoItem);
        after->links.next = firstId;
        first->links.previous = after->links.id;
        if (next) {
            last->links.next = next->links.id;
            next->links.previous = last->links.id;
        }
    } else {
        if (parent) {
            setParent(parent->links.id);
            parent->links.firstChild = firstId;
        }
        target->links.previous = last->links.id;
        last->links.next = targetId;
    }
    if (renumber) {
        if (parent) {
            Renumber(parent->links.firstChild);
        } else {
            Item* head = first;
            std::size_t walk = WalkLimit();
            while (walk-- > 0) {
                Item* previous = FindItem(head->links.previous);
                if (!previous) break;
                head = previous;
            }
            Renumber(head->links.id);
        }
    }
    if (parent) parent->caches.childCount = 0;
    return true;
}

bool Note::DeleteItems(ItemId firstId, std::uint32_t count) {
    if (!UnlinkItems(firstId, count, true)) return false;
    // Children go before their parents: the walk's order, reversed.
    std::vector<ItemId> order;
    WalkSubtree(*this, firstId, SubtreeWalk::Span::kRun, [&](const Item& item, const SubtreeWalk&) {
        order.push_back(item.links.id);
        return WalkStep::kEnter;
    });
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Item* item = FindItem(*it);
        if (!item) continue;  // listed twice in a damaged run
        if (!item->IsReference() && m_itemCount > 0) --m_itemCount;
        m_items.Remove(*it);
        item->links.firstChild = kNoItem;
        item->MarkDeleted();
        item->Release();
    }
    return true;
}

std::uint32_t Note::GetChildCount(ItemId id) {
    Item* item = FindItem(id);
    if (!item) return 0;
    if (item->caches.childCount != 0) return item->caches.childCount;
    std::uint32_t count = 0;
    std::size_t budget = WalkLimit();
    for (const Item* c = FindItem(item->links.firstChild); c && budget-- > 0;
         c = FindItem(c->links.next)) {
        ++count;
    }
    item->caches.childCount = count;
    return count;
}

std::uint32_t Note::GetSiblingIndex(ItemId id) {
    Item* item = FindItem(id);
    if (!item) return 0;
    if (item->caches.siblingIndex != 0) return item->caches.siblingIndex;
    std::uint32_t index = 0;
    std::size_t budget = WalkLimit();
    for (const Item* p = FindItem(item->links.previous); p && budget-- > 0;
         p = FindItem(p->links.previous)) {
        ++index;
    }
    item->caches.siblingIndex = index;
    return index;
}

std::uint32_t Note::GetDepth(ItemId id) {
    Item* item = FindItem(id);
    if (!item) return 0;
    if (item->caches.depth != 0) return item->caches.depth;
    std::uint32_t depth = 0;
    std::size_t budget = WalkLimit();
    for (const Item* p = FindItem(item->links.parent); p && budget-- > 0;
         p = FindItem(p->links.parent)) {
        ++depth;
    }
    item->caches.depth = depth;
    return depth;
}

bool Note::AreAncestorsOpen(ItemId id) const {
    const Item* item = FindItem(id);
    if (!item) return false;
    std::size_t budget = WalkLimit();
    for (const Item* p = FindItem(item->links.parent); p && budget-- > 0;
         p = FindItem(p->links.parent)) {
        if (!p->IsOpen()) return false;
    }
    return true;
}

bool Note::IsDescendantOf(ItemId id, ItemId ancestor) const {
    const Item* item = FindItem(id);
    if (!item || ancestor == kNoItem) return false;
    std::size_t budget = WalkLimit();
    for (ItemId p = item->links.parent; p != kNoItem && budget-- > 0;) {
        if (p == ancestor) return true;
        const Item* parent = FindItem(p);
        if (!parent) return false;
        p = parent->links.parent;
    }
    return false;
}

}  // namespace tidemark
