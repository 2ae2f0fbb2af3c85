#pragma once

class MainWindow;
class MemoRowsView;
class MemoTextView;
class QLineEdit;

// What the edit commands (undo, cut, copy, paste, delete, select all,
// insertions) act on: the widget of the main window that has the keyboard
// focus, sorted into the four kinds the commands tell apart.
struct EditFocus {
    enum class Kind {
        kNone,   // anything else: the commands are greyed
        kField,  // the path box's edit field, or a title being edited in a list
        kList,   // a memo list (no title being edited)
        kText,   // the memo text pane holding a memo
    };
    Kind kind = Kind::kNone;
    QLineEdit* field = nullptr;
    MemoRowsView* list = nullptr;
    MemoTextView* text = nullptr;
};

// Where the keyboard focus of `window` is, for the edit commands.
EditFocus editFocusOf(const MainWindow& window);
