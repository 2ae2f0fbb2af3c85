#include "app/frame/pane_menus.h"

#include <QByteArray>
#include <QMenu>

#include "app/common/command_actions.h"
#include "app/frame/command_menu.h"
#include "app/frame/frame_texts.h"

using namespace tidemark;

namespace {

constexpr int kSeparator = kMenuSeparator;

}  // namespace

PaneMenus::PaneMenus(CommandActions& actions, QWidget* parent)
    : QObject(parent), m_actions(actions), m_parent(parent) {}

QMenu* PaneMenus::make(const char* name, bool alternateLayout) {
    auto* menu = new QMenu(m_parent);
    menu->setObjectName(QString::fromLatin1(name));
    if (alternateLayout) {
        // Switching the pane is named after the pane it leads to.
        const QByteArray switchText = QByteArray(name) + ".40022";
        menu->addAction(m_actions.alias(kCmdSwitchPane, frameText(switchText.constData())));
        fillMenu(menu, m_actions, {kCmdToggleTitleBar, kCmdExit});
    }
    return menu;
}

QMenu* PaneMenus::listMenu(bool alternateLayout) {
    QMenu*& menu = alternateLayout ? m_alternateList : m_list;
    if (menu)
        return menu;
    menu = make(alternateLayout ? "menu.147" : "menu.122", alternateLayout);
    fillMenu(menu->addMenu(frameText("menu.memo.create")), m_actions, kMemoCreationMenu);
    fillMenu(menu->addMenu(frameText("menu.memo.createGroup")), m_actions, kGroupCreationMenu);
    fillMenu(menu, m_actions,
             {kSeparator, kCmdEditTitle, kCmdOpenLink, kSeparator, kCmdCut, kCmdCopy});
    fillMenu(menu->addMenu(frameText("menu.paste")), m_actions, kPasteMenu);
    fillMenu(menu, m_actions,
             {kCmdDelete, kSeparator, kCmdLockGroup, kSeparator, kCmdSetRemarks, kCmdSetTextColour,
              kCmdSetBackgroundColour, kCmdStrikeOut, kSeparator, kCmdSort});
    return menu;
}

QMenu* PaneMenus::textMenu(bool alternateLayout) {
    QMenu*& menu = alternateLayout ? m_alternateText : m_text;
    if (menu)
        return menu;
    menu = make(alternateLayout ? "menu.148" : "menu.146", alternateLayout);
    if (alternateLayout)
        menu->addSeparator();
    fillMenu(menu, m_actions,
             {kCmdUndo,      kCmdRedo,       kSeparator,          kCmdCut,
              kCmdCopy,      kCmdPaste,      kCmdDelete,          kSeparator,
              kCmdSelectAll, kSeparator,     kCmdInsertDateTime,  kCmdInsertFileName,
              kSeparator,    kCmdOpenLink,   kCmdFirstLineIsLink, kCmdWordWrap,
              kSeparator,    kCmdSetRemarks, kCmdSetTextColour,   kCmdSetBackgroundColour,
              kCmdStrikeOut});
    return menu;
}
