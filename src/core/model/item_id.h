#pragma once

#include <cstddef>
#include <cstdint>

namespace tidemark {

// Identifies an item within its note: 1 to 0x7FFFFFFF; 0 means "no item" in
// every link and result. Ids are handed out in increasing order and kept
// across saves.
using ItemId = std::uint32_t;
inline constexpr ItemId kNoItem = 0;
inline constexpr ItemId kMaxItemId = 0x7FFFFFFF;

enum class ItemType : std::uint32_t {
    kGroup = 1,      // a memo group; the root is one
    kMemo = 2,
    kReference = 3,  // stands for another item in a working tree; never stored
};

// Bits of an item's flags word.
namespace ItemFlags {
inline constexpr std::uint32_t kOwnTextColour = 0x1;
inline constexpr std::uint32_t kOwnBackgroundColour = 0x2;
inline constexpr std::uint32_t kStrikeOut = 0x4;
inline constexpr std::uint32_t kHasRemarks = 0x8;
inline constexpr std::uint32_t kLocked = 0x10;     // this memo group carries a lock
inline constexpr std::uint32_t kEncrypted = 0x20;  // title, remarks, body hold ciphertext
inline constexpr std::uint32_t kBodyLink = 0x10000;
inline constexpr std::uint32_t kRemarksLink = 0x20000;
}  // namespace ItemFlags

// Longest title or remarks text, in bytes.
inline constexpr std::size_t kMaxTitleBytes = 259;

}  // namespace tidemark
