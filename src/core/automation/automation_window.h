#pragma once

#include <string>
#include <vector>

#include "core/model/item_id.h"

namespace tidemark {

class Note;
class NoteHost;

// What the automation objects need from a main window for its own note.
// The window implements it; the GUI-only parts of scripting (dialogs,
// printing) are not here. Called on the thread that runs the members, while
// the window leaves its note alone (see WindowAutomation).
class AutomationWindow {
public:
    virtual ~AutomationWindow() = default;
    // The note the window holds now; after the window made or opened another
    // note, objects of the old one answer as deleted.
    virtual Note& WindowNote() = 0;
    // Told of every change a member makes (SetModified(true, true)).
    virtual NoteHost& WindowHost() = 0;
    virtual bool IsReadOnly() const = 0;
    // The window's current note file (UTF-8), "" when it has none.
    virtual std::string FilePath() const = 0;
};

// What a script sees of the window as it starts: the selection of the memo
// list in list order, its focused item, and the text selected in the memo
// text pane (UTF-8; "" unless the pane had the focus).
struct RunSnapshot {
    std::vector<ItemId> selected;
    ItemId focused = kNoItem;
    std::string selectedText;
};

}  // namespace tidemark
