#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "app/script/registered/script_list_dialog.h"
#include "core/settings/script_store.h"

class CommandActions;
class QMenu;
class QWidget;
class ScriptCommands;
class ToolMenu;
class WindowContext;

// The registered scripts of a window: "スクリプトの登録(&E)..." (40097),
// "スクリプトの実行(&X)..." (40091), the tool-menu places (42001 to 42010)
// and the choice of a template for a new note. The store belongs to the
// shell; only OK of the register dialog changes it, and then `save` writes
// it and tells the other windows (the shell rebuilds the tool menu after
// every save and reload).
class RegisteredScriptCommands : public QObject {
    Q_OBJECT
public:
    RegisteredScriptCommands(WindowContext& context, ScriptCommands& host,
                             tidemark::ScriptStore& store, std::function<void()> save,
                             QObject* parent);
    ~RegisteredScriptCommands() override;

    void registerCommands(CommandActions& actions);
    // Puts the entries of the bound places at the top of `menu`, their keys
    // reaching them in `shortcutHost`; rebuilt whenever the key table is
    // applied again.
    void attachToolMenu(QMenu& menu, QWidget& shortcutHost);
    void rebuildToolMenu();
    ToolMenu* toolMenu() const { return m_toolMenu; }

    // Runs the script bound to place 1 to 10; nothing for a free place.
    void runPlace(int place);
    // The register dialog; OK keeps the edits and saves them.
    void registerScripts();
    // The run dialog, then the run of the script chosen.
    void chooseAndRun();
    // The template dialog, then the run of the template chosen on the
    // window's note; false when the choice was cancelled.
    bool chooseAndRunTemplate();

private:
    void runEntry(tidemark::ScriptEntry entry);

    WindowContext& m_context;
    ScriptCommands& m_host;
    tidemark::ScriptStore& m_store;
    std::function<void()> m_save;
    ScriptDialogServices m_services;
    ToolMenu* m_toolMenu = nullptr;
};

// Makes the registered-script commands of a window (owned by `owner`) and
// registers them with the window's actions.
RegisteredScriptCommands* installRegisteredScripts(WindowContext& context, ScriptCommands& host,
                                                   tidemark::ScriptStore& store,
                                                   std::function<void()> save, QObject* owner);
