#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/common/byte_string.h"
#include "core/common/system_time.h"
#include "core/file/global_memory_stream.h"
#include "core/file/note_file.h"
#include "core/model/id_map.h"
#include "core/model/item.h"
#include "core/model/note_view_settings.h"

namespace tidemark {

class ByteStream;
class NoteHost;
class SortProgress;

// Where InsertItems places a run relative to its target.
namespace Placement {
inline constexpr int kInside = 0;  // as children of the target
inline constexpr int kBeside = 1;  // as siblings of the target
inline constexpr int kBefore = 2;  // order: first child, or before the target
inline constexpr int kAfter = 3;   // order: last child, or after the target (any value but 2)
}  // namespace Placement

// Keys of SortChildren and CompareItems.
namespace SortKey {
inline constexpr int kTitle = 1;
inline constexpr int kRemarks = 2;
inline constexpr int kModifiedTime = 3;
inline constexpr int kBody = 4;
}  // namespace SortKey

// One document: a tree of items under a root memo group, plus unplaced
// reference items of working trees, plus the view state stored with it.
// Single-threaded: it belongs to the thread of the window (or script) that
// owns it. Tree operations notify no one; callers refresh their views and
// mark the note modified through the host.
class Note {
public:
    static constexpr std::uint32_t kVersion = 0x01000005;

    // host may be null (a note without a window); clock null = the system clock.
    explicit Note(NoteHost* host = nullptr, const Clock* clock = nullptr);
    ~Note();
    Note(const Note&) = delete;
    Note& operator=(const Note&) = delete;

    NoteHost* Host() const { return m_host; }
    void SetHost(NoteHost* host) { m_host = host; }
    const Clock& GetClock() const { return *m_clock; }
    bool IsDetached() const { return m_detached; }
    void SetDetached(bool detached) { m_detached = detached; }

    std::uint32_t Version() const { return m_version; }
    std::uint32_t FileVersionRead() const { return m_fileVersionRead; }
    ItemId LastId() const { return m_lastId; }
    std::uint32_t ItemCount() const { return m_itemCount; }
    ItemId RootId() const { return m_rootId; }
    ItemId CurrentItemId() const { return m_currentItemId; }
    void SetCurrentItemId(ItemId id) { m_currentItemId = id; }
    NoteViewSettings& View() { return m_view; }
    const NoteViewSettings& View() const { return m_view; }
    const IdMap<Item*>& Items() const { return m_items; }

    // Empties the note and gives it a root memo group with this title, open.
    void MakeNew(const ByteString& rootTitle);

    // Deletes the root with its whole subtree; unplaced items stay.
    void Clear();
    // A new, unlinked item with the defaults of its kind; 0 when no id is free.
    ItemId CreateItem(ItemType type);
    Item* FindItem(ItemId id) const;
    ItemId AllocateItemId();
    // Links the detached run starting at `first` (and its next links) inside
    // or beside `target`. Callers check cycles, target kinds and locks first.
    bool InsertItems(ItemId first, ItemId target, int relation, int order, bool renumber);
    // Detaches `count` siblings from `first` (0 = to the end of the chain).
    bool UnlinkItems(ItemId first, std::uint32_t count, bool renumber);
    // Unlinks the run and deletes it with every subtree.
    bool DeleteItems(ItemId first, std::uint32_t count);

    std::uint32_t GetChildCount(ItemId id);
    std::uint32_t GetSiblingIndex(ItemId id);
    std::uint32_t GetDepth(ItemId id);
    bool AreAncestorsOpen(ItemId id) const;
    // True when `ancestor` is the parent, grandparent… of `id` (not `id` itself).
    bool IsDescendantOf(ItemId id, ItemId ancestor) const;

    // Sorts a group's children in place by relinking (ids stay). The result
    // is the stable order for the key; equal items keep their order. false
    // when cancelled through `progress` (the children keep the order reached,
    // each exactly once, with correct index caches). progress may be null.
    bool SortChildren(SortProgress* progress, ItemId group, int key, bool descending,
                      bool recursive);
    int CompareItems(ItemId a, ItemId b, int key) const;

    // The run starting at `first` (a chain of references, as the selection
    // builds it) as item records in a memory block; nothing on failure.
    std::optional<MemoryBlock> SerializeItems(ItemId first);
    // Adds the records of a block under fresh ids as an unplaced run; returns
    // its first id. Throws IoError on damaged data (adding nothing then).
    ItemId DeserializeItems(const MemoryBlock& block);

    // Locks: the owner of every item below a locked group is that group.
    void SetLockOwner(ItemId owner, ItemId group, bool set);
    void InheritLockOwner(ItemId item, ItemId place, int relation);
    bool IsLockedOut(ItemId id, int relation) const;
    bool ContainsLockedGroup(ItemId first) const;
    void CollectLockedGroups(ItemId first, IdMap<ItemId>& groups) const;

    // Everything after the magic of a note file. ReadNote expects an empty
    // note and throws IoError; the note is then to be discarded.
    void ReadNote(ByteStream& stream);
    void WriteNote(ByteStream& stream) const;

    // Loading and saving through the note's own file, which `files` opens
    // (core/file/note_storage.h has the contracts). Throw IoError.
    int Load(FileSystem& files, const std::string& path, bool detached);
    void Save(FileSystem& files, const std::string& path, bool detached);
    bool AcquireWriteAccess(FileSystem& files, const std::string& path);
    void ReleaseWriteAccess();
    const NoteFile& File() const { return m_file; }

private:
    friend class NoteReader;
    void AdoptItem(Item* item);          // into the map under its own id
    void ReleaseAll();
    void ClearDepthCaches(ItemId top);   // of `top` and its whole subtree
    void Renumber(ItemId firstSibling);  // sibling-index caches 0, 1, 2, …
    std::size_t WalkLimit() const { return m_items.Size() + 1; }

    NoteHost* m_host;
    const Clock* m_clock;
    bool m_detached = false;
    std::uint32_t m_version = kVersion;
    std::uint32_t m_fileVersionRead = 0;
    ItemId m_lastId = kNoItem;
    std::uint32_t m_itemCount = 0;
    ItemId m_rootId = kNoItem;
    ItemId m_currentItemId = kNoItem;
    NoteViewSettings m_view;
    IdMap<Item*> m_items;  // holds one reference to each item
    NoteFile m_file;       // closed unless an attached load or save holds the file
};

}  // namespace tidemark
