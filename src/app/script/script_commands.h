#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "app/script/script_engines.h"
#include "app/script/script_run.h"
#include "core/model/item_id.h"

class CommandActions;
class WindowContext;

namespace tidemark {
class FolderServices;
class WindowAutomation;
}  // namespace tidemark

// The window's script host: runs a script file against the window's note.
// The command "スクリプトファイルを指定して実行(&R)..." (40096) asks for the
// file first. After a run the window shows the note as the script left it.
class ScriptCommands : public QObject {
    Q_OBJECT
public:
    // `printer` serves the scripts' TMScript.Print.
    ScriptCommands(WindowContext& context, ScriptTextPrinter printer, QObject* parent);
    ~ScriptCommands() override;

    void registerCommands(CommandActions& actions);

    // The whole run of the script file at `path`, shown as `displayName`
    // (the file's name without its folder when empty). A name without a
    // folder is looked for in the script folder, then beside the program.
    void runScriptFile(const QString& path, const QString& displayName = QString());

private:
    class Window;

    void chooseAndRun();
    // The script file for `name`: the name itself when it names a file,
    // else the name in the script folder, or without one beside the
    // program; empty when none exists.
    QString findScript(const QString& name) const;
    void reloadView(tidemark::ItemId focused);

    WindowContext& m_context;
    std::unique_ptr<Window> m_window;
    std::unique_ptr<tidemark::WindowAutomation> m_automation;
    std::unique_ptr<tidemark::FolderServices> m_folders;
    ScriptTextPrinter m_printer;
    ScriptEngineTable m_engines;  // read on the first run
};

// Makes the script host of a window (owned by `owner`) and registers its
// commands with the window's actions. Scripts print through `printer`.
ScriptCommands* installScriptCommands(WindowContext& context, ScriptTextPrinter printer,
                                      QObject* owner);
