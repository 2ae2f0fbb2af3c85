#pragma once

#include <cstdint>

#include "core/common/byte_string.h"
#include "core/model/item_id.h"

namespace tidemark {

class Settings;

// What the owner of a note (the main window's application, or the script
// service for a note without a window) provides to the note and its items.
// The model calls only these.
class NoteHost {
public:
    virtual ~NoteHost() = default;
    // The note changed; byUser is set for changes a user or script made.
    virtual void SetModified(bool modified, bool byUser) = 0;
    // Memory ran out at the place identified by `code`.
    virtual void ReportOutOfMemory(std::uint32_t code) = 0;
    // Encrypt or decrypt every item below the group with the password; false
    // at the first item that fails (items already handled stay handled).
    virtual bool EncryptGroupContents(ItemId groupId, const ByteString& password) = 0;
    virtual bool DecryptGroupContents(ItemId groupId, const ByteString& password) = 0;
    virtual bool IsReadOnly() const = 0;
    // The user's options; null when the host has none.
    virtual const Settings* GetOptions() const = 0;
};

}  // namespace tidemark
