#include "core/settings/recent_notes.h"

#include "core/common/path_compare.h"
#include "core/settings/menu_entry_text.h"
#include "core/settings/value_names.h"

namespace tidemark {

ByteString RecentNotes::MostRecent() const {
    return m_paths.empty() ? ByteString() : m_paths.back();
}

void RecentNotes::Add(const ByteString& path) {
    if (path.Empty())
        return;
    for (auto it = m_paths.begin(); it != m_paths.end(); ++it) {
        if (SamePath(it->View(), path.View())) {
            m_paths.erase(it);
            break;
        }
    }
    if (m_paths.size() == kSlots)
        m_paths.erase(m_paths.begin());
    m_paths.push_back(path);
}

void RecentNotes::Load(const ValueStore& store) {
    m_paths.clear();
    for (int i = 0; i < ValueName::kHistoryCount; ++i) {
        std::optional<ByteString> path = store.QueryString(ValueName::HistoryValueName(i));
        if (path && !path->Empty())
            m_paths.push_back(std::move(*path));
    }
}

bool RecentNotes::Save(ValueStore& store) const {
    bool saved = true;
    for (int i = 0; i < ValueName::kHistoryCount; ++i) {
        std::string name = ValueName::HistoryValueName(i);
        auto slot = static_cast<std::size_t>(i);
        saved = (slot < m_paths.size() ? store.SetString(name, m_paths[slot].View())
                                       : store.DeleteValue(name)) &&
                saved;
    }
    return saved;
}

std::vector<RecentNoteMenuEntry> RecentNotes::MenuEntries() const {
    std::vector<RecentNoteMenuEntry> entries;
    for (std::size_t k = 0; k < m_paths.size(); ++k) {
        std::size_t slot = m_paths.size() - 1 - k;
        entries.push_back(RecentNoteMenuEntry{
            static_cast<CommandId>(kCmdRecentNoteFirst + slot),
            NumberedMenuEntryText(static_cast<int>(k + 1), m_paths[slot].View())});
    }
    return entries;
}

const ByteString* RecentNotes::PathForCommand(CommandId command) const {
    if (command < kCmdRecentNoteFirst)
        return nullptr;
    std::size_t slot = command - kCmdRecentNoteFirst;
    return slot < m_paths.size() ? &m_paths[slot] : nullptr;
}

}  // namespace tidemark
