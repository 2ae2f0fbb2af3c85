#pragma once

#include <QAction>
#include <QHash>
#include <QList>
#include <QObject>
#include <functional>

#include "app/common/command_table.h"

namespace tidemark {
class KeyTable;
}

// What a command's state rule answers.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// One QAction per command of the table, named "command<id>", made once;
// menus, toolbars, key assignments and scripts all reach the commands
// through them. The Part that carries a command out registers its handler
// and its state rule; a command without a handler stays disabled.
// updateActions() applies every rule at once.
class CommandActions : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    using StateRule = std::function<CommandState()>;

    explicit CommandActions(QObject* parent = nullptr);

    // The action of a table command (also a numbered-range command once
    // added with addRangeAction); null for an unknown id.
    QAction* action(CommandId id) const;
    // A second face of a command with its own text (a drop-down menu entry,
    // a labelled toolbar button): triggering it runs the command, and it
    // follows the command's state.
    QAction* alias(CommandId id, const QString& text);
    // Gives a second face a new text of its own (the key text stays).
    void setAliasText(QAction* face, const QString& text);
    // An action for an entry of a numbered range (recent notes …), owned by
    // `owner`, enabled, running `handler`.
    QAction* addRangeAction(CommandId id, const QString& text, Handler handler, QObject* owner);

    void setHandler(CommandId id, Handler handler, StateRule rule = {});
    // The check mark of a command's second faces follows `rule` instead of
    // the command's own (a toolbar button standing for two settings); they
    // stay enabled with the command.
    void setAliasCheckRule(CommandId id, std::function<bool()> rule);
    bool hasHandler(CommandId id) const { return m_handlers.contains(id); }

    // Runs the command when it is enabled; false when it was ignored.
    bool dispatch(CommandId id);
    // Recomputes every command's enabled and checked state.
    void updateActions();
    // While busy every command is disabled, whatever its rule says, and is
    // ignored when dispatched; updateActions() applies the change.
    void setBusy(bool busy) { m_busy = busy; }
    bool isBusy() const { return m_busy; }
    // Binds the keys of the assignment table to the actions.
    void applyShortcuts(const tidemark::KeyTable& keys);
    // The keys the last applyShortcuts gave a numbered-range command (the
    // tool-menu places), whose actions come and go with their menus, and
    // the key's text as menus show it (empty without a key).
    QList<QKeySequence> rangeShortcuts(CommandId id) const { return m_rangeShortcuts.value(id); }
    QString rangeKeyText(CommandId id) const { return m_rangeKeyTexts.value(id); }

signals:
    // A command is about to run (the window refreshes its status text).
    void commandStarting(CommandId id);
    // A command ran (the window refreshes the states).
    void commandFinished(CommandId id);
    // applyShortcuts bound a key table: the holders of range actions give
    // them their keys again.
    void shortcutsApplied();

private:
    void applyState(CommandId id, const CommandState& state);

    QHash<CommandId, QAction*> m_actions;
    QHash<CommandId, QList<QAction*>> m_aliases;
    QHash<CommandId, Handler> m_handlers;
    QHash<CommandId, StateRule> m_rules;
    QHash<CommandId, std::function<bool()>> m_aliasChecks;
    QHash<CommandId, QList<QKeySequence>> m_rangeShortcuts;
    QHash<CommandId, QString> m_rangeKeyTexts;
    bool m_busy = false;
};
