#pragma once

#include <cstdint>

#include "core/common/byte_string.h"
#include "core/common/colour.h"
#include "core/model/item_id.h"

namespace tidemark {
class Item;
}

// The attribute groups NewMemoSkipAttrs can leave out.
namespace AttributeGroup {
inline constexpr std::uint32_t kTextColour = 1;
inline constexpr std::uint32_t kBackgroundColour = 2;
inline constexpr std::uint32_t kStrikeOut = 4;
inline constexpr std::uint32_t kWordWrap = 8;
inline constexpr std::uint32_t kLinks = 16;
inline constexpr std::uint32_t kRemarks = 32;
}  // namespace AttributeGroup

// One remembered attribute set: what "copy attributes" keeps and what a new
// item takes from its neighbour or parent.
struct AttributeSet {
    tidemark::ItemType type = tidemark::ItemType::kMemo;
    std::uint32_t flags = 0;
    tidemark::ByteString remarks;
    tidemark::Colour textColour = 0;
    tidemark::Colour backgroundColour = 0;
    bool wordWrap = true;
};

AttributeSet captureAttributes(const tidemark::Item& item);
// Gives `target` every attribute group of `set` whose bit in `skip` is
// clear. Word wrap passes only from a memo to a memo, link flags only to a
// memo. Each change stamps the target's time (unless it is encrypted).
void applyAttributes(tidemark::Item& target, const AttributeSet& set, std::uint32_t skip);
