#pragma once

#include <QObject>
#include <QString>

#include "core/model/item_id.h"

class CommandActions;
class MemoTextView;
class QLineEdit;
class WindowContext;

// The insertions of the text pane, inserting the date and time or a file
// name into the edit box that has the focus, and opening the link of the
// focused memo. Edit boxes are the text pane holding a memo, the path box
// and a title being edited in a list.
class TextCommands : public QObject {
    Q_OBJECT
public:
    TextCommands(WindowContext& context, MemoTextView& view, QObject* parent)
        : QObject(parent), m_context(context), m_view(view) {}
    void registerCommands(CommandActions& actions);

    void insertDateTime();
    // Asks for a file; nothing when the user cancels.
    void insertFileName();
    // Opens the link of the focused item (40075): that of the group list
    // when it is the list that last had the focus, else that of the memo list.
    void openLink();
    // Opens the link of `memo`: its first line or its remarks, whichever its
    // link flag names. Status texts tell what happened.
    void openLinkOf(tidemark::ItemId memo);

private:
    MemoTextView& view() const;
    tidemark::ItemId linkTarget() const;
    // The pane has the focus and holds a memo.
    bool textHasFocus() const;
    // The path box or a title edit box that has the focus; null otherwise.
    QLineEdit* focusedLineEdit() const;
    bool canInsert() const;
    // Into the text pane or the focused edit box, replacing the selection.
    void insertIntoFocus(const QString& text, QLineEdit* box, bool intoText);

    WindowContext& m_context;
    MemoTextView& m_view;
};

// Makes the text commands of a window's text pane (owned by the pane) and
// registers them with the window's actions.
void installTextCommands(WindowContext& context, MemoTextView& view);
