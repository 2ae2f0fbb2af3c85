// Times the note model on a large note: load and save in memory, lookups by
// id, sorting many siblings. Prints one line per figure.
//
//   note_bench [--items N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <sys/resource.h>

#include "core/file/note_bytes.h"
#include "core/model/note.h"
#include "platform/posix/posix_file_system.h"

using namespace tidemark;

namespace {

using BenchClock = std::chrono::steady_clock;

double MillisecondsSince(BenchClock::time_point start) {
    return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

long PeakRssKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Words of CP932 text: Japanese (hiragana, katakana, kanji) and English.
const char* const kWords[] = {
    "\x83\x81\x83\x82",                  // メモ
    "\x89\xef\x8b\x63",                  // 会議
    "\x97\x5c\x92\xe8",                  // 予定
    "\x82\xa0\x82\xe8\x82\xaa\x82\xc6\x82\xa4",  // ありがとう
    "\x8e\x64\x8e\x96",                  // 仕事
    "project", "release", "meeting", "notes", "tidemark", "draft", "review",
};

std::string Sentence(std::mt19937& rng, int words) {
    std::string text;
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kWords) - 1);
    for (int i = 0; i < words; ++i) {
        if (i) text += (i % 12 == 0) ? "\r\n" : " ";
        text += kWords[pick(rng)];
    }
    return text;
}

// A note of `count` items: groups of 10 children, bodies of about 25 words
// (about 200 bytes each, so 100,000 items make a file of about 20 MB).
void Populate(Note& note, int count, std::mt19937& rng) {
    note.MakeNew(ByteString("\x83\x6d\x81\x5b\x83\x67\x96\x7b\x91\xcc"));  // ノート本体
    std::vector<ItemId> groups{note.RootId()};
    std::size_t groupIndex = 0;
    int inGroup = 0;
    for (int made = 1; made < count; ++made) {
        if (inGroup == 10) {
            ++groupIndex;
            inGroup = 0;
        }
        const ItemId parent = groups[std::min(groupIndex, groups.size() - 1)];
        const bool group = made % 10 == 1;
        const ItemId id = note.CreateItem(group ? ItemType::kGroup : ItemType::kMemo);
        Item* item = note.FindItem(id);
        item->SetRawTitle(ByteString(Sentence(rng, 3)));
        if (group) {
            item->SetOpen(true);
            groups.push_back(id);
        } else {
            static_cast<Memo*>(item)->SetRawBody(ByteString(Sentence(rng, 25)));
        }
        note.InsertItems(id, parent, Placement::kInside, Placement::kAfter, false);
        ++inGroup;
    }
}

}  // namespace

// Loads one file through the program's own load path in a fresh process, so
// that its peak memory is the load's own.
int LoadOnly(const char* path) {
    const long before = PeakRssKilobytes();
    const auto start = BenchClock::now();
    PosixFileSystem files;
    Note note;
    note.Load(files, path, false);
    const double ms = MillisecondsSince(start);
    std::printf("load %u items from the file in a fresh process: %.1f ms, peak RSS %.1f MB "
                "(%.1f MB before loading)\n",
                note.ItemCount(), ms, PeakRssKilobytes() / 1024.0, before / 1024.0);
    return 0;
}

int main(int argc, char** argv) {
    int items = 100000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--items") == 0) items = std::atoi(argv[++i]);
        if (std::strcmp(argv[i], "--load") == 0) return LoadOnly(argv[i + 1]);
    }
    std::mt19937 rng(42);
    Note note;
    Populate(note, items, rng);

    // The program's safe save to a real file, then a load of it in a fresh process.
    const std::string path = "/tmp/tidemark_note_bench.tmk";
    PosixFileSystem files;
    auto start = BenchClock::now();
    note.Save(files, path, true);
    const double saveMs = MillisecondsSince(start);
    long fileBytes = 0;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fseek(file, 0, SEEK_END);
        fileBytes = std::ftell(file);
        std::fclose(file);
    }
    std::printf("safe save of %d items (%.1f MB) to a file: %.1f ms\n", items, fileBytes / 1e6,
                saveMs);
    std::fflush(stdout);
    const std::string command = std::string(argv[0]) + " --load " + path;
    if (std::system(command.c_str()) != 0) std::printf("load in a fresh process failed\n");

    Note loaded;
    start = BenchClock::now();
    loaded.Load(files, path, true);
    std::printf("load %d items from the file: %.1f ms\n", items, MillisecondsSince(start));
    std::remove(path.c_str());

    std::vector<ItemId> ids = loaded.Items().Keys();
    std::shuffle(ids.begin(), ids.end(), rng);
    ids.resize(std::min<std::size_t>(ids.size(), 100000));
    start = BenchClock::now();
    std::size_t found = 0;
    for (ItemId id : ids) found += loaded.FindItem(id) != nullptr;
    std::printf("%zu lookups by id: %.2f ms (%zu found)\n", ids.size(), MillisecondsSince(start),
                found);

    // 100,000 siblings in one group, sorted by title.
    Note flat;
    flat.MakeNew(ByteString("root"));
    for (int i = 0; i < items; ++i) {
        const ItemId id = flat.CreateItem(ItemType::kMemo);
        flat.FindItem(id)->SetRawTitle(ByteString(Sentence(rng, 2)));
        flat.InsertItems(id, flat.RootId(), Placement::kInside, Placement::kBefore, false);
    }
    start = BenchClock::now();
    const bool done = flat.SortChildren(nullptr, flat.RootId(), SortKey::kTitle, false, false);
    std::printf("sort %d siblings by title: %.1f ms (%s)\n", items, MillisecondsSince(start),
                done ? "finished" : "cancelled");
    return 0;
}
