#pragma once

#include <cstdint>

#include "core/common/byte_string.h"
#include "core/common/colour.h"
#include "core/model/item_id.h"

namespace tidemark {

class Item;
class Note;

// The attribute groups NewMemoSkipAttrs can leave out.
namespace AttributeGroup {
inline constexpr std::uint32_t kTextColour = 1;
inline constexpr std::uint32_t kBackgroundColour = 2;
inline constexpr std::uint32_t kStrikeOut = 4;
inline constexpr std::uint32_t kWordWrap = 8;
inline constexpr std::uint32_t kLinks = 16;
inline constexpr std::uint32_t kRemarks = 32;
}  // namespace AttributeGroup

// Where a new item takes its attributes from (NewMemoAttrSource).
namespace NewItemAttributeSource {
inline constexpr int kParent = 1;
inline constexpr int kNeighbour = 2;  // the previous sibling, else the next one
inline constexpr int kNone = 3;
}  // namespace NewItemAttributeSource

// One remembered attribute set: what "copy attributes" keeps and what a new
// item takes from its neighbour or parent.
struct AttributeSet {
    ItemType type = ItemType::kMemo;
    std::uint32_t flags = 0;
    ByteString remarks;
    Colour textColour = 0;
    Colour backgroundColour = 0;
    bool wordWrap = true;
};

AttributeSet CaptureAttributes(const Item& item);
// Gives `target` every attribute group of `set` whose bit in `skip` is
// clear. Word wrap passes only from a memo to a memo, link flags only to a
// memo. Each change stamps the target's time (unless it is encrypted).
void ApplyAttributes(Item& target, const AttributeSet& set, std::uint32_t skip);

// The rule for an item just made and placed in the tree (the create
// commands and scripts share it): `source` picks the item to copy from
// (NewItemAttributeSource), `skip` the groups left out. The root is never a
// source; nothing happens when there is no source.
void ApplyNewItemAttributes(Note& note, ItemId item, int source, std::uint32_t skip);

}  // namespace tidemark
