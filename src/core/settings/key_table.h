#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/settings/command_ids.h"
#include "core/settings/value_store.h"

namespace tidemark {

// The menu a key-table entry belongs to; the key list groups entries by it.
namespace KeyGroup {
inline constexpr std::uint8_t kFile = 1;
inline constexpr std::uint8_t kEdit = 2;
inline constexpr std::uint8_t kView = 4;
inline constexpr std::uint8_t kMemo = 6;
inline constexpr std::uint8_t kHelp = 9;
inline constexpr std::uint8_t kTool = 10;
}  // namespace KeyGroup

// The string-table entry of a group's header in the key list ("ファイル関連:"
// for the file group); 0 for an unknown group.
std::uint32_t KeyGroupHeaderStringId(std::uint8_t group);

// One command the user can bind to a key.
struct KeyEntry {
    CommandId Command = 0;
    std::uint8_t Group = 0;
    std::uint8_t Flags = 0;  // AccelFlag bits; 0 when there is no key
    std::uint16_t Key = 0;   // virtual-key code; 0 = no key
    std::uint32_t Text = 0;  // string-table entry of the command's menu text

    bool HasKey() const { return Key != 0; }
    friend bool operator==(const KeyEntry&, const KeyEntry&) = default;
};

// The 80 bindable commands in menu order with their current keys. A key may
// be given to several commands; when a key press is translated the first of
// them in table order wins. A new table holds the default keys.
class KeyTable {
public:
    static constexpr std::size_t kEntryCount = 80;

    KeyTable();

    static std::span<const KeyEntry> DefaultEntries();

    std::span<const KeyEntry> Entries() const { return m_entries; }
    const KeyEntry* Find(CommandId command) const;
    std::optional<std::size_t> IndexOf(CommandId command) const;

    // False (nothing changed) when the command is not in the table.
    bool SetKey(CommandId command, std::uint8_t flags, std::uint16_t key);
    void ClearKey(CommandId command) { SetKey(command, 0, 0); }

    void ResetToDefaults();
    // Takes the flags and key of every entry from an edited copy (the options
    // page); a command the copy lacks loses its key.
    void ApplyEdited(const KeyTable& edited);

    // The defaults, then the records of the "accelerator" value over them; a
    // missing or unreadable value leaves the defaults.
    void Load(const ValueStore& store);
    // Writes every entry as the "accelerator" value.
    bool Save(ValueStore& store) const;

    // The key text of the command ("Ctrl+P"), empty when it has none.
    std::string KeyTextOf(CommandId command) const;
    // Whether another entry has the same flags and key (the key list marks
    // such rows). Entries without a key are never duplicates.
    bool SharesKey(std::size_t index) const;
    // The entries that have a key, in table order: the accelerator table.
    std::vector<KeyEntry> Accelerators() const;

    friend bool operator==(const KeyTable& a, const KeyTable& b) {
        return a.m_entries == b.m_entries;
    }

private:
    std::array<KeyEntry, kEntryCount> m_entries;
    std::unordered_map<CommandId, std::size_t> m_byCommand;
};

}  // namespace tidemark
