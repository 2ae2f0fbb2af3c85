#pragma once

#include <cstddef>
#include <vector>

#include "core/model/item_id.h"

namespace tidemark {

class Item;
class Note;

// A walk over part of a note's tree in the order the lists show it (pre-order):
// an item, then each of its children in order with its own subtree, then the
// item's next sibling. Under way it follows first-child, next and previous
// links and climbs back along the path it took, never along parent links, so
// it cannot leave the part it walks; a link to an item the note does not hold
// ends that chain.
//
// Cycle guard: a walk takes at most 2 × (items in the note + 1) steps, a step
// being a move into a first child or to a sibling. A whole walk of a sound
// tree, forwards or backwards, stays within that; when a damaged tree or a
// link cycle uses the allowance up, the walk ends and CutShort() says so. So
// no walk loops forever, and none offers more items than that.
//
// The note must outlive the walk and stay unchanged while it runs, except for
// fields of the items other than their links.
class SubtreeWalk {
public:
    enum class Span {
        kSubtree,  // `top` and everything below it
        kBelow,    // everything below `top`, not `top` itself
        kRun,      // `top` and its next siblings, each with its subtree
    };

    SubtreeWalk(const Note& note, ItemId top, Span span = Span::kSubtree);
    // A walk of `top`'s span standing at `at` already, as if it had come
    // there from the start. Over at once when `at` does not lie in the span
    // (its parent links do not lead to `top`). Not for runs.
    SubtreeWalk(const Note& note, ItemId top, Span span, ItemId at);

    // The item the walk stands at; null once it is over.
    Item* Current() const { return m_path.empty() ? nullptr : m_path.back(); }
    // The item whose child Current() is on the walked path (`top` for the
    // top level of kBelow); null at the top level of a subtree or run.
    Item* Parent() const { return m_path.size() >= 2 ? m_path[m_path.size() - 2] : nullptr; }
    // 0 for `top` (each item of a run; for kBelow, `top`'s children), 1 below it, …
    std::size_t Depth() const;

    // On to the next item: the first child of Current() when `enterChildren`
    // and it has one, otherwise the item after Current()'s subtree.
    void Next(bool enterChildren = true);
    // Back to the item before Current(): the previous sibling's last item as
    // far as `mayEnter(item)` lets the walk go down, or else the parent (not
    // `top` for kBelow).
    template <typename MayEnter>
    void Previous(MayEnter&& mayEnter);
    // Down from Current() to the last item of its subtree, entering only
    // where `mayEnter(item)` says so.
    template <typename MayEnter>
    void DescendToLast(MayEnter&& mayEnter);

    // The walk ended because its allowance of steps ran out: the links are damaged.
    bool CutShort() const { return m_cutShort; }

private:
    // Counts one step; false, with the walk over and cut short, when the
    // allowance is used up.
    bool Step();
    // Current() becomes `item`, a sibling of it (one step).
    bool ReplaceCurrent(Item* item);
    // Goes down to the last child of Current(), a step for each child passed;
    // false when it has none or the walk is over.
    bool EnterLastChild();
    Item* PreviousSibling() const;
    Item* Find(ItemId id) const;
    void End() { m_path.clear(); }

    const Note* m_note;
    Span m_span;
    std::vector<Item*> m_path;  // from `top` down to the current item
    std::size_t m_steps = 0;    // allowance left
    bool m_cutShort = false;
};

// What a visitor of WalkSubtree asks for next.
enum class WalkStep {
    kEnter,         // go on with the item's children
    kSkipChildren,  // go on after the item's subtree
    kStop,          // end the walk here
};

enum class WalkEnd {
    kFinished,  // every item of the span was offered
    kStopped,   // the visitor stopped it
    kCutShort,  // damaged links: the walk ran out of steps (see SubtreeWalk)
};

// Offers each item of the span in pre-order to `visit(Item&, const SubtreeWalk&)`,
// which returns a WalkStep; the walk argument gives the item's walked parent and depth.
template <typename Visit>
WalkEnd WalkSubtree(const Note& note, ItemId top, SubtreeWalk::Span span, Visit&& visit) {
    SubtreeWalk walk(note, top, span);
    while (Item* item = walk.Current()) {
        const WalkStep step = visit(*item, static_cast<const SubtreeWalk&>(walk));
        if (step == WalkStep::kStop)
            return WalkEnd::kStopped;
        walk.Next(step == WalkStep::kEnter);
    }
    return walk.CutShort() ? WalkEnd::kCutShort : WalkEnd::kFinished;
}

template <typename MayEnter>
void SubtreeWalk::Previous(MayEnter&& mayEnter) {
    if (m_path.empty())
        return;
    // Backwards, a run's first item has nothing before it in the walk.
    if (m_path.size() > 1) {
        if (Item* previous = PreviousSibling()) {
            if (ReplaceCurrent(previous))
                DescendToLast(mayEnter);
            return;
        }
    }
    m_path.pop_back();
    if (m_span == Span::kBelow && m_path.size() == 1)
        End();  // `top` itself is not part of the walk
}

template <typename MayEnter>
void SubtreeWalk::DescendToLast(MayEnter&& mayEnter) {
    while (Item* at = Current()) {
        if (!mayEnter(static_cast<const Item&>(*at)) || !EnterLastChild())
            return;
    }
}

}  // namespace tidemark
