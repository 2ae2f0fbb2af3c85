// tidemark-help-builder: makes the help note tidemark.tmh from its sources.
//
//   tidemark-help-builder SOURCE_FOLDER OUT
//
// Exit 0 when OUT was written; 1 with the fault on stderr when the sources
// are wrong or OUT cannot be written; 2 for bad arguments.
#include <cstdio>
#include <string>

#include "app/common/help_topics.h"
#include "core/common/error_code.h"
#include "core/file/note_file.h"
#include "core/file/note_storage.h"
#include "help_note_builder.h"
#include "help_sources.h"
#include "platform/posix/posix_file_system.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: tidemark-help-builder SOURCE_FOLDER OUT\n", stderr);
        return 2;
    }
    const std::string out = argv[2];
    try {
        const auto note = tidemark::help::BuildHelpNote(argv[1], HelpTopic::kAll);
        tidemark::PosixFileSystem files;
        tidemark::NoteFile unused;  // a detached save opens its own file
        tidemark::Save(*note, files, unused, out, /*detached=*/true);
    } catch (const tidemark::help::HelpSourceError& error) {
        std::fprintf(stderr, "tidemark-help-builder: %s\n", error.what());
        return 1;
    } catch (const tidemark::IoError& error) {
        std::fprintf(stderr, "tidemark-help-builder: %s: cannot be written (error %u)\n",
                     out.c_str(), static_cast<unsigned>(error.Code()));
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tidemark-help-builder: %s\n", error.what());
        return 1;
    }
    return 0;
}
