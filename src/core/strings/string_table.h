#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tidemark {

// One user-visible text of the program. Texts are UTF-8; line breaks inside a text are
// the CR LF (or, for a few texts, LF) that the message box shows.
struct StringEntry {
    std::uint32_t id;
    std::string_view text;
};

// The whole table, sorted by id without repeats. The texts live in static storage for the
// life of the program, so views into them never dangle.
std::span<const StringEntry> StringTable();

// The text of `id`, or an empty view when the table has no such id.
std::string_view StringById(std::uint32_t id);

bool HasString(std::uint32_t id);

}  // namespace tidemark
