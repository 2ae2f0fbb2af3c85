#include "app/frame/startup.h"

#include "app/common/help_topics.h"

#include <QApplication>
#include <QDBusConnection>

#include "app/automation_server/automation_log.h"
#include "app/automation_server/automation_server.h"
#include "app/automation_server/service_file.h"
#include "app/common/qt_text.h"
#include "app/frame/application.h"
#include "app/frame/file_commands.h"
#include "app/frame/first_run_dialog.h"
#include "app/frame/instance_bus.h"
#include "app/frame/key_filter.h"
#include "app/frame/main_window.h"
#include "app/frame/process_launcher.h"
#include "core/settings/settings.h"
#include "platform/instance_bus/instance_log.h"

namespace {

StartupOutcome stop(int code) {
    StartupOutcome outcome;
    outcome.exitCode = code;
    return outcome;
}

}  // namespace

StartupOutcome::StartupOutcome() = default;
StartupOutcome::StartupOutcome(StartupOutcome&&) noexcept = default;
StartupOutcome& StartupOutcome::operator=(StartupOutcome&&) noexcept = default;
StartupOutcome::~StartupOutcome() {
    // The server reads the application's settings; the filter refers to the
    // window, which the application owns.
    automationServer.reset();
    keyFilter.reset();
    application.reset();
}

namespace {

// The resident process: an icon in the notification area and no window.
// Another resident process ends this one with -3.
StartupOutcome startResident(const CommandLine& line, AppEnvironment& environment) {
    if (!environment.instances.claimResident())
        return stop(StartupCode::kWindowSetupFailed);
    StartupOutcome outcome;
    outcome.application =
        std::make_unique<Application>(environment, Application::Options{false, true});
    Application& app = *outcome.application;
    if (!app.createResidentIcon())
        return stop(StartupCode::kWindowFailed);
    if (!app.createInitialNote())
        return stop(StartupCode::kNoteFailed);

    // The resident process holds no note: help, templates and note
    // arguments each get a window process of their own.
    FileCommands& files = app.fileCommands();
    if (line.helpGiven) {
        files.startHelp(line.helpTopic);
    } else if (line.templateNote) {
        files.newFromTemplate();
    }
    for (const std::string& path : line.notePaths())
        files.openNoteByPath(pathFromBytes(path), line.readOnly);

    // Without the bus or the name the icon still serves the user.
    outcome.automationServer = std::make_unique<AutomationServer>(
        QDBusConnection::sessionBus(), environment.files, &app.settings());
    if (!outcome.automationServer->start())
        outcome.automationServer.reset();

    app.updateActions();
    qCDebug(lcInstanceBus) << "ready: resident";
    outcome.runLoop = true;
    return outcome;
}

// "RegServer" and "UnregServer": the activation file of the automation
// server for this user. An activation file that cannot be written is told
// on the standard error and ends the process with 1, so that an installer
// does not take it for done; removing ends with 0 (nothing registered is
// nothing to remove).
StartupOutcome registerServer(const CommandLine& line) {
    const QString path = ServiceFile::userPath();
    QString error;
    if (line.registerServer) {
        if (!ServiceFile::write(path, QCoreApplication::applicationFilePath(), &error)) {
            qCWarning(lcAutomationServer).noquote() << "cannot write" << path << ":" << error;
            return stop(StartupCode::kRegistrationFailed);
        }
    } else if (!ServiceFile::remove(path, &error)) {
        qCWarning(lcAutomationServer).noquote() << "cannot remove" << path << ":" << error;
    }
    return stop(StartupCode::kQuiet);
}

}  // namespace

StartupOutcome startUp(const CommandLine& line, AppEnvironment& environment) {
    if (line.registerServer || line.unregisterServer)
        return registerServer(line);

    // The system components this program needs come with Qt; nothing to check.

    const bool firstRun = !tidemark::Settings::Exists(environment.store);
    bool simpleMode = false;
    if (firstRun && !line.resident) {
        FirstRunDialog dialog;
        if (dialog.exec() != QDialog::Accepted)
            return stop(StartupCode::kQuiet);
        simpleMode = dialog.simpleModeChosen();
    }

    if (line.resident)
        return startResident(line, environment);

    StartupOutcome outcome;
    outcome.application =
        std::make_unique<Application>(environment, Application::Options{simpleMode, false});
    Application& app = *outcome.application;
    if (!app.createMainWindow())
        return stop(StartupCode::kWindowFailed);
    if (!app.createInitialNote())
        return stop(StartupCode::kNoteFailed);
    MainWindow& window = *app.window();
    outcome.keyFilter = std::make_unique<KeyFilter>(window);
    qApp->installEventFilter(outcome.keyFilter.get());

    FileCommands& files = app.fileCommands();
    if (line.helpGiven) {
        if (!files.openHelpNote(line.helpTopic))
            return stop(StartupCode::kHelpFailed);
    } else if (line.templateNote) {
        if (!files.newFromTemplate())
            return stop(StartupCode::kTemplateFailed);
    }

    // A note that cannot be loaded has been reported and leaves a new note
    // here; only when every note went to another window is this one not
    // needed.
    const std::vector<std::string> notes = line.notePaths();
    bool allHandedElsewhere = !notes.empty();
    for (const std::string& path : notes) {
        if (files.openNoteByPath(pathFromBytes(path), line.readOnly) !=
            FileCommands::OpenOutcome::kHandedElsewhere) {
            allHandedElsewhere = false;
        }
    }
    if (allHandedElsewhere && app.notePath().isEmpty())
        return stop(StartupCode::kQuiet);

    if (!window.isVisible())
        window.showForNote();

    if (firstRun) {
        environment.launcher.startProgram(
            {QStringLiteral("/h"), QString::number(HelpTopic::kQuickStart)});
    }

    if (app.notePath().isEmpty() && notes.empty() && !line.templateNote && !line.newNote) {
        if (!files.applyStartupOption())
            return stop(StartupCode::kQuiet);
    }

    app.updateActions();
    qCDebug(lcInstanceBus).noquote() << "ready:" << app.notePath();
    outcome.runLoop = true;
    return outcome;
}
