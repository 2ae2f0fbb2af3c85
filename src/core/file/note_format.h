#pragma once

#include <cstdint>

// The bytes of note files and of item blocks on the clipboard. The grammar is
// in docs/note-file-format.md.
namespace tidemark::NoteFormat {

inline constexpr char kMagic[4] = {'!', 'T', 'M', 'K'};

// Header tags, each followed by its value.
inline constexpr std::uint8_t kTagVersion = 1;
inline constexpr std::uint8_t kTagLastId = 2;
inline constexpr std::uint8_t kTagItemCount = 3;
inline constexpr std::uint8_t kTagWindowLeft = 4;
inline constexpr std::uint8_t kTagWindowTop = 5;
inline constexpr std::uint8_t kTagWindowWidth = 6;
inline constexpr std::uint8_t kTagWindowHeight = 7;
inline constexpr std::uint8_t kTagMaximized = 8;
inline constexpr std::uint8_t kTagRootId = 9;
inline constexpr std::uint8_t kTagCurrentItemId = 10;
inline constexpr std::uint8_t kTagTitleColumnWidth = 11;
inline constexpr std::uint8_t kTagModifiedColumnWidth = 12;
inline constexpr std::uint8_t kTagLayout = 13;
inline constexpr std::uint8_t kTagSplitter = 14;
inline constexpr std::uint8_t kTagCustomColours = 15;  // 16 u32
inline constexpr std::uint8_t kTagTextColour = 16;
inline constexpr std::uint8_t kTagBackgroundColour = 17;
inline constexpr std::uint8_t kTagBodyColumnWidth = 18;
inline constexpr std::uint8_t kTagRemarksCaption = 19;  // string
inline constexpr std::uint8_t kTagRemarksColumnWidth = 20;
inline constexpr std::uint8_t kTagWindowFlags = 21;
inline constexpr std::uint8_t kTagRecentMemos = 22;  // 10 u32
inline constexpr std::uint8_t kLastHeaderTag = 22;

// Record type tags. Every tag from 0x80 to 0xFE starts a record; only 0x81
// is a memo. Tags 0 and 23 to 127 carry no value.
inline constexpr std::uint8_t kRecordGroup = 0x80;
inline constexpr std::uint8_t kRecordMemo = 0x81;
inline constexpr std::uint8_t kEnd = 0xFF;

// Tags of an item record's base section.
inline constexpr std::uint8_t kItemId = 1;
inline constexpr std::uint8_t kItemParent = 2;
inline constexpr std::uint8_t kItemFirstChild = 3;
inline constexpr std::uint8_t kItemPrevious = 4;
inline constexpr std::uint8_t kItemNext = 5;
inline constexpr std::uint8_t kItemTitle = 6;
inline constexpr std::uint8_t kItemOpen = 7;
inline constexpr std::uint8_t kItemForeground = 8;
inline constexpr std::uint8_t kItemType = 9;
inline constexpr std::uint8_t kItemModified = 10;  // 16-byte calendar time
inline constexpr std::uint8_t kItemBackground = 11;
inline constexpr std::uint8_t kItemChildCount = 12;
inline constexpr std::uint8_t kItemSiblingIndex = 13;
inline constexpr std::uint8_t kItemDepth = 14;
inline constexpr std::uint8_t kItemFlags = 15;
inline constexpr std::uint8_t kItemRemarks = 16;

// Tags of a memo's section, after the base section.
inline constexpr std::uint8_t kMemoBody = 1;
inline constexpr std::uint8_t kMemoWordWrap = 2;

// Tags of a reference's section (references are never stored; kept for completeness).
inline constexpr std::uint8_t kReferenceTarget = 1;

}  // namespace tidemark::NoteFormat
