#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <vector>

#include "app/common/command_table.h"
#include "app/frame/focus_order.h"
#include "app/frame/pane_layout.h"
#include "app/frame/toolbar_bands.h"
#include "core/model/item_id.h"

class Application;
class MainMenu;
enum class DragKind;
class PaneMenus;
class MainStatusBar;
class PaneArea;
class SessionEndRequest;
class ToolbarSet;
class ListPanes;

namespace tidemark {
struct RecentNoteMenuEntry;
}

// The main window: the bands of toolbars (the menu bar first), the panes,
// the status bar. It shows the Application's note and keeps the note's view
// state (placement, layout, splitter, flags) in step with what the user
// does to the window.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 630;
    static constexpr int kDefaultHeight = 460;

    explicit MainWindow(Application& app);
    ~MainWindow() override;

    PaneArea* panes() const { return m_panes; }
    MainStatusBar* status() const { return m_status; }
    ToolbarSet* toolbars() const { return m_toolbars; }
    MainMenu* mainMenu() const { return m_menu; }
    // The popup menus of the lists and of the text pane.
    PaneMenus* paneMenus() const { return m_paneMenus; }
    // What the memo list and the group list do: rows, focus, navigation.
    ListPanes* lists() const { return m_lists; }

    // Title and icons.
    void updateTitle();
    void setModifiedMark(bool modified);

    // The note in the window was replaced (loaded, or made new).
    void noteReplaced();
    // Applies the note's view state: placement and snapping, always on top,
    // column widths, colours, layout and splitter.
    void applyNoteView();
    // Shows the window as the note was left: maximised when it was, with
    // the sticky look where the setting and layout ask for it.
    void showForNote();
    void bringToFront();
    // Opens the item in the panes: a memo in the text pane.
    void showItem(tidemark::ItemId item);
    // Reveals and selects the item in the memo list (a group then lists its
    // children in the group list) and opens a memo; nothing for the root or
    // an item that is gone or lies in a group locked shut.
    void revealItem(tidemark::ItemId item);
    void storeColumnWidths();
    void readOnlyChanged();

    // Layouts and the looks of the window.
    PaneLayout layoutMode() const;
    void setLayoutMode(PaneLayout layout);
    bool isTitleBarHidden() const { return m_titleBarHidden; }
    void setTitleBarHidden(bool hidden);
    bool staysOnTop() const;
    void setStaysOnTop(bool onTop);
    bool isToolbarShown(BandId id) const;
    void setToolbarShown(BandId id, bool shown);
    void setStatusBarShown(bool shown);
    // Places the toolbars as the settings' band records say.
    void applyBands();
    // Reads the toolbars' order, widths and lines back into the settings.
    void readBackBands();
    // The hide-editor settings changed.
    void applyHideEditor();
    // The settings changed: a window that snaps to the screen's edges goes
    // to them now.
    void applySnapping() { snapAfterMove(); }

    // The Tab order between panes, from the one that last had the focus.
    void focusNextPane(bool forward);
    // False when the pane is out of sight.
    bool focusPane(FocusWindow pane);

    void setRecentNotes(const std::vector<tidemark::RecentNoteMenuEntry>& entries,
                        const std::function<void(CommandId)>& open);
    // The status bar's first field by what has the focus, the other two by
    // the focused item of the memo list.
    void refreshStatus();
    // While something is dragged over a list, what a drop there does (no
    // drag: the status text as usual).
    void showDragStatus(DragKind kind);
    // The recently opened memos of the View menu anew.
    void refreshRecentMemos();
    // Shows a memo of the recently opened ones: its row revealed and
    // selected, its text open.
    void jumpToMemo(tidemark::ItemId memo);
    // The desktop session is ending (the session manager's request to
    // commit data): asked as a close would be; cancelling asks the session
    // to go on. The window stays until the session really ends.
    void endSession(SessionEndRequest& session);
    // While busy the panes, the menu bar, the toolbars and the status bar
    // are disabled and the window does not close; its dialogs, windows of
    // their own, stay enabled. Ending it enables what it disabled and gives
    // the focus back to the widget that had it.
    void setBusy(bool busy);
    bool isBusy() const { return m_busy; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // What the window keeps for the next run when it goes: the toolbars'
    // bands into the settings, saved when they changed.
    void storeForNextRun();
    void applyBarsVisibility();
    void snapAfterMove();
    void workAreaChanged();
    void storePlacement();
    QRect workArea() const;

    Application& m_app;
    MainMenu* m_menu;
    PaneMenus* m_paneMenus;
    ToolbarSet* m_toolbars;
    PaneArea* m_panes;
    MainStatusBar* m_status;
    ListPanes* m_lists = nullptr;
    bool m_titleBarHidden = false;
    bool m_snapping = false;
    bool m_busy = false;
    QList<QPointer<QWidget>> m_disabledWhileBusy;
    QPointer<QWidget> m_focusBeforeBusy;
};
