#include "app/frame/shortcuts/shortcut_commands.h"

#include <QCoreApplication>

#include "app/common/help_topics.h"
#include "app/common/message_box.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/file_commands.h"
#include "app/frame/main_window.h"
#include "app/frame/shortcuts/shortcut_dialog.h"
#include "app/frame/shortcuts/shortcut_offer.h"
#include "core/settings/settings.h"

namespace {
constexpr std::uint32_t kSaveFirst = 20015;
}  // namespace

ShortcutCommands::ShortcutCommands(Application& app) : m_app(app) {}

void ShortcutCommands::createShortcut() {
    if (m_app.notePath().isEmpty()) {
        showMessage(m_app.window(), MessageKind::kError, uiText(kSaveFirst));
        // Not offered again after this save: the user is making one already.
        m_app.fileCommands().saveAs(false);
        if (m_app.notePath().isEmpty())
            return;
    }
    ShortcutDialog dialog(m_app.notePath(), QCoreApplication::applicationFilePath(), m_lastPlace,
                          m_app.window());
    dialog.setHelpAvailable(!m_app.isHelpNote());
    QObject::connect(&dialog, &ShortcutDialog::helpRequested,
                     [this] { m_app.fileCommands().startHelp(HelpTopic::kShortcut); });
    if (dialog.exec() == QDialog::Accepted)
        m_lastPlace = dialog.place();
}

void ShortcutCommands::offerAfterSave() {
    if (m_app.settings().NoShortcutOffer != 0)
        return;
    const ShortcutOfferAnswer answer = askShortcutOffer(m_app.window());
    if (!answer.offerAgain) {
        m_app.settings().NoShortcutOffer = 1;
        // Nothing on screen depends on the flag: the others only read it again.
        m_app.saveSettings(false);
    }
    if (answer.create)
        createShortcut();
}
