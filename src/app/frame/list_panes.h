#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "app/context/focus_window.h"
#include "app/context/selection_source.h"
#include "app/list/list_status.h"
#include "core/model/item_id.h"

class Application;
class CommandActions;
class GroupContentList;
class ItemViewUpdater;
class ListNavigation;
class ListRowUpdates;
class MainWindow;
class MemoList;
class MemoTextView;
class QMenu;
class QComboBox;
class TitleRenaming;

namespace tidemark {
class LockDialogs;
class Note;
}  // namespace tidemark

// The memo list and the group list of a main window at work, with the text
// pane and the path box they drive: which pane is the focus window, what
// focusing an item opens, the popup menus, the path box and the status of
// the selection. Its parts do the rest: moving through the tree
// (ListNavigation), titles changed in place (TitleRenaming) and the rows
// following each change (ListRowUpdates, the item commands' view of the
// panes). The item commands ask it about the selection (SelectionSource).
// Lives as long as the window and its panes.
class ListPanes : public QObject, public SelectionSource {
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

    ListNavigation& navigation() const { return *m_navigation; }
    TitleRenaming& renaming() const { return *m_renaming; }
    ItemViewUpdater& rowUpdates() const;

    // Shorthands of the parts' work (see ListNavigation, ListRowUpdates).
    bool toggleExpansion(tidemark::ItemId group);
    bool revealAndSelect(tidemark::ItemId item, bool exclusive);
    bool revealInGroupList(tidemark::ItemId item, bool exclusive);
    // Stores every pending edit of the window: title edit boxes, the path
    // box, the text pane.
    void commitEdits();

    FocusWindow focusWindow() const { return m_focusWindow; }
    ListStatus status() const;
    // The small picture of the status bar's first field.
    static QIcon statusPicture(ListStatus::Picture picture);
    // The path box anew for the memo list's focused item.
    void refreshPathBox();

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
    friend class ListPanesPart;

    tidemark::Note& note() const;
    bool alternateLayout() const;
    bool readOnly() const;
    void registerCommands(CommandActions& actions);
    void memoListFocusChanged(tidemark::ItemId item);
    void focusChanged(QWidget* now);
    // Opens the memo in the text pane, or closes the one it holds (its text
    // stored); the rows' pictures follow.
    void showMemo(tidemark::ItemId memo);
    void closeMemo();
    // The row pictures follow the memo the text pane holds.
    void syncOpenMemo();
    void stateImageClicked(bool inMemoList, tidemark::ItemId item, int stateImage);
    void showPopup(bool memoList, const QPoint& globalPos);
    void columnClicked(int column);
    // The commands' states and the status bar at the next turn of the loop.
    void scheduleStatus();

    Application& m_app;
    MainWindow& m_window;
    MemoList& m_memoList;
    GroupContentList& m_groupList;
    MemoTextView& m_text;
    QComboBox& m_pathBox;
    std::unique_ptr<tidemark::LockDialogs> m_lockDialogs;
    std::unique_ptr<ListNavigation> m_navigation;
    std::unique_ptr<TitleRenaming> m_renaming;
    std::unique_ptr<ListRowUpdates> m_rowUpdates;
    FocusWindow m_focusWindow = FocusWindow::kMemoList;
    bool m_statusPending = false;
};
