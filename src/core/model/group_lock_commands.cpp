#include "core/model/group_lock_commands.h"

#include "core/model/item_lock.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/model/subtree_walk.h"

namespace tidemark {

namespace {

// Message ids of the lock commands.
constexpr std::uint32_t kNestedLock = 20077;
constexpr std::uint32_t kEmptyGroup = 20078;
constexpr std::uint32_t kEncryptionFailed = 20079;
constexpr std::uint32_t kWrongPassword = 20080;

bool Encrypt(Note& note, ItemId group, const ByteString& password) {
    if (NoteHost* host = note.Host()) return host->EncryptGroupContents(group, password);
    return EncryptGroupContents(note, group, password);
}

bool Decrypt(Note& note, ItemId group, const ByteString& password) {
    if (NoteHost* host = note.Host()) return host->DecryptGroupContents(group, password);
    return DecryptGroupContents(note, group, password);
}

bool IsReadOnly(const Note& note) { return note.Host() && note.Host()->IsReadOnly(); }

// The first locked group below `group`, children in order, depth first.
const Item* FirstLockedBelow(const Note& note, const Item& group) {
    const Item* found = nullptr;
    WalkSubtree(note, group.links.id, SubtreeWalk::Span::kBelow,
                [&](const Item& item, const SubtreeWalk&) {
                    if (item.IsLockedGroup()) {
                        found = &item;
                        return WalkStep::kStop;
                    }
                    return item.IsGroup() ? WalkStep::kEnter : WalkStep::kSkipChildren;
                });
    return found;
}

// The first locked group among the group's ancestors; none for the root.
const Item* LockedAncestor(const Note& note, const Item& group) {
    if (group.links.id == note.RootId()) return nullptr;
    std::size_t budget = note.Items().Size() + 1;
    for (const Item* p = note.FindItem(group.links.parent); p && budget-- > 0;
         p = note.FindItem(p->links.parent)) {
        if (p->IsLockedGroup()) return p;
    }
    return nullptr;
}

void SetGroupLock(Note& note, Item& group, bool on) {
    group.SetRawFlags(on ? group.Flags() | ItemFlags::kLocked : group.Flags() & ~ItemFlags::kLocked);
    note.SetLockOwner(group.links.id, group.links.id, on);
}

}  // namespace

LockCommandResult ToggleGroupLock(Note& note, ItemId groupId, LockDialogs& dialogs) {
    Item* group = note.FindItem(groupId);
    if (!group || !group->IsGroup() || IsReadOnly(note)) return LockCommandResult::kIgnored;

    if (!group->HasFlag(ItemFlags::kLocked)) {
        if (group->links.firstChild == kNoItem) {
            dialogs.ShowMessage(kEmptyGroup, ByteString());
            return LockCommandResult::kRefused;
        }
        const Item* nested = FirstLockedBelow(note, *group);
        if (!nested) nested = LockedAncestor(note, *group);
        if (nested) {
            dialogs.ShowMessage(kNestedLock, nested->Title());
            return LockCommandResult::kRefused;
        }
        std::optional<ByteString> password = dialogs.AskPassword(group->Title(), true);
        if (!password) return LockCommandResult::kCancelled;
        if (!group->IsOpen()) {
            if (!Encrypt(note, groupId, *password)) {
                password->SecureClear();
                dialogs.ShowMessage(kEncryptionFailed, ByteString());
                return LockCommandResult::kRefused;
            }
            password->SecureClear();
        } else {
            group->SetPassword(std::move(*password));
        }
        SetGroupLock(note, *group, true);
    } else if (!group->Password().Empty()) {
        group->ForgetPassword();
        SetGroupLock(note, *group, false);
    } else {
        std::optional<ByteString> password = dialogs.AskPassword(group->Title(), false);
        if (!password) return LockCommandResult::kCancelled;
        const bool opened = Decrypt(note, groupId, *password);
        password->SecureClear();
        if (!opened) {
            dialogs.ShowMessage(kWrongPassword, ByteString());
            return LockCommandResult::kRefused;
        }
        SetGroupLock(note, *group, false);
    }
    group->Touch();
    if (NoteHost* host = note.Host()) host->SetModified(true, true);
    return LockCommandResult::kDone;
}

LockCommandResult ToggleGroupOpen(Note& note, ItemId groupId, LockDialogs& dialogs) {
    Item* group = note.FindItem(groupId);
    if (!group || !group->IsGroup()) return LockCommandResult::kIgnored;
    if (group->IsLockedGroup()) {
        ByteString password = group->Password();
        if (password.Empty()) {
            std::optional<ByteString> typed = dialogs.AskPassword(group->Title(), false);
            if (!typed) return LockCommandResult::kCancelled;
            password = std::move(*typed);
        }
        if (group->IsOpen()) {
            Encrypt(note, groupId, password);
            group->ForgetPassword();
        } else {
            if (!Decrypt(note, groupId, password)) {
                password.SecureClear();
                dialogs.ShowMessage(kWrongPassword, ByteString());
                return LockCommandResult::kRefused;
            }
            group->SetPassword(password);
        }
        password.SecureClear();
    }
    group->SetOpen(!group->IsOpen());
    return LockCommandResult::kDone;
}

}  // namespace tidemark
