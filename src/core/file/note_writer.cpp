// Writing a note file's contents (everything after the magic).
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/common/error_code.h"
#include "core/file/note_format.h"
#include "core/file/stream_io.h"
#include "core/model/item_crypto.h"
#include "core/model/item_lock.h"
#include "core/model/note.h"

namespace tidemark {

namespace F = NoteFormat;

namespace {

// The ids of the root and everything below it, found through the child links.
std::unordered_set<ItemId> ItemsInTree(const Note& note) {
    std::unordered_set<ItemId> inTree;
    const Item* root = note.FindItem(note.RootId());
    if (!root) return inTree;
    inTree.reserve(note.Items().Size() * 2);
    inTree.insert(root->links.id);
    std::vector<const Item*> pending{root};
    while (!pending.empty()) {
        const Item* group = pending.back();
        pending.pop_back();
        for (ItemId c = group->links.firstChild; c != kNoItem;) {
            const Item* child = note.FindItem(c);
            if (!child || !inTree.insert(c).second) break;
            if (child->IsGroup()) pending.push_back(child);
            c = child->links.next;
        }
    }
    return inTree;
}

}  // namespace

void Note::WriteNote(ByteStream& stream) const {
    auto u32 = [&](std::uint8_t tag, std::uint32_t value) {
        WriteU8(stream, tag);
        WriteU32(stream, value);
    };
    auto i32 = [&](std::uint8_t tag, std::int32_t value) {
        u32(tag, static_cast<std::uint32_t>(value));
    };
    u32(F::kTagVersion, kVersion);
    u32(F::kTagLastId, m_lastId);
    u32(F::kTagItemCount, m_itemCount);
    i32(F::kTagWindowLeft, m_view.windowLeft);
    i32(F::kTagWindowTop, m_view.windowTop);
    i32(F::kTagWindowWidth, m_view.windowWidth);
    i32(F::kTagWindowHeight, m_view.windowHeight);
    u32(F::kTagMaximized, m_view.maximized);
    u32(F::kTagRootId, m_rootId);
    u32(F::kTagCurrentItemId, m_currentItemId);
    i32(F::kTagTitleColumnWidth, m_view.titleColumnWidth);
    i32(F::kTagModifiedColumnWidth, m_view.modifiedColumnWidth);
    u32(F::kTagLayout, m_view.layout);
    i32(F::kTagSplitter, m_view.splitter);
    WriteU8(stream, F::kTagCustomColours);
    for (Colour c : m_view.customColours) WriteU32(stream, c);
    u32(F::kTagTextColour, m_view.textColour);
    u32(F::kTagBackgroundColour, m_view.backgroundColour);
    i32(F::kTagBodyColumnWidth, m_view.bodyColumnWidth);
    WriteU8(stream, F::kTagRemarksCaption);
    WriteByteString(stream, m_view.remarksCaption);
    i32(F::kTagRemarksColumnWidth, m_view.remarksColumnWidth);
    u32(F::kTagWindowFlags, m_view.windowFlags);
    WriteU8(stream, F::kTagRecentMemos);
    for (ItemId id : m_view.recentMemos) WriteU32(stream, id);

    // One cipher per unlocked group: the key schedule runs once per save.
    std::unordered_map<ItemId, std::unique_ptr<BlowfishCipher>> ciphers;
    const std::unordered_set<ItemId> inTree = ItemsInTree(*this);
    m_items.ForEach([&](std::uint32_t id, Item* item) {
        if (!inTree.count(id)) return;  // unplaced items and working trees stay in memory
        WriteU8(stream, item->IsMemo() ? F::kRecordMemo : F::kRecordGroup);
        if (item->HasFlag(ItemFlags::kLocked)) {
            // Locked groups are always stored closed.
            const bool open = item->IsOpen();
            item->SetOpen(false);
            try {
                item->Write(stream);
            } catch (...) {
                item->SetOpen(open);
                throw;
            }
            item->SetOpen(open);
            return;
        }
        const Item* owner = FindItem(item->LockOwner());
        if (owner && !owner->Password().Empty() && !item->IsEncrypted()) {
            auto& cipher = ciphers[owner->links.id];
            if (!cipher) cipher = std::make_unique<BlowfishCipher>(owner->Password().View());
            RefPtr<Item> clone = item->Clone();
            if (!EncryptItem(*clone, *cipher)) throw IoError(ErrorCode::kNotEnoughMemory);
            clone->Write(stream);
            return;
        }
        item->Write(stream);
    });
    WriteU8(stream, F::kEnd);
}

}  // namespace tidemark
