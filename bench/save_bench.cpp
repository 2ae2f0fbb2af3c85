// Times the safe save and the load of a large note on a real disk.
//
//   tidemark_save_bench [folder] [repetitions]
//
// Builds a note of 100,000 items (memo groups and memos with Japanese titles,
// bodies and remarks), then saves it repeatedly through the safe path
// (backup, write, sync, folder sync, backup removed) into a fresh folder
// under `folder` (default: the system's temporary folder), and loads it back.
// Prints the median and the best time of each step.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/common/cp932_codec.h"
#include "core/common/error_code.h"
#include "core/file/note_bytes.h"
#include "core/file/note_file.h"
#include "core/file/note_storage.h"
#include "core/model/note.h"
#include "platform/posix/posix_file_system.h"

namespace {

using namespace tidemark;
using Clock = std::chrono::steady_clock;

constexpr int kItems = 100000;
constexpr int kMemosPerGroup = 49;

ItemId Append(Note& note, ItemId parent, ItemType type, const std::string& title) {
    const ItemId id = note.CreateItem(type);
    Item* item = note.FindItem(id);
    item->SetRawTitle(ByteString(title));
    if (type == ItemType::kGroup) item->SetOpen(true);
    note.InsertItems(id, parent, Placement::kInside, Placement::kAfter, false);
    return id;
}

void BuildNote(Note& note) {
    const auto sjis = [](const char* utf8) { return Utf8ToCp932(utf8).bytes; };
    const std::string lines[] = {
        sjis("本日の打ち合わせでは、来期の予算案と人員配置について議論した。\r\n"),
        sjis("次回までに各部署の要望を取りまとめ、資料を共有すること。\r\n"),
        sjis("参考：https://example.com/ 議事録は共有フォルダーに保存済み。\r\n"),
        sjis("買い物：牛乳、卵、食パン、りんご、コーヒー豆。\r\n"),
    };
    const std::string groupTitle = sjis("プロジェクト");
    const std::string memoTitle = sjis("メモ");
    const std::string remarks = sjis("備考：要確認");
    note.MakeNew(ByteString(sjis("大きなノート")));
    int made = 1;
    int groupNumber = 0;
    ItemId parent = note.RootId();
    while (made < kItems) {
        // Every tenth group starts a new branch under the root; the others nest one level.
        const ItemId group = Append(note, groupNumber % 10 == 0 ? note.RootId() : parent,
                                    ItemType::kGroup, groupTitle + std::to_string(groupNumber));
        if (groupNumber % 10 == 0) parent = group;
        ++groupNumber;
        ++made;
        for (int m = 0; m < kMemosPerGroup && made < kItems; ++m, ++made) {
            const ItemId id =
                Append(note, group, ItemType::kMemo, memoTitle + std::to_string(made));
            auto* memo = static_cast<Memo*>(note.FindItem(id));
            std::string body;
            for (int line = 0; line < 2 + made % 4; ++line) body += lines[(made + line) % 4];
            memo->SetRawBody(ByteString(body));
            if (made % 5 == 0) memo->SetRawRemarks(ByteString(remarks));
        }
    }
}

double Seconds(const std::function<void()>& step) {
    const auto start = Clock::now();
    step();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Report(const char* name, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-28s median %7.1f ms   best %7.1f ms   (%zu runs)\n", name,
                times[times.size() / 2] * 1000, times.front() * 1000, times.size());
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path base =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    std::string folder = (base / "tidemark-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string path = folder + "/bench.tmk";

    try {
        Note note;
        const double build = Seconds([&] { BuildNote(note); });
        std::size_t size = 0;
        std::vector<double> inMemory;
        for (int i = 0; i < repetitions; ++i) {
            inMemory.push_back(Seconds([&] { size = SaveNoteToBytes(note).size(); }));
        }
        std::printf("note: %u items, %.1f MB, built in %.0f ms\n", note.ItemCount(),
                    static_cast<double>(size) / 1e6, build * 1000);

        PosixFileSystem files;
        std::vector<double> attachedSave, detachedSave, attachedLoad, detachedLoad;
        for (int i = 0; i < repetitions; ++i) {
            attachedSave.push_back(Seconds([&] { note.Save(files, path, false); }));
            note.ReleaseWriteAccess();
            detachedSave.push_back(Seconds([&] { note.Save(files, path, true); }));
            Note loaded;
            attachedLoad.push_back(Seconds([&] { loaded.Load(files, path, false); }));
            loaded.ReleaseWriteAccess();
            Note loadedDetached;
            detachedLoad.push_back(Seconds([&] { loadedDetached.Load(files, path, true); }));
        }
        Report("serialise in memory", inMemory);
        Report("safe save (attached)", attachedSave);
        Report("safe save (detached)", detachedSave);
        Report("load (attached)", attachedLoad);
        Report("load (detached)", detachedLoad);
    } catch (const IoError& e) {
        std::fprintf(stderr, "I/O error %u\n", e.Code());
        std::filesystem::remove_all(folder);
        return 1;
    }
    std::filesystem::remove_all(folder);
    return 0;
}
