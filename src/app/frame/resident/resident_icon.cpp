#include "app/frame/resident/resident_icon.h"

#include <QApplication>
#include <QCursor>

#include "app/common/command_actions.h"
#include "app/common/ui_strings.h"
#include "app/frame/command_icons.h"
#include "app/frame/command_menu.h"
#include "app/frame/frame_texts.h"
#include "app/frame/recent_notes_menu.h"

namespace {

using namespace tidemark;

constexpr std::uint32_t kProductName = 10001;
// How often the desktop is looked at for a notification area that came
// (or came back).
constexpr int kAreaWatchMs = 2000;

}  // namespace

ResidentIcon::ResidentIcon(CommandActions& actions, QObject* parent)
    : QObject(parent), m_actions(actions) {
    m_icon.setIcon(programIcon(false));
    m_icon.setToolTip(uiText(kProductName));

    m_leftMenu.setObjectName(QStringLiteral("menu.149"));
    m_rightMenu.setObjectName(QStringLiteral("menu.150"));
    m_defaultNote = actions.alias(kCmdOpenDefaultNote, actions.action(kCmdOpenDefaultNote)->text());
    QFont bold = m_leftMenu.font();
    bold.setBold(true);
    m_defaultNote->setFont(bold);
    m_leftMenu.addAction(m_defaultNote);
    fillMenu(&m_leftMenu, actions,
             {kCmdChooseDefaultNote, kMenuSeparator, kCmdNewNote, kCmdNewFromTemplate, kCmdOpenNote,
              kMenuSeparator});
    m_leftMenu.addAction(actions.alias(kCmdExit, frameText("menu.149.40003")));

    fillMenu(&m_rightMenu, actions,
             {kCmdBringAllToFront, kCmdCloseAll, kMenuSeparator, kCmdHelp, kMenuSeparator});
    m_rightMenu.addAction(actions.alias(kCmdExit, frameText("menu.150.40003")));

    for (QMenu* menu : {&m_leftMenu, &m_rightMenu})
        connect(menu, &QMenu::aboutToShow, this, &ResidentIcon::menuAboutToShow);

    m_singleClick.setSingleShot(true);
    m_singleClick.setInterval(QApplication::doubleClickInterval());
    connect(&m_singleClick, &QTimer::timeout, this, [this] { popUp(m_leftMenu); });
    connect(&m_icon, &QSystemTrayIcon::activated, this, &ResidentIcon::clicked);

    m_areaWatch.setInterval(kAreaWatchMs);
    connect(&m_areaWatch, &QTimer::timeout, this, &ResidentIcon::watchNotificationArea);
}

ResidentIcon::~ResidentIcon() {
    m_icon.hide();
}

void ResidentIcon::show() {
    m_wanted = true;
    watchNotificationArea();
    m_areaWatch.start();
}

void ResidentIcon::watchNotificationArea() {
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available && !m_placed) {
        // Shown again from scratch: a notification area that was restarted
        // has forgotten the icon.
        m_icon.hide();
        m_icon.show();
        m_placed = true;
    } else if (!available && m_placed) {
        m_placed = false;
    }
}

void ResidentIcon::setDefaultNoteText(const QString& text) {
    m_actions.setAliasText(m_defaultNote, text.isEmpty() ? menuTextOf(kCmdOpenDefaultNote) : text);
}

void ResidentIcon::setRecentNotes(const std::vector<RecentNoteMenuEntry>& entries,
                                  const std::function<void(CommandId)>& open) {
    placeRecentNotes(m_leftMenu, m_actions, m_recentPlaced, entries, open);
}

bool ResidentIcon::dialogOpen() const {
    return QApplication::activeModalWidget() != nullptr;
}

void ResidentIcon::clicked(QSystemTrayIcon::ActivationReason reason) {
    if (dialogOpen()) {
        m_singleClick.stop();
        return;
    }
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            m_singleClick.start();
            break;
        case QSystemTrayIcon::DoubleClick:
            m_singleClick.stop();
            m_actions.dispatch(kCmdOpenDefaultNote);
            break;
        case QSystemTrayIcon::Context:
            m_singleClick.stop();
            popUp(m_rightMenu);
            break;
        default:
            break;
    }
}

void ResidentIcon::popUp(QMenu& menu) {
    if (dialogOpen())
        return;
    menu.popup(QCursor::pos());
    menu.activateWindow();
}
