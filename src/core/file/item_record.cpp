// The item record sections of note files and item blocks.
#include "core/file/note_format.h"
#include "core/file/stream_io.h"
#include "core/model/item.h"

namespace tidemark {

namespace F = NoteFormat;

void Item::Read(ByteStream& stream) {
    for (;;) {
        const std::uint8_t tag = ReadU8(stream);
        switch (tag) {
            case F::kItemId: links.id = ReadU32(stream); break;
            case F::kItemParent: links.parent = ReadU32(stream); break;
            case F::kItemFirstChild: links.firstChild = ReadU32(stream); break;
            case F::kItemPrevious: links.previous = ReadU32(stream); break;
            case F::kItemNext: links.next = ReadU32(stream); break;
            case F::kItemTitle: m_title = ReadByteString(stream); break;
            case F::kItemOpen: m_open = ReadU32(stream); break;
            case F::kItemForeground: m_foreground = ReadU32(stream); break;
            case F::kItemType: m_type = ReadU32(stream); break;
            case F::kItemModified: m_modified = ReadSystemTime(stream); break;
            case F::kItemBackground: m_background = ReadU32(stream); break;
            case F::kItemChildCount: caches.childCount = ReadU32(stream); break;
            case F::kItemSiblingIndex: caches.siblingIndex = ReadU32(stream); break;
            case F::kItemDepth: caches.depth = ReadU32(stream); break;
            case F::kItemFlags: m_flags = ReadU32(stream); break;
            case F::kItemRemarks: m_remarks = ReadByteString(stream); break;
            case F::kEnd: return;
            default: break;  // a tag without a value
        }
    }
}

void Item::Write(ByteStream& stream) const {
    auto u32 = [&](std::uint8_t tag, std::uint32_t value) {
        WriteU8(stream, tag);
        WriteU32(stream, value);
    };
    u32(F::kItemId, links.id);
    u32(F::kItemParent, links.parent);
    u32(F::kItemFirstChild, links.firstChild);
    u32(F::kItemPrevious, links.previous);
    u32(F::kItemNext, links.next);
    WriteU8(stream, F::kItemTitle);
    WriteByteString(stream, m_title);
    u32(F::kItemOpen, m_open);
    u32(F::kItemForeground, m_foreground);
    u32(F::kItemType, m_type);
    WriteU8(stream, F::kItemModified);
    WriteSystemTime(stream, m_modified);
    u32(F::kItemBackground, m_background);
    u32(F::kItemChildCount, caches.childCount);
    u32(F::kItemSiblingIndex, caches.siblingIndex);
    u32(F::kItemDepth, caches.depth);
    u32(F::kItemFlags, m_flags);
    WriteU8(stream, F::kItemRemarks);
    WriteByteString(stream, m_remarks);
    WriteU8(stream, F::kEnd);
}

void Memo::Read(ByteStream& stream) {
    Item::Read(stream);
    for (;;) {
        const std::uint8_t tag = ReadU8(stream);
        switch (tag) {
            case F::kMemoBody: m_body = ReadByteString(stream); break;
            case F::kMemoWordWrap: m_wordWrap = ReadU32(stream); break;
            case F::kEnd: return;
            default: break;
        }
    }
}

void Memo::Write(ByteStream& stream) const {
    Item::Write(stream);
    WriteU8(stream, F::kMemoBody);
    WriteByteString(stream, m_body);
    WriteU8(stream, F::kMemoWordWrap);
    WriteU32(stream, m_wordWrap);
    WriteU8(stream, F::kEnd);
}

void ItemReference::Write(ByteStream& stream) const {
    Item::Write(stream);
    WriteU8(stream, F::kReferenceTarget);
    WriteU32(stream, target);
    WriteU8(stream, F::kEnd);
}

}  // namespace tidemark
