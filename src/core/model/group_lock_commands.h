#pragma once

#include <cstdint>
#include <optional>

#include "core/common/byte_string.h"
#include "core/model/item_id.h"

namespace tidemark {

class Note;

// What the lock commands need from the user interface: the password dialog
// and the message box. The window implements it with real dialogs; tests
// and tools answer directly.
class LockDialogs {
public:
    virtual ~LockDialogs() = default;
    // Asks for the password of the group titled `groupTitle` (CP932); with
    // `confirm` it is typed twice. Nothing when the user cancels. The answer
    // is at least 4 bytes long.
    virtual std::optional<ByteString> AskPassword(const ByteString& groupTitle, bool confirm) = 0;
    // Shows message `stringId`; `name` fills its %s where it has one.
    virtual void ShowMessage(std::uint32_t stringId, const ByteString& name) = 0;
};

enum class LockCommandResult {
    kIgnored,    // read-only note, not a memo group, or no such item
    kCancelled,  // the user cancelled the password dialog
    kRefused,    // a message told the user why not
    kDone,       // the group changed; refresh its rows and the text pane
};

// Attaches a lock to a memo group or removes it (asking for the password
// where needed). On kDone the group's time is stamped and the note marked
// modified through its host.
LockCommandResult ToggleGroupLock(Note& note, ItemId group, LockDialogs& dialogs);

// Opens or closes a memo group; a locked group is decrypted with its
// password on opening and encrypted again on closing. A wrong password
// leaves the group closed and every item encrypted.
LockCommandResult ToggleGroupOpen(Note& note, ItemId group, LockDialogs& dialogs);

}  // namespace tidemark
