#pragma once

#include <QList>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>
#include <vector>

#include "app/common/command_table.h"

class CommandActions;
class QAction;

namespace tidemark {
struct RecentNoteMenuEntry;
}

// The resident process's icon in the desktop's notification area and its
// two menus: the left-button menu (the default note first, in bold, then
// new and open, the recent notes, and the end of the resident process) and
// the right-button menu (the commands for every window, help, the end).
// A left click shows the left menu, a double click opens the default note,
// a right click shows the right menu; while a dialog opened from the icon
// is up, clicks do nothing.
//
// When the desktop has no notification area yet, the process runs on
// without an icon and shows it as soon as one appears; a notification area
// that is restarted gets the icon again.
class ResidentIcon : public QObject {
    Q_OBJECT
public:
    explicit ResidentIcon(CommandActions& actions, QObject* parent = nullptr);
    ~ResidentIcon() override;

    // Puts the icon into the notification area (now, or when there is one).
    void show();
    // Whether the icon is in a notification area now.
    bool isInNotificationArea() const { return m_placed; }

    // The default-note entry shows `text` (the command's own text when empty).
    void setDefaultNoteText(const QString& text);
    void setRecentNotes(const std::vector<tidemark::RecentNoteMenuEntry>& entries,
                        const std::function<void(CommandId)>& open);

    QMenu* leftMenu() { return &m_leftMenu; }
    QMenu* rightMenu() { return &m_rightMenu; }
    QSystemTrayIcon* trayIcon() { return &m_icon; }

    // What a click on the icon does (the notification area reports them).
    void clicked(QSystemTrayIcon::ActivationReason reason);

signals:
    // A menu of the icon is shown (the command states are refreshed first).
    void menuAboutToShow();

private:
    bool dialogOpen() const;
    void popUp(QMenu& menu);
    void watchNotificationArea();

    CommandActions& m_actions;
    QSystemTrayIcon m_icon;
    QMenu m_leftMenu;
    QMenu m_rightMenu;
    QAction* m_defaultNote = nullptr;
    QList<QAction*> m_recentPlaced;
    // A single click waits until it cannot be the first of a double click.
    QTimer m_singleClick;
    QTimer m_areaWatch;
    bool m_wanted = false;
    bool m_placed = false;
};
