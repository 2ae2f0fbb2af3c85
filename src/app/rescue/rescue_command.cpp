#include "app/rescue/rescue_command.h"

#include "app/frame/application.h"
#include "app/frame/command_actions.h"
#include "app/frame/main_window.h"
#include "app/rescue/rescue_wizard.h"
#include "core/settings/command_ids.h"

void runRescueWizard(tidemark::FileSystem& files, QWidget* owner) {
    RescueWizard wizard(files, owner);
    wizard.exec();
}

void installRescueCommand(Application& app, CommandActions& actions) {
    actions.setHandler(tidemark::kCmdRescueNote,
                       [&app] { runRescueWizard(app.environment().files, app.window()); });
}
