#include "core/strings/string_table.h"

#include <algorithm>
#include <iterator>

namespace tidemark {

namespace {

// Kept sorted by id: StringById searches it by halves.
constexpr StringEntry kStrings[] = {
#include "res/string_table_ja.inc"
};

const StringEntry* Find(std::uint32_t id) {
    const auto* it = std::lower_bound(
        std::begin(kStrings), std::end(kStrings), id,
        [](const StringEntry& entry, std::uint32_t wanted) { return entry.id < wanted; });
    if (it == std::end(kStrings) || it->id != id) {
        return nullptr;
    }
    return it;
}

}  // namespace

std::span<const StringEntry> StringTable() {
    return kStrings;
}

std::string_view StringById(std::uint32_t id) {
    const StringEntry* entry = Find(id);
    return entry ? entry->text : std::string_view();
}

bool HasString(std::uint32_t id) {
    return Find(id) != nullptr;
}

}  // namespace tidemark
