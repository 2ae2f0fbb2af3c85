#include "app/frame/pane_menus.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "app/common/command_actions.h"

using namespace tidemark;

namespace {

TEST(PaneMenus, TheAlternateMenusNameThePaneTheSwitchLeadsTo) {
    QWidget window;
    CommandActions actions;
    int switched = 0;
    actions.setHandler(kCmdSwitchPane, [&switched] { ++switched; });
    actions.updateActions();
    PaneMenus menus(actions, &window);
    const struct {
        QMenu* menu;
        const char* text;
    } cases[] = {
        {menus.listMenu(true), "メモの本文を表示する(&H)"},
        {menus.textMenu(true), "メモ一覧を表示する(&H)"},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.menu->actions().isEmpty());
        QAction* first = c.menu->actions().first();
        EXPECT_EQ(first->text().section(u'\t', 0, 0), QString::fromUtf8(c.text));
        const int before = switched;
        first->trigger();
        EXPECT_EQ(switched, before + 1) << c.text;
    }
    // The split layouts' menus do not offer the switch.
    for (QMenu* menu : {menus.listMenu(false), menus.textMenu(false)}) {
        for (QAction* action : menu->actions())
            EXPECT_NE(action->data().toInt(), int(kCmdSwitchPane));
    }
}

}  // namespace
