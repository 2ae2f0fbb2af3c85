#include "app/frame/main_menu.h"

#include <QMenu>
#include <string>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/frame/command_menu.h"
#include "app/frame/frame_texts.h"
#include "app/frame/recent_notes_menu.h"
#include "core/settings/recent_notes.h"

namespace {

using namespace tidemark;

QString menuText(const char* key) {
    return frameText((std::string("menu.") + key).c_str());
}

constexpr int kSeparator = kMenuSeparator;

}  // namespace

MainMenu::MainMenu(CommandActions& actions, QWidget* parent)
    : QObject(parent), m_actions(actions), m_menuBar(new QMenuBar(parent)) {
    m_menuBar->setObjectName(QStringLiteral("mainMenu"));
    m_menuBar->setNativeMenuBar(false);

    m_file = addMenu(m_menuBar, "file");
    fill(m_file, {kCmdNewNote, kCmdNewFromTemplate, kCmdOpenNote, kCmdSave, kCmdSaveAs, kSeparator,
                  kCmdCreateShortcut, kSeparator, kCmdExportText, kCmdImportText, kCmdRescueNote,
                  kSeparator, kCmdPageSetup, kCmdPrint, kSeparator, kCmdExit});

    QMenu* edit = addMenu(m_menuBar, "edit");
    fill(edit, {kCmdUndo, kCmdRedo, kSeparator, kCmdCut, kCmdCopy});
    fillMenu(addMenu(edit, "paste"), m_actions, kPasteMenu);
    fill(edit, {kCmdDelete, kSeparator, kCmdSelectAll, kSeparator, kCmdSort, kSeparator,
                kCmdInsertFileName, kCmdInsertDateTime, kSeparator, kCmdFindDown, kCmdFindUp,
                kCmdFindNextDown, kCmdFindNextUp, kSeparator, kCmdReadOnly});

    m_view = addMenu(m_menuBar, "view");
    QMenu* toolbars = addMenu(m_view, "view.toolbars");
    fill(toolbars, {kCmdToggleStandardToolbar, kCmdToggleNavigationToolbar, kCmdToggleMemoToolbar,
                    kCmdToggleSimpleToolbar});
    fill(m_view, {kCmdToggleStatusBar, kSeparator, kCmdLayoutSideBySide, kCmdLayoutStacked,
                  kCmdLayoutAlternate, kSeparator, kCmdSwitchPane, kCmdToggleTitleBar,
                  kCmdStayOnTop, kSeparator, kCmdNoteTextColour, kCmdNoteBackgroundColour,
                  kCmdRemarksColumnName, kSeparator, kCmdOptions});

    QMenu* memo = addMenu(m_menuBar, "memo");
    fillMenu(addMenu(memo, "memo.create"), m_actions, kMemoCreationMenu);
    fillMenu(addMenu(memo, "memo.createGroup"), m_actions, kGroupCreationMenu);
    fill(memo, {kSeparator,
                kCmdEditTitle,
                kCmdOpenLink,
                kSeparator,
                kCmdParentGroup,
                kCmdPreviousMemo,
                kCmdNextMemo,
                kSeparator,
                kCmdLockGroup,
                kSeparator,
                kCmdSetRemarks,
                kCmdSetTextColour,
                kCmdSetBackgroundColour,
                kCmdStrikeOut,
                kCmdWordWrap,
                kCmdRemarksIsLink,
                kCmdFirstLineIsLink,
                kSeparator,
                kCmdCopyAttributes,
                kCmdApplyAttributes});

    m_tools = addMenu(m_menuBar, "tools");
    fill(m_tools, {kCmdRegisterScripts, kCmdRunScript, kCmdRunScriptFile});
    fill(addMenu(m_menuBar, "help"),
         {kCmdHelp, kCmdQuickStart, kCmdScriptHelp, kSeparator, kCmdAbout});

    addDropDown(DropDownMenu::kMemoCreation, kMemoCreationMenu);
    addDropDown(DropDownMenu::kGroupCreation, kGroupCreationMenu);
    addDropDown(DropDownMenu::kPaste, kPasteMenu);
    addDropDown(DropDownMenu::kLink,
                {kCmdFirstLineIsLink, kCmdRemarksIsLink, kSeparator, kCmdOpenLink});
    QMenu* findDown = addDropDown(DropDownMenu::kFindDown, {});
    findDown->addAction(m_actions.alias(kCmdFindDown, menuText("125.40062")));
    QMenu* findUp = addDropDown(DropDownMenu::kFindUp, {});
    findUp->addAction(m_actions.alias(kCmdFindUp, menuText("30003.40079")));
}

QMenu* MainMenu::addMenu(QWidget* parent, const char* key) {
    QMenu* menu = nullptr;
    if (auto* bar = qobject_cast<QMenuBar*>(parent)) {
        menu = bar->addMenu(menuText(key));
    } else {
        menu = static_cast<QMenu*>(parent)->addMenu(menuText(key));
    }
    menu->setObjectName(QStringLiteral("menu.%1").arg(QString::fromLatin1(key)));
    connect(menu, &QMenu::aboutToShow, this, &MainMenu::aboutToShowMenu);
    return menu;
}

void MainMenu::fill(QMenu* menu, std::initializer_list<int> ids) {
    fillMenu(menu, m_actions, ids);
}

QMenu* MainMenu::addDropDown(int number, std::span<const int> ids) {
    auto* menu = new QMenu(m_menuBar);
    menu->setObjectName(QStringLiteral("menu.%1").arg(number));
    fillMenu(menu, m_actions, ids);
    connect(menu, &QMenu::aboutToShow, this, &MainMenu::aboutToShowMenu);
    m_dropDowns.insert(number, menu);
    return menu;
}

void MainMenu::setRecentNotes(const std::vector<RecentNoteMenuEntry>& entries,
                              const std::function<void(CommandId)>& open) {
    placeRecentNotes(*m_file, m_actions, m_recentActions, entries, open);
}

void MainMenu::setRecentMemos(const std::vector<RecentMemoEntry>& entries,
                              const std::function<void(ItemId)>& jump) {
    for (QAction* old : m_recentMemoActions) {
        m_view->removeAction(old);
        old->deleteLater();
    }
    m_recentMemoActions.clear();
    if (entries.empty())
        return;
    m_recentMemoActions.append(m_view->addSeparator());
    CommandId id = kCmdRecentMemoFirst;
    for (const RecentMemoEntry& entry : entries) {
        const ItemId memo = entry.memo;
        QAction* action = m_actions.addRangeAction(
            id, entry.text, [jump, memo] { jump(memo); }, m_view);
        m_view->addAction(action);
        m_recentMemoActions.append(action);
        id = static_cast<CommandId>(id + 1);
    }
}
