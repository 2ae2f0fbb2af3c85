#include "core/automation/note_object.h"

#include "core/automation/automation_text.h"
#include "core/automation/io_failure.h"
#include "core/automation/note_link.h"
#include "core/common/colour_code.h"
#include "core/common/error_code.h"
#include "core/common/sjis.h"
#include "core/file/file_system.h"
#include "core/model/note.h"

namespace tidemark {

namespace {

namespace E = AutomationErrorId;

constexpr std::uint32_t kSelectedTextMemory = 230;

}  // namespace

NoteObject::NoteObject(std::shared_ptr<NoteLink> link) : m_link(std::move(link)) {}

bool NoteObject::IsDetached() const {
    return m_link->IsDetached();
}

Note* NoteObject::LiveNote() const {
    return m_link->GetNote();
}

Result<std::string> NoteObject::FileName() const {
    if (const auto* window = dynamic_cast<const WindowNoteLink*>(m_link.get())) {
        if (!LiveNote())
            return Raise(E::kDeleted);
        return window->FilePath();
    }
    return static_cast<const DetachedNoteLink&>(*m_link).Path();
}

Result<std::string> NoteObject::Remarks() const {
    const Note* note = LiveNote();
    if (!note)
        return Raise(E::kDeleted);
    return TextOutOfNote(note->View().remarksCaption);
}

Status NoteObject::SetRemarks(std::string_view caption) {
    if (m_link->IsReadOnly())
        return Raise(E::kReadOnly);
    Note* note = LiveNote();
    if (!note)
        return Raise(E::kDeleted);
    const Result<ByteString> bytes = TextIntoNote(caption);
    if (!bytes)
        return bytes.Error();
    const std::string_view trimmed = TrimText(bytes.Value().View());
    if (trimmed.empty())
        return Raise(E::kEmptyRemarks);
    note->View().remarksCaption = ByteString(trimmed);
    m_link->MarkModified();
    return {};
}

Result<std::string> NoteObject::Foreground() const {
    const Note* note = LiveNote();
    if (!note)
        return Raise(E::kDeleted);
    return ColourToCode(note->View().textColour);
}

Result<std::string> NoteObject::Background() const {
    const Note* note = LiveNote();
    if (!note)
        return Raise(E::kDeleted);
    return ColourToCode(note->View().backgroundColour);
}

Status NoteObject::SetForeground(std::string_view colour) {
    return SetColour(colour, false);
}

Status NoteObject::SetBackground(std::string_view colour) {
    return SetColour(colour, true);
}

Status NoteObject::SetColour(std::string_view colour, bool background) {
    if (m_link->IsReadOnly())
        return Raise(E::kReadOnly);
    Note* note = LiveNote();
    if (!note)
        return Raise(E::kDeleted);
    const std::optional<Colour> value = CodeToColour(colour);
    if (!value)
        return Raise(E::kBadColour, std::string(colour));
    (background ? note->View().backgroundColour : note->View().textColour) = *value;
    m_link->MarkModified();
    return {};
}

Result<ItemHandle> NoteObject::GetRootItem() const {
    const Note* note = LiveNote();
    if (!note)
        return Raise(E::kDeleted);
    return ItemObject::For(m_link, note->FindItem(note->RootId()));
}

Result<std::int32_t> NoteObject::GetItemCount() const {
    const Note* note = LiveNote();
    if (!note)
        return Raise(E::kDeleted);
    return note->ItemCount() == 0 ? 0 : static_cast<std::int32_t>(note->ItemCount() - 1);
}

Result<ItemHandle> NoteObject::GetFocusItem() const {
    const auto* window = dynamic_cast<const WindowNoteLink*>(m_link.get());
    if (!window)
        return Raise(E::kNoFocusItem);
    return ItemObject::For(m_link, window->FocusedItem().Get());
}

Result<std::int32_t> NoteObject::GetSelectedItemCount() const {
    const auto* window = dynamic_cast<const WindowNoteLink*>(m_link.get());
    if (!window)
        return 0;
    return static_cast<std::int32_t>(window->SelectedItems().size());
}

Result<ItemHandle> NoteObject::GetSelectedItem(std::int32_t index) const {
    const auto* window = dynamic_cast<const WindowNoteLink*>(m_link.get());
    if (!window || index < 0 || static_cast<std::size_t>(index) >= window->SelectedItems().size()) {
        return RaiseWithNumber(E::kNoSelectedItem, index);
    }
    return ItemObject::For(m_link, window->SelectedItems()[static_cast<std::size_t>(index)].Get());
}

Result<std::string> NoteObject::GetSelectedText() const {
    const auto* window = dynamic_cast<const WindowNoteLink*>(m_link.get());
    if (!window)
        return std::string();
    try {
        return WithoutCr(window->SelectedText());
    } catch (const std::bad_alloc&) {
        m_link->ReportOutOfMemory(kSelectedTextMemory);
        return std::string();
    }
}

Status NoteObject::Save() {
    if (!m_link->IsDetached())
        return Raise(E::kNotForWindowNote);
    const std::string path = static_cast<const DetachedNoteLink&>(*m_link).Path();
    if (path.empty())
        return Raise(E::kNoFileName);
    return SaveTo(path);
}

Status NoteObject::SaveAs(std::string_view path) {
    if (!m_link->IsDetached())
        return Raise(E::kNotForWindowNote);
    if (path.empty())
        return Raise(E::kNoFileName);
    const std::string target(path);
    Status saved = SaveTo(target);
    if (saved)
        static_cast<DetachedNoteLink&>(*m_link).SetPath(target);
    return saved;
}

Status NoteObject::SaveTo(const std::string& path) {
    auto& link = static_cast<DetachedNoteLink&>(*m_link);
    Note& note = *link.GetNote();
    FileSystem& files = link.Files();
    const bool existed = files.Stat(path) == ErrorCode::kSuccess;
    // A file that is not there is held by no one: then the save itself
    // tells why it cannot be made (a missing folder, no permission).
    if (!note.AcquireWriteAccess(files, path) && existed)
        return Raise(E::kHeldByOtherProcess);
    try {
        note.Save(files, path, link.WithoutExclusiveAccess());
    } catch (const IoError& error) {
        if (!existed) {
            // Taking the file for writing made it; the failed save leaves
            // nothing behind.
            note.ReleaseWriteAccess();
            files.Remove(path);
        }
        return IoFailure(error.Code(), path);
    }
    return {};
}

}  // namespace tidemark
