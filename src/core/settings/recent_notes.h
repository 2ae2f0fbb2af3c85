#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/common/byte_string.h"
#include "core/settings/command_ids.h"
#include "core/settings/value_store.h"

namespace tidemark {

// One entry of the recent-notes menu.
struct RecentNoteMenuEntry {
    CommandId Command;  // 41001 + slot
    std::string Text;   // "&1  C:\notes\a.tmk", "&&" for every "&"
};

// The last ten notes opened or saved, shared by every window through the
// "history0" to "history9" values. Slot 0 holds the oldest path, slot
// Count() - 1 the most recent. Paths are compared without case.
class RecentNotes {
public:
    static constexpr std::size_t kSlots = 10;

    std::size_t Count() const { return m_paths.size(); }
    bool Empty() const { return m_paths.empty(); }
    const ByteString& Slot(std::size_t slot) const { return m_paths[slot]; }
    // The most recent path; empty when the list is.
    ByteString MostRecent() const;

    // A path already listed moves to the most recent slot; a new one is
    // appended, dropping the oldest when all slots are in use. An empty path
    // is ignored.
    void Add(const ByteString& path);

    // Reads the ten values; a missing or empty value is skipped and the paths
    // read keep their order.
    void Load(const ValueStore& store);
    // Writes one value per slot in use and removes the values of the others.
    bool Save(ValueStore& store) const;

    // The menu entries, most recent first, numbered from 1 (the tenth shows
    // 0); entry k opens slot Count() - 1 - k through its command.
    std::vector<RecentNoteMenuEntry> MenuEntries() const;
    // The slot that the command 41001 + slot opens; nothing for another
    // command or an unused slot.
    const ByteString* PathForCommand(CommandId command) const;

private:
    std::vector<ByteString> m_paths;
};

}  // namespace tidemark
