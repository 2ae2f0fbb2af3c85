#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/automation/automation_error.h"
#include "core/model/item.h"
#include "core/model/ref_ptr.h"

namespace tidemark {

class Note;
class NoteLink;

// The numbers scripts pass as item types and positions (the note's
// read-only properties of the same names).
namespace AutomationConstant {
inline constexpr std::int32_t kRoot = 1;
inline constexpr std::int32_t kMemoGroup = 2;
inline constexpr std::int32_t kMemo = 3;
inline constexpr std::int32_t kParent = 16;
inline constexpr std::int32_t kChild = 17;  // first child reading, last child placing
inline constexpr std::int32_t kPrevious = 18;
inline constexpr std::int32_t kNext = 19;
}  // namespace AutomationConstant

class ItemObject;
// An item as a client holds it; null stands for "no object".
using ItemHandle = std::shared_ptr<ItemObject>;

// The members memo groups (ItemNodeObject) and memos (ItemTextObject) share,
// under their published names. Texts are UTF-8.
//
// Lifetime: an object holds its item by reference and its note through the
// shared NoteLink, and looks the item up in the note on every call. Once
// the note no longer holds that very item (deleted, or the window's note
// replaced or gone) the object answers IsDeleted true and every member but
// ModifiedTime raises 20059. Not thread-safe: one thread calls at a time,
// while no one else changes the note.
class ItemObject {
public:
    virtual ~ItemObject();
    ItemObject(const ItemObject&) = delete;
    ItemObject& operator=(const ItemObject&) = delete;

    // The object for an item of the link's note: an ItemNodeObject for a
    // memo group or the root, an ItemTextObject for a memo; null for none.
    static ItemHandle For(std::shared_ptr<NoteLink> link, Item* item);

    // True for the memo interface (ItemTextObject).
    virtual bool IsText() const = 0;
    // Whether both stand for the same item of the same note.
    bool SameItem(const ItemObject& other) const;

    Result<std::int32_t> Id() const;
    Result<std::int32_t> Type() const;
    Result<std::string> Title() const;
    Status SetTitle(std::string_view text);
    Result<std::string> Remarks() const;
    Status SetRemarks(std::string_view text);
    Result<std::string> Foreground() const;
    Status SetForeground(std::string_view colour);
    Result<std::string> Background() const;
    Status SetBackground(std::string_view colour);
    Result<bool> StrikeOut() const;
    Status SetStrikeOut(bool on);
    // Never raises, not even for a deleted item.
    Result<std::string> ModifiedTime() const;
    Result<bool> IsDeleted() const;
    Result<bool> Exist(std::int32_t position) const;
    Result<ItemHandle> GetItem(std::int32_t position) const;
    Result<ItemHandle> NewItem(std::int32_t type, std::int32_t position);
    // The object stays, answering as deleted.
    Status DeleteItem();
    // `item` null, deleted or of another note raises 20060.
    Status MoveTo(const ItemObject* item, std::int32_t position);
    Result<bool> IsParent(const ItemObject* item) const;

protected:
    ItemObject(std::shared_ptr<NoteLink> link, RefPtr<Item> item);

    // The common checks, tested in this order where a member asks for them;
    // kPlain refuses an item that is encrypted (20053).
    enum Check : unsigned { kReadOnly = 1, kDeleted = 2, kRoot = 4, kPlain = 8 };
    std::optional<AutomationError> Refuse(unsigned checks) const;

    // The item while its note holds it, else null.
    Item* Live() const;
    // The note; only after the deleted check passed.
    Note& TheNote() const;
    bool IsRoot() const;
    const std::shared_ptr<NoteLink>& Link() const { return m_link; }
    // After a change of the note: tells its window.
    void Changed() const;

private:
    Status SetColour(std::string_view colour, bool background);
    // A title or remarks text: into the note's encoding, refused with
    // `tooLong` past the title bound, then stored by `store`.
    Status SetBoundedText(std::string_view text, std::uint32_t tooLong,
                          void (*store)(Item&, ByteString));

    std::shared_ptr<NoteLink> m_link;
    RefPtr<Item> m_item;
    // The child this object appended last: while it is still the last
    // child, the next one goes after it without walking the whole list
    // (a script filling a group appends thousands in a row).
    ItemId m_lastAppended = kNoItem;
};

}  // namespace tidemark
