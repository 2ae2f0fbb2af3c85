#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "app/frame/app_environment.h"
#include "core/model/note_host.h"
#include "core/settings/key_table.h"
#include "core/settings/recent_notes.h"
#include "core/settings/script_store.h"
#include "core/settings/script_store_persistence.h"
#include "core/settings/settings.h"
#include "core/settings/settings_notifier.h"

class CommandActions;
class DefaultNoteCommands;
class FileCommands;
class InstanceRequests;
class MainWindow;
class MainWindowContext;
class NoteFileService;
class RegisteredScriptCommands;
class ResidentIcon;
class ViewCommands;

namespace tidemark {
class Note;
}

// The one object of a process that owns everything else for the life of
// the process: the main window with its panes, the note shown, the settings,
// the key assignments, the registered scripts, the recent-notes list and
// the command actions. It is the NoteHost through which the note calls back
// into the frame.
class Application : public QObject,
                    public tidemark::NoteHost,
                    public tidemark::SettingsNotifier,
                    public tidemark::ScriptStoreNotifier {
    Q_OBJECT
public:
    struct Options {
        bool simpleMode = false;  // the first-run choice: apply the simple-mode defaults
        bool resident = false;    // no main window (an icon in the notification area)
    };

    // Reads the settings, key assignments, registered scripts and recent
    // notes from the store.
    Application(AppEnvironment& environment, Options options);
    ~Application() override;

    // Start-up steps; false on failure.
    bool createMainWindow();
    // The resident process: the icon in the notification area, no window.
    bool createResidentIcon();
    bool createInitialNote();

    AppEnvironment& environment() const { return m_environment; }
    tidemark::Note& note() const { return *m_note; }
    tidemark::Settings& settings() { return m_settings; }
    const tidemark::Settings& settings() const { return m_settings; }
    tidemark::KeyTable& keyTable() { return m_keys; }
    tidemark::ScriptStore& scripts() { return m_scripts; }
    tidemark::RecentNotes& recentNotes() { return m_recent; }
    CommandActions& actions() const { return *m_actions; }
    MainWindow* window() const { return m_window; }
    // What the window's features see of it; only while the window exists.
    MainWindowContext& windowContext() const { return *m_windowContext; }
    FileCommands& fileCommands() const { return *m_fileCommands; }
    NoteFileService& noteFiles() const { return *m_noteFiles; }
    DefaultNoteCommands& defaultNote() const { return *m_defaultNote; }
    // The registered scripts of the window; null without a window.
    RegisteredScriptCommands* registeredScripts() const { return m_registeredScripts; }
    // Only in the resident process.
    ResidentIcon* residentIcon() const { return m_residentIcon.get(); }

    // The path of the open note; empty for a note never saved.
    const QString& notePath() const { return m_notePath; }
    void setNotePath(const QString& path);

    void setReadOnlyMode(bool readOnly);
    bool isHelpNote() const { return m_helpNote; }
    void setHelpNote(bool help) { m_helpNote = help; }
    bool isModified() const { return m_modified; }
    // Sets or clears the modified mark (the window's icons follow it).
    void setModifiedMark(bool modified);
    bool isResident() const { return m_options.resident; }
    // The note has items besides its root.
    bool noteHasItems() const;
    // No items, no path, not modified, not resident: only such a window
    // loads a note in place.
    bool isEmptyWindow() const;

    // Saves the settings and tells the other windows to reload them.
    void saveSettings(bool apply = true);
    // Another window saved the settings: read them again and, with `apply`,
    // show them (fonts, tab width, bars, columns, layout, colours, snapping,
    // the key assignments).
    void reloadSettings(bool apply);
    // Another window saved the registered scripts: read them again.
    void reloadScripts();
    // Writes the registered scripts and tells the other windows.
    void saveScripts();
    // Recomputes the commands' states and the status bar.
    void updateActions();

    // NoteHost
    void SetModified(bool modified, bool byUser) override;
    void ReportOutOfMemory(std::uint32_t code) override;
    bool EncryptGroupContents(tidemark::ItemId groupId,
                              const tidemark::ByteString& password) override;
    bool DecryptGroupContents(tidemark::ItemId groupId,
                              const tidemark::ByteString& password) override;
    bool IsReadOnly() const override { return m_readOnly; }
    const tidemark::Settings* GetOptions() const override { return &m_settings; }

    // SettingsNotifier
    void BroadcastSettingsChanged(bool apply) override;
    void ApplySettings(const tidemark::SettingsChanges& changes) override;
    // ScriptStoreNotifier
    void ScriptStoreSaved() override;

private:
    AppEnvironment& m_environment;
    Options m_options;
    tidemark::Settings m_settings;
    tidemark::KeyTable m_keys;
    tidemark::ScriptStore m_scripts;
    tidemark::RecentNotes m_recent;
    std::unique_ptr<tidemark::Note> m_note;
    std::unique_ptr<NoteFileService> m_noteFiles;
    CommandActions* m_actions;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<ViewCommands> m_viewCommands;
    std::unique_ptr<DefaultNoteCommands> m_defaultNote;
    std::unique_ptr<InstanceRequests> m_requests;
    std::unique_ptr<ResidentIcon> m_residentIcon;
    MainWindow* m_window = nullptr;  // deleted with the Application
    RegisteredScriptCommands* m_registeredScripts = nullptr;  // goes with the window
    // Outlives the window: its features may still ask while its widgets go.
    std::unique_ptr<MainWindowContext> m_windowContext;
    QString m_notePath;
    bool m_readOnly = false;
    bool m_helpNote = false;
    bool m_modified = false;
};
