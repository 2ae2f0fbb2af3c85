#pragma once

#include <QString>

#include "app/context/edit_focus.h"
#include "app/context/focus_window.h"
#include "core/model/item_id.h"

class CommandActions;
class ItemViewUpdater;
class LinkOpener;
class QPlainTextEdit;
class QWidget;
class SelectionSource;

namespace tidemark {
class FileSystem;
class Note;
class Settings;
class ValueStore;
}  // namespace tidemark

// Which of a window's two lists.
enum class ListKind { kMemoList, kGroupList };

// How a feature (the item operations, find, text exchange, rescue, ...)
// reaches the window it works in. The shell implements it and hands it to
// each feature it composes; a feature knows nothing else of the window.
// Lives as long as the window; used on the GUI thread only.
class WindowContext {
public:
    virtual ~WindowContext() = default;

    // The note shown, the user's settings, the file system the note files
    // go through.
    virtual tidemark::Note& note() const = 0;
    virtual tidemark::Settings& settings() const = 0;
    virtual tidemark::FileSystem& files() const = 0;
    // The user's value store, for what features read beside the settings
    // (the script engines' extensions).
    virtual tidemark::ValueStore& valueStore() const = 0;
    // The machine-wide value store, read after the user's.
    virtual const tidemark::ValueStore& systemValueStore() const = 0;
    // The path of the note's file; empty for a note never saved.
    virtual QString notePath() const = 0;
    virtual bool isReadOnly() const = 0;
    // The note has items besides its root.
    virtual bool noteHasItems() const = 0;

    // The pane that last had the keyboard focus, and what the edit commands
    // act on now.
    virtual FocusWindow focusWindow() const = 0;
    virtual EditFocus editFocus() const = 0;
    // Focus and selection of the two lists; the rows they show.
    virtual SelectionSource& selection() const = 0;
    virtual ItemViewUpdater& views() const = 0;
    // The text pane, for what find and the edit commands do with its text
    // (the memo it holds is views().openMemo()).
    virtual QPlainTextEdit& memoTextPane() const = 0;
    // How the window opens links and files (the desktop's way; tests
    // replace it).
    virtual LinkOpener& linkOpener() const = 0;

    // Stores every edit still pending in the window into the note: a title
    // being edited in either list, a changed title typed into the path box,
    // the text pane's body. Everything that reads or writes the note as a
    // whole (saving, closing, export, clipboard and drag data, printing,
    // scripts) calls this first.
    virtual void commitPendingEdits() = 0;
    // Expands the item's closed ancestors and focuses its row in `list`
    // (selected alone with `exclusive`). False when it cannot be shown.
    virtual bool revealAndSelect(ListKind list, tidemark::ItemId item, bool exclusive) = 0;
    // Puts the keyboard focus into the memo list, bringing it into view
    // where it takes turns with the text pane.
    virtual void focusMemoList() = 0;
    // Opens the memo in the text pane and shows the pane.
    virtual void openInTextPane(tidemark::ItemId memo) = 0;

    // The status bar's first field shows `text` (a warning with its picture)
    // until the next refresh; it comes after the refresh that ends the
    // command running now.
    virtual void showStatusText(const QString& text, bool warning) = 0;
    // Recomputes the commands' states and the status bar.
    virtual void updateActions() = 0;
    // A long job runs on the GUI thread and dispatches events meanwhile
    // (sorting): while busy, the window's panes, bars and commands take no
    // input, but the window's own dialogs (the job's progress window) stay
    // usable. Ending it gives the keyboard focus back where it was. Calls
    // come in pairs; a job may run another inside it (a script that
    // prints), and the window stays busy until the outer one ends.
    virtual void setBusy(bool busy) = 0;
    // The parent of the feature's dialogs and message boxes.
    virtual QWidget* dialogParent() const = 0;
    // Where the feature registers the handlers of its commands.
    virtual CommandActions& actions() const = 0;
    // Opens a topic of the help note.
    virtual void openHelp(int topic) = 0;
    // Saves the settings (not in a resident process) after a feature changed
    // what it keeps there.
    virtual void saveSettings() = 0;
};
