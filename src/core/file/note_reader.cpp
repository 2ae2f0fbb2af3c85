// Reading a note file's contents (everything after the magic).
#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "core/common/error_code.h"
#include "core/file/note_format.h"
#include "core/file/stream_io.h"
#include "core/model/note.h"

namespace tidemark {

namespace F = NoteFormat;

namespace {

[[noreturn]] void Damaged() { throw IoError(ErrorCode::kHandleEof); }

// An item's record class must agree with its type: memos are read from memo
// records, groups from group records.
bool KindMatchesClass(const Item& item) {
    const bool isMemoObject = dynamic_cast<const Memo*>(&item) != nullptr;
    return isMemoObject ? item.IsMemo() : item.IsGroup();
}

}  // namespace

// Checks that the links form one tree under the root and drops records that
// are not part of it. Such records are never shown nor saved, and a cycle in
// them would hang any later walk. A damaged tree (a cycle, an item reached
// twice, a link to a missing item, links that contradict each other) is
// refused as damaged data. Cached counts that contradict the tree are reset
// so that they are recounted.
class NoteReader {
public:
    static void ValidateTree(Note& note) {
        // Items reached carry the walk mark until the end of the check.
        std::vector<Item*> reached;
        reached.reserve(note.m_items.Size());
        auto reach = [&](Item* item) {
            if (item->walkMark) return false;
            item->walkMark = true;
            reached.push_back(item);
            return true;
        };
        struct ClearMarks {
            std::vector<Item*>& items;
            ~ClearMarks() {
                for (Item* item : items) item->walkMark = false;
            }
        } clearMarks{reached};
        if (note.m_rootId != kNoItem) {
            Item* root = note.FindItem(note.m_rootId);
            if (!root || !root->IsGroup() || !KindMatchesClass(*root) ||
                root->links.parent != kNoItem) {
                Damaged();
            }
            root->links.previous = kNoItem;
            root->links.next = kNoItem;
            if (root->caches.depth != 0 || root->caches.siblingIndex != 0) {
                root->caches.depth = 0;
                root->caches.siblingIndex = 0;
            }
            reach(root);
            struct Pending {
                Item* group;
                std::uint32_t depth;
            };
            std::vector<Pending> pending{{root, 0}};
            while (!pending.empty()) {
                const Pending at = pending.back();
                pending.pop_back();
                ItemId previous = kNoItem;
                std::uint32_t index = 0;
                for (ItemId c = at.group->links.firstChild; c != kNoItem; ++index) {
                    Item* child = note.FindItem(c);
                    if (!child || !reach(child)) Damaged();
                    if (child->links.parent != at.group->links.id ||
                        child->links.previous != previous || !KindMatchesClass(*child)) {
                        Damaged();
                    }
                    if (child->IsMemo() && child->links.firstChild != kNoItem) Damaged();
                    if (child->caches.siblingIndex != 0 && child->caches.siblingIndex != index) {
                        child->caches.siblingIndex = 0;
                    }
                    if (child->caches.depth != 0 && child->caches.depth != at.depth + 1) {
                        child->caches.depth = 0;
                    }
                    if (child->IsGroup()) pending.push_back({child, at.depth + 1});
                    previous = c;
                    c = child->links.next;
                }
                if (at.group->caches.childCount != 0 && at.group->caches.childCount != index) {
                    at.group->caches.childCount = 0;
                }
            }
        }
        if (reached.size() == note.m_items.Size()) return;
        for (ItemId id : note.m_items.Keys()) {
            Item* item = note.FindItem(id);
            if (item->walkMark) continue;
            note.m_items.Remove(id);
            item->MarkDeleted();
            item->Release();
        }
    }

