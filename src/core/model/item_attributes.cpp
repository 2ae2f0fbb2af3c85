#include "core/model/item_attributes.h"

#include "core/model/item.h"
#include "core/model/note.h"

namespace tidemark {

AttributeSet CaptureAttributes(const Item& item) {
    AttributeSet set;
    set.type = item.Type();
    set.flags = item.Flags();
    set.remarks = item.StoredRemarks();
    set.textColour = item.ForegroundColour();
    set.backgroundColour = item.BackgroundColour();
    if (item.IsMemo())
        set.wordWrap = static_cast<const Memo&>(item).WordWrap();
    return set;
}

void ApplyAttributes(Item& target, const AttributeSet& set, std::uint32_t skip) {
    const auto has = [&set](std::uint32_t flag) { return (set.flags & flag) != 0; };
    if (!(skip & AttributeGroup::kTextColour)) {
        if (has(ItemFlags::kOwnTextColour)) {
            target.SetTextColour(set.textColour);
        } else {
            target.ClearTextColour();
        }
    }
    if (!(skip & AttributeGroup::kBackgroundColour)) {
        if (has(ItemFlags::kOwnBackgroundColour)) {
            target.SetBackgroundColour(set.backgroundColour);
        } else {
            target.ClearBackgroundColour();
        }
    }
    if (!(skip & AttributeGroup::kStrikeOut))
        target.SetStrikeOut(has(ItemFlags::kStrikeOut));
    if (!(skip & AttributeGroup::kWordWrap) && target.IsMemo() && set.type == ItemType::kMemo) {
        static_cast<Memo&>(target).SetWordWrap(set.wordWrap);
    }
    if (!(skip & AttributeGroup::kLinks) && target.IsMemo()) {
        // The setters keep the two flags exclusive; clear first, then set.
        target.SetBodyLink(false);
        target.SetRemarksLink(false);
        if (has(ItemFlags::kBodyLink))
            target.SetBodyLink(true);
        if (has(ItemFlags::kRemarksLink))
            target.SetRemarksLink(true);
    }
    if (!(skip & AttributeGroup::kRemarks)) {
        if (has(ItemFlags::kHasRemarks) && !set.remarks.Empty()) {
            target.SetRemarks(set.remarks);
        } else {
            target.SetRemarks(ByteString());
        }
    }
}

void ApplyNewItemAttributes(Note& note, ItemId id, int source, std::uint32_t skip) {
    Item* item = note.FindItem(id);
    if (!item)
        return;
    const Item* from = nullptr;
    if (source == NewItemAttributeSource::kParent) {
        from = note.FindItem(item->links.parent);
    } else if (source == NewItemAttributeSource::kNeighbour) {
        from = note.FindItem(item->links.previous);
        if (!from)
            from = note.FindItem(item->links.next);
    }
    if (from && from->links.id != note.RootId())
        ApplyAttributes(*item, CaptureAttributes(*from), skip);
}

}  // namespace tidemark
