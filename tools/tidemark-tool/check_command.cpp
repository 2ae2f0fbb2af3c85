// tidemark-tool check: does the note load, and what does it hold.
#include <cstdio>

#include "core/common/error_code.h"
#include "core/file/io_error_message.h"
#include "tool_command.h"
#include "tool_note_io.h"

namespace tidemark::tool {

int RunCheck(const ToolArguments& args) {
    if (args.positional.size() != 1 || !args.passwords.empty()) {
        throw UsageError{"check takes one FILE"};
    }
    const std::string& path = args.positional[0];
    Note note;
    try {
        LoadNoteFile(note, path);
    } catch (const IoError& e) {
        std::printf("%s\n", IoErrorMessage(e.Code(), path).c_str());
        return kExitFailed;
    }
    std::size_t memos = 0, groups = 0, locked = 0;
    note.Items().ForEach([&](std::uint32_t, const Item* item) {
        if (item->IsMemo()) ++memos;
        if (item->IsGroup()) ++groups;
        if (item->IsLockedGroup()) ++locked;
    });
    std::printf("%s: ok, version 0x%08x, %zu memos, %zu memo groups, %zu locked, last id %u\n",
                path.c_str(), note.FileVersionRead(), memos, groups, locked, note.LastId());
    return kExitOk;
}

}  // namespace tidemark::tool
