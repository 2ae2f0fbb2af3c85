#pragma once

#include <QList>
#include <QObject>
#include <functional>

class CommandActions;
class QAction;
class QMenu;
class QWidget;

namespace tidemark {
class ScriptStore;
}

// The registered scripts at the top of the tool menu: one entry per bound
// place, in place order, "&n  " and the name (place 10 shows 0, every "&"
// of the name shown as it is) and, when a key is assigned to the place's
// command, a tab and the key. A free place has no entry and its key does
// nothing.
class ToolMenu : public QObject {
    Q_OBJECT
public:
    // `shortcutHost` is the window whose keys reach the entries; `run` runs
    // the script of a place 1 to 10. Menu and host must outlive this object.
    ToolMenu(QMenu& menu, QWidget& shortcutHost, CommandActions& actions,
             std::function<void(int place)> run, QObject* parent = nullptr);

    // Replaces the entries by those of `store` and the keys of the last key
    // table applied.
    void rebuild(const tidemark::ScriptStore& store);
    QList<QAction*> entries() const { return m_entries; }

private:
    QMenu& m_menu;
    QWidget& m_host;
    CommandActions& m_actions;
    std::function<void(int)> m_run;
    QList<QAction*> m_entries;
};
