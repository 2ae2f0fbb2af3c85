#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/common/byte_string.h"

namespace tidemark {

// One registered script.
struct ScriptEntry {
    static constexpr std::size_t kMaxTextBytes = 259;  // name and file, as edited
    static constexpr std::uint32_t kPlaceMask = 0x0F;  // tool-menu place 1 to 10, 0 none
    static constexpr std::uint32_t kTemplate = 0x10;

    ByteString Name;  // unique among entries, compared without case
    // The script file: as given when it names a file, else looked for in the
    // script folder (beside the program when none is set).
    ByteString File;
    std::uint32_t Attributes = 0;

    // The tool-menu place 1 to 10, or 0 when the entry has none.
    int Place() const;
    bool IsTemplate() const { return (Attributes & kTemplate) != 0; }
    void ClearPlace() { Attributes &= ~kPlaceMask; }

    friend bool operator==(const ScriptEntry&, const ScriptEntry&) = default;
};

// What an import added to a store.
struct ScriptImportResult {
    std::size_t Added = 0;
    std::size_t Skipped = 0;  // already registered with the same name and file
    bool StoreFull = false;   // stopped at the limit; what was added stays
};

// The registered scripts: up to 256 entries in order, and the ten tool-menu
// places, each held by at most one entry. An entry's place bits always agree
// with the place table: binding an entry to a taken place takes the place
// away from the entry that had it.
class ScriptStore {
public:
    static constexpr std::size_t kMaxEntries = 256;
    static constexpr int kPlaceCount = 10;

    std::size_t Count() const { return m_entries.size(); }
    bool Empty() const { return m_entries.empty(); }
    bool Full() const { return m_entries.size() >= kMaxEntries; }
    const ScriptEntry& At(std::size_t index) const { return m_entries[index]; }
    const std::vector<ScriptEntry>& Entries() const { return m_entries; }

    // The index of the entry at place 1 to 10, or nothing when it is free.
    std::optional<std::size_t> EntryAtPlace(int place) const;
    // Whether the place is free or held by the entry `index` (the places the
    // entry dialog offers for that entry; pass nothing for a new entry).
    bool PlaceAvailableFor(int place, std::optional<std::size_t> index) const;

    // Index of the entry whose name equals `name` without case.
    std::optional<std::size_t> FindByName(std::string_view name) const;

    // Appends the entry, binding its place. False (nothing changed) when the
    // store is full.
    bool Append(ScriptEntry entry);
    // Replaces the entry's fields and rebinds its place.
    void Replace(std::size_t index, ScriptEntry entry);
    // Removes the entry; its place becomes free and the entries after it
    // move down by one.
    void Remove(std::size_t index);

    // Merges another store in: an entry with the same name and file as one
    // already here (both without case) is skipped; an entry whose place is
    // taken loses its place; the merge stops when the store is full.
    ScriptImportResult Import(const ScriptStore& imported);

    friend bool operator==(const ScriptStore& a, const ScriptStore& b) {
        return a.m_entries == b.m_entries;
    }

private:
    void BindPlace(std::size_t index);

    std::vector<ScriptEntry> m_entries;
    std::array<int, kPlaceCount> m_places = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};

}  // namespace tidemark
