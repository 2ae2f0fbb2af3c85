#include "help_note_builder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/common/cp932_codec.h"
#include "core/common/system_time.h"
#include "core/model/item_id.h"
#include "help_sources.h"

namespace tidemark::help {
namespace {

// The modified time of every page: fixed, so that a build is reproducible.
class FixedClock : public Clock {
public:
    SystemTime Now() const override {
        SystemTime time;
        time.year = 2024;
        time.month = 4;
        time.dayOfWeek = 1;  // Monday
        time.day = 1;
        time.hour = 9;
        return time;
    }
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw HelpSourceError(path.string() + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The CP932 form of `text`; `where` names it in the error.
ByteString ToNoteText(const std::string& text, const std::string& where) {
    const Cp932Text converted = Utf8ToCp932(text);
    if (!converted.Complete()) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(converted.lost.front()));
        throw HelpSourceError(where + ": the character " + code + " has no Shift-JIS form");
    }
    return ByteString(converted.bytes);
}

ByteString ToTitle(const std::string& text, const std::string& where) {
    ByteString title = ToNoteText(text, where);
    if (title.Size() > kMaxTitleBytes)
        throw HelpSourceError(where + ": the title is longer than " +
                              std::to_string(kMaxTitleBytes) + " bytes");
    return title;
}

// Every page file below `folder` (relative, with "/"), the manifest left out.
std::set<std::string> PageFilesIn(const std::filesystem::path& folder) {
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".txt") continue;
        files.insert(entry.path().lexically_relative(folder).generic_string());
    }
    return files;
}

}  // namespace

std::unique_ptr<Note> BuildHelpNote(const std::filesystem::path& folder,
                                    std::span<const int> requiredTopics) {
    const std::filesystem::path manifestPath = folder / kManifestName;
    const Manifest manifest = ParseManifest(ReadFile(manifestPath), manifestPath.string());

    std::set<std::string> unlisted = PageFilesIn(folder);
    for (const ManifestEntry& entry : manifest.entries) unlisted.erase(entry.source);
    if (!unlisted.empty())
        throw HelpSourceError((folder / *unlisted.begin()).string() +
                              ": the page is not in the manifest");
    for (const int topic : requiredTopics) {
        const bool found = std::any_of(manifest.entries.begin(), manifest.entries.end(),
                                       [topic](const ManifestEntry& e) {
                                           return e.id == static_cast<std::uint32_t>(topic);
                                       });
        if (!found)
            throw HelpSourceError(manifestPath.string() + ": help topic " + std::to_string(topic) +
                                  " has no page");
    }

    static const FixedClock clock;
    auto note = std::make_unique<Note>(nullptr, &clock);
    Note& built = *note;
    const std::string manifestName = manifestPath.string();
    built.MakeNew(ToTitle(manifest.rootTitle, manifestName));

    // Ids are handed out in increasing order: create the items by id,
    // skipping the ids between, then link them in manifest order.
    std::vector<const ManifestEntry*> byId;
    for (const ManifestEntry& entry : manifest.entries) byId.push_back(&entry);
    std::sort(byId.begin(), byId.end(),
              [](const ManifestEntry* a, const ManifestEntry* b) { return a->id < b->id; });
    for (const ManifestEntry* entry : byId) {
        while (built.LastId() + 1 < entry->id) built.AllocateItemId();
        const std::string where = manifestName + ":" + std::to_string(entry->line);
        const ItemId id = built.CreateItem(entry->IsGroup() ? ItemType::kGroup : ItemType::kMemo);
        if (id != entry->id) throw HelpSourceError(where + ": item id " + std::to_string(entry->id) +
                                                   " could not be given");
        Item& item = *built.FindItem(id);
        if (entry->IsGroup()) {
            item.SetTitle(ToTitle(entry->groupTitle, where));
            item.SetOpen(false);
            continue;
        }
        const std::filesystem::path file = folder / entry->source;
        const Page page = ParsePage(ReadFile(file), file.string());
        auto& memo = static_cast<Memo&>(item);
        memo.SetTitle(ToTitle(page.title, file.string() + ":1"));
        memo.SetBody(ToNoteText(page.body, file.string()));
    }

    std::map<std::string, ItemId> groups{{"", built.RootId()}};
    std::map<ItemId, ItemId> lastChild;
    for (const ManifestEntry& entry : manifest.entries) {
        const ItemId parent = groups.at(entry.Folder());
        const auto previous = lastChild.find(parent);
        const bool linked =
            previous == lastChild.end()
                ? built.InsertItems(entry.id, parent, Placement::kInside, Placement::kAfter, true)
                : built.InsertItems(entry.id, previous->second, Placement::kBeside,
                                    Placement::kAfter, true);
        if (!linked)
            throw HelpSourceError(manifestName + ":" + std::to_string(entry.line) +
                                  ": the item could not be placed");
        lastChild[parent] = entry.id;
        if (entry.IsGroup()) groups[entry.source] = entry.id;
    }

    // The help note opens on its root, side by side, in a window big enough to read in.
    built.SetCurrentItemId(built.RootId());
    built.View().windowWidth = 900;
    built.View().windowHeight = 640;
    built.View().titleColumnWidth = 260;
    return note;
}

}  // namespace tidemark::help
