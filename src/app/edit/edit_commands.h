#pragma once

#include <QObject>
#include <QPointer>

#include "app/edit/edit_focus.h"

class Application;
class CommandActions;
class ItemCommands;
class QLineEdit;
struct CommandState;

// The Edit menu's commands on whatever has the focus: undo and redo, cut,
// copy, paste, delete and select all act on the text pane or an edit field
// (the path box, a title being edited); in a memo list delete removes the
// selected items and select all selects every row. Moving items through
// the clipboard is not offered yet: in the lists cut, copy and the paste
// commands stay greyed.
class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(Application& app, ItemCommands& items, QObject* parent);
    void registerCommands(CommandActions& actions);

    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
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
    // The clipboard holds text an edit box can take.
    static bool clipboardHasText();
    // The edit states change with the selection and the clipboard, not
    // only with the focus: the toolbar buttons follow at the next turn of
    // the event loop.
    void scheduleUpdate();
    void watchField(QWidget* now);

    Application& m_app;
    ItemCommands& m_items;
    QPointer<QLineEdit> m_watchedField;
    bool m_updatePending = false;
};
