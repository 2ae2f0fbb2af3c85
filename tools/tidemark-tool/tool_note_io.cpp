#include "tool_note_io.h"

#include <cerrno>
#include <fstream>
#include <iterator>

#include "core/common/error_code.h"
#include "core/file/note_bytes.h"
#include "core/model/item_lock.h"

namespace tidemark::tool {

namespace {

std::uint32_t CodeForErrno(int error) {
    switch (error) {
        case ENOENT: return ErrorCode::kFileNotFound;
        case ENOTDIR: return ErrorCode::kPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS: return ErrorCode::kAccessDenied;
        case ENOSPC: return ErrorCode::kDiskFull;
        default: return static_cast<std::uint32_t>(error);
    }
}

}  // namespace

void LoadNoteFile(Note& note, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw IoError(CodeForErrno(errno));
    const MemoryBlock bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw IoError(CodeForErrno(errno));
    LoadNoteFromBytes(note, bytes);
}

void SaveNoteFile(const Note& note, const std::string& path) {
    const MemoryBlock bytes = SaveNoteToBytes(note);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw IoError(CodeForErrno(errno));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) throw IoError(CodeForErrno(errno));
}

void UnlockWithPasswords(Note& note, const std::vector<std::string>& passwords) {
    std::vector<ItemId> locked;
    note.Items().ForEach([&](std::uint32_t id, Item* item) {
        if (item->IsLockedGroup() && item->Password().Empty()) locked.push_back(id);
    });
    for (ItemId id : locked) {
        for (const std::string& password : passwords) {
            if (DecryptGroupContents(note, id, ByteString(password))) {
                Item* group = note.FindItem(id);
                group->SetPassword(ByteString(password));
                group->SetOpen(true);
                break;
            }
        }
    }
}

}  // namespace tidemark::tool
