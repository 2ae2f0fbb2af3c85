#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "app/context/focus_window.h"
#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "app/list/list_status.h"
#include "core/model/item_id.h"

class Application;
class CommandActions;
class GroupContentList;
class MainWindow;
class MemoList;
class MemoTextView;
class QMenu;
class QComboBox;

namespace tidemark {
class LockDialogs;
class Note;
}  // namespace tidemark

// The memo list and the group list of a main window at work: what focusing,
// activating, expanding and navigating do to the note and the other panes,
// titles edited in place, the popup menus, the path box and the status
// texts of the selection. The item commands reach the rows through it
// (ItemViewUpdater) and ask it about the selection (SelectionSource).
// Lives as long as the window and its panes.
class ListPanes : public QObject, public ItemViewUpdater, public SelectionSource {
    Q_OBJECT
public:
    ListPanes(Application& app, MainWindow& window);
    ~ListPanes() override;

    // The note in the window was replaced (or is shown for the first time):
    // both lists are filled anew.
    void noteReplaced();
    // The list settings (body column, grid lines, hover preview, font).
    void applySettings();

    // Rows of the whole tree anew (the hint rows for a note without items);
    // the focus, unselected, on the first row when none had it.
    void refillMemoList();
    // Rows of the children of the memo list's focused group anew.
    void refillGroupList();
    // The hint rows end (the first command, a key or click in the list).
    void endHintRows();

    // Opens or closes a memo group (asking for a locked group's password);
    // false when nothing changed.
    bool toggleExpansion(tidemark::ItemId group);
    // Expands the item's collapsed ancestors and puts the memo list's focus
    // on its row (selected alone with `exclusive`). False when the item lies
    // in a group locked shut, or an ancestor stayed closed.
    bool revealAndSelect(tidemark::ItemId item, bool exclusive);
    // The same in the group list: the item's group revealed and focused in
    // the memo list first when the group list does not show the item.
    bool revealInGroupList(tidemark::ItemId item, bool exclusive);
    // Enter or a double click in the memo list, or in the group list.
    void activateInMemoList(bool byKey = false);
    void activateInGroupList();
    // The navigation commands.
    void previousMemo() { stepToMemo(false); }
    void nextMemo() { stepToMemo(true); }
    void upOneGroup();
    void editTitle();

    FocusWindow focusWindow() const { return m_focusWindow; }
    ListStatus status() const;
    // The small picture of the status bar's first field.
    static QIcon statusPicture(ListStatus::Picture picture);
    // The path box anew for the memo list's focused item.
    void refreshPathBox();

    // ItemViewUpdater
    void commitEdits() override;
    tidemark::ItemId openMemo() const override;
    void closeOpenMemo() override;
    void itemInserted(tidemark::ItemId item) override;
    void itemChanged(tidemark::ItemId item, bool subtree = false) override;
    void itemRemoving(tidemark::ItemId item) override;
    void childrenReordered(tidemark::ItemId group) override;
    void afterRemoval() override;
    void beginEditingNew(tidemark::ItemId item, bool bodyFirst) override;
    void memoPaneChanged() override;
    void noteViewChanged() override;

    // SelectionSource
    tidemark::ItemId memoListFocused() const override;
    bool groupListIsFocusWindow() const override;
    tidemark::ItemId groupListFocused() const override;
    std::vector<tidemark::ItemId> selectedItems() const override;
    std::vector<tidemark::ItemId> targets() const override;

    // The questions of the lock commands (password dialog, messages).
    tidemark::LockDialogs& lockDialogs() const { return *m_lockDialogs; }
    // The popup menu of a list (122, or 147 for the memo list in the
    // alternate layout).
    QMenu* popupMenu(bool memoList);

signals:
    // A click on a column caption: sort by that column's key (1 to 4).
    void sortRequested(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    tidemark::Note& note() const;
    bool alternateLayout() const;
    bool readOnly() const;
    void registerCommands(CommandActions& actions);
    void memoListFocusChanged(tidemark::ItemId item);
    void focusChanged(QWidget* now);
    void showMemo(tidemark::ItemId memo);
    void closeMemo();
    // The row pictures follow the memo the text pane holds.
    void syncOpenMemo();
    void applyTitle(tidemark::ItemId item, const QString& text);
    // The path box's field was left or confirmed: a changed text renames the
    // memo list's focused item (not while read-only); otherwise the field
    // shows the title again.
    void pathBoxEdited();
    void sidewaysKey(bool right);
    void stateImageClicked(bool inMemoList, tidemark::ItemId item, int stateImage);
    void showPopup(bool memoList, const QPoint& globalPos);
    void columnClicked(int column);
    void scheduleStatus();
    void stepToMemo(bool forward);
    // The memo the previous or next memo command goes to; 0 when none.
    tidemark::ItemId memoStep(bool forward) const;

    Application& m_app;
    MainWindow& m_window;
    MemoList& m_memoList;
    GroupContentList& m_groupList;
    MemoTextView& m_text;
    QComboBox& m_pathBox;
    std::unique_ptr<tidemark::LockDialogs> m_lockDialogs;
    FocusWindow m_focusWindow = FocusWindow::kMemoList;
    bool m_statusPending = false;
};
