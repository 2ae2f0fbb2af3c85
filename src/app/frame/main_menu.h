#pragma once

#include <QHash>
#include <QList>
#include <QMenuBar>
#include <functional>
#include <initializer_list>
#include <span>
#include <vector>

#include "app/common/command_table.h"
#include "app/frame/recent_memo_menu.h"

class CommandActions;
class QMenu;

namespace tidemark {
struct RecentNoteMenuEntry;
}

// The numbers of the drop-down menus of the toolbar buttons.
namespace DropDownMenu {
inline constexpr int kMemoCreation = 120;
inline constexpr int kGroupCreation = 121;
inline constexpr int kPaste = 123;
inline constexpr int kFindDown = 125;
inline constexpr int kLink = 139;
inline constexpr int kFindUp = 30003;
}  // namespace DropDownMenu

// The main menu (File, Edit, View, Memo, Tools, Help) and the drop-down
// menus of the toolbar buttons, built once from the command actions.
class MainMenu : public QObject {
    Q_OBJECT
public:
    MainMenu(CommandActions& actions, QWidget* parent);

    QMenuBar* menuBar() const { return m_menuBar; }
    QMenu* fileMenu() const { return m_file; }
    QMenu* viewMenu() const { return m_view; }
    // The fifth menu, whose top holds the registered scripts' places.
    QMenu* toolMenu() const { return m_tools; }
    // A drop-down menu by its number (DropDownMenu); null for another number.
    QMenu* dropDown(int number) const { return m_dropDowns.value(number); }

    // Replaces the recent-note entries of the File menu, which sit above the
    // separator before its last item, under a separator of their own.
    void setRecentNotes(const std::vector<tidemark::RecentNoteMenuEntry>& entries,
                        const std::function<void(CommandId)>& open);
    QList<QAction*> recentNoteActions() const { return m_recentActions; }
    // Replaces the recently opened memos at the end of the View menu, under
    // a separator of their own (none when there are none).
    void setRecentMemos(const std::vector<RecentMemoEntry>& entries,
                        const std::function<void(tidemark::ItemId)>& jump);
    QList<QAction*> recentMemoActions() const { return m_recentMemoActions; }

signals:
    // A menu is about to open: the window refreshes the states.
    void aboutToShowMenu();

private:
    QMenu* addMenu(QWidget* parent, const char* key);
    void fill(QMenu* menu, std::initializer_list<int> ids);
    QMenu* addDropDown(int number, std::span<const int> ids);
    QMenu* addDropDown(int number, std::initializer_list<int> ids) {
        return addDropDown(number, std::span<const int>(ids.begin(), ids.size()));
    }

    CommandActions& m_actions;
    QMenuBar* m_menuBar;
    QMenu* m_file = nullptr;
    QMenu* m_view = nullptr;
    QMenu* m_tools = nullptr;
    QHash<int, QMenu*> m_dropDowns;
    QList<QAction*> m_recentActions;      // the entries and the separator above them
    QList<QAction*> m_recentMemoActions;  // likewise
};
