#include "app/script/registered/tool_menu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "core/settings/command_ids.h"
#include "core/settings/menu_entry_text.h"
#include "core/settings/script_store.h"

ToolMenu::ToolMenu(QMenu& menu, QWidget& shortcutHost, CommandActions& actions,
                   std::function<void(int place)> run, QObject* parent)
    : QObject(parent),
      m_menu(menu),
      m_host(shortcutHost),
      m_actions(actions),
      m_run(std::move(run)) {}

void ToolMenu::rebuild(const tidemark::ScriptStore& store) {
    for (QAction* old : m_entries) {
        m_menu.removeAction(old);
        m_host.removeAction(old);
        // Later: the store may be read again while an entry's script runs.
        old->deleteLater();
    }
    m_entries.clear();

    QAction* before = m_menu.actions().isEmpty() ? nullptr : m_menu.actions().first();
    for (int place = 1; place <= tidemark::ScriptStore::kPlaceCount; ++place) {
        const std::optional<std::size_t> index = store.EntryAtPlace(place);
        if (!index)
            continue;
        const CommandId id = tidemark::ToolMenuCommand(place);
        QString text =
            toQString(tidemark::NumberedMenuEntryText(place, store.At(*index).Name.View()));
        if (const QString key = m_actions.rangeKeyText(id); !key.isEmpty())
            text += u'\t' + key;
        const std::function<void(int)> run = m_run;
        QAction* action = m_actions.addRangeAction(
            id, text, [run, place] { run(place); }, this);
        action->setShortcuts(m_actions.rangeShortcuts(id));
        m_menu.insertAction(before, action);
        m_host.addAction(action);
        m_entries.append(action);
    }
}
