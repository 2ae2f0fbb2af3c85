// tidemark-tool rescue: write what is still readable in a damaged note to a text file.
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "core/common/cp932_codec.h"
#include "core/file/buffered_file.h"
#include "core/file/io_error_message.h"
#include "core/file/rescue_job.h"
#include "core/model/item_crypto.h"
#include "platform/posix/posix_file_system.h"
#include "tool_command.h"

namespace tidemark::tool {

namespace {

// Nobody to ask: an item that the given passwords do not open is skipped, as if the user had
// cancelled the password dialog.
class NoPrompt : public RescuePasswordPrompt {
public:
    bool AskPassword(RescueKeyRing&, const RescueEncryptedValue&) override { return false; }
};

}  // namespace

int RunRescue(const ToolArguments& args) {
    if (args.positional.size() != 2)
        throw UsageError{"rescue takes IN and OUT"};
    if (args.passwords.size() > RescueKeyRing::kSlotCount) {
        throw UsageError{"rescue takes at most 32 passwords"};
    }
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];

    NoPrompt prompt;
    RescueJob job(prompt);
    for (const std::string& password : args.passwords) {
        // The key is the password's bytes in the note's encoding, as typed into the program.
        Cp932Text key = Utf8ToCp932(password);
        if (!key.Complete())
            throw UsageError{"a password has characters Shift-JIS cannot hold"};
        if (!IsValidPasswordLength(key.bytes.size())) {
            throw UsageError{"a password has 4 to 112 bytes in Shift-JIS"};
        }
        job.KeyRing().AddPassword(key.bytes);
    }

    PosixFileSystem fileSystem;
    RescueFiles files;
    files.inputName = in;
    files.input = std::make_unique<BufferedFile>(&fileSystem, in);
    files.outputName = out;
    files.output = std::make_unique<BufferedFile>(&fileSystem, out);
    const bool started = job.Start(std::move(files));
    if (started) {
        while (job.Step()) {
        }
    }
    const std::string& log = job.LogText();
    std::fwrite(log.data(), 1, log.size(), stdout);
    std::fflush(stdout);
    if (!started)
        return kExitFailed;

    // The log leaves failed writes out; a run whose text did not reach the file still fails.
    if (const std::uint32_t code = job.OutputError()) {
        std::fprintf(stderr, "%s\n", IoErrorMessage(code, out).c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tidemark::tool
