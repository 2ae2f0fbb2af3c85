#include "app/edit/item_removal.h"

#include "app/context/item_view_updater.h"
#include "core/model/item.h"
#include "core/model/note.h"

using namespace tidemark;

void removeItems(Note& note, ItemViewUpdater& views, const std::vector<ItemId>& tops) {
    for (ItemId id : tops) {
        const Item* item = note.FindItem(id);
        if (!item || id == note.RootId())
            continue;
        const ItemId open = views.openMemo();
        if (open != kNoItem && (open == id || note.IsDescendantOf(open, id)))
            views.closeOpenMemo();
        const ItemId parentId = item->links.parent;
        views.itemRemoving(id);
        note.DeleteItems(id, 1);
        Item* parent = note.FindItem(parentId);
        if (parent && parent->IsLockedGroup() && parent->links.firstChild == kNoItem) {
            parent->SetRawFlags(parent->Flags() & ~ItemFlags::kLocked);
            parent->ForgetPassword();
            views.itemChanged(parentId);
        }
    }
    views.afterRemoval();
}
