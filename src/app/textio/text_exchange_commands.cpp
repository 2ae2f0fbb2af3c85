#include "app/textio/text_exchange_commands.h"

#include <QObject>

#include "app/frame/application.h"
#include "app/frame/command_actions.h"
#include "app/frame/main_window.h"
#include "app/frame/note_file_service.h"
#include "app/frame/pane_area.h"
#include "app/text/link_opener.h"
#include "app/text/memo_text_view.h"
#include "app/textio/dialog_import_prompts.h"
#include "app/textio/text_export_command.h"
#include "app/textio/text_import.h"
#include "app/textio/text_import_command.h"
#include "core/settings/command_ids.h"

namespace {

// Opens files the way the text pane opens links (tests replace its opener);
// the desktop's way when there is no window.
class PaneLinkOpener : public LinkOpener {
public:
    explicit PaneLinkOpener(Application& app) : m_app(app) {}
    bool openLink(const QString& target) override {
        MainWindow* window = m_app.window();
        if (window && window->panes() && window->panes()->memoText())
            return window->panes()->memoText()->linkOpener().openLink(target);
        return m_desktop.openLink(target);
    }

private:
    Application& m_app;
    DesktopLinkOpener m_desktop;
};

// Everything the window's text exchange commands need, living as long as the window.
class TextExchangeSet : public QObject {
public:
    TextExchangeSet(Application& app, SelectionSource& selection, ItemViewUpdater& views,
                    QObject* parent)
        : QObject(parent),
          opener(app),
          prompts(app.window(), opener),
          importer(app.note(), app.settings(), selection, views, prompts, app.noteFiles().files()),
          exportCommand(app, views),
          importCommand(app.note(), importer, app.window()) {}

    PaneLinkOpener opener;
    DialogImportPrompts prompts;
    TextImporter importer;
    TextExportCommand exportCommand;
    TextImportCommand importCommand;
};

}  // namespace

TextImporter& installTextExchangeCommands(Application& app, CommandActions& actions,
                                          SelectionSource& selection, ItemViewUpdater& views) {
    QObject* owner = app.window() ? static_cast<QObject*>(app.window()) : &app;
    auto* set = new TextExchangeSet(app, selection, views, owner);
    actions.setHandler(tidemark::kCmdExportText, [set] { set->exportCommand.run(); });
    actions.setHandler(
        tidemark::kCmdImportText, [set] { set->importCommand.run(); },
        [set] { return CommandState{set->importCommand.enabled()}; });
    return set->importer;
}
