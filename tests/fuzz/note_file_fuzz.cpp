// Feeds arbitrary bytes to the note file reader. Whatever loads must save,
// and what was saved must load again: a damaged file may be refused, but
// never crash, hang, or produce a file the program cannot read back. Each
// load and save reverses the records of ids that share a bucket, so two
// rounds give the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/common/error_code.h"
#include "core/file/note_bytes.h"
#include "core/model/fixed_clock_for_test.h"

using namespace tidemark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FixedClock clock{MakeTime(2004, 5, 6, 13, 45, 7)};
    const MemoryBlock bytes(data, data + size);
    Note note{nullptr, &clock};
    try {
        LoadNoteFromBytes(note, bytes);
    } catch (const IoError&) {
        return 0;
    }
    const MemoryBlock saved = SaveNoteToBytes(note);
    auto resave = [&](const MemoryBlock& bytes) {
        Note again{nullptr, &clock};
        try {
            LoadNoteFromBytes(again, bytes);
        } catch (const IoError&) {
            std::abort();  // the program wrote a file it cannot read
        }
        return SaveNoteToBytes(again);
    };
    if (resave(resave(saved)) != saved) std::abort();
    return 0;
}
