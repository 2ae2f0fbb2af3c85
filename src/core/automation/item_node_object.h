#pragma once

#include "core/automation/item_object.h"

namespace tidemark {

// A memo group or the root, as clients see it (IItemNode). A locked group
// whose password is not held shows no children.
class ItemNodeObject : public ItemObject {
public:
    ItemNodeObject(std::shared_ptr<NoteLink> link, RefPtr<Item> item);

    bool IsText() const override { return false; }

    Result<bool> Open() const;
    // Not refused on a read-only note: opening is a view of the note, no change.
    Status SetOpen(bool open);
    Result<bool> Encrypted() const;
    Result<std::int32_t> GetChildItemCount() const;
    // A negative index gives the first child.
    Result<ItemHandle> GetChildItem(std::int32_t index) const;
};

}  // namespace tidemark
