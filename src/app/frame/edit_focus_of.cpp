#include "app/frame/edit_focus_of.h"

#include <QComboBox>
#include <QLineEdit>

#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/list/group_content_list.h"
#include "app/list/memo_list.h"
#include "app/text/memo_text_view.h"

EditFocus editFocusOf(const MainWindow& window) {
    EditFocus focus;
    // The window's own focus widget, not the application's: while one of
    // the window's dialogs is open, and after it closed until the window is
    // active again, the focus the window gives back is what the commands
    // act on.
    QWidget* widget = window.focusWidget();
    if (!widget || !window.isAncestorOf(widget))
        return focus;
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        focus.kind = EditFocus::Kind::kField;
        focus.field = field;
        return focus;
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit()) {
        focus.kind = EditFocus::Kind::kField;
        focus.field = combo->lineEdit();
        return focus;
    }
    const PaneArea& panes = *window.panes();
    MemoTextView* text = panes.memoText();
    if (widget == text || text->isAncestorOf(widget)) {
        if (text->holdsMemo()) {
            focus.kind = EditFocus::Kind::kText;
            focus.text = text;
        }
        return focus;
    }
    for (MemoRowsView* list : {static_cast<MemoRowsView*>(panes.memoList()),
                               static_cast<MemoRowsView*>(panes.groupList())}) {
        if (widget == list || list->isAncestorOf(widget)) {
            focus.kind = EditFocus::Kind::kList;
            focus.list = list;
            return focus;
        }
    }
    return focus;
}
