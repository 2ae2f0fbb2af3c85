#include "app/script/registered/registered_script_commands.h"

#include <QMenu>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/context/window_context.h"
#include "app/script/registered/tool_menu.h"
#include "app/script/script_commands.h"
#include "core/settings/command_ids.h"
#include "core/settings/script_store.h"

RegisteredScriptCommands* installRegisteredScripts(WindowContext& context, ScriptCommands& host,
                                                   tidemark::ScriptStore& store,
                                                   std::function<void()> save, QObject* owner) {
    auto* commands = new RegisteredScriptCommands(context, host, store, std::move(save), owner);
    commands->registerCommands(context.actions());
    return commands;
}

RegisteredScriptCommands::RegisteredScriptCommands(WindowContext& context, ScriptCommands& host,
                                                   tidemark::ScriptStore& store,
                                                   std::function<void()> save, QObject* parent)
    : QObject(parent),
      m_context(context),
      m_host(host),
      m_store(store),
      m_save(std::move(save)),
      m_services{context.files(), [&context](int topic) { context.openHelp(topic); }, true} {
    setObjectName(QStringLiteral("registeredScripts"));
}

RegisteredScriptCommands::~RegisteredScriptCommands() = default;

void RegisteredScriptCommands::registerCommands(CommandActions& actions) {
    actions.setHandler(tidemark::kCmdRegisterScripts, [this] { registerScripts(); });
    actions.setHandler(tidemark::kCmdRunScript, [this] { chooseAndRun(); });
}

void RegisteredScriptCommands::attachToolMenu(QMenu& menu, QWidget& shortcutHost) {
    delete m_toolMenu;
    m_toolMenu = new ToolMenu(
        menu, shortcutHost, m_context.actions(), [this](int place) { runPlace(place); }, this);
    connect(&m_context.actions(), &CommandActions::shortcutsApplied, this,
            &RegisteredScriptCommands::rebuildToolMenu, Qt::UniqueConnection);
    rebuildToolMenu();
}

void RegisteredScriptCommands::rebuildToolMenu() {
    if (m_toolMenu)
        m_toolMenu->rebuild(m_store);
}

void RegisteredScriptCommands::runEntry(tidemark::ScriptEntry entry) {
    // A copy: the store may be read again while the script runs.
    m_host.runScriptFile(toQString(entry.File), toQString(entry.Name));
}

void RegisteredScriptCommands::runPlace(int place) {
    if (m_context.actions().isBusy())
        return;
    if (const std::optional<std::size_t> index = m_store.EntryAtPlace(place))
        runEntry(m_store.At(*index));
}

void RegisteredScriptCommands::registerScripts() {
    ScriptListDialog dialog(ScriptListMode::kRegister, m_store, m_services,
                            m_context.dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_store = dialog.store();
    if (m_save)
        m_save();
}

void RegisteredScriptCommands::chooseAndRun() {
    ScriptListDialog dialog(ScriptListMode::kRun, m_store, m_services, m_context.dialogParent());
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen())
        return;
    runEntry(dialog.store().At(*dialog.chosen()));
}

bool RegisteredScriptCommands::chooseAndRunTemplate() {
    ScriptListDialog dialog(ScriptListMode::kChooseTemplate, m_store, m_services,
                            m_context.dialogParent());
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen())
        return false;
    runEntry(dialog.store().At(*dialog.chosen()));
    return true;
}
