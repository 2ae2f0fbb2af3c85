// tidemark-tool export: write a note out as text through the memo and memo group templates.
#include <cstdio>
#include <string>

#include "core/common/cp932_codec.h"
#include "core/common/error_code.h"
#include "core/common/sjis.h"
#include "core/file/buffered_file.h"
#include "core/file/io_error_message.h"
#include "core/strings/string_table.h"
#include "core/textio/text_exporter.h"
#include "platform/posix/posix_file_system.h"
#include "tool_command.h"
#include "tool_note_io.h"

namespace tidemark::tool {
namespace {

constexpr std::uint32_t kNoMemoFormatMessageId = 20025;
constexpr std::uint32_t kNoGroupFormatMessageId = 20026;

// A template from the command line (UTF-8) in the note's encoding. Refused like the options
// dialog refuses it when it is blank, and when CP932 cannot hold one of its characters.
ExportTemplate TemplateArgument(const std::string& utf8, std::uint32_t blankMessageId,
                                const char* option) {
    const Cp932Text text = Utf8ToCp932(utf8);
    if (!text.Complete()) {
        throw UsageError{std::string("--") + option +
                         ": the template holds characters that Shift-JIS cannot represent"};
    }
    if (TrimText(text.bytes).empty())
        throw UsageError{std::string(StringById(blankMessageId))};
    return ExportTemplate(text.bytes);
}

}  // namespace

int RunExport(const ToolArguments& args) {
    if (args.positional.size() != 2)
        throw UsageError{"export takes FILE and OUT"};
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    ExportFormats formats = ExportFormats::Defaults();
    for (const auto& [name, value] : args.options) {
        if (name == "memo-format") {
            formats.memo = TemplateArgument(value, kNoMemoFormatMessageId, "memo-format");
        } else if (name == "group-format") {
            formats.group = TemplateArgument(value, kNoGroupFormatMessageId, "group-format");
        }
    }

    Note note;
    try {
        LoadNoteFile(note, in);
    } catch (const IoError& e) {
        std::fprintf(stderr, "%s\n", IoErrorMessage(e.Code(), in).c_str());
        return kExitFailed;
    }
    // Groups that a password opens are written with their contents.
    if (!args.passwords.empty())
        UnlockWithPasswords(note, args.passwords);

    // The program's own file writer: the chunks of the export pass its buffer straight to
    // the file, and closing makes the text durable.
    PosixFileSystem files;
    BufferedFile file(&files, out);
    std::uint32_t code = file.OpenWrite();
    if (code == ErrorCode::kSuccess)
        code = ExportNote(note, formats, file);
    const std::uint32_t closeCode = file.Close();
    if (code == ErrorCode::kSuccess)
        code = closeCode;
    if (code != ErrorCode::kSuccess) {
        std::fprintf(stderr, "%s\n", IoErrorMessage(code, out).c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tidemark::tool
