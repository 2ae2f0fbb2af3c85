#include "app/frame/options_command.h"

#include "app/common/command_actions.h"
#include "app/frame/application.h"
#include "app/frame/file_commands.h"
#include "app/frame/main_window.h"
#include "app/options/display_page.h"
#include "app/options/file_page.h"
#include "app/options/input_page.h"
#include "app/options/key_page.h"
#include "app/options/memo_page.h"
#include "app/options/options_sheet.h"
#include "app/options/output_page.h"
#include "app/options/print_page.h"
#include "app/options/tools_page.h"
#include "core/settings/settings.h"

void runOptionsSheet(Application& app) {
    AppEnvironment& environment = app.environment();
    const int dpi = environment.fonts.ScreenDpi();
    const tidemark::Settings& current = app.settings();
    OptionsSheet sheet(app.window());
    sheet.addPage(new DisplayPage(current, dpi));
    sheet.addPage(new KeyPage(app.keyTable()));
    sheet.addPage(new FilePage(current));
    sheet.addPage(new MemoPage(current));
    sheet.addPage(new InputPage(current));
    sheet.addPage(new OutputPage(current));
    sheet.addPage(new PrintPage(current, dpi));
    sheet.addPage(new ToolsPage(current));
    sheet.setHelpOpener([&app](int topic) { app.fileCommands().startHelp(topic); });
    if (sheet.exec() != QDialog::Accepted)
        return;

    const tidemark::Settings before = app.settings();
    OptionsTarget target{app.settings(), app.keyTable(), environment.store, environment.fonts};
    sheet.applyPages(target);
    const tidemark::Settings& after = app.settings();
    tidemark::SettingsChanges changes;
    changes.BodyColumn = (before.HideBodyInList != 0) != (after.HideBodyInList != 0);
    changes.StickyAlternate = (before.StickyAlternate != 0) != (after.StickyAlternate != 0);
    app.ApplySettings(changes);
    if (target.keysChanged)
        app.actions().applyShortcuts(app.keyTable());
    app.saveSettings(target.applyNeeded);
}
