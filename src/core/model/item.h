#pragma once

#include <cstdint>
#include <memory>

#include "core/common/byte_string.h"
#include "core/common/colour.h"
#include "core/common/system_time.h"
#include "core/model/item_id.h"
#include "core/model/ref_ptr.h"

namespace tidemark {

class ByteStream;
class Note;

// Where an item sits in its note's tree. All links are ids; 0 = none.
struct TreeLinks {
    ItemId id = kNoItem;
    ItemId parent = kNoItem;
    ItemId firstChild = kNoItem;
    ItemId previous = kNoItem;
    ItemId next = kNoItem;
};

// Counts the note computes on demand and keeps beside the links; 0 means
// "not computed yet". They are stored in note files as they stand.
struct TreeCaches {
    std::uint32_t childCount = 0;
    std::uint32_t siblingIndex = 0;
    std::uint32_t depth = 0;
};

// A memo group (and the base of every item kind). Items are reference
// counted: the note holds the first reference, automation clients may hold
// more, and an item the note has deleted carries the deleted mark until the
// last reference goes.
//
// Setters of visible properties stamp the modified time with the note's
// clock, except while the item is encrypted: the modified time of an
// encrypted item is the key to its check text and must never change.
class Item {
public:
    Item(ItemType type, const SystemTime& created);
    virtual ~Item() = default;
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    void AddRef() { ++m_references; }
    void Release();
    bool IsDeleted() const { return m_deleted; }
    void MarkDeleted() { m_deleted = true; }

    // A mark for walks of the whole tree that must see each item once (the
    // load-time tree check); whoever walks sets and clears it.
    bool walkMark = false;

    // Reads or writes this item's record sections, without the type tag byte.
    virtual void Read(ByteStream& stream);
    virtual void Write(ByteStream& stream) const;
    // A fresh object with the same stored fields (links and caches included);
    // no password, no deleted mark. The caller owns it.
    virtual RefPtr<Item> Clone() const;

    TreeLinks links;
    TreeCaches caches;

    ItemType Type() const { return static_cast<ItemType>(m_type); }
    std::uint32_t RawType() const { return m_type; }
    bool IsGroup() const { return m_type == std::uint32_t(ItemType::kGroup); }
    bool IsMemo() const { return m_type == std::uint32_t(ItemType::kMemo); }
    bool IsReference() const { return m_type == std::uint32_t(ItemType::kReference); }

    const ByteString& Title() const { return m_title; }
    void SetTitle(ByteString title);
    // The stored remarks text, whatever the has-remarks flag says.
    const ByteString& StoredRemarks() const { return m_remarks; }
    // The remarks as the user sees them: empty unless the has-remarks flag is set.
    ByteString Remarks() const { return HasFlag(ItemFlags::kHasRemarks) ? m_remarks : ByteString(); }
    // A non-empty text sets the has-remarks flag; the empty text clears it.
    void SetRemarks(ByteString remarks);

    bool IsOpen() const { return m_open != 0; }
    std::uint32_t RawOpen() const { return m_open; }
    // Opening or closing is not a change of the item: no time stamp.
    void SetOpen(bool open) { m_open = open ? 1 : 0; }

    Colour ForegroundColour() const { return m_foreground; }
    Colour BackgroundColour() const { return m_background; }
    bool HasOwnTextColour() const { return HasFlag(ItemFlags::kOwnTextColour); }
    bool HasOwnBackgroundColour() const { return HasFlag(ItemFlags::kOwnBackgroundColour); }
    void SetTextColour(Colour colour);   // sets the own-text-colour flag
    void ClearTextColour();
    void SetBackgroundColour(Colour colour);
    void ClearBackgroundColour();

    bool IsStruckOut() const { return HasFlag(ItemFlags::kStrikeOut); }
    void SetStrikeOut(bool on);
    bool IsBodyLink() const { return HasFlag(ItemFlags::kBodyLink); }
    bool IsRemarksLink() const { return HasFlag(ItemFlags::kRemarksLink); }
    // The two link flags exclude each other: setting one clears the other.
    void SetBodyLink(bool on);
    void SetRemarksLink(bool on);

    std::uint32_t Flags() const { return m_flags; }
    bool HasFlag(std::uint32_t flag) const { return (m_flags & flag) != 0; }
    bool IsEncrypted() const { return HasFlag(ItemFlags::kEncrypted); }
    bool IsLockedGroup() const { return IsGroup() && HasFlag(ItemFlags::kLocked); }

    const SystemTime& ModifiedTime() const { return m_modified; }
    // Stamps the modified time now, unless the item is encrypted.
    void Touch();

    // The password of an unlocked locked group (memory only; empty = shut).
    const ByteString& Password() const;
    void SetPassword(ByteString password);
    void ForgetPassword();
    ItemId LockOwner() const { return m_lockOwner; }
    void SetLockOwner(ItemId owner) { m_lockOwner = owner; }

    Note* OwnerNote() const { return m_note; }
    void SetOwnerNote(Note* note) { m_note = note; }

    // Raw access for the file reader, the lock code and tests: no stamping,
    // no flag rules.
    void SetRawFlags(std::uint32_t flags) { m_flags = flags; }
    void SetRawType(std::uint32_t type) { m_type = type; }
    void SetRawTitle(ByteString title) { m_title = std::move(title); }
    void SetRawRemarks(ByteString remarks) { m_remarks = std::move(remarks); }
    void SetRawModifiedTime(const SystemTime& time) { m_modified = time; }
    void SetRawColours(Colour foreground, Colour background) {
        m_foreground = foreground;
        m_background = background;
    }

protected:
    void CopyFieldsTo(Item& clone) const;
    void SetFlag(std::uint32_t flag, bool on);
    void Changed() { Touch(); }

private:
    std::uint32_t m_references = 1;
    bool m_deleted = false;
    ByteString m_title;
    std::uint32_t m_open = 0;
    Colour m_foreground = 0;
    std::uint32_t m_type;
    SystemTime m_modified;
    Colour m_background = 0xFFFFFF;
    std::uint32_t m_flags = 0;
    ByteString m_remarks;
    std::unique_ptr<ByteString> m_password;  // only unlocked groups have one
    ItemId m_lockOwner = kNoItem;
    Note* m_note = nullptr;
};

// A memo: an item with a body text (lines end in CR LF) and a word-wrap setting.
class Memo : public Item {
public:
    explicit Memo(const SystemTime& created) : Item(ItemType::kMemo, created) {}

    void Read(ByteStream& stream) override;
    void Write(ByteStream& stream) const override;
    RefPtr<Item> Clone() const override;

    const ByteString& Body() const { return m_body; }
    void SetBody(ByteString body);
    bool WordWrap() const { return m_wordWrap != 0; }
    void SetWordWrap(bool on);
    void SetRawBody(ByteString body) { m_body = std::move(body); }

    // Memory only: marks a memo the new-memo command has just made.
    std::uint32_t newMemoMark = 0;

private:
    ByteString m_body;
    std::uint32_t m_wordWrap = 1;
};

// An entry of a working tree (the selection being copied, the print tree)
// that stands for another item of the same note. Never stored in a note file.
class ItemReference : public Item {
public:
    explicit ItemReference(const SystemTime& created) : Item(ItemType::kReference, created) {}

    void Write(ByteStream& stream) const override;

    ItemId target = kNoItem;
};

// The body of a memo, or the empty text for any other item.
const ByteString& BodyOf(const Item& item);

}  // namespace tidemark
