#include "core/automation/note_link.h"

#include "core/model/item_lock.h"
#include "core/model/note.h"
#include "core/settings/settings.h"

namespace tidemark {

const Settings* NoteLink::Options() const {
    const NoteHost* host = Host();
    return host ? host->GetOptions() : nullptr;
}

void NoteLink::ReportOutOfMemory(std::uint32_t code) const {
    if (IsDetached())
        return;
    if (NoteHost* host = Host())
        host->ReportOutOfMemory(code);
}

Note* WindowNoteLink::GetNote() const {
    return m_window ? &m_window->WindowNote() : nullptr;
}

bool WindowNoteLink::IsReadOnly() const {
    return m_window && m_window->IsReadOnly();
}

NoteHost* WindowNoteLink::Host() const {
    return m_window ? &m_window->WindowHost() : nullptr;
}

void WindowNoteLink::MarkModified() {
    if (m_window)
        m_window->WindowHost().SetModified(true, true);
}

std::string WindowNoteLink::FilePath() const {
    return m_window ? m_window->FilePath() : std::string();
}

void WindowNoteLink::Disconnect() {
    ClearSnapshot();
    m_window = nullptr;
}

void WindowNoteLink::SetSnapshot(const RunSnapshot& snapshot) {
    ClearSnapshot();
    Note* note = GetNote();
    if (!note)
        return;
    for (ItemId id : snapshot.selected) {
        if (Item* item = note->FindItem(id))
            m_selected.push_back(RefPtr<Item>::Share(item));
    }
    m_focused = RefPtr<Item>::Share(note->FindItem(snapshot.focused));
    m_selectedText = snapshot.selectedText;
}

void WindowNoteLink::ClearSnapshot() {
    m_selected.clear();
    m_focused = RefPtr<Item>();
    m_selectedText.clear();
}

bool DetachedNoteHost::EncryptGroupContents(ItemId group, const ByteString& password) {
    return m_note && tidemark::EncryptGroupContents(*m_note, group, password);
}

bool DetachedNoteHost::DecryptGroupContents(ItemId group, const ByteString& password) {
    return m_note && tidemark::DecryptGroupContents(*m_note, group, password);
}

DetachedNoteLink::DetachedNoteLink(FileSystem& files, const Settings* options)
    : m_files(files),
      m_host(std::make_unique<DetachedNoteHost>(options)),
      m_note(std::make_unique<Note>(m_host.get())) {
    m_host->SetNote(m_note.get());
    m_note->SetDetached(true);
}

DetachedNoteLink::~DetachedNoteLink() = default;

bool DetachedNoteLink::WithoutExclusiveAccess() const {
    const Settings* options = m_host->GetOptions();
    return options && options->NoExclusiveOpen != 0;
}

}  // namespace tidemark
