#pragma once

#include <QString>
#include <memory>

#include "app/common/command_table.h"

class Application;
class ShortcutCommands;
class CommandActions;
class QWidget;
class SessionEndRequest;

// The File commands on the one note a window holds: new, new from a
// template, open, save, save as, the read-only mode, the recent notes, the
// help note, the default note file of the first save, automatic saving and
// the question before closing. Loading or saving failures are shown to the
// user here and never lose the note in memory.
class FileCommands {
public:
    // How opening a note by its path ended.
    enum class OpenOutcome {
        kLoaded,           // this window shows it now
        kAlreadyHere,      // this window showed it already
        kHandedElsewhere,  // another window shows it, or a new process was started for it
        kFailed,           // the message was shown; this window holds a new empty note
    };

    explicit FileCommands(Application& app);
    ~FileCommands();

    // Gives the file commands their handlers and state rules.
    void registerCommands(CommandActions& actions);

    void newNote();
    // An empty window asks for a template and runs it on its note (false
    // when the choice was cancelled); any other starts a process for it.
    bool newFromTemplate();
    void open();
    OpenOutcome openNoteByPath(const QString& path, bool readOnly);
    bool save();
    // With `interactive` (the user's command), a save that succeeded is
    // followed by the offer of a shortcut to the file.
    bool saveAs(bool interactive);
    void toggleReadOnly();
    void openRecent(CommandId id);
    // Starts another process of the program showing the help note at `topic`.
    void startHelp(int topic);
    // Shows the help note in this (empty) window at `topic` (0: its root);
    // false when it could not be loaded or another window already shows it.
    bool openHelpNote(int topic);
    // Whether the window may close: asks to save a changed note. After the
    // session's end was let go on, the close it brings does not ask again
    // about the same changes.
    bool askToSaveBeforeClosing();
    // The desktop session is ending: a changed note is saved or asked about
    // as before closing, and Cancel asks the session to go on (false). When
    // the session lets nobody be asked, automatic saving writes the note to
    // its file and otherwise the note is left as it is.
    bool askToSaveBeforeSessionEnd(SessionEndRequest& session);
    // The start-up option; false when the user cancelled the start-up choice
    // or the note it named went to another window.
    bool applyStartupOption();
    // The note reports a change (or, after a save, that it is saved).
    void noteReported(bool modified, bool byUser);
    // While something is dragged over the window the note's changes are not
    // acted on: no mark, no automatic saving. When the last hold ends they
    // count as one change, so that a move within the window (the copy
    // dropped, then the originals removed) is saved once, complete. Holds
    // nest: a drag out of the window may come back to drop on a list.
    void holdReports(bool hold);
    void addRecentNote(const QString& path, bool tellOthers);
    void rebuildRecentMenu();

private:
    QWidget* owner() const;
    bool exclusive() const;
    // Writes the note to its path; throws tidemark::IoError.
    void writeToPath();
    bool createDefaultNoteFile();
    OpenOutcome loadHere(const QString& path, bool readOnly);
    bool runStartupOption(int option);
    // Commits pending edits; whether the note holds changes a close would lose.
    bool hasChangesToLose();
    // The question before closing, whatever was answered before.
    bool askToSave();

    Application& m_app;
    std::unique_ptr<ShortcutCommands> m_shortcuts;
    bool m_saving = false;
    // Save As runs again inside itself when the save fails; only the
    // outermost one offers a shortcut.
    int m_saveAsDepth = 0;
    // The user let the session end go on with the note as it is now.
    bool m_sessionEndAccepted = false;
    // The holds of the drags over the window, and the change that came
    // meanwhile (whether all of it may be saved at once).
    int m_holds = 0;
    bool m_held = false;
    bool m_heldMaySave = false;
};
