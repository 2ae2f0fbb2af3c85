// Times find-next over a whole note when nothing matches: each pass starts at the top of
// the note and walks every memo to the end, as "find next" does with a text the note does
// not hold. Plain text and regular expressions, case folded as the find dialog does by
// default, over titles and bodies together and each alone.
//
//   find_bench [--items N] [--runs R] [NOTE]
//
// Without NOTE the sample note of N memos (default 100,000, groups of 10, seed 1) is made
// with make_sample_note in a temporary folder. Prints ms per full pass (best and median of
// R runs, default 5). Use a Release build; figures from other builds mean little.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/common/error_code.h"
#include "core/model/note.h"
#include "core/search/note_search.h"
#include "core/search/search_options.h"
#include "core/search/text_matcher.h"
#include "platform/posix/posix_file_system.h"

using namespace tidemark;

namespace {

using BenchClock = std::chrono::steady_clock;

struct Case {
    const char* name;
    std::uint32_t matcherFlags;
    std::uint32_t target;
    const char* pattern;
};

// Patterns that occur nowhere in the sample; the regular expression is no plain literal,
// so the engine has to try it at every position.
constexpr const char* kPlain = "zqxjv";
constexpr const char* kRegex = "zq[x-y]+j\\d";

constexpr std::uint32_t kFold = TextMatcher::kFoldCase;
constexpr std::uint32_t kBoth = SearchOptions::kTitles | SearchOptions::kBodies;

const Case kCases[] = {
    {"plain, titles and bodies", kFold, kBoth, kPlain},
    {"regex, titles and bodies", kFold | TextMatcher::kRegex, kBoth, kRegex},
    {"plain, titles", kFold, SearchOptions::kTitles, kPlain},
    {"regex, titles", kFold | TextMatcher::kRegex, SearchOptions::kTitles, kRegex},
    {"plain, bodies", kFold, SearchOptions::kBodies, kPlain},
    {"regex, bodies", kFold | TextMatcher::kRegex, SearchOptions::kBodies, kRegex},
};

std::size_t TextBytes(const Note& note) {
    std::size_t bytes = 0;
    note.Items().ForEach([&](std::uint32_t, const Item* item) {
        bytes += item->Title().Size() + BodyOf(*item).Size();
    });
    return bytes;
}

// One find-next from the top of the note; the hit (none expected) is returned so the
// search cannot be optimised away.
SearchHit FindOnce(const Note& note, const Case& c) {
    TextMatcher matcher(c.matcherFlags, c.pattern);
    SearchOptions options;
    options.bits = c.target;
    options.SetStart(SearchOptions::kStartAtNote);
    const ItemId scope = SearchScopeFor(note, options, kNoItem);
    return FindDownward(note, matcher, options, scope, SearchPlace{});
}

}  // namespace

int main(int argc, char** argv) {
    int items = 100000;
    int runs = 5;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--items") == 0 && i + 1 < argc) {
            items = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (argv[i][0] != '-' && path.empty()) {
            path = argv[i];
        } else {
            std::fputs("usage: find_bench [--items N] [--runs R] [NOTE]\n", stderr);
            return 2;
        }
    }

    std::string folder;
    if (path.empty()) {
        char pattern[] = "/tmp/tidemark_find_bench.XXXXXX";
        if (!mkdtemp(pattern)) {
            std::perror("find_bench: mkdtemp");
            return 1;
        }
        folder = pattern;
        path = folder + "/sample.tmk";
        const std::string command = std::string(MAKE_SAMPLE_NOTE) + " --items " +
                                    std::to_string(items) + " --fanout 10 --seed 1 " + path;
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "find_bench: make_sample_note failed\n");
            return 1;
        }
    }

    Note note;
    try {
        PosixFileSystem files;
        note.Load(files, path, /*detached=*/true);
    } catch (const IoError& e) {
        std::fprintf(stderr, "find_bench: %s does not load (code %u)\n", path.c_str(), e.Code());
        return 1;
    }
    if (!folder.empty()) {
        std::remove(path.c_str());
        rmdir(folder.c_str());
    }
    std::printf("find-next with no match over %u items, %.1f MB of titles and bodies (%d runs)\n",
                note.ItemCount(), static_cast<double>(TextBytes(note)) / 1e6, runs);

    int failures = 0;
    for (const Case& c : kCases) {
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            const auto start = BenchClock::now();
            const SearchHit hit = FindOnce(note, c);
            times.push_back(
                std::chrono::duration<double, std::milli>(BenchClock::now() - start).count());
            if (hit.Found()) {
                std::fprintf(stderr, "find_bench: \"%s\" matched in item %u\n", c.pattern,
                             hit.item);
                ++failures;
                break;
            }
        }
        std::sort(times.begin(), times.end());
        std::printf("%-26s best %8.1f ms   median %8.1f ms per full pass\n", c.name, times.front(),
                    times[times.size() / 2]);
    }
    return failures == 0 ? 0 : 1;
}
