// Times closing (encrypting) and opening (decrypting) a locked memo group of
// 10,000 memos with 1 KB bodies, the way the lock commands do it.
#include <chrono>
#include <cstdio>
#include <string>

#include "core/model/group_lock_commands.h"
#include "core/model/item_lock.h"
#include "core/model/note.h"

using namespace tidemark;

namespace {

class FixedPassword : public LockDialogs {
public:
    std::optional<ByteString> AskPassword(const ByteString&, bool) override {
        return ByteString("correct horse");
    }
    void ShowMessage(std::uint32_t id, const ByteString&) override {
        std::printf("unexpected message %u\n", id);
    }
};

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main() {
    Note note;
    note.MakeNew(ByteString("root"));
    const ItemId group = note.CreateItem(ItemType::kGroup);
    note.FindItem(group)->SetRawTitle(ByteString("vault"));
    note.InsertItems(group, note.RootId(), Placement::kInside, Placement::kAfter, true);
    std::string body;
    while (body.size() < 1024) body += "\x83\x81\x83\x82 memo text \x89\xef\x8b\x63\r\n";
    body.resize(1024);
    for (int i = 0; i < 10000; ++i) {
        const ItemId id = note.CreateItem(ItemType::kMemo);
        auto* memo = static_cast<Memo*>(note.FindItem(id));
        memo->SetRawTitle(ByteString("memo " + std::to_string(i)));
        memo->SetRawBody(ByteString(body));
        note.InsertItems(id, group, Placement::kInside, Placement::kAfter, false);
    }
    FixedPassword dialogs;
    note.FindItem(group)->SetOpen(false);
    auto start = std::chrono::steady_clock::now();
    ToggleGroupLock(note, group, dialogs);  // attach to a closed group: encrypts everything
    std::printf("lock a closed group of 10,000 memos (1 KB bodies): %.1f ms\n",
                MillisecondsSince(start));
    start = std::chrono::steady_clock::now();
    ToggleGroupOpen(note, group, dialogs);  // open with the password: decrypts everything
    std::printf("open it with the password: %.1f ms\n", MillisecondsSince(start));
    start = std::chrono::steady_clock::now();
    ToggleGroupOpen(note, group, dialogs);  // close: encrypts again
    std::printf("close it again: %.1f ms\n", MillisecondsSince(start));
    return 0;
}
