#include "core/model/subtree_walk.h"

#include <algorithm>

#include "core/model/item.h"
#include "core/model/note.h"

namespace tidemark {

SubtreeWalk::SubtreeWalk(const Note& note, ItemId top, Span span)
    : m_note(&note), m_span(span), m_steps(2 * (note.Items().Size() + 1)) {
    Item* item = Find(top);
    if (!item)
        return;
    m_path.push_back(item);
    if (span == Span::kBelow)
        Next(true);
}

SubtreeWalk::SubtreeWalk(const Note& note, ItemId top, Span span, ItemId at)
    : m_note(&note), m_span(span), m_steps(2 * (note.Items().Size() + 1)) {
    if (span == Span::kRun)
        return;
    // The path from `top` down to `at`, gathered upwards; never longer than
    // the note has items.
    const std::size_t limit = note.Items().Size();
    for (Item* item = Find(at); item && m_path.size() <= limit; item = Find(item->links.parent)) {
        m_path.push_back(item);
        if (item->links.id == top) {
            std::reverse(m_path.begin(), m_path.end());
            return;
        }
    }
    End();
}

std::size_t SubtreeWalk::Depth() const {
    const std::size_t hidden = m_span == Span::kBelow ? 2 : 1;
    return m_path.size() >= hidden ? m_path.size() - hidden : 0;
}

Item* SubtreeWalk::Find(ItemId id) const {
    return id == kNoItem ? nullptr : m_note->FindItem(id);
}

bool SubtreeWalk::Step() {
    if (m_steps == 0) {
        m_cutShort = true;
        End();
        return false;
    }
    --m_steps;
    return true;
}

bool SubtreeWalk::ReplaceCurrent(Item* item) {
    if (!Step())
        return false;
    m_path.back() = item;
    return true;
}

bool SubtreeWalk::EnterLastChild() {
    Item* child = Find(Current()->links.firstChild);
    if (!child || !Step())
        return false;
    while (Item* next = Find(child->links.next)) {
        if (!Step())
            return false;
        child = next;
    }
    m_path.push_back(child);
    return true;
}

Item* SubtreeWalk::PreviousSibling() const {
    return Find(Current()->links.previous);
}

void SubtreeWalk::Next(bool enterChildren) {
    if (m_path.empty())
        return;
    if (enterChildren) {
        if (Item* child = Find(m_path.back()->links.firstChild)) {
            if (Step())
                m_path.push_back(child);
            return;
        }
    }
    // The item after the subtree: the next sibling of the current item or of
    // the nearest item on the path that has one.
    while (!m_path.empty()) {
        const std::size_t index = m_path.size() - 1;
        const bool sideways = index > 0 || m_span == Span::kRun;
        if (Item* next = sideways ? Find(m_path.back()->links.next) : nullptr) {
            ReplaceCurrent(next);
            return;
        }
        m_path.pop_back();
        if (m_span == Span::kBelow && m_path.size() == 1)
            End();  // back at `top`: it is not part of the walk
    }
}

}  // namespace tidemark
