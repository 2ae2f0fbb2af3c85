#pragma once

#include <QObject>
#include <QPointer>

#include "app/context/edit_focus.h"

class WindowContext;
class CommandActions;
class ItemClipboard;
class ItemCommands;
class QLineEdit;
struct CommandState;

// The Edit menu's commands on whatever has the focus: undo and redo, cut,
// copy, paste, delete and select all act on the text pane or an edit field
// (the path box, a title being edited); in a memo list cut, copy and the
// three pastes move items through the clipboard, delete removes the
// selected items and select all selects every row.
class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(WindowContext& context, ItemCommands& items, ItemClipboard& clipboard,
                 QObject* parent);
    void registerCommands(CommandActions& actions);

    void undo();
    void redo();
    void cut();
    void copy();
    // After the focused item (or into the focused edit box), before it, or
    // inside it (the lists only).
    void paste();
    void pasteBefore();
    void pasteInside();
    void deleteSelection();
    void selectAll();

private:
    EditFocus focus() const;
    bool readOnly() const;
    CommandState undoState() const;
    CommandState redoState() const;
    // Cut (`removes`) or copy: there is something selected to take.
    CommandState takeState(bool removes) const;
    CommandState deleteState() const;
    CommandState pasteState() const;
    CommandState listPasteState(int relation, int order) const;
    // The clipboard holds text an edit box can take (text of our own pending
    // cut counts as absent where the paste would go to a cut item).
    bool clipboardHasText() const;
    // The edit states change with the selection and the clipboard, not
    // only with the focus: the toolbar buttons follow at the next turn of
    // the event loop.
    void scheduleUpdate();
    void watchField(QWidget* now);

    WindowContext& m_context;
    ItemCommands& m_items;
    ItemClipboard& m_clipboard;
    QPointer<QLineEdit> m_watchedField;
    bool m_updatePending = false;
};