    static Item* ReadRecord(Note& note, std::uint8_t tag, ByteStream& stream) {
        Item* item = nullptr;
        try {
            const SystemTime now = note.GetClock().Now();
            item = tag == F::kRecordMemo ? new Memo(now) : new Item(ItemType::kGroup, now);
        } catch (const std::bad_alloc&) {
            throw IoError(ErrorCode::kNotEnoughMemory);
        }
        try {
            item->Read(stream);
        } catch (...) {
            item->Release();
            throw;
        } 
        note.AdoptItem(item);
        return item;
    }
};

void Note::ReadNote(ByteStream& stream) {
    IdMap<ItemId> lockedGroups;
    auto i32 = [&] { return static_cast<std::int32_t>(ReadU32(stream)); };
    try {
        for (;;) {
            const std::uint8_t tag = ReadU8(stream);
            switch (tag) {
                case F::kTagVersion: {
                    const std::uint32_t version = ReadU32(stream);
                    if (version > kVersion) throw IoError(ErrorCode::kNewerVersion);
                    m_fileVersionRead = version;
                    m_version = kVersion;
                    break;
                }
                case F::kTagLastId: m_lastId = ReadU32(stream); break;
                case F::kTagItemCount: {
                    m_itemCount = ReadU32(stream);
                    // Room for the items to come, as far as the data can hold them
                    // (a record takes well over 64 bytes).
                    const std::size_t room = stream.Remaining() == SIZE_MAX
                                                 ? 0
                                                 : stream.Remaining() / 64;
                    m_items.Reserve(std::min<std::size_t>(m_itemCount, room));
                    break;
                }
                case F::kTagWindowLeft: m_view.windowLeft = i32(); break;
                case F::kTagWindowTop: m_view.windowTop = i32(); break;
                case F::kTagWindowWidth: m_view.windowWidth = i32(); break;
                case F::kTagWindowHeight: m_view.windowHeight = i32(); break;
                case F::kTagMaximized: m_view.maximized = ReadU32(stream); break;
                case F::kTagRootId: m_rootId = ReadU32(stream); break;
                case F::kTagCurrentItemId: m_currentItemId = ReadU32(stream); break;
                case F::kTagTitleColumnWidth: m_view.titleColumnWidth = i32(); break;
                case F::kTagModifiedColumnWidth: m_view.modifiedColumnWidth = i32(); break;
                case F::kTagLayout: m_view.layout = ReadU32(stream); break;
                case F::kTagSplitter: m_view.splitter = i32(); break;
                case F::kTagCustomColours:
                    for (Colour& c : m_view.customColours) c = ReadU32(stream);
                    break;
                case F::kTagTextColour: m_view.textColour = ReadU32(stream); break;
                case F::kTagBackgroundColour: m_view.backgroundColour = ReadU32(stream); break;
                case F::kTagBodyColumnWidth: m_view.bodyColumnWidth = i32(); break;
                case F::kTagRemarksCaption: m_view.remarksCaption = ReadByteString(stream); break;
                case F::kTagRemarksColumnWidth: m_view.remarksColumnWidth = i32(); break;
                case F::kTagWindowFlags: m_view.windowFlags = ReadU32(stream); break;
                case F::kTagRecentMemos:
                    for (ItemId& id : m_view.recentMemos) id = ReadU32(stream);
                    break;
                case F::kEnd: {
                    NoteReader::ValidateTree(*this);
                    lockedGroups.ForEach([&](std::uint32_t id, ItemId) {
                        const Item* group = FindItem(id);
                        if (group && group->IsLockedGroup()) SetLockOwner(id, id, true);
                    });
                    return;
                }
                default:
                    if (tag >= F::kRecordGroup) {
                        const Item* item = NoteReader::ReadRecord(*this, tag, stream);
                        if (item->IsGroup() && item->HasFlag(ItemFlags::kLocked)) {
                            lockedGroups.Insert(item->links.id, item->links.id);
                        }
                    }
                    break;  // tags 0 and 23 to 127 carry no value
            }
        }
    } catch (const std::bad_alloc&) {
        throw IoError(ErrorCode::kNotEnoughMemory);
    }
}

}  // namespace tidemark
