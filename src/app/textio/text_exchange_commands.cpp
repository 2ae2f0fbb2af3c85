#include "app/textio/text_exchange_commands.h"

#include <QObject>

#include "app/common/command_actions.h"
#include "app/context/window_context.h"
#include "app/textio/dialog_import_prompts.h"
#include "app/textio/text_export_command.h"
#include "app/textio/text_import.h"
#include "app/textio/text_import_command.h"
#include "core/settings/command_ids.h"

namespace {

// Everything the window's text exchange commands need, living as long as the window.
class TextExchangeSet : public QObject {
public:
    TextExchangeSet(WindowContext& context, QObject* parent)
        : QObject(parent),
          prompts(context.dialogParent(), context.linkOpener()),
          importer(context.note(), context.settings(), context.selection(), context.views(),
                   prompts, context.files()),
          exportCommand(context),
          importCommand(context.note(), importer, context.dialogParent()) {}

    DialogImportPrompts prompts;
    TextImporter importer;
    TextExportCommand exportCommand;
    TextImportCommand importCommand;
};

}  // namespace

TextImporter& installTextExchangeCommands(WindowContext& context, QObject* owner) {
    CommandActions& actions = context.actions();
    auto* set = new TextExchangeSet(context, owner);
    actions.setHandler(tidemark::kCmdExportText, [set] { set->exportCommand.run(); });
    actions.setHandler(
        tidemark::kCmdImportText, [set] { set->importCommand.run(); },
        [set] { return CommandState{set->importCommand.enabled()}; });
    return set->importer;
}
