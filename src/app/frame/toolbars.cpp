#include "app/frame/toolbars.h"

#include <QMenuBar>
#include <QToolButton>

#include "app/common/command_actions.h"
#include "app/common/ui_strings.h"
#include "app/frame/command_icons.h"
#include "app/frame/main_menu.h"
#include "app/frame/path_box.h"

namespace {

using namespace tidemark;

constexpr int kSeparator = 0;
// Labels of the simple toolbar's buttons, in button order.
constexpr std::uint32_t kSimpleLabelFirst = 15001;

}  // namespace

void keepInTheBand(QToolBar& bar) {
    bar.setAllowedAreas(Qt::TopToolBarArea);
    bar.setFloatable(false);
    bar.setMovable(true);
}

BandToolBar::BandToolBar(const QString& objectName, QWidget* parent) : QToolBar(parent) {
    setObjectName(objectName);
    keepInTheBand(*this);
}

void BandToolBar::setBandWidth(int width) {
    m_bandWidth = width;
    updateGeometry();
}

QSize BandToolBar::sizeHint() const {
    QSize hint = QToolBar::sizeHint();
    if (m_bandWidth > 0 && orientation() == Qt::Horizontal) {
        hint.setWidth(std::max(m_bandWidth, minimumSizeHint().width()));
    }
    return hint;
}

ToolbarSet::ToolbarSet(CommandActions& actions, MainMenu& menu, QWidget* parent)
    : QObject(parent), m_actions(actions), m_menu(menu) {
    for (const CommandInfo& info : commandTable()) {
        if (QAction* action = actions.action(info.id))
            action->setIcon(commandIcon(info.id));
    }

    m_menuBand = new QToolBar(parent);
    m_menuBand->setObjectName(QStringLiteral("menuBand"));
    keepInTheBand(*m_menuBand);
    m_menuBand->addWidget(menu.menuBar());

    BandToolBar* standard = makeToolbar(BandId::kStandard, "standardToolbar", 16);
    addButtons(standard, {kCmdOpenNote, kCmdSave, kCmdPrint, kSeparator, kCmdCut, kCmdCopy});
    addDropButton(standard, actions.action(kCmdPaste), DropDownMenu::kPaste);
    addButtons(standard, {kCmdDelete, kSeparator});
    addDropButton(standard, actions.action(kCmdFindNextDown), DropDownMenu::kFindDown);
    addDropButton(standard, actions.action(kCmdFindNextUp), DropDownMenu::kFindUp);
    addButtons(standard,
               {kSeparator, kCmdLayoutSideBySide, kCmdLayoutStacked, kCmdLayoutAlternate});

    BandToolBar* navigation = makeToolbar(BandId::kNavigation, "navigationToolbar", 16);
    addButtons(navigation, {kCmdSwitchPane, kCmdPreviousMemo, kCmdNextMemo, kCmdParentGroup});
    m_pathBox = new PathBox(navigation);
    navigation->addWidget(m_pathBox);

    BandToolBar* memo = makeToolbar(BandId::kMemo, "memoToolbar", 16);
    addDropButton(memo, actions.action(kCmdNewMemo), DropDownMenu::kMemoCreation);
    addDropButton(memo, actions.action(kCmdNewGroup), DropDownMenu::kGroupCreation);
    addButtons(memo, {kSeparator, kCmdLockGroup, kSeparator, kCmdSetRemarks, kCmdSetTextColour,
                      kCmdSetBackgroundColour, kCmdStrikeOut, kCmdWordWrap});
    // Checked when either link setting is on (its menu holds both).
    addDropButton(memo, actions.alias(kCmdRemarksIsLink, menuTextOf(kCmdRemarksIsLink)),
                  DropDownMenu::kLink);
    addButtons(memo, {kSeparator, kCmdCopyAttributes, kCmdApplyAttributes});

    // The simple toolbar: big pictures with their labels under them.
    BandToolBar* simple = makeToolbar(BandId::kSimple, "simpleToolbar", 32);
    simple->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    std::uint32_t label = kSimpleLabelFirst;
    auto face = [&](CommandId id) {
        const QString text = uiText(label++);
        QAction* action = actions.alias(id, text);
        // The label under the picture stays without the key the menus add.
        action->setIconText(text);
        action->setIcon(commandIcon(id));
        return action;
    };
    addDropButton(simple, face(kCmdNewMemo), DropDownMenu::kMemoCreation);
    addDropButton(simple, face(kCmdNewGroup), DropDownMenu::kGroupCreation);
    simple->addSeparator();
    simple->addAction(face(kCmdLockGroup));
    simple->addSeparator();
    simple->addAction(face(kCmdCut));
    simple->addAction(face(kCmdCopy));
    addDropButton(simple, face(kCmdPaste), DropDownMenu::kPaste);
    simple->addAction(face(kCmdDelete));
    simple->addSeparator();
    addDropButton(simple, face(kCmdFindNextDown), DropDownMenu::kFindDown);
    addDropButton(simple, face(kCmdFindNextUp), DropDownMenu::kFindUp);
}

BandToolBar* ToolbarSet::makeToolbar(BandId id, const char* name, int iconSize) {
    auto* bar = new BandToolBar(QString::fromLatin1(name), static_cast<QWidget*>(parent()));
    bar->setIconSize(QSize(iconSize, iconSize));
    m_toolbars.insert(id, bar);
    return bar;
}

void ToolbarSet::addButtons(QToolBar* bar, std::initializer_list<int> ids) {
    for (int id : ids) {
        if (id == kSeparator) {
            bar->addSeparator();
        } else {
            bar->addAction(m_actions.action(static_cast<CommandId>(id)));
        }
    }
}

void ToolbarSet::addDropButton(QToolBar* bar, QAction* action, int dropDown) {
    auto* button = new QToolButton(bar);
    button->setDefaultAction(action);
    button->setMenu(m_menu.dropDown(dropDown));
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->setToolButtonStyle(bar->toolButtonStyle());
    button->setIconSize(bar->iconSize());
    connect(bar, &QToolBar::toolButtonStyleChanged, button, &QToolButton::setToolButtonStyle);
    connect(bar, &QToolBar::iconSizeChanged, button, &QToolButton::setIconSize);
    bar->addWidget(button);
}
