// Feeds arbitrary bytes to the reader of clipboard and drag-and-drop item
// blocks. A damaged block may be refused, but must add nothing then, and
// what it adds must be placeable into the note and saved.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/common/error_code.h"
#include "core/file/note_bytes.h"
#include "core/model/fixed_clock_for_test.h"

using namespace tidemark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FixedClock clock{MakeTime(2004, 5, 6, 13, 45, 7)};
    Note note{nullptr, &clock};
    note.MakeNew(ByteString("root"));
    const std::size_t before = note.Items().Size();
    ItemId first = kNoItem;
    try {
        first = note.DeserializeItems(MemoryBlock(data, data + size));
    } catch (const IoError&) {
        if (note.Items().Size() != before) std::abort();
        return 0;
    }
    if (first == kNoItem) return 0;
    note.InsertItems(first, note.RootId(), Placement::kInside, Placement::kAfter, true);
    for (ItemId id : note.Items().Keys()) {
        note.GetDepth(id);
        note.GetChildCount(id);
        note.GetSiblingIndex(id);
        note.IsDescendantOf(id, note.RootId());
    }
    SaveNoteToBytes(note);
    return 0;
}
