// tidemark-tool resave: load a note and save it again through the save path.
#include <cstdio>

#include "core/common/error_code.h"
#include "core/file/io_error_message.h"
#include "tool_command.h"
#include "tool_note_io.h"

namespace tidemark::tool {

int RunResave(const ToolArguments& args) {
    if (args.positional.size() != 2) throw UsageError{"resave takes IN and OUT"};
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    Note note;
    try {
        LoadNoteFile(note, in);
    } catch (const IoError& e) {
        std::fprintf(stderr, "%s\n", IoErrorMessage(e.Code(), in).c_str());
        return kExitFailed;
    }
    // Opened groups are written encrypted again with the password that opened them.
    UnlockWithPasswords(note, args.passwords);
    try {
        SaveNoteFile(note, out);
    } catch (const IoError& e) {
        std::fprintf(stderr, "%s\n", IoErrorMessage(e.Code(), out).c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tidemark::tool
