#include "core/automation/item_object.h"

#include "core/automation/automation_text.h"
#include "core/automation/item_node_object.h"
#include "core/automation/item_text_object.h"
#include "core/automation/note_link.h"
#include "core/common/colour_code.h"
#include "core/common/sjis.h"
#include "core/common/time_text.h"
#include "core/model/item_attributes.h"
#include "core/model/note.h"
#include "core/model/subtree_walk.h"
#include "core/settings/settings.h"
#include "core/strings/string_table.h"

namespace tidemark {

namespace {

namespace C = AutomationConstant;
namespace E = AutomationErrorId;

constexpr std::uint32_t kNewGroupTitle = 10003;
constexpr std::uint32_t kNewMemoTitle = 10004;
constexpr std::size_t kNewTitleBytes = 64;

struct Place {
    int relation;
    int order;
};

ItemId LinkAt(const Item& item, std::int32_t position) {
    switch (position) {
        case C::kParent:
            return item.links.parent;
        case C::kChild:
            return item.links.firstChild;
        case C::kPrevious:
            return item.links.previous;
        default:
            return item.links.next;
    }
}

bool IsPosition(std::int32_t position) {
    return position >= C::kParent && position <= C::kNext;
}

ByteString NewItemTitle(bool group) {
    const Result<ByteString> title =
        TextIntoNote(StringById(group ? kNewGroupTitle : kNewMemoTitle));
    if (!title)
        return ByteString();
    return ByteString(title.Value().View().substr(0, SafeCutLength(title.Value(), kNewTitleBytes)));
}

// The lock owner an item takes at a place: the group itself when placed
// inside a locked one, else the owner of the place.
ItemId LockOwnerAt(const Note& note, ItemId target, int relation) {
    const Item* place = note.FindItem(target);
    if (!place)
        return kNoItem;
    if (relation == Placement::kInside && place->IsLockedGroup())
        return target;
    return place->LockOwner();
}

bool SubtreeHasLockedGroup(const Note& note, ItemId top) {
    bool found = false;
    WalkSubtree(note, top, SubtreeWalk::Span::kSubtree, [&](const Item& item, const SubtreeWalk&) {
        found = item.IsLockedGroup();
        return found ? WalkStep::kStop : WalkStep::kEnter;
    });
    return found;
}

// Gives a moved subtree the owners of its new place: `owner` for the top
// and for everything not below a locked group of its own.
void ReownSubtree(Note& note, ItemId top, ItemId owner) {
    WalkSubtree(note, top, SubtreeWalk::Span::kSubtree, [&](Item& item, const SubtreeWalk& walk) {
        const Item* parent = walk.Parent();
        if (!parent) {
            item.SetLockOwner(owner);
        } else {
            item.SetLockOwner(parent->IsLockedGroup() ? parent->links.id : parent->LockOwner());
        }
        return WalkStep::kEnter;
    });
}

}  // namespace

ItemObject::ItemObject(std::shared_ptr<NoteLink> link, RefPtr<Item> item)
    : m_link(std::move(link)), m_item(std::move(item)) {}

ItemObject::~ItemObject() = default;

ItemHandle ItemObject::For(std::shared_ptr<NoteLink> link, Item* item) {
    if (!item || !link)
        return nullptr;
    if (item->IsMemo()) {
        return std::make_shared<ItemTextObject>(std::move(link), RefPtr<Item>::Share(item));
    }
    if (item->IsGroup()) {
        return std::make_shared<ItemNodeObject>(std::move(link), RefPtr<Item>::Share(item));
    }
    return nullptr;
}

bool ItemObject::SameItem(const ItemObject& other) const {
    return m_item.Get() == other.m_item.Get() && m_link->GetNote() == other.m_link->GetNote();
}

Item* ItemObject::Live() const {
    Note* note = m_link->GetNote();
    if (!note || m_item->IsDeleted())
        return nullptr;
    return note->FindItem(m_item->links.id) == m_item.Get() ? m_item.Get() : nullptr;
}

Note& ItemObject::TheNote() const {
    return *m_link->GetNote();
}

bool ItemObject::IsRoot() const {
    const Note* note = m_link->GetNote();
    return note && Live() && note->RootId() == m_item->links.id;
}

void ItemObject::Changed() const {
    m_link->MarkModified();
}

std::optional<AutomationError> ItemObject::Refuse(unsigned checks) const {
    if ((checks & kReadOnly) && m_link->IsReadOnly())
        return Raise(E::kReadOnly);
    if ((checks & kDeleted) && !Live())
        return Raise(E::kDeleted);
    if ((checks & kRoot) && IsRoot())
        return Raise(E::kAccessDenied);
    // An item of a shut locked group holds ciphertext: text written into it
    // or a move out of its group would leave it impossible to decrypt.
    if ((checks & kPlain) && m_item->IsEncrypted())
        return Raise(E::kAccessDenied);
    return std::nullopt;
}

Result<std::int32_t> ItemObject::Id() const {
    if (auto refusal = Refuse(kDeleted))
        return *refusal;
    return static_cast<std::int32_t>(m_item->links.id);
}

Result<std::int32_t> ItemObject::Type() const {
    if (auto refusal = Refuse(kDeleted))
        return *refusal;
    if (m_item->IsMemo())
        return C::kMemo;
    return IsRoot() ? C::kRoot : C::kMemoGroup;
}

Result<std::string> ItemObject::Title() const {
    if (auto refusal = Refuse(kDeleted | kRoot))
        return *refusal;
    return TextOutOfNote(m_item->Title());
}

Status ItemObject::SetTitle(std::string_view text) {
    return SetBoundedText(text, E::kTitleTooLong,
                          [](Item& item, ByteString bytes) { item.SetTitle(std::move(bytes)); });
}

Result<std::string> ItemObject::Remarks() const {
    if (auto refusal = Refuse(kDeleted | kRoot))
        return *refusal;
    return TextOutOfNote(m_item->Remarks());
}

Status ItemObject::SetRemarks(std::string_view text) {
    return SetBoundedText(text, E::kRemarksTooLong,
                          [](Item& item, ByteString bytes) { item.SetRemarks(std::move(bytes)); });
}

Status ItemObject::SetBoundedText(std::string_view text, std::uint32_t tooLong,
                                  void (*store)(Item&, ByteString)) {
    if (auto refusal = Refuse(kReadOnly | kDeleted | kRoot | kPlain))
        return *refusal;
    Result<ByteString> bytes = TextIntoNote(text);
    if (!bytes)
        return bytes.Error();
    if (bytes.Value().Size() > kMaxTitleBytes)
        return Raise(tooLong);
    store(*m_item, std::move(bytes).Value());
    Changed();
    return {};
}

Result<std::string> ItemObject::Foreground() const {
    if (auto refusal = Refuse(kDeleted | kRoot))
        return *refusal;
    if (!m_item->HasOwnTextColour())
        return std::string();
    return ColourToCode(m_item->ForegroundColour());
}

Result<std::string> ItemObject::Background() const {
    if (auto refusal = Refuse(kDeleted | kRoot))
        return *refusal;
    if (!m_item->HasOwnBackgroundColour())
        return std::string();
    return ColourToCode(m_item->BackgroundColour());
}

Status ItemObject::SetForeground(std::string_view colour) {
    return SetColour(colour, false);
}

Status ItemObject::SetBackground(std::string_view colour) {
    return SetColour(colour, true);
}

Status ItemObject::SetColour(std::string_view colour, bool background) {
    if (auto refusal = Refuse(kReadOnly | kDeleted | kRoot))
        return *refusal;
    if (colour.empty()) {
        background ? m_item->ClearBackgroundColour() : m_item->ClearTextColour();
    } else if (const std::optional<Colour> value = CodeToColour(colour)) {
        background ? m_item->SetBackgroundColour(*value) : m_item->SetTextColour(*value);
    } else {
        return Raise(E::kBadColour, std::string(colour));
    }
    Changed();
    return {};
}

Result<bool> ItemObject::StrikeOut() const {
    if (auto refusal = Refuse(kDeleted | kRoot))
        return *refusal;
    return m_item->IsStruckOut();
}

Status ItemObject::SetStrikeOut(bool on) {
    if (auto refusal = Refuse(kReadOnly | kDeleted | kRoot))
        return *refusal;
    m_item->SetStrikeOut(on);
    Changed();
    return {};
}

Result<std::string> ItemObject::ModifiedTime() const {
    return TextOutOfNote(DisplayTime(m_item->ModifiedTime()));
}

Result<bool> ItemObject::IsDeleted() const {
    if (auto refusal = Refuse(kRoot))
        return *refusal;
    return Live() == nullptr;
}

Result<bool> ItemObject::Exist(std::int32_t position) const {
    if (auto refusal = Refuse(kDeleted))
        return *refusal;
    if (!IsPosition(position))
        return RaiseWithNumber(E::kBadPosition, position);
    return LinkAt(*m_item, position) != kNoItem;
}

Result<ItemHandle> ItemObject::GetItem(std::int32_t position) const {
    if (auto refusal = Refuse(kDeleted))
        return *refusal;
    if (!IsPosition(position))
        return RaiseWithNumber(E::kBadPosition, position);
    if (position == C::kChild && m_item->IsLockedGroup() && m_item->Password().Empty()) {
        return ItemHandle();
    }
    return For(m_link, TheNote().FindItem(LinkAt(*m_item, position)));
}

Result<ItemHandle> ItemObject::NewItem(std::int32_t type, std::int32_t position) {
    if (auto refusal = Refuse(kReadOnly | kDeleted))
        return *refusal;
    if (type != C::kMemoGroup && type != C::kMemo)
        return RaiseWithNumber(E::kBadType, type);
    Place place{};
    if (position == C::kChild && !m_item->IsMemo()) {
        place = {Placement::kInside, Placement::kAfter};
    } else if (position == C::kPrevious || position == C::kNext) {
        if (auto refusal = Refuse(kRoot))
            return *refusal;
        place = {Placement::kBeside,
                 position == C::kPrevious ? Placement::kBefore : Placement::kAfter};
    } else {
        return RaiseWithNumber(E::kBadPosition, position);
    }
    Note& note = TheNote();
    const ItemId here = m_item->links.id;
    if (note.IsLockedOut(here, place.relation))
        return Raise(E::kCreateInLocked);

    const bool group = type == C::kMemoGroup;
    const ItemId id = note.CreateItem(group ? ItemType::kGroup : ItemType::kMemo);
    if (id == kNoItem)
        return Raise(E::kCreateFailed);
    note.InheritLockOwner(id, here, place.relation);
    const Item* last = note.FindItem(m_lastAppended);
    const bool appending = place.relation == Placement::kInside && place.order == Placement::kAfter;
    if (appending && last && last->links.parent == here && last->links.next == kNoItem) {
        // Nothing comes after it: no sibling's number changes.
        note.InsertItems(id, m_lastAppended, Placement::kBeside, Placement::kAfter, false);
    } else {
        note.InsertItems(id, here, place.relation, place.order, true);
    }
    if (appending)
        m_lastAppended = id;
    Item* item = note.FindItem(id);
    item->SetRawTitle(NewItemTitle(group));
    if (const Settings* options = m_link->Options()) {
        ApplyNewItemAttributes(note, id, options->NewMemoAttrSource, options->NewMemoSkipAttrs);
    }
    Changed();
    return For(m_link, item);
}

Status ItemObject::DeleteItem() {
    if (auto refusal = Refuse(kReadOnly | kDeleted | kRoot))
        return *refusal;
    Note& note = TheNote();
    const ItemId parentId = m_item->links.parent;
    note.DeleteItems(m_item->links.id, 1);
    // A lock guards the contents of its group: an emptied group has none.
    Item* parent = note.FindItem(parentId);
    if (parent && parent->IsLockedGroup() && parent->links.firstChild == kNoItem) {
        parent->SetRawFlags(parent->Flags() & ~ItemFlags::kLocked);
        parent->ForgetPassword();
    }
    Changed();
    return {};
}

Status ItemObject::MoveTo(const ItemObject* target, std::int32_t position) {
    if (auto refusal = Refuse(kReadOnly | kDeleted | kRoot | kPlain))
        return *refusal;
    Note& note = TheNote();
    if (!target || !target->Live() || target->m_link->GetNote() != &note) {
        return Raise(E::kBadItem);
    }
    const Item& to = *target->m_item;
    Place place{};
    if (position == C::kChild) {
        if (!to.IsGroup())
            return Raise(E::kMoveBelowMemo);
        place = {Placement::kInside, Placement::kAfter};
    } else if (position == C::kPrevious || position == C::kNext) {
        if (target->IsRoot())
            return Raise(E::kBadMovePlace);
        place = {Placement::kBeside,
                 position == C::kPrevious ? Placement::kBefore : Placement::kAfter};
    } else {
        return RaiseWithNumber(E::kBadPosition, position);
    }
    const ItemId self = m_item->links.id;
    const ItemId toId = to.links.id;
    if (toId == self || note.IsDescendantOf(toId, self))
        return Raise(E::kBadMovePlace);
    if (note.IsLockedOut(toId, place.relation))
        return Raise(E::kMoveIntoLocked);
    // Locks do not nest, and every item inside an unlocked group must carry
    // that group as its owner, or saving would write it with the wrong key.
    const ItemId owner = LockOwnerAt(note, toId, place.relation);
    if (owner != kNoItem && SubtreeHasLockedGroup(note, self))
        return Raise(E::kMoveIntoLocked);

    note.UnlinkItems(self, 1, false);
    note.InsertItems(self, toId, place.relation, place.order, true);
    ReownSubtree(note, self, owner);
    Changed();
    return {};
}

Result<bool> ItemObject::IsParent(const ItemObject* item) const {
    if (auto refusal = Refuse(kDeleted | kRoot))
        return *refusal;
    if (!item || !item->Live() || item->m_link->GetNote() != m_link->GetNote()) {
        return Raise(E::kBadItem);
    }
    return TheNote().IsDescendantOf(m_item->links.id, item->m_item->links.id);
}

}  // namespace tidemark
