#include "app/frame/command_menu.h"

#include <QMenu>

#include "app/common/command_actions.h"

void fillMenu(QMenu* menu, CommandActions& actions, std::span<const int> ids) {
    for (int id : ids) {
        if (id == kMenuSeparator) {
            menu->addSeparator();
        } else if (QAction* action = actions.action(static_cast<tidemark::CommandId>(id))) {
            menu->addAction(action);
        }
    }
}
