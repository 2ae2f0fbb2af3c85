// The process entry: reads the command line, starts up and runs the event
// loop until the main window closes.
#include <QApplication>
#include <string>
#include <vector>

#include "app/frame/app_environment.h"
#include "app/frame/app_setup.h"
#include "app/frame/command_line.h"
#include "app/frame/startup.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    QApplication app(argc, argv);
    setUpApplicationObject();

    DesktopEnvironment desktop;
    StartupOutcome outcome = startUp(CommandLine::fromArguments(arguments), desktop.environment());
    if (!outcome.runLoop)
        return outcome.exitCode;
    return QApplication::exec();
}
