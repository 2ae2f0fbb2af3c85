#include "core/automation/item_node_object.h"

#include "core/automation/note_link.h"
#include "core/model/item_lock.h"
#include "core/model/note.h"

namespace tidemark {

namespace {

bool IsShut(const Item& group) {
    return group.IsLockedGroup() && group.Password().Empty();
}

bool Encrypt(NoteLink& link, Note& note, ItemId group, const ByteString& password) {
    if (NoteHost* host = link.Host())
        return host->EncryptGroupContents(group, password);
    return EncryptGroupContents(note, group, password);
}

bool Decrypt(NoteLink& link, Note& note, ItemId group, const ByteString& password) {
    if (NoteHost* host = link.Host())
        return host->DecryptGroupContents(group, password);
    return DecryptGroupContents(note, group, password);
}

}  // namespace

ItemNodeObject::ItemNodeObject(std::shared_ptr<NoteLink> link, RefPtr<Item> item)
    : ItemObject(std::move(link), std::move(item)) {}

Result<bool> ItemNodeObject::Open() const {
    if (auto refusal = Refuse(kDeleted | kRoot))
        return *refusal;
    return Live()->IsOpen();
}

Status ItemNodeObject::SetOpen(bool open) {
    if (auto refusal = Refuse(kDeleted | kRoot))
        return *refusal;
    Item& group = *Live();
    if (group.IsOpen() == open)
        return {};
    if (group.IsLockedGroup()) {
        if (Link()->IsDetached() || group.Password().Empty())
            return {};
        const ByteString password = group.Password();
        Note& note = TheNote();
        if (!open) {
            // Should encryption fail, the group stays open with its password,
            // rather than shut with contents no key would match.
            if (!Encrypt(*Link(), note, group.links.id, password))
                return {};
            group.ForgetPassword();
        } else if (!Decrypt(*Link(), note, group.links.id, password)) {
            return {};
        }
    }
    group.SetOpen(open);
    return {};
}

Result<bool> ItemNodeObject::Encrypted() const {
    if (auto refusal = Refuse(kDeleted | kRoot))
        return *refusal;
    return IsShut(*Live());
}

Result<std::int32_t> ItemNodeObject::GetChildItemCount() const {
    if (auto refusal = Refuse(kDeleted))
        return *refusal;
    const Item& group = *Live();
    if (IsShut(group))
        return 0;
    return static_cast<std::int32_t>(TheNote().GetChildCount(group.links.id));
}

Result<ItemHandle> ItemNodeObject::GetChildItem(std::int32_t index) const {
    if (auto refusal = Refuse(kDeleted))
        return *refusal;
    const Item& group = *Live();
    const AutomationError missing = RaiseWithNumber(AutomationErrorId::kNoItemAtIndex, index);
    if (IsShut(group))
        return missing;
    Note& note = TheNote();
    Item* child = note.FindItem(group.links.firstChild);
    for (std::int32_t step = 0; child && step < index; ++step) {
        child = note.FindItem(child->links.next);
    }
    if (!child)
        return missing;
    return For(Link(), child);
}

}  // namespace tidemark
