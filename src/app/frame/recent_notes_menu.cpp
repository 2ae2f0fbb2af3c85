#include "app/frame/recent_notes_menu.h"

#include <QAction>
#include <QMenu>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "core/settings/recent_notes.h"

void placeRecentNotes(QMenu& menu, CommandActions& actions, QList<QAction*>& placed,
                      const std::vector<tidemark::RecentNoteMenuEntry>& entries,
                      const std::function<void(CommandId)>& open) {
    for (QAction* old : placed) {
        menu.removeAction(old);
        old->deleteLater();
    }
    placed.clear();
    if (entries.empty())
        return;

    const QList<QAction*> items = menu.actions();
    QAction* before = items.size() >= 2 ? items[items.size() - 2] : nullptr;
    const bool separatorAbove = items.size() >= 3 && items[items.size() - 3]->isSeparator();
    if (!separatorAbove) {
        auto* separator = new QAction(&menu);
        separator->setSeparator(true);
        menu.insertAction(before, separator);
        placed.append(separator);
    }
    for (const tidemark::RecentNoteMenuEntry& entry : entries) {
        // The entry text holds the note path as stored (the platform's own bytes).
        const QString text = pathFromBytes(entry.Text);
        const CommandId id = entry.Command;
        QAction* action = actions.addRangeAction(
            id, text, [open, id] { open(id); }, &menu);
        menu.insertAction(before, action);
        placed.append(action);
    }
}
