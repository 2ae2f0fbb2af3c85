// Sorting a group's children, and the comparison it uses.
#include <algorithm>
#include <chrono>
#include <vector>

#include "core/common/sjis.h"
#include "core/model/note.h"
#include "core/model/sort_progress.h"

namespace tidemark {

int Note::CompareItems(ItemId a, ItemId b, int key) const {
    const Item* x = FindItem(a);
    const Item* y = FindItem(b);
    if (!x || !y) return 0;
    switch (key) {
        case SortKey::kTitle: return CompareTextNoCase(x->Title().View(), y->Title().View());
        case SortKey::kRemarks:
            return CompareTextNoCase(x->Remarks().View(), y->Remarks().View());
        case SortKey::kModifiedTime: return CompareTimes(x->ModifiedTime(), y->ModifiedTime());
        case SortKey::kBody: return CompareTextNoCase(BodyOf(*x).View(), BodyOf(*y).View());
        default: return 0;
    }
}

namespace {

using SteadyClock = std::chrono::steady_clock;

// Paces the progress callbacks: a clock read every few hundred comparisons,
// a callback every few milliseconds.
class ProgressPacer {
public:
    ProgressPacer(SortProgress* progress, SteadyClock::time_point start)
        : m_progress(progress), m_start(start), m_lastCall(start) {}

    // false once the user has cancelled.
    bool Step() {
        if (!m_progress || m_cancelled) return !m_cancelled;
        if (++m_steps % 256 != 0) return true;
        const auto now = SteadyClock::now();
        if (now - m_lastCall < std::chrono::milliseconds(4)) return true;
        m_lastCall = now;
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_start);
        m_cancelled = !m_progress->Continue(static_cast<std::uint64_t>(elapsed.count()));
        return !m_cancelled;
    }
    bool Cancelled() const { return m_cancelled; }

private:
    SortProgress* m_progress;
    SteadyClock::time_point m_start;
    SteadyClock::time_point m_lastCall;
    std::uint64_t m_steps = 0;
    bool m_cancelled = false;
};

// A stable merge sort that stops between merges when cancelled; the
// sequence is a permutation of the input at every such point.
template <typename Less>
void StableSortCancellable(std::vector<Item*>& items, Less less, ProgressPacer& pacer) {
    const std::size_t n = items.size();
    std::vector<Item*> buffer(n);
    std::vector<Item*>* from = &items;
    std::vector<Item*>* to = &buffer;
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t lo = 0; lo < n; lo += 2 * width) {
            const std::size_t mid = std::min(lo + width, n);
            const std::size_t hi = std::min(lo + 2 * width, n);
            std::size_t i = lo, j = mid, k = lo;
            if (pacer.Cancelled()) {
                while (k < hi) (*to)[k++] = (*from)[i++];
                continue;
            }
            while (i < mid && j < hi) {
                // Take from the right only when strictly smaller: equal items keep their order.
                (*to)[k++] = less((*from)[j], (*from)[i]) ? (*from)[j++] : (*from)[i++];
                pacer.Step();
            }
            while (i < mid) (*to)[k++] = (*from)[i++];
            while (j < hi) (*to)[k++] = (*from)[j++];
        }
        std::swap(from, to);
    }
    if (from != &items) items.swap(buffer);
}

}  // namespace

bool Note::SortChildren(SortProgress* progress, ItemId groupId, int key, bool descending,
                        bool recursive) {
    const auto start = SteadyClock::now();
    ProgressPacer pacer(progress, start);
    std::vector<ItemId> groups{groupId};
    std::size_t budget = WalkLimit();
    while (!groups.empty() && budget-- > 0) {
        Item* group = FindItem(groups.back());
        groups.pop_back();
        if (!group) return false;
        if (progress) progress->BeginGroup(group->Title());

        std::vector<Item*> children;
        for (Item* c = FindItem(group->links.firstChild); c && children.size() < WalkLimit();
             c = FindItem(c->links.next)) {
            children.push_back(c);
        }
        auto less = [&](const Item* a, const Item* b) {
            const int order = CompareItems(a->links.id, b->links.id, key);
            return descending ? order > 0 : order < 0;
        };
        StableSortCancellable(children, less, pacer);

        // Relink in the order reached; indices are rewritten, depths are unchanged.
        ItemId previous = kNoItem;
        for (std::size_t i = 0; i < children.size(); ++i) {
            Item* child = children[i];
            child->links.previous = previous;
            child->links.next = i + 1 < children.size() ? children[i + 1]->links.id : kNoItem;
            child->caches.siblingIndex = static_cast<std::uint32_t>(i);
            previous = child->links.id;
        }
        group->links.firstChild = children.empty() ? kNoItem : children.front()->links.id;
        if (pacer.Cancelled()) return false;

        if (recursive) {
            // Depth first: each child with children in turn, its own subtree before
            // its next sibling (the stack holds them in reverse).
            for (auto it = children.rbegin(); it != children.rend(); ++it) {
                const Item* child = *it;
                if (child->links.firstChild == kNoItem) continue;
                if (child->IsLockedGroup() && child->Password().Empty()) continue;
                groups.push_back(child->links.id);
            }
        }
    }
    return true;
}

}  // namespace tidemark
