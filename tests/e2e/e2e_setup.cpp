// Prepares what an end-to-end run starts from: the settings of a returning
// user (no first-run dialog, a new note at start) with the key assignments
// the run uses, and a note of memos at the top level.
//
//   e2e_setup NOTE TITLE...
//
// The settings go to the user store of the environment (HOME and
// XDG_CONFIG_HOME choose it). Shift+J is given to the new-memo command.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/file/note_bytes.h"
#include "core/model/note.h"
#include "core/settings/command_ids.h"
#include "core/settings/key_table.h"
#include "core/settings/settings.h"
#include "platform/qsettings_value_store.h"

using namespace tidemark;

namespace {

constexpr std::uint8_t kKeyFlags = 0x03;
constexpr std::uint8_t kShift = 0x04;

bool writeSettings() {
    QSettingsValueStore store;
    Settings settings;
    settings.StartupMode = 1;
    if (!settings.Save(store))
        return false;
    KeyTable keys;
    keys.Load(store);
    return keys.SetKey(kCmdNewMemo, kKeyFlags | kShift, 'J') && keys.Save(store);
}

bool writeNote(const char* path, int count, char** titles) {
    Note note;
    note.MakeNew(ByteString("e2e"));
    // A fixed window: the driver works out where the rows are from its pictures.
    note.View().windowLeft = 0;
    note.View().windowTop = 0;
    note.View().windowWidth = 800;
    note.View().windowHeight = 600;
    ItemId previous = kNoItem;
    for (int i = 0; i < count; ++i) {
        const ItemId id = note.CreateItem(ItemType::kMemo);
        if (id == kNoItem)
            return false;
        auto& memo = static_cast<Memo&>(*note.FindItem(id));
        memo.SetTitle(ByteString(titles[i]));
        memo.SetBody(ByteString(std::string("body ") + titles[i]));
        if (previous == kNoItem)
            note.InsertItems(id, note.RootId(), Placement::kInside, Placement::kAfter, false);
        else
            note.InsertItems(id, previous, Placement::kBeside, Placement::kAfter, false);
        previous = id;
    }
    const MemoryBlock bytes = SaveNoteToBytes(note);
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: e2e_setup NOTE TITLE...\n");
        return 2;
    }
    if (!writeSettings()) {
        std::fprintf(stderr, "e2e_setup: cannot write the settings\n");
        return 1;
    }
    if (!writeNote(argv[1], argc - 2, argv + 2)) {
        std::fprintf(stderr, "e2e_setup: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
