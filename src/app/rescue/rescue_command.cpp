#include "app/rescue/rescue_command.h"

#include "app/common/command_actions.h"
#include "app/context/window_context.h"
#include "app/rescue/rescue_wizard.h"
#include "core/settings/command_ids.h"

void runRescueWizard(tidemark::FileSystem& files, QWidget* owner) {
    RescueWizard wizard(files, owner);
    wizard.exec();
}

void installRescueCommand(WindowContext& context) {
    context.actions().setHandler(tidemark::kCmdRescueNote, [&context] {
        runRescueWizard(context.files(), context.dialogParent());
    });
}
