#pragma once

class QAbstractItemView;
class QLineEdit;
class QPlainTextEdit;

// What the edit commands (undo, cut, copy, paste, delete, select all,
// insertions) act on: the widget of the main window that has the keyboard
// focus, sorted into the four kinds the commands tell apart. The pointers
// are the window's own widgets, valid while the focus stays.
struct EditFocus {
    enum class Kind {
        kNone,   // anything else: the commands are greyed
        kField,  // the path box's edit field, or a title being edited in a list
        kList,   // a memo list (no title being edited)
        kText,   // the memo text pane holding a memo
    };
    Kind kind = Kind::kNone;
    QLineEdit* field = nullptr;
    QAbstractItemView* list = nullptr;
    QPlainTextEdit* text = nullptr;
};
