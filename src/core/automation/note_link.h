#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/automation/automation_window.h"
#include "core/model/item.h"
#include "core/model/note_host.h"
#include "core/model/ref_ptr.h"

namespace tidemark {

class FileSystem;
class Note;
class Settings;

// What every automation object of one note shares: the way to its note and
// to whoever owns it. Objects hold it shared; it lives as long as the last
// of them.
class NoteLink {
public:
    virtual ~NoteLink() = default;
    // Null once the note is gone (its window closed).
    virtual Note* GetNote() const = 0;
    virtual bool IsDetached() const = 0;
    virtual bool IsReadOnly() const = 0;
    // The host that encrypts and decrypts locked groups and reports memory
    // trouble; null when there is none.
    virtual NoteHost* Host() const = 0;
    // The options the new-item rule reads; null: no attributes are copied.
    const Settings* Options() const;
    // After a change: tells the window; a detached note tells no one.
    virtual void MarkModified() = 0;
    void ReportOutOfMemory(std::uint32_t code) const;
};

// The note of a main window, reached through the window for as long as it
// is connected.
class WindowNoteLink : public NoteLink {
public:
    explicit WindowNoteLink(AutomationWindow& window) : m_window(&window) {}

    Note* GetNote() const override;
    bool IsDetached() const override { return false; }
    bool IsReadOnly() const override;
    NoteHost* Host() const override;
    void MarkModified() override;

    std::string FilePath() const;
    // The window goes away: every object of its note answers as deleted.
    void Disconnect();

    // The run snapshot, items held by reference so that one a script deletes
    // still answers IsDeleted.
    void SetSnapshot(const RunSnapshot& snapshot);
    void ClearSnapshot();
    const std::vector<RefPtr<Item>>& SelectedItems() const { return m_selected; }
    const RefPtr<Item>& FocusedItem() const { return m_focused; }
    const std::string& SelectedText() const { return m_selectedText; }

private:
    AutomationWindow* m_window;
    std::vector<RefPtr<Item>> m_selected;
    RefPtr<Item> m_focused;
    std::string m_selectedText;
};

// The host of a note without a window: no one to tell of changes, never
// read-only; locked groups are encrypted by the model itself.
class DetachedNoteHost : public NoteHost {
public:
    explicit DetachedNoteHost(const Settings* options) : m_options(options) {}
    void SetNote(Note* note) { m_note = note; }
    void SetModified(bool, bool) override {}
    void ReportOutOfMemory(std::uint32_t) override {}
    bool EncryptGroupContents(ItemId group, const ByteString& password) override;
    bool DecryptGroupContents(ItemId group, const ByteString& password) override;
    bool IsReadOnly() const override { return false; }
    const Settings* GetOptions() const override { return m_options; }

private:
    const Settings* m_options;
    Note* m_note = nullptr;
};

// A note that NoteService made or opened: owned here, with its own path.
// `files` and `options` belong to the service's owner and must outlive it.
class DetachedNoteLink : public NoteLink {
public:
    DetachedNoteLink(FileSystem& files, const Settings* options);
    ~DetachedNoteLink() override;

    Note* GetNote() const override { return m_note.get(); }
    bool IsDetached() const override { return true; }
    bool IsReadOnly() const override { return false; }
    NoteHost* Host() const override { return m_host.get(); }
    void MarkModified() override {}

    FileSystem& Files() const { return m_files; }
    // Whether the note's file is read and written without holding it
    // (the NoExclusiveOpen option).
    bool WithoutExclusiveAccess() const;
    const std::string& Path() const { return m_path; }
    void SetPath(std::string path) { m_path = std::move(path); }

private:
    FileSystem& m_files;
    std::unique_ptr<DetachedNoteHost> m_host;  // before m_note: outlives it
    std::unique_ptr<Note> m_note;
    std::string m_path;
};

}  // namespace tidemark
