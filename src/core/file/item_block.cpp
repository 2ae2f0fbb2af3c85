// Runs of items as memory blocks, for the clipboard and drag and drop.
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

#include "core/common/error_code.h"
#include "core/file/note_format.h"
#include "core/file/stream_io.h"
#include "core/model/item_crypto.h"
#include "core/model/item_lock.h"
#include "core/model/note.h"

namespace tidemark {

namespace F = NoteFormat;

std::optional<MemoryBlock> Note::SerializeItems(ItemId first) {
    GlobalMemoryStream stream;
    if (stream.OpenWrite() != 0) return std::nullopt;
    try {
        IdMap<ItemId> lockedGroups;
        CollectLockedGroups(first, lockedGroups);
        std::unordered_map<ItemId, std::unique_ptr<BlowfishCipher>> ciphers;

        // Pre-order: an item, its children's chain, then its next sibling.
        std::vector<ItemId> pending{first};
        std::size_t budget = WalkLimit() * 2;
        while (!pending.empty() && budget-- > 0) {
            const ItemId id = pending.back();
            pending.pop_back();
            const Item* item = FindItem(id);
            if (!item) continue;
            if (item->links.next != kNoItem) pending.push_back(item->links.next);
            if (item->links.firstChild != kNoItem) pending.push_back(item->links.firstChild);

            RefPtr<Item> copy;
            const Item* record = item;
            if (const auto* reference = dynamic_cast<const ItemReference*>(item)) {
                const Item* target = FindItem(reference->target);
                if (!target) return std::nullopt;
                copy = target->Clone();
                copy->links = reference->links;
                record = copy.Get();
            }
            WriteU8(stream, record->IsMemo() ? F::kRecordMemo : F::kRecordGroup);
            if (record->IsLockedGroup()) {
                if (!copy) copy = record->Clone();
                copy->SetOpen(false);
                record = copy.Get();
            } else if (lockedGroups.Contains(record->LockOwner())) {
                const Item* owner = FindItem(record->LockOwner());
                if (owner && !owner->Password().Empty() && !record->IsEncrypted()) {
                    auto& cipher = ciphers[owner->links.id];
                    if (!cipher) cipher = std::make_unique<BlowfishCipher>(owner->Password().View());
                    if (!copy) copy = record->Clone();
                    if (!EncryptItem(*copy, *cipher)) return std::nullopt;
                    record = copy.Get();
                }
            }
            record->Write(stream);
        }
        WriteU8(stream, F::kEnd);
        stream.Close();
        return stream.Detach();
    } catch (...) {
        return std::nullopt;
    }
}

namespace {

// True when following `link` from some item of the block comes back to it.
template <typename Link>
bool HasCycle(const std::unordered_map<ItemId, Item*>& items, Link link) {
    std::unordered_map<ItemId, int> state;  // 1 on the current path, 2 done
    for (const auto& [start, ignored] : items) {
        std::vector<ItemId> path;
        ItemId at = start;
        while (items.count(at) && state[at] == 0) {
            state[at] = 1;
            path.push_back(at);
            at = link(*items.at(at));
        }
        if (items.count(at) && state[at] == 1) return true;
        for (ItemId id : path) state[id] = 2;
    }
    return false;
}

}  // namespace

ItemId Note::DeserializeItems(const MemoryBlock& block) {
    MemoryBlock copy = block;  // the stream reads a block it does not own
    GlobalMemoryStream stream(&copy);
    if (const std::uint32_t code = stream.OpenRead()) throw IoError(code);

    IdMap<Item*> byOldId;
    IdMap<ItemId> newIds;
    std::vector<RefPtr<Item>> made;  // released if anything fails
    ItemId firstNew = kNoItem;
    try {
        for (;;) {
            const std::uint8_t tag = ReadU8(stream);
            if (tag == F::kEnd) break;
            const SystemTime now = m_clock->Now();
            RefPtr<Item> item = RefPtr<Item>::Adopt(
                tag == F::kRecordMemo ? static_cast<Item*>(new Memo(now))
                                      : new Item(ItemType::kGroup, now));
            item->Read(stream);
            if (newIds.Contains(item->links.id) || !(item->IsMemo() || item->IsGroup()) ||
                (dynamic_cast<Memo*>(item.Get()) != nullptr) != item->IsMemo()) {
                throw IoError(ErrorCode::kHandleEof);
            }
            const ItemId newId = AllocateItemId();
            if (newId == kNoItem) throw IoError(0);
            if (firstNew == kNoItem) firstNew = newId;
            byOldId.Insert(item->links.id, item.Get());
            newIds.Insert(item->links.id, newId);
            made.push_back(std::move(item));
        }
    } catch (const std::bad_alloc&) {
        throw IoError(ErrorCode::kNotEnoughMemory);
    }

    auto remap = [&](ItemId old) {
        const ItemId* found = newIds.Find(old);
        return found ? *found : kNoItem;
    };
    std::unordered_map<ItemId, Item*> remapped;
    byOldId.ForEach([&](std::uint32_t, Item* item) {
        TreeLinks& l = item->links;
        l = TreeLinks{remap(l.id), remap(l.parent), remap(l.firstChild), remap(l.previous),
                      remap(l.next)};
        remapped[l.id] = item;
    });
    // A damaged block must not bring loops into the note.
    if (HasCycle(remapped, [](const Item& i) { return i.links.parent; }) ||
        HasCycle(remapped, [](const Item& i) { return i.links.next; }) ||
        HasCycle(remapped, [](const Item& i) { return i.links.previous; })) {
        throw IoError(ErrorCode::kHandleEof);
    }

    std::vector<ItemId> lockedGroups;
    byOldId.ForEach([&](std::uint32_t, Item* item) {
        item->AddRef();
        AdoptItem(item);
        if (item->IsLockedGroup()) lockedGroups.push_back(item->links.id);
        if (!item->IsReference()) ++m_itemCount;
    });
    for (ItemId group : lockedGroups) SetLockOwner(group, group, true);
    return firstNew;
}

}  // namespace tidemark
