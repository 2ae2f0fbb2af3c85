#include "core/search/search_walk.h"

#include "core/model/item.h"
#include "core/model/note.h"

namespace tidemark {
namespace {

bool IsShutLockedGroup(const Item& item) {
    return item.IsLockedGroup() && item.Password().Empty();
}

ItemId IdOf(const Item* item) {
    return item ? item->links.id : kNoItem;
}

}  // namespace

SearchCursor::SearchCursor(const Note& note, const SearchWalk& walk, ItemId at)
    : m_note(note), m_walk(walk), m_tree(note, walk.scope, SubtreeWalk::Span::kBelow, at) {}

bool SearchCursor::IsCandidate(const Item& item) const {
    return item.IsMemo() || (item.IsGroup() && m_walk.titles);
}

bool SearchCursor::MayEnter(const Item& item) const {
    return item.IsGroup() && !IsShutLockedGroup(item) &&
           (m_walk.descend || item.links.id == m_walk.scope);
}

const Item* SearchCursor::Next() {
    do {
        const Item* at = m_tree.Current();
        if (!at)
            return nullptr;
        m_tree.Next(MayEnter(*at));
    } while (m_tree.Current() && !IsCandidate(*m_tree.Current()));
    return m_tree.Current();
}

const Item* SearchCursor::Previous() {
    const auto mayEnter = [this](const Item& item) { return MayEnter(item); };
    do {
        if (!m_tree.Current())
            return nullptr;
        m_tree.Previous(mayEnter);
    } while (m_tree.Current() && !IsCandidate(*m_tree.Current()));
    return m_tree.Current();
}

const Item* SearchCursor::Last(ItemId groupId) {
    const Item* group = m_note.FindItem(groupId);
    if (!group || !group->IsGroup() || IsShutLockedGroup(*group) ||
        group->links.firstChild == kNoItem) {
        return nullptr;
    }
    // The last child's subtree ends the group; children of the group itself
    // are always reached, whether or not the walk descends.
    m_tree = SubtreeWalk(m_note, m_walk.scope, SubtreeWalk::Span::kBelow, groupId);
    m_tree.DescendToLast([&](const Item& item) { return &item == group || MayEnter(item); });
    const Item* at = m_tree.Current();
    if (!at || at == group)
        return nullptr;
    return IsCandidate(*at) ? at : Previous();
}

ItemId NextSearchItem(const Note& note, const SearchWalk& walk, ItemId from) {
    return IdOf(SearchCursor(note, walk, from).Next());
}

ItemId PreviousSearchItem(const Note& note, const SearchWalk& walk, ItemId from) {
    return IdOf(SearchCursor(note, walk, from).Previous());
}

ItemId LastSearchItem(const Note& note, const SearchWalk& walk, ItemId group) {
    return IdOf(SearchCursor(note, walk, group).Last(group));
}

bool IsSearchable(const Note& note, const Item& item) {
    if (item.IsEncrypted())
        return false;
    if (item.LockOwner() == kNoItem)
        return true;
    const Item* owner = note.FindItem(item.LockOwner());
    return !(owner && IsShutLockedGroup(*owner));
}

}  // namespace tidemark
