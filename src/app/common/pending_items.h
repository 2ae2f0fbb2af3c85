#pragma once

#include <unordered_map>
#include <vector>

#include "core/model/item_id.h"
#include "core/model/ref_ptr.h"

namespace tidemark {
class Item;
class Note;
}  // namespace tidemark

// Items taken from a list (by a cut or copy, or for printing), held as a
// working tree of references in the note, outside the root's tree: the shape
// that SerializeItems and the text export read. A taken group brings its
// whole subtree, mirrored below its reference.
//
// The items are remembered by identity as well as by id. A held set whose
// items have gone (deleted, or the note loaded anew so that the ids name
// other items) is no longer intact and must not be acted on; letting it go
// never touches anything but the references themselves. The note must
// outlive the object.
class PendingItems {
public:
    enum class TakeResult { kTaken, kNothing, kNoFreeId };

    explicit PendingItems(tidemark::Note& note);
    ~PendingItems();
    PendingItems(const PendingItems&) = delete;
    PendingItems& operator=(const PendingItems&) = delete;

    // Lets go of what was held, then takes the `selected` items (in list
    // order) with their subtrees. A selected item below another selected
    // one is taken once, as part of it; the root and unknown ids are
    // passed over. Holds nothing unless kTaken.
    TakeResult take(const std::vector<tidemark::ItemId>& selected);
    // Deletes the references; the items stay as they are.
    void clear();

    bool empty() const { return m_references.empty(); }
    // The first reference of the chain; 0 when nothing is held.
    tidemark::ItemId chain() const;
    // The taken items themselves (not their descendants), in order.
    const std::vector<tidemark::ItemId>& tops() const { return m_tops; }
    // `item` is a taken item or lies below one, and is still that item.
    bool contains(tidemark::ItemId item) const;
    // Every reference and every taken item is still in the note as taken.
    bool intact() const;

private:
    // A reference to `target` linked as the last child of `parent` (0: at
    // the end of the top chain, after `previous`). 0 when no id is free.
    tidemark::ItemId addReference(tidemark::ItemId target, tidemark::ItemId parent,
                                  tidemark::ItemId previous);

    tidemark::Note& m_note;
    std::vector<tidemark::RefPtr<tidemark::Item>> m_references;  // in the order made
    std::unordered_map<tidemark::ItemId, tidemark::RefPtr<tidemark::Item>> m_taken;
    std::vector<tidemark::ItemId> m_tops;
};
