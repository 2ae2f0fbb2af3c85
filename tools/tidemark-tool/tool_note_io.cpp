#include "tool_note_io.h"

#include "core/file/note_file.h"
#include "core/file/note_storage.h"
#include "core/common/cp932_codec.h"
#include "core/model/item_lock.h"
#include "platform/posix/posix_file_system.h"

namespace tidemark::tool {

// The tool reads and writes detached: it holds no note file longer than one
// load or save, and a note that a window holds refuses it (32).

void LoadNoteFile(Note& note, const std::string& path) {
    PosixFileSystem files;
    note.Load(files, path, /*detached=*/true);
}

void SaveNoteFile(const Note& note, const std::string& path) {
    PosixFileSystem files;
    NoteFile unused;  // a detached save opens its own file
    Save(note, files, unused, path, /*detached=*/true);
}

void UnlockWithPasswords(Note& note, const std::vector<std::string>& passwords) {
    std::vector<ItemId> locked;
    note.Items().ForEach([&](std::uint32_t id, Item* item) {
        if (item->IsLockedGroup() && item->Password().Empty()) locked.push_back(id);
    });
    // A password is the bytes the user would type into the program: CP932.
    std::vector<ByteString> keys;
    for (const std::string& password : passwords) {
        const Cp932Text key = Utf8ToCp932(password);
        if (key.Complete()) keys.emplace_back(key.bytes);
    }
    for (ItemId id : locked) {
        for (const ByteString& key : keys) {
            if (DecryptGroupContents(note, id, key)) {
                Item* group = note.FindItem(id);
                group->SetPassword(key);
                group->SetOpen(true);
                break;
            }
        }
    }
}

}  // namespace tidemark::tool
