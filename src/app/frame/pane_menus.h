#pragma once

#include <QObject>

class CommandActions;
class QMenu;
class QWidget;

// The popup menus of the panes, made on first use from the command actions
// and kept: 122 for the memo lists and 146 for the memo text in the split
// layouts, 147 and 148 in the alternate layout, which put switching the
// pane, the title bar and leaving the program first.
class PaneMenus : public QObject {
    Q_OBJECT
public:
    PaneMenus(CommandActions& actions, QWidget* parent);

    QMenu* listMenu(bool alternateLayout);
    QMenu* textMenu(bool alternateLayout);

private:
    QMenu* make(const char* name, bool alternateLayout);

    CommandActions& m_actions;
    QWidget* m_parent;
    QMenu* m_list = nullptr;           // 122
    QMenu* m_alternateList = nullptr;  // 147
    QMenu* m_text = nullptr;           // 146
    QMenu* m_alternateText = nullptr;  // 148
};
